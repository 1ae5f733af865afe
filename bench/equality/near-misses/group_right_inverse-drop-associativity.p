% A near miss of group_right_inverse.p: drop-associativity.
% A left inverse is a right inverse too.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(right_inverse, conjecture, ! [X] : mult(X, inv(X)) = e).
