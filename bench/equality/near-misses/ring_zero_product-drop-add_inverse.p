% A near miss of ring_zero_product.p: drop-add_inverse.
% In a ring, a product with zero is zero.
fof(add_associative, axiom, ! [X, Y, Z] : add(add(X, Y), Z) = add(X, add(Y, Z))).
fof(add_commutative, axiom, ! [X, Y] : add(X, Y) = add(Y, X)).
fof(add_zero, axiom, ! [X] : add(zero, X) = X).
fof(mul_associative, axiom, ! [X, Y, Z] : mul(mul(X, Y), Z) = mul(X, mul(Y, Z))).
fof(distribute_left, axiom, ! [X, Y, Z] : mul(X, add(Y, Z)) = add(mul(X, Y), mul(X, Z))).
fof(distribute_right, axiom, ! [X, Y, Z] : mul(add(X, Y), Z) = add(mul(X, Z), mul(Y, Z))).
fof(zero_product, conjecture, ! [X] : mul(X, zero) = zero).
