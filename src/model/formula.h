// The formula model: programs, formulas, connective nodes, atoms, prefixes and terms.
//
// Each class is declared here once with every operation it has; each operation is
// implemented in the folder of the subsystem that owns it, named in the banners below:
//   model/       formula.cpp (ownership, release), print.cpp, negate.cpp
//   unify/       compare.cpp, dive.cpp (the one traversal), unify.cpp
//   resolution/  polarity.cpp, simplify.cpp, resolve.cpp, search.cpp, insert.cpp
//   language/    compile.cpp
//   driver/      run.cpp, query.cpp, answer.cpp
#pragma once

#include "model/list.h"
#include "model/name.h"
#include "model/pool.h"
#include "model/symbols.h"

#include <cstdint>
#include <string>
#include <vector>

class TProgramOwner;
class TObject;
class TSub;
class TAtom;
class TQuant;
class TId;
class TVariable;
class TFALFormula;
class TPLProgram;
struct TResolutionMode; // resolution/resolve.h

enum class TClass : std::uint8_t {
    Formula,
    Query,
    Quant,
    Con,
    Dis,
    Imp,
    Eqv,
    Atom,
    StrLit,
    Integer,
    Real,
    Functor,
    FunctorA,
    Var,
    Variable,
};

// What one walk of the traversal does; the letters are the design's, so traces compare.
enum class TDiveMode : char {
    PostOrder = '3',   // visit after the parts, replacing (folding, linking the terms of atoms)
    PreOrder = '4',    // visit before the parts, replacing (linking variables, marking use)
    Constants = 's',   // nodes with a truth-constant operand, replacing (simplification)
    Sweep = 'd',       // variables no longer used, and the marks on atoms, go
    ResetRoot = 'v',   // the root prefix becomes the answer variables of a query
    Copy = 'r',        // a copy with fresh variables and the unifier's bindings carried in
    Bindings = 'q',    // the bindings of a copied prefix move into the copies
    CopyBinding = 'p', // a copy of a binding, variables copied on demand
    Share = 'P',       // a copy of a term that shares its variables
    Unify = '5',       // the unify walk of two terms
    Occurs = '6',      // the walk that looks for a variable in a term
};

// What a traversal hands to its visitor and to its nested calls; passed by value, so every
// invocation works on its own copy.
struct TDiveArgs {
    enum TTag : std::uint8_t { Pointer = 5, ModelObject = 7 };
    TObject* Value = nullptr;
    TTag Tag = Pointer;
};

// Called at the visited object; may change the mode for the walk below it and returns the
// object that takes the visited one's place.
using TVisitor = TObject* (*)(TObject* Obj, TDiveMode& Mode, TDiveArgs Args);

class TObject {
public:
    explicit TObject(TClass AClass) : Class(AClass) {}
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    static void* operator new(std::size_t Size) { return PoolAllocate(Size); }
    static void operator delete(void* Object, std::size_t Size) { PoolRelease(Object, Size); }

    bool IsFormula() const { return Class == TClass::Formula || Class == TClass::Query; }
    bool IsNode() const { return Class >= TClass::Con && Class <= TClass::Atom; }
    bool IsConnective() const { return Class >= TClass::Con && Class <= TClass::Eqv; }
    bool IsTerm() const { return Class >= TClass::StrLit; }
    bool IsNumber() const { return Class == TClass::Integer || Class == TClass::Real; }
    bool IsFunc() const { return Class == TClass::Functor || Class == TClass::FunctorA; }
    bool Is(TClass C) const { return Class == C; }

    const TClass Class;
};

// A connective node (also the base of the atom). It reads: prefix, then negation, then body.
class TSub : public TObject {
public:
    explicit TSub(TClass AClass) : TObject(AClass) {}

    bool Neg = false;
    std::int8_t Val = 0;   // 1 true, -1 false: the node stands for that constant alone
    std::int8_t Pol = 0;   // 1 positive, -1 negative, 0 below an equivalence
    TSub* L = nullptr;     // in an atom: the previous atom of the chain
    TSub* R = nullptr;     // in an atom: the next atom of the chain
    TObject* Ac = nullptr; // the parent node, or the formula for the root
    TQuant* Q = nullptr;   // owned prefix, never empty

