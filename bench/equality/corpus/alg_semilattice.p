% A semilattice: x meet (y meet x) = x meet y.
fof(assoc, axiom, ! [X, Y, Z] : meet(meet(X, Y), Z) = meet(X, meet(Y, Z))).
fof(comm, axiom, ! [X, Y] : meet(X, Y) = meet(Y, X)).
fof(idem, axiom, ! [X] : meet(X, X) = X).
fof(c, conjecture, ! [X, Y] : meet(X, meet(Y, X)) = meet(X, Y)).
