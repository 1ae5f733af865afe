// The derivation of a refutation, walked back from it through the parents of its formulas.
#pragma once

class TFALFormula;

// When RecordProofs is set and the query has no derivation yet: Proof gets the formulas the
// refutation N depends on, parents before what they gave, and N itself last.
void RecordRefutation(TFALFormula* N);
// The mode that ignores quantifiers reads every variable as universal: a refutation that used
// a formula with a variable that is not may not hold. Sets DoubtFormula and DoubtVariable to
// the first such formula of ListF that the refutation N depends on, and its variable.
void NoteDoubt(TFALFormula* N);
