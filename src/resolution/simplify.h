// Simplification: folding, truth constants propagated away, unused variables swept.
#pragma once

class TObject;
struct TDiveArgs;

TObject* SimplifyNode(TObject* Obj, char& Mode, TDiveArgs Args);
TObject* MarkUsedVariables(TObject* Obj, char& Mode, TDiveArgs Args);
// Frees the table the passes keep between calls.
void ReleaseSimplifyStorage();
