% A near miss of mixed_guarded_equation.p: drop-q_fa.
% An equation that holds under a condition carries a property across.
fof(guarded, axiom, ! [X] : (p(X) => f(X) = g(X))).
fof(p_a, axiom, p(a)).
fof(q_ga, conjecture, q(g(a))).
