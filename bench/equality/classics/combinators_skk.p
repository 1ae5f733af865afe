% Combinatory logic: S K K is the identity.
fof(k, axiom, ! [X, Y] : app(app(k, X), Y) = X).
fof(s, axiom, ! [X, Y, Z] : app(app(app(s, X), Y), Z) = app(app(X, Z), app(Y, Z))).
fof(skk, conjecture, ! [X] : app(app(app(s, k), k), X) = X).
