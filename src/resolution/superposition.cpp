#include "resolution/superposition.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>

namespace {
constexpr std::uint32_t NoClause = ~std::uint32_t{0};
void CollectSubterms(const TTermBank& Bank, TTermRef T, std::vector<TTermRef>& Out);
// Every PickOldest-th clause taken is the oldest waiting one, the others the lightest.
constexpr std::int64_t PickOldest = 5;
} // namespace

TSuperposition::TSuperposition(TTermBank& ABank)
    : Bank(ABank), Kbo(ABank), Subst(ABank), Matcher(ABank), Subsumer(ABank), From(ABank),
      Into(ABank), Subterms(ABank), Demodulators(ABank), Units(ABank)
{
}

std::uint32_t TSuperposition::Record(std::vector<TEqLiteral> Literals, TEqRule Rule,
                                     std::vector<std::uint32_t> Parents, bool FromQuery)
{
    TEqClause C;
    C.Literals = std::move(Literals);
    C.Rule = Rule;
    C.Parents = std::move(Parents);
    C.FromQuery = FromQuery;
    C.Weight = WeightOf(Bank, C.Literals);
    Features.push_back(FeaturesOf(Bank, C.Literals));
    Clauses.push_back(std::move(C));
    Taken.push_back(false);
    return static_cast<std::uint32_t>(Clauses.size() - 1);
}

std::uint32_t TSuperposition::AddInput(const std::vector<TEqLiteral>& Literals, bool FromQuery,
                                       const std::string& Label)
{
    Subst.NewRenaming();
    std::vector<TEqLiteral> Ordered;
    for (const TEqLiteral& L : Literals)
        Ordered.push_back(
            MakeLiteral(Kbo, Subst.Instance(L.Left, 0), Subst.Instance(L.Right, 0), L.Positive));
    const bool Tautology = Tidy(Ordered);
    const std::uint32_t N = Record(std::move(Ordered), TEqRule::Input, {}, FromQuery);
    Clauses[N].Label = Label;
    if (Tautology) {
        Clauses[N].Deleted = true;
        ++Stats.Tautologies;
    } else if (OnlyAnswers(Bank, Clauses[N].Literals) && !Refuted) {
        Refuted = true;
        EmptyClause = N;
    } else {
        Lightest.push({std::uint64_t{Clauses[N].Weight} * (FromQuery ? 1 : 2), N});
        Waiting.push_back(N);
    }
    return N;
}

bool TSuperposition::Polled()
{
    return Stop && Stop();
}

TSaturation TSuperposition::Run()
{
    while (!Refuted) {
        if (Polled())
            return TSaturation::Stopped;
        const std::uint32_t N = Pick();
        if (N == NoClause)
            return Incomplete ? TSaturation::GaveUp : TSaturation::Saturated;
        if (Clauses[N].Deleted)
            continue;
        TSimplified S;
        Simplify(Clauses[N].Literals, S);
        if (S.Tautology) {
            ++Stats.Tautologies;
            continue;
        }
        if (!OnlyAnswers(Bank, S.Cut) && ForwardSubsumed(S.Cut)) {
            ++Stats.Subsumed;
            continue;
        }
        const std::uint32_t M = RecordSimplified(N, S);
        if (M != N && Kept)
            Kept(M);
        if (Refuted)
            break;
        ++Stats.Given;
        Activate(M);
        BackwardSimplify(M);
        if (Refuted)
            break;
        if (!Generate(M))
            return Refuted ? TSaturation::Refuted : TSaturation::Stopped;
    }
    return TSaturation::Refuted;
}

std::uint32_t TSuperposition::Pick()
{
    ++Picks;
    if (Picks % PickOldest == 0) {
        while (Oldest < Waiting.size() && Taken[Waiting[Oldest]])
            ++Oldest;
        if (Oldest < Waiting.size()) {
            Taken[Waiting[Oldest]] = true;
            return Waiting[Oldest];
        }
    }
    while (!Lightest.empty()) {
        const std::uint32_t N = Lightest.top().second;
        Lightest.pop();
        if (!Taken[N]) {
            Taken[N] = true;
            return N;
        }
    }
    return NoClause;
}

