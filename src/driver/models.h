// Counter-models: a finite world where the axioms before a query hold and the query fails,
// found by a SAT solver over the domains {0, ..., n-1} for growing n.
#pragma once

#include "model/formula.h"
#include "model/tptpnames.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// An interpretation over {0, ..., Size-1}. Numbers and strings are distinct elements of their
// own; an entry missing from a table is 0 for a function and false for a predicate.
struct TInterpretation {
    int Size = 0;
    std::map<std::string, int> Literals;  // a number or string, as printed, and its element
    std::map<std::string, int> Constants; // by name
    std::map<std::pair<std::string, std::vector<int>>, int> Functions;
    std::map<std::pair<std::string, std::vector<int>>, bool> Predicates;
};

// Whether F holds in the interpretation, read with the standard meaning of its quantifiers
// (a formula's prefix, then its negation, then its body).
bool Holds(TFALFormula* F, const TInterpretation& I);

enum class TModelResult : std::uint8_t {
    Found,
    NoneUpToLimit, // no model up to the largest domain tried
    Stopped,       // the host asked to stop (a limit, Stop, a signal)
};

struct TModelSearch {
    int MaxDomain = 8;
    TModelResult Result = TModelResult::NoneUpToLimit;
    TInterpretation Model;
    int Tried = 0; // the largest domain size tried
};

// Looks for an interpretation in which every formula of Axioms holds and Query (as written,
// not negated) fails: a counter-model of the query. Grounds the simplified formulas; every
// model found is checked against Originals (the same formulas unsimplified, the query last)
// before it is given, and one that fails the check is a fault: it is not given. Asks the host
// to yield between domain sizes and inside the solver.
void SearchModel(const std::vector<TFALFormula*>& Axioms, TFALFormula* Query,
                 const std::vector<TFALFormula*>& Originals, TModelSearch& Search);

// The model search command: for each query of the window's text (or only the query numbered
// Only), a counter-model of domain size up to MaxDomain, written as a block after a line with
// the query; the host is told of each query. Quantifiers have their standard meaning whatever
// the window's options. A stop or a failed allocation leaves a fresh program, as a proof run
// does.
enum class TRunOutcome;
TRunOutcome RunModelSearch(TPLProgram*& Program, int MaxDomain, std::int64_t Only = 0);
