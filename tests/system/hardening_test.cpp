#include "model/alloc.h"
#include "model/runstate.h"
#include "support/prover.h"

#include <array>
#include <regex>

namespace {
class Hardening : public TProverTest {
protected:
    void TearDown() override
    {
        SetAllocationLimit(0);
        TProverTest::TearDown();
    }
    // The first message of a run, or "refuted" / "not refuted".
    std::string Verdict(const std::string& Document)
    {
        Owner.TakeMessages();
        Owner.Text = Document; // bytes as they are
        Set(TOption::Time, false);
        Set(TOption::Memory1, false);
        LastOutcome = RunProgram(Program, TStrategy::Linear);
        const std::vector<std::string> Messages = Owner.TakeMessages();
        if (!Messages.empty())
            return Messages[0];
        return QueriesRefuted > 0 ? "refuted" : "not refuted";
    }
};

TEST_F(Hardening, HostileDocumentsGetAClearErrorOrACorrectResult)
{
    const std::string Long(1000000, 'a');
    std::string SameName;
    for (int I = 0; I < 5000; ++I)
        SameName += Bytes("∀X ");
    std::string Equivalences = "p";
    for (int I = 0; I < 40; ++I)
        Equivalences += Bytes(" ↔ p");
    const std::pair<std::string, std::string> Rows[] = {
        {"p(\"never closed", "String literal not closed."},
        {"p(\"a. b\"). ", "String literal not closed."},
        {std::string("p(a). \0 ?- p(a). ", 17), "NUL character in the text."},
        {std::string("p(a\0). ", 7), "NUL character in the text."},
        {"p(1e99999). ", "Invalid real expression."},
        {"p(1.2.3). ", "Invalid real expression."},
        {"p(99999999999). ", "Invalid integer expression."},
        {std::string(1000000, '[') + "p" + std::string(1000000, ']') + ". ",
         "Expression nested too deeply."},
        {"p" + Long + ". ?- p" + Long + ". ", "refuted"},
        {"p(\"" + Long + "\"). ?- ∃X [p(X)]. ", "refuted"},
        {SameName + "p(X). ?- p(a). ", "refuted"},
        {std::string(100 * 1024 * 1024, ' ') + "p(a). ?- p(a). ", "refuted"},
    };
    for (const auto& [Text, Expected] : Rows) {
        SCOPED_TRACE(Text.substr(0, 40));
        EXPECT_EQ(Verdict(Bytes(Text)), Expected);
    }
    Set(TOption::Quant1);
    EXPECT_EQ(Verdict(Equivalences + ". "), "Formula too large.");
    EXPECT_EQ(Verdict(std::string("p(a). ?- p(a). \0", 16)), "NUL character in the text.");
    EXPECT_EQ(Owner.Caret, 15) << "the caret stands before the NUL";
}

// Resolvents that grow without end stop the run before any walk could exhaust the stack.
TEST_F(Hardening, AResolventPastTheNestingLimitStopsTheRun)
{
    Set(TOption::Redcheck1);
    Set(TOption::Progress, false);
    DepthLimit = 300;
    const auto Report = Run("p(a). ∀X [p(X) → p(f(X))]. ?- q. ", TStrategy::ModifLinear1);
    EXPECT_EQ(CountLines(Report, "Stopped: a resolvent is nested more than 300 levels deep."), 1);
    EXPECT_EQ(LastOutcome, TRunOutcome::Stopped);
    SizeLimit = 5000;
    const auto Wide = Run("p(a). ∀X [p(X) → p(g(X, X))]. ?- q. ", TStrategy::ModifLinear1);
    EXPECT_EQ(CountLines(Wide, "Stopped: a resolvent has more than 5000 symbols."), 1);
}

TEST_F(Hardening, TheMemoryLimitStopsARunWithAClearLine)
{
    Set(TOption::Redcheck1);
    Set(TOption::Progress, false);
    MemoryLimit = 1024 * 1024;
    const auto Report = Run("p(0). ∀X [p(X) → p(X + 1)]. ?- q. ", TStrategy::ModifLinear1);
    EXPECT_EQ(CountLines(Report, "Stopped: the proof ran out of memory (limit 1 MB)."), 1);
    EXPECT_EQ(LastOutcome, TRunOutcome::Stopped);
    MemoryLimit = DefaultMemoryLimit();
    EXPECT_EQ(Run("p(a). ?- p(a). ", TStrategy::Linear).back(), "[F1&F0] :  YES.");
}

TEST_F(Hardening, AnAllocationFailureInARunReleasesItsFormulas)
{
    Set(TOption::Redcheck1);
    Owner.FailAt = 500;
    Run("p(0). ∀X [p(X) → p(X + 1)]. ?- q. ", TStrategy::ModifLinear1);
    EXPECT_EQ(LastOutcome, TRunOutcome::OutOfMemory);
    EXPECT_EQ(Program->ListF.Count(), 0);
    EXPECT_EQ(Run("p(a). ?- p(a). ", TStrategy::Linear).back(), "[F1&F0] :  YES.");
    // A real allocation failure anywhere in the run, where the process counts allocations.
    if (!SetAllocationLimit(AllocatedBytes() + 4 * 1024 * 1024))
        GTEST_SKIP() << "the sanitizer's allocator counts allocations here";
    Run("p(0). ∀X [p(X) → p(X + 1)]. ?- q. ", TStrategy::ModifLinear1);
    SetAllocationLimit(0);
    EXPECT_EQ(LastOutcome, TRunOutcome::OutOfMemory);
    EXPECT_EQ(Run("p(a). ?- p(a). ", TStrategy::Linear).back(), "[F1&F0] :  YES.");
}

// Running the same document again and again holds no more memory than running it twice.
TEST_F(Hardening, RepeatedRunsDoNotGrow)
{
    Set(TOption::Stat);
    Set(TOption::Resolvents);
    const std::string Family = "parent(tom, bob). parent(bob, ann). "
                               "∀X ∀Y ∀Z [parent(X, Y) ∧ parent(Y, Z) → grand(X, Z)]. "
                               "?- ∃W [grand(tom, W)]. ";
    std::vector<std::int64_t> Totals;
    for (int I = 0; I < 12; ++I) {
        Owner.Text = Bytes(Family);
        StopRequested = false;
        Program->Strategy = TStrategy::Breadthfirst1;
        Program->Generate();
        const std::string Last = Owner.Lines.back();
        ASSERT_EQ(Last.rfind("Total allocated for NIVAR: ", 0), 0u);
        Totals.push_back(std::stoll(Last.substr(27)));
    }
    EXPECT_LE(Totals.back() - Totals[2], 512) << "growth between the third and the last run";
}

// Stop at any point of a run (compiling, searching, checking, listing) and the next run
// writes the whole report again.
TEST_F(Hardening, AStopAnywhereLeavesAProgramThatRunsCorrectlyNextTime)
{
    Set(TOption::Resolvents);
    Set(TOption::Stat);
    Set(TOption::Axioms);
    const std::string Family = "parent(tom, bob). parent(bob, ann). "
                               "∀X ∀Y ∀Z [parent(X, Y) ∧ parent(Y, Z) → grand(X, Z)]. "
                               "?- ∃W [grand(tom, W)]. ?- parent(X, ann). ";
    const std::string Full = RunText(Family, TStrategy::Breadthfirst1);
    const std::int64_t Yields = Owner.Yields;
    ASSERT_GT(Yields, 100);
    for (std::int64_t At = 1; At <= Yields; At += 7) {
        SCOPED_TRACE(At);
        Owner.Yields = 0;
        Owner.StopAt = At;
        Run(Family, TStrategy::Breadthfirst1);
        EXPECT_EQ(LastOutcome, TRunOutcome::Stopped);
        Owner.StopAt = -1;
        ASSERT_EQ(RunText(Family, TStrategy::Breadthfirst1), Full);
    }
}
} // namespace

