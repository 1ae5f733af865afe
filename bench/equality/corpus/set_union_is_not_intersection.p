% Union and intersection differ.
fof(union, axiom, ! [X, A, B] : (member(X, union(A, B)) <=> (member(X, A) | member(X, B)))).
fof(intersection, axiom, ! [X, A, B] : (member(X, intersection(A, B)) <=> (member(X, A) & member(X, B)))).
fof(extensionality, axiom, ! [A, B] : ((! [X] : (member(X, A) <=> member(X, B))) => A = B)).
fof(c, conjecture, ! [A, B] : union(A, B) = intersection(A, B)).
