% A near miss of group_double_inverse.p: drop-left_identity.
% The inverse of the inverse is the element itself.
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(double_inverse, conjecture, ! [X] : inv(inv(X)) = X).
