% A near miss of group_involutions_commute.p: drop-associativity.
% In a group where every element is its own inverse, the group is commutative.
fof(left_identity, axiom, ! [X] : mult(e, X) = X).
fof(left_inverse, axiom, ! [X] : mult(inv(X), X) = e).
fof(squares, axiom, ! [X] : mult(X, X) = e).
fof(commutative, conjecture, ! [X, Y] : mult(X, Y) = mult(Y, X)).
