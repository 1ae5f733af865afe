// Derivations of refutations: TSTP whose every step follows from its parents, and DOT graphs.
#include "driver/derivation.h"
#include "language/codec.h"
#include "language/tptp.h"
#include "model/runstate.h"
#include "model/tptpnames.h"
#include "support/prover.h"

#include <map>

namespace {
// One fof line of a derivation, taken apart.
struct TStep {
    std::string Name;
    std::string Role;
    std::string Formula;
    std::string Source;
    std::vector<std::string> Parents;
};

TStep Parse(const std::string& Line)
{
    TStep S;
    EXPECT_TRUE(Line.rfind("fof(", 0) == 0 || Line.rfind("cnf(", 0) == 0) << Line;
    const std::size_t A = Line.find(", ");
    const std::size_t B = Line.find(", ", A + 2);
    S.Name = Line.substr(4, A - 4);
    S.Role = Line.substr(A + 2, B - A - 2);
    std::size_t C = std::string::npos;
    for (const char* Source : {", inference(", ", file(", ", theory(", ", introduced("})
        C = std::min(C, Line.rfind(Source));
    EXPECT_NE(C, std::string::npos) << Line;
    S.Formula = Line.substr(B + 2, C - B - 2);
    S.Source = Line.substr(C + 2, Line.size() - C - 4);
    if (S.Source.rfind("inference(", 0) == 0) {
        const std::size_t Open = S.Source.rfind('[');
        std::string List = S.Source.substr(Open + 1, S.Source.rfind(']') - Open - 1);
        for (std::size_t At = 0; At < List.size();) {
            const std::size_t Comma = std::min(List.find(", ", At), List.size());
            S.Parents.push_back(List.substr(At, Comma - At));
            At = Comma + 2;
        }
    }
    return S;
}

class Derivations : public TProverTest {
protected:
    void TearDown() override
    {
        RecordProofs = false;
        CaseSplitting = true;
        TProverTest::TearDown();
    }

    // Proves the TPTP problem with a derivation recorded, as nivar-prove does; its TSTP lines.
    // Clauses: best-first search on the clause form.
    std::vector<std::string> Derive(const std::string& Problem, TStrategy Strategy)
    {
        const TTptpProblem P = ReadTptp("problem.p", Problem, "");
        EXPECT_EQ(P.Error, "");
        RecordProofs = true;
        CaseSplitting = false; // as nivar-prove --proof
        Set(TOption::Skolem1);
        Owner.StopAt = 200000;
        Naming.Taken = P.Names;
        Owner.TptpNaming = &Naming;
        Run(EncodeReport(NivarDocument(P, false)), Strategy);
        Owner.TptpNaming = nullptr;
        EXPECT_EQ(Owner.Outcomes.size(), 1u);
        if (Owner.Outcomes.size() != 1 || !Owner.Outcomes[0].Refuted)
            return {};
        const TTptpSources T = TptpSources(P, false, "problem.p");
        return TstpDerivation(
            Owner.Outcomes[0].Proof, "problem",
            {"problem.p", T.Axioms, T.Queries.at(0), T.AxiomTexts, T.QueryTexts.at(0)});
    }

    // Whether Formula follows from Parents (false: the parents are contradictory), proved by
    // Nivar in a sound mode.
    bool Follows(const std::vector<std::string>& Parents, const std::string& Formula)
    {
        std::string Problem;
        for (std::size_t I = 0; I < Parents.size(); ++I)
            Problem += "fof(p" + std::to_string(I) + ", axiom, " + Parents[I] + ").\n";
        if (Formula != "$false")
            Problem += "fof(step, conjecture, " + Formula + ").\n";
        const TTptpProblem P = ReadTptp("step.p", Problem, "");
        EXPECT_EQ(P.Error, "") << Problem;
        RecordProofs = false;
        CaseSplitting = true;
        Set(TOption::Skolem1);
        Owner.StopAt = 200000;
        // A step of the equality calculus is checked with the axioms of equality.
        Run(EncodeReport(NivarDocument(P, P.UsesEquality)), TStrategy::BestFirst1);
        return Owner.Outcomes.size() == 1 && Owner.Outcomes[0].Refuted;
    }

