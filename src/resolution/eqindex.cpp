#include "resolution/eqindex.h"

namespace {
// The sample positions, each a path of argument numbers from the top: ε, 1, 2, 3, 1.1, 1.2,
// 2.1, 2.2.
constexpr std::array<std::array<std::int8_t, 2>, TTermIndex::Positions> Paths = {{
    {-1, -1},
    {0, -1},
    {1, -1},
    {2, -1},
    {0, 0},
    {0, 1},
    {1, 0},
    {1, 1},
}};
} // namespace

TTermIndex::TPrint TTermIndex::PrintOf(TTermRef Term) const
{
    TPrint Print{};
    for (std::size_t P = 0; P < Positions; ++P) {
        TTermRef T = Term;
        std::int32_t Feature = 0;
        bool Done = false;
        for (std::int8_t Step : Paths[P]) {
            if (Step < 0)
                break;
            if (Bank.IsVariable(T)) {
                Feature = BelowVariable;
                Done = true;
                break;
            }
            const auto Args = Bank.Args(T);
            if (static_cast<std::size_t>(Step) >= Args.size()) {
                Feature = Missing;
                Done = true;
                break;
            }
            T = Args[static_cast<std::size_t>(Step)];
        }
        if (!Done)
            Feature = Bank.IsVariable(T) ? AVariable : static_cast<std::int32_t>(Bank.SymbolOf(T));
        Print[P] = Feature;
    }
    return Print;
}

bool TTermIndex::Compatible(std::int32_t X, std::int32_t Q, TQuery Query)
{
    switch (Query) {
    case TQuery::Unifiable:
        if (Q >= 0)
            return X == Q || X == AVariable || X == BelowVariable;
        if (Q == AVariable)
            return X != Missing;
        if (Q == BelowVariable)
            return true;
        return X == BelowVariable || X == Missing;
    case TQuery::Generalization:
        // The entry's term is the pattern, the query's stays as it is.
        if (Q >= 0)
            return X == Q || X == AVariable || X == BelowVariable;
        if (Q == AVariable)
            return X == AVariable || X == BelowVariable;
        if (Q == BelowVariable)
            return X == BelowVariable;
        return X == Missing || X == BelowVariable;
    case TQuery::Instance:
        // The query is the pattern.
        if (Q >= 0)
            return X == Q;
        if (Q == AVariable)
            return X >= 0 || X == AVariable;
        if (Q == BelowVariable)
            return true;
        return X == Missing;
    }
    return true;
}

std::size_t TTermIndex::FewFeatures(std::int32_t Q, TQuery Query, std::array<std::int32_t, 3>& Out)
{
    switch (Query) {
    case TQuery::Unifiable:
    case TQuery::Generalization:
        if (Q >= 0) {
            Out = {Q, AVariable, BelowVariable};
            return 3;
        }
        if (Q == Missing) {
            Out = {Missing, BelowVariable, BelowVariable};
            return 2;
        }
        if (Query == TQuery::Generalization) {
            Out = {BelowVariable, AVariable, AVariable};
            return Q == AVariable ? 2 : 1;
        }
        return 0;
    case TQuery::Instance:
        if (Q >= 0 || Q == Missing) {
            Out = {Q, Q, Q};
            return 1;
        }
        return 0;
    }
    return 0;
}

void TTermIndex::Insert(const TIndexEntry& Entry)
{
    const TPrint Print = PrintOf(Entry.Term);
    std::uint32_t Node = 0;
    for (std::size_t Level = 0; Level < Positions; ++Level) {
        std::uint32_t Next = 0;
        bool Found = false;
        if (Nodes[Node].ByFeature) {
            const auto It = Nodes[Node].ByFeature->find(Print[Level]);
            Found = It != Nodes[Node].ByFeature->end();
            Next = Found ? It->second : 0;
        } else {
            for (const auto& [Feature, Child] : Nodes[Node].Children)
                if (Feature == Print[Level]) {
                    Next = Child;
                    Found = true;
                    break;
                }
        }
        if (!Found) {
            Next = static_cast<std::uint32_t>(Nodes.size());
            TNode& N = Nodes[Node];
            N.Children.push_back({Print[Level], Next});
            if (N.ByFeature) {
                N.ByFeature->emplace(Print[Level], Next);
            } else if (N.Children.size() > ManyChildren) {
                N.ByFeature = std::make_unique<std::unordered_map<std::int32_t, std::uint32_t>>(
                    N.Children.begin(), N.Children.end());
            }
            Nodes.emplace_back();
        }
        Node = Next;
    }
    Nodes[Node].Entries.push_back(Entry);
    ++Count;
}
