// Polarity of nodes, and the last compilation steps of a parsed formula.
#pragma once

class TObject;
struct TDiveArgs;
enum class TDiveMode : char;

// The visitors of the post-compilation walks.
TObject* LinkVariables(TObject* Obj, TDiveMode& Mode, TDiveArgs Args);
TObject* FoldArithmetic(TObject* Obj, TDiveMode& Mode, TDiveArgs Args);
