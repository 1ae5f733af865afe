% There are two dogs.
fof(a, axiom, dog(rex)).
fof(b, axiom, dog(fido)).
fof(apart, axiom, rex != fido).
fof(c, conjecture, ? [X, Y] : (dog(X) & dog(Y) & X != Y)).
