% Pelletier 52.
fof(a, axiom, ? [Z, W] : ! [X, Y] : (f(X, Y) <=> (X = Z & Y = W))).
fof(c, conjecture, ? [W] : ! [Y] : ((? [Z] : ! [X] : (f(X, Y) <=> X = Z)) <=> Y = W)).
