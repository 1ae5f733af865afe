// A term index by fingerprints: the symbols of a term at a few fixed positions, in a tree, so
// that the terms that may unify with a term, that may be its generalizations or its instances
// are found without looking at the others. What it finds may still fail: a candidate.
#pragma once

#include "resolution/eqterms.h"

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

// What an entry stands for: a term of a clause, at a side of one of its literals.
struct TIndexEntry {
    TTermRef Term = NoTerm;
    std::uint32_t Clause = 0;
    std::uint16_t Literal = 0;
    std::uint8_t Side = 0; // 0 the left side, 1 the right
};

class TTermIndex {
public:
    enum class TQuery : std::uint8_t {
        Unifiable,      // entries whose term may unify with the query
        Generalization, // entries whose term may match onto the query
        Instance,       // entries whose term the query may match onto
    };
    static constexpr std::size_t Positions = 8;
    using TPrint = std::array<std::int32_t, Positions>;

    explicit TTermIndex(const TTermBank& ABank) : Bank(ABank), Nodes(1) {}

    void Insert(const TIndexEntry& Entry);
    // Every candidate for the query term, handed to Visit(const TIndexEntry&); Visit returns
    // false to end the retrieval. Entries of deleted clauses are the caller's to pass over.
    template <class TVisit> void Retrieve(TTermRef Term, TQuery Query, TVisit Visit) const
    {
        const TPrint Print = PrintOf(Term);
        std::vector<std::pair<std::uint32_t, std::size_t>> Pending{{0, 0}};
        while (!Pending.empty()) {
            const auto [Node, Level] = Pending.back();
            Pending.pop_back();
            if (Level == Positions) {
                for (const TIndexEntry& E : Nodes[Node].Entries)
                    if (!Visit(E))
                        return;
                continue;
            }
            const TNode& N = Nodes[Node];
            std::array<std::int32_t, 3> Few{};
            const std::size_t Count =
                Filter && N.ByFeature ? FewFeatures(Print[Level], Query, Few) : 0;
            if (Count > 0) {
                // A node with many children: the few features that may stand, looked up.
                for (std::size_t I = 0; I < Count; ++I)
                    if (const auto It = N.ByFeature->find(Few[I]); It != N.ByFeature->end())
                        Pending.push_back({It->second, Level + 1});
                continue;
            }
            for (const auto& [Feature, Child] : N.Children)
                if (!Filter || Compatible(Feature, Print[Level], Query))
                    Pending.push_back({Child, Level + 1});
        }
    }
    // Drops the entries of the clauses Dead says are gone.
    template <class TDead> void Purge(TDead Dead)
    {
        for (TNode& N : Nodes)
            std::erase_if(N.Entries, [&](const TIndexEntry& E) { return Dead(E.Clause); });
    }
    std::size_t Size() const { return Count; }
    // Off: every entry is a candidate, as in a plain scan (to measure what the index saves).
    bool Filter = true;
    // A node with more children than this looks them up by feature.
    std::size_t ManyChildren = 8;

    // The features of a term at the sample positions: a symbol, or one of these.
    static constexpr std::int32_t AVariable = -1; // a variable stands there
    static constexpr std::int32_t BelowVariable = -2;
    static constexpr std::int32_t Missing = -3; // above it, a symbol with fewer arguments
    TPrint PrintOf(TTermRef Term) const;
    // Whether an entry's feature X may stand against the query's Q.
    static bool Compatible(std::int32_t X, std::int32_t Q, TQuery Query);
    // The features that may stand against Q when they are few (Out, their number), else 0.
    static std::size_t FewFeatures(std::int32_t Q, TQuery Query, std::array<std::int32_t, 3>& Out);

private:
    struct TNode {
        std::vector<std::pair<std::int32_t, std::uint32_t>> Children;
        // The children by feature, once there are many of them.
        std::unique_ptr<std::unordered_map<std::int32_t, std::uint32_t>> ByFeature;
        std::vector<TIndexEntry> Entries;
    };

    const TTermBank& Bank;
    std::vector<TNode> Nodes;
    std::size_t Count = 0;
};
