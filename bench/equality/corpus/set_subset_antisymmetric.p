% Subsets both ways are equal sets.
fof(subset, axiom, ! [A, B] : (subset(A, B) <=> ! [X] : (member(X, A) => member(X, B)))).
fof(extensionality, axiom, ! [A, B] : ((! [X] : (member(X, A) <=> member(X, B))) => A = B)).
fof(c, conjecture, ! [A, B] : ((subset(A, B) & subset(B, A)) => A = B)).
