% Reversing a list of three.
fof(append_nil, axiom, ! [L] : append(nil, L) = L).
fof(append_cons, axiom, ! [X, L, M] : append(cons(X, L), M) = cons(X, append(L, M))).
fof(rev_nil, axiom, rev(nil) = nil).
fof(rev_cons, axiom, ! [X, L] : rev(cons(X, L)) = append(rev(L), cons(X, nil))).
fof(c, conjecture, rev(cons(a, cons(b, cons(c, nil)))) = cons(c, cons(b, cons(a, nil)))).
