#include "model/formula.h"

#include "model/symbols.h"

#include <charconv>
#include <cmath>
#include <unordered_map>

TAtom* FirstAtom = nullptr;
TAtom* LastAtom = nullptr;

void AppendToChain(TAtom* Atom)
{
    if (LastAtom) {
        Atom->L = LastAtom;
        LastAtom->R = Atom;
    } else {
        FirstAtom = Atom;
    }
    LastAtom = Atom;
}

TSub* NewConnective(TClass AClass)
{
    switch (AClass) {
    case TClass::Con:
        return new TCon;
    case TClass::Dis:
        return new TDis;
    case TClass::Imp:
        return new TImp;
    case TClass::Eqv:
        return new TEqv;
    default:
        return new TAtom;
    }
}

void SetOperands(TSub* Node, TSub* Left, TSub* Right)
{
    Node->L = Left;
    Node->R = Right;
    Left->Ac = Node;
    Right->Ac = Node;
}

void TurnQuantifiers(TQuant* Q)
{
    if (Q)
        for (TVariable* V : Q->Items)
            if (V)
                V->Kind = Sym::Turned(V->Kind);
}

void TSub::GetSymbol(std::string&) const {}

bool TSub::IsLeftOfParent() const
{
    const TSub* P = Parent();
    return P && P->L == this;
}

void TSub::FreeOperands()
{
    if (L) {
        L->RFree();
        L = nullptr;
    }
    if (R) {
        R->RFree();
        R = nullptr;
    }
}

void TSub::ClimbPrefix(bool WasLeft)
{
    if (!Q)
        return;
    TQuant* List = Q;
    Q = nullptr;
    if (TSub* P = Parent()) {
        // The variables leave this node for the parent's prefix, which stands outside the
        // parent's negation and outside an implication's antecedent: a quantifier crossing
        // exactly one of the two is turned so that it keeps its meaning.
        const bool Crosses = P->Neg != (P->Is(TClass::Imp) && WasLeft);
        if (Crosses && !P->Is(TClass::Eqv))
            TurnQuantifiers(List);
        P->AppendToQuant(List);
    } else if (Ac && Ac->IsFormula()) {
        auto* F = static_cast<TFALFormula*>(Ac);
        if (F->Cont == this || !F->Cont)
            List->RFree();
        else
            F->Cont->AppendToQuant(List); // a lifted child took this node's place as root
    } else {
        List->RFree();
    }
}

void TSub::RFree()
{
    FreeOperands();
    ClimbPrefix(IsLeftOfParent());
    delete this;
}

void TAtom::RFree()
{
    if (Id) {
        Id->RFree();
        Id = nullptr;
    }
    ClimbPrefix(IsLeftOfParent());
    // L and R are the chain links of an atom, not operands.
    if (L)
        L->R = R;
    if (R)
        R->L = L;
    if (FirstAtom == this)
        FirstAtom = static_cast<TAtom*>(R);
    if (LastAtom == this)
        LastAtom = static_cast<TAtom*>(L);
    delete this;
}

void TSub::AppendToQuant(TQuant*& List)
{
    if (Q && Q->Count() == 0) {
        delete Q;
        Q = nullptr;
    }
    if (Q) {
        for (TVariable* V : Q->Items)
            if (V)
                List->Add(V);
        delete Q;
    }
    Q = List;
    if (List->Count() == 0) {
        delete List;
        List = nullptr;
        Q = nullptr;
        return;
    }
    for (TVariable* V : Q->Items)
        if (V)
            V->Master = this;
    OptQ();
}

void TSub::OptQ()
{
    if (!Q)
        return;
    // The first unbound variable of a name keeps 0; later ones of that name count 1, 2...
    for (TVariable* V : Q->Items)
        if (V)
            V->Number = 0;
    const std::size_t N = Q->Items.size();
    if (N <= 16) { // the usual prefix: a few variables, no table needed
        for (std::size_t I = 0; I < N; ++I) {
            TVariable* V = Q->Items[I];
            if (!V || V->Id)
                continue;
            for (std::size_t J = I; J-- > 0;) {
                TVariable* W = Q->Items[J];
                if (W && !W->Id && W->Name == V->Name) {
                    V->Number = W->Number + 1;
                    break;
                }
            }
        }
        return;
    }
    std::unordered_map<std::string, std::int32_t> Next;
    for (TVariable* V : Q->Items) {
        if (!V || V->Id)
            continue;
        auto [It, IsNew] = Next.try_emplace(V->Name, 1);
        if (!IsNew)
            V->Number = It->second++;
    }
}

void TQuant::RFree()
{
    for (TVariable* V : Items)
        if (V && V->Id) {
            V->Id->RFree();
            V->Id = nullptr;
        }
    for (std::int32_t I = 0; I < Count(); ++I)
        if (TVariable* V = Get(I)) {
            delete V;
            Put(I, nullptr);
        }
    delete this;
}

void TId::RFree()
{
    delete this;
}

void TFunctor::RFree()
{
    for (std::int32_t I = 0; I < Params.Count(); ++I)
        if (TId* Arg = Params.Get(I)) {
            Arg->RFree();
            Params.Put(I, nullptr);
        }
    delete this;
}

TVariable::~TVariable()
{
    if (Id)
        Id->RFree();
}

TInteger::TInteger(const std::string& Text, bool& Ok) : TNumber(TClass::Integer), Value(0)
{
    std::int32_t V = 0;
    const auto [Ptr, Ec] = std::from_chars(Text.data(), Text.data() + Text.size(), V);
    Ok = Ec == std::errc() && Ptr == Text.data() + Text.size();
    if (Ok)
        Value = V;
}

TReal::TReal(const std::string& Text, bool& Ok) : TNumber(TClass::Real), Value(0)
{
    long double V = 0;
    const auto [Ptr, Ec] = std::from_chars(Text.data(), Text.data() + Text.size(), V);
    Ok = Ec == std::errc() && Ptr == Text.data() + Text.size() && std::isfinite(V);
    if (Ok)
        Value = V;
}

TFALFormula::~TFALFormula()
{
    if (Cont) {
        Cont->RFree();
        Cont = nullptr;
    }
}

TPLProgram::~TPLProgram()
{
    ClearFormulas();
    ClearResolvents();
}

void TPLProgram::ClearFormulas()
{
    for (TFALFormula* F : ListF.Items)
        delete F;
    ListF.Clear();
}

void TPLProgram::ClearResolvents()
{
    for (TFALFormula* F : ListR.Items)
        delete F;
    ListR.Clear();
}
