#include "resolution/eqterms.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <tuple>

TTermBank::TTermBank() : Table(1024, NoTerm)
{
    TSymbol Top;
    Top.Name = "$true";
    Top.Kind = TSymbol::True;
    Symbols.push_back(Top);
    TrueTerm = Apply(TrueSymbol, {});
}

std::uint32_t TTermBank::Symbol(const std::string& Name, std::uint32_t Arity, TSymbol::TKind Kind,
                                long double Number)
{
    const std::string Key =
        std::to_string(static_cast<int>(Kind)) + "/" + std::to_string(Arity) + "/" + Name;
    if (const auto It = SymbolIndex.find(Key); It != SymbolIndex.end())
        return It->second;
    SymbolIndex.emplace(Key, static_cast<std::uint32_t>(Symbols.size()));
    TSymbol New;
    New.Name = Name;
    New.Arity = Arity;
    New.Kind = Kind;
    New.Number = Number;
    Symbols.push_back(New);
    return static_cast<std::uint32_t>(Symbols.size() - 1);
}

void TTermBank::SetPrecedence()
{
    std::vector<std::uint32_t> Order(Symbols.size());
    std::iota(Order.begin(), Order.end(), 0);
    auto Key = [this](std::uint32_t S) {
        const TSymbol& X = Symbols[S];
        // A symbol used less often ranks higher: terms then lean on the common ones.
        return std::make_tuple(S != TrueSymbol,
                               X.Kind == TSymbol::Predicate || X.Kind == TSymbol::Answer, X.Arity,
                               std::numeric_limits<std::uint64_t>::max() - X.Count, S);
    };
    std::sort(Order.begin(), Order.end(),
              [&](std::uint32_t A, std::uint32_t B) { return Key(A) < Key(B); });
    for (std::uint32_t I = 0; I < Order.size(); ++I)
        Symbols[Order[I]].Order = I;
}

std::uint64_t TTermBank::HashOf(std::int32_t Head, std::span<const TTermRef> Args) const
{
    std::uint64_t H =
        0x9E3779B97F4A7C15ULL ^ static_cast<std::uint64_t>(static_cast<std::uint32_t>(Head));
    for (TTermRef A : Args) {
        H ^= A + 0x9E3779B97F4A7C15ULL + (H << 6) + (H >> 2);
        H *= 0xFF51AFD7ED558CCDULL;
    }
    return H ^ (H >> 31);
}

TTermRef TTermBank::Find(std::int32_t Head, std::span<const TTermRef> Args,
                         std::uint64_t Hash) const
{
    const std::size_t Mask = Table.size() - 1;
    for (std::size_t I = Hash & Mask;; I = (I + 1) & Mask) {
        const TTermRef T = Table[I];
        if (T == NoTerm)
            return NoTerm;
        if (Hashes[T] == Hash && Nodes[T].Head == Head && Nodes[T].Arity == Args.size() &&
            std::equal(Args.begin(), Args.end(), ArgStore.begin() + Nodes[T].ArgStart))
            return T;
    }
}

void TTermBank::Grow()
{
    std::vector<TTermRef> Bigger(Table.size() * 2, NoTerm);
    const std::size_t Mask = Bigger.size() - 1;
    for (TTermRef T = 0; T < Nodes.size(); ++T) {
        std::size_t I = Hashes[T] & Mask;
        while (Bigger[I] != NoTerm)
            I = (I + 1) & Mask;
        Bigger[I] = T;
    }
    Table.swap(Bigger);
}

TTermRef TTermBank::Variable(std::uint32_t Index)
{
    if (Index < Variables.size() && Variables[Index] != NoTerm)
        return Variables[Index];
    if (Index >= Variables.size())
        Variables.resize(Index + 1, NoTerm);
    const std::int32_t Head = -static_cast<std::int32_t>(Index) - 1;
    const std::uint64_t Hash = HashOf(Head, {});
    if ((Nodes.size() + 1) * 2 > Table.size())
        Grow();
    const auto T = static_cast<TTermRef>(Nodes.size());
    Nodes.push_back({Head, static_cast<std::uint32_t>(ArgStore.size()), 0, 1, Index + 1, 1});
    Hashes.push_back(Hash);
    std::size_t I = Hash & (Table.size() - 1);
    while (Table[I] != NoTerm)
        I = (I + 1) & (Table.size() - 1);
    Table[I] = T;
    Variables[Index] = T;
    return T;
}

TTermRef TTermBank::Apply(std::uint32_t Symbol, std::span<const TTermRef> Args)
{
    const auto Head = static_cast<std::int32_t>(Symbol);
    const std::uint64_t Hash = HashOf(Head, Args);
    if (const TTermRef Known = Find(Head, Args, Hash); Known != NoTerm)
        return Known;
    if ((Nodes.size() + 1) * 2 > Table.size())
        Grow();
    std::uint64_t Weight = 1;
    std::uint32_t Bound = 0;
    std::uint32_t Depth = 0;
    for (TTermRef A : Args) {
        Weight += Nodes[A].Weight;
        Bound = std::max(Bound, Nodes[A].VariableBound);
        Depth = std::max(Depth, Nodes[A].Depth);
    }
    const auto T = static_cast<TTermRef>(Nodes.size());
    Nodes.push_back(
        {Head, static_cast<std::uint32_t>(ArgStore.size()), static_cast<std::uint32_t>(Args.size()),
         static_cast<std::uint32_t>(
             std::min<std::uint64_t>(Weight, std::numeric_limits<std::uint32_t>::max())),
         Bound, Depth + 1});
    ArgStore.insert(ArgStore.end(), Args.begin(), Args.end());
    Hashes.push_back(Hash);
    std::size_t I = Hash & (Table.size() - 1);
    while (Table[I] != NoTerm)
        I = (I + 1) & (Table.size() - 1);
    Table[I] = T;
    return T;
}

bool TTermBank::Occurs(TTermRef Var, TTermRef T) const
{
    if (T == Var)
        return true;
    if (Ground(T) || VariableBound(T) <= VariableIndex(Var))
        return false;
    std::vector<TTermRef>& Pending = OccursWork;
    Pending.assign(1, T);
    while (!Pending.empty()) {
        const TTermRef X = Pending.back();
        Pending.pop_back();
        if (X == Var)
            return true;
        if (!IsVariable(X) && !Ground(X))
            for (TTermRef A : Args(X))
                Pending.push_back(A);
    }
    return false;
}
