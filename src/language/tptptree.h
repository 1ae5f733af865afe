// A TPTP formula as the reader reads it, and the same in Nivar's language.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct TTerm {
    enum TSort { Variable, Function, Number, Distinct } Sort = Function;
    std::string Name;
    std::vector<TTerm> Args;
};

// And and Or join two or more parts, the others as many as their sort has.
struct TNode {
    enum TSort { Atom, Equal, True, False, Not, And, Or, Implies, Equiv, All, Exists } Sort;
    TTerm Term; // an atom; for Equal the two sides are its arguments
    std::vector<std::unique_ptr<TNode>> Parts;
    std::vector<std::string> Variables; // of a quantifier
};
using TNodePtr = std::unique_ptr<TNode>;

inline TNodePtr Make(TNode::TSort Sort)
{
    auto N = std::make_unique<TNode>();
    N->Sort = Sort;
    return N;
}

inline TNodePtr MakeBinary(TNode::TSort Sort, TNodePtr A, TNodePtr B)
{
    TNodePtr N = Make(Sort);
    N->Parts.push_back(std::move(A));
    N->Parts.push_back(std::move(B));
    return N;
}

// Left joined with Right by an associative connective: a chain of any length is one node, so
// no walk over the tree goes as deep as the chain is long.
inline TNodePtr JoinChain(TNode::TSort Sort, TNodePtr Left, TNodePtr Right, bool Continues)
{
    if (!Continues) {
        TNodePtr N = Make(Sort);
        N->Parts.push_back(std::move(Left));
        Left = std::move(N);
    }
    Left->Parts.push_back(std::move(Right));
    return Left;
}

inline TNodePtr MakeNot(TNodePtr A)
{
    TNodePtr N = Make(TNode::Not);
    N->Parts.push_back(std::move(A));
    return N;
}

// The formula with $true and $false folded away, as far as they go.
TNodePtr Fold(TNodePtr N);
// The formula, or a term, in Nivar's language (symbol bytes), its names given Nivar names.
std::string Write(const TNode& N);
std::string WriteTerm(const TTerm& T);
