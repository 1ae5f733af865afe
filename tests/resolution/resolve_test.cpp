#include "resolution/resolve.h"
#include "support/prover.h"
#include "unify/unify.h"

namespace {
class Resolution : public TProverTest {
protected:
    static TAtom* AtomAt(TFALFormula* F, int Index)
    {
        TAtom* A = F->MF;
        while (Index-- > 0)
            A = static_cast<TAtom*>(A->R);
        return A;
    }
    // Resolves F on its atom number I with G on its atom number J as the pair search does;
    // returns the resolvent printed before and after simplification.
    std::pair<std::string, std::string> Resolvent(TFALFormula* F, int I, TFALFormula* G, int J)
    {
        Program->MGUn1.Clear();
        TAtom* A = AtomAt(F, I);
        TAtom* B = AtomAt(G, J);
        if (F != G || A != B) {
            EXPECT_NE(A->UnifyS(B), 0);
        }
        ResAtom1 = A;
        ResAtom2 = B;
        FalseInFirst = A->Pol != 0 ? A->Pol == 1 : B->Pol == -1;
        TFALFormula* N = F->Resolve(G);
        const std::string Before = Print(N);
        N->Simplify();
        N->Cont->EvalPol();
        ExpectWellFormed(N);
        const std::string After = Print(N);
        delete N;
        return {Before, After};
    }
};

TEST_F(Resolution, WorkedResolventsSimplifyToTheirResults)
{
    struct TRow {
        const char* F;
        int I;
        const char* G;
        int J;
        const char* Result;
    };
    const TRow Rows[] = {
        {"p(a). ", 0, "∀X ¬p(X). ", 0, " ⊥. "},
        {"p(a). ", 0, "∀X p(X). ", 0, " ⊤. "},
        {"∀X [p(X) ∨ p(a)]. ", 0, "¬p(b). ", 0, "p(a). "},
        {"∀X, Y [p(X) ∨ p(Y)]. ", 0, "¬p(b). ", 0, " ⊥. "},
        {"p(a). ", 0, "∀X [p(X) → q(X)]. ", 0, " q(a). "},
        {"∀X [p(X) → q(X)]. ", 1, "¬q(a). ", 0, " ¬p(a). "},
        {"∀Z [¬p(b) ∧ ¬p(Z)]. ", 0, "p(b). ", 0, " ⊥. "},
    };
    for (const TRow& Row : Rows) {
        SCOPED_TRACE(std::string(Row.F) + Row.G);
        EXPECT_EQ(Resolvent(Keep(Compiled(Row.F)), Row.I, Keep(Compiled(Row.G)), Row.J).second,
                  Row.Result);
    }
}

TEST_F(Resolution, GeneralCutReplacesEveryMatchOfTheSecondFormula)
{
    TFALFormula* F = Keep(Compiled("p(b). "));
    TFALFormula* G = Keep(Compiled("∀Z [¬p(b) ∧ ¬p(Z) ∧ q(Z)]. "));
    EXPECT_EQ(Resolvent(F, 0, G, 0).first, " ⊥∨[ ⊥∧¬p(Z)∧q(Z)]. ");
    Set(TOption::General);
    EXPECT_EQ(Resolvent(F, 0, G, 0).first, " ⊥∨[ ⊥∧ ⊥∧q(b)]. ");
}

TEST_F(Resolution, ParentsStayAsTheyWere)
{
    Set(TOption::Quant1);
    TFALFormula* F = Keep(Compiled("∀X, Y [p(X) ∨ p(Y) ∨ r(X)]. "));
    TFALFormula* G = Keep(Compiled("∃Z [¬p(f(Z)) ∧ s(Z)]. "));
    const std::string FText = Print(F);
    const std::string GText = Print(G);
    G->FromQuery = true;
    Program->MGUn1.Clear();
    ASSERT_NE(F->MF->UnifyS(G->MF), 0);
    ResAtom1 = F->MF;
    ResAtom2 = G->MF;
    FalseInFirst = true;
    TFALFormula* N = F->Resolve(G);
    EXPECT_EQ(Print(F), FText);
    EXPECT_EQ(Print(G), GText);
    ExpectWellFormed(F);
    ExpectWellFormed(G);
    EXPECT_EQ(Program->MGUn1.Count(), 0) << "the unifier went into the copies";
    EXPECT_EQ(N->Parent1, F);
    EXPECT_EQ(N->Parent2, G);
    EXPECT_TRUE(N->FromQuery);
    // F's atoms are copied first; Z came in with the unifier and sits at the root, so the
    // copy of G keeps no prefix of its own.
    EXPECT_EQ(Print(N), "∃Z[[ ⊥∨ ⊥∨r(f(Z))]∨ ⊥∧s(Z)]. ");
    int Atoms = 0;
    for (TAtom* A = N->MF; A; A = static_cast<TAtom*>(A->R))
        ++Atoms;
    EXPECT_EQ(Atoms, 5);
    N->Simplify();
    EXPECT_EQ(Print(N), "∃Z r(f(Z)). ");
    delete N;
}

TEST_F(Resolution, AFormulaResolvedWithItself)
{
    TFALFormula* F = Keep(Compiled("∀X [p(X) ∨ q(X)]. "));
    SelfResolution = true;
    auto [Before, After] = Resolvent(F, 0, F, 0);
    SelfResolution = false;
    EXPECT_EQ(Before, "[ ⊥∨q(X)]∨[ ⊤∨q(X)]. ");
    EXPECT_EQ(After, " ⊤. ");
    // In place: the formula becomes the disjunction of itself and a copy.
    TFALFormula* G = Keep(Compiled("∀X [p(X) ∧ r] ∨ ¬p(a). "));
    SelfResolution = true;
    ResAtom1 = ResAtom2 = G->MF;
    FalseInFirst = false;
    Program->MGUn1.Clear();
    EXPECT_EQ(G->ResolveAWC(G), G);
    SelfResolution = false;
    EXPECT_EQ(Print(G), "[ ⊤∧r]∨ ⊥∨[ ⊥∧r]∨ ⊤. ");
    G->Simplify();
    G->Cont->EvalPol();
    EXPECT_EQ(Print(G), " ⊤. ");
    ExpectWellFormed(G);
}

TEST_F(Resolution, OnlyTheFirstPairOfAVariableIsCommitted)
{
    TFALFormula* F = Keep(Compiled("∀X p(X). "));
    TVariable* X = F->Cont->Q->Get(0);
    TFunctorA A("a");
    TFunctorA B("b");
    AddPair(X, &A);
    AddPair(X, &B);
    CommitUnifier();
    EXPECT_EQ(X->NewId, &A);
    EXPECT_EQ(Program->MGUn1.Count(), 0);
    X->NewId = nullptr;
}
} // namespace
