// Polarity of nodes, and the last compilation steps of a parsed formula.
#pragma once

class TObject;
struct TDiveArgs;

// The visitors of the post-compilation walks.
TObject* LinkVariables(TObject* Obj, char& Mode, TDiveArgs Args);
TObject* FoldArithmetic(TObject* Obj, char& Mode, TDiveArgs Args);
