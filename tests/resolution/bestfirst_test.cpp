// The best-first search: fair, every atom pair, no formula a proof needs removed, Stop.
#include "model/runstate.h"
#include "support/prover.h"

namespace {
class BestFirst : public TProverTest {
protected:
    // Whether the document's one query is refuted by best-first search.
    bool Refuted(std::string_view Document)
    {
        Run(Document, TStrategy::BestFirst1);
        return QueriesEvaluated == 1 && QueriesRefuted == 1;
    }
};

// q(0), q(1), q(2)... all weigh as little as q(0), without end: taking the lightest formula
// alone would never reach the heavy fact. Every fourth given formula is the oldest waiting.
TEST_F(BestFirst, IsFairBetweenTheLightestAndTheOldest)
{
    Set(TOption::Progress, false);
    EXPECT_TRUE(Refuted("q(0). ∀X [q(X) → q(X + 1)]. heavy(a, b, c, d, e, f, g, h). "
                        "?- heavy(a, b, c, d, e, f, g, h). "));
    EXPECT_LT(ResolventCount, 20);
}

// Exit on first match keeps the linear search from the atom pair this proof needs.
TEST_F(BestFirst, ResolvesOnEveryAtomPair)
{
    const auto Report = Run("p(a). ∀X [p(X) → p(f(X))]. ?- p(f(a)). ", TStrategy::BestFirst1);
    EXPECT_EQ(QueriesRefuted, 1);
    EXPECT_EQ(CountLines(Report, "R0 [F1&F0] :  p(f(a)). "), 1) << "the consequent's atom too";
    Run("p(a). ∀X [p(X) → p(f(X))]. ?- p(f(a)). ", TStrategy::Linear);
    EXPECT_EQ(QueriesRefuted, 0) << "the linear search with its default exit does not";
}

// The design's consequence check drops a resolvent this ground proof needs; best-first keeps
// it under every check option, and with Skolemization.
TEST_F(BestFirst, KeepsWhatTheProofNeeds)
{
    const char* Ground = "t ∧ [[s∧r] ∨ r]. ?- q → [t ∧ [[s∧r] ∨ r]]. ";
    for (TOption Check : {TOption::Checkby1, TOption::Redcheck1, TOption::Checkby2}) {
        Owner.Options = TOptionState();
        Owner.Options.Choose(Check);
        EXPECT_TRUE(Refuted(Ground)) << OptionItem(Check).Name;
        Owner.Options.Set(TOption::Skolem1, true);
        EXPECT_TRUE(Refuted(Ground)) << OptionItem(Check).Name << " with Skolemization";
    }
    Owner.Options = TOptionState();
    Run(Ground, TStrategy::Linear);
    EXPECT_EQ(QueriesRefuted, 0) << "the linear search misses it";
}

// The first refutation ends the query whatever "All refutations" says; the report keeps the
// design's form.
TEST_F(BestFirst, EndsAtTheFirstRefutation)
{
    const auto Report = Run("p(a). ∀X [p(X) → q(X)]. ?- q(a). ", TStrategy::BestFirst1);
    EXPECT_TRUE(Owner.Options.Checked(TOption::Allref1));
    EXPECT_EQ(Report, (std::vector<std::string>{"Solution to ¬q(a). ", "R0 [F1&F0] :  q(a). ",
                                                "R1 [F1&F2] :  ¬p(a). ", "[R0&F2] :  YES."}));
    // A conjunction waits as its parts, each recorded from the formula alone.
    const auto Parts = Run("p(a) ∧ q(b). ?- q(b). ", TStrategy::BestFirst1);
    EXPECT_EQ(CountLines(Parts, "R0 [F0&F0] : p(a). "), 1);
    EXPECT_EQ(CountLines(Parts, "R1 [F0&F0] : q(b). "), 1);
}

TEST_F(BestFirst, AVariantIsNotKeptTwice)
{
    Set(TOption::Progress, false);
    Set(TOption::Stat);
    Run("∀X [p(X) → q(X)]. ∀Y [p(Y) → q(Y)]. p(a). ?- r. ", TStrategy::BestFirst1);
    EXPECT_EQ(QueriesRefuted, 0);
    EXPECT_EQ(ResolventCount, 1) << "q(a), from either rule, once";
    EXPECT_GE(RedundantCount, 1);
}

TEST_F(BestFirst, StopsInTheMiddleAndRunsAgain)
{
    const char* Endless = "q(0). ∀X [q(X) → q(X + 1)]. ?- r. ";
    Owner.StopAt = 200;
    Run(Endless, TStrategy::BestFirst1);
    EXPECT_EQ(LastOutcome, TRunOutcome::Stopped);
    EXPECT_GT(Owner.Lines.size(), 10u);
    Owner.StopAt = -1;
    EXPECT_TRUE(Refuted("p(a). ?- p(a). "));
}
} // namespace
