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

// Each term in T, T first and the arguments of a term left to right after it (pre-order),
// every term as its bindings make it: Visit(const TId*) gets no bound variable. Visit returns
// false to pass over the arguments of the term it got.
template <class TVisit> void WalkTerm(const TId* T, TVisit Visit)
{
    std::vector<const TId*> Pending{T};
    while (!Pending.empty()) {
        const TId* X = Bound(Pending.back());
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
