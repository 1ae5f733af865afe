// Nivar's formulas written in TPTP's syntax, for derivations that other tools read.
#pragma once

#include <string>

class TFALFormula;
class TId;

enum class TTptpWriting {
    Bound,     // the bindings of variables written out: a formula as the prover holds it
    Unbound,   // bindings left out, their variables quantified: a source formula as written,
               // before Skolemization gave its existential variables their Skolem terms
    Unnegated, // as Unbound, the negation of the root taken back: a query as written
};

// The formula in TPTP: names that TPTP would not read are quoted, the relations other than =
// and != become predicates (lt, le, gt, ge), the arithmetic operators functions (plus, minus,
// times, divide), and each variable object gets a name of its own.
std::string TptpFormula(TFALFormula* F, TTptpWriting How = TTptpWriting::Bound);
// A name in TPTP: a lower word as it is, anything else in single quotes.
std::string TptpName(const std::string& Name);
// A term in TPTP, bindings written out.
std::string TptpTerm(TId* T);