std::vector<std::uint32_t> TSuperposition::Shape(const std::vector<TEqLiteral>& Literals) const
{
    // The literals in an order that does not depend on the names of the variables, then each
    // written out, the variables numbered as they first occur.
    std::vector<std::pair<std::uint64_t, std::size_t>> Order;
    std::vector<TTermRef> Pending;
    for (std::size_t I = 0; I < Literals.size(); ++I) {
        std::uint64_t H = Literals[I].Positive ? 1 : 2;
        Pending.assign({Literals[I].Left, Literals[I].Right});
        while (!Pending.empty()) {
            const TTermRef T = Pending.back();
            Pending.pop_back();
            const std::uint64_t Head = Bank.IsVariable(T) ? 0 : Bank.SymbolOf(T) + 1;
            H = (H ^ Head) * 0x100000001B3ULL;
            if (!Bank.IsVariable(T))
                for (TTermRef A : Bank.Args(T))
                    Pending.push_back(A);
        }
        Order.push_back({H, I});
    }
    std::sort(Order.begin(), Order.end());
    std::vector<std::uint32_t> Out;
    std::unordered_map<std::uint32_t, std::uint32_t> Names;
    for (const auto& [H, I] : Order) {
        Out.push_back(Literals[I].Positive ? 0xFFFFFFF0u : 0xFFFFFFF1u);
        Pending.assign({Literals[I].Right, Literals[I].Left});
        while (!Pending.empty()) {
            const TTermRef T = Pending.back();
            Pending.pop_back();
            if (Bank.IsVariable(T)) {
                auto [It, New] = Names.try_emplace(Bank.VariableIndex(T),
                                                   static_cast<std::uint32_t>(Names.size()));
                Out.push_back(0x80000000u | It->second);
                continue;
            }
            Out.push_back(Bank.SymbolOf(T));
            const auto Args = Bank.Args(T);
            for (auto It = Args.rbegin(); It != Args.rend(); ++It)
                Pending.push_back(*It);
        }
    }
    return Out;
}

bool TSuperposition::Known(const std::vector<TEqLiteral>& Literals) const
{
    return Seen.count(Shape(Literals)) > 0;
}

void TSuperposition::Keep(std::uint32_t N)
{
    Seen.insert(Shape(Clauses[N].Literals));
    if (Kept)
        Kept(N);
    ++Stats.Kept;
    const TEqClause& C = Clauses[N];
    Lightest.push({std::uint64_t{C.Weight} * (C.FromQuery ? 1 : 2), N});
    Waiting.push_back(N);
}

bool TSuperposition::TooLarge(const std::vector<TEqLiteral>& Literals) const
{
    if (WeightOf(Bank, Literals) > MaxWeight)
        return true;
    return std::any_of(Literals.begin(), Literals.end(), [this](const TEqLiteral& L) {
        return Bank.Depth(L.Left) > MaxDepth || Bank.Depth(L.Right) > MaxDepth;
    });
}

// ---- simplification

TTermRef TSuperposition::Replace(TTermRef S, TTermRef U, TTermRef R)
{
    if (S == U)
        return R;
    if (Bank.IsVariable(S) || Bank.Weight(S) <= Bank.Weight(U))
        return S;
    const auto Args = Bank.Args(S);
    std::vector<TTermRef> New(Args.begin(), Args.end());
    bool Changed = false;
    for (TTermRef& A : New) {
        const TTermRef B = Replace(A, U, R);
        Changed = Changed || B != A;
        A = B;
    }
    return Changed ? Bank.Apply(Bank.SymbolOf(S), New) : S;
}

TTermRef TSuperposition::RewriteTop(TTermRef T, bool Top, TTermRef Other,
                                    std::vector<std::uint32_t>& Used)
{
    TTermRef Result = T;
    Demodulators.Retrieve(T, TTermIndex::TQuery::Generalization, [&](const TIndexEntry& E) {
        const TEqClause& C = Clauses[E.Clause];
        if (C.Deleted || !C.Active)
            return true;
        const TEqLiteral& Eq = C.Literals[0];
        const TTermRef L = Side(Eq, E.Side);
        const TTermRef R = Side(Eq, 1 - E.Side);
        if (Bank.Boolean(L) != Bank.Boolean(T))
            return true;
        const std::size_t Mark = Matcher.Mark();
        if (!Matcher.Match(L, T))
            return true;
        const TTermRef Value = Matcher.Instance(R);
        Matcher.Undo(Mark);
        if (!Eq.Oriented && Kbo.Compare(T, Value) != TOrder::Greater)
            return true;
        // At the top of the greater side of a positive literal the equation used has to be
        // smaller than the literal, or T a proper instance of its side: else a unit would
        // rewrite itself away.
        if (Top && Other != NoTerm && Kbo.Compare(Value, Other) != TOrder::Less) {
            const bool Variant = Matcher.Match(T, L);
            Matcher.Undo(Mark);
            if (Variant)
                return true;
        }
        Result = Value;
        Used.push_back(E.Clause);
        ++Stats.Rewrites;
        return false;
    });
    return Result;
}

