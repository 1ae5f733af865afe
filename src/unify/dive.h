// The one traversal of formula trees: visiting, copying, sweeping; and the copy state.
#pragma once

#include "model/stamptable.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TObject;
class TQuant;
class TSub;
class TVariable;

// State of the copy modes; only one copy runs at a time.
extern TObject* CopyParent; // the parent given to the next node copied
extern bool NegateMarks;    // copied atoms take the negated mark
extern TQuant* NewVars;     // receives the variables copied on demand
extern bool VarRemoved;     // the sweep destroyed a variable

// A set of variables for one walk: open addressing over a table that is kept between walks,
// so that a walk allocates nothing.
class TVariableSet : public TStampTable<const TVariable*, bool, TAddressHash> {};

// The sweep (mode "d") of a tree: unused variables go from every prefix, the others lose their
// copy marks, and the atoms lose resolution's marks.
void SweepTree(TSub* Node);

// While set, a walk in mode "3" or "4" enters the value of each bound variable once: the
// walks that use it (folding, marking) would find nothing new in a value they walked before.
extern TVariableSet* EnteredValues;
// Clears the marks a copy leaves on a variable (New, NewId, Visited, Cloned).
void ClearCopyMarks(TVariable* V);
// Clears the copy state; what a failed copy left half-made is given up.
void ResetCopyState();

// The copy of V made at an occurrence before its prefix was copied: it is quantified in
// NewVars, turned when V's quantifier stands at a negative place.
TVariable* CopyOnDemand(TVariable* V);