    TSub* Parent() const { return Ac && Ac->IsNode() ? static_cast<TSub*>(Ac) : nullptr; }
    // The polarity outside the node's own negation, where its prefix stands.
    int OuterPol() const { return Neg ? -Pol : Pol; }

    // ---- model/formula.cpp
    // Frees the node, its operands and its prefix.
    virtual void RFree();
    // Appends the connective's symbol to S.
    virtual void GetSymbol(std::string& S) const;
    // The binding strength of the connective, for brackets: 1 equivalence to 5 atom.
    virtual int GetP() const = 0;
    // Joins the node's prefix to the end of List, which becomes the node's prefix (List is
    // taken, and none when empty); sets the masters and renumbers.
    void AppendToQuant(TQuant*& List);
    // Numbers the unbound variables of one name in the prefix 0, 1, 2... for printing "#n".
    void OptQ();
    // ---- model/print.cpp
    // Appends the printed node to S: prefix, negation, body, brackets where needed.
    virtual void RPrint(std::string& S);
    // ---- model/negate.cpp
    // Negates the node in place: toggles Neg, turns its prefix's quantifiers, new polarities.
    void Negate();
    // ---- unify/dive.cpp
    // One walk of the traversal over the node's subtree; returns what takes its place.
    virtual TObject* Dive(TDiveMode Mode, TVisitor Visitor, TDiveArgs Args);
    // ---- resolution/polarity.cpp
    // Sets Pol of the node and of its subtree, not entering an equivalence.
    void EvalPol();
    // ---- resolution/simplify.cpp
    // Puts Child in this node's place and frees the node, its prefix climbing to an ancestor;
    // returns Child.
    TSub* SubstTo(TSub* Child);

protected:
    void FreeOperands();
    // Moves the prefix to the nearest surviving ancestor before this node goes; WasLeft tells
    // whether the node stood as its parent's left operand.
    void ClimbPrefix(bool WasLeft);
    bool IsLeftOfParent() const;
};

// The four connectives differ in their class, binding strength and symbol.
template <TClass C, int Strength, unsigned char Symbol> class TConnective : public TSub {
public:
    TConnective() : TSub(C) {}
    // A connective that stands for a truth constant has no symbol of its own.
    void GetSymbol(std::string& S) const override
    {
        if (Val == 0)
            S = std::string(1, Sym::Ch(Symbol));
    }
    int GetP() const override { return Strength; }
};

class TCon : public TConnective<TClass::Con, 4, Sym::And> {};
class TDis : public TConnective<TClass::Dis, 3, Sym::Or> {};
class TImp : public TConnective<TClass::Imp, 2, Sym::Implies> {};
class TEqv : public TConnective<TClass::Eqv, 1, Sym::Equiv> {};

class TAtom : public TSub {
public:
    TAtom() : TSub(TClass::Atom) {}

    TId* Id = nullptr; // owned term

    int GetP() const override { return 5; }
    // ---- model/formula.cpp
    void RFree() override;
    // ---- model/print.cpp
    void RPrint(std::string& S) override;
    // ---- unify/dive.cpp
    TObject* Dive(TDiveMode Mode, TVisitor Visitor, TDiveArgs Args) override;
    // ---- unify/unify.cpp
    // Unifies this atom's term with B's into the program's unifier; counts the attempt.
    // Returns 0 (no unifier, the unifier as before), 1, or -1 (the last step bound a term).
    int UnifyS(TAtom* B);
    // The same, for the marking and factoring walks.
    int UnifySL(TAtom* B);
};

// ---- model/formula.cpp
// A new connective node of the given class.
TSub* NewConnective(TClass AClass);
// Node gets the operands Left and Right, each with Node as its parent.
void SetOperands(TSub* Node, TSub* Left, TSub* Right);
// Turns every quantifier of the prefix (for-all and there-exists swap); none: nothing.
void TurnQuantifiers(TQuant* Q);

