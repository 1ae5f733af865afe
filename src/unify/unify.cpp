#include "unify/unify.h"

#include "model/runstate.h"
#include "model/symbols.h"
#include "unify/dive.h"

#include <utility>
#include <vector>

std::int8_t UnifyResult = 1;
bool PassClean = true;
bool OccurFree = true;
TId* OccurTarget = nullptr;
bool AnyVarBindable = false;

namespace {
// The pairs of function terms one pass of a unification has walked cleanly (no binding
// refused below them): walking such a pair again adds nothing, so it is not walked again.
// Terms shared through bindings (Skolem terms that double at each step) would otherwise be
// walked once per path. A generation number empties the table in constant time.
struct TPairHash {
    std::size_t operator()(const std::pair<const TId*, const TId*>& P) const
    {
        const auto H = (reinterpret_cast<std::uintptr_t>(P.first) >> 4) * 0x9E3779B97F4A7C15ULL ^
                       (reinterpret_cast<std::uintptr_t>(P.second) >> 4);
        return static_cast<std::size_t>(H);
    }
};
using TPairSet = TStampTable<std::pair<const TId*, const TId*>, bool, TPairHash>;

TPairSet Walked;
// The variables whose values the occurs walk in progress has looked through.
TVariableSet OccurEntered;

// Follows the unifier to the end: the term a variable is given may be a variable that has a
// pair of its own, and binding that one again would be a second, unchecked pair.
TId* LookUp(TId* X)
{
    for (std::int32_t Steps = Unifier().Count(); Steps >= 0; --Steps) {
        if (!X || !X->Is(TClass::Variable))
            return X;
        TId* Next = static_cast<TVariable*>(X)->CompInMgu();
        if (Next == X)
            return X;
        X = Next;
    }
    return X;
}

TVariable* AsBoundVariable(TId* X)
{
    if (X && X->Is(TClass::Variable) && static_cast<TVariable*>(X)->Id)
        return static_cast<TVariable*>(X);
    return nullptr;
}

// The index of V's first pair in the unifier, or -1.
std::int32_t FirstPair(TList<TId>& List, const TVariable* V)
{
    const std::int32_t At = V->PairAt;
    return At >= 0 && At + 1 < List.Count() && List.Get(At) == V ? At : -1;
}

// The even entries of the unifier are its variables.
bool HasPairBefore(TList<TId>& List, TId* V, std::int32_t End)
{
    const std::int32_t At = FirstPair(List, static_cast<TVariable*>(V));
    return At >= 0 && At + 1 < End;
}

// Calls Fn on every variable quantified outside W, in the order MAssigned looks at them.
template <class TFn> bool AnyOuterVariable(TVariable* W, TFn Fn)
{
    TSub* M = W->Master;
    if (!M)
        return false;
    if (M->Q) {
        const std::int32_t At = M->Q->IndexOf(W);
        for (std::int32_t I = At - 1; I >= 0; --I)
            if (TVariable* X = M->Q->Get(I); X && Fn(X))
                return true;
    }
    for (TSub* A = M->Parent(); A; A = A->Parent())
        if (A->Q)
            for (std::int32_t I = A->Q->Count() - 1; I >= 0; --I)
                if (TVariable* X = A->Q->Get(I); X && Fn(X))
                    return true;
    return false;
}

// Whether V occurs in T when every effectively existential variable is read as a term over
// the universal variables outside it, following the unifier and the bindings.
bool DependsOn(TVariable* V, TId* T, std::vector<TVariable*>& Seen)
{
    if (!T)
        return false;
    if (WalkStopped())
        return true; // no binding after a stop
    if (T->Is(TClass::Functor)) {
        for (TId* Arg : static_cast<TFunctor*>(T)->Params.Items)
            if (DependsOn(V, Arg, Seen))
                return true;
        return false;
    }
    if (!T->Is(TClass::Variable))
        return false;
    auto* X = static_cast<TVariable*>(T);
    if (X == V)
        return true;
    for (TVariable* S : Seen)
        if (S == X)
            return false;
    Seen.push_back(X);
    TId* W = X->CompInMgu();
    if (W != X && DependsOn(V, W, Seen))
        return true;
    if (W == X && X->Id && DependsOn(V, X->Id, Seen))
        return true;
    // Not only definite existentials: a variable below an equivalence is read both ways, so
    // it too may stand for a term over the universals outside it.
    if (!IsEffectivelyUniversal(X))
        return AnyOuterVariable(X, [&](TVariable* U) {
            return IsDefinite(U) && IsEffectivelyUniversal(U) && DependsOn(V, U, Seen);
        });
    return false;
}
} // namespace

void ReleaseUnifyStorage()
{
    Walked.Release();
    OccurEntered.Release();
}

void ResetUnifyState()
{
    UnifyResult = 1;
    PassClean = true;
    OccurFree = true;
    OccurTarget = nullptr;
    AnyVarBindable = false;
}

