% A near miss of group_right_inverse.p: swap-left_identity.
% A left inverse is a right inverse too.
fof(left_identity, axiom, ! [X] : mult(X, e) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(right_inverse, conjecture, ! [X] : mult(X, inv(X)) = e).
