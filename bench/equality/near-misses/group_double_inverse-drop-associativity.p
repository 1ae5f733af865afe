% A near miss of group_double_inverse.p: drop-associativity.
% The inverse of the inverse is the element itself.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(double_inverse, conjecture, ! [X] : inv(inv(X)) = X).