TList<TId>& Unifier()
{
    return CurrentProgram->MGUn1;
}

void AddPair(TVariable* V, TId* T)
{
    TList<TId>& List = Unifier();
    if (FirstPair(List, V) < 0)
        V->PairAt = List.Count();
    List.Add(V);
    List.Add(T);
}

bool IsFirstPair(TList<TId>& List, std::int32_t I)
{
    return !HasPairBefore(List, List.Get(I), I);
}

bool QuantifierCheck()
{
    return OptionOn(TOption::Quant1) && !OptionOn(TOption::Skolem1);
}

bool IsDefinite(const TVariable* V)
{
    return V->Master && V->Master->Pol != 0;
}

bool IsEffectivelyUniversal(const TVariable* V)
{
    if (!IsDefinite(V))
        return false;
    return (V->Kind == Sym::ForAll) == (V->Master->OuterPol() > 0);
}

TId* TVariable::CompInMgu()
{
    TList<TId>& List = Unifier();
    const std::int32_t At = FirstPair(List, this);
    return At >= 0 ? List.Get(At + 1) : this;
}

bool TVariable::MAssigned()
{
    if (IsEffectivelyUniversal(this) || (Master && Master->Pol == 0 && Master->Neg))
        return true;
    return !AnyOuterVariable(this, [](TVariable* X) {
        return IsDefinite(X) && IsEffectivelyUniversal(X) && !X->Id && X->CompInMgu() == X;
    });
}

bool MayBind(TId* V, TId* W)
{
    if (AnyVarBindable)
        return true;
    if (!V || !V->Is(TClass::Variable))
        return false;
    auto* Var = static_cast<TVariable*>(V);
    if (!IsDefinite(Var) || !IsEffectivelyUniversal(Var))
        return false;
    if (W && W->Is(TClass::Variable) && !static_cast<TVariable*>(W)->MAssigned())
        return false;
    // An existential stands for a term over the universals outside it: V may not become a
    // value that depends on V itself.
    std::vector<TVariable*> Seen;
    return !DependsOn(Var, W, Seen);
}

void UnifyWalk(TId* S, TVisitor Visitor, TDiveArgs Args)
{
    // After a stop the unification gives up: no unifier, and the search ends at its next
    // yield point.
    if (WalkStopped()) {
        UnifyResult = 0;
        return;
    }
    auto* T = static_cast<TId*>(Args.Value);
    TId* R = S;
    if (T == R)
        return;
    T = LookUp(T);
    if (T == R)
        return;
    if (S->Is(TClass::Variable)) {
        R = static_cast<TVariable*>(S)->CompInMgu();
        if (T == R)
            return;
    }
    while (TVariable* V = AsBoundVariable(T)) {
        T = V->Id;
        if (T == R)
            return;
        T = LookUp(T);
    }
    while (TVariable* V = AsBoundVariable(R)) {
        R = V->Id;
        if (T == R)
            return;
        T = LookUp(T);
    }
    if (T && T->Is(TClass::Variable) && static_cast<TVariable*>(T)->NewId) {
        T = static_cast<TVariable*>(T)->NewId;
        if (T == R)
            return;
    }
    if (R->Is(TClass::Variable) && static_cast<TVariable*>(R)->NewId) {
        R = static_cast<TVariable*>(R)->NewId;
        if (T == R)
            return;
    }
    Args.Value = T;
    if (R != S) {
        R->Dive(TDiveMode::Unify, Visitor, Args);
        return;
    }
    const bool Pair = S->Is(TClass::Functor) && T && T->Is(TClass::Functor);
    if (Pair && Walked.Find({S, T}))
        return;
    const bool CleanBefore = PassClean;
    TDiveMode Mode = TDiveMode::Unify;
    if (Visitor)
        Visitor(S, Mode, Args);
    if (Pair && UnifyResult == 1) {
        auto& SP = static_cast<TFunctor*>(S)->Params;
        auto& TP = static_cast<TFunctor*>(T)->Params;
        for (std::int32_t I = 0; I < SP.Count() && I < TP.Count() && UnifyResult != 0; ++I)
            if (SP.Get(I) && TP.Get(I))
                SP.Get(I)->Dive(TDiveMode::Unify, Visitor,
                                TDiveArgs{TP.Get(I), TDiveArgs::ModelObject});
        if (UnifyResult != 0 && CleanBefore && PassClean)
            Walked.Insert({S, T});
    }
}

