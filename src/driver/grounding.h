// The propositional problem of a model search at one domain size: the formulas grounded over
// the elements {0, ..., n-1} and given to a SAT solver.
#pragma once

#include "driver/models.h"

#include <map>
#include <string>
#include <vector>

enum class TGrounded { Model, None, Stopped };

// Looks for an interpretation over {0, ..., Size-1} in which every axiom holds and Query
// fails; the numbers and strings of Literals are the elements it maps them to, and Constants
// take the least new element in their order (the symmetry of the other elements broken). On
// Model, the interpretation is in Model (not yet checked). The host is asked now and then, in
// the grounding and in the solver: Stopped at a stop.
TGrounded SolveAtSize(int Size, const std::map<std::string, int>& Literals,
                      const std::vector<TFALFormula*>& Axioms, TFALFormula* Query,
                      const std::vector<std::string>& Constants, TInterpretation& Model);
