% B and M combinators give every function a fixed point.
fof(b, axiom, ! [X, Y, Z] : app(app(app(b, X), Y), Z) = app(X, app(Y, Z))).
fof(m, axiom, ! [X] : app(m, X) = app(X, X)).
fof(c, conjecture, ! [F] : ? [Y] : app(F, Y) = Y).
