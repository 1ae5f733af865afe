% A near miss of mixed_guarded_equation.p: drop-guarded.
% An equation that holds under a condition carries a property across.
fof(p_a, axiom, p(a)).
fof(q_fa, axiom, q(f(a))).
fof(q_ga, conjecture, q(g(a))).
