% A near miss of mixed_unique_father.p: drop-also.
% Everyone has one father; a father of someone is male.
fof(one_father, axiom, ! [X, Y, Z] : ((father(X, Y) & father(X, Z)) => Y = Z)).
fof(fathers_are_male, axiom, ! [X, Y] : (father(X, Y) => male(Y))).
fof(bill, axiom, father(john, bill)).
fof(names, axiom, william = bill | ~ male(william)).
fof(same, conjecture, william = bill).
