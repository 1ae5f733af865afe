// The derivation of a refutation, walked back from it through the parents of its formulas.
#pragma once

class TFALFormula;

// When RecordProofs is set and the query has no derivation yet: Proof gets the formulas the
// refutation N depends on, parents before what they gave, and N itself last.
void RecordRefutation(TFALFormula* N);
