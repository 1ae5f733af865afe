// Best-first search: the given-formula loop of saturating provers, on whole formulas or on the
// clause form.
#pragma once

class TFALFormula;

// Best-first search over the formulas of the program's ListF (axioms and the negated query):
// fair between the lightest and the oldest waiting formula, it resolves the given formula with
// itself and every formula taken before. Ends at the first refutation, when nothing waits, or
// at a stop. Clauses: on the clause form (every formula split into clauses, a clause with a
// negative literal resolved on one of them only, subsumed clauses dropped), unless the
// quantifier check is on, which needs the formulas whole.
void BestFirstSearch(TFALFormula* Query, bool Clauses);
