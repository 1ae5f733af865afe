#include "resolution/eqorder.h"

#include <algorithm>

void TKbo::Count(TTermRef T, int By)
{
    Pending.assign(1, T);
    while (!Pending.empty()) {
        const TTermRef X = Pending.back();
        Pending.pop_back();
        if (Bank.IsVariable(X))
            Counts[Bank.VariableIndex(X)] += By;
        else if (!Bank.Ground(X))
            for (TTermRef A : Bank.Args(X))
                Pending.push_back(A);
    }
}

bool TKbo::Covers(TTermRef S, TTermRef T)
{
    if (Bank.Ground(T))
        return true;
    const std::uint32_t Size = std::max(Bank.VariableBound(S), Bank.VariableBound(T));
    Counts.assign(Size, 0);
    Count(S, 1);
    Count(T, -1);
    return std::all_of(Counts.begin(), Counts.end(), [](int C) { return C >= 0; });
}

TOrder TKbo::Compare(TTermRef S, TTermRef T)
{
    if (S == T)
        return TOrder::Equal;
    if (Bank.IsVariable(S))
        return Bank.Occurs(S, T) ? TOrder::Less : TOrder::Incomparable;
    if (Bank.IsVariable(T))
        return Bank.Occurs(T, S) ? TOrder::Greater : TOrder::Incomparable;
    // Which way the weights and the heads point; the variables then have to agree.
    TOrder Way = TOrder::Equal;
    if (Bank.Weight(S) != Bank.Weight(T)) {
        Way = Bank.Weight(S) > Bank.Weight(T) ? TOrder::Greater : TOrder::Less;
    } else if (Bank.SymbolOf(S) != Bank.SymbolOf(T)) {
        Way = Bank.SymbolInfo(Bank.SymbolOf(S)).Order > Bank.SymbolInfo(Bank.SymbolOf(T)).Order
                  ? TOrder::Greater
                  : TOrder::Less;
    } else {
        const auto ArgsS = Bank.Args(S);
        const auto ArgsT = Bank.Args(T);
        for (std::size_t I = 0; I < ArgsS.size(); ++I)
            if (ArgsS[I] != ArgsT[I]) {
                Way = Compare(ArgsS[I], ArgsT[I]);
                break;
            }
        if (Way == TOrder::Incomparable || Way == TOrder::Equal)
            return Way;
    }
    if (Way == TOrder::Greater)
        return Covers(S, T) ? TOrder::Greater : TOrder::Incomparable;
    return Covers(T, S) ? TOrder::Less : TOrder::Incomparable;
}
