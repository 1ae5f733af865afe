% Pelletier 58.
fof(a, axiom, ! [X, Y] : f(X) = g(Y)).
fof(c, conjecture, ! [X, Y] : f(f(X)) = f(g(Y))).
