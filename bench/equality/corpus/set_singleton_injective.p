% Singletons of different elements differ.
fof(singleton, axiom, ! [X, Y] : (member(X, singleton(Y)) <=> X = Y)).
fof(c, conjecture, ! [A, B] : (singleton(A) = singleton(B) => A = B)).
