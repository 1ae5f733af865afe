% Union is idempotent.
fof(union, axiom, ! [X, A, B] : (member(X, union(A, B)) <=> (member(X, A) | member(X, B)))).
fof(extensionality, axiom, ! [A, B] : ((! [X] : (member(X, A) <=> member(X, B))) => A = B)).
fof(c, conjecture, ! [A] : union(A, A) = A).
