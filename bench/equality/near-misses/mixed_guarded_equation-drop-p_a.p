% A near miss of mixed_guarded_equation.p: drop-p_a.
% An equation that holds under a condition carries a property across.
fof(guarded, axiom, ! [X] : (p(X) => f(X) = g(X))).
fof(q_fa, axiom, q(f(a))).
fof(q_ga, conjecture, q(g(a))).
