// TPTP problems (FOF and CNF) read into Nivar documents: the reader of a problem and its
// includes, and the document it becomes (model/tptpwrite writes formulas back in TPTP).
#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <vector>

// One annotated formula of a problem, in Nivar's language.
struct TTptpFormula {
    std::string Name;    // the TPTP name
    std::string Role;    // axiom, hypothesis, conjecture, negated_conjecture...
    std::string Text;    // the formula in Nivar's language (symbol bytes), without its period
    std::string Tptp;    // the formula as the file writes it, on one line
    bool Clause = false; // a cnf formula
    bool Query = false;  // a conjecture: proved as a query
    std::string File;    // where it stands
    std::size_t Line = 0;
    std::size_t Column = 0;
};

struct TTptpProblem {
    std::vector<TTptpFormula> Formulas; // as read, includes in place
    bool HasConjecture = false;
    bool UsesEquality = false;
    // The functions and predicates of the problem, "name/arity", in order of appearance; the
    // equality axioms are made of them.
    std::vector<std::string> Functions;
    std::vector<std::string> Predicates;
    // Every functor and predicate name as the file has it (without quotes).
    std::set<std::string> Names;
    // The fof formulas that are not closed, "name: variable" (a variable no quantifier binds,
    // which Nivar reads as universal).
    std::vector<std::string> Open;
    // When the problem cannot be read: "FILE:LINE:COLUMN: error: message" of the first fault,
    // and its place.
    std::string Error;
    std::string ErrorFile;
    bool Stopped = false; // the reading was stopped before its end
    std::size_t ErrorLine = 0;
    std::size_t ErrorColumn = 0;
};

// Whether the text is a TPTP problem: its first formula, after comments, begins with "fof("
// or "cnf(" (or it is an include).
bool LooksLikeTptp(const std::string& Text);

// Reads the problem in Text, which stands in the file Path. An include is read relative to the
// folder of the file that includes it, then relative to the folder TptpRoot (the TPTP
// environment variable; empty for none). Stop, when given, is asked now and then while the
// text and its includes are read: once it says so, the reading ends (Stopped).
TTptpProblem ReadTptp(const std::string& Path, const std::string& Text, const std::string& TptpRoot,
                      const std::function<bool()>& Stop = {});

// The problem as a Nivar document: the axioms, then one query per conjecture, each formula on
// a line of its own under a "% name (role)" line. A problem without a conjecture gets a query
// that no axiom mentions, so that a refutation is a refutation of the axioms alone. With
// EqualityAxioms, the axioms of equality come first: reflexivity, symmetry, transitivity, and
// one substitution axiom per argument of every function and predicate.
// Places, when given, gets where each formula of the problem begins in the document.
struct TTptpPlace {
    std::size_t Offset; // in the document
    std::string File;
    std::size_t Line;
    std::size_t Column;
};
std::string NivarDocument(const TTptpProblem& Problem, bool EqualityAxioms,
                          std::vector<TTptpPlace>* Places = nullptr);

// Where the formulas of NivarDocument come from, as TSTP source terms: the axioms in the order
// of the document (file('FileName', name), or theory(equality) for an axiom of equality), and
// one per query.
// With each its formula as the file writes it (Language "fof" or "cnf"; empty for an axiom of
// equality and the query of a problem without a conjecture).
struct TTptpWritten {
    std::string Language;
    std::string Formula;
};
struct TTptpSources {
    std::vector<std::string> Axioms;
    std::vector<std::string> Queries;
    std::vector<TTptpWritten> AxiomTexts;
    std::vector<TTptpWritten> QueryTexts;
};
TTptpSources TptpSources(const TTptpProblem& Problem, bool EqualityAxioms,
                         const std::string& FileName);

// A TPTP problem read into a Nivar document, with what a host needs of it: the document
// (empty when the problem was not read: Problem tells why), where each formula of the problem
// stands in it, and the sources of its formulas for derivations.
struct TTptpDocument {
    TTptpProblem Problem;
    std::string Text;
    std::vector<TTptpPlace> Places;
    TTptpSources Sources;
};
// Reads the problem in Text, which stands in the file Path (includes also under Root), and
// writes its document: Head first, then the axioms of equality when EqualityAxioms and the
// problem uses equality, then the problem's formulas. Stop as for ReadTptp.
TTptpDocument ReadTptpDocument(const std::string& Path, const std::string& Text,
                               const std::string& Root, bool EqualityAxioms,
                               const std::string& Head = "",
                               const std::function<bool()>& Stop = {});
