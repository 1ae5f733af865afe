% A near miss of group_left_cancellation.p: drop-same_products.
% Left cancellation: a.b = a.c gives b = c.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(cancel, conjecture, b = c).