TTermRef TSuperposition::Normalize(TTermRef T, bool Top, TTermRef Other,
                                   std::vector<std::uint32_t>& Used)
{
    if (Bank.IsVariable(T) || Demodulators.Size() == 0)
        return T;
    if (!Top)
        if (const auto It = NormalForms.find(T); It != NormalForms.end()) {
            Used.insert(Used.end(), It->second.second.begin(), It->second.second.end());
            return It->second.first;
        }
    const TTermRef Start = T;
    std::vector<std::uint32_t> Own;
    while (true) {
        if (Bank.IsVariable(T))
            break;
        const auto Args = Bank.Args(T);
        std::vector<TTermRef> New(Args.begin(), Args.end());
        bool Changed = false;
        for (TTermRef& A : New) {
            const TTermRef B = Normalize(A, false, NoTerm, Own);
            Changed = Changed || B != A;
            A = B;
        }
        if (Changed)
            T = Bank.Apply(Bank.SymbolOf(T), New);
        const TTermRef R = RewriteTop(T, Top, Other, Own);
        if (R == T)
            break;
        T = R;
    }
    std::sort(Own.begin(), Own.end());
    Own.erase(std::unique(Own.begin(), Own.end()), Own.end());
    Used.insert(Used.end(), Own.begin(), Own.end());
    if (!Top)
        NormalForms[Start] = {T, std::move(Own)};
    return T;
}

void TSuperposition::Simplify(const std::vector<TEqLiteral>& In, TSimplified& Out)
{
    Out = TSimplified{};
    Out.Rewritten = In;
    if (!Rewriting) {
        Out.Cut = In;
        return;
    }
    bool Changed = false;
    for (TEqLiteral& L : Out.Rewritten) {
        const TTermRef Left = Normalize(L.Left, L.Positive, L.Right, Out.Rewriters);
        const TTermRef Right = Normalize(L.Right, L.Positive && !L.Oriented, L.Left, Out.Rewriters);
        if (Left != L.Left || Right != L.Right) {
            L = MakeLiteral(Kbo, Left, Right, L.Positive);
            Changed = true;
        }
    }
    std::sort(Out.Rewriters.begin(), Out.Rewriters.end());
    Out.Rewriters.erase(std::unique(Out.Rewriters.begin(), Out.Rewriters.end()),
                        Out.Rewriters.end());
    if (Changed && Tidy(Out.Rewritten)) {
        Out.Tautology = true;
        return;
    }
    // Cuts: a literal that a unit clause contradicts in every instance goes, and an equation
    // of two distinct numbers or strings.
    Out.Cut = Out.Rewritten;
    for (std::size_t I = Out.Cut.size(); I-- > 0;) {
        const TEqLiteral L = Out.Cut[I];
        if (Bank.DistinctValues(L.Left, L.Right)) {
            if (!L.Positive) {
                Out.Tautology = true;
                return;
            }
            Out.Cut.erase(Out.Cut.begin() + static_cast<long>(I));
            Out.Evaluated = true;
            continue;
        }
        std::uint32_t By = NoClause;
        Units.Retrieve(L.Left, TTermIndex::TQuery::Generalization, [&](const TIndexEntry& E) {
            const TEqClause& U = Clauses[E.Clause];
            if (U.Deleted || !U.Active || U.Literals[0].Positive == L.Positive)
                return true;
            const TEqLiteral& UL = U.Literals[0];
            if (Bank.Boolean(Side(UL, E.Side)) != Bank.Boolean(L.Left))
                return true;
            const std::size_t Mark = Matcher.Mark();
            const bool Hit = Matcher.Match(Side(UL, E.Side), L.Left) &&
                             Matcher.Match(Side(UL, 1 - E.Side), L.Right);
            Matcher.Undo(Mark);
            if (Hit)
                By = E.Clause;
            return !Hit;
        });
        if (By != NoClause) {
            Out.Cut.erase(Out.Cut.begin() + static_cast<long>(I));
            Out.Cutters.push_back(By);
            ++Stats.Cuts;
        }
    }
    std::sort(Out.Cutters.begin(), Out.Cutters.end());
    Out.Cutters.erase(std::unique(Out.Cutters.begin(), Out.Cutters.end()), Out.Cutters.end());
}

