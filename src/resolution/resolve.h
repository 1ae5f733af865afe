// The generalized resolution rule and its context.
#pragma once

#include "model/formula.h"

#include <cstdint>

class TAtom;
class TFALFormula;
class TSub;

// Resolution context: set by the caller before each Resolve or ResolveAWC.
extern TAtom* ResAtom1;      // the resolved atom of the first formula
extern TAtom* ResAtom2;      // the resolved atom of the second formula
extern bool FalseInFirst;    // ResAtom1 and its matches become false, ResAtom2 true
extern bool SelfResolution;  // set during the self-resolution check
extern std::int8_t ResValue; // the value given to the first formula's atoms
// Resolve marks only the atoms that are the resolved atom under the unifier as it stands,
// not every atom that could still be unified with it (which binds variables the proof may
// need free). Set by the best-first search.
extern bool ExactMatches;
// The matches in the second formula are marked too, as in the first: set while a formula
// meets a copy of itself, so that each occurrence of the atom is split on.
extern bool MatchesInBoth;
// Clears the resolution context and the insertion's factoring mark.
void ResetResolutionState();

// A new formula of a part of F: a copy of Node's subtree, negated when Negated, with copies of
// the variables quantified above it in its root prefix. F is left as it was.
TFALFormula* CopyPart(TFALFormula* F, TSub* Node, bool Negated);

// A visitor for a pre-order walk: clears the copy marks that a copy or a binding left on the
// variables of each prefix, so that the next copy of the formula is whole.
TObject* ClearPrefixMarks(TObject* Obj, TDiveMode& Mode, TDiveArgs Args);

// Moves the unifier into the variables' NewId, the first pair of each variable counting, and
// empties the list.
void CommitUnifier();
// Replaces the atom by the truth value T, its own negation included.
void MarkAtom(TAtom* Atom, std::int8_t T);
