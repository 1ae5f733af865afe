% Union is associative.
fof(union, axiom, ! [X, A, B] : (member(X, union(A, B)) <=> (member(X, A) | member(X, B)))).
fof(extensionality, axiom, ! [A, B] : ((! [X] : (member(X, A) <=> member(X, B))) => A = B)).
fof(c, conjecture, ! [A, B, C] : union(union(A, B), C) = union(A, union(B, C))).