namespace {
// The figures of the two memory lines of a run of Document; kept off the heap, which they
// measure.
std::array<std::int64_t, 2> MemoryFigures(TTestOwner& Owner, TPLProgram*& Program,
                                          const std::string& Document, TStrategy Strategy)
{
    Owner.Options.Set(TOption::Time, false);
    Owner.Options.Set(TOption::Memory1, true);
    Owner.Text = Bytes(Document);
    RunProgram(Program, Strategy);
    const std::size_t N = Owner.Lines.size();
    if (N < 2 || Owner.Lines[N - 2].rfind("Used memory for proof: ", 0) != 0 ||
        Owner.Lines[N - 1].rfind("Total allocated for NIVAR: ", 0) != 0)
        return {-1, -1};
    return {std::stoll(Owner.Lines[N - 2].substr(23)), std::stoll(Owner.Lines[N - 1].substr(27))};
}
} // namespace

// The pools' spare blocks are no part of a proof's memory: a document reports the same
// figures in the first run of a process and in every later one.
TEST_F(Hardening, AnyRunOfADocumentReportsTheSameMemory)
{
    const std::pair<const char*, TStrategy> Documents[] = {
        {"p(a). ∀X [p(X) → q(X)]. ?- q(a). ", TStrategy::Linear},
        {"parent(tom, bob). parent(bob, ann). ∀X ∀Y ∀Z [parent(X, Y) ∧ parent(Y, Z) → "
         "grand(X, Z)]. ?- ∃W [grand(tom, W)]. ?- parent(X, ann). ",
         TStrategy::Breadthfirst1},
        {"p(a). ∀X [p(X) → p(f(X))]. ?- p(f(f(f(a)))). ", TStrategy::Breadthfirst1},
    };
    Set(TOption::Oneref1);
    for (const auto& [Document, Strategy] : Documents) {
        SCOPED_TRACE(Document);
        const auto First = MemoryFigures(Owner, Program, Document, Strategy);
        EXPECT_GT(First[0], 0);
        EXPECT_LT(First[0], 64 * 1024) << "far less than a pool's chunk";
        // The total counts the whole process, the test harness's own few bytes too; what a
        // run kept for the next one (a pool chunk, list storage) would show by kilobytes.
        for (int I = 0; I < 3; ++I) {
            const auto Again = MemoryFigures(Owner, Program, Document, Strategy);
            EXPECT_EQ(Again[0], First[0]);
            EXPECT_NEAR(static_cast<double>(Again[1]), static_cast<double>(First[1]), 256);
        }
    }
}
