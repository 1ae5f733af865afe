#include "resolution/clauses.h"

#include "model/formula.h"
#include "model/terms.h"
#include "resolution/resolve.h"
#include "unify/unify.h"

#include <algorithm>
#include <span>
#include <string>
#include <utility>

int ValueWith(const TAtom* A, int Value)
{
    int V = A->Neg ? -Value : Value;
    const TSub* Child = A;
    for (const TSub* P = A->Parent(); P; Child = P, P = P->Parent()) {
        switch (P->Class) {
        case TClass::Dis:
            if (V < 0)
                return 0;
            break;
        case TClass::Con:
            if (V > 0)
                return 0;
            break;
        case TClass::Imp:
            if (P->L == Child) {
                if (V > 0)
                    return 0;
                V = 1;
            } else if (V < 0) {
                return 0;
            }
            break;
        default:
            return 0;
        }
        if (P->Neg)
            V = -V;
    }
    return V;
}

int LiteralSign(const TAtom* A)
{
    if (ValueWith(A, 1) > 0)
        return 1;
    if (ValueWith(A, -1) > 0)
        return -1;
    return 0;
}

namespace {
// The sign under which a node's own connective (its negation aside) stands in the clause,
// given the sign of the node itself.
int RawSign(const TSub* Node, int Sign)
{
    return Node->Neg ? -Sign : Sign;
}

// Whether the connective, under the raw sign, is a disjunction in effect; its operands then
// stand in the clause with the raw sign times LeftSign and RightSign.
bool Disjunctive(const TSub* Node, int Raw, int& LeftSign, int& RightSign)
{
    switch (Node->Class) {
    case TClass::Dis:
        LeftSign = RightSign = 1;
        return Raw > 0;
    case TClass::Con:
        LeftSign = RightSign = 1;
        return Raw < 0;
    case TClass::Imp:
        LeftSign = -1;
        RightSign = 1;
        return Raw > 0;
    default:
        return false;
    }
}

// The way from the root to Node, true for a left turn.
std::vector<bool> PathTo(const TSub* Node)
{
    std::vector<bool> Path;
    for (const TSub* N = Node; N->Parent(); N = N->Parent())
        Path.push_back(N->Parent()->L == N);
    std::reverse(Path.begin(), Path.end());
    return Path;
}

TSub* Follow(TSub* Root, const std::vector<bool>& Path)
{
    TSub* N = Root;
    for (const bool Left : Path)
        N = Left ? N->L : N->R;
    return N;
}

bool HasPrefix(const TSub* Node)
{
    if (Node->Q && Node->Q->Count() > 0)
        return true;
    return !Node->Is(TClass::Atom) &&
           ((Node->L && HasPrefix(Node->L)) || (Node->R && HasPrefix(Node->R)));
}

// A copy of F where the equivalence at Path, L ↔ R, is replaced by Class with the operands,
// each negated when asked.
TFALFormula* CopyReplacing(TFALFormula* F, const std::vector<bool>& Path, TClass Class,
                           bool NegateLeft, bool NegateRight)
{
    TFALFormula* N = CopyPart(F, F->Cont, false);
    TSub* Old = Follow(N->Cont, Path);
    TSub* New = NewConnective(Class);
    New->Neg = Old->Neg;
    TSub* Left = Old->L;
    TSub* Right = Old->R;
    Old->L = Old->R = nullptr;
    New->Ac = Old->Ac;
    if (TQuant* Prefix = Old->Q) {
        Old->Q = nullptr;
        New->AppendToQuant(Prefix);
    }
    if (TSub* Parent = Old->Parent())
        (Parent->L == Old ? Parent->L : Parent->R) = New;
    else
        N->Cont = New;
    SetOperands(New, Left, Right);
    delete Old;
    if (NegateLeft)
        Left->Negate();
    if (NegateRight)
        Right->Negate();
    N->Cont->EvalPol();
    return N;
}
} // namespace

