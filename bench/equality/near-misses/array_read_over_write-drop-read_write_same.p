% A near miss of array_read_over_write.p: drop-read_write_same.
% Arrays: a read sees the last write to its index, and passes over writes to others.
fof(read_write_other, axiom, ! [A, I, J, V] : (I = J | read(write(A, I, V), J) = read(A, J))).
fof(apart, axiom, i != j).
fof(read_back, conjecture, read(write(write(a, i, v), j, w), i) = v).
