// A counter-model written out: as the block of the report, and as a TPTP finite
// interpretation.
#pragma once

#include "driver/models.h"
#include "model/tptpnames.h"

#include <string>
#include <vector>

// The report block of a model: "Counter-model, domain size n:", then the constants and
// functions, then the predicates of the formulas, each on an indented line. With Naming (a
// problem read from TPTP) the names are the file's, and the reader's helpers are left out.
std::vector<std::string> ModelBlock(const TInterpretation& I,
                                    const std::vector<TFALFormula*>& Formulas,
                                    const TTptpNaming* Naming = nullptr);
// The same as TPTP formulas of a finite interpretation: fi_domain, fi_functors and
// fi_predicates. A number or string of the formulas is an element of its own, written as
// itself; the other elements are distinct objects "e0", "e1"... that are no such literal.
std::vector<std::string> TptpModel(const TInterpretation& I,
                                   const std::vector<TFALFormula*>& Formulas,
                                   const TTptpNaming* Naming = nullptr);