TObject* UnifyStep(TObject* Obj, TDiveMode&, TDiveArgs Args)
{
    if (!Obj || !Obj->IsTerm() || Args.Tag != TDiveArgs::ModelObject || UnifyResult == 0)
        return Obj;
    auto* S = static_cast<TId*>(Obj);
    auto* T = static_cast<TId*>(Args.Value);
    if (!T)
        return Obj;
    if (T->Is(TClass::Variable)) {
        if (S->OccurCheck(T) && (!QuantifierCheck() || MayBind(T, S))) {
            AddPair(static_cast<TVariable*>(T), S);
            UnifyResult = -1;
            return Obj;
        }
        if (!S->Is(TClass::Variable))
            PassClean = false;
    }
    switch (S->Class) {
    case TClass::Functor: {
        auto* SF = static_cast<TFunctor*>(S);
        UnifyResult = T->Is(TClass::Functor) && static_cast<TFunctor*>(T)->Name == SF->Name &&
                              static_cast<TFunctor*>(T)->Params.Count() == SF->Params.Count()
                          ? 1
                          : 0;
        break;
    }
    case TClass::FunctorA:
        if (!T->Is(TClass::FunctorA) ||
            static_cast<TFunctorA*>(T)->Name != static_cast<TFunctorA*>(S)->Name)
            UnifyResult = 0;
        break;
    case TClass::StrLit:
        if (!T->Is(TClass::StrLit) ||
            static_cast<TStrLit*>(T)->Value != static_cast<TStrLit*>(S)->Value)
            UnifyResult = 0;
        break;
    case TClass::Integer:
    case TClass::Real:
        if (!T->IsNumber() ||
            static_cast<TNumber*>(T)->GetNumber() != static_cast<TNumber*>(S)->GetNumber())
            UnifyResult = 0;
        break;
    case TClass::Variable:
        if (T->OccurCheck(S) && (!QuantifierCheck() || MayBind(S, T))) {
            AddPair(static_cast<TVariable*>(S), T);
            UnifyResult = 1;
        } else {
            PassClean = false;
        }
        break;
    default:
        UnifyResult = 0;
        break;
    }
    return Obj;
}

void OccurWalk(TId* X, TVisitor Visitor, TDiveArgs Args)
{
    if (WalkStopped()) {
        OccurFree = false; // no binding after a stop
        return;
    }
    TDiveMode Mode = TDiveMode::Occurs;
    if (Visitor)
        Visitor(X, Mode, Args);
    if (!OccurFree)
        return;
    if (X->Is(TClass::Functor)) {
        for (TId* Arg : static_cast<TFunctor*>(X)->Params.Items) {
            if (!OccurFree)
                break;
            if (Arg)
                Arg->Dive(TDiveMode::Occurs, Visitor, Args);
        }
    } else if (X->Is(TClass::Variable)) {
        auto* V = static_cast<TVariable*>(X);
        // A value looked through once holds the target or not: it is not walked again.
        if (!OccurEntered.Insert(V))
            return;
        TId* W = V->CompInMgu();
        if (W != X)
            W->Dive(TDiveMode::Occurs, Visitor, Args);
        else if (V->Id)
            V->Id->Dive(TDiveMode::Occurs, Visitor, Args);
    }
}

TObject* OccurProbe(TObject* Obj, TDiveMode&, TDiveArgs)
{
    if (Obj == OccurTarget)
        OccurFree = false;
    return Obj;
}

bool TId::OccurCheck(TId* V)
{
    OccurFree = true;
    OccurTarget = V;
    OccurEntered.Clear();
    Dive(TDiveMode::Occurs, OccurProbe, TDiveArgs{});
    return OccurFree;
}

// Passes repeat while a failed pass added pairs, since a binding the quantifier check refused
// may succeed once later pairs exist. They end: lookups follow the unifier to the end, so a
// pass gives pairs only to variables that had none, and a pass that adds no pair for a new
// variable stops the repetition (it would leave every lookup as it was, and the next pass
// would repeat it exactly). So p(Y, a, Y) against p(X, X, b) fails after its second pass.
void TId::UnifyId(TId* T)
{
    TList<TId>& List = Unifier();
    for (;;) {
        PassClean = true;
        UnifyResult = 1;
        Walked.Clear();
        const std::int32_t N = List.Count();
        Dive(TDiveMode::Unify, UnifyStep, TDiveArgs{T, TDiveArgs::ModelObject});
        if (!PassClean)
            UnifyResult = 0;
        if (List.Count() <= N || UnifyResult != 0)
            return;
        bool AddedNewVariable = false;
        for (std::int32_t I = N; I + 1 < List.Count() && !AddedNewVariable; I += 2)
            AddedNewVariable = !HasPairBefore(List, List.Get(I), N);
        if (!AddedNewVariable)
            return;
    }
}

int TAtom::UnifyS(TAtom* B)
{
    ++UnificationCount;
    TList<TId>& List = Unifier();
    const std::int32_t N = List.Count();
    if (B->Val != 0)
        return 0;
    UnifyResult = 1;
    if (Id)
        Id->UnifyId(B->Id);
    if (UnifyResult != 0)
        return UnifyResult;
    List.Truncate(N);
    return 0;
}

int TAtom::UnifySL(TAtom* B)
{
    return UnifyS(B);
}
