% A near miss of list_append.p: drop-append_cons.
% Lists: appending is computed by rewriting.
fof(append_nil, axiom, ! [L] : append(nil, L) = L).
fof(example, conjecture, append(cons(a, cons(b, nil)), cons(c, nil)) = cons(a, cons(b, cons(c, nil)))).
