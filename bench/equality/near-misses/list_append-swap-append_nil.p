% A near miss of list_append.p: swap-append_nil.
% Lists: appending is computed by rewriting.
fof(append_nil, axiom, ! [L] : append(L, nil) = L).
fof(append_cons, axiom, ! [X, L, M] : append(cons(X, L), M) = cons(X, append(L, M))).
fof(example, conjecture, append(cons(a, cons(b, nil)), cons(c, nil)) = cons(a, cons(b, cons(c, nil)))).
