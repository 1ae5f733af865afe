#include "unify/dive.h"

#include "model/formula.h"
#include "model/runstate.h"
#include "model/symbols.h"
#include "unify/unify.h"

TObject* CopyParent = nullptr;
bool NegateMarks = false;
TQuant* NewVars = nullptr;
bool VarRemoved = false;
TVariableSet* EnteredValues = nullptr;

namespace {
TObject* Visit(TObject* Obj, TVisitor Visitor, TDiveMode& Mode, TDiveArgs Args)
{
    return Visitor ? Visitor(Obj, Mode, Args) : Obj;
}

template <class T> void Replace(T*& Field, TDiveMode Mode, TVisitor Visitor, TDiveArgs Args)
{
    if (Field)
        Field = static_cast<T*>(Field->Dive(Mode, Visitor, Args));
}

void SetMasters(TQuant* Q, TSub* Master)
{
    if (Q)
        for (TVariable* V : Q->Items)
            if (V)
                V->Master = Master;
}

// The copy N of a node gets the node's own fields, and a copy of its prefix; the bindings of
// the prefix move in once the subtree is copied (mode Bindings). Returns N.
template <class T> T* CopyHead(TSub* From, T* N, TVisitor Visitor, TDiveArgs Args)
{
    N->Neg = From->Neg;
    N->Val = From->Val;
    N->Pol = From->Pol;
    N->Ac = CopyParent;
    if (From->Q) {
        N->Q = static_cast<TQuant*>(From->Q->Dive(TDiveMode::Copy, Visitor, Args));
        SetMasters(N->Q, N);
    }
    return N;
}

TId* CopyTerm(TId* Term, TDiveMode Mode, TVisitor Visitor, TDiveArgs Args)
{
    WalkStopped(); // the copy is whole in any case: resolvents are within the size limits
    switch (Term->Class) {
    case TClass::Functor: {
        auto* Source = static_cast<TFunctor*>(Term);
        auto* Copy = new TFunctor(Source->Name);
        Copy->Params.Items.reserve(Source->Params.Items.size());
        for (TId* Arg : Source->Params.Items)
            if (Arg)
                Copy->Params.Add(static_cast<TId*>(Arg->Dive(Mode, Visitor, Args)));
        return Copy;
    }
    case TClass::FunctorA:
        return new TFunctorA(static_cast<TFunctorA*>(Term)->Name);
    case TClass::StrLit:
        return new TStrLit(static_cast<TStrLit*>(Term)->Value);
    case TClass::Integer:
        return new TInteger(static_cast<TInteger*>(Term)->Value);
    case TClass::Real:
        return new TReal(static_cast<TReal*>(Term)->Value);
    case TClass::Var:
        return new TVar(static_cast<TVar*>(Term)->Name);
    case TClass::Variable: {
        auto* V = static_cast<TVariable*>(Term);
        if (Mode == TDiveMode::Share) {
            V->Cloned = true;
            V->Visited = true;
            return V;
        }
        // In mode "r" the prefix copy normally made New already; a binding that reaches a
        // variable of a subtree not yet copied gets its copy on demand, as in mode "p".
        return V->New ? V->New : CopyOnDemand(V);
    }
    default:
        return Term;
    }
}
} // namespace

void ClearCopyMarks(TVariable* V)
{
    V->Cloned = false;
    V->Visited = false;
    V->New = nullptr;
    V->NewId = nullptr;
}

void ResetCopyState()
{
    CopyParent = nullptr;
    NegateMarks = false;
    NewVars = nullptr;
    VarRemoved = false;
    EnteredValues = nullptr;
}

TVariable* CopyOnDemand(TVariable* V)
{
    V->New = new TVariable(V);
    V->Cloned = true;
    V->Visited = true;
    if (!NewVars)
        NewVars = new TQuant;
    NewVars->Add(V->New);
    if (V->Master && V->Master->OuterPol() < 0)
        V->New->Kind = Sym::Turned(V->New->Kind);
    return V->New;
}

