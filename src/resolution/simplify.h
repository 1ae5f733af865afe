// Simplification: folding, truth constants propagated away, unused variables swept.
#pragma once

#include "model/formula.h"

TObject* SimplifyNode(TObject* Obj, TDiveMode& Mode, TDiveArgs Args);
// Frees the table the passes keep between calls.
void ReleaseSimplifyStorage();
