% If (xy)^2 = x^2 y^2 for all x, y, the group is commutative.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(squares, axiom, ! [X, Y] : mult(mult(X, Y), mult(X, Y)) = mult(mult(X, X), mult(Y, Y))).
fof(c, conjecture, ! [X, Y] : mult(X, Y) = mult(Y, X)).
