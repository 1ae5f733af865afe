// Best-first search: the given-formula loop of saturating provers, applied to whole formulas
// with the design's own inference (Resolve, simplification, polarity, factoring, insertion).
//
// Two sets: processed formulas and waiting ones. The given formula, taken from the waiting
// ones, is mostly the lightest and every PickOldest-th time the oldest, so every formula is
// taken at last. It is resolved with itself and with every processed formula on every pair of
// atoms that may unify (an index by predicate and polarity finds them), and what insertion
// keeps joins the waiting set. Exact duplicates and variants are dropped; the design's
// consequence and equivalence checks and its exit options are not used, so no formula a proof
// needs is removed.
#include "resolution/bestfirst.h"

#include "model/formula.h"
#include "model/print.h"
#include "model/runstate.h"
#include "model/terms.h"
#include "resolution/clauses.h"
#include "resolution/eqsearch.h"
#include "resolution/insert.h"
#include "resolution/limits.h"
#include "resolution/ordering.h"
#include "resolution/resolve.h"
#include "resolution/search.h"
#include "resolution/subsume.h"
#include "unify/unify.h"

#include <algorithm>
#include <cstdint>
#include <queue>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {
// Every PickOldest-th given formula is the oldest waiting one; the others are the lightest.
constexpr std::int64_t PickOldest = 4;

// A hash of a formula that is the same for variants: variables are numbered in the order in
// which they first appear, bound variables stand for their values.
class TVariantHash {
public:
    std::uint64_t Of(TFALFormula* F)
    {
        Numbers.clear();
        Values.clear();
        std::uint64_t H = Seed;
        WalkNodes(F->Cont, [&](TSub* Node) {
            H = Mix(H, static_cast<std::uint64_t>(Node->Class) * 8 + (Node->Neg ? 4 : 0) +
                           static_cast<std::uint64_t>(Node->Val + 1));
            if (Node->Q)
                for (TVariable* V : Node->Q->Items)
                    if (V && !V->Id)
                        H = Mix(Mix(H, V->Kind), Number(V));
            if (Node->Is(TClass::Atom))
                H = Mix(H, Term(static_cast<TAtom*>(Node)->Id));
            else
                H = Mix(H, (Node->L ? 1 : 0) + (Node->R ? 2 : 0));
            return true;
        });
        return H;
    }

private:
    static constexpr std::uint64_t Seed = 0x9E3779B97F4A7C15ULL;

    static std::uint64_t Mix(std::uint64_t H, std::uint64_t V)
    {
        H ^= V + Seed + (H << 6) + (H >> 2);
        H *= 0xFF51AFD7ED558CCDULL;
        return H ^ (H >> 29);
    }

    static std::uint64_t Text(const std::string& S)
    {
        std::uint64_t H = 1469598103934665603ULL;
        for (unsigned char C : S)
            H = (H ^ C) * 1099511628211ULL;
        return H;
    }

    std::uint64_t Number(const TVariable* V)
    {
        auto [It, New] = Numbers.try_emplace(V, Numbers.size() + 1);
        return It->second;
    }

    // A term, the values of bound variables written out. A value is hashed once however often
    // its variable occurs: values shared along a chain of bindings would make a walk through
    // all their occurrences grow with the power of the chain's length.
    std::uint64_t Term(const TId* T)
    {
        if (!T)
            return 0;
        switch (T->Class) {
        case TClass::Functor:
        case TClass::FunctorA: {
            std::uint64_t H = Mix(Text(SymbolOf(T)), ArityOf(T) + 1);
            for (const TId* Arg : ArgumentsOf(T))
                H = Mix(H, Term(Arg));
            return H;
        }
        case TClass::StrLit:
            return Mix(Text(static_cast<const TStrLit*>(T)->Value), 2);
        case TClass::Integer:
        case TClass::Real: {
            const long double N = static_cast<const TNumber*>(T)->GetNumber();
            return Mix(Text(std::to_string(static_cast<double>(N))), 3);
        }
        case TClass::Variable: {
            auto* V = static_cast<const TVariable*>(T);
            if (!V->Id)
                return Mix(Number(V), 4);
            if (auto Known = Values.find(V); Known != Values.end())
                return Known->second;
            Values[V] = 5; // a value that reached itself
            const std::uint64_t H = Term(V->Id);
            Values[V] = H;
            return H;
        }
        default:
            return Mix(Text(static_cast<const TVar*>(T)->Name), 6);
        }
    }

