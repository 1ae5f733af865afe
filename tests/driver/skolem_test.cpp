#include "driver/skolem.h"
#include "model/runstate.h"
#include "support/prover.h"

namespace {
class Skolemization : public TProverTest {
protected:
    void SetUp() override
    {
        TProverTest::SetUp();
        Set(TOption::Skolem1);
    }
    static constexpr TStrategy Strategies[] = {TStrategy::Linear, TStrategy::Breadthfirst1,
                                               TStrategy::ModifLinear1, TStrategy::BestFirst1};
};

TEST_F(Skolemization, IsSoundAndKeepsTheProofsOfTheDefaultMode)
{
    const char* Theorems[] = {
        "∀X [r(X) ∨ s(X)]. ?- ∀Y [r(Y) ∨ s(Y)]. ",
        "∀X ∃Y [lt(X, Y)]. ?- ∀X ∃Y [lt(X, Y)]. ",
        "∃Y [¬p(f(Y))]. ∀X [p(X) ∨ q(X)]. ?- ∃Z [q(f(Z))]. ",
        "∀X [p(X) ↔ q(X)]. p(a). ?- q(a). ",
    };
    const char* NonTheorems[] = {
        "∃X [p(X)]. ?- p(a). ",
        "∀X [r(X) ∨ s(X)]. ?- ∀Y [r(Y)] ∨ ∀Z [s(Z)]. ",
        "∀X ∃Y [lt(X, Y)]. ?- ∃X [lt(X, X)]. ",
        "∃Y [¬p(f(Y))]. ∀X [p(X) ∨ q(X)]. ?- ∀Z [q(f(Z))]. ",
    };
    for (TStrategy S : Strategies) {
        SCOPED_TRACE(static_cast<int>(S));
        for (const char* Text : Theorems) {
            SCOPED_TRACE(Text);
            Run(Text, S);
            EXPECT_EQ(QueriesRefuted, 1);
        }
        for (const char* Text : NonTheorems) {
            SCOPED_TRACE(Text);
            Run(Text, S);
            EXPECT_EQ(QueriesRefuted, 0);
        }
    }
}

TEST_F(Skolemization, AnswersNameValuesAndSkolemSymbolsAreNew)
{
    EXPECT_EQ(Run("p(a). ?- ∃X [p(X)]. ", TStrategy::Linear),
              (std::vector<std::string>{"Solution to  ¬p(X). ", "[F1&F0] :  YES.", "X = a."}));
    EXPECT_EQ(Run("∀X ∃Y [lt(X, Y)]. ?- ∀X ∃Y [lt(X, Y)]. ", TStrategy::Linear),
              (std::vector<std::string>{"Solution to  ¬lt(sk#2, Y). ", "[F1&F0] :  YES.",
                                        "Y = sk#1(sk#2)."}));
    Set(TOption::Axioms);
    const auto Report = Run("?- ∀X [p(X)]. ?- ∀Y [p(Y)]. ", TStrategy::Linear);
    EXPECT_EQ(CountLines(Report, "F0 (¬query) :  ¬p(sk#1). "), 1);
    EXPECT_EQ(CountLines(Report, "F0 (¬query) :  ¬p(sk#2). "), 1);
}

TEST_F(Skolemization, ArgumentsAreTheUniversalsOutsideInScopeOrder)
{
    Set(TOption::Quant1); // prefixes print; Skolemization still governs unification
    TFALFormula* F = Compiled("∀X ∃Y ∀Z ∃W [p(X, Y, Z, W)] ∧ ∃V [q(V)]. ");
    ASSERT_NE(F, nullptr);
    SkolemCount = 0;
    Skolemize(F);
    EXPECT_EQ(Print(F), "∀X, Z p(X, sk#1(X), Z, sk#2(X, Z))∧ q(sk#3). ");
    delete F;
    Set(TOption::Quant1, false);
    Run("∃X [p(X)]. ?- p(a). ", TStrategy::Linear);
    EXPECT_EQ(QueriesRefuted, 0) << "no quantifier check, and still no unsound proof";
}
} // namespace
