% A near miss of group_right_identity.p: drop-associativity.
% A left identity is a right identity too.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(right_identity, conjecture, ! [X] : mult(X, e) = X).
