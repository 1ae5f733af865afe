% Swapping two entries of an array.
fof(read_write_same, axiom, ! [A, I, V] : read(write(A, I, V), I) = V).
fof(read_write_other, axiom, ! [A, I, J, V] : (I = J | read(write(A, I, V), J) = read(A, J))).
fof(apart, axiom, i != j).
fof(c, conjecture, read(write(write(a, i, read(a, j)), j, read(a, i)), i) = read(a, j)).
