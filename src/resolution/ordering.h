// The Knuth-Bendix ordering of terms, by which the clause form selects the literals of a
// positive clause.
#pragma once

class TId;

// Whether S is greater than T: each symbol and variable weighs 1, symbols are ordered by
// arity, then name; bound variables are read as their values. Stable under substitution and
// total on ground terms, so a literal that another exceeds here stays below it in every
// instance.
bool Greater(const TId* S, const TId* T);
