% A property passed along the values of a function.
fof(fa, axiom, f(a) = b).
fof(fb, axiom, f(b) = c).
fof(closed, axiom, ! [X] : (p(X) => p(f(X)))).
fof(p_a, axiom, p(a)).
fof(p_c, conjecture, p(c)).
