// Formulas read as clauses, for best-first search on the clause form: the sign of each atom
// as a literal, the splitting of a formula into the clauses it is the conjunction of, factors,
// and the literals of a clause with the filters of subsumption.
#pragma once

#include <cstdint>
#include <vector>

class TAtom;
class TFALFormula;
class TId;
class TSub;

// The value the formula of A takes when A alone is given Value (+1 true, -1 false), as far as
// A alone decides it: +1, -1, or 0 when the other parts decide.
int ValueWith(const TAtom* A, int Value);

// +1 when A is a positive literal of its formula read as a disjunction of literals (the
// formula is true when A is), -1 a negative one, 0 when the formula is no clause around A.
int LiteralSign(const TAtom* A);

// Where a formula stops being a clause: a conjunction in effect, or an equivalence, reached
// through disjunctions only. Blocked when a quantifier stands within that equivalence: it
// is not split.
struct TSplitPoint {
    TSub* Node = nullptr;
    bool Blocked = false;
};
TSplitPoint FindSplit(TFALFormula* F);

// The formulas whose conjunction F is, split at Node (from FindSplit): copies of F, one per
// conjunct of the conjunction in effect at Node (however nested), the other conjuncts given
// the truth value that leaves it alone; two for an equivalence. Each is simplified, with its
// polarities set, and has F as its parents.
std::vector<TFALFormula*> SplitAt(TFALFormula* F, TSub* Node);

// The node of Copy, a copy of a whole formula, that stands where Node stands in the original.
TSub* Counterpart(TFALFormula* Copy, const TSub* Node);

// A factor of the clause F: A and B, literals of one sign, unified, and B's copy gone as
// a duplicate of A's. None when they do not unify.
TFALFormula* Factor(TFALFormula* F, TAtom* A, TAtom* B);

// The literals of a clause with filters for subsumption: what a clause has, each clause it
// subsumes has too.
struct TClause {
    struct TLiteral {
        TAtom* Atom;
        int Sign;
        std::size_t Predicate = 0; // a hash of predicate, arity and sign; 0 for a variable atom
        bool Ground = false;       // no unbound variable
    };
    std::vector<TLiteral> Literals;
    std::uint64_t Mask = 0;    // a bit per predicate and sign
    std::uint64_t Symbols = 0; // a bit per function symbol and constant in the literals
    bool Valid = false;        // false: the formula is no clause
};
TClause ClauseOf(TFALFormula* F);

// The filters of a clause alone, to scan many clauses quickly.
struct TClauseKey {
    std::uint64_t Mask;
    std::uint64_t Symbols;
    std::size_t Size;
};
inline TClauseKey KeyOf(const TClause& C)
{
    return {C.Mask, C.Symbols, C.Literals.size()};
}
// False when C cannot subsume D.
inline bool MaySubsume(const TClauseKey& C, const TClauseKey& D)
{
    return C.Size <= D.Size && (C.Mask & ~D.Mask) == 0 && (C.Symbols & ~D.Symbols) == 0;
}

// Whether A and B are the same term, bindings followed: the same variable, or the same
// symbol with the same arguments, or equal numbers or strings.
bool SameTerm(const TId* A, const TId* B);
