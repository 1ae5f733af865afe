% Pelletier 51.
fof(a, axiom, ? [Z, W] : ! [X, Y] : (f(X, Y) <=> (X = Z & Y = W))).
fof(c, conjecture, ? [Z] : ! [X] : ((? [W] : ! [Y] : (f(X, Y) <=> Y = W)) <=> X = Z)).
