// A refutation's derivation as others read it: a TSTP derivation, a Graphviz graph.
#pragma once

#include "language/tptp.h"
#include "model/owner.h"

#include <string>
#include <vector>

// The lines of a TSTP derivation between "% SZS output start Refutation for Name" and its end:
// the source formulas used (a query as a conjecture and its negation), Skolemization as an
// inference of its own, each resolvent on the way with its parents (factoring and
// simplification folded into the step that made it), and $false.
// Sources gives the source term of a source formula: of axiom Fk the k-th of Axioms, of the
// query Query; where it says nothing, file('File'). Where it gives the formula as the file
// writes it (AxiomTexts, QueryText), that is the source line, and the prover's own reading of
// it, where it differs, an inference step of its own (canonicalize).
struct TDerivationSources {
    std::string File;
    std::vector<std::string> Axioms;
    std::string Query;
    std::vector<TTptpWritten> AxiomTexts;
    TTptpWritten QueryText;
};
std::vector<std::string> TstpDerivation(const std::vector<TProofStep>& Proof,
                                        const std::string& Name, const TDerivationSources& Sources);

// The derivation as a graph in Graphviz's DOT language: a node per formula, labelled with its
// label and printed form (UTF-8), the source formulas and the refutation drawn apart, an edge
// from each parent to what it gave.
std::string DotGraph(const std::vector<TProofStep>& Proof, const std::string& Name);
