// The terms of the equality calculus: symbols with their ordering data, and a bank that holds
// every term once (equal terms are the same reference), variables numbered per clause.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

using TTermRef = std::uint32_t;
inline constexpr TTermRef NoTerm = ~TTermRef{0};

// A symbol: a function or constant, a predicate, or a number or string of the language (a
// constant that is itself and no other). An answer predicate records what a query's variables
// became: its literals take part in no inference, and a clause of them alone refutes.
struct TSymbol {
    enum TKind : std::uint8_t { Function, Predicate, Integer, Real, String, True, Answer };
    std::string Name; // as the language writes it; a string without its quotes
    std::uint32_t Arity = 0;
    TKind Kind = Function;
    long double Number = 0;  // Integer, Real
    std::uint64_t Count = 0; // occurrences in the input, for the precedence
    std::uint32_t Order = 0; // the precedence: greater is greater
    bool Distinct() const { return Kind == Integer || Kind == Real || Kind == String; }
};

class TTermBank {
public:
    TTermBank();

    // The symbol of that name, arity and kind, made on first use. Symbol 0 is ⊤, the value
    // of an atom read as an equation (p(X) as p(X) = ⊤): the least term of all.
    std::uint32_t Symbol(const std::string& Name, std::uint32_t Arity, TSymbol::TKind Kind,
                         long double Number = 0);
    static constexpr std::uint32_t TrueSymbol = 0;
    TSymbol& SymbolInfo(std::uint32_t S) { return Symbols[S]; }
    const TSymbol& SymbolInfo(std::uint32_t S) const { return Symbols[S]; }
    std::size_t SymbolCount() const { return Symbols.size(); }
    // The precedence: predicates above functions, then greater arity, then fewer
    // occurrences, then the later symbol; ⊤ below all. Set once the input is read.
    void SetPrecedence();

    TTermRef Variable(std::uint32_t Index);
    TTermRef Apply(std::uint32_t Symbol, std::span<const TTermRef> Args);
    TTermRef True() const { return TrueTerm; }

    bool IsVariable(TTermRef T) const { return Nodes[T].Head < 0; }
    std::uint32_t VariableIndex(TTermRef T) const
    {
        return static_cast<std::uint32_t>(-Nodes[T].Head - 1);
    }
    std::uint32_t SymbolOf(TTermRef T) const { return static_cast<std::uint32_t>(Nodes[T].Head); }
    std::span<const TTermRef> Args(TTermRef T) const
    {
        return {ArgStore.data() + Nodes[T].ArgStart, Nodes[T].Arity};
    }
    // Symbols and variables, each counted as often as it occurs.
    std::uint32_t Weight(TTermRef T) const { return Nodes[T].Weight; }
    // One more than the greatest variable index in the term; 0 for a ground term.
    std::uint32_t VariableBound(TTermRef T) const { return Nodes[T].VariableBound; }
    bool Ground(TTermRef T) const { return Nodes[T].VariableBound == 0; }
    // The nesting: 1 for a variable or constant.
    std::uint32_t Depth(TTermRef T) const { return Nodes[T].Depth; }
    // Whether the term is a truth value: an atom's term or ⊤ (variables are individuals).
    bool Boolean(TTermRef T) const
    {
        return !IsVariable(T) &&
               (Symbols[SymbolOf(T)].Kind == TSymbol::Predicate || SymbolOf(T) == TrueSymbol ||
                Symbols[SymbolOf(T)].Kind == TSymbol::Answer);
    }
    bool IsAnswer(TTermRef T) const
    {
        return !IsVariable(T) && Symbols[SymbolOf(T)].Kind == TSymbol::Answer;
    }
    // Whether S and T are two distinct numbers or strings: never equal.
    bool DistinctValues(TTermRef S, TTermRef T) const
    {
        return S != T && !IsVariable(S) && !IsVariable(T) && Symbols[SymbolOf(S)].Distinct() &&
               Symbols[SymbolOf(T)].Distinct();
    }
    // Whether Var occurs in T.
    bool Occurs(TTermRef Var, TTermRef T) const;
    std::size_t TermCount() const { return Nodes.size(); }

private:
    struct TNode {
        std::int32_t Head; // a symbol, or -(index + 1) for a variable
        std::uint32_t ArgStart;
        std::uint32_t Arity;
        std::uint32_t Weight;
        std::uint32_t VariableBound;
        std::uint32_t Depth;
    };

    std::uint64_t HashOf(std::int32_t Head, std::span<const TTermRef> Args) const;
    TTermRef Find(std::int32_t Head, std::span<const TTermRef> Args, std::uint64_t Hash) const;
    void Grow();

    std::vector<TSymbol> Symbols;
    std::unordered_map<std::string, std::uint32_t> SymbolIndex; // by kind, arity and name
    std::vector<TNode> Nodes;
    std::vector<TTermRef> ArgStore;
    std::vector<std::uint64_t> Hashes; // of each node
    std::vector<TTermRef> Table;       // open addressing over Nodes, NoTerm for empty
    std::vector<TTermRef> Variables;   // by index
    TTermRef TrueTerm = NoTerm;
    mutable std::vector<TTermRef> OccursWork;
};