    std::unordered_map<const TVariable*, std::uint64_t> Numbers;
    std::unordered_map<const TVariable*, std::uint64_t> Values;
};

// The key of an atom in the index: its predicate and arity; atoms whose term is no function
// or constant (a variable) share the key "".
std::string PredicateKey(const TAtom* A)
{
    if (!A->Id || !A->Id->IsFunc())
        return std::string();
    return PredicateOf(A) + "/" + std::to_string(ArityOf(A->Id));
}

// Two atoms are resolved when their occurrences are of opposite polarity, or either has
// none (below an equivalence): of the same polarity the resolvent only weakens a formula.
// An atom with itself splits its formula into the cases false and true, which is how a
// conjunction gives up its parts.
bool MayResolve(const TAtom* A, const TAtom* B)
{
    return A == B || A->Pol * B->Pol != 1;
}

// Whether resolving on A and B certainly gives a tautology: either side is true by its atom
// alone, with the values the resolution rule gives them. Such pairs are not tried.
bool Tautological(const TAtom* A, const TAtom* B)
{
    const bool FalseInA = A->Pol != 0 ? A->Pol == 1 : B->Pol == -1;
    return ValueWith(A, FalseInA ? -1 : 1) > 0 || ValueWith(B, FalseInA ? 1 : -1) > 0;
}

struct TEntry {
    TFALFormula* Formula;
    char Prefix;          // 'F' for a source formula, 'R' for a resolvent
    std::int64_t Index;   // in ListF or ListR
    std::int64_t Weight;  // symbols, the bindings written out
    TClause Clause;       // on the clause form: its literals, when it is a clause
    bool Deleted = false; // subsumed by a later clause: neither taken nor a partner
};

// Symbols of a term, the values of bound variables written out, up to Cap.
std::int64_t TermSize(const TId* T, std::int64_t Cap = 1000)
{
    std::int64_t Size = 0;
    WalkTerm(T, [&Size, Cap](const TId*) { return ++Size < Cap; });
    return std::min(Size, Cap);
}

struct TIndexed {
    std::size_t Entry;
    TAtom* Atom;
};

class TBestFirst {
public:
    TBestFirst(TPLProgram* AProgram, bool AClauseForm)
        : Program(AProgram), ClauseForm(AClauseForm), Restricted(AClauseForm)
    {
        // Insertion keeps what is new, and a resolution marks only the exact matches of its
        // atom (on the clause form in both formulas: a set of literals loses each of them).
        Mode.ClauseForm = ClauseForm;
        Mode.Saturation = true;
        Mode.ExactMatches = true;
        Mode.Accept = [this](TFALFormula* N) { return Accept(N); };
        Both = Mode;
        Both.MatchesInBoth = true;
    }

    void Run()
    {
        TList<TFALFormula>& ListF = Program->ListF;
        for (std::int32_t I = 0; I < ListF.Count(); ++I)
            if (TFALFormula* F = ListF.Get(I)) {
                Seen.insert(Hash.Of(F));
                Wait(F, 'F', I);
            }
        while (!StopRequested && !RefutationStop && !QueryRefuted) {
            YieldToHost();
            const std::size_t Given = Pick();
            if (Given == None)
                break;
            Process(Given);
        }
    }

private:
    static constexpr std::size_t None = static_cast<std::size_t>(-1);

    // A formula that is a conjunction in effect waits as its parts, each recorded as a
    // resolvent of the formula with itself: its variables are universal, so the parts hold
    // each for themselves, and the search need not take the conjunction apart atom by atom.
    // On the clause form the parts are split again until they are clauses.
    void Wait(TFALFormula* F, char Prefix, std::int64_t Index)
    {
        std::vector<TFALFormula*> Parts;
        if (ClauseForm) {
            const TSplitPoint At = FindSplit(F);
            if (At.Blocked || (At.Node && Splits >= MaxSplits))
                Restricted = false; // not all clauses: every atom stays open to resolution
            else if (At.Node && !StopRequested) {
                ++Splits;
                Parts = SplitAt(F, At.Node);
            }
        } else {
            TSub* Root = F->Cont;
            const bool Conjunction =
                Root && Root->Val == 0 &&
                ((Root->Is(TClass::Con) && !Root->Neg) || (Root->Is(TClass::Dis) && Root->Neg) ||
                 (Root->Is(TClass::Imp) && Root->Neg));
            if (Conjunction && !StopRequested) {
                const bool NegateLeft = Root->Is(TClass::Dis);
                const bool NegateRight = !Root->Is(TClass::Con);
                for (int Side = 0; Side < 2; ++Side) {
                    Parts.push_back(CopyPart(F, Side == 0 ? Root->L : Root->R,
                                             Side == 0 ? NegateLeft : NegateRight));
                    Parts.back()->Simplify();
                    Parts.back()->Cont->EvalPol();
                }
            }
        }
        if (Parts.empty()) {
            Enqueue(F, Prefix, Index);
            return;
        }
        for (TFALFormula* Part : Parts)
            WaitAsPart(Part, Label(Prefix, Index));
    }

