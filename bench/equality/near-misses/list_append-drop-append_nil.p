% A near miss of list_append.p: drop-append_nil.
% Lists: appending is computed by rewriting.
fof(append_cons, axiom, ! [X, L, M] : append(cons(X, L), M) = cons(X, append(L, M))).
fof(example, conjecture, append(cons(a, cons(b, nil)), cons(c, nil)) = cons(a, cons(b, cons(c, nil)))).
