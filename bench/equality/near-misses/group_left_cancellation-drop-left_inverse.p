% A near miss of group_left_cancellation.p: drop-left_inverse.
% Left cancellation: a.b = a.c gives b = c.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(same_products, hypothesis, mult(a, b) = mult(a, c)).
fof(cancel, conjecture, b = c).
