% In a Boolean algebra, join is idempotent.
fof(join_commutative, axiom, ! [X, Y] : join(X, Y) = join(Y, X)).
fof(meet_commutative, axiom, ! [X, Y] : meet(X, Y) = meet(Y, X)).
fof(join_distributive, axiom, ! [X, Y, Z] : join(X, meet(Y, Z)) = meet(join(X, Y), join(X, Z))).
fof(meet_distributive, axiom, ! [X, Y, Z] : meet(X, join(Y, Z)) = join(meet(X, Y), meet(X, Z))).
fof(join_zero, axiom, ! [X] : join(X, zero) = X).
fof(meet_one, axiom, ! [X] : meet(X, one) = X).
fof(join_complement, axiom, ! [X] : join(X, complement(X)) = one).
fof(meet_complement, axiom, ! [X] : meet(X, complement(X)) = zero).
fof(c, conjecture, ! [X] : join(X, X) = X).