    // A part of a formula (a split part or a factor) that insertion would keep is recorded as
    // a resolvent of the formula, labelled Of, with itself, and waits in turn.
    void WaitAsPart(TFALFormula* Part, const std::string& Of)
    {
        const bool Constant = ClauseForm && (!Part->Cont || Part->Cont->Val != 0);
        if (Constant || !WithinLimits(Part) || !Accept(Part)) {
            delete Part;
            return;
        }
        RecordResolvent(Part, Of, Of);
        Wait(Part, 'R', Program->ListR.Count() - 1);
    }

    void Enqueue(TFALFormula* F, char Prefix, std::int64_t Index)
    {
        // The weight is the number of symbols; what comes of the query weighs half, so the
        // search leans towards the goal.
        std::int64_t Weight = Measure(F).Size;
        if (F->FromQuery)
            Weight /= 2;
        TEntry Entry{F, Prefix, Index, Weight, TClause{}};
        if (ClauseForm) {
            Entry.Clause = F == Accepted ? std::move(AcceptedClause) : ClauseOf(F);
            Accepted = nullptr;
            if (Entry.Clause.Valid)
                DeleteSubsumed(Entry.Clause);
        }
        Entries.push_back(std::move(Entry));
        Taken.push_back(false);
        Lightest.push({Weight, Entries.size() - 1});
        if (Entries.back().Clause.Valid) {
            Clauses.push_back(Entries.size() - 1);
            Keys.push_back(KeyOf(Entries.back().Clause));
            const std::size_t E = Entries.size() - 1;
            const TClause& C = Entries[E].Clause;
            if (C.Literals.size() == 1)
                Units[UnitKey(C.Literals[0].Atom, C.Literals[0].Sign)].push_back(E);
            AddFactors(E);
            CutByUnits(E);
        }
    }

    static std::string UnitKey(const TAtom* A, int Sign)
    {
        return (Sign > 0 ? "+" : "-") + PredicateKey(A);
    }

    // A literal of the new clause that a unit clause refutes as it stands (the unit is the
    // more general) goes at once: the resolvent of the two is the clause without it, which
    // then drops the clause by subsumption.
    void CutByUnits(std::size_t E)
    {
        const TClause C = Entries[E].Clause;
        if (C.Literals.size() < 2)
            return;
        for (const TClause::TLiteral& L : C.Literals) {
            auto It = Units.find(UnitKey(L.Atom, -L.Sign));
            if (It == Units.end())
                continue;
            TClause Target;
            Target.Literals.push_back({L.Atom, -L.Sign});
            Target.Valid = true;
            for (const std::size_t U : It->second) {
                const TEntry& Unit = Entries[U];
                if (Unit.Deleted || !Subsumer.Subsumes(Unit.Clause, Target))
                    continue;
                if (StopRequested || Entries[E].Deleted)
                    return;
                TAtom* B = Unit.Clause.Literals[0].Atom;
                Unifier().Clear();
                if (!L.Atom->UnifyS(B)) {
                    Unifier().Clear();
                    continue;
                }
                TResolutionMode Cut = Both;
                Cut.Center = Label(Entries[E].Prefix, Entries[E].Index);
                Cut.Partner = Label(Unit.Prefix, Unit.Index);
                TFALFormula* N =
                    ResolveAndDispose(Entries[E].Formula, Unit.Formula, L.Atom, B, &Cut);
                if (N)
                    Wait(N, 'R', Program->ListR.Count() - 1);
                return;
            }
        }
    }

