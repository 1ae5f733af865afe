% Married people are each other's spouse.
fof(spouse, axiom, ! [X, Y] : (married(X, Y) => spouse(X) = Y)).
fof(symmetric, axiom, ! [X, Y] : (married(X, Y) => married(Y, X))).
fof(m, axiom, married(john, mary)).
fof(c, conjecture, spouse(spouse(john)) = john).
