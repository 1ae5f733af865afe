// Best-first search on the clause form: the splitting into clauses, literal selection with
// factors, subsumption, and that it stays sound and complete on small clause sets.
#include "model/formula.h"
#include "model/runstate.h"
#include "resolution/clauses.h"
#include "resolution/ordering.h"
#include "support/prover.h"

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {
class ClauseForm : public TProverTest {
protected:
    void SetUp() override
    {
        TProverTest::SetUp();
        Set(TOption::Skolem1);
    }

    bool Refuted(std::string_view Document)
    {
        Run(Document, TStrategy::Clauses);
        return QueriesEvaluated == 1 && QueriesRefuted == 1;
    }
};

TEST_F(ClauseForm, SplitsFormulasIntoClauses)
{
    // An equivalence gives two implications written as disjunctions.
    const auto Equivalences =
        Run("∀X [p(X) ↔ q(X)]. ∀X [q(X) ↔ ¬r(X)]. p(a). ?- ¬r(a). ", TStrategy::Clauses);
    EXPECT_EQ(QueriesRefuted, 1);
    EXPECT_EQ(CountLines(Equivalences, "R0 [F0&F0] : [¬p(X)∨q(X)]. "), 1);
    EXPECT_EQ(CountLines(Equivalences, "R1 [F0&F0] : [p(X)∨¬q(X)]. "), 1);
    // A conjunction below a disjunction, and one in a negated implication's consequent.
    const auto Nested =
        Run("p(a) ∨ [q(a) ∧ r(a)]. ¬[s(a) → ¬[t(a) ∧ u(a)]]. ?- [p(a) ∨ r(a)] ∧ u(a). ",
            TStrategy::Clauses);
    EXPECT_EQ(QueriesRefuted, 1);
    EXPECT_EQ(CountLines(Nested, "R0 [F0&F0] : p(a)∨q(a). "), 1);
    EXPECT_EQ(CountLines(Nested, "R1 [F0&F0] : p(a)∨r(a). "), 1);
    EXPECT_EQ(CountLines(Nested, "R2 [F1&F1] : s(a). "), 1);
    // A conjunction of many parts, however nested, gives them all at once.
    const auto Many = Run("[p ∧ [q ∧ ¬[r ∨ ¬s]]] ∧ ¬[t → u]. ?- t. ", TStrategy::Clauses);
    EXPECT_EQ(QueriesRefuted, 1);
    const std::vector<std::string> Parts(Many.begin() + 1, Many.begin() + 7);
    EXPECT_EQ(Parts, (std::vector<std::string>{"R0 [F0&F0] : p. ", "R1 [F0&F0] : q. ",
                                               "R2 [F0&F0] : ¬r. ", "R3 [F0&F0] : s. ",
                                               "R4 [F0&F0] : t. ", "R5 [F0&F0] : ¬u. "}));
}

// The term ordering that picks the literals of a positive clause: heavier first, then the
// symbol, then the arguments from the left; a variable is below what holds it, and two terms
// whose variables do not fit are not comparable (an instance could turn either way).
TEST(TermOrdering, IsTheKnuthBendixOrdering)
{
    TVariable X("X", 0);
    TVariable Y("Y", 0);
    auto Term = [](const char* Name, std::vector<TId*> Args) {
        auto* F = new TFunctor(TName(Name));
        for (TId* Arg : Args)
            F->Params.Add(Arg);
        return std::unique_ptr<TId, void (*)(TId*)>(F, [](TId* T) { T->RFree(); });
    };
    auto A = [] { return new TFunctorA("a"); };
    auto B = [] { return new TFunctorA("b"); };
    const auto FX = Term("f", {&X});
    const auto FY = Term("f", {&Y});
    const auto FA = Term("f", {A()});
    const auto GAB = Term("g", {A(), B()});
    const auto GBA = Term("g", {B(), A()});
    const auto GXY = Term("g", {&X, &Y});
    const auto GXX = Term("g", {&X, &X});
    const std::unique_ptr<TId> AA(A());
    EXPECT_TRUE(Greater(FX.get(), &X));
    EXPECT_FALSE(Greater(&X, FX.get()));
    EXPECT_TRUE(Greater(FA.get(), AA.get())) << "heavier";
    EXPECT_TRUE(Greater(GBA.get(), GAB.get())) << "b after a, in the first argument";
    EXPECT_FALSE(Greater(GAB.get(), GBA.get()));
    EXPECT_TRUE(Greater(GXY.get(), FA.get())) << "heavier in every instance";
    EXPECT_FALSE(Greater(FX.get(), FY.get())) << "X and Y could be anything";
    EXPECT_FALSE(Greater(FY.get(), FX.get()));
    EXPECT_FALSE(Greater(&X, &Y));
    EXPECT_TRUE(Greater(GXX.get(), FX.get())) << "X twice against once, and heavier";
    EXPECT_FALSE(Greater(GXY.get(), GXX.get()));
    EXPECT_FALSE(Greater(GXX.get(), GXY.get())) << "Y is not in g(X, X)";
    // A bound variable stands for its value.
    X.Id = new TFunctorA("b");
    EXPECT_TRUE(Greater(GXX.get(), GAB.get()));
    X.Id->RFree();
    X.Id = nullptr;
}

// p(f(a)) exceeds p(a): the positive clause is resolved on it alone, and still refuted.
TEST_F(ClauseForm, ResolvesAPositiveClauseOnItsMaximalLiterals)
{
    Set(TOption::Progress, false);
    Run("p(f(a)) ∨ p(a). ¬p(a) ∨ q. ?- r. ", TStrategy::Clauses);
    EXPECT_EQ(QueriesRefuted, 0);
    EXPECT_EQ(ResolventCount, 0) << "not on p(a)";
    EXPECT_TRUE(Refuted("p(f(a)) ∨ p(a). ¬p(f(a)). ¬p(a). ?- r. "));
}

// Pelletier's steamroller: out of reach for the search on whole formulas, a few hundred
// resolvents with negative selection and subsumption; the fox eats the grain-eating bird.
TEST_F(ClauseForm, ProvesTheSteamroller)
{
    Set(TOption::Progress, false);
    const char* Steamroller =
        "∀X [wolf(X)→animal(X)]. ∃X1 [wolf(X1)]. ∀X [fox(X)→animal(X)]. ∃X1 [fox(X1)]. "
        "∀X [bird(X)→animal(X)]. ∃X1 [bird(X1)]. ∀X [caterpillar(X)→animal(X)]. "
        "∃X1 [caterpillar(X1)]. ∀X [snail(X)→animal(X)]. ∃X1 [snail(X1)]. ∃X [grain(X)]. "
        "∀X1 [grain(X1)→plant(X1)]. "
        "∀X [animal(X) → [∀Y [plant(Y)→eats(X, Y)] ∨ ∀Y1 [[animal(Y1) ∧ much_smaller(Y1, X) "
        "∧ ∃Z [plant(Z)∧eats(Y1, Z)]] → eats(X, Y1)]]]. "
        "∀X, Y [[bird(Y) ∧ [snail(X)∨caterpillar(X)]] → much_smaller(X, Y)]. "
        "∀X, Y [[bird(X)∧fox(Y)] → much_smaller(X, Y)]. "
        "∀X, Y [[fox(X)∧wolf(Y)] → much_smaller(X, Y)]. "
        "∀X, Y [[wolf(X) ∧ [fox(Y)∨grain(Y)]] → ¬eats(X, Y)]. "
        "∀X, Y [[bird(X)∧caterpillar(Y)] → eats(X, Y)]. "
        "∀X, Y [[bird(X)∧snail(Y)] → ¬eats(X, Y)]. "
        "∀X [[caterpillar(X)∨snail(X)] → ∃Y [plant(Y)∧eats(X, Y)]]. "
        "?- ∃X, Y [animal(X) ∧ animal(Y) ∧ ∃Z [grain(Z)∧eats(Y, Z)∧eats(X, Y)]]. ";
    const auto Report = Run(Steamroller, TStrategy::Clauses);
    EXPECT_EQ(QueriesRefuted, 1);
    EXPECT_LT(ResolventCount, 1000);
    EXPECT_EQ(CountLines(Report, "X = sk#2, Y = sk#3."), 1);
}

// A unit clause cuts the literal it refutes from a new clause at once, the other literals
// unbound: q ∨ r ∨ t loses t to ¬t, then r to ∀X ¬r(X), selected literal or not.
TEST_F(ClauseForm, CutsLiteralsByUnitClauses)
{
    const auto Report = Run("∀X [¬r(X)]. ∀X [s(X) → q(X) ∨ r(X) ∨ t(X)]. "
                            "?- ∀X [s(X) → q(X) ∨ t(X)]. ",
                            TStrategy::Clauses);
    EXPECT_EQ(QueriesRefuted, 1);
    EXPECT_EQ(CountLines(Report, "R3 [F1&R0] : [q(sk#1)∨r(sk#1)∨t(sk#1)]. "), 1);
    EXPECT_EQ(CountLines(Report, "R4 [R3&R2] : [q(sk#1)∨r(sk#1)]. "), 1);
    EXPECT_EQ(CountLines(Report, "R5 [R4&F0] :  q(sk#1). "), 1);
}

// ¬p ∨ ¬p against p ∨ r: a resolvent that kept one ¬p would be subsumed by its own parent,
// and r never made; so with ¬r ∨ ¬r.
TEST_F(ClauseForm, ResolvesEveryOccurrenceOfTheAtom)
{
    EXPECT_TRUE(Refuted("¬p∨¬p. ¬[r∧r]. p∨r. ?- t. "));
    EXPECT_TRUE(Refuted("¬[q∧q∧s]. p∨q. s. ¬p. ?- t. "));
}

TEST_F(ClauseForm, DropsSubsumedClauses)
{
    Set(TOption::Progress, false);
    Set(TOption::Stat);
    Run("∀X [p(X)]. ∀X [q(X) → p(f(X))]. q(a). ?- r. ", TStrategy::Clauses);
    EXPECT_EQ(QueriesRefuted, 0);
    EXPECT_EQ(ResolventCount, 0) << "p(f(a)) is an instance of p(X)";
    EXPECT_GE(RedundantCount, 1);
    // p(a), made from q(a), drops the waiting p(a) ∨ r(a) before it is taken: nothing comes of
    // it, not even a resolvent to drop.
    Run("∀X [q(X) → p(X)]. q(a). p(a) ∨ r(a). ∀X [r(X) → t(X)]. ?- u. ", TStrategy::Clauses);
    EXPECT_EQ(ResolventCount, 1);
    EXPECT_EQ(RedundantCount, 0);
}

// A formula resolved with itself meets a renamed copy of itself. Unified in one set of
// variables, the two copies did not agree: splitting the equivalence on e(Z, s(X)) gave
// "e everywhere or nowhere", and with e(a, b) a refutation of this non-theorem (e may hold
// of X and not of s(X) for every X, and fail for d).
TEST_F(ClauseForm, ResolvesAFormulaWithARenamedCopyOfItself)
{
    const char* NonTheorem = "∀Z, X [e(Z, s(X)) ↔ [¬e(Z, X) ∧ k]]. k. e(a, b). ?- e(c, d). ";
    Set(TOption::Progress, false);
    for (const bool Clauses : {false, true}) {
        SCOPED_TRACE(Clauses ? "clause form" : "whole formulas");
        Owner.StopAt = 3000;
        Run(NonTheorem, Clauses ? TStrategy::Clauses : TStrategy::BestFirst1);
        EXPECT_EQ(QueriesRefuted, 0);
        EXPECT_EQ(LastOutcome, TRunOutcome::Stopped);
    }
}

// Under Quantification On without Skolemization the clause form is not used: a copy's
// simplification turned ∃Y, X ¬[f(Y) → f(X)] into ∀Y f(Y) and ∃X ¬f(X), and refuted this.
TEST_F(ClauseForm, NeedsItsVariablesUniversal)
{
    Set(TOption::Skolem1, false);
    Set(TOption::Quant1);
    EXPECT_FALSE(Refuted("?- ∀Y [∀X [f(Y)→f(X)]]. "));
}

// Random clause sets over four letters, written as disjunctions, negated conjunctions and
// implications, with repeated literals: each is refuted exactly when no assignment satisfies
// it (decided here by trying all sixteen).
TEST_F(ClauseForm, RefutesExactlyTheUnsatisfiableClauseSets)
{
    Set(TOption::Progress, false);
    std::mt19937 Random(7);
    const char* Letters[] = {"p", "q", "r", "s"};
    int Unsatisfiable = 0;
    for (int Trial = 0; Trial < 150; ++Trial) {
        std::vector<std::vector<std::pair<int, bool>>> Set;
        const int Count = 3 + static_cast<int>(Random() % 6);
        for (int I = 0; I < Count; ++I) {
            std::vector<std::pair<int, bool>> C;
            const int Size = 1 + static_cast<int>(Random() % 3);
            for (int J = 0; J < Size; ++J)
                C.push_back({static_cast<int>(Random() % 4), Random() % 2 == 0});
            if (Random() % 4 == 0)
                C.insert(C.end(), C.begin(), C.end());
            Set.push_back(C);
        }
        bool Satisfiable = false;
        for (int Bits = 0; Bits < 16 && !Satisfiable; ++Bits) {
            bool All = true;
            for (const auto& C : Set) {
                bool Any = false;
                for (const auto& [Letter, Positive] : C)
                    Any = Any || (((Bits >> Letter) & 1) != 0) == Positive;
                All = All && Any;
            }
            Satisfiable = All;
        }
        std::string Document;
        for (const auto& C : Set) {
            const unsigned Style = Random() % 3;
            std::string Disjuncts;
            std::string Conjuncts; // of the negated literals
            std::string Antecedent;
            std::string Consequent;
            for (const auto& [Letter, Positive] : C) {
                const std::string Name = Letters[Letter];
                Disjuncts +=
                    std::string(Disjuncts.empty() ? "" : "∨") + (Positive ? "" : "¬") + Name;
                Conjuncts +=
                    std::string(Conjuncts.empty() ? "" : "∧") + (Positive ? "¬" : "") + Name;
                std::string& Side = Positive ? Consequent : Antecedent;
                Side += std::string(Side.empty() ? "" : Positive ? "∨" : "∧") + Name;
            }
            if (Style == 1)
                Document += "¬[" + Conjuncts + "]. ";
            else if (Style == 2 && !Antecedent.empty() && !Consequent.empty())
                Document += "[" + Antecedent + " → " + Consequent + "]. ";
            else
                Document += Disjuncts + ". ";
        }
        Document += "?- t. ";
        SCOPED_TRACE(Document);
        EXPECT_EQ(Refuted(Document), !Satisfiable);
        Unsatisfiable += Satisfiable ? 0 : 1;
    }
    EXPECT_GT(Unsatisfiable, 20) << "the sets test refutation, not only its absence";
}
} // namespace
