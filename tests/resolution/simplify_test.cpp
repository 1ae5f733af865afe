#include "model/runstate.h"
#include "resolution/resolve.h"
#include "support/prover.h"
#include "unify/dive.h"

#include <random>
#include <regex>

namespace {
class Simplification : public TProverTest {
protected:
    // Marks the atoms by Marks: 't' true, 'f' false, '-' none, in chain order.
    static void Mark(TFALFormula* F, std::string_view Marks)
    {
        TAtom* A = F->MF;
        for (char M : Marks) {
            if (M != '-')
                MarkAtom(A, M == 't' ? 1 : -1);
            A = static_cast<TAtom*>(A->R);
        }
    }
    // Compiles, marks, simplifies and prints.
    std::string After(std::string_view Text, std::string_view Marks)
    {
        TFALFormula* F = Compiled(Text);
        if (!F)
            return "error";
        Mark(F, Marks);
        F->Simplify();
        ExpectWellFormed(F);
        std::string Printed = Print(F);
        delete F;
        return Printed;
    }
};

TEST_F(Simplification, EveryRowOfTheConstantTables)
{
    const std::tuple<const char*, const char*, const char*> Rows[] = {
        {"p ∧ q. ", "t-", "q. "},
        {"p ∧ q. ", "f-", " ⊥. "},
        {"p ∧ q. ", "-t", "p. "},
        {"p ∧ q. ", "-f", " ⊥. "},
        {"p ∨ q. ", "t-", " ⊤. "},
        {"p ∨ q. ", "f-", "q. "},
        {"p ∨ q. ", "-t", " ⊤. "},
        {"p ∨ q. ", "-f", "p. "},
        {"p → q. ", "t-", "q. "},
        {"p → q. ", "f-", " ⊤. "},
        {"p → q. ", "-t", " ⊤. "},
        {"p → q. ", "-f", "¬p. "},
        {"p ↔ q. ", "t-", "q. "},
        {"p ↔ q. ", "f-", "¬q. "},
        {"p ↔ q. ", "-t", "p. "},
        {"p ↔ q. ", "-f", "¬p. "},
        {"p ∧ q. ", "tt", " ⊤. "},
        {"p → q. ", "tf", " ⊥. "},
        {"p ↔ q. ", "ff", " ⊤. "},
        {"p ↔ q. ", "tf", " ⊥. "},
        {"¬[p ∧ q]. ", "t-", "¬q. "},
        {"¬[p ∨ q]. ", "t-", " ⊥. "},
        {"¬p ∨ q. ", "t-", "q. "},
        {"¬p ∨ q. ", "f-", " ⊤. "},
        {"p ∨ [q ∧ r]. ", "f--", "q∧r. "},
        {"p ∧ [q ∨ r] ∧ s. ", "--f-", "p∧q∧s. "},
        {"[p ∨ q] → [r ∧ s]. ", "f---", "q→r∧s. "},
        {"p ∧ q ∧ r. ", "-f-", " ⊥. "},
    };
    for (const auto& [Text, Marks, Expected] : Rows) {
        SCOPED_TRACE(std::string(Text) + Marks);
        EXPECT_EQ(After(Text, Marks), Expected);
    }
}

TEST_F(Simplification, CountsRewrittenConnectivesOnly)
{
    SimplificationCount = 0;
    EXPECT_EQ(After("p ∨ q. ", "ft"), " ⊤. ");
    EXPECT_EQ(SimplificationCount, 1);
    SimplificationCount = 0;
    EXPECT_EQ(After("p ∧ [q ∨ r]. ", "---"), "p∧[q∨r]. ");
    EXPECT_EQ(SimplificationCount, 0);
    EXPECT_EQ(After("[p ∨ q] ∧ [r ∨ s]. ", "f--f"), "q∧r. ");
    EXPECT_EQ(SimplificationCount, 2);
}

TEST_F(Simplification, LiftedOperandsTakeTheNegationAndItsQuantifiers)
{
    Set(TOption::Quant1);
    EXPECT_EQ(After("¬[[∀X p(X)] ∧ q]. ", "-t"), "∃X ¬p(X). ");
    EXPECT_EQ(After("[∀X p(X)] → q. ", "-f"), "∃X ¬p(X). ");
    // The prefix of a released root moves onto the lifted child; Y no longer occurs.
    EXPECT_EQ(After("∀X, Y [p(X) ∨ q(Y)]. ", "-f"), "∀X p(X). ");
    TFALFormula* F = Compiled("¬[[∀X p(X)] ∧ q]. ");
    MarkAtom(F->ML, 1);
    F->Simplify();
    EXPECT_TRUE(F->Cont->Is(TClass::Atom));
    EXPECT_EQ(F->Cont->Pol, -1);
    EXPECT_EQ(F->MF, F->ML);
    delete F;
}

// A prefix that climbs out of a released node keeps its meaning.
TEST_F(Simplification, PrefixesClimbWithTheirMeaning)
{
    Set(TOption::Quant1);
    const std::tuple<const char*, const char*, const char*> Rows[] = {
        {"s ∧ ∀X [p(X) ∨ q]. ", "--f", "∀X[s∧p(X)]. "},
        {"¬[∀X [p(X) ∨ q] ∧ s]. ", "-f-", "∃X¬[p(X)∧s]. "},
        {"[∀X [p(X) ∨ q]] → s. ", "-f-", "∃X[p(X)→s]. "},
        {"¬[[∀X [p(X) ∨ q]] → s]. ", "-f-", "∀X¬[p(X)→s]. "},
        {"s → ∀X [p(X) ∨ q]. ", "--f", "∀X[s→p(X)]. "},
        {"[∀X [p(X) ∨ q]] ↔ s. ", "-f-", "∀X[p(X)↔s]. "},
        {"¬∀X [p(X) ∨ q]. ", "-f", "∃X ¬p(X). "},
    };
    for (const auto& [Text, Marks, Expected] : Rows) {
        SCOPED_TRACE(Text);
        Set(TOption::Quant1, false); // no expansion of the equivalence
        TFALFormula* F = Compiled(Text);
        ASSERT_NE(F, nullptr);
        Set(TOption::Quant1);
        Mark(F, Marks);
        F->Simplify();
        EXPECT_EQ(Print(F), Expected);
        delete F;
    }
}

TEST_F(Simplification, ArithmeticFoldsIntoReals)
{
    EXPECT_EQ(After("p(6 / 0). ", ""), "p(6/0). ");
    EXPECT_EQ(After("p(2 * 3.5). ", ""), "p(7). ");
    EXPECT_EQ(After("p(x + 1). ", ""), "p(x+1). ");
    EXPECT_EQ(After("p(1e4000 * 1e4000). ", ""), "p(1E4000*1E4000). ");
    TFALFormula* F = Compiled("∀X p(X + 1). ");
    ASSERT_NE(F, nullptr);
    F->Cont->Q->Get(0)->Id = new TInteger(2);
    F->Simplify();
    EXPECT_EQ(Print(F), "p(3). ") << "X no longer occurs";
    delete F;
}

// A product that only a unifier makes numeric is folded in the resolvent: q(2 * 3) meets
// q(6), which needs the resolvent of the two axioms first.
// A run without arithmetic before it must not leave the folding off.
TEST_F(Simplification, ArithmeticFoldsInResolvents)
{
    Run("p(a). ∀X [p(X) → q(X)]. ?- q(a). ", TStrategy::Linear);
    ASSERT_EQ(QueriesRefuted, 1);
    for (const TStrategy Strategy : {TStrategy::Breadthfirst1, TStrategy::BestFirst1}) {
        Run("p(2). ∀X [p(X) → q(X * 3)]. ?- q(6). ", Strategy);
        EXPECT_EQ(QueriesRefuted, 1) << static_cast<int>(Strategy);
    }
}

// Random formulas, fixed seed: compile, copy, mark, simplify, release.
TEST_F(Simplification, RandomFormulasStayWellFormed)
{
    std::mt19937 Random(20261208);
    auto Pick = [&](int N) { return static_cast<int>(Random() % static_cast<unsigned>(N)); };
    const char* Vars[] = {"X", "Y", "Z"};
    std::function<std::string(int)> Formula = [&](int Depth) -> std::string {
        if (Depth == 0 || Pick(4) == 0) {
            std::string Atom = std::string(1, "pqr"[Pick(3)]) + "(" + Vars[Pick(3)];
            if (Pick(2))
                Atom += std::string(", f(") + Vars[Pick(3)] + ", " + std::to_string(Pick(5)) + ")";
            return Atom + ")";
        }
        switch (Pick(7)) {
        case 0:
            return "¬" + Formula(Depth - 1);
        case 1:
            return std::string(Pick(2) ? "∀" : "∃") + Vars[Pick(3)] + " " + Formula(Depth - 1);
        default: {
            const char* Ops[] = {" ∧ ", " ∨ ", " → ", " ↔ "};
            return "[" + Formula(Depth - 1) + Ops[Pick(4)] + Formula(Depth - 1) + "]";
        }
        }
    };
    for (int Round = 0; Round < 300; ++Round) {
        Set(TOption::Quant1, Pick(2) == 1);
        const std::string Text = Formula(5) + ". ";
        SCOPED_TRACE(Text);
        TFALFormula* F = Compiled(Text);
        ASSERT_NE(F, nullptr);
        ExpectWellFormed(F);
        const std::string Printed = Print(F);
        // A copy prints the same and outlives its source.
        FirstAtom = LastAtom = nullptr;
        NewVars = new TQuant;
        CopyParent = nullptr;
        auto* C = static_cast<TSub*>(F->Cont->Dive(TDiveMode::Copy, nullptr, TDiveArgs{}));
        auto* G = new TFALFormula(Program);
        G->Cont = C;
        C->Ac = G;
        G->MF = FirstAtom;
        G->ML = LastAtom;
        delete NewVars;
        NewVars = nullptr;
        F->Dive(TDiveMode::Sweep, nullptr, TDiveArgs{});
        ExpectWellFormed(F);
        // Copies take their variables unnumbered: X#1 of the source prints as X.
        const std::regex Number("#[0-9]+");
        EXPECT_EQ(std::regex_replace(Print(G), Number, ""),
                  std::regex_replace(Printed, Number, ""));
        delete F;
        for (TAtom* A = G->MF; A; A = static_cast<TAtom*>(A->R))
            if (Pick(3) == 0)
                MarkAtom(A, Pick(2) ? 1 : -1);
        G->Simplify();
        ExpectWellFormed(G);
        const std::string Simplified = Print(G);
        G->Simplify();
        EXPECT_EQ(Print(G), Simplified) << "a second simplification changes nothing";
        delete G;
    }
}
} // namespace
