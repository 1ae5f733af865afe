// Superposition: the saturation of clauses with equality built in. The given-clause loop
// keeps the clauses taken so far (active) interreduced: a new clause is rewritten by the unit
// equations, cut by the unit clauses and dropped when subsumed or a tautology; a clause taken
// rewrites and subsumes the active ones. Inferences: superposition into the maximal side of
// maximal (or selected) literals, equality resolution and equality factoring, with a negative
// literal selected where a clause has one. Atoms are equations p(...) = ⊤, so resolution and
// factoring are instances of these.
#pragma once

#include "resolution/eqclause.h"
#include "resolution/eqindex.h"
#include "resolution/eqorder.h"
#include "resolution/eqsubst.h"
#include "resolution/eqterms.h"

#include <cstdint>
#include <functional>
#include <queue>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

enum class TSaturation : std::uint8_t {
    Refuted,   // the empty clause
    Saturated, // nothing more follows: the clauses have a model
    GaveUp,    // nothing waits, but clauses too large were dropped on the way
    Stopped,   // Stop said so
};

struct TEqStatistics {
    std::int64_t Given = 0;     // clauses taken
    std::int64_t Generated = 0; // conclusions of inferences
    std::int64_t Kept = 0;      // clauses that joined the waiting ones
    std::int64_t Rewrites = 0;  // rewriting steps
    std::int64_t Subsumed = 0;  // forward and backward
    std::int64_t Tautologies = 0;
    std::int64_t Cuts = 0; // literals cut by unit clauses
};

class TSuperposition {
public:
    explicit TSuperposition(TTermBank& ABank);

    // Adds an input clause; its literals need not be ordered yet. Returns its number.
    std::uint32_t AddInput(const std::vector<TEqLiteral>& Literals, bool FromQuery,
                           const std::string& Label);
    // Runs the loop until the empty clause, saturation or a stop.
    TSaturation Run();

    // Asked before each clause taken and every few inferences: true ends the search.
    std::function<bool()> Stop;
    // A clause that joins the waiting ones, before it does: its number; it may name it (Label).
    std::function<void(std::uint32_t)> Kept;
    // A term deeper than this or a clause heavier is dropped (the search is then no longer
    // complete: it gives up instead of saturating).
    std::uint32_t MaxDepth = 4000;
    std::uint32_t MaxWeight = 200000;
    // Whether the unit equations rewrite the other clauses (off: a plain scan-free search
    // without simplification, for measuring what it does).
    bool Rewriting = true;
    // Literal selection passes over a negative literal whose predicate is positive in the
    // clause too: another search, which proves other problems.
    bool CautiousSelection = false;
    // Off: the term indexes hand out every entry, as a scan of the clauses would.
    void UseIndex(bool On)
    {
        for (TTermIndex* I : {&From, &Into, &Subterms, &Demodulators, &Units})
            I->Filter = On;
    }

