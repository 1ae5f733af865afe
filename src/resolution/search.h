// The pair search of the strategies: what one resolution step does with its resolvent.
#pragma once

class TFALFormula;
class TAtom;

// Resolves F and G on the atoms A and B, which have just unified, simplifies and inserts the
// resolvent, and disposes of it: a refutation is reported (" YES." and the answer line), a
// tautology counted, a resolvent that Accept (when given) refuses counted as redundant;
// otherwise it is written and appended to ListR, and returned. None when it was not recorded.
TFALFormula* ResolveAndDispose(TFALFormula* F, TFALFormula* G, TAtom* A, TAtom* B,
                               bool (*Accept)(TFALFormula*) = nullptr);

// Writes the progress line of N (labels CenterLabel and PartnerLabel), appends it to ListR and
// counts it; returns N.
TFALFormula* RecordResolvent(TFALFormula* N);

// Best-first search over the formulas of the program's ListF (axioms and the negated query):
// the given-formula loop of saturating provers on whole formulas, fair between the lightest
// and the oldest waiting formula. Ends at the first refutation, when nothing waits, or at a
// stop.
void BestFirstSearch(TFALFormula* Query);

// Best-first search on the clause form: every formula is split into clauses, a clause with a
// negative literal resolves on one of them only, and subsumed clauses are dropped. Off: the
// search on whole formulas.
extern bool ClauseForm;
