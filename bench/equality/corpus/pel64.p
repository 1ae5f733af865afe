% Pelletier 64: a left inverse is a right inverse.
fof(left_identity, axiom, ! [X] : f(e, X) = X).
fof(left_inverse, axiom, ! [X] : f(g(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : f(f(X, Y), Z) = f(X, f(Y, Z))).
fof(c, conjecture, ! [X, Y] : (f(Y, X) = e => f(X, Y) = e)).
