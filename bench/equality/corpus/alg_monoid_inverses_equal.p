% In a monoid, a left and a right inverse of one element are equal.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(right_identity, axiom, ! [X] : mult(X, e) = X).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(left, hypothesis, mult(l, a) = e).
fof(right, hypothesis, mult(a, r) = e).
fof(c, conjecture, l = r).
