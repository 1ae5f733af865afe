// The one traversal of formula trees: visiting, copying, sweeping; and the copy state.
#pragma once

class TObject;
class TQuant;
class TVariable;

// State of the copy modes; only one copy runs at a time.
extern TObject* CopyParent; // the parent given to the next node copied
extern bool NegateMarks;    // copied atoms take the negated mark
extern TQuant* NewVars;     // receives the variables copied on demand
extern bool VarRemoved;     // the sweep destroyed a variable

// The copy of V made at an occurrence before its prefix was copied: it is quantified in
// NewVars, turned when V's quantifier stands at a negative place.
TVariable* CopyOnDemand(TVariable* V);