    TEqClause& Clause(std::uint32_t N) { return Clauses[N]; }
    const TEqClause& Clause(std::uint32_t N) const { return Clauses[N]; }
    std::size_t ClauseCount() const { return Clauses.size(); }
    // The empty clause, after a refutation.
    std::uint32_t Empty() const { return EmptyClause; }
    // The clauses the empty clause depends on, parents before what they gave, itself last.
    std::vector<std::uint32_t> Derivation() const;
    TKbo& Order() { return Kbo; }
    TTermBank& Terms() { return Bank; }
    TEqStatistics Stats;

private:
    // A new clause from literals (their sides instances under one renaming), made by Rule of
    // Parents: tidied, simplified and kept unless redundant. False when the search is to end
    // (the empty clause).
    bool Conclude(std::vector<TEqLiteral> Literals, TEqRule Rule,
                  std::vector<std::uint32_t> Parents);
    // The clause number of a new record.
    std::uint32_t Record(std::vector<TEqLiteral> Literals, TEqRule Rule,
                         std::vector<std::uint32_t> Parents, bool FromQuery);
    // What the active units make of literals: rewritten by the unit equations (Rewriters),
    // then cut by the unit clauses (Cutters).
    struct TSimplified {
        std::vector<TEqLiteral> Rewritten;
        std::vector<std::uint32_t> Rewriters;
        std::vector<TEqLiteral> Cut;
        std::vector<std::uint32_t> Cutters;
        bool Evaluated = false; // an equation of distinct values cut
        bool Tautology = false;
    };
    void Simplify(const std::vector<TEqLiteral>& In, TSimplified& Out);
    // The record of what clause Base was simplified to (Base itself when nothing changed);
    // the empty clause ends the search.
    std::uint32_t RecordSimplified(std::uint32_t Base, const TSimplified& S);
    bool ForwardSubsumed(const std::vector<TEqLiteral>& Literals);
    // A clause written out with its variables renamed in order, and whether a clause of that
    // form was kept before: variants are found without matching.
    std::vector<std::uint32_t> Shape(const std::vector<TEqLiteral>& Literals) const;
    bool Known(const std::vector<TEqLiteral>& Literals) const;
    void Keep(std::uint32_t N);
    std::uint32_t Pick();
    void Activate(std::uint32_t N);
    // The clauses but Except, not deleted, with an instance of T among their terms.
    std::vector<std::uint32_t> Holding(TTermRef T, std::uint32_t Except);
    void BackwardSimplify(std::uint32_t N);
    bool Generate(std::uint32_t N);
    bool SuperposeFrom(std::uint32_t From, std::size_t Literal, int Side, std::uint32_t Into,
                       std::size_t IntoLiteral, int IntoSide, TTermRef U, int FromBank);
    // The instances of the literals but the one at Skip, under the substitution (their
    // variables in bank FromBank), appended to Out.
    void InstancesBut(const std::vector<TEqLiteral>& Literals, std::size_t Skip, int FromBank,
                      std::vector<TEqLiteral>& Out);
    bool EqualityResolution(std::uint32_t N);
    bool EqualityFactoring(std::uint32_t N);
    // The literals of a clause that inferences may use: the selected one, or the maximal ones.
    std::vector<std::size_t> Eligible(const TEqClause& C);
    // The sides of a literal that may be rewritten or rewrite: not the smaller one.
    static int Sides(const TEqLiteral& L) { return L.Oriented ? 1 : 2; }
    static TTermRef Side(const TEqLiteral& L, int S) { return S == 0 ? L.Left : L.Right; }
    // The normal form of T under the unit equations; Top: T is the greater side of a positive
    // literal whose other side is Other (a rewrite at its top has to make it smaller).
    TTermRef Normalize(TTermRef T, bool Top, TTermRef Other, std::vector<std::uint32_t>& Used);
    TTermRef RewriteTop(TTermRef T, bool Top, TTermRef Other, std::vector<std::uint32_t>& Used);
    // S with every occurrence of U replaced by R.
    TTermRef Replace(TTermRef S, TTermRef U, TTermRef R);
    bool TooLarge(const std::vector<TEqLiteral>& Literals) const;
    bool Polled();

    TTermBank& Bank;
    TKbo Kbo;
    TSubstitution Subst;
    TMatcher Matcher;
    TEqSubsumer Subsumer;
    std::vector<TEqClause> Clauses;
    std::vector<TEqFeatures> Features; // of each clause
    std::vector<std::uint32_t> Active;
    // Waiting clauses: the lightest, and every fifth time the oldest.
    std::priority_queue<std::pair<std::uint64_t, std::uint32_t>,
                        std::vector<std::pair<std::uint64_t, std::uint32_t>>, std::greater<>>
        Lightest;
    std::vector<std::uint32_t> Waiting;
    std::size_t Oldest = 0;
    std::vector<bool> Taken;
    std::int64_t Picks = 0;
    TTermIndex From;         // the sides that may rewrite, of eligible positive literals
    TTermIndex Into;         // the subterms of eligible literals' sides
    TTermIndex Subterms;     // every subterm of the active clauses
    TTermIndex Demodulators; // the sides of unit equations that rewrite
    TTermIndex Units;        // the sides of unit clauses, for cuts
    std::unordered_map<TTermRef, std::pair<TTermRef, std::vector<std::uint32_t>>> NormalForms;
    struct TShapeHash {
        std::size_t operator()(const std::vector<std::uint32_t>& V) const
        {
            std::uint64_t H = 1469598103934665603ULL;
            for (std::uint32_t X : V)
                H = (H ^ X) * 1099511628211ULL;
            return static_cast<std::size_t>(H);
        }
    };
    std::unordered_set<std::vector<std::uint32_t>, TShapeHash> Seen;
    std::uint32_t EmptyClause = 0;
    bool Refuted = false;
    bool Incomplete = false;
    std::int64_t Inferences = 0;
};
