// The proof of a query and the model search beside it: which answer stands.
#pragma once

#include "model/owner.h"

// Whether the proof's outcome leaves the question open, so that the model search is waited
// for: the proof gave up, or it refuted the query in the default mode while reading an
// existential variable as universal (a refutation that may not hold).
bool AwaitsModel(const TQueryOutcome& Proof);

// Whether a counter-model the search found (and checked) answers the query instead of the
// proof: it does unless the proof's refutation holds. A counter-model and a sound refutation
// cannot both stand; a doubtful refutation yields to the model.
bool ModelAnswers(const TQueryOutcome& Proof, bool ModelFound);