namespace {
// The parts a node's walk goes on to: its operands, or the term of an atom (whose L and R are
// the links of the atom chain).
void ReplaceParts(TSub* Node, TDiveMode Mode, TVisitor Visitor, TDiveArgs Args)
{
    if (Node->Is(TClass::Atom)) {
        Replace(static_cast<TAtom*>(Node)->Id, Mode, Visitor, Args);
        return;
    }
    Replace(Node->L, Mode, Visitor, Args);
    Replace(Node->R, Mode, Visitor, Args);
}
} // namespace

// Written out rather than through Dive: every step of the search sweeps whole formulas.
void SweepTree(TSub* Node)
{
    if (Node->Is(TClass::Atom)) {
        Node->Val = 0; // the mark that resolution put on a resolved atom
    } else {
        if (Node->L)
            SweepTree(Node->L);
        if (Node->R)
            SweepTree(Node->R);
    }
    if (Node->Q) {
        Node->Q->Dive(TDiveMode::Sweep, nullptr, TDiveArgs{});
        if (Node->Q->Count() == 0) {
            delete Node->Q;
            Node->Q = nullptr;
        }
    }
}

// The walks that nodes and atoms take alike are here; TAtom::Dive hands them on.
TObject* TSub::Dive(TDiveMode Mode, TVisitor Visitor, TDiveArgs Args)
{
    switch (Mode) {
    case TDiveMode::PostOrder:
        Replace(Q, Mode, Visitor, Args);
        ReplaceParts(this, Mode, Visitor, Args);
        return Visit(this, Visitor, Mode, Args);
    case TDiveMode::PreOrder: {
        TObject* Result = Visit(this, Visitor, Mode, Args);
        ReplaceParts(this, Mode, Visitor, Args);
        return Result;
    }
    case TDiveMode::Constants:
        if (L && !L->Is(TClass::Atom) && L->Val == 0)
            L = static_cast<TSub*>(L->Dive(Mode, Visitor, Args));
        if (R && !R->Is(TClass::Atom) && R->Val == 0)
            R = static_cast<TSub*>(R->Dive(Mode, Visitor, Args));
        return Visit(this, Visitor, Mode, Args);
    case TDiveMode::Sweep:
        SweepTree(this);
        return this;
    case TDiveMode::ResetRoot:
        if (Q)
            Q->Dive(Mode, Visitor, Args);
        return this;
    case TDiveMode::Copy: {
        TSub* N = CopyHead(this, NewConnective(Class), Visitor, Args);
        CopyParent = N;
        if (L)
            N->L = static_cast<TSub*>(L->Dive(TDiveMode::Copy, Visitor, Args));
        CopyParent = N;
        if (R)
            N->R = static_cast<TSub*>(R->Dive(TDiveMode::Copy, Visitor, Args));
        if (Q)
            Q->Dive(TDiveMode::Bindings, Visitor, Args);
        CopyParent = N;
        return N;
    }
    default:
        return this;
    }
}

TObject* TAtom::Dive(TDiveMode Mode, TVisitor Visitor, TDiveArgs Args)
{
    switch (Mode) {
    case TDiveMode::PostOrder:
    case TDiveMode::PreOrder:
    case TDiveMode::ResetRoot:
        return TSub::Dive(Mode, Visitor, Args);
    case TDiveMode::Sweep:
        SweepTree(this);
        return this;
    case TDiveMode::Copy: {
        TAtom* N = CopyHead(this, new TAtom, Visitor, Args);
        N->Val = static_cast<std::int8_t>(NegateMarks ? -Val : Val);
        AppendToChain(N);
        if (Id)
            N->Id = static_cast<TId*>(Id->Dive(TDiveMode::Copy, Visitor, Args));
        if (Q)
            Q->Dive(TDiveMode::Bindings, Visitor, Args);
        return N;
    }
    default:
        return this;
    }
}