std::uint32_t TSuperposition::RecordSimplified(std::uint32_t Base, const TSimplified& S)
{
    const bool FromQuery = Clauses[Base].FromQuery;
    std::uint32_t Out = Base;
    if (!S.Rewriters.empty()) {
        std::vector<std::uint32_t> Parents{Out};
        Parents.insert(Parents.end(), S.Rewriters.begin(), S.Rewriters.end());
        Out = Record(S.Rewritten, TEqRule::Rewriting, std::move(Parents), FromQuery);
    }
    if (!S.Cutters.empty() || S.Evaluated) {
        std::vector<std::uint32_t> Parents{Out};
        Parents.insert(Parents.end(), S.Cutters.begin(), S.Cutters.end());
        Out = Record(S.Cut, TEqRule::SimplifyReflect, std::move(Parents), FromQuery);
    }
    if (OnlyAnswers(Bank, Clauses[Out].Literals) && !Refuted) {
        Refuted = true;
        EmptyClause = Out;
    }
    return Out;
}

bool TSuperposition::ForwardSubsumed(const std::vector<TEqLiteral>& Literals)
{
    const TEqFeatures F = FeaturesOf(Bank, Literals);
    for (std::uint32_t A : Active)
        if (!Clauses[A].Deleted && MaySubsume(Features[A], F) &&
            Subsumer.Subsumes(Clauses[A].Literals, Literals))
            return true;
    return false;
}

// ---- the active clauses

namespace {
// The distinct subterms of T that are no variables, T first.
void CollectSubterms(const TTermBank& Bank, TTermRef T, std::vector<TTermRef>& Out)
{
    std::vector<TTermRef> Pending{T};
    while (!Pending.empty()) {
        const TTermRef X = Pending.back();
        Pending.pop_back();
        if (Bank.IsVariable(X) || X == Bank.True() ||
            std::find(Out.begin(), Out.end(), X) != Out.end())
            continue;
        Out.push_back(X);
        for (TTermRef A : Bank.Args(X))
            Pending.push_back(A);
    }
}

// Whether every variable of T occurs in S.
bool VariablesWithin(const TTermBank& Bank, TTermRef T, TTermRef S)
{
    std::vector<TTermRef> Pending{T};
    while (!Pending.empty()) {
        const TTermRef X = Pending.back();
        Pending.pop_back();
        if (Bank.IsVariable(X)) {
            if (!Bank.Occurs(X, S))
                return false;
        } else if (!Bank.Ground(X)) {
            for (TTermRef A : Bank.Args(X))
                Pending.push_back(A);
        }
    }
    return true;
}
} // namespace

std::vector<std::size_t> TSuperposition::Eligible(const TEqClause& C)
{
    std::vector<std::size_t> Out;
    if (C.Selected >= 0) {
        Out.push_back(static_cast<std::size_t>(C.Selected));
        return Out;
    }
    for (std::size_t I = 0; I < C.Literals.size(); ++I)
        if (Maximal(Kbo, C.Literals, I))
            Out.push_back(I);
    return Out;
}

