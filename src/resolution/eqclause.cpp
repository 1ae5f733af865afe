#include "resolution/eqclause.h"

#include <algorithm>
#include <array>

TEqLiteral MakeLiteral(TKbo& Order, TTermRef S, TTermRef T, bool Positive)
{
    TEqLiteral L;
    L.Positive = Positive;
    switch (Order.Compare(S, T)) {
    case TOrder::Greater:
        L = {S, T, Positive, true};
        break;
    case TOrder::Less:
        L = {T, S, Positive, true};
        break;
    default:
        // Incomparable (or equal): one fixed order, so that a literal has one form.
        L = {std::max(S, T), std::min(S, T), Positive, false};
        break;
    }
    return L;
}

TOrder CompareLiterals(TKbo& Order, const TEqLiteral& A, const TEqLiteral& B)
{
    std::array<TTermRef, 4> M{};
    std::array<TTermRef, 4> N{};
    std::size_t MSize = 0;
    std::size_t NSize = 0;
    for (int Copy = 0; Copy < (A.Positive ? 1 : 2); ++Copy) {
        M[MSize++] = A.Left;
        M[MSize++] = A.Right;
    }
    for (int Copy = 0; Copy < (B.Positive ? 1 : 2); ++Copy) {
        N[NSize++] = B.Left;
        N[NSize++] = B.Right;
    }
    // What the two have in common cancels out.
    std::array<bool, 4> MGone{};
    std::array<bool, 4> NGone{};
    for (std::size_t I = 0; I < MSize; ++I)
        for (std::size_t J = 0; J < NSize; ++J)
            if (!NGone[J] && M[I] == N[J]) {
                MGone[I] = NGone[J] = true;
                break;
            }
    auto Dominates = [&](const std::array<TTermRef, 4>& X, std::size_t XSize,
                         const std::array<bool, 4>& XGone, const std::array<TTermRef, 4>& Y,
                         std::size_t YSize, const std::array<bool, 4>& YGone) {
        bool Any = false;
        for (std::size_t I = 0; I < XSize; ++I)
            Any = Any || !XGone[I];
        if (!Any)
            return false;
        for (std::size_t J = 0; J < YSize; ++J) {
            if (YGone[J])
                continue;
            bool Above = false;
            for (std::size_t I = 0; I < XSize && !Above; ++I)
                Above = !XGone[I] && Order.Compare(X[I], Y[J]) == TOrder::Greater;
            if (!Above)
                return false;
        }
        return true;
    };
    const bool MLeft = std::any_of(MGone.begin(), MGone.begin() + static_cast<long>(MSize),
                                   [](bool G) { return !G; });
    const bool NLeft = std::any_of(NGone.begin(), NGone.begin() + static_cast<long>(NSize),
                                   [](bool G) { return !G; });
    if (!MLeft && !NLeft)
        return TOrder::Equal;
    if (Dominates(M, MSize, MGone, N, NSize, NGone))
        return TOrder::Greater;
    if (Dominates(N, NSize, NGone, M, MSize, MGone))
        return TOrder::Less;
    return TOrder::Incomparable;
}

bool Tidy(std::vector<TEqLiteral>& Literals)
{
    std::vector<TEqLiteral> Kept;
    Kept.reserve(Literals.size());
    for (const TEqLiteral& L : Literals) {
        if (L.Left == L.Right) {
            if (L.Positive)
                return true;
            continue; // s ≠ s is false: the clause holds without it
        }
        if (std::find(Kept.begin(), Kept.end(), L) == Kept.end())
            Kept.push_back(L);
    }
    for (const TEqLiteral& L : Kept)
        for (const TEqLiteral& M : Kept)
            if (L.Positive && !M.Positive && L.Left == M.Left && L.Right == M.Right)
                return true;
    Literals.swap(Kept);
    return false;
}

std::uint32_t WeightOf(const TTermBank& Bank, const std::vector<TEqLiteral>& Literals)
{
    std::uint64_t W = 0;
    for (const TEqLiteral& L : Literals)
        W += Bank.Weight(L.Left) + Bank.Weight(L.Right);
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(W, 0xFFFFFFFFu));
}