    TTptpNaming Naming;

    // The derivation is TPTP whose every formula is closed; every resolution step is proved
    // again from its parents, the negation of the conjecture is what it says, and the
    // derivation ends in $false.
    void ExpectEveryStepFollows(const std::vector<std::string>& Lines)
    {
        ASSERT_GE(Lines.size(), 3u);
        EXPECT_EQ(Lines.front(), "% SZS output start Refutation for problem");
        EXPECT_EQ(Lines.back(), "% SZS output end Refutation for problem");
        std::string Text;
        for (const std::string& L : Lines)
            Text += L + "\n";
        const TTptpProblem Read = ReadTptp("derivation.p", Text, "");
        EXPECT_EQ(Read.Error, "");
        EXPECT_EQ(Read.Open, std::vector<std::string>{}) << "a formula that is not closed";
        std::map<std::string, TStep> Known;
        int Checked = 0;
        for (std::size_t I = 1; I + 1 < Lines.size(); ++I) {
            const TStep S = Parse(Lines[I]);
            SCOPED_TRACE(Lines[I]);
            for (const std::string& P : S.Parents)
                EXPECT_TRUE(Known.count(P)) << "a parent " << P << " comes before its child";
            EXPECT_FALSE(Known.count(S.Name)) << "one name a formula";
            Known[S.Name] = S;
            if (S.Source.find("status(thm)") == std::string::npos)
                continue; // a source, a negation, a Skolemization
            std::vector<std::string> Parents;
            for (const std::string& P : S.Parents)
                Parents.push_back(Known[P].Formula);
            EXPECT_TRUE(Follows(Parents, S.Formula));
            ++Checked;
        }
        EXPECT_GT(Checked, 0);
        EXPECT_EQ(Parse(Lines[Lines.size() - 2]).Formula, "$false");
    }
};

TEST_F(Derivations, EveryStepFollowsFromItsParents)
{
    const char* Problems[] = {
        // Skolem functions on the way.
        "fof(a, axiom, ? [X] : p(X)).\n"
        "fof(b, axiom, ! [X] : (p(X) => ? [Y] : r(X, Y))).\n"
        "fof(unused, axiom, ! [X] : s(X)).\n"
        "fof(c, conjecture, ? [U, V] : r(U, V)).\n",
        // Equivalences and a disjunction.
        "fof(a, axiom, ! [X] : (p(X) <=> q(X))).\n"
        "fof(b, axiom, p(a) | p(b)).\n"
        "fof(c, conjecture, ? [X] : q(X)).\n",
        // Pelletier's problem 18: the negated query resolves with itself.
        "fof(c, conjecture, ? [Y] : ! [X] : (f(Y) => f(X))).\n",
        // A chain of implications.
        "fof(a, axiom, ! [X] : (p(X) => q(X))).\n"
        "fof(b, axiom, ! [X] : (q(X) => r(f(X)))).\n"
        "fof(c, axiom, p(a)).\n"
        "fof(d, conjecture, r(f(a))).\n",
        // Pelletier's problem 43: resolvents whose prefix does not cover every occurrence of
        // its variable.
        "fof(a, axiom, ! [X, Y] : (set_equal(X, Y) <=> ! [Z] : (element(Z, X) <=> "
        "element(Z, Y)))).\n"
        "fof(c, conjecture, ! [X, Y] : (set_equal(X, Y) <=> set_equal(Y, X))).\n",
    };
    for (const char* Problem : Problems)
        for (int Way = Problem == Problems[4] ? 1 : 0; Way < 3; ++Way) { // 43: not linear
            const TStrategy S = Way == 0   ? TStrategy::Linear
                                : Way == 1 ? TStrategy::BestFirst1
                                           : TStrategy::Clauses;
            SCOPED_TRACE(Problem + std::string(Way == 0   ? "linear"
                                               : Way == 1 ? "best"
                                                          : "clauses"));
            const std::vector<std::string> Lines = Derive(Problem, S);
            ExpectEveryStepFollows(Lines);
            for (const std::string& L : Lines)
                EXPECT_EQ(L.find("unused"), std::string::npos) << "only what the refutation needs";
        }
}

// Superposition's steps name their inference and follow from their parents with the axioms
// of equality.
TEST_F(Derivations, EqualityStepsFollowFromTheirParents)
{
    const struct {
        const char* Problem;
        const char* Inference;
    } Cases[] = {
        {"fof(a, axiom, ! [X] : f(X) = g(X)).\nfof(b, axiom, p(f(a))).\n"
         "fof(c, conjecture, p(g(a))).\n",
         "inference(rewriting, [status(thm)]"},
        {"fof(a, axiom, ! [X] : (X != a | q(X))).\nfof(c, conjecture, q(a)).\n",
         "inference(equality_resolution, [status(thm)]"},
        {"fof(a, axiom, ! [X] : (f(X) = a | f(X) = b)).\nfof(b, axiom, ! [X] : (f(X) != a)).\n"
         "fof(c, conjecture, f(c) = b).\n",
         "inference(simplify_reflect, [status(thm)]"},
        {"fof(a, axiom, ! [X] : m(e, X) = X).\nfof(b, axiom, ! [X] : m(X, X) = e).\n"
         "fof(c, axiom, ! [X, Y, Z] : m(m(X, Y), Z) = m(X, m(Y, Z))).\n"
         "fof(d, conjecture, ! [X, Y] : m(X, m(X, Y)) = Y).\n",
         "inference(superposition, [status(thm)]"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Problem);
        const std::vector<std::string> Lines = Derive(Case.Problem, TStrategy::Clauses);
        ExpectEveryStepFollows(Lines);
        std::string Text;
        for (const std::string& L : Lines)
            Text += L + "\n";
        EXPECT_NE(Text.find(Case.Inference), std::string::npos) << Text;
    }
}

// The check above is a real one: a step that does not follow is caught.
TEST_F(Derivations, AStepThatDoesNotFollowIsCaught)
{
    EXPECT_TRUE(Follows({"(! [X] : (p(X) => q(X)))", "p(a)"}, "q(a)"));
    EXPECT_FALSE(Follows({"(! [X] : (p(X) => q(X)))", "p(a)"}, "q(b)"));
    EXPECT_FALSE(Follows({"(? [X] : p(X))"}, "p(a)"));
}

TEST_F(Derivations, SourcesNamedAsTheProblemNamesThem)
{
    const std::vector<std::string> Lines =
        Derive("fof(a1, axiom, ! [X] : (p(X) => q(X))).\nfof('a 2', hypothesis, p(a)).\n"
               "fof(c, conjecture, q(a)).\n",
               TStrategy::Linear);
    EXPECT_EQ(Lines, (std::vector<std::string>{
                         "% SZS output start Refutation for problem",
                         "fof(f2_query, conjecture, q(a), file('problem.p', c)).",
                         "fof(f2, negated_conjecture, ~ (q(a)), inference(negate, "
                         "[status(cth)], [f2_query])).",
                         "fof(f0, axiom, ! [X] : (p(X) => q(X)), file('problem.p', a1)).",
                         "fof(r0, plain, ~ p(a), inference(resolution, [status(thm), "
                         "folded(factoring, simplification)], [f2, f0])).",
                         "fof(f1, axiom, p(a), file('problem.p', 'a 2')).",
                         "fof(refutation, plain, $false, inference(resolution, [status(thm), "
                         "folded(factoring, simplification)], [r0, f1])).",
                         "% SZS output end Refutation for problem",
                     }));
}

// A source line is the formula as the file writes it; the prover's reading of it, where it is
// another formula, is a step of its own that a checker proves again.
TEST_F(Derivations, SourcesAreTheFormulasOfTheFile)
{
    const std::vector<std::string> Lines =
        Derive("fof(b, axiom, ~~q).\nfof(c, axiom, ~ ? [X] : ~ r(X)).\n"
               "cnf(d, axiom, ~ s(X) | t(X)).\nfof(e, axiom, (s(a) <= r(a)) | ~q).\n"
               "fof(g, conjecture, ? [Y] : (q & t(Y))).\n",
               TStrategy::BestFirst1);
    ExpectEveryStepFollows(Lines);
    for (const char* Line : {
             "fof(f0, axiom, ~ ~ q, file('problem.p', b)).",
             "fof(f0_c, plain, q, inference(canonicalize, [status(thm)], [f0])).",
             "fof(f1, axiom, ~ ? [X] : ~ r(X), file('problem.p', c)).",
             "fof(f1_c, plain, (! [X] : r(X)), inference(canonicalize, [status(thm)], [f1])).",
             "cnf(f2, axiom, ~ s(X) | t(X), file('problem.p', d)).",
             "fof(f2_c, plain, (! [X] : (~ s(X) | t(X))), inference(canonicalize, "
             "[status(thm)], [f2])).",
             "fof(f3, axiom, (s(a) <= r(a)) | ~ q, file('problem.p', e)).",
             "fof(f4_query, conjecture, ? [Y] : (q & t(Y)), file('problem.p', g)).",
             "fof(f4, negated_conjecture, ~ (? [Y] : (q & t(Y))), inference(negate, "
             "[status(cth)], [f4_query])).",
         })
        EXPECT_NE(std::find(Lines.begin(), Lines.end(), Line), Lines.end()) << Line;
}

TEST_F(Derivations, SkolemizationIsAStepOfItsOwn)
{
    const std::vector<std::string> Lines = Derive("fof(a, axiom, ? [X] : p(X)).\n"
                                                  "fof(c, conjecture, ? [Y] : p(Y)).\n",
                                                  TStrategy::Linear);
    ASSERT_FALSE(Lines.empty());
    EXPECT_NE(std::find(Lines.begin(), Lines.end(),
                        "fof(f0_sk, plain, p(sk1), inference(skolemize, [status(esa)], [f0]))."),
              Lines.end());
    EXPECT_NE(Lines[Lines.size() - 2].find(", f0_sk]"), std::string::npos)
        << "the resolution uses the Skolemized form";
}

const char* const SmallProof = "∀X [p(X) → q(X)].\np(a).\n?- q(a).\n";

TEST_F(Derivations, DotGraphOfASmallProof)
{
    RecordProofs = true;
    Set(TOption::Skolem1);
    Run(SmallProof, TStrategy::Linear);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_EQ(DotGraph(Owner.Outcomes[0].Proof, "small \"one\""),
              "digraph \"small \\\"one\\\"\" {\n"
              "  node [shape=box, fontname=\"DejaVu Sans Mono\"];\n"
              "  f2 [label=\"F2 (¬query) : ¬q(a)\", style=\"rounded,filled\", "
              "fillcolor=\"#ffe8d8\"];\n"
              "  f0 [label=\"F0 : [p(X)→q(X)]\", style=\"rounded,filled\", "
              "fillcolor=\"#e8f0ff\"];\n"
              "  r0 [label=\"R0 : ¬p(a)\"];\n"
              "  f2 -> r0;\n"
              "  f0 -> r0;\n"
              "  f1 [label=\"F1 : p(a)\", style=\"rounded,filled\", fillcolor=\"#e8f0ff\"];\n"
              "  refutation [label=\"⊥\", shape=doublecircle];\n"
              "  r0 -> refutation;\n"
              "  f1 -> refutation;\n"
              "}\n");
}
} // namespace
