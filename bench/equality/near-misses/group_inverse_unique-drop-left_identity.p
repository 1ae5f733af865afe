% A near miss of group_inverse_unique.p: drop-left_identity.
% An element b with a.b = e is the inverse of a.
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(b_inverts_a, hypothesis, mult(a, b) = e).
fof(unique, conjecture, b = inv(a)).