std::int32_t SelectLiteral(const TTermBank& Bank, const std::vector<TEqLiteral>& Literals,
                           bool Cautious)
{
    // The predicate of a literal, or = for an equation of individuals.
    auto Head = [&Bank](const TEqLiteral& L) {
        return L.Right == Bank.True() ? static_cast<std::int64_t>(Bank.SymbolOf(L.Left)) : -1;
    };
    std::int32_t Best = -1;
    std::uint32_t BestWeight = 0;
    for (std::size_t I = 0; I < Literals.size(); ++I) {
        const TEqLiteral& L = Literals[I];
        if (L.Positive)
            continue;
        // A literal whose predicate the clause also has positively stays open: the clause
        // then passes the predicate on (p(X) ∨ ¬p(Y)), which its positive side does.
        if (Cautious && std::any_of(Literals.begin(), Literals.end(), [&](const TEqLiteral& M) {
                return M.Positive && Head(M) == Head(L);
            }))
            continue;
        const std::uint32_t W = Bank.Weight(L.Left) + Bank.Weight(L.Right);
        if (Best < 0 || W > BestWeight) {
            Best = static_cast<std::int32_t>(I);
            BestWeight = W;
        }
    }
    return Best;
}

bool Maximal(TKbo& Order, const std::vector<TEqLiteral>& Literals, std::size_t I)
{
    const TTermBank& Bank = Order.Terms();
    if (Bank.IsAnswer(Literals[I].Left))
        return false;
    for (std::size_t J = 0; J < Literals.size(); ++J)
        if (J != I && !Bank.IsAnswer(Literals[J].Left) &&
            CompareLiterals(Order, Literals[J], Literals[I]) == TOrder::Greater)
            return false;
    return true;
}

bool OnlyAnswers(const TTermBank& Bank, const std::vector<TEqLiteral>& Literals)
{
    return std::all_of(Literals.begin(), Literals.end(),
                       [&Bank](const TEqLiteral& L) { return Bank.IsAnswer(L.Left); });
}

bool TEqSubsumer::Subsumes(const std::vector<TEqLiteral>& C, const std::vector<TEqLiteral>& D)
{
    if (C.size() > D.size())
        return false;
    Used.assign(D.size(), false);
    Steps = 0;
    const std::size_t Start = Matcher.Mark();
    const bool Found = From(C, D, 0);
    Matcher.Undo(Start);
    return Found;
}

bool TEqSubsumer::From(const std::vector<TEqLiteral>& C, const std::vector<TEqLiteral>& D,
                       std::size_t I)
{
    if (I == C.size())
        return true;
    const TEqLiteral& L = C[I];
    for (std::size_t J = 0; J < D.size(); ++J) {
        // An atom (p = ⊤) meets atoms, an equation of individuals equations.
        if (Used[J] || D[J].Positive != L.Positive ||
            Matcher.Boolean(D[J].Left) != Matcher.Boolean(L.Left))
            continue;
        if (++Steps > 20000)
            return false;
        for (int Way = 0; Way < 2; ++Way) {
            const std::size_t Mark = Matcher.Mark();
            const TTermRef A = Way == 0 ? D[J].Left : D[J].Right;
            const TTermRef B = Way == 0 ? D[J].Right : D[J].Left;
            if (Matcher.Match(L.Left, A) && Matcher.Match(L.Right, B)) {
                Used[J] = true;
                if (From(C, D, I + 1))
                    return true;
                Used[J] = false;
            }
            Matcher.Undo(Mark);
        }
    }
    return false;
}

namespace {
std::uint64_t Bit(std::uint64_t X)
{
    X *= 0x9E3779B97F4A7C15ULL;
    return std::uint64_t{1} << (X >> 58);
}
} // namespace

TEqFeatures FeaturesOf(const TTermBank& Bank, const std::vector<TEqLiteral>& Literals)
{
    TEqFeatures F;
    F.Size = static_cast<std::uint32_t>(Literals.size());
    std::vector<TTermRef> Pending;
    for (const TEqLiteral& L : Literals) {
        F.Positives += L.Positive ? 1 : 0;
        F.Weight += Bank.Weight(L.Left) + Bank.Weight(L.Right);
        F.Depth = std::max({F.Depth, Bank.Depth(L.Left), Bank.Depth(L.Right)});
        // A predicate atom by its predicate; an equation by = (any symbol number past all).
        const bool Atom = L.Right == Bank.True();
        const std::uint64_t Key = Atom ? Bank.SymbolOf(L.Left) : 0xFFFFFFFFull;
        F.Signs |= Bit(Key * 2 + (L.Positive ? 1 : 0));
        Pending.assign({L.Left, L.Right});
        while (!Pending.empty()) {
            const TTermRef T = Pending.back();
            Pending.pop_back();
            if (Bank.IsVariable(T))
                continue;
            F.Symbols |= Bit(Bank.SymbolOf(T) + 0x1000000ull);
            for (TTermRef A : Bank.Args(T))
                Pending.push_back(A);
        }
    }
    return F;
}
