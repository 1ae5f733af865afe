% S I I applies its argument to itself.
fof(i, axiom, ! [X] : app(i, X) = X).
fof(s, axiom, ! [X, Y, Z] : app(app(app(s, X), Y), Z) = app(app(X, Z), app(Y, Z))).
fof(c, conjecture, ! [X] : app(app(app(s, i), i), X) = app(X, X)).
