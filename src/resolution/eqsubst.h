// Substitutions of the equality calculus: unification of the terms of two clauses kept apart
// (their variables in banks 0 and 1), one-way matching, and the instances they give.
#pragma once

#include "resolution/eqterms.h"

#include <cstdint>
#include <utility>
#include <vector>

class TSubstitution {
public:
    explicit TSubstitution(TTermBank& ABank) : Bank(ABank) {}

    std::size_t Mark() const { return Trail.size(); }
    // Unbinds what was bound since Mark.
    void Undo(std::size_t Mark);
    // Extends the substitution by a most general unifier of S (in bank SBank) and T; false,
    // and nothing bound, when there is none.
    bool Unify(TTermRef S, int SBank, TTermRef T, int TBank);
    // The instance of T (in Bank): the free variables of both banks renamed to 0, 1, ... in the
    // order met since the last NewRenaming, so that the instances of one inference share them.
    TTermRef Instance(TTermRef T, int Bank);
    void NewRenaming();
    // The variables the renaming has given out.
    std::uint32_t Renamed() const { return Next; }

private:
    struct TBinding {
        TTermRef Term = NoTerm;
        std::uint8_t Bank = 0;
    };
    // The end of a chain of bindings.
    std::pair<TTermRef, int> Resolve(TTermRef T, int B) const;
    bool OccursIn(std::uint32_t Var, int VarBank, TTermRef T, int TBank) const;
    TBinding& Slot(std::uint32_t Var, int B);
    const TBinding* Find(std::uint32_t Var, int B) const;

    TTermBank& Bank;
    std::vector<TBinding> Bindings[2];
    std::vector<std::pair<std::uint8_t, std::uint32_t>> Trail;
    std::vector<std::uint32_t> Names[2]; // a variable's new index, NoTerm for none yet
    std::vector<std::pair<std::uint8_t, std::uint32_t>> Named;
    std::uint32_t Next = 0;
    // Work lists kept between calls: the calls are many and short.
    std::vector<std::pair<std::pair<TTermRef, int>, std::pair<TTermRef, int>>> UnifyWork;
    mutable std::vector<std::pair<TTermRef, int>> OccursWork;
    std::vector<TTermRef> Scratch;
};

// One-way matching: the variables of a pattern take parts of a term that stays as it is.
class TMatcher {
public:
    explicit TMatcher(TTermBank& ABank) : Bank(ABank) {}

    std::size_t Mark() const { return Trail.size(); }
    void Undo(std::size_t Mark);
    // Extends the match so that the pattern's instance is T; false, and nothing bound, when
    // it cannot.
    bool Match(TTermRef Pattern, TTermRef T);
    // The pattern with its bound variables replaced (the others stay).
    TTermRef Instance(TTermRef Pattern);
    bool Boolean(TTermRef T) const { return Bank.Boolean(T); }

private:
    TTermBank& Bank;
    std::vector<TTermRef> Bound; // by variable index
    std::vector<std::uint32_t> Trail;
    std::vector<std::pair<TTermRef, TTermRef>> Work;
    std::vector<TTermRef> Scratch;
};