    // The factors of a clause whose literals are all open to resolution, each recorded as a
    // resolvent of the clause with itself; they wait, and are factored in turn.
    void AddFactors(std::size_t E)
    {
        const TClause C = Entries[E].Clause;
        if (Restricted)
            for (const TClause::TLiteral& L : C.Literals)
                if (L.Sign < 0)
                    return;
        TFALFormula* F = Entries[E].Formula;
        const std::string Of = Label(Entries[E].Prefix, Entries[E].Index);
        for (std::size_t I = 0; I < C.Literals.size(); ++I)
            for (std::size_t J = I + 1; J < C.Literals.size(); ++J) {
                TAtom* A = C.Literals[I].Atom;
                TAtom* B = C.Literals[J].Atom;
                if (StopRequested || Entries[E].Deleted)
                    return;
                if (C.Literals[I].Sign != C.Literals[J].Sign || PredicateKey(A) != PredicateKey(B))
                    continue;
                TFALFormula* N = Factor(F, A, B);
                if (!N)
                    continue;
                ++FactoringCount;
                WaitAsPart(N, Of);
            }
    }

    // Backward subsumption: the clauses that C subsumes leave the search.
    void DeleteSubsumed(const TClause& C)
    {
        const TClauseKey Key = KeyOf(C);
        std::size_t Kept = 0;
        for (std::size_t I = 0; I < Clauses.size(); ++I) {
            const std::size_t E = Clauses[I];
            if (MaySubsume(Key, Keys[I]) && Subsumer.Subsumes(C, Entries[E].Clause)) {
                Entries[E].Deleted = true;
                Taken[E] = true;
                continue;
            }
            Clauses[Kept] = E;
            Keys[Kept++] = Keys[I];
        }
        Clauses.resize(Kept);
        Keys.resize(Kept);
    }

    // Forward subsumption: whether a clause of the search subsumes C.
    bool Subsumed(const TClause& C)
    {
        const TClauseKey Key = KeyOf(C);
        for (std::size_t I = 0; I < Clauses.size(); ++I)
            if (MaySubsume(Keys[I], Key) && Subsumer.Subsumes(Entries[Clauses[I]].Clause, C))
                return true;
        return false;
    }

    // The atoms of an entry open to resolution. On the clause form, when every formula is a
    // clause: the largest negative literal of a clause that has one, else its maximal literals
    // in the term ordering. Ordered resolution with negative selection is complete, and it
    // builds on positive clauses, as hyperresolution does.
    std::vector<TAtom*> Eligible(const TEntry& E) const
    {
        std::vector<TAtom*> Atoms;
        if (Restricted && E.Clause.Valid) {
            TAtom* Best = nullptr;
            std::int64_t BestSize = 0;
            for (const TClause::TLiteral& L : E.Clause.Literals)
                if (L.Sign < 0) {
                    const std::int64_t Size = TermSize(L.Atom->Id);
                    if (!Best || Size > BestSize) {
                        Best = L.Atom;
                        BestSize = Size;
                    }
                }
            if (Best) {
                Atoms.push_back(Best);
                return Atoms;
            }
            // A positive clause: its maximal literals, those no other one exceeds.
            for (const TClause::TLiteral& L : E.Clause.Literals) {
                bool Maximal = true;
                for (const TClause::TLiteral& M : E.Clause.Literals)
                    Maximal = Maximal && !Greater(M.Atom->Id, L.Atom->Id);
                if (Maximal)
                    Atoms.push_back(L.Atom);
            }
            return Atoms;
        }
        for (TAtom* A = E.Formula->MF; A; A = static_cast<TAtom*>(A->R))
            Atoms.push_back(A);
        return Atoms;
    }

    std::size_t Pick()
    {
        ++Picks;
        if (Picks % PickOldest == 0) {
            while (Oldest < Entries.size() && Taken[Oldest])
                ++Oldest;
            if (Oldest < Entries.size())
                return Take(Oldest);
        }
        while (!Lightest.empty()) {
            const std::size_t E = Lightest.top().second;
            Lightest.pop();
            if (!Taken[E])
                return Take(E);
        }
        return None;
    }

    std::size_t Take(std::size_t E)
    {
        Taken[E] = true;
        return E;
    }

    // The given formula against itself and every processed formula.
    void Process(std::size_t Given)
    {
        const TEntry G = Entries[Given];
        CenterLabel = Label(G.Prefix, G.Index);
        const std::vector<TAtom*> Atoms = Eligible(G);
        // The given formula joins the index first, so that it meets itself too.
        for (TAtom* A : Atoms)
            Index[PredicateKey(A)].push_back({Given, A});
        for (TAtom* A : Atoms) {
            const std::string Key = PredicateKey(A);
            if (!TryBucket(G, A, Key) || (!Key.empty() && !TryBucket(G, A, std::string())))
                return;
            if (Key.empty())
                for (auto& [Other, Bucket] : Index)
                    if (!Other.empty() && !TryAtoms(G, A, Bucket))
                        return;
        }
    }

