% A near miss of group_right_identity.p: drop-left_identity.
% A left identity is a right identity too.
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(right_identity, conjecture, ! [X] : mult(X, e) = X).
