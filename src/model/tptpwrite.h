// Nivar's formulas written in TPTP's syntax, for derivations that other tools read.
#pragma once

#include <string>

class TFALFormula;
class TId;
struct TTptpNaming;

enum class TTptpWriting {
    Bound,     // the bindings of variables written out: a formula as the prover holds it
    Unbound,   // bindings left out, their variables quantified: a source formula as written,
               // before Skolemization gave its existential variables their Skolem terms
    Unnegated, // as Unbound, the negation of the root taken back: a query as written
};

// The formula in TPTP, closed: each variable object gets a name of its own and is quantified
// where all its occurrences are in scope (a prefix that does not cover one of them is written
// where it does, its quantifier turned for each negation it passes). Names that TPTP would not
// read are quoted; the relations other than = and != become predicates (lt, le, gt, ge), the
// arithmetic operators functions (plus, minus, times, divide). With Naming (a document read
// from a TPTP problem) the names are the file's, and the reader's helpers truth constants.
std::string TptpFormula(TFALFormula* F, TTptpWriting How, const TTptpNaming* Naming);
// A term in TPTP, bindings written out.
std::string TptpTerm(TId* T, const TTptpNaming* Naming);
// Whether the term, bindings followed, holds a Skolem function: such a value is not a term of
// the problem's own symbols.
bool HoldsSkolemTerm(TId* T);