TObject* TQuant::Dive(TDiveMode Mode, TVisitor Visitor, TDiveArgs Args)
{
    switch (Mode) {
    case TDiveMode::PostOrder:
        for (std::int32_t I = 0; I < Count(); ++I)
            if (TVariable* V = Get(I))
                Put(I, static_cast<TVariable*>(V->Dive(Mode, Visitor, Args)));
        return Visit(this, Visitor, Mode, Args);
    case TDiveMode::Sweep: {
        bool Removed = false;
        for (std::int32_t I = 0; I < Count(); ++I) {
            TVariable* V = Get(I);
            if (!V)
                continue;
            if (V->Visited || (V->Watch && V->Id)) {
                ClearCopyMarks(V);
            } else {
                // Another pass follows: a variable kept by a mark a copy left (not by the
                // marking of this pass) may be unused too.
                VarRemoved = true;
                delete V;
                Put(I, nullptr);
                Removed = true;
            }
        }
        if (Removed)
            Pack();
        return this;
    }
    case TDiveMode::ResetRoot:
        for (TVariable* V : Items)
            if (V) {
                V->New = nullptr;
                if (V->Id) {
                    V->Id->RFree();
                    V->Id = nullptr;
                }
                V->Visited = false;
                V->Watch = V;
            }
        return this;
    case TDiveMode::Copy: {
        auto* C = new TQuant;
        C->Items.reserve(Items.size());
        for (TVariable* V : Items) {
            if (!V)
                continue;
            V->Visited = true;
            if (!V->Cloned) {
                V->New = new TVariable(V);
                C->Add(V->New);
            }
        }
        if (C->Count() == 0) {
            delete C;
            return nullptr;
        }
        return C;
    }
    case TDiveMode::Bindings:
        for (TVariable* V : Items) {
            if (!V || !V->New || V->New->Id)
                continue;
            if (V->NewId)
                V->New->Id =
                    static_cast<TId*>(V->NewId->Dive(TDiveMode::CopyBinding, Visitor, Args));
            else if (V->Id)
                V->New->Id = static_cast<TId*>(V->Id->Dive(TDiveMode::Copy, Visitor, Args));
        }
        return this;
    default:
        return this;
    }
}

TObject* TId::Dive(TDiveMode Mode, TVisitor Visitor, TDiveArgs Args)
{
    switch (Mode) {
    case TDiveMode::PostOrder:
    case TDiveMode::PreOrder:
        WalkStopped(); // folding and marking go on: the sweep after them needs every mark
        if (Is(TClass::Functor)) {
            auto& Params = static_cast<TFunctor*>(this)->Params;
            for (std::int32_t I = 0; I < Params.Count(); ++I)
                if (TId* Arg = Params.Get(I))
                    Params.Put(I, static_cast<TId*>(Arg->Dive(Mode, Visitor, Args)));
        } else if (Is(TClass::Variable)) {
            auto* V = static_cast<TVariable*>(this);
            if (V->Id && (!EnteredValues || EnteredValues->Insert(V)))
                Replace(V->Id, Mode, Visitor, Args);
        }
        return Visit(this, Visitor, Mode, Args);
    case TDiveMode::Copy:
    case TDiveMode::CopyBinding:
    case TDiveMode::Share:
        return CopyTerm(this, Mode, Visitor, Args);
    case TDiveMode::Unify:
        UnifyWalk(this, Visitor, Args);
        return this;
    case TDiveMode::Occurs:
        OccurWalk(this, Visitor, Args);
        return this;
    default:
        return this;
    }
}

TFALFormula* TFALFormula::Dive(TDiveMode Mode, TVisitor Visitor, TDiveArgs Args)
{
    if (Cont)
        Cont->Dive(Mode, Visitor, Args);
    return this;
}
