% Pelletier 48.
fof(a, axiom, a = b | c = d).
fof(b, axiom, a = c | b = d).
fof(c, conjecture, a = d | b = c).
