// The derivation of a refutation, walked back from it through the parents of its formulas.
#pragma once

#include "model/owner.h"

#include <vector>

class TFALFormula;
class TPLProgram;

// When RecordProofs is set and the query has no derivation yet: Proof gets the formulas the
// refutation N depends on, parents before what they gave, and N itself last.
void RecordRefutation(TFALFormula* N);
// The same for a refutation of another calculus: Proof gets the formulas Sources depend on
// (each source with the formulas it came from), then Steps, which end in the refutation.
void RecordDerivation(const std::vector<TFALFormula*>& Sources, std::vector<TProofStep> Steps);
// NoteDoubt for a refutation that used the formulas Sources.
void NoteDoubtIn(TPLProgram* Program, const std::vector<TFALFormula*>& Sources);
// The mode that ignores quantifiers reads every variable as universal: a refutation that used
// a formula with a variable that is not may not hold. Sets DoubtFormula and DoubtVariable to
// the first such formula of ListF that the refutation N depends on, and its variable.
void NoteDoubt(TFALFormula* N);
