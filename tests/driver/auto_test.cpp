// The automatic mode: Skolemization, and configurations in turn until one refutes a query.
#include "model/runstate.h"
#include "support/prover.h"

namespace {
class Automatic : public TProverTest {};

TEST_F(Automatic, ShowsOnlyTheConfigurationThatRefutedTheQuery)
{
    // Pelletier's problem 19: linear search with "Exit on last match" follows one branch
    // without end; best-first search on the clause form, tried first, proves it.
    const auto Report = Run("?- ∃X [∀Y, Z [[p(Y)→q(Z)] → [p(X)→q(X)]]]. ", TStrategy::Auto);
    EXPECT_EQ(QueriesRefuted, 1);
    EXPECT_EQ(Report.back(), "Refuted by best-first search on the clause form, Skolemization.");
    int Yes = 0;
    int Headings = 0;
    for (const std::string& Line : Report) {
        Yes += Line.find(" YES.") != std::string::npos;
        Headings += Line.rfind("Solution to ", 0) == 0;
    }
    EXPECT_EQ(Yes, 1);
    EXPECT_EQ(Headings, 1) << "the lines of the configuration that failed are not shown";
    EXPECT_TRUE(Owner.Options.Checked(TOption::Exiton1)) << "the window's options are its own";
    EXPECT_FALSE(Owner.Options.Checked(TOption::Skolem1));
}

TEST_F(Automatic, IsSoundAndSaysWhatItTriedLast)
{
    const char* NonTheorems[] = {
        "∃X [p(X)]. ?- p(a). ",
        "∃Y [r(X, Y)]. ?- ∃X [r(X, X)]. ",
        "∀X [r(X) ∨ s(X)]. ?- ∀Y [r(Y)] ∨ ∀Z [s(Z)]. ",
    };
    for (const char* Text : NonTheorems) {
        SCOPED_TRACE(Text);
        const auto Report = Run(Text, TStrategy::Auto);
        EXPECT_EQ(QueriesRefuted, 0);
        EXPECT_EQ(Report.back(),
                  "Not refuted; last tried: best-first search on the clause form, Skolemization.");
    }
}

TEST_F(Automatic, AStopEndsTheScheduleToo)
{
    Owner.StopAt = 300;
    Run("q(0). ∀X [q(X) → q(X + 1)]. ?- r. ", TStrategy::Auto);
    EXPECT_EQ(LastOutcome, TRunOutcome::Stopped);
    EXPECT_EQ(StopReason, TStopReason::User);
}

// No mode of a search outlives it: a run after an automatic run that failed in its clause-form
// slot (an allocation that failed) is the run a fresh program makes.
TEST_F(Automatic, ARunAfterAFailedClauseFormSlotIsAFreshOne)
{
    const char* Text = "p ↔ q. p. ?- q. ";
    Set(TOption::Skolem1);
    const auto Fresh = Run(Text, TStrategy::BestFirst1);
    ASSERT_EQ(QueriesRefuted, 1);
    Owner.FailAt = Owner.Yields + 3; // inside the first slot: the clause form
    Run("q(0). ∀X [q(X) → q(X + 1)]. ?- r. ", TStrategy::Auto);
    EXPECT_EQ(LastOutcome, TRunOutcome::OutOfMemory);
    EXPECT_EQ(Run(Text, TStrategy::BestFirst1), Fresh) << "best-first search on whole formulas";
}
} // namespace
