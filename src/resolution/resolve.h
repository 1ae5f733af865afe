// The generalized resolution rule and its context.
#pragma once

#include "model/formula.h"

#include <cstdint>
#include <functional>
#include <string>

class TAtom;
class TFALFormula;
class TSub;

// Resolution context: set by the caller before each Resolve or ResolveAWC.
extern TAtom* ResAtom1;      // the resolved atom of the first formula
extern TAtom* ResAtom2;      // the resolved atom of the second formula
extern bool FalseInFirst;    // ResAtom1 and its matches become false, ResAtom2 true
extern bool SelfResolution;  // set during the self-resolution check
extern std::int8_t ResValue; // the value given to the first formula's atoms
// Clears the resolution context and the insertion's factoring mark.
void ResetResolutionState();

// How a resolution step of a search beyond the design's strategies treats its resolvent. The
// search states it to each step it asks for, instead of switching globals around the calls,
// so no mode outlives its search; the design's strategies state none.
struct TResolutionMode {
    // The formulas are clauses: a factor is a clause of its own, not made in place.
    bool ClauseForm = false;
    // Insertion keeps what is new: no self-resolution check, no consequence check (which may
    // remove what a proof needs), factoring only.
    bool Saturation = false;
    // Resolve marks only the atoms that are the resolved atom under the unifier as it stands,
    // not every atom that could still be unified with it (which binds variables the proof may
    // need free).
    bool ExactMatches = false;
    // The matches in the second formula are marked too, as in the first: every occurrence of
    // the atom goes from both.
    bool MatchesInBoth = false;
    // Whether a resolvent is kept (a variant, a subsumed clause is not); none: every one.
    std::function<bool(TFALFormula*)> Accept;
    // The labels of the pair in the lines of the step; empty: CenterLabel and PartnerLabel.
    std::string Center;
    std::string Partner;
};

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
