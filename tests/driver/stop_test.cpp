// Stops from anywhere in a run, what each kind of stop writes, and what the host is told.
#include "model/alloc.h"
#include "model/runstate.h"
#include "support/prover.h"

namespace {
class Stops : public TProverTest {};

// Skolem terms that double at each resolvent: a single unification walks for minutes.
constexpr const char* Doubling = "?- ∃X, Y [∀Z [f(X, Z) → [f(Y, Z) → [[f(X, Y) ↔ f(Z, Z)] → "
                                 "[[f(Y, X) ∨ f(Z, Z)] → [f(Z, X) ∨ f(Z, Y)]]]]]]. ";

TEST_F(Stops, AStopAskedFromInsideAWalkEndsTheRunThere)
{
    Set(TOption::Skolem1);
    Set(TOption::Progress, false);
    Owner.StopAtPoll = 40; // well inside the doubled terms
    Run(Doubling, TStrategy::Linear);
    EXPECT_EQ(LastOutcome, TRunOutcome::Stopped);
    EXPECT_EQ(Owner.Polls, 40) << "once stopped, the walks give up without asking again";
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_EQ(Owner.Outcomes[0].Stop, TStopReason::User);
    EXPECT_FALSE(Owner.Outcomes[0].Refuted);
    // The next run starts afresh and polls again.
    Owner.StopAtPoll = 2;
    Owner.Polls = 0;
    Run(Doubling, TStrategy::Linear);
    EXPECT_EQ(Owner.Polls, 2);
}

TEST_F(Stops, AUnificationAfterAStopFindsNoUnifier)
{
    TFALFormula* F = Keep(Compiled("p(f(X), Y). "));
    TFALFormula* G = Keep(Compiled("p(Z, a). "));
    EXPECT_NE(F->MF->UnifyS(G->MF), 0);
    Program->MGUn1.Clear();
    RequestStop(TStopReason::User);
    EXPECT_EQ(F->MF->UnifyS(G->MF), 0);
    EXPECT_EQ(Program->MGUn1.Count(), 0) << "no pair is left behind";
}

// The Stop command ends a run without its closing lines, as designed; a stop the run runs
// into (a limit) says why and closes the report.
TEST_F(Stops, OnlyTheStopCommandLeavesOutTheClosingLines)
{
    Set(TOption::Progress, false);
    Set(TOption::Redcheck1);
    const std::string Endless = "p(0). ∀X [p(X) → p(X + 1)]. ?- q. ";
    Owner.StopAt = 50;
    Set(TOption::Time);
    Owner.Text = Bytes(Endless);
    RunProgram(Program, TStrategy::ModifLinear1);
    EXPECT_EQ(StopReason, TStopReason::User);
    EXPECT_EQ(Owner.Lines.back().rfind("Solution to", 0), 0u) << Utf8(Owner.Lines.back());
    Owner.StopAt = -1;
    MemoryLimit = 1024 * 1024;
    RunProgram(Program, TStrategy::ModifLinear1);
    MemoryLimit = DefaultMemoryLimit();
    EXPECT_EQ(StopReason, TStopReason::MemoryLimit);
    const auto Report = Owner.Report();
    ASSERT_GE(Report.size(), 3u);
    EXPECT_EQ(Report[Report.size() - 3], "Stopped: the proof ran out of memory (limit 1 MB).");
    EXPECT_EQ(Report[Report.size() - 2].rfind("Solving time : ", 0), 0u);
    EXPECT_EQ(Report.back().rfind("Total allocated for NIVAR: ", 0), 0u);
}

TEST_F(Stops, TheHostHearsOfEveryQuery)
{
    Run("q(b). ∃X [p(X)]. ?- p(a). ?- q(b). ?- r. ", TStrategy::Linear);
    ASSERT_EQ(Owner.Outcomes.size(), 3u);
    EXPECT_EQ(Owner.Outcomes[0].Number, 1);
    EXPECT_TRUE(Owner.Outcomes[0].Refuted);
    EXPECT_EQ(Owner.Outcomes[0].ExistentialAt, 6) << "where ∃X [p(X)] begins";
    EXPECT_EQ(Owner.Outcomes[0].Existential, "X");
    EXPECT_EQ(Owner.Outcomes[1].ExistentialAt, -1)
        << "the refutation of q(b) does not use the axiom before it";
    EXPECT_FALSE(Owner.Outcomes[2].Refuted);
    EXPECT_EQ(Owner.Outcomes[2].ExistentialAt, -1) << "only a refutation is in doubt";
    EXPECT_EQ(Owner.Outcomes[2].Stop, TStopReason::None);
    // The doubt names the first formula that the refutation depends on, walked back through
    // the resolvents' parents; the query's own universal is one.
    Run("∃Y [q(Y)]. ∃X [p(X)]. ∀X [p(X) → r(X)]. ?- r(a). ?- ∀Z [s(Z) ∨ ¬s(Z)]. ",
        TStrategy::Breadthfirst1);
    ASSERT_EQ(Owner.Outcomes.size(), 2u);
    EXPECT_EQ(Owner.Outcomes[0].ExistentialAt, 11) << "where ∃X [p(X)] begins";
    EXPECT_EQ(Owner.Outcomes[0].Existential, "X");
    EXPECT_EQ(Owner.Outcomes[1].ExistentialAt, 49) << "the query itself";
    EXPECT_EQ(Owner.Outcomes[1].Existential, "Z");
    for (TOption Sound : {TOption::Quant1, TOption::Skolem1}) {
        Owner.Options = TOptionState();
        Set(Sound);
        Run("∃X [p(X)]. q(b). ?- q(b). ", TStrategy::Linear);
        ASSERT_EQ(Owner.Outcomes.size(), 1u);
        EXPECT_TRUE(Owner.Outcomes[0].Refuted);
        EXPECT_EQ(Owner.Outcomes[0].ExistentialAt, -1) << "the sound modes read quantifiers";
    }
}
} // namespace
