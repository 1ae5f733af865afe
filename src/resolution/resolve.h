// The generalized resolution rule and its context.
#pragma once

#include <cstdint>

class TAtom;

// Resolution context: set by the caller before each Resolve or ResolveAWC.
extern TAtom* ResAtom1;      // the resolved atom of the first formula
extern TAtom* ResAtom2;      // the resolved atom of the second formula
extern bool FalseInFirst;    // ResAtom1 and its matches become false, ResAtom2 true
extern bool SelfResolution;  // set during the self-resolution check
extern std::int8_t ResValue; // the value given to the first formula's atoms
// Clears the resolution context and the insertion's factoring mark.
void ResetResolutionState();

// Moves the unifier into the variables' NewId, the first pair of each variable counting, and
// empties the list.
void CommitUnifier();
// Replaces the atom by the truth value T, its own negation included.
void MarkAtom(TAtom* Atom, std::int8_t T);
