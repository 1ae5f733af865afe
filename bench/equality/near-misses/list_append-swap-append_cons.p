% A near miss of list_append.p: swap-append_cons.
% Lists: appending is computed by rewriting.
fof(append_nil, axiom, ! [L] : append(nil, L) = L).
fof(append_cons, axiom, ! [X, L, M] : append(M, cons(X, L)) = cons(X, append(L, M))).
fof(example, conjecture, append(cons(a, cons(b, nil)), cons(c, nil)) = cons(a, cons(b, cons(c, nil)))).
