% In a group, x . (x^-1 . y) = y.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(c, conjecture, ! [X, Y] : mult(X, mult(inv(X), Y)) = Y).
