% The length of an appended list.
fof(append_nil, axiom, ! [L] : append(nil, L) = L).
fof(append_cons, axiom, ! [X, L, M] : append(cons(X, L), M) = cons(X, append(L, M))).
fof(length_nil, axiom, length(nil) = zero).
fof(length_cons, axiom, ! [X, L] : length(cons(X, L)) = succ(length(L))).
fof(c, conjecture, length(append(cons(a, nil), cons(b, nil))) = succ(succ(zero))).
