#include "resolution/simplify.h"

#include "model/formula.h"
#include "model/runstate.h"
#include "resolution/polarity.h"
#include "unify/dive.h"

#include <algorithm>

TObject* SimplifyNode(TObject* Obj, TDiveMode&, TDiveArgs)
{
    auto* Node = static_cast<TSub*>(Obj);
    if (!Node->L || !Node->R || (Node->L->Val == 0 && Node->R->Val == 0))
        return Node;
    ++SimplificationCount;
    const std::int8_t B = Node->L->Val;
    const std::int8_t C = Node->R->Val;
    std::int8_t N = 0;
    switch (Node->Class) {
    case TClass::Con:
        N = std::min(B, C);
        break;
    case TClass::Dis:
        N = std::max(B, C);
        break;
    case TClass::Imp:
        N = std::max<std::int8_t>(static_cast<std::int8_t>(-B), C);
        break;
    default: // equivalence
        N = std::min(std::max<std::int8_t>(static_cast<std::int8_t>(-B), C),
                     std::max<std::int8_t>(B, static_cast<std::int8_t>(-C)));
        break;
    }
    TSub* Result = Node;
    if (N != 0) {
        Node->L->RFree();
        Node->L = nullptr;
        Node->R->RFree();
        Node->R = nullptr;
        Node->Val = N;
    } else {
        const bool Negate =
            (Node->Is(TClass::Imp) && C == -1) || (Node->Is(TClass::Eqv) && (B == -1 || C == -1));
        Result = Node->SubstTo(B == 0 ? Node->L : Node->R);
        if (Negate)
            Result->Negate();
    }
    if (Result->Neg)
        Result->Val = static_cast<std::int8_t>(-Result->Val);
    return Result;
}

TSub* TSub::SubstTo(TSub* Child)
{
    TSub* P = static_cast<TSub*>(Child->Ac);
    TObject* G = P->Ac;
    Child->Ac = G;
    bool WasLeft = false;
    if (G && G->IsNode()) {
        auto* GNode = static_cast<TSub*>(G);
        WasLeft = GNode->L == P;
        if (WasLeft)
            GNode->L = Child;
        else
            GNode->R = Child;
    } else if (G && G->IsFormula()) {
        static_cast<TFALFormula*>(G)->Cont = Child;
    }
    if (P->L == Child)
        P->L = nullptr;
    else
        P->R = nullptr;
    if (P->Neg)
        Child->Negate();
    // P goes as RFree would take it, from the place the child now holds.
    P->FreeOperands();
    P->ClimbPrefix(WasLeft);
    delete P;
    return Child;
}

namespace {
// A value shared by many occurrences is folded and marked once per pass.
TVariableSet Entered;
} // namespace

namespace {
// The marking pass, written out: the generic walk's dispatch cost a fifth of the search.
// It takes the same steps as the other walks (WalkStopped counts them), and goes on after
// a stop: the sweep after it needs every mark.
void MarkTerm(TId* Term)
{
    WalkStopped();
    if (Term->Is(TClass::Functor)) {
        for (TId* Arg : static_cast<TFunctor*>(Term)->Params.Items)
            if (Arg)
                MarkTerm(Arg);
    } else if (Term->Is(TClass::Variable)) {
        auto* V = static_cast<TVariable*>(Term);
        if (V->Id && Entered.Insert(V))
            MarkTerm(V->Id);
        V->Visited = true;
    }
}

// Marks the variables that a node's atoms use, with those their values use; the value of a
// prefix variable counts even where the variable no longer occurs, so that a variable goes
// only after the one whose value held it.
void MarkNode(TSub* Node)
{
    if (Node->Q)
        for (TVariable* V : Node->Q->Items)
            if (V && V->Id)
                MarkTerm(V->Id);
    if (Node->Is(TClass::Atom)) {
        if (TId* Term = static_cast<TAtom*>(Node)->Id)
            MarkTerm(Term);
        return;
    }
    if (Node->L)
        MarkNode(Node->L);
    if (Node->R)
        MarkNode(Node->R);
}
} // namespace

void ReleaseSimplifyStorage()
{
    Entered.Release();
}

void TFALFormula::Simplify()
{
    if (ArithmeticSeen) {
        Entered.Clear();
        EnteredValues = &Entered;
        Dive(TDiveMode::PostOrder, FoldArithmetic, TDiveArgs{});
        EnteredValues = nullptr;
    }
    FirstAtom = MF;
    LastAtom = ML;
    Dive(TDiveMode::Constants, SimplifyNode, TDiveArgs{});
    MF = FirstAtom;
    ML = LastAtom;
    do {
        VarRemoved = false;
        Entered.Clear();
        if (Cont) {
            MarkNode(Cont);
            SweepTree(Cont);
        }
    } while (VarRemoved);
}
