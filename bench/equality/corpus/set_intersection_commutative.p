% Intersection is commutative.
fof(intersection, axiom, ! [X, A, B] : (member(X, intersection(A, B)) <=> (member(X, A) & member(X, B)))).
fof(extensionality, axiom, ! [A, B] : ((! [X] : (member(X, A) <=> member(X, B))) => A = B)).
fof(c, conjecture, ! [A, B] : intersection(A, B) = intersection(B, A)).
