% Who killed Aunt Agatha? (Three people live in the mansion.)
fof(someone, axiom, ? [X] : (lives(X) & killed(X, agatha))).
fof(three, axiom, ! [X] : (lives(X) => (X = agatha | X = butler | X = charles))).
fof(hates_victim, axiom, ! [X, Y] : (killed(X, Y) => hates(X, Y))).
fof(not_richer, axiom, ! [X, Y] : (killed(X, Y) => ~ richer(X, Y))).
fof(charles, axiom, ! [X] : (hates(agatha, X) => ~ hates(charles, X))).
fof(agatha_hates, axiom, ! [X] : ((X != butler) => hates(agatha, X))).
fof(butler_rich, axiom, ! [X] : (~ richer(X, agatha) => hates(butler, X))).
fof(butler_hates, axiom, ! [X] : (hates(agatha, X) => hates(butler, X))).
fof(no_one, axiom, ! [X] : ? [Y] : ~ hates(X, Y)).
fof(apart, axiom, agatha != butler).
fof(lives_a, axiom, lives(agatha)).
fof(c, conjecture, killed(agatha, agatha)).
