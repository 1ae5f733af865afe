% A near miss of mixed_injective.p: drop-same_image.
% An injective function tells its arguments apart.
fof(injective, axiom, ! [X, Y] : (f(X) = f(Y) => X = Y)).
fof(p_a, axiom, p(a)).
fof(p_b, conjecture, p(b)).
