// Case splitting of queries for best-first search and the automatic mode. A query whose
// connectives join several closed quantified parts (after moving quantifiers inwards over ∧
// and ∨) is proved case by case: each assignment of true and false to the parts that makes
// the query false is a case, written as a query of its own whose negation states the parts as
// the case has them. The query follows exactly when every case is refuted. Equivalences
// between quantified formulas, which resolution on whole formulas finds hard, come apart this
// way.
#pragma once

#include "model/runstate.h"

#include <cstdint>
#include <string>
#include <vector>

struct TSplitText {
    std::string Text;                // the document with the split queries replaced
    std::vector<TCaseQuery> Queries; // one per query of Text, in order
    bool Changed = false;            // whether a query was split
    // Where each formula of Text begins, and where it began in the document.
    std::vector<std::pair<std::size_t, std::size_t>> Starts;
    // An offset of Text as an offset of the document.
    std::size_t Original(std::size_t Offset) const;
};

// The document with each query that splits into 2 to MaxCases cases over at most MaxParts
// parts replaced by its cases. A query with a free variable (its answer), or with fewer than
// two quantified parts, stays as it is.
TSplitText SplitQueries(const std::string& Text, int MaxParts = 12, int MaxCases = 64);

// The case queries of one query (its text without "?-" and the final period), each a formula
// text without "?-"; empty when the query does not split.
std::vector<std::string> QueryCases(const std::string& Query, int MaxParts = 12, int MaxCases = 64);
