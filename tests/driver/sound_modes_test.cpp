// The modes that read quantifiers never refute a non-theorem, and keep the proofs they should.
#include "driver/models.h"
#include "model/runstate.h"
#include "support/prover.h"

namespace {
constexpr TStrategy Strategies[] = {TStrategy::Linear, TStrategy::Breadthfirst1,
                                    TStrategy::ModifLinear1, TStrategy::BestFirst1};
constexpr TOption Modes[] = {TOption::Quant1, TOption::Skolem1};

class SoundModes : public TProverTest {
protected:
    // In both sound modes and every strategy, each document's one query is not refuted
    // (a search without end is stopped).
    template <std::size_t N> void ExpectNoneRefuted(const char* const (&NonTheorems)[N])
    {
        for (TOption Mode : Modes)
            for (TStrategy S : Strategies)
                for (const char* Text : NonTheorems) {
                    SCOPED_TRACE(std::string(OptionItem(Mode).Name) + " " +
                                 std::to_string(static_cast<int>(S)) + " " + Text);
                    Owner.Options = TOptionState();
                    Set(Mode);
                    Owner.StopAt = Owner.Yields + 5000;
                    Run(Text, S);
                    EXPECT_EQ(QueriesEvaluated, 1);
                    EXPECT_EQ(QueriesRefuted, 0);
                }
        Owner.StopAt = -1;
    }
};

// A free name is universal at the outermost level, outside an existential of the root.
TEST_F(SoundModes, AFreeNameStandsOutsideTheExistentialsOfItsFormula)
{
    const char* NonTheorems[] = {
        "∃Y [r(X, Y)]. ?- ∃X [r(X, X)]. ",
        "∃Y [r(X, Y)]. ?- ∃Y [∀X [r(X, Y)]]. ",
        "∀X [∃Y [r(X, Y)]]. ?- ∃X [r(X, X)]. ",
        "∀X [∃Y [r(X, Y)]]. ?- ∃Y [∀X [r(X, Y)]]. ",
    };
    ExpectNoneRefuted(NonTheorems);
}

// Near misses of classic problems, each shown a non-theorem by a counter-model. Best-first
// search takes a conjunction apart; each part keeps the Skolem terms of the variables
// quantified above it (a part that lost them read an existential as universal).
TEST_F(SoundModes, NearMissesAreNotProved)
{
    const char* NonTheorems[] = {
        "?- ∀Y [∀X [f(Y) → f(X)]]. ",
        "?- ∃X [∀Y [f(X)]] → ∀Y [f(Y) ∧ ∃Z [g(Z)]]. ",
        "∃X [p(X) ∧ q(X)]. ?- ∀X [p(X)] ∨ ∀Y [q(Y)]. ",
        "∀X [p(X) ∨ q(X)]. ?- ∀X [p(X)] ∨ ∀X [q(X)]. ",
    };
    ExpectNoneRefuted(NonTheorems);
}

TEST_F(SoundModes, AFreeNameReadsAsTheClosedForm)
{
    Set(TOption::Quant1);
    TFALFormula* Free = Keep(Compiled("∃Y [r(X, Y)]. "));
    TFALFormula* Closed = Keep(Compiled("∀X [∃Y [r(X, Y)]]. "));
    EXPECT_EQ(Print(Free), "∀X∃Y r(X, Y). ");
    EXPECT_EQ(Print(Closed), "∀X∃Y r(X, Y). ");
    EXPECT_EQ(Print(Keep(Compiled("∃Y [r(X, Y, Z)]. "))), "∀X, Z∃Y r(X, Y, Z). ")
        << "several free names keep their order among themselves";
    EXPECT_EQ(Print(Keep(Compiled("∀Y [r(X, Y)]. "))), "∀Y, X r(X, Y). ")
        << "beside universals alone the order is the design's";
    // Skolemization sees the free name outside, so the witness depends on it.
    Set(TOption::Skolem1);
    EXPECT_EQ(Run("∃Y [r(X, Y)]. ?- ∀X [∃Y [r(X, Y)]]. ", TStrategy::Linear).size(), 3u);
    EXPECT_EQ(QueriesRefuted, 1) << "the theorem is still proved";
}

// A query's free names are its answer variables: "is there an X". They are existential,
// outside every quantifier of the query, in every mode, and the answer is the same in each.
TEST_F(SoundModes, AQueryAsksForItsFreeNames)
{
    for (int Mode = 0; Mode < 3; ++Mode)
        for (int Way = 0; Way < 6; ++Way) {
            const TStrategy S = Way < 4    ? Strategies[Way]
                                : Way == 4 ? TStrategy::BestFirst1
                                           : TStrategy::Auto;
            SCOPED_TRACE(std::to_string(Mode) + " " + std::to_string(Way));
            Owner.Options = TOptionState();
            if (Mode > 0)
                Set(Modes[Mode - 1]);
            const std::vector<std::string> Report = Run("p(a). ?- p(X). ", S);
            EXPECT_EQ(QueriesRefuted, 1);
            EXPECT_GE(CountLines(Report, "X = a."), 1);
            ASSERT_EQ(Owner.Outcomes.size(), 1u);
            EXPECT_EQ(Owner.Outcomes[0].ExistentialAt, -1) << "no doubt in the default mode";
        }
    // Outside the query's quantifiers: there is no one X that every Y reaches.
    const char* NonTheorems[] = {"∀Y [r(Y, f(Y))]. ?- ∀Y [r(Y, X)]. "};
    ExpectNoneRefuted(NonTheorems);
    Owner.Options = TOptionState();
    Set(TOption::Quant1);
    EXPECT_EQ(Print(Keep(Compiled("?- ∀Y [r(Y, X)]. "))), "∃X∀Y r(Y, X). ");
    EXPECT_EQ(Print(Keep(Compiled("∀Y [r(Y, X)]. "))), "∀Y, X r(Y, X). ")
        << "an axiom's free names stay universal";
    // The model search reads them so too.
    Owner.Options = TOptionState();
    for (const auto& [Text, Found] : {std::pair{"p(a). ?- p(X). ", false},
                                      std::pair{"∀Y [r(Y, f(Y))]. ?- ∀Y [r(Y, X)]. ", true}}) {
        Owner.Text = Bytes(Text);
        RunModelSearch(Program, 4);
        ASSERT_EQ(Owner.Outcomes.size(), 1u) << Text;
        EXPECT_EQ(Owner.Outcomes[0].CounterSatisfiable, Found) << Text;
    }
}

TEST_F(SoundModes, TheDefaultModeKeepsThePrefixOrderOfItsAnswers)
{
    EXPECT_EQ(
        Run("p(a, b). ?- ∃Y [p(X, Y)]. ", TStrategy::Linear),
        (std::vector<std::string>{"Solution to  ¬p(X, Y). ", "[F1&F0] :  YES.", "Y = b, X = a."}));
}

// The check formula of the equivalence check reads a variable below its equivalence as a
// term over the universals outside it; binding an outer universal to it made the check
// formula contradictory and dropped a resolvent the proof needs.
TEST_F(SoundModes, TheEquivalenceCheckKeepsAResolventThatDiffersFromAnOlderOne)
{
    Set(TOption::Quant1);
    Set(TOption::Checkby2);
    const auto Report =
        Run("s → r ∨ ¬q(Y). s → ¬[¬r ∧ ∀Z q(Z)]. q(a). ¬r. ?- ¬s. ", TStrategy::Linear);
    EXPECT_EQ(QueriesRefuted, 1);
    EXPECT_EQ(CountLines(Report, "R2 [F4&F0] : ∀Y[r∨¬q(Y)]. "), 1);
}

TEST_F(SoundModes, AnswerLinesAreSortedAndFreeOfRepeats)
{
    Set(TOption::General);
    Set(TOption::Oneref1);
    const auto Report =
        Run("?- [p(Y, f(Z)) → p(W, Y)] ∧ [p(Z, Y) → p(Y, f(Z))]. ", TStrategy::Linear);
    ASSERT_EQ(Report.size(), 5u);
    EXPECT_EQ(Report[4], "Y = f(W), Y = f(Z), Y = f(f(W)), Z = f(W), W = f(W), W = f(Z), "
                         "W = f(f(W)).");
}
} // namespace
