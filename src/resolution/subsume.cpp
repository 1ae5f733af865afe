#include "resolution/subsume.h"

#include "model/terms.h"

bool TSubsumer::Subsumes(const TClause& C, const TClause& D)
{
    if (!C.Valid || !D.Valid || !MaySubsume(KeyOf(C), KeyOf(D)))
        return false;
    Steps = 0;
    Bindings.clear();
    return Literal(C, D, 0);
}

bool TSubsumer::Literal(const TClause& C, const TClause& D, std::size_t I)
{
    if (I == C.Literals.size())
        return true;
    const TClause::TLiteral& L = C.Literals[I];
    for (const TClause::TLiteral& M : D.Literals) {
        if (M.Sign != L.Sign || (L.Predicate != 0 && M.Predicate != L.Predicate))
            continue;
        const std::size_t Mark = Bindings.size();
        if (Match(L.Atom->Id, M.Atom->Id)) {
            if (Literal(C, D, I + 1))
                return true;
            // A ground literal binds nothing: another match would fail the same way.
            if (L.Ground)
                return false;
        }
        Bindings.resize(Mark);
        if (Steps > StepLimit)
            return false;
    }
    return false;
}

TId* TSubsumer::BindingOf(const TVariable* V) const
{
    for (const auto& [Var, Value] : Bindings)
        if (Var == V)
            return Value;
    return nullptr;
}

bool TSubsumer::Match(TId* P, TId* T)
{
    ++Steps;
    P = Bound(P);
    T = Bound(T);
    if (!P || !T)
        return P == T;
    if (P->Is(TClass::Variable)) {
        auto* V = static_cast<TVariable*>(P);
        if (TId* Value = BindingOf(V)) {
            ++Steps;
            return SameTerm(Value, T);
        }
        Bindings.push_back({V, T});
        return true;
    }
    if (P->Class != T->Class)
        return false;
    if (!P->IsFunc())
        return SameTerm(P, T);
    const std::span<TId* const> A = ArgumentsOf(P);
    const std::span<TId* const> B = ArgumentsOf(T);
    if (SymbolOf(P) != SymbolOf(T) || A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I)
        if (!Match(A[I], B[I]))
            return false;
    return true;
}
