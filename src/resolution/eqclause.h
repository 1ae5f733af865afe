// Clauses of the equality calculus: literals as equations (an atom p(X) is p(X) = ⊤), their
// ordering, the clean-up every new clause gets, and subsumption that knows = is symmetric.
#pragma once

#include "resolution/eqorder.h"
#include "resolution/eqsubst.h"
#include "resolution/eqterms.h"

#include <cstdint>
#include <string>
#include <vector>

struct TEqLiteral {
    TTermRef Left = NoTerm; // the greater side where the sides are ordered
    TTermRef Right = NoTerm;
    bool Positive = true;
    bool Oriented = false; // Left is greater than Right in every instance
    bool operator==(const TEqLiteral& O) const
    {
        return Left == O.Left && Right == O.Right && Positive == O.Positive;
    }
};

// How a clause came about.
enum class TEqRule : std::uint8_t {
    Input,
    Superposition,
    EqualityResolution,
    EqualityFactoring,
    Rewriting,      // demodulation by unit equations
    SimplifyReflect // a literal cut by a unit clause
};

struct TEqClause {
    std::vector<TEqLiteral> Literals;
    TEqRule Rule = TEqRule::Input;
    std::vector<std::uint32_t> Parents; // clause numbers; for Rewriting the clause, then equations
    std::uint32_t Weight = 0;
    bool FromQuery = false;
    bool Active = false;
    bool Deleted = false;       // simplified away: it takes part in nothing more
    std::int32_t Selected = -1; // the negative literal selected, -1 for none
    std::string Label;          // in the report; empty for a step between kept clauses
};

// The literal with its sides ordered: the greater first, or both kept in a fixed order when
// they are incomparable.
TEqLiteral MakeLiteral(TKbo& Order, TTermRef S, TTermRef T, bool Positive);

// The multiset ordering of literals: s = t as {s, t}, s ≠ t as {s, s, t, t}.
TOrder CompareLiterals(TKbo& Order, const TEqLiteral& A, const TEqLiteral& B);

// The clean-up of a new clause: literals s ≠ s and repeated literals go. True when the clause
// is a tautology (s = s, or a literal and its negation).
bool Tidy(std::vector<TEqLiteral>& Literals);

// Whether every literal is an answer literal: the clause refutes (the empty clause too).
bool OnlyAnswers(const TTermBank& Bank, const std::vector<TEqLiteral>& Literals);

// The sum of the weights of its literals' sides (⊤ weighs 1).
std::uint32_t WeightOf(const TTermBank& Bank, const std::vector<TEqLiteral>& Literals);

// The negative literal to select: the heaviest; -1 when the clause has none. Cautious: only a
// literal whose predicate (or =) the clause has in no positive literal.
std::int32_t SelectLiteral(const TTermBank& Bank, const std::vector<TEqLiteral>& Literals,
                           bool Cautious = false);

// Whether no other literal of the clause is greater than literal I; answer literals are never
// maximal and exceed none.
bool Maximal(TKbo& Order, const std::vector<TEqLiteral>& Literals, std::size_t I);

// Subsumption: whether an instance of C is a sub-multiset of D, each literal of C matched to
// its own literal of D in either orientation of its sides. Gives up, answering no, after a
// bounded number of steps.
class TEqSubsumer {
public:
    explicit TEqSubsumer(TTermBank& Bank) : Matcher(Bank) {}
    bool Subsumes(const std::vector<TEqLiteral>& C, const std::vector<TEqLiteral>& D);

private:
    bool From(const std::vector<TEqLiteral>& C, const std::vector<TEqLiteral>& D, std::size_t I);

    TMatcher Matcher;
    std::vector<bool> Used;
    std::int64_t Steps = 0;
};

// The filters of a clause for subsumption: a clause subsumes another only when its features
// are within the other's.
struct TEqFeatures {
    std::uint32_t Size = 0;
    // An instance is no lighter and no shallower, and each literal goes to one of its sign.
    std::uint32_t Positives = 0;
    std::uint32_t Weight = 0;
    std::uint32_t Depth = 0;
    std::uint64_t Signs = 0;   // a bit per predicate (or equality) and sign
    std::uint64_t Symbols = 0; // a bit per symbol
};
TEqFeatures FeaturesOf(const TTermBank& Bank, const std::vector<TEqLiteral>& Literals);
inline bool MaySubsume(const TEqFeatures& C, const TEqFeatures& D)
{
    return C.Size <= D.Size && C.Positives <= D.Positives &&
           C.Size - C.Positives <= D.Size - D.Positives && C.Weight <= D.Weight &&
           C.Depth <= D.Depth && (C.Signs & ~D.Signs) == 0 && (C.Symbols & ~D.Symbols) == 0;
}
