% Union is commutative, by extensionality.
fof(union, axiom, ! [X, A, B] : (member(X, union(A, B)) <=> (member(X, A) | member(X, B)))).
fof(extensionality, axiom, ! [A, B] : ((! [X] : (member(X, A) <=> member(X, B))) => A = B)).
fof(commutative, conjecture, ! [A, B] : union(A, B) = union(B, A)).
