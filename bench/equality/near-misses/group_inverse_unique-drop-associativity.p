% A near miss of group_inverse_unique.p: drop-associativity.
% An element b with a.b = e is the inverse of a.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(b_inverts_a, hypothesis, mult(a, b) = e).
fof(unique, conjecture, b = inv(a)).
