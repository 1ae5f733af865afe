% A map: a read of a key that two updates left alone is not the last value written.
fof(get_same, axiom, ! [M, K, V] : get(put(M, K, V), K) = V).
fof(get_other, axiom, ! [M, K, L, V] : (K = L | get(put(M, K, V), L) = get(M, L))).
fof(c, conjecture, get(put(put(m, k1, v1), k2, v2), k1) = v2).