void TSuperposition::Activate(std::uint32_t N)
{
    TEqClause& C = Clauses[N];
    C.Active = true;
    C.Selected = SelectLiteral(Bank, C.Literals, CautiousSelection);
    Active.push_back(N);
    std::vector<TTermRef> Parts;
    for (std::size_t I : Eligible(C)) {
        const TEqLiteral& L = C.Literals[I];
        for (int S = 0; S < Sides(L); ++S) {
            const TTermRef Term = Side(L, S);
            if (L.Positive && C.Selected < 0 && Term != Bank.True())
                From.Insert({Term, N, static_cast<std::uint16_t>(I), static_cast<std::uint8_t>(S)});
            Parts.clear();
            CollectSubterms(Bank, Term, Parts);
            for (TTermRef U : Parts)
                Into.Insert({U, N, static_cast<std::uint16_t>(I), static_cast<std::uint8_t>(S)});
        }
    }
    for (std::size_t I = 0; I < C.Literals.size(); ++I)
        for (int S = 0; S < 2; ++S) {
            Parts.clear();
            CollectSubterms(Bank, Side(C.Literals[I], S), Parts);
            for (TTermRef U : Parts)
                Subterms.Insert(
                    {U, N, static_cast<std::uint16_t>(I), static_cast<std::uint8_t>(S)});
        }
    if (C.Literals.size() != 1)
        return;
    const TEqLiteral& L = C.Literals[0];
    Units.Insert({L.Left, N, 0, 0});
    if (!L.Oriented)
        Units.Insert({L.Right, N, 0, 1});
    if (!L.Positive || !Rewriting)
        return;
    // A unit equation rewrites from a side whose variables hold those of the other.
    if (L.Oriented || VariablesWithin(Bank, L.Right, L.Left))
        Demodulators.Insert({L.Left, N, 0, 0});
    if (!L.Oriented && VariablesWithin(Bank, L.Left, L.Right))
        Demodulators.Insert({L.Right, N, 0, 1});
    NormalForms.clear();
}

std::vector<std::uint32_t> TSuperposition::Holding(TTermRef T, std::uint32_t Except)
{
    std::vector<std::uint32_t> Out;
    Subterms.Retrieve(T, TTermIndex::TQuery::Instance, [&](const TIndexEntry& E) {
        if (E.Clause != Except && !Clauses[E.Clause].Deleted)
            Out.push_back(E.Clause);
        return true;
    });
    std::sort(Out.begin(), Out.end());
    Out.erase(std::unique(Out.begin(), Out.end()), Out.end());
    return Out;
}

void TSuperposition::BackwardSimplify(std::uint32_t N)
{
    const std::vector<TEqLiteral> Literals = Clauses[N].Literals;
    const bool Unit = Literals.size() == 1;
    // A unit subsumes and rewrites only clauses with an instance of a side among their terms.
    const bool Indexed = Unit && !Bank.IsVariable(Literals[0].Left);
    const std::vector<std::uint32_t> Left =
        Indexed ? Holding(Literals[0].Left, N) : std::vector<std::uint32_t>{};
    for (std::uint32_t A : Indexed ? Left : Active)
        if (A != N && !Clauses[A].Deleted && MaySubsume(Features[N], Features[A]) &&
            Subsumer.Subsumes(Literals, Clauses[A].Literals)) {
            Clauses[A].Deleted = true;
            ++Stats.Subsumed;
        }
    if (!Unit || !Literals[0].Positive || !Rewriting)
        return;
    // The active clauses that the new equation may rewrite leave for the waiting ones,
    // rewritten.
    std::vector<std::uint32_t> Candidates = Indexed ? Left : Holding(Literals[0].Left, N);
    if (Sides(Literals[0]) == 2) {
        const std::vector<std::uint32_t> Right = Holding(Literals[0].Right, N);
        std::vector<std::uint32_t> Both;
        std::set_union(Candidates.begin(), Candidates.end(), Right.begin(), Right.end(),
                       std::back_inserter(Both));
        Candidates.swap(Both);
    }
    for (std::uint32_t D : Candidates) {
        if (Clauses[D].Deleted)
            continue;
        TSimplified S;
        Simplify(Clauses[D].Literals, S);
        if (S.Rewriters.empty())
            continue;
        Clauses[D].Deleted = true;
        if (S.Tautology) {
            ++Stats.Tautologies;
            continue;
        }
        const std::uint32_t M = RecordSimplified(D, S);
        if (Refuted) {
            if (Kept)
                Kept(M);
            return;
        }
        Keep(M);
    }
    std::erase_if(Active, [this](std::uint32_t A) { return Clauses[A].Deleted; });
}

// ---- inferences

