#include "model/runstate.h"
#include "resolution/insert.h"
#include "support/prover.h"
#include "unify/dive.h"
#include "unify/unify.h"

namespace {
class Insertion : public TProverTest {
protected:
    // A compiled formula standing for a new resolvent; its polarities are set.
    TFALFormula* Resolvent(std::string_view Text)
    {
        TFALFormula* F = Compiled(Text);
        if (F) {
            F->Parent1 = F; // not a source formula
            F->Cont->EvalPol();
        }
        return F;
    }
    void Record(std::string_view Text) { Program->ListR.Add(Resolvent(Text)); }
    static bool IsFalse(TFALFormula* F) { return F && F->Cont && F->Cont->Val == -1; }
};

TEST_F(Insertion, AContradictoryResolventBecomesFalse)
{
    TFALFormula* N = Resolvent("p(a) ∧ ¬p(a). ");
    TFALFormula* X = N->InsertToR();
    ASSERT_NE(X, nullptr);
    EXPECT_NE(X, N) << "N was freed and the false formula stands for it";
    EXPECT_TRUE(IsFalse(X));
    delete X;
}

TEST_F(Insertion, TheDCFLimitBoundsTheSelfResolutionCheck)
{
    DCFLimit = 1;
    TFALFormula* N = Resolvent("[p ∨ q] ∧ ¬p ∧ ¬q. ");
    TFALFormula* X = N->InsertToR();
    EXPECT_EQ(X, N);
    EXPECT_FALSE(IsFalse(X));
    delete X;
    DCFLimit = 2;
    X = Resolvent("[p ∨ q] ∧ ¬p ∧ ¬q. ")->InsertToR();
    EXPECT_TRUE(IsFalse(X));
    delete X;
}

TEST_F(Insertion, TheSelfResolutionCheckWritesItsSteps)
{
    Set(TOption::SRcheck1);
    TFALFormula* N = Resolvent("p ∨ q. ");
    delete N->InsertToR();
    EXPECT_EQ(Owner.Report(), (std::vector<std::string>{"SR-check: ⊤. "}));
    Set(TOption::Unsim);
    Owner.Lines.clear();
    delete Resolvent("p ∧ q. ")->InsertToR();
    EXPECT_EQ(Owner.Report(), (std::vector<std::string>{"Before: ⊤∧q∨ ⊥∧q. ", "SR-check:q. ",
                                                        "Before: ⊤∨ ⊥. ", "SR-check: ⊤. "}));
}

TEST_F(Insertion, FactoringMergesAtomsOfOneBlock)
{
    TFALFormula* N = Resolvent("∀X, Y [p(X) ∨ p(Y)]. ");
    TFALFormula* X = N->InsertToR();
    EXPECT_EQ(X, N);
    EXPECT_EQ(Print(N), " p(X). ");
    EXPECT_EQ(FactoringCount, 1);
    ExpectWellFormed(N);
    delete N;
}

TEST_F(Insertion, ARecordedResolventThatImpliesTheNewOneMakesItRedundant)
{
    for (TOption Check : {TOption::Checkby1, TOption::Checkby2}) {
        SCOPED_TRACE(OptionItem(Check).Caption);
        Set(Check);
        Program->ClearResolvents();
        Record("∀X q(X). ");
        RedundantCount = 0;
        EXPECT_EQ(Resolvent("q(a). ")->InsertToR(), nullptr);
        EXPECT_EQ(RedundantCount, 1);
        TFALFormula* Other = Resolvent("r(a). ")->InsertToR();
        EXPECT_NE(Other, nullptr);
        delete Other;
        ExpectWellFormed(Program->ListR.Get(0));
    }
    Set(TOption::Redcheck1);
    TFALFormula* Kept = Resolvent("q(a). ")->InsertToR();
    EXPECT_NE(Kept, nullptr);
    delete Kept;
}

// Binding the unifier leaves no copy mark, so the next copy of the formula is whole.
TEST_F(Insertion, FactoringUnderAnImplicationBindsWithoutMarks)
{
    TFALFormula* N = Resolvent("∀X, Y [p(X) → p(f(Y))]. ");
    FactoringChanged = false;
    N->OptimizeF();
    EXPECT_FALSE(FactoringChanged);
    EXPECT_EQ(FactoringCount, 2) << "no atom is marked, so the pair counts both ways";
    EXPECT_EQ(Print(N), "[p(f(Y))→p(f(Y))]. ");
    ExpectWellFormed(N);
    TFALFormula* X = N->OptimizeX();
    ASSERT_NE(X, N);
    ExpectWellFormed(X);
    delete X;
    delete N;
}

// a ∨ X equals a ∨ X[a/false] only where a is a disjunct of the whole block.
TEST_F(Insertion, ANegationEndsAFactoringBlock)
{
    TFALFormula* N = Resolvent("¬[p ∨ q] ∨ p. ");
    FactoringChanged = false;
    N->OptimizeF();
    EXPECT_EQ(Print(N), "¬[p∨q]∨p. ");
    EXPECT_EQ(FactoringCount, 0);
    delete N;
    TFALFormula* M = Resolvent("p ∨ ¬[p ∨ q]. "); // inside one negated block it is sound
    TFALFormula* Inner = Resolvent("r ∧ ¬[p ∨ p ∨ q]. ");
    FactoringChanged = false;
    Inner->OptimizeF();
    EXPECT_EQ(Print(Inner), "r∧¬[p∨q]. ");
    delete Inner;
    delete M;
    EXPECT_TRUE(SameJunction(nullptr, nullptr));
}

TEST_F(Insertion, OnlyTheFirstPairOfAVariableIsBound)
{
    TFALFormula* F = Resolvent("∀X p(X). ");
    TVariable* X = F->Cont->Q->Get(0);
    TFunctorA A("a");
    TFunctorA B("b");
    AddPair(X, &A);
    AddPair(X, &B);
    BindUnifier();
    ASSERT_NE(X->Id, nullptr);
    EXPECT_EQ(Print(F), " p(a). ");
    EXPECT_EQ(Program->MGUn1.Count(), 0);
    delete F;
}

TEST_F(Insertion, LentTreesComeBackWhole)
{
    TFALFormula* O = Resolvent("∀X [q(X) ∨ r(X)]. ");
    TFALFormula* N = Resolvent("s ∧ q(b). ");
    const std::string OText = Print(O);
    const std::string NText = Print(N);
    TFALFormula* VF = TFALFormula::CreateVF(O, N, TClass::Imp);
    EXPECT_EQ(Print(VF), "[q(X)∨r(X)]→s∧q(b). ");
    EXPECT_EQ(O->Cont, nullptr);
    TFALFormula::DestroyVF(VF, O, N);
    EXPECT_EQ(Print(O), OText);
    EXPECT_EQ(Print(N), NText);
    ExpectWellFormed(O);
    ExpectWellFormed(N);
    delete O;
    delete N;
}
} // namespace
