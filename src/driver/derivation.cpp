#include "driver/derivation.h"

#include "language/codec.h"
#include "model/symbols.h"
#include "model/tptpnames.h"
#include "model/tptpwrite.h"

#include <cstdlib>
#include <map>
#include <set>

namespace {
std::string Lower(std::string S)
{
    for (char& C : S)
        if (C >= 'A' && C <= 'Z')
            C = static_cast<char>(C - 'A' + 'a');
    return S;
}

// A printed form without the report's spacing and final period.
std::string Bare(const std::string& Printed)
{
    const std::size_t First = Printed.find_first_not_of(' ');
    if (First == std::string::npos)
        return "";
    std::string Out = Printed.substr(First, Printed.find_last_not_of(' ') + 1 - First);
    if (!Out.empty() && Out.back() == '.')
        Out.pop_back();
    return Out;
}

// Whether the TPTP formula Reading is the formula of Written, as the reader reads them: the
// same Nivar formula, whatever the brackets and blanks.
bool SameFormula(const TTptpWritten& Written, const std::string& Reading)
{
    const TTptpProblem A =
        ReadTptp("", Written.Language + "(a, axiom, " + Written.Formula + ").", "");
    const TTptpProblem B = ReadTptp("", "fof(a, axiom, " + Reading + ").", "");
    return A.Error.empty() && B.Error.empty() && A.Formulas.size() == 1 && B.Formulas.size() == 1 &&
           A.Formulas[0].Text == B.Formulas[0].Text && !Written.Language.empty() &&
           Written.Language == "fof";
}

std::string Join(const std::vector<std::string>& Items)
{
    std::string Out;
    for (const std::string& I : Items)
        Out += (Out.empty() ? "" : ", ") + I;
    return Out;
}
} // namespace

