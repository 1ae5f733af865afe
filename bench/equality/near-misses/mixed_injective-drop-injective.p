% A near miss of mixed_injective.p: drop-injective.
% An injective function tells its arguments apart.
fof(same_image, axiom, f(a) = f(b)).
fof(p_a, axiom, p(a)).
fof(p_b, conjecture, p(b)).
