// = as equality on the clause form and in the automatic mode: refutations with their report
// lines and answers, saturation as "does not follow", and the design's strategies left as
// they were.
#include "model/runstate.h"
#include "support/prover.h"

#include <algorithm>

namespace {
class Equality : public TProverTest {
protected:
    bool Has(const std::vector<std::string>& Lines, const std::string& Line)
    {
        return std::find(Lines.begin(), Lines.end(), Line) != Lines.end();
    }

    std::string Joined(const std::vector<std::string>& Lines)
    {
        std::string Out;
        for (const std::string& L : Lines)
            Out += L + "|";
        return Out;
    }
};

TEST_F(Equality, TheClauseFormRewritesWithAnEquation)
{
    Set(TOption::Skolem1);
    const auto Lines = Run("∀X [f(X) = g(X)].\np(f(a)).\n?- p(g(a)).\n", TStrategy::Clauses);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_TRUE(Owner.Outcomes[0].Refuted) << Joined(Lines);
    EXPECT_FALSE(Owner.Outcomes[0].CounterSatisfiable);
    // The design's linear strategy reads = as a relation of its own: no proof.
    Run("∀X [f(X) = g(X)].\np(f(a)).\n?- p(g(a)).\n", TStrategy::Linear);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_FALSE(Owner.Outcomes[0].Refuted);
}

TEST_F(Equality, KeptClausesAreReportedWithTheirParents)
{
    Set(TOption::Skolem1);
    Set(TOption::Stat);
    const auto Lines = Run("a = b.\nb = c.\nf(a) = d.\n?- f(c) = d.\n", TStrategy::Clauses);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_TRUE(Owner.Outcomes[0].Refuted) << Joined(Lines);
    // Each kept clause and the refutation name their parents; the statistics count the
    // rewriting steps.
    for (const char* Line :
         {"R0 [F1&F0] : c=a. ", "R1 [F3&R0] : ¬f(a)=d. ", "[F2&R1] :  YES.", "Resolvents : 2"})
        EXPECT_TRUE(Has(Lines, Line)) << Line << " in " << Joined(Lines);
    const auto Rewrites = std::find_if(Lines.begin(), Lines.end(), [](const std::string& L) {
        return L.rfind("Rewriting steps : ", 0) == 0;
    });
    ASSERT_NE(Rewrites, Lines.end()) << Joined(Lines);
    EXPECT_NE(*Rewrites, "Rewriting steps : 0");
}

// A query's variables get the values the refutation gave them, from the answer literal.
TEST_F(Equality, TheAnswerOfAQueryWithEquality)
{
    Set(TOption::Skolem1);
    const auto Lines = Run("f(a) = b.\np(b).\n?- ∃X p(f(X)).\n", TStrategy::Clauses);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_TRUE(Owner.Outcomes[0].Refuted);
    EXPECT_TRUE(Has(Lines, "X = a.")) << Joined(Lines);
    EXPECT_EQ(Owner.Outcomes[0].Answer, std::vector<std::string>{"a"});
    // Two values that the axioms leave open: both are told.
    const auto Both = Run("p(a) ∨ p(b).\nc = c.\n?- ∃X p(X).\n", TStrategy::Clauses);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_TRUE(Owner.Outcomes[0].Refuted);
    EXPECT_TRUE(Has(Both, "X = a, X = b.") || Has(Both, "X = b, X = a.")) << Joined(Both);
    EXPECT_TRUE(Owner.Outcomes[0].Answer.empty()) << "a disjunction is no answer tuple";
    // The same in best-first search on whole formulas.
    const auto Whole = Run("p(a) ∨ p(b).\n?- ∃X p(X).\n", TStrategy::BestFirst1);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_TRUE(Owner.Outcomes[0].Refuted);
    EXPECT_TRUE(Has(Whole, "X = a, X = b.")) << Joined(Whole);
    EXPECT_TRUE(Owner.Outcomes[0].Answer.empty());
    Run("p(a).\n?- ∃X p(X).\n", TStrategy::BestFirst1);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_EQ(Owner.Outcomes[0].Answer, std::vector<std::string>{"a"});
}

// A set of clauses that saturates without the empty clause has a model: the query does not
// follow, and the automatic mode says so without trying the other strategies.
TEST_F(Equality, SaturationMeansTheQueryDoesNotFollow)
{
    const auto Lines = Run("a = b.\n?- b = c.\n", TStrategy::Auto);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_FALSE(Owner.Outcomes[0].Refuted);
    EXPECT_TRUE(Owner.Outcomes[0].CounterSatisfiable);
    EXPECT_TRUE(Has(Lines, "Saturated by superposition on the clause form, Skolemization."))
        << Joined(Lines);
    // Two distinct numbers are never equal.
    Run("?- 1 = 2.\n", TStrategy::Auto);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_TRUE(Owner.Outcomes[0].CounterSatisfiable);
    Run("?- 1 ≠ 2.\n", TStrategy::Auto);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_TRUE(Owner.Outcomes[0].Refuted);
    // A number is its value, whether it was written whole or came of arithmetic on reals.
    Run("?- 2 + 3 = 5.\n?- 2.5 * 2 = 5.\n", TStrategy::Auto);
    ASSERT_EQ(Owner.Outcomes.size(), 2u);
    EXPECT_TRUE(Owner.Outcomes[0].Refuted);
    EXPECT_TRUE(Owner.Outcomes[1].Refuted);
    EXPECT_FALSE(Owner.Outcomes[1].CounterSatisfiable);
}

TEST_F(Equality, TheAutomaticModeProvesAGroupTheorem)
{
    const auto Lines = Run("∀X [m(e, X) = X].\n∀X [m(i(X), X) = e].\n"
                           "∀X, Y, Z [m(m(X, Y), Z) = m(X, m(Y, Z))].\n∀X [m(X, X) = e].\n"
                           "?- ∀X, Y [m(X, Y) = m(Y, X)].\n",
                           TStrategy::Auto);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_TRUE(Owner.Outcomes[0].Refuted);
    EXPECT_TRUE(Has(Lines, "Refuted by superposition on the clause form, Skolemization."))
        << Joined(Lines);
}

// A ring in which x^3 = x commutes: a long search, to be stopped or to run out of memory.
const char* const LongSearch =
    "∀X, Y, Z [a(a(X, Y), Z) = a(X, a(Y, Z))].\n∀X, Y [a(X, Y) = a(Y, X)].\n∀X [a(z, X) = X].\n"
    "∀X [a(n(X), X) = z].\n∀X, Y, Z [m(m(X, Y), Z) = m(X, m(Y, Z))].\n"
    "∀X, Y, Z [m(X, a(Y, Z)) = a(m(X, Y), m(X, Z))].\n"
    "∀X, Y, Z [m(a(X, Y), Z) = a(m(X, Z), m(Y, Z))].\n∀X [m(X, m(X, X)) = X].\n"
    "?- ∀X, Y [m(X, Y) = m(Y, X)].\n";

// Stopped inside superposition, the run ends as a stop; an allocation that fails there leaves
// a fresh program, and the next run is the one a fresh program makes.
TEST_F(Equality, AStopOrAFailedAllocationInsideSuperposition)
{
    Set(TOption::Skolem1);
    const char* Small = "a = b.\np(a).\n?- p(b).\n";
    const auto Fresh = Run(Small, TStrategy::Clauses);
    Owner.StopAt = Owner.Yields + 200;
    Run(LongSearch, TStrategy::Clauses);
    Owner.StopAt = -1;
    EXPECT_EQ(LastOutcome, TRunOutcome::Stopped);
    Owner.FailAt = Owner.Yields + 200;
    Run(LongSearch, TStrategy::Clauses);
    EXPECT_EQ(LastOutcome, TRunOutcome::OutOfMemory);
    EXPECT_EQ(Run(Small, TStrategy::Clauses), Fresh);
}

// A formula that does not become clauses (without Skolemization, an equivalence around a
// quantifier) leaves the search to the clause form's resolution, = without its meaning.
TEST_F(Equality, AFormulaThatIsNoClauseKeepsTheOldSearch)
{
    const auto Lines = Run("p ↔ ∃X [q(X)].\na = b.\n?- p ∨ ¬p.\n", TStrategy::Clauses);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_TRUE(Owner.Outcomes[0].Refuted);
    EXPECT_FALSE(CalculusReport.Ran);
    EXPECT_TRUE(Has(Lines, "R0 [F2&F2] : ¬p. ")) << Joined(Lines);
}
} // namespace
