% Two empty sets are one.
fof(empty1, axiom, ! [X] : ~ member(X, e1)).
fof(empty2, axiom, ! [X] : ~ member(X, e2)).
fof(extensionality, axiom, ! [A, B] : ((! [X] : (member(X, A) <=> member(X, B))) => A = B)).
fof(c, conjecture, e1 = e2).
