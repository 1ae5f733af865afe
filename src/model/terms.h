// The terms and nodes of formulas as the code beyond the design reads them: a term's symbol
// and arguments, bindings followed, and one walk over terms and one over nodes, without
// recursion. The design's own walks go through Dive.
#pragma once

#include "model/formula.h"

#include <span>
#include <string>
#include <vector>

// The symbol of a function term or a constant; empty for any other term.
const std::string& SymbolOf(const TId* T);
// The arguments of a function term; none for any other term.
std::span<TId* const> ArgumentsOf(const TId* T);
inline std::size_t ArityOf(const TId* T)
{
    return ArgumentsOf(T).size();
}
// The predicate of an atom: the symbol of its term (empty when the term is a variable).
inline const std::string& PredicateOf(const TAtom* A)
{
    return SymbolOf(A->Id);
}

// An atom's term read as an equation: the relation = (or ≠, its negation) between two sides.
// Empty (no Left) for any other term.
struct TEquation {
    const TId* Left = nullptr;
    const TId* Right = nullptr;
    bool Negated = false; // ≠
    explicit operator bool() const { return Left != nullptr; }
};
TEquation EquationOf(const TId* T);

// Each term in T, T first and the arguments of a term left to right after it (pre-order),
// every term as its bindings make it: Visit(const TId*) gets no bound variable. Visit returns
// false to pass over the arguments of the term it got. AsWritten: the bindings are not
// followed, a variable is visited as it stands.
template <class TVisit> void WalkTerm(const TId* T, TVisit Visit, bool AsWritten = false)
{
    std::vector<const TId*> Pending{T};
    while (!Pending.empty()) {
        const TId* X = AsWritten ? Pending.back() : Bound(Pending.back());
        Pending.pop_back();
        if (!X || !Visit(X))
            continue;
        const std::span<TId* const> Args = ArgumentsOf(X);
        for (auto It = Args.rbegin(); It != Args.rend(); ++It)
            Pending.push_back(*It);
    }
}

// Each node of the tree at Root, Root first and the left operand before the right (pre-order).
// Visit(TSub*) returns false to pass over the operands of the node it got; atoms have none.
template <class TVisit> void WalkNodes(TSub* Root, TVisit Visit)
{
    std::vector<TSub*> Pending;
    if (Root)
        Pending.push_back(Root);
    while (!Pending.empty()) {
        TSub* N = Pending.back();
        Pending.pop_back();
        if (!Visit(N) || N->Is(TClass::Atom))
            continue;
        if (N->R)
            Pending.push_back(N->R);
        if (N->L)
            Pending.push_back(N->L);
    }
}

// The value of the term T made bottom-up without recursion: Make(X, Values) for each term X in
// T, Values those of its arguments in order (a span the call may move from). Bindings are
// followed unless AsWritten; X is null for a missing term.
template <class TValue, class TMake>
TValue FoldTerm(const TId* T, TMake Make, bool AsWritten = false)
{
    struct TFrame {
        const TId* Term;
        std::size_t Next; // the argument to enter next
        std::size_t Base; // where its arguments' values begin
    };
    std::vector<TFrame> Stack;
    std::vector<TValue> Values;
    auto Enter = [&](const TId* X) {
        Stack.push_back({AsWritten ? X : Bound(X), 0, Values.size()});
    };
    Enter(T);
    while (!Stack.empty()) {
        TFrame& F = Stack.back();
        const std::span<TId* const> Args = ArgumentsOf(F.Term);
        if (F.Next < Args.size()) {
            Enter(Args[F.Next++]);
            continue;
        }
        TValue V = Make(F.Term, std::span<TValue>(Values.data() + F.Base, Values.size() - F.Base));
        Values.resize(F.Base);
        Values.push_back(std::move(V));
        Stack.pop_back();
    }
    return std::move(Values.back());
}

// The value of the tree at Root made bottom-up without recursion: Make(N, Values) for each
// node N, Values those of its operands present (left before right; an atom has none, and so
// has a node for which Enter(N) is false).
template <class TValue, class TMake, class TEnter>
TValue FoldNodes(TSub* Root, TMake Make, TEnter Enter)
{
    struct TFrame {
        TSub* Node;
        int Next; // 0: the left operand next, 1: the right, 2: done
        std::size_t Base;
    };
    std::vector<TFrame> Stack{{Root, 0, 0}};
    std::vector<TValue> Values;
    while (!Stack.empty()) {
        TFrame& F = Stack.back();
        TSub* Operand = nullptr;
        if (F.Next == 0 && (F.Node->Is(TClass::Atom) || !Enter(F.Node)))
            F.Next = 2;
        while (F.Next < 2 && !Operand)
            Operand = F.Next++ == 0 ? F.Node->L : F.Node->R;
        if (Operand) {
            Stack.push_back({Operand, 0, Values.size()});
            continue;
        }
        TValue V = Make(F.Node, std::span<TValue>(Values.data() + F.Base, Values.size() - F.Base));
        Values.resize(F.Base);
        Values.push_back(std::move(V));
        Stack.pop_back();
    }
    return std::move(Values.back());
}
