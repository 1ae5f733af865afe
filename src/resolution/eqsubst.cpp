#include "resolution/eqsubst.h"

#include <vector>

TSubstitution::TBinding& TSubstitution::Slot(std::uint32_t Var, int B)
{
    std::vector<TBinding>& List = Bindings[B];
    if (Var >= List.size())
        List.resize(Var + 1);
    return List[Var];
}

const TSubstitution::TBinding* TSubstitution::Find(std::uint32_t Var, int B) const
{
    const std::vector<TBinding>& List = Bindings[B];
    return Var < List.size() && List[Var].Term != NoTerm ? &List[Var] : nullptr;
}

void TSubstitution::Undo(std::size_t Mark)
{
    while (Trail.size() > Mark) {
        const auto [B, Var] = Trail.back();
        Trail.pop_back();
        Bindings[B][Var].Term = NoTerm;
    }
}

std::pair<TTermRef, int> TSubstitution::Resolve(TTermRef T, int B) const
{
    while (Bank.IsVariable(T)) {
        const TBinding* Bound = Find(Bank.VariableIndex(T), B);
        if (!Bound)
            break;
        T = Bound->Term;
        B = Bound->Bank;
    }
    return {T, B};
}

bool TSubstitution::OccursIn(std::uint32_t Var, int VarBank, TTermRef T, int TBank) const
{
    std::vector<std::pair<TTermRef, int>>& Pending = OccursWork;
    Pending.assign(1, {T, TBank});
    while (!Pending.empty()) {
        auto [X, B] = Resolve(Pending.back().first, Pending.back().second);
        Pending.pop_back();
        if (Bank.IsVariable(X)) {
            if (Bank.VariableIndex(X) == Var && B == VarBank)
                return true;
            continue;
        }
        if (Bank.Ground(X))
            continue;
        for (TTermRef A : Bank.Args(X))
            Pending.push_back({A, B});
    }
    return false;
}

bool TSubstitution::Unify(TTermRef S, int SBank, TTermRef T, int TBank)
{
    const std::size_t Start = Mark();
    auto& Pending = UnifyWork;
    Pending.assign(1, {{S, SBank}, {T, TBank}});
    while (!Pending.empty()) {
        auto [A, B] = Pending.back();
        Pending.pop_back();
        A = Resolve(A.first, A.second);
        B = Resolve(B.first, B.second);
        // Ground terms, and terms of one bank, are equal exactly when they are the same term.
        if (A.first == B.first && (A.second == B.second || Bank.Ground(A.first)))
            continue;
        if (!Bank.IsVariable(A.first) && Bank.IsVariable(B.first))
            std::swap(A, B);
        if (Bank.IsVariable(A.first)) {
            const std::uint32_t Var = Bank.VariableIndex(A.first);
            if (Bank.IsVariable(B.first) && Bank.VariableIndex(B.first) == Var &&
                A.second == B.second)
                continue;
            if (OccursIn(Var, A.second, B.first, B.second)) {
                Undo(Start);
                return false;
            }
            TBinding& Binding = Slot(Var, A.second);
            Binding.Term = B.first;
            Binding.Bank = static_cast<std::uint8_t>(B.second);
            Trail.push_back({static_cast<std::uint8_t>(A.second), Var});
            continue;
        }
        if (Bank.SymbolOf(A.first) != Bank.SymbolOf(B.first) ||
            (Bank.Ground(A.first) && Bank.Ground(B.first))) {
            Undo(Start);
            return false;
        }
        const auto ArgsA = Bank.Args(A.first);
        const auto ArgsB = Bank.Args(B.first);
        for (std::size_t I = ArgsA.size(); I-- > 0;)
            Pending.push_back({{ArgsA[I], A.second}, {ArgsB[I], B.second}});
    }
    return true;
}

void TSubstitution::NewRenaming()
{
    for (const auto& [B, Var] : Named)
        Names[B][Var] = NoTerm;
    Named.clear();
    Next = 0;
}

TTermRef TSubstitution::Instance(TTermRef T, int B)
{
    const auto [X, XB] = Resolve(T, B);
    if (Bank.IsVariable(X)) {
        const std::uint32_t Var = Bank.VariableIndex(X);
        std::vector<std::uint32_t>& List = Names[XB];
        if (Var >= List.size())
            List.resize(Var + 1, NoTerm);
        if (List[Var] == NoTerm) {
            List[Var] = Next++;
            Named.push_back({static_cast<std::uint8_t>(XB), Var});
        }
        return Bank.Variable(List[Var]);
    }
    if (Bank.Ground(X))
        return X;
    // The arguments' instances wait on one stack shared by the nested calls.
    const std::size_t Base = Scratch.size();
    const std::size_t Arity = Bank.Args(X).size();
    for (std::size_t I = 0; I < Arity; ++I) {
        const TTermRef A = Instance(Bank.Args(X)[I], XB);
        Scratch.push_back(A);
    }
    const TTermRef Out = Bank.Apply(Bank.SymbolOf(X), {Scratch.data() + Base, Arity});
    Scratch.resize(Base);
    return Out;
}

void TMatcher::Undo(std::size_t Mark)
{
    while (Trail.size() > Mark) {
        Bound[Trail.back()] = NoTerm;
        Trail.pop_back();
    }
}

bool TMatcher::Match(TTermRef Pattern, TTermRef T)
{
    const std::size_t Start = Mark();
    auto& Pending = Work;
    Pending.assign(1, {Pattern, T});
    while (!Pending.empty()) {
        const auto [P, X] = Pending.back();
        Pending.pop_back();
        if (Bank.IsVariable(P)) {
            const std::uint32_t Var = Bank.VariableIndex(P);
            if (Var >= Bound.size())
                Bound.resize(Var + 1, NoTerm);
            if (Bound[Var] == NoTerm) {
                Bound[Var] = X;
                Trail.push_back(Var);
            } else if (Bound[Var] != X) {
                Undo(Start);
                return false;
            }
            continue;
        }
        if (Bank.Ground(P)) {
            if (P != X) {
                Undo(Start);
                return false;
            }
            continue;
        }
        if (Bank.IsVariable(X) || Bank.SymbolOf(P) != Bank.SymbolOf(X)) {
            Undo(Start);
            return false;
        }
        const auto ArgsP = Bank.Args(P);
        const auto ArgsX = Bank.Args(X);
        for (std::size_t I = ArgsP.size(); I-- > 0;)
            Pending.push_back({ArgsP[I], ArgsX[I]});
    }
    return true;
}

TTermRef TMatcher::Instance(TTermRef Pattern)
{
    if (Bank.IsVariable(Pattern)) {
        const std::uint32_t Var = Bank.VariableIndex(Pattern);
        return Var < Bound.size() && Bound[Var] != NoTerm ? Bound[Var] : Pattern;
    }
    if (Bank.Ground(Pattern))
        return Pattern;
    const std::size_t Base = Scratch.size();
    const std::size_t Arity = Bank.Args(Pattern).size();
    for (std::size_t I = 0; I < Arity; ++I) {
        const TTermRef A = Instance(Bank.Args(Pattern)[I]);
        Scratch.push_back(A);
    }
    const TTermRef Out = Bank.Apply(Bank.SymbolOf(Pattern), {Scratch.data() + Base, Arity});
    Scratch.resize(Base);
    return Out;
}
