#include "model/runstate.h"
#include "support/prover.h"

#include <regex>

namespace {
class ProofRun : public TProverTest {
protected:
    // The report with the time and memory lines kept and their numbers masked.
    std::vector<std::string> Closing(std::string_view Document)
    {
        Owner.Text = Bytes(Document);
        Program->Strategy = TStrategy::Linear;
        StopRequested = false;
        Program->Generate();
        std::vector<std::string> Out;
        const std::regex Number("[0-9]+(\\.[0-9][0-9])?");
        for (const std::string& Line : Owner.Report())
            Out.push_back(std::regex_replace(Line, Number, "N"));
        return Out;
    }
    const std::string Overview = "p(a). ∀X [p(X) → q(X)]. ?- q(a). ";
};

TEST_F(ProofRun, TimeAndMemoryLinesFollowTheOptions)
{
    using L = std::vector<std::string>;
    EXPECT_EQ(Closing(""), (L{"Solving time : N s. Used memory for proof: N B.",
                              "Total allocated for NIVAR: N B."}));
    Set(TOption::Memory1, false);
    EXPECT_EQ(Closing(""), (L{"Solving time : N s. "}));
    Set(TOption::Memory1, true);
    Set(TOption::Time, false);
    EXPECT_EQ(Closing("p(a). "),
              (L{"Used memory for proof: N B.", "Total allocated for NIVAR: N B."}));
    Set(TOption::Memory1, false);
    EXPECT_EQ(Closing("p(a). q(b). "), L{});
    EXPECT_EQ(Program->ListF.Count(), 2) << "the axioms stay until the next run";
}

TEST_F(ProofRun, TheTimeLineHasTwoDecimalsAndAPeriod)
{
    Owner.Text = Bytes(Overview);
    Program->Strategy = TStrategy::Linear;
    Program->Generate();
    ASSERT_FALSE(Owner.Lines.empty());
    EXPECT_TRUE(std::regex_match(Owner.Lines[Owner.Lines.size() - 2],
                                 std::regex("Solving time : [0-9]+\\.[0-9]{2} s\\. Used memory for "
                                            "proof: -?[0-9]+ B\\.")));
}

TEST_F(ProofRun, ASyntaxErrorKeepsTheReportsBeforeItAndPlacesTheCaret)
{
    const std::string Text = "p(a). ?- p(a). q(b) r. ";
    EXPECT_EQ(Closing(Text),
              (std::vector<std::string>{"Solution to ¬p(a). ", "[FN&FN] :  YES.",
                                        "Solving time : N s. Used memory for proof: N B.",
                                        "Total allocated for NIVAR: N B."}));
    EXPECT_EQ(Owner.TakeMessages(), std::vector<std::string>{"Missing operator."});
    EXPECT_EQ(Owner.Caret, 19) << "right after q(b)";
    EXPECT_EQ(Program->ListF.Count(), 0);
    Closing("  \n ");
    EXPECT_EQ(Owner.TakeMessages(), std::vector<std::string>{"Missing expression."});
    EXPECT_EQ(Owner.Caret, 0);
}

TEST_F(ProofRun, EachQueryUsesOnlyTheAxiomsBeforeIt)
{
    const auto Report = Run("?- p(a). p(a). ?- p(a). ?- q. ", TStrategy::Linear);
    EXPECT_EQ(Report, (std::vector<std::string>{"Solution to ¬p(a). ", "Solution to ¬p(a). ",
                                                "[F1&F0] :  YES.", "Solution to ¬q. "}));
    EXPECT_EQ(Program->ListF.Count(), 1) << "queries are freed after their evaluation";
    EXPECT_EQ(QueriesEvaluated, 3);
    EXPECT_EQ(QueriesRefuted, 1);
}

TEST_F(ProofRun, TheListingOfResolventsIsWholeAfterOneRefutation)
{
    Set(TOption::Oneref1);
    Set(TOption::Resolvents);
    EXPECT_EQ(Run(Overview, TStrategy::Breadthfirst1),
              (std::vector<std::string>{"Solution to ¬q(a). ", "R0 [F2&F1] :  ¬p(a). ",
                                        "R1 [F1&F0] :  q(a). ", "[R1&F2] :  YES.",
                                        "_____________________", "Produced resolvents : ",
                                        "R0 :  ¬p(a). ", "R1 :  q(a). ", "_____________________"}));
}

// Stop ends the run without closing lines; the query in progress still closes its report.
TEST_F(ProofRun, StopLeavesNoClosingLinesAndAFreshProgram)
{
    const std::string Endless = "p(0). ∀X [p(X) → p(X + 1)]. ?- q. ";
    Set(TOption::Stat);
    for (std::int64_t At : {1, 2, 5, 50, 500}) {
        SCOPED_TRACE(At);
        Owner.StopAt = Owner.Yields + At;
        const auto Report = Run(Endless, TStrategy::ModifLinear1);
        EXPECT_EQ(Report.empty() ? "" : Report.back().substr(0, 5), At > 2 ? "_____" : "");
        for (const std::string& Line : Report)
            EXPECT_EQ(Line.find("Solving time"), std::string::npos);
        EXPECT_EQ(Program->ListF.Count(), 0) << "the run command replaced the program";
    }
    Owner.StopAt = -1;
    Set(TOption::Stat, false);
    EXPECT_EQ(Run(Overview, TStrategy::Linear),
              (std::vector<std::string>{"Solution to ¬q(a). ", "R0 [F2&F1] :  ¬p(a). ",
                                        "[R0&F0] :  YES."}));
}

TEST_F(ProofRun, AStopDuringTheLastQueryWritesNoClosingLines)
{
    Owner.Text = Bytes("p(0). ∀X [p(X) → p(X + 1)]. ?- q. ");
    Set(TOption::Time);
    Set(TOption::Memory1);
    Owner.StopAt = 200;
    Program->Strategy = TStrategy::ModifLinear1;
    StopRequested = false;
    Program->Generate();
    EXPECT_TRUE(StopRequested);
    for (const std::string& Line : Owner.Lines) {
        EXPECT_EQ(Line.find("Solving time"), std::string::npos);
        EXPECT_EQ(Line.find("Total allocated"), std::string::npos);
    }
}

// The linear search nests one partner loop per resolvent along a branch, without bound.
TEST_F(ProofRun, ASearchTensOfThousandsOfLevelsDeep)
{
    Set(TOption::Redcheck1);
    Set(TOption::Progress, false);
    Set(TOption::Stat);
    Owner.StopAt = 120000;
    const auto Report = Run("p(0). ∀X [p(X) → p(X + 1)]. ?- q. ", TStrategy::ModifLinear1);
    ASSERT_GE(Report.size(), 8u);
    const std::string Count = Report[2];
    ASSERT_EQ(Count.substr(0, 13), "Resolvents : ");
    EXPECT_GT(std::stoll(Count.substr(13)), 30000);
}

TEST_F(ProofRun, QuantifiersKeepTheirMeaningWithQuantificationOn)
{
    Set(TOption::Quant1);
    const char* NonTheorems[] = {
        "∀X [r(X) ∨ s(X)]. ?- ∀Y [r(Y)] ∨ ∀Z [s(Z)]. ",
        "∀X ∃Y [lt(X, Y)]. ?- ∃X [lt(X, X)]. ",
        "∃Y [¬p(f(Y))]. ∀X [p(X) ∨ q(X)]. ?- ∀Z [q(f(Z))]. ",
        "∃X [p(X)]. ?- p(a). ",
    };
    const char* Theorems[] = {
        "∀X ∃Y [lt(X, Y)]. ?- ∀X ∃Y [lt(X, Y)]. ",
        "∃Y [¬p(f(Y))]. ∀X [p(X) ∨ q(X)]. ?- ∃Z [q(f(Z))]. ",
    };
    for (TStrategy S : {TStrategy::Linear, TStrategy::Breadthfirst1, TStrategy::ModifLinear1}) {
        SCOPED_TRACE(static_cast<int>(S));
        for (const char* Text : NonTheorems) {
            SCOPED_TRACE(Text);
            Run(Text, S);
            EXPECT_EQ(QueriesRefuted, 0);
        }
        for (const char* Text : Theorems) {
            SCOPED_TRACE(Text);
            Run(Text, S);
            EXPECT_EQ(QueriesRefuted, 1);
        }
    }
}
} // namespace
