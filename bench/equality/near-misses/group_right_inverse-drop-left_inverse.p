% A near miss of group_right_inverse.p: drop-left_inverse.
% A left inverse is a right inverse too.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(right_inverse, conjecture, ! [X] : mult(X, inv(X)) = e).