TSplitPoint FindSplit(TFALFormula* F)
{
    TSplitPoint Found;
    if (!F->Cont || F->Cont->Val != 0)
        return Found;
    std::vector<std::pair<TSub*, int>> Pending{{F->Cont, 1}};
    while (!Pending.empty()) {
        auto [Node, Sign] = Pending.back();
        Pending.pop_back();
        if (Node->Is(TClass::Atom))
            continue;
        // An equivalence splits as two disjunctions or conjunctions of its operands, unless a
        // quantifier stands in it (turning operands would turn it).
        if (Node->Is(TClass::Eqv)) {
            Found.Node = Node;
            Found.Blocked = HasPrefix(Node->L) || HasPrefix(Node->R);
            return Found;
        }
        const int Raw = RawSign(Node, Sign);
        int LeftSign = 1;
        int RightSign = 1;
        if (!Disjunctive(Node, Raw, LeftSign, RightSign)) {
            Found.Node = Node;
            return Found;
        }
        Pending.push_back({Node->R, Raw * RightSign});
        Pending.push_back({Node->L, Raw * LeftSign});
    }
    return Found;
}

namespace {
// The sign under which Node stands in its formula read as a clause (its ancestors are
// disjunctions in effect).
int PositionSign(const TSub* Node)
{
    int Sign = 1;
    for (const TSub* N = Node; N->Parent(); N = N->Parent()) {
        const TSub* P = N->Parent();
        if (P->Neg)
            Sign = -Sign;
        if (P->Is(TClass::Imp) && P->L == N)
            Sign = -Sign;
    }
    return Sign;
}

struct TConjunct {
    std::vector<bool> Path;
    std::int8_t Neutral; // the value that leaves the rest of the conjunction as it was
    int Sign;            // its sign in the clause
};

// The conjuncts of the conjunction in effect at Node, under its raw sign, however nested:
// an operand that is a conjunction in effect too is entered. Each leaf's neutral value is
// true below a conjunction and the left of a negated implication, false below a negated
// disjunction and the right of a negated implication.
void Conjuncts(const TSub* Node, int Raw, std::vector<bool>& Path, std::vector<TConjunct>& Out)
{
    for (int Side = 0; Side < 2; ++Side) {
        const TSub* Child = Side == 0 ? Node->L : Node->R;
        const bool Left = Side == 0;
        // The child's sign in the clause: a conjunction passes its sign on, a negated
        // disjunction too, a negated implication flips it for its antecedent.
        const int ChildSign = Node->Is(TClass::Imp) && Left ? -Raw : Raw;
        const std::int8_t Neutral = Node->Is(TClass::Con) || (Node->Is(TClass::Imp) && Left)
                                        ? std::int8_t{1}
                                        : std::int8_t{-1};
        Path.push_back(Left);
        int LeftSign = 1;
        int RightSign = 1;
        const int ChildRaw = RawSign(Child, ChildSign);
        if (!Child->Is(TClass::Atom) && !Child->Is(TClass::Eqv) &&
            !Disjunctive(Child, ChildRaw, LeftSign, RightSign))
            Conjuncts(Child, ChildRaw, Path, Out);
        else
            Out.push_back({Path, Neutral, ChildSign});
        Path.pop_back();
    }
}
} // namespace

std::vector<TFALFormula*> SplitAt(TFALFormula* F, TSub* Node)
{
    std::vector<TFALFormula*> Parts;
    std::vector<bool> Path = PathTo(Node);
    const int Raw = RawSign(Node, PositionSign(Node));
    if (Node->Is(TClass::Eqv)) {
        // L ↔ R is [¬L ∨ R] ∧ [L ∨ ¬R]; where it stands negated, ¬[L ↔ R] is
        // ¬[¬L ∧ ¬R] ∧ ¬[L ∧ R].
        if (Raw > 0) {
            Parts.push_back(CopyReplacing(F, Path, TClass::Dis, true, false));
            Parts.push_back(CopyReplacing(F, Path, TClass::Dis, false, true));
        } else {
            Parts.push_back(CopyReplacing(F, Path, TClass::Con, true, true));
            Parts.push_back(CopyReplacing(F, Path, TClass::Con, false, false));
        }
        return Parts;
    }
    // A copy per conjunct, the others given their neutral values: a conjunction of many
    // parts gives them all at once.
    std::vector<TConjunct> Leaves;
    Conjuncts(Node, Raw, Path, Leaves);
    if (Path.empty()) {
        // The whole formula is the conjunction: each conjunct alone, under its sign.
        for (const TConjunct& Leaf : Leaves) {
            TFALFormula* N = CopyPart(F, Follow(F->Cont, Leaf.Path), Leaf.Sign < 0);
            N->Simplify();
            if (N->Cont)
                N->Cont->EvalPol();
            Parts.push_back(N);
        }
        return Parts;
    }
    for (std::size_t Keep = 0; Keep < Leaves.size(); ++Keep) {
        TFALFormula* N = CopyPart(F, F->Cont, false);
        for (std::size_t I = 0; I < Leaves.size(); ++I)
            if (I != Keep)
                Follow(N->Cont, Leaves[I].Path)->Val = Leaves[I].Neutral;
        N->Simplify();
        if (N->Cont)
            N->Cont->EvalPol();
        Parts.push_back(N);
    }
    return Parts;
}

