% A near miss of group_right_identity.p: drop-left_inverse.
% A left identity is a right identity too.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(right_identity, conjecture, ! [X] : mult(X, e) = X).