    bool TryBucket(const TEntry& G, TAtom* A, const std::string& Key)
    {
        auto It = Index.find(Key);
        return It == Index.end() || TryAtoms(G, A, It->second);
    }

    // False once the search is to end.
    bool TryAtoms(const TEntry& G, TAtom* A, const std::vector<TIndexed>& Bucket)
    {
        for (const TIndexed Partner : Bucket) {
            if (!MayResolve(A, Partner.Atom) || Tautological(A, Partner.Atom) ||
                Entries[Partner.Entry].Deleted)
                continue;
            YieldToHost();
            if (StopRequested)
                return false;
            const TEntry& P = Entries[Partner.Entry];
            PartnerLabel = Label(P.Prefix, P.Index);
            // The given formula meets a copy of itself with variables of its own: unified in
            // one set of variables, two copies of the resolvent's parts would not agree.
            TFALFormula* Other = P.Formula;
            TAtom* B = Partner.Atom;
            TFALFormula* Renamed = nullptr;
            if (Other == G.Formula) {
                Other = Renamed = CopyPart(G.Formula, G.Formula->Cont, false);
                B = static_cast<TAtom*>(Counterpart(Renamed, B));
            }
            Unifier().Clear();
            TFALFormula* N = nullptr;
            if (A->UnifyS(B)) {
                // On the clause form every occurrence of the atom goes, as from a set of
                // literals: a duplicate left over would be subsumed by its own parent.
                N = ResolveAndDispose(G.Formula, Other, A, B,
                                      Renamed || ClauseForm ? &Both : &Mode);
                if (N && Renamed)
                    N->Parent2 = G.Formula;
            } else {
                Unifier().Clear();
            }
            delete Renamed;
            if (QueryRefuted || StopRequested)
                return false;
            if (N)
                Wait(N, 'R', Program->ListR.Count() - 1);
        }
        return true;
    }

    // A resolvent is kept when no variant of it was seen before and, on the clause form, no
    // clause of the search subsumes it.
    bool Accept(TFALFormula* N)
    {
        Accepted = nullptr;
        if (ClauseForm) {
            AcceptedClause = ClauseOf(N);
            if (AcceptedClause.Valid && Subsumed(AcceptedClause))
                return false;
        }
        if (!Seen.insert(Hash.Of(N)).second)
            return false;
        Accepted = N;
        return true;
    }

    // The clause of the formula Accept took last, for Enqueue to use again.
    TFALFormula* Accepted = nullptr;
    TClause AcceptedClause;

    TPLProgram* Program;
    const bool ClauseForm;
    // The mode of its resolution steps, and the same with the matches in both formulas.
    TResolutionMode Mode;
    TResolutionMode Both;
    std::vector<TEntry> Entries;
    std::vector<bool> Taken;
    std::priority_queue<std::pair<std::int64_t, std::size_t>,
                        std::vector<std::pair<std::int64_t, std::size_t>>, std::greater<>>
        Lightest;
    std::size_t Oldest = 0;
    std::int64_t Picks = 0;
    std::unordered_map<std::string, std::vector<TIndexed>> Index;
    TVariantHash Hash;
    std::unordered_set<std::uint64_t> Seen;
    // On the clause form: the entries that are clauses and not deleted, the splits made so
    // far, and whether literal selection applies (every source formula became clauses).
    std::vector<std::size_t> Clauses;
    std::vector<TClauseKey> Keys; // of Clauses, side by side for a quick scan
    TSubsumer Subsumer;
    // The unit clauses by sign and predicate, to cut literals from new clauses.
    std::unordered_map<std::string, std::vector<std::size_t>> Units;
    std::int64_t Splits = 0;
    bool Restricted;
    static constexpr std::int64_t MaxSplits = 10000;
};
} // namespace

void BestFirstSearch(TFALFormula* Query, bool Clauses)
{
    // On the clause form a problem with equality is saturated by superposition, = read as
    // equality, when its formulas become clauses.
    if (Clauses && !QuantifierCheck() && UsesEquality(Query->Owner) &&
        SuperposeClauses(Query->Owner))
        return;
    // Under the quantifier check (Quantification On without Skolemization) the simplification
    // of a copy may turn the quantifiers of its root's prefix: the clause form needs the
    // variables universal, else the search is on whole formulas.
    TBestFirst Search(Query->Owner, Clauses && !QuantifierCheck());
    Search.Run();
}
