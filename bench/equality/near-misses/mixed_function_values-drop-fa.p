% A near miss of mixed_function_values.p: drop-fa.
% A property passed along the values of a function.
fof(fb, axiom, f(b) = c).
fof(closed, axiom, ! [X] : (p(X) => p(f(X)))).
fof(p_a, axiom, p(a)).
fof(p_c, conjecture, p(c)).
