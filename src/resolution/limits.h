// Bounds on what a search builds: resolvents stay within the depth every walk can take.
#pragma once

class TFALFormula;

// Whether F, with the bindings of its variables written out, is within DepthLimit levels and
// SizeLimit symbols. When it is not, the run is stopped with a line saying why. The
// measure itself walks without recursion and looks at each variable's value once.
bool WithinLimits(TFALFormula* F);