// A quantifier prefix: an ordered list of variables, outermost first; owns them.
class TQuant : public TObject, public TList<TVariable> {
public:
    TQuant() : TObject(TClass::Quant) {}
    // ---- model/formula.cpp
    // Frees the variables and their bindings, then the list.
    virtual void RFree();
    // ---- model/print.cpp
    // Appends the unbound variables with their quantifiers (with Quantification On only).
    void RPrint(std::string& S);
    // ---- unify/dive.cpp
    TObject* Dive(TDiveMode Mode, TVisitor Visitor, TDiveArgs Args);
};

// A term.
class TId : public TObject {
public:
    explicit TId(TClass AClass) : TObject(AClass) {}

    // ---- model/formula.cpp
    // Frees the term and its arguments; a variable is its prefix's and is not freed.
    virtual void RFree();
    // ---- model/print.cpp
    // Appends the printed term to S, bound variables as their values.
    virtual void RPrint(std::string& S) = 0;
    // ---- unify/compare.cpp
    // The order of terms: negative, 0 or positive; a bound variable compares as its value.
    virtual std::int32_t Compare(TId* Other) = 0;
    // ---- unify/dive.cpp
    TObject* Dive(TDiveMode Mode, TVisitor Visitor, TDiveArgs Args);
    // ---- unify/unify.cpp
    // True when V does not occur in the term, following bindings and the unifier.
    bool OccurCheck(TId* V);
    // Unifies the term with T into the unifier, in passes (UnifyResult tells the outcome).
    void UnifyId(TId* T);
};

class TStrLit : public TId {
public:
    explicit TStrLit(std::string AValue) : TId(TClass::StrLit), Value(std::move(AValue)) {}
    std::string Value;
    void RPrint(std::string& S) override;
    std::int32_t Compare(TId* Other) override;
};

class TNumber : public TId {
public:
    using TId::TId;
    virtual long double GetNumber() const = 0;
};

class TInteger : public TNumber {
public:
    explicit TInteger(std::int32_t AValue) : TNumber(TClass::Integer), Value(AValue) {}
    // Converts decimal digits; Ok is false (and the value 0) when out of range.
    TInteger(const std::string& Text, bool& Ok);
    std::int32_t Value;
    void RPrint(std::string& S) override;
    std::int32_t Compare(TId* Other) override;
    long double GetNumber() const override { return Value; }
};

class TReal : public TNumber {
public:
    explicit TReal(long double AValue) : TNumber(TClass::Real), Value(AValue) {}
    // Converts with "." as decimal separator; Ok is false (and the value 0) on failure.
    TReal(const std::string& Text, bool& Ok);
    long double Value;
    void RPrint(std::string& S) override;
    std::int32_t Compare(TId* Other) override;
    long double GetNumber() const override { return Value; }
};

class TFunc : public TId {
public:
    TFunc(TClass AClass, TName AName) : TId(AClass), Name(std::move(AName)) {}
    TName Name;
    std::int32_t Compare(TId* Other) override;
};

// A function or predicate symbol, an arithmetic operator or a relation, with arguments.
class TFunctor : public TFunc {
public:
    explicit TFunctor(TName AName) : TFunc(TClass::Functor, std::move(AName)) {}
    TList<TId> Params; // owned arguments, in order
    void RPrint(std::string& S) override;
    void RFree() override;
};

// A constant: a function or predicate symbol without arguments.
class TFunctorA : public TFunc {
public:
    explicit TFunctorA(TName AName) : TFunc(TClass::FunctorA, std::move(AName)) {}
    void RPrint(std::string& S) override;
};

// A variable occurrence as read, known only by its name until linked.
class TVar : public TId {
public:
    explicit TVar(TName AName) : TId(TClass::Var), Name(std::move(AName)) {}
    TName Name;
    void RPrint(std::string& S) override;
    std::int32_t Compare(TId* Other) override;
};

// A quantified variable: owned by one prefix, only referred to from terms.
class TVariable : public TId {
public:
    explicit TVariable(const TVar& From) : TId(TClass::Variable), Name(From.Name) {}
    TVariable(TName AName, unsigned char AKind)
        : TId(TClass::Variable), Kind(AKind), Name(std::move(AName))
    {
    }
    // A copy for the copy traversal: same kind, name and watch; no binding, no master.
    explicit TVariable(const TVariable* From)
        : TId(TClass::Variable), Kind(From->Kind), Watch(From->Watch), Name(From->Name)
    {
    }
    ~TVariable() override;

