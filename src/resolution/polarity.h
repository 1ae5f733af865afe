// Polarity of nodes, and the last compilation steps of a parsed formula.
#pragma once

#include "model/formula.h"

// The visitors of the post-compilation walks.
TObject* LinkVariables(TObject* Obj, TDiveMode& Mode, TDiveArgs Args);
TObject* FoldArithmetic(TObject* Obj, TDiveMode& Mode, TDiveArgs Args);
