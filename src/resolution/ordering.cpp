#include "resolution/ordering.h"

#include "model/terms.h"
#include "resolution/clauses.h"

#include <string>
#include <vector>

namespace {
// Every symbol and variable weighs 1, symbols are ordered by arity, then name.
struct TTermFacts {
    std::int64_t Weight = 0;
    std::vector<std::pair<const TVariable*, std::int64_t>> Variables;
};

TTermFacts FactsOf(const TId* Term)
{
    TTermFacts Facts;
    WalkTerm(Term, [&Facts](const TId* T) {
        ++Facts.Weight;
        if (!T->Is(TClass::Variable))
            return true;
        for (auto& [V, Count] : Facts.Variables)
            if (V == T) {
                ++Count;
                return true;
            }
        Facts.Variables.push_back({static_cast<const TVariable*>(T), 1});
        return true;
    });
    return Facts;
}

std::int64_t Occurrences(const TTermFacts& Facts, const TVariable* V)
{
    for (const auto& [W, Count] : Facts.Variables)
        if (W == V)
            return Count;
    return 0;
}

// -1, 0, 1 comparing the symbols at the tops of two terms that are no variables.
int Precedence(const TId* A, const TId* B)
{
    auto Name = [](const TId* T) -> std::string {
        switch (T->Class) {
        case TClass::StrLit:
            return "\"" + static_cast<const TStrLit*>(T)->Value;
        case TClass::Integer:
        case TClass::Real:
            return "#" +
                   std::to_string(static_cast<double>(static_cast<const TNumber*>(T)->GetNumber()));
        default:
            return SymbolOf(T);
        }
    };
    if (ArityOf(A) != ArityOf(B))
        return ArityOf(A) < ArityOf(B) ? -1 : 1;
    const int C = Name(A).compare(Name(B));
    return C < 0 ? -1 : C > 0 ? 1 : 0;
}
} // namespace

bool Greater(const TId* S, const TId* T)
{
    S = Bound(S);
    T = Bound(T);
    if (!S || !T || S == T)
        return false;
    const TTermFacts FS = FactsOf(S);
    const TTermFacts FT = FactsOf(T);
    for (const auto& [V, Count] : FT.Variables)
        if (Occurrences(FS, V) < Count)
            return false;
    if (T->Is(TClass::Variable))
        return true; // T occurs in S, which is not T
    if (S->Is(TClass::Variable))
        return false;
    if (FS.Weight != FT.Weight)
        return FS.Weight > FT.Weight;
    if (const int P = Precedence(S, T); P != 0)
        return P > 0;
    const std::span<TId* const> A = ArgumentsOf(S);
    const std::span<TId* const> B = ArgumentsOf(T);
    for (std::size_t I = 0; I < A.size(); ++I)
        if (!SameTerm(A[I], B[I]))
            return Greater(A[I], B[I]);
    return false;
}