    TId* Id = nullptr; // owned binding
    unsigned char Kind = 0;
    TVariable* New = nullptr;
    TId* NewId = nullptr;
    bool Visited = false;
    bool Cloned = false;
    TSub* Master = nullptr;
    TVariable* Watch = nullptr;
    std::int32_t Number = 0;
    // Where the variable's first pair stands in the unifier, when it has one: pairs only come
    // at the end and go from the end, so the index stays right while the pair is there.
    std::int32_t PairAt = -1;
    TName Name;

    void RFree() override {} // terms only refer to variables; the prefix frees them
    // ---- model/print.cpp
    void RPrint(std::string& S) override;
    // Appends "Name = value" (after ", " when S is not empty) unless the value is a variable.
    void PrintAs(std::string& S);
    // ---- unify/compare.cpp
    std::int32_t Compare(TId* Other) override;
    // ---- unify/unify.cpp
    // Whether the quantifier check lets the variable take a value now: every universal it
    // depends on has one.
    bool MAssigned();
    // The term the unifier gives the variable, or the variable itself.
    TId* CompInMgu();
};

// The term T stands for: the values of bound variables followed.
inline const TId* Bound(const TId* T)
{
    while (T && T->Is(TClass::Variable) && static_cast<const TVariable*>(T)->Id)
        T = static_cast<const TVariable*>(T)->Id;
    return T;
}
inline TId* Bound(TId* T)
{
    return const_cast<TId*>(Bound(static_cast<const TId*>(T)));
}

// A formula: the root of a tree of nodes, with its atom chain.
class TFALFormula : public TObject {
public:
    explicit TFALFormula(TPLProgram* AOwner) : TFALFormula(AOwner, TClass::Formula) {}
    ~TFALFormula() override;

    TSub* Cont = nullptr; // owned root node
    TPLProgram* Owner;
    TFALFormula* Parent1 = nullptr;
    TFALFormula* Parent2 = nullptr;
    TAtom* MF = nullptr;
    TAtom* ML = nullptr;
    bool FromQuery = false;
    std::int32_t TextStart = -1; // where its text begins in the run's text; -1 for a resolvent

    // ---- model/print.cpp
    // Appends the printed formula and ". " to S.
    void Print(std::string& S);
    // ---- unify/dive.cpp
    // Walks the root node; the root is never replaced. Returns the formula.
    TFALFormula* Dive(TDiveMode Mode, TVisitor Visitor, TDiveArgs Args);
    // ---- resolution/polarity.cpp
    // The end of compiling: variables linked (free names universal), arithmetic folded,
    // polarities set.
    void PostComp();
    // ---- resolution/simplify.cpp
    // Folds arithmetic, removes truth constants and sweeps unused variables; keeps the chain.
    void Simplify();
    // ---- resolution/resolve.cpp
    // The resolvent of this formula and G on ResAtom1/ResAtom2 under the unifier: copies of
    // both with the atoms marked false and true, in a disjunction. The parents keep theirs.
    // Mode: how a search beyond the design's strategies marks the matches (none: as designed).
    TFALFormula* Resolve(TFALFormula* G, const TResolutionMode* Mode = nullptr);
    // Self-resolution in place: this formula becomes F[A/value] ∨ F[A/opposite].
    TFALFormula* ResolveAWC(TFALFormula* G);
    // ---- resolution/search.cpp
    // The partner loops of the three strategies with this formula as centre.
    void AllPosRes();
    void AllPosRes3();
    void AllPosRes4();
    // The trial of one pair, as the partner loops of AllPosRes, AllPosRes3 and AllPosRes4
    // make it.
    void TryToRes(TFALFormula* G);
    void TryToRes2(TFALFormula* G);
    void TryToRes3(TFALFormula* G);
    // Filtration: whether neither formula is an ancestor of the other.
    bool IsValidPair(TFALFormula* G);
    // ---- resolution/insert.cpp
    // Self-resolution check, factoring and redundancy check of a new resolvent. Returns the
    // resolvent to record (a refutation possibly), or none when it was dropped and freed.
    // Mode: a saturating search inserts without the consequence checks (none: as designed).
    TFALFormula* InsertToR(const TResolutionMode* Mode = nullptr);
    // Up to DCFLimit self-resolution steps; returns the last formula made (or this one).
    TFALFormula* OptimizeX();
    // Factoring within one disjunction or conjunction block.
    TFALFormula* OptimizeF();
    // A check formula F1 connective F2 that borrows both trees until DestroyVF.
    static TFALFormula* CreateVF(TFALFormula* F1, TFALFormula* F2, TClass AClass);
    static void DestroyVF(TFALFormula* VF, TFALFormula* F1, TFALFormula* F2);
    // ---- driver/answer.cpp
    // Writes the answer line of a refutation (the one call up from the search).
    void PrintVars();

protected:
    TFALFormula(TPLProgram* AOwner, TClass AClass) : TObject(AClass), Owner(AOwner) {}
};