bool TSuperposition::Conclude(std::vector<TEqLiteral> Literals, TEqRule Rule,
                              std::vector<std::uint32_t> Parents)
{
    ++Stats.Generated;
    if ((++Inferences & 255) == 0 && Polled())
        return false;
    if (Tidy(Literals)) {
        ++Stats.Tautologies;
        return true;
    }
    if (TooLarge(Literals)) {
        Incomplete = true;
        return true;
    }
    TSimplified S;
    Simplify(Literals, S);
    if (S.Tautology) {
        ++Stats.Tautologies;
        return true;
    }
    if (!OnlyAnswers(Bank, S.Cut) && (Known(S.Cut) || ForwardSubsumed(S.Cut))) {
        ++Stats.Subsumed;
        return true;
    }
    // Only what is kept is recorded: the conclusion, and the clause it was simplified to.
    bool FromQuery = false;
    for (std::uint32_t P : Parents)
        FromQuery = FromQuery || Clauses[P].FromQuery;
    const std::uint32_t Raw = Record(std::move(Literals), Rule, std::move(Parents), FromQuery);
    const std::uint32_t N = RecordSimplified(Raw, S);
    if (Refuted) {
        if (Kept)
            Kept(N);
        return false;
    }
    Keep(N);
    return true;
}

void TSuperposition::InstancesBut(const std::vector<TEqLiteral>& Literals, std::size_t Skip,
                                  int FromBank, std::vector<TEqLiteral>& Out)
{
    for (std::size_t I = 0; I < Literals.size(); ++I)
        if (I != Skip)
            Out.push_back(MakeLiteral(Kbo, Subst.Instance(Literals[I].Left, FromBank),
                                      Subst.Instance(Literals[I].Right, FromBank),
                                      Literals[I].Positive));
}

bool TSuperposition::SuperposeFrom(std::uint32_t FromClause, std::size_t Literal, int Side,
                                   std::uint32_t IntoClause, std::size_t IntoLiteral, int IntoSide,
                                   TTermRef U, int FromBank)
{
    const int IntoBank = 1 - FromBank;
    const TEqLiteral Eq = Clauses[FromClause].Literals[Literal];
    const TEqLiteral Target = Clauses[IntoClause].Literals[IntoLiteral];
    const TTermRef L = this->Side(Eq, Side);
    const TTermRef R = this->Side(Eq, 1 - Side);
    if (Bank.IsVariable(U) || Bank.Boolean(L) != Bank.Boolean(U))
        return true;
    const std::size_t Mark = Subst.Mark();
    if (!Subst.Unify(L, FromBank, U, IntoBank))
        return true;
    Subst.NewRenaming();
    std::vector<TEqLiteral> Out;
    const TTermRef LValue = Subst.Instance(L, FromBank);
    const TTermRef RValue = Subst.Instance(R, FromBank);
    const TTermRef S = Subst.Instance(this->Side(Target, IntoSide), IntoBank);
    const TTermRef T = Subst.Instance(this->Side(Target, 1 - IntoSide), IntoBank);
    bool Ordered = true;
    if (!Eq.Oriented) {
        const TOrder O = Kbo.Compare(LValue, RValue);
        Ordered = O != TOrder::Less && O != TOrder::Equal;
    }
    if (Ordered && (!Target.Oriented || IntoSide == 1)) {
        const TOrder O = Kbo.Compare(S, T);
        Ordered = O != TOrder::Less && O != TOrder::Equal;
    }
    if (!Ordered) {
        Subst.Undo(Mark);
        return true;
    }
    InstancesBut(Clauses[FromClause].Literals, Literal, FromBank, Out);
    InstancesBut(Clauses[IntoClause].Literals, IntoLiteral, IntoBank, Out);
    const TTermRef UValue = Subst.Instance(U, IntoBank);
    Out.push_back(MakeLiteral(Kbo, Replace(S, UValue, RValue), T, Target.Positive));
    Subst.Undo(Mark);
    return Conclude(std::move(Out), TEqRule::Superposition, {FromClause, IntoClause});
}

bool TSuperposition::EqualityResolution(std::uint32_t N)
{
    const TEqClause C = Clauses[N];
    for (std::size_t I : Eligible(C)) {
        const TEqLiteral& L = C.Literals[I];
        if (L.Positive || Bank.Boolean(L.Left))
            continue;
        const std::size_t Mark = Subst.Mark();
        if (!Subst.Unify(L.Left, 0, L.Right, 0))
            continue;
        Subst.NewRenaming();
        std::vector<TEqLiteral> Out;
        InstancesBut(C.Literals, I, 0, Out);
        Subst.Undo(Mark);
        if (!Conclude(std::move(Out), TEqRule::EqualityResolution, {N}))
            return false;
    }
    return true;
}

