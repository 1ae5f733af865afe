% A near miss of mixed_function_values.p: drop-p_a.
% A property passed along the values of a function.
fof(fa, axiom, f(a) = b).
fof(fb, axiom, f(b) = c).
fof(closed, axiom, ! [X] : (p(X) => p(f(X)))).
fof(p_c, conjecture, p(c)).