// The first variable of a prefix in F's tree for which Test holds, nullptr when none does:
// outermost first, a node's prefix before its operands, the left operand before the right.
template <class TTest> TVariable* FindVariable(TFALFormula* F, TTest Test);

// A formula whose text began with "?-".
class TQuery : public TFALFormula {
public:
    explicit TQuery(TPLProgram* AOwner) : TFALFormula(AOwner, TClass::Query) {}
    // ---- driver/query.cpp
    // Negates the formula and sets its polarities.
    void NegQ();
    // Proves the query against the axioms before it and writes its report; frees it.
    void EvalQuery();
};

// Auto: Skolemization, and a schedule of the others in time slices (driver/query.cpp).
enum class TStrategy : std::uint8_t {
    None,
    Linear,
    Breadthfirst1,
    ModifLinear1,
    BestFirst1,
    Clauses, // best-first search on the clause form
    Auto,
};

// The prover state of one editor window.
class TPLProgram {
public:
    explicit TPLProgram(TProgramOwner* AOwner) : Owner(AOwner) {}
    ~TPLProgram();
    TPLProgram(const TPLProgram&) = delete;
    TPLProgram& operator=(const TPLProgram&) = delete;

    TProgramOwner* Owner;
    TList<TFALFormula> ListF; // owned
    TList<TFALFormula> ListR; // owned
    TList<TId> MGUn1;         // the unifier: variable, term, variable, term...
    std::uint8_t ErrCode = 0;
    std::int32_t TextPos = 0;
    TStrategy Strategy = TStrategy::None;

    // ---- model/formula.cpp
    // Free the formulas of ListF (ListR) and empty the list.
    void ClearFormulas();
    void ClearResolvents();
    // ---- language/compile.cpp
    // Compiles the one formula at Text: the formula (a TQuery for "?-") or none with the error
    // shown, ErrCode and TextPos set. End, when given, is the end of the whole text: a NUL
    // before it is reported.
    void XComp(const char* Text, TFALFormula*& Formula, const char* End = nullptr);
    // ---- driver/run.cpp
    // One proof run of the owner's editor text, to the time and memory lines.
    void Generate();
    // ---- driver/query.cpp
    // The refutation search and report for the formulas now in ListF.
    void Consist();
};

// The ends of the atom chain being built or edited.
extern TAtom* FirstAtom;
extern TAtom* LastAtom;
// Appends an atom to the chain being built.
void AppendToChain(TAtom* Atom);

template <class TTest> TVariable* FindVariable(TFALFormula* F, TTest Test)
{
    std::vector<TSub*> Pending;
    if (F->Cont)
        Pending.push_back(F->Cont);
    while (!Pending.empty()) {
        TSub* Node = Pending.back();
        Pending.pop_back();
        if (Node->Q)
            for (TVariable* V : Node->Q->Items)
                if (V && Test(V))
                    return V;
        if (Node->Is(TClass::Atom))
            continue;
        if (Node->R)
            Pending.push_back(Node->R);
        if (Node->L)
            Pending.push_back(Node->L);
    }
    return nullptr;
}
