% A near miss of group_double_inverse.p: drop-left_inverse.
% The inverse of the inverse is the element itself.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(double_inverse, conjecture, ! [X] : inv(inv(X)) = X).