bool TSuperposition::EqualityFactoring(std::uint32_t N)
{
    const TEqClause C = Clauses[N];
    if (C.Selected >= 0)
        return true;
    for (std::size_t I : Eligible(C)) {
        const TEqLiteral& Li = C.Literals[I];
        if (!Li.Positive)
            continue;
        for (int S = 0; S < Sides(Li); ++S)
            for (std::size_t J = 0; J < C.Literals.size(); ++J) {
                const TEqLiteral& Lj = C.Literals[J];
                if (J == I || !Lj.Positive)
                    continue;
                for (int S2 = 0; S2 < 2; ++S2) {
                    const TTermRef A = Side(Li, S);
                    const TTermRef C2 = Side(Lj, S2);
                    if (Bank.Boolean(A) != Bank.Boolean(C2))
                        continue;
                    const std::size_t Mark = Subst.Mark();
                    if (!Subst.Unify(A, 0, C2, 0))
                        continue;
                    Subst.NewRenaming();
                    const TTermRef AValue = Subst.Instance(A, 0);
                    const TTermRef BValue = Subst.Instance(Side(Li, 1 - S), 0);
                    const TOrder O = Kbo.Compare(AValue, BValue);
                    if (O == TOrder::Less || O == TOrder::Equal) {
                        Subst.Undo(Mark);
                        continue;
                    }
                    std::vector<TEqLiteral> Out;
                    InstancesBut(C.Literals, I, 0, Out);
                    Out.push_back(
                        MakeLiteral(Kbo, BValue, Subst.Instance(Side(Lj, 1 - S2), 0), false));
                    Subst.Undo(Mark);
                    if (!Conclude(std::move(Out), TEqRule::EqualityFactoring, {N}))
                        return false;
                }
            }
    }
    return true;
}

bool TSuperposition::Generate(std::uint32_t N)
{
    const TEqClause C = Clauses[N];
    std::vector<TIndexEntry> Found;
    std::vector<TTermRef> Parts;
    for (std::size_t I : Eligible(C)) {
        const TEqLiteral L = C.Literals[I];
        for (int S = 0; S < Sides(L); ++S) {
            const TTermRef Term = Side(L, S);
            // The given clause's equation into the active clauses (itself among them).
            if (L.Positive && C.Selected < 0 && Term != Bank.True()) {
                Found.clear();
                Into.Retrieve(Term, TTermIndex::TQuery::Unifiable, [&](const TIndexEntry& E) {
                    Found.push_back(E);
                    return true;
                });
                for (const TIndexEntry& E : Found)
                    if (Clauses[E.Clause].Active && !Clauses[E.Clause].Deleted &&
                        !SuperposeFrom(N, I, S, E.Clause, E.Literal, E.Side, E.Term, 0))
                        return false;
            }
            // The active equations into the given clause.
            Parts.clear();
            CollectSubterms(Bank, Term, Parts);
            for (TTermRef U : Parts) {
                Found.clear();
                From.Retrieve(U, TTermIndex::TQuery::Unifiable, [&](const TIndexEntry& E) {
                    Found.push_back(E);
                    return true;
                });
                for (const TIndexEntry& E : Found)
                    if (E.Clause != N && Clauses[E.Clause].Active && !Clauses[E.Clause].Deleted &&
                        !SuperposeFrom(E.Clause, E.Literal, E.Side, N, I, S, U, 1))
                        return false;
            }
        }
    }
    return EqualityResolution(N) && EqualityFactoring(N);
}

std::vector<std::uint32_t> TSuperposition::Derivation() const
{
    std::vector<std::uint32_t> Out;
    if (!Refuted)
        return Out;
    std::unordered_set<std::uint32_t> Seen;
    std::vector<std::pair<std::uint32_t, bool>> Pending{{EmptyClause, false}};
    while (!Pending.empty()) {
        const auto [N, Done] = Pending.back();
        Pending.pop_back();
        if (Done) {
            Out.push_back(N);
            continue;
        }
        if (!Seen.insert(N).second)
            continue;
        Pending.push_back({N, true});
        const std::vector<std::uint32_t>& Parents = Clauses[N].Parents;
        for (auto It = Parents.rbegin(); It != Parents.rend(); ++It)
            if (!Seen.count(*It))
                Pending.push_back({*It, false});
    }
    return Out;
}
