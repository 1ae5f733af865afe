% A near miss of group_left_cancellation.p: drop-associativity.
% Left cancellation: a.b = a.c gives b = c.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(same_products, hypothesis, mult(a, b) = mult(a, c)).
fof(cancel, conjecture, b = c).
