#include "model/symbols.h"
#include "support/prover.h"
#include "unify/dive.h"

#include <string>

namespace {
class Traversal : public TProverTest {
protected:
    // A copy of F as the resolution rule makes one; the variables made on demand go to the
    // copy's root prefix.
    TFALFormula* Copy(TFALFormula* F, bool Negated = false)
    {
        FirstAtom = LastAtom = nullptr;
        NewVars = new TQuant;
        CopyParent = nullptr;
        NegateMarks = Negated;
        auto* C = static_cast<TSub*>(F->Cont->Dive(TDiveMode::Copy, nullptr, TDiveArgs{}));
        NegateMarks = false;
        auto* G = new TFALFormula(Program);
        G->Cont = C;
        C->Ac = G;
        G->MF = FirstAtom;
        G->ML = LastAtom;
        if (NewVars->Count())
            C->AppendToQuant(NewVars);
        else
            delete NewVars;
        NewVars = nullptr;
        F->Dive(TDiveMode::Sweep, nullptr, TDiveArgs{});
        return G;
    }
    static inline std::string Trace;
    static TObject* Record(TObject* Obj, TDiveMode& Mode, TDiveArgs)
    {
        if (Obj->Is(TClass::Atom)) {
            Trace += "atom ";
            Mode = TDiveMode::PostOrder;
        } else if (Obj->IsNode()) {
            Trace += "node ";
        } else if (Obj->IsFunc()) {
            Trace += static_cast<TFunc*>(Obj)->Name + " ";
        } else if (Obj->Is(TClass::Variable)) {
            Trace += static_cast<TVariable*>(Obj)->Name + " ";
        }
        return Obj;
    }
};

TEST_F(Traversal, PreOrderVisitsNodesFirstAndTermsAfterTheirArguments)
{
    TFALFormula* F = Compiled("p(f(a), X) ∧ q. ");
    ASSERT_NE(F, nullptr);
    Trace.clear();
    F->Dive(TDiveMode::PreOrder, Record, TDiveArgs{});
    EXPECT_EQ(Trace, "node atom a f X p atom q ");
    Trace.clear();
    F->Dive(TDiveMode::PostOrder, Record, TDiveArgs{});
    EXPECT_EQ(Trace, "X a f X p atom q atom node ") << "the prefix first, then the operands";
    delete F;
    TFALFormula* Atom = Compiled("p(a). ");
    Trace.clear();
    Atom->Dive(TDiveMode::PreOrder, Record, TDiveArgs{});
    EXPECT_EQ(Trace, "atom a p ");
    Trace.clear();
    Atom->Dive(TDiveMode::Constants, Record, TDiveArgs{});
    EXPECT_EQ(Trace, "") << "the constant walk never enters an atom";
    delete Atom;
}

TEST_F(Traversal, ACopyIsIndependentOfItsSource)
{
    Set(TOption::Quant1);
    TFALFormula* F = Compiled("∀X [p(X) ∧ ∃Y [q(X, Y) ∨ ¬r(Y, f(X, \"s\", 2.5))]]. ");
    ASSERT_NE(F, nullptr);
    const std::string Text = Print(F);
    TFALFormula* G = Copy(F);
    EXPECT_EQ(Print(G), Text);
    ExpectWellFormed(F);
    ExpectWellFormed(G);
    EXPECT_NE(G->Cont->Q->Get(0), F->Cont->Q->Get(0));
    delete F;
    EXPECT_EQ(Print(G), Text);
    TFALFormula* H = Copy(G);
    delete G;
    EXPECT_EQ(Print(H), Text);
    delete H;
}

TEST_F(Traversal, BindingsAndUnifierValuesAreCarriedIntoTheCopy)
{
    TFALFormula* F = Compiled("∀X, Z p(X, Z). ");
    TFALFormula* Other = Compiled("[∀Y q(Y)] → r. "); // Y sits at a negative place
    ASSERT_TRUE(F && Other);
    TVariable* X = F->Cont->Q->Get(0);
    TVariable* Z = F->Cont->Q->Get(1);
    TVariable* Y = Other->Cont->L->Q->Get(0);
    EXPECT_EQ(Y->Kind, Sym::ForAll);
    auto* Value = new TFunctor("f");
    Value->Params.Add(Y);
    X->NewId = Value; // what a unifier gives X
    Z->Id = new TFunctorA("b");
    TFALFormula* G = Copy(F);
    X->NewId = nullptr;
    Value->Params.Put(0, nullptr);
    Value->RFree();
    Set(TOption::Quant1);
    EXPECT_EQ(Print(G), "∃Y p(f(Y), b). ");
    // Y's copy was made on demand, turned, and landed in the copy's root prefix.
    TVariable* YCopy = G->Cont->Q->Get(0);
    EXPECT_EQ(YCopy->Name, "Y");
    EXPECT_NE(YCopy, Y);
    EXPECT_EQ(YCopy->Kind, Sym::Exists);
    EXPECT_TRUE(Y->Cloned && Y->Visited) << "marks stay until Y's own formula is swept";
    Other->Dive(TDiveMode::Sweep, nullptr, TDiveArgs{});
    EXPECT_FALSE(Y->Cloned || Y->Visited || Y->New);
    ExpectWellFormed(G);
    delete G;
    delete F;
    delete Other;
}

TEST_F(Traversal, NegatedMarksAndEmptySlots)
{
    TFALFormula* F = Compiled("p(a) ∨ q(b). ");
    ASSERT_NE(F, nullptr);
    F->MF->Val = -1;
    F->ML->Val = 1;
    auto* Term = static_cast<TFunctor*>(F->ML->Id);
    TId* Gone = Term->Params.Get(0);
    Term->Params.Put(0, nullptr);
    TFALFormula* G = Copy(F, true);
    EXPECT_EQ(G->MF->Val, 1);
    EXPECT_EQ(G->ML->Val, -1);
    EXPECT_EQ(static_cast<TFunctor*>(G->ML->Id)->Params.Count(), 0);
    EXPECT_EQ(F->MF->Val, 0) << "the sweep clears the source's marks";
    Term->Params.Put(0, Gone);
    G->MF->Val = G->ML->Val = 0;
    delete F;
    delete G;
}

TEST_F(Traversal, TheSweepKeepsUsedAndAnsweredVariablesOnly)
{
    TFALFormula* F = Compiled("∀X, Y, Z p(X). ");
    ASSERT_NE(F, nullptr);
    // Simplification already swept Y and Z: nothing uses them.
    EXPECT_EQ(F->Cont->Q->Count(), 1);
    TVariable* X = F->Cont->Q->Get(0);
    auto* Answer = new TVariable("A", Sym::ForAll);
    Answer->Watch = Answer;
    Answer->Id = new TFunctorA("a");
    auto* Idle = new TVariable("B", Sym::ForAll);
    F->Cont->Q->Add(Answer);
    F->Cont->Q->Add(Idle);
    X->Visited = true;
    VarRemoved = false;
    F->Dive(TDiveMode::Sweep, nullptr, TDiveArgs{});
    // Any variable that goes asks for another pass: one kept by a mark that a copy left, not
    // by this marking, may be unused too.
    EXPECT_TRUE(VarRemoved);
    EXPECT_EQ(Variables(F->Cont->Q), (std::vector<TVariable*>{X, Answer}));
    EXPECT_FALSE(X->Visited);
    // A binding that goes may have held the last use of another variable: mark again.
    auto* Bound = new TVariable("C", Sym::ForAll);
    Bound->Id = new TFunctorA("c");
    F->Cont->Q->Add(Bound);
    X->Visited = true;
    VarRemoved = false;
    F->Dive(TDiveMode::Sweep, nullptr, TDiveArgs{});
    EXPECT_TRUE(VarRemoved);
    EXPECT_EQ(Variables(F->Cont->Q), (std::vector<TVariable*>{X, Answer}));
    delete F;
}

TEST_F(Traversal, TheAnswerResetMarksTheRootPrefixOnly)
{
    TFALFormula* F = Compiled("∀X [p(X) ∧ ∀Y q(Y)]. ");
    ASSERT_NE(F, nullptr);
    TVariable* X = F->Cont->Q->Get(0);
    TVariable* Y = F->Cont->R->Q->Get(0);
    F->Dive(TDiveMode::ResetRoot, nullptr, TDiveArgs{});
    EXPECT_EQ(X->Watch, X);
    EXPECT_EQ(Y->Watch, nullptr);
    delete F;
}
} // namespace
