% A lattice need not be distributive.
fof(join_commutative, axiom, ! [X, Y] : join(X, Y) = join(Y, X)).
fof(meet_commutative, axiom, ! [X, Y] : meet(X, Y) = meet(Y, X)).
fof(join_associative, axiom, ! [X, Y, Z] : join(join(X, Y), Z) = join(X, join(Y, Z))).
fof(meet_associative, axiom, ! [X, Y, Z] : meet(meet(X, Y), Z) = meet(X, meet(Y, Z))).
fof(absorb_join, axiom, ! [X, Y] : join(X, meet(X, Y)) = X).
fof(absorb_meet, axiom, ! [X, Y] : meet(X, join(X, Y)) = X).
fof(c, conjecture, ! [X, Y, Z] : meet(X, join(Y, Z)) = join(meet(X, Y), meet(X, Z))).
