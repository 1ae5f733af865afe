// The pair search of the strategies: what one resolution step does with its resolvent.
#pragma once

#include <string>

class TFALFormula;
class TAtom;

struct TResolutionMode;

// Resolves F and G on the atoms A and B, which have just unified, simplifies and inserts the
// resolvent, and disposes of it: a refutation is reported (" YES." and the answer line), a
// tautology counted, a resolvent that the mode's Accept refuses counted as redundant;
// otherwise it is written and appended to ListR, and returned. None when it was not recorded.
// Mode: that of a search beyond the design's strategies (none: the design's step).
TFALFormula* ResolveAndDispose(TFALFormula* F, TFALFormula* G, TAtom* A, TAtom* B,
                               const TResolutionMode* Mode = nullptr);

// Writes the progress line of N (labels CenterLabel and PartnerLabel), appends it to ListR and
// counts it; returns N.
TFALFormula* RecordResolvent(TFALFormula* N);
// The same, N labelled as made of Center and Partner.
TFALFormula* RecordResolvent(TFALFormula* N, const std::string& Center, const std::string& Partner);
