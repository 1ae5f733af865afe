% Conjugation by g preserves products.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(associativity, axiom, ! [X, Y, Z] : mult(mult(X, Y), Z) = mult(X, mult(Y, Z))).
fof(c, conjecture, ! [G, X, Y] : mult(inv(G), mult(mult(X, Y), G)) = mult(mult(inv(G), mult(X, G)), mult(inv(G), mult(Y, G)))).
