// Bounds on what a search builds: resolvents stay within the depth every walk can take.
#pragma once

class TFALFormula;

#include <cstdint>

// The nesting and the number of symbols of a formula with the bindings of its variables
// written out, each capped just past its limit. The measure walks without recursion and
// looks at each variable's value once.
struct TFormulaMeasure {
    std::int64_t Depth = 0;
    std::int64_t Size = 0;
};
TFormulaMeasure Measure(TFALFormula* F);

// Frees the tables the measure keeps between formulas.
void ReleaseLimitsStorage();

// Whether F is within DepthLimit levels and SizeLimit symbols. When it is not, the run is
// stopped with a line saying why.
bool WithinLimits(TFALFormula* F);
