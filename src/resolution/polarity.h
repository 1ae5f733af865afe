// Polarity of nodes, and the last compilation steps of a parsed formula.
#pragma once

#include "model/formula.h"

// The visitors of the post-compilation walks.
TObject* LinkVariables(TObject* Obj, TDiveMode& Mode, TDiveArgs Args);
TObject* FoldArithmetic(TObject* Obj, TDiveMode& Mode, TDiveArgs Args);

// Whether a compiled formula of this run held an arithmetic term (+, -, *, / of two
// arguments). Resolution never makes one, so without them the folding walk of every
// simplification is skipped. True until a run starts, so nothing goes unfolded.
extern bool ArithmeticSeen;

// The free names the last PostComp made variables of: a formula with none is closed.
std::int32_t FreeNamesLinked();
