% A near miss of group_inverse_of_product.p: drop-left_identity.
% The inverse of a product is the product of the inverses, in the other order.
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(inverse_of_product, conjecture, ! [X, Y] : inv(mult(X, Y)) = mult(inv(Y), inv(X))).