std::vector<std::string> TstpDerivation(const std::vector<TProofStep>& Proof,
                                        const std::string& Name, const TDerivationSources& Sources)
{
    std::string File = TptpName(Sources.File);
    if (File.empty() || File[0] != '\'')
        File = "'" + File + "'";
    const std::string Unnamed = "file(" + File + ")";
    auto SourceOf = [&](const TProofStep& S) {
        if (S.Kind == TProofStep::NegatedQuery)
            return Sources.Query.empty() ? Unnamed : Sources.Query;
        const std::size_t K = std::strtoul(S.Label.c_str() + 1, nullptr, 10);
        return K < Sources.Axioms.size() ? Sources.Axioms[K] : Unnamed;
    };
    std::vector<std::string> Out;
    Out.push_back("% SZS output start Refutation for " + Name);
    // The name of the formula as the prover held it, for the steps that use it.
    std::map<std::string, std::string> Held;
    auto Parents = [&Held](const std::vector<std::string>& Labels) {
        std::vector<std::string> Names;
        for (const std::string& L : Labels)
            Names.push_back(Held.count(L) ? Held[L] : Lower(L));
        return Join(Names);
    };
    // The source of a step: its rule and parents.
    auto Inference = [&](const TProofStep& S) {
        if (!S.Inference.empty())
            return "inference(" + S.Inference + ", [status(thm)], [" + Parents(S.Parents) + "])";
        return std::string("inference(") +
               (S.Parents.size() == 1 ? "self_resolution" : "resolution") +
               ", [status(thm), folded(factoring, simplification)], [" + Parents(S.Parents) + "])";
    };
    // The formula as the file writes it, when the sources give it.
    auto Written = [&](const TProofStep& S) -> const TTptpWritten* {
        const TTptpWritten* W = nullptr;
        if (S.Kind == TProofStep::NegatedQuery) {
            W = &Sources.QueryText;
        } else {
            const std::size_t K = std::strtoul(S.Label.c_str() + 1, nullptr, 10);
            W = K < Sources.AxiomTexts.size() ? &Sources.AxiomTexts[K] : nullptr;
        }
        return W && !W->Formula.empty() ? W : nullptr;
    };
    // The prover's reading of a formula, where it is another text than the one before it, is
    // a step of its own: Role, named Name, from Parent.
    auto Canonical = [&](const TTptpWritten& Before, const std::string& Reading,
                         const std::string& Role, const std::string& Name,
                         const std::string& Parent) {
        if (SameFormula(Before, Reading))
            return Parent;
        Out.push_back("fof(" + Name + ", " + Role + ", " + Reading +
                      ", inference(canonicalize, [status(thm)], [" + Parent + "])).");
        return Name;
    };
    for (const TProofStep& S : Proof) {
        const std::string N = Lower(S.Label);
        const TTptpWritten* W = Written(S);
        switch (S.Kind) {
        case TProofStep::Axiom:
            if (W) {
                Out.push_back(W->Language + "(" + N + ", axiom, " + W->Formula + ", " +
                              SourceOf(S) + ").");
                Held[S.Label] = Canonical(*W, S.Source, "plain", N + "_c", N);
            } else {
                Out.push_back("fof(" + N + ", axiom, " + S.Source + ", " + SourceOf(S) + ").");
                Held[S.Label] = N;
            }
            break;
        case TProofStep::NegatedQuery:
            if (W) {
                const TTptpWritten Negated{"fof", "~ (" + W->Formula + ")"};
                Out.push_back("fof(" + N + "_query, conjecture, " + W->Formula + ", " +
                              SourceOf(S) + ").");
                Out.push_back("fof(" + N + ", negated_conjecture, " + Negated.Formula +
                              ", inference(negate, [status(cth)], [" + N + "_query])).");
                Held[S.Label] = Canonical(Negated, S.Negated, "negated_conjecture", N + "_c", N);
            } else {
                Out.push_back("fof(" + N + "_query, conjecture, " + S.Source + ", " + SourceOf(S) +
                              ").");
                Out.push_back("fof(" + N + ", negated_conjecture, " + S.Negated +
                              ", inference(negate, [status(cth)], [" + N + "_query])).");
                Held[S.Label] = N;
            }
            break;
        case TProofStep::Resolvent:
            Out.push_back("fof(" + N + ", plain, " + S.Tptp + ", " + Inference(S) + ").");
            Held[S.Label] = N;
            break;
        case TProofStep::Refutation:
            Out.push_back("fof(refutation, plain, $false, " + Inference(S) + ").");
            break;
        }
        if ((S.Kind == TProofStep::Axiom || S.Kind == TProofStep::NegatedQuery) && S.Skolemized) {
            Out.push_back("fof(" + N + "_sk, " +
                          (S.Kind == TProofStep::Axiom ? "plain" : "negated_conjecture") + ", " +
                          S.Tptp + ", inference(skolemize, [status(esa)], [" + Held[S.Label] +
                          "])).");
            Held[S.Label] = N + "_sk";
        }
    }
    Out.push_back("% SZS output end Refutation for " + Name);
    return Out;
}

std::string DotGraph(const std::vector<TProofStep>& Proof, const std::string& Name)
{
    std::string Out = "digraph " + Quoted(Name, '"') + " {\n";
    Out += "  node [shape=box, fontname=\"DejaVu Sans Mono\"];\n";
    for (const TProofStep& S : Proof) {
        const std::string Id = S.Kind == TProofStep::Refutation ? "refutation" : Lower(S.Label);
        std::string Label;
        std::string Style;
        switch (S.Kind) {
        case TProofStep::Axiom:
            Label = S.Label + " : " + EncodeReport(Bare(S.Printed));
            Style = ", style=\"rounded,filled\", fillcolor=\"#e8f0ff\"";
            break;
        case TProofStep::NegatedQuery:
            Label = S.Label + " (¬query) : " + EncodeReport(Bare(S.Printed));
            Style = ", style=\"rounded,filled\", fillcolor=\"#ffe8d8\"";
            break;
        case TProofStep::Resolvent:
            Label = S.Label + " : " + EncodeReport(Bare(S.Printed));
            break;
        case TProofStep::Refutation:
            Label = "⊥";
            Style = ", shape=doublecircle";
            break;
        }
        Out += "  " + Id + " [label=" + Quoted(Label, '"') + Style + "];\n";
        for (const std::string& P : S.Parents)
            Out += "  " + Lower(P) + " -> " + Id + ";\n";
    }
    return Out + "}\n";
}
