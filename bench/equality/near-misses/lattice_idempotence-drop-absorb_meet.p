% A near miss of lattice_idempotence.p: drop-absorb_meet.
% In a lattice, given by its absorption laws, join and meet are idempotent.
fof(join_commutative, axiom, ! [X, Y] : join(X, Y) = join(Y, X)).
fof(meet_commutative, axiom, ! [X, Y] : meet(X, Y) = meet(Y, X)).
fof(join_associative, axiom, ! [X, Y, Z] : join(join(X, Y), Z) = join(X, join(Y, Z))).
fof(meet_associative, axiom, ! [X, Y, Z] : meet(meet(X, Y), Z) = meet(X, meet(Y, Z))).
fof(absorb_join, axiom, ! [X, Y] : join(X, meet(X, Y)) = X).
fof(idempotent, conjecture, ! [X] : (join(X, X) = X & meet(X, X) = X)).
