% If x^3 = e, the commutator [[x, y], y] is e.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(cubes, axiom, ! [X] : mult(X, mult(X, X)) = e).
fof(commutator, axiom, ! [X, Y] : comm(X, Y) = mult(inv(X), mult(inv(Y), mult(X, Y)))).
fof(c, conjecture, ! [X, Y] : comm(comm(X, Y), Y) = e).
