% A stack: what lies under the top.
fof(pop, axiom, ! [X, S] : pop(push(X, S)) = S).
fof(top, axiom, ! [X, S] : top(push(X, S)) = X).
fof(c, conjecture, top(pop(push(a, push(b, s)))) = b).
