// Simplification: folding, truth constants propagated away, unused variables swept.
#pragma once

#include "model/formula.h"

TObject* SimplifyNode(TObject* Obj, TDiveMode& Mode, TDiveArgs Args);
// The sweep of a tree: unused variables go from every prefix (they keep no copy marks), and
// resolution's marks from the atoms.
void SweepNode(TSub* Node);
// Frees the table the passes keep between calls.
void ReleaseSimplifyStorage();
