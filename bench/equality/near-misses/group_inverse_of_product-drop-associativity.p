% A near miss of group_inverse_of_product.p: drop-associativity.
% The inverse of a product is the product of the inverses, in the other order.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(inverse_of_product, conjecture, ! [X, Y] : inv(mult(X, Y)) = mult(inv(Y), inv(X))).
