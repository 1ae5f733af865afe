% A near miss of group_inverse_of_product.p: swap-inverse_of_product.
% The inverse of a product is the product of the inverses, in the other order.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(inverse_of_product, conjecture, ! [X, Y] : inv(mult(Y, X)) = mult(inv(Y), inv(X))).
