// Resolvent insertion: self-resolution check, factoring, redundancy check.
#pragma once

class TObject;

extern bool FactoringChanged; // factoring marked an atom

// Turns the unifier into bindings, the first pair of each variable counting, and empties it.
void BindUnifier();
void ClearUnifier();
// +1 for a disjunction, -1 for a conjunction, 0 for anything else.
int JunctionKind(const TObject* X);
bool SameJunction(const TObject* P, const TObject* Q);