TSub* Counterpart(TFALFormula* Copy, const TSub* Node)
{
    return Follow(Copy->Cont, PathTo(Node));
}

TFALFormula* Factor(TFALFormula* F, TAtom* A, TAtom* B)
{
    const int Sign = LiteralSign(B);
    Unifier().Clear();
    if (Sign == 0 || LiteralSign(A) != Sign || !A->UnifyS(B)) {
        Unifier().Clear();
        return nullptr;
    }
    CommitUnifier();
    const std::vector<bool> Path = PathTo(B);
    TFALFormula* N = CopyPart(F, F->Cont, false);
    MarkAtom(static_cast<TAtom*>(Follow(N->Cont, Path)), static_cast<std::int8_t>(-Sign));
    N->Simplify();
    if (N->Cont)
        N->Cont->EvalPol();
    return N;
}

namespace {
std::size_t HashOf(const std::string& Name, std::size_t Arity, int Salt)
{
    return std::hash<std::string>{}(Name)*31 + Arity * 4 + static_cast<std::size_t>(Salt);
}

std::uint64_t BitOf(std::size_t Hash)
{
    return std::uint64_t{1} << (Hash % 64);
}

// The hash of an atom's predicate with the literal's sign; 0 when the atom is a variable.
std::size_t PredicateHash(const TAtom* A, int Sign)
{
    if (!A->Id || !A->Id->IsFunc())
        return 0;
    return HashOf(PredicateOf(A), ArityOf(A->Id), Sign > 0 ? 1 : 0) | 1;
}

// The function symbols and constants below the predicate, values of variables included;
// Variable tells whether an unbound variable is there.
std::uint64_t SymbolBits(const TId* Atom, bool& Variable)
{
    std::uint64_t Bits = 0;
    WalkTerm(Atom, [&](const TId* T) {
        if (T->Is(TClass::Variable))
            Variable = true;
        else if (T->IsFunc() && T != Bound(Atom))
            Bits |= BitOf(HashOf(SymbolOf(T), ArityOf(T), 2));
        return true;
    });
    return Bits;
}
} // namespace

TClause ClauseOf(TFALFormula* F)
{
    TClause C;
    if (!F->Cont || F->Cont->Val != 0)
        return C;
    for (TAtom* A = F->MF; A; A = static_cast<TAtom*>(A->R)) {
        const int Sign = LiteralSign(A);
        if (Sign == 0)
            return C;
        bool Variable = false;
        C.Symbols |= SymbolBits(A->Id, Variable);
        const std::size_t Predicate = PredicateHash(A, Sign);
        C.Literals.push_back({A, Sign, Predicate, !Variable});
        if (Predicate != 0)
            C.Mask |= BitOf(Predicate);
    }
    C.Valid = !C.Literals.empty();
    return C;
}

bool SameTerm(const TId* A, const TId* B)
{
    A = Bound(A);
    B = Bound(B);
    if (A == B)
        return true;
    if (!A || !B || A->Class != B->Class || A->Is(TClass::Variable))
        return false;
    switch (A->Class) {
    case TClass::StrLit:
        return static_cast<const TStrLit*>(A)->Value == static_cast<const TStrLit*>(B)->Value;
    case TClass::Integer:
    case TClass::Real:
        return static_cast<const TNumber*>(A)->GetNumber() ==
               static_cast<const TNumber*>(B)->GetNumber();
    default:
        break;
    }
    const std::span<TId* const> X = ArgumentsOf(A);
    const std::span<TId* const> Y = ArgumentsOf(B);
    if (SymbolOf(A) != SymbolOf(B) || X.size() != Y.size())
        return false;
    for (std::size_t I = 0; I < X.size(); ++I)
        if (!SameTerm(X[I], Y[I]))
            return false;
    return true;
}
