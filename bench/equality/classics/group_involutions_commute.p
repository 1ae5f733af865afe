% In a group where every element is its own inverse, the group is commutative.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(squares, axiom, ! [X] : mult(X, X) = e).
fof(commutative, conjecture, ! [X, Y] : mult(X, Y) = mult(Y, X)).
