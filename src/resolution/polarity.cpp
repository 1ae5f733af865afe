#include "resolution/polarity.h"

#include "model/formula.h"
#include "model/owner.h"
#include "model/symbols.h"

#include <cmath>
#include <string>
#include <unordered_map>

bool ArithmeticSeen = true;

namespace {
// The node whose prefix LinkVariables searches first; valid during PostComp only.
TSub* ScopeNode = nullptr;
// Free names made universal so far in this PostComp; they stand first in the root prefix
// when it holds an existential.
std::int32_t FreeCount = 0;

bool HoldsExistential(const TQuant* Q)
{
    for (const TVariable* V : Q->Items)
        if (V && V->Kind == Sym::Exists)
            return true;
    return false;
}

// Where a free name's variable goes in the root prefix. It stands at the outermost level, so
// in the modes that read quantifiers it goes before the root's quantifiers: at the end,
// ∃Y [r(X, Y)] would read ∃Y∀X r(X, Y). A query's free names are its answer variables, which
// stand before all its quantifiers. The default mode ignores quantifiers and keeps the order
// its answer lines follow.
std::int32_t FreePlace(const TQuant* Q, bool Query)
{
    const bool ReadsQuantifiers = OptionOn(TOption::Quant1) || OptionOn(TOption::Skolem1);
    if (ReadsQuantifiers && (Query || HoldsExistential(Q)))
        return FreeCount;
    return Q->Count();
}

// The names of the long prefixes searched during one PostComp: a formula with many variables
// is linked in time that grows with their number, not its square.
std::unordered_map<const TQuant*, std::unordered_map<std::string, TVariable*>> PrefixNames;
constexpr std::int32_t IndexFrom = 16;

TVariable* FindInPrefix(TQuant* Q, const std::string& Name)
{
    if (!Q)
        return nullptr;
    if (Q->Count() < IndexFrom) {
        for (std::int32_t I = Q->Count() - 1; I >= 0; --I) // the last of a prefix wins
            if (TVariable* V = Q->Get(I); V && V->Name == Name)
                return V;
        return nullptr;
    }
    auto [It, New] = PrefixNames.try_emplace(Q);
    if (New)
        for (TVariable* V : Q->Items) // a later one overwrites: the last wins
            if (V)
                It->second[V->Name.Str()] = V;
    const auto Found = It->second.find(Name);
    return Found == It->second.end() ? nullptr : Found->second;
}

TSub* RootOf(TSub* Node)
{
    while (TSub* P = Node->Parent())
        Node = P;
    return Node;
}

TId* Unbound(TId* Term)
{
    while (Term && Term->Is(TClass::Variable))
        Term = static_cast<TVariable*>(Term)->Id;
    return Term;
}
} // namespace

void TSub::EvalPol()
{
    if (TSub* P = Parent()) {
        std::int8_t Inherited = P->Pol;
        if (P->Is(TClass::Imp) && P->L == this)
            Inherited = static_cast<std::int8_t>(-Inherited);
        Pol = Neg ? static_cast<std::int8_t>(-Inherited) : Inherited;
    } else {
        Pol = Neg ? -1 : 1;
    }
    if (Is(TClass::Eqv) || Is(TClass::Atom))
        return;
    if (L)
        L->EvalPol();
    if (R)
        R->EvalPol();
}

TObject* LinkVariables(TObject* Obj, TDiveMode& Mode, TDiveArgs)
{
    if (Obj->IsNode()) {
        ScopeNode = static_cast<TSub*>(Obj);
        if (ScopeNode->Q)
            for (TVariable* V : ScopeNode->Q->Items)
                if (V)
                    V->Master = ScopeNode;
        if (Obj->Is(TClass::Atom))
            Mode = TDiveMode::PostOrder;
        return Obj;
    }
    if (!Obj->Is(TClass::Var) || !ScopeNode)
        return Obj;
    auto* Ref = static_cast<TVar*>(Obj);
    TVariable* Found = nullptr;
    for (TSub* Level = ScopeNode; Level && !Found; Level = Level->Parent())
        Found = FindInPrefix(Level->Q, Ref->Name);
    if (!Found) {
        // A free name: one variable per name at the root, universal in an axiom; in a query
        // existential, since the values the query asks for are its answer.
        TSub* Root = RootOf(ScopeNode);
        const bool Query = Root->Ac && Root->Ac->Is(TClass::Query);
        Found = new TVariable(Ref->Name, Query ? Sym::Exists : Sym::ForAll);
        Found->Master = Root;
        if (!Root->Q)
            Root->Q = new TQuant;
        Root->Q->Insert(FreePlace(Root->Q, Query), Found);
        if (const auto It = PrefixNames.find(Root->Q); It != PrefixNames.end())
            It->second[Found->Name.Str()] = Found; // no variable of its name was there
        ++FreeCount;
    }
    Ref->RFree();
    return Found;
}

TObject* FoldArithmetic(TObject* Obj, TDiveMode&, TDiveArgs)
{
    if (!Obj->Is(TClass::Functor))
        return Obj;
    auto* F = static_cast<TFunctor*>(Obj);
    if (F->Name.size() != 1 || F->Params.Count() != 2)
        return Obj;
    const char Op = F->Name[0];
    if (Op != '*' && Op != '+' && Op != '-' && Op != '/')
        return Obj;
    ArithmeticSeen = true;
    TId* A = Unbound(F->Params.Get(0));
    TId* B = Unbound(F->Params.Get(1));
    if (!A || !B || !A->IsNumber() || !B->IsNumber())
        return Obj;
    const long double X = static_cast<TNumber*>(A)->GetNumber();
    const long double Y = static_cast<TNumber*>(B)->GetNumber();
    long double Result = 0;
    switch (Op) {
    case '*':
        Result = X * Y;
        break;
    case '+':
        Result = X + Y;
        break;
    case '-':
        Result = X - Y;
        break;
    default:
        if (Y == 0)
            return Obj; // division by zero stays unfolded
        Result = X / Y;
        break;
    }
    if (!std::isfinite(Result))
        return Obj; // overflow or an invalid operation
    F->RFree();
    return new TReal(Result);
}

std::int32_t FreeNamesLinked()
{
    return FreeCount;
}

void TFALFormula::PostComp()
{
    ScopeNode = nullptr;
    FreeCount = 0;
    Dive(TDiveMode::PreOrder, LinkVariables, TDiveArgs{});
    ScopeNode = nullptr;
    decltype(PrefixNames)().swap(PrefixNames); // its storage goes with it
    Dive(TDiveMode::PostOrder, FoldArithmetic, TDiveArgs{});
    if (Cont)
        Cont->EvalPol();
}
