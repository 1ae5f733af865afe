% A map: a key keeps its value under updates of other keys.
fof(get_same, axiom, ! [M, K, V] : get(put(M, K, V), K) = V).
fof(get_other, axiom, ! [M, K, L, V] : (K = L | get(put(M, K, V), L) = get(M, L))).
fof(apart, axiom, k1 != k2).
fof(c, conjecture, get(put(put(m, k1, v1), k2, v2), k1) = v1).
