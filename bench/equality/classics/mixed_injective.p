% An injective function tells its arguments apart.
fof(injective, axiom, ! [X, Y] : (f(X) = f(Y) => X = Y)).
fof(same_image, axiom, f(a) = f(b)).
fof(p_a, axiom, p(a)).
fof(p_b, conjecture, p(b)).
