% Pelletier 49.
fof(a, axiom, ? [X, Y] : ! [Z] : (Z = X | Z = Y)).
fof(b, axiom, p(a) & p(b)).
fof(c, axiom, a != b).
fof(d, conjecture, ! [X] : p(X)).
