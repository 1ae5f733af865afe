% A near miss of boolean_ring_characteristic_two.p: drop-add_associative.
% A ring in which every element is idempotent has characteristic two: x + x = 0.
fof(add_commutative, axiom, ! [X, Y] : add(X, Y) = add(Y, X)).
fof(add_zero, axiom, ! [X] : add(zero, X) = X).
fof(add_inverse, axiom, ! [X] : add(neg(X), X) = zero).
fof(mul_associative, axiom, ! [X, Y, Z] : mul(mul(X, Y), Z) = mul(X, mul(Y, Z))).
fof(distribute_left, axiom, ! [X, Y, Z] : mul(X, add(Y, Z)) = add(mul(X, Y), mul(X, Z))).
fof(distribute_right, axiom, ! [X, Y, Z] : mul(add(X, Y), Z) = add(mul(X, Z), mul(Y, Z))).
fof(idempotent, axiom, ! [X] : mul(X, X) = X).
fof(characteristic_two, conjecture, ! [X] : add(X, X) = zero).
