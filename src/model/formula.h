// The formula model: programs, formulas, connective nodes, atoms, prefixes and terms.
#pragma once

#include "model/list.h"
#include "model/pool.h"

#include <cstdint>
#include <string>

class TProgramOwner;
class TObject;
class TSub;
class TAtom;
class TQuant;
class TId;
class TVariable;
class TFALFormula;
class TPLProgram;

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

// What a traversal hands to its visitor and to its nested calls; passed by value, so every
// invocation works on its own copy.
struct TDiveArgs {
    TObject* Value = nullptr;
    std::uint8_t Tag = 5; // 5: an untyped pointer, 7: a model object
};

// Called at the visited object; may change the mode for the walk below it and returns the
// object that takes the visited one's place.
using TVisitor = TObject* (*)(TObject* Obj, char& Mode, TDiveArgs Args);

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

    virtual void RFree();
    virtual void GetSymbol(std::string& S) const;
    virtual int GetP() const = 0;
    virtual void RPrint(std::string& S);
    virtual TObject* Dive(char Mode, TVisitor Visitor, TDiveArgs Args);

    void Negate();
    void AppendToQuant(TQuant*& List);
    void OptQ();
    TSub* SubstTo(TSub* Child);
    void EvalPol();

    TSub* Parent() const { return Ac && Ac->IsNode() ? static_cast<TSub*>(Ac) : nullptr; }
    // The polarity outside the node's own negation, where its prefix stands.
    int OuterPol() const { return Neg ? -Pol : Pol; }

protected:
    void FreeOperands();
    // Moves the prefix to the nearest surviving ancestor before this node goes; WasLeft tells
    // whether the node stood as its parent's left operand.
    void ClimbPrefix(bool WasLeft);
    bool IsLeftOfParent() const;
};

class TCon : public TSub {
public:
    TCon() : TSub(TClass::Con) {}
    void GetSymbol(std::string& S) const override;
    int GetP() const override { return 4; }
};

class TDis : public TSub {
public:
    TDis() : TSub(TClass::Dis) {}
    void GetSymbol(std::string& S) const override;
    int GetP() const override { return 3; }
};

class TImp : public TSub {
public:
    TImp() : TSub(TClass::Imp) {}
    void GetSymbol(std::string& S) const override;
    int GetP() const override { return 2; }
};

class TEqv : public TSub {
public:
    TEqv() : TSub(TClass::Eqv) {}
    void GetSymbol(std::string& S) const override;
    int GetP() const override { return 1; }
};

class TAtom : public TSub {
public:
    TAtom() : TSub(TClass::Atom) {}

    TId* Id = nullptr; // owned term

    void RFree() override;
    int GetP() const override { return 5; }
    void RPrint(std::string& S) override;
    TObject* Dive(char Mode, TVisitor Visitor, TDiveArgs Args) override;

    int UnifyS(TAtom* B);
    int UnifySL(TAtom* B);
};

// A new connective node of the given class.
TSub* NewConnective(TClass AClass);

// A quantifier prefix: an ordered list of variables, outermost first; owns them.
class TQuant : public TObject, public TList<TVariable> {
public:
    TQuant() : TObject(TClass::Quant) {}
    virtual void RFree();
    void RPrint(std::string& S);
    TObject* Dive(char Mode, TVisitor Visitor, TDiveArgs Args);
};

// A term.
class TId : public TObject {
public:
    explicit TId(TClass AClass) : TObject(AClass) {}

    virtual void RPrint(std::string& S) = 0;
    virtual void RFree();
    virtual std::int32_t Compare(TId* Other) = 0;

    TObject* Dive(char Mode, TVisitor Visitor, TDiveArgs Args);
    bool OccurCheck(TId* V);
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
    TFunc(TClass AClass, std::string AName) : TId(AClass), Name(std::move(AName)) {}
    std::string Name;
    std::int32_t Compare(TId* Other) override;
};

// A function or predicate symbol, an arithmetic operator or a relation, with arguments.
class TFunctor : public TFunc {
public:
    explicit TFunctor(std::string AName) : TFunc(TClass::Functor, std::move(AName)) {}
    TList<TId> Params; // owned arguments, in order
    void RPrint(std::string& S) override;
    void RFree() override;
};

// A constant: a function or predicate symbol without arguments.
class TFunctorA : public TFunc {
public:
    explicit TFunctorA(std::string AName) : TFunc(TClass::FunctorA, std::move(AName)) {}
    void RPrint(std::string& S) override;
};

// A variable occurrence as read, known only by its name until linked.
class TVar : public TId {
public:
    explicit TVar(std::string AName) : TId(TClass::Var), Name(std::move(AName)) {}
    std::string Name;
    void RPrint(std::string& S) override;
    std::int32_t Compare(TId* Other) override;
};

// A quantified variable: owned by one prefix, only referred to from terms.
class TVariable : public TId {
public:
    explicit TVariable(const TVar& From) : TId(TClass::Variable), Name(From.Name) {}
    TVariable(std::string AName, unsigned char AKind)
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
    std::string Name;

    void RPrint(std::string& S) override;
    void RFree() override {} // terms only refer to variables; the prefix frees them
    std::int32_t Compare(TId* Other) override;

    void PrintAs(std::string& S);
    bool MAssigned();
    TId* CompInMgu();
};

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

    void Print(std::string& S);
    void PostComp();
    TFALFormula* Dive(char Mode, TVisitor Visitor, TDiveArgs Args);
    void Simplify();
    TFALFormula* Resolve(TFALFormula* G);
    TFALFormula* ResolveAWC(TFALFormula* G);
    void AllPosRes();
    void AllPosRes3();
    void AllPosRes4();
    void TryToRes(TFALFormula* G);
    void TryToRes2(TFALFormula* G);
    void TryToRes3(TFALFormula* G);
    bool IsValidPair(TFALFormula* G);
    TFALFormula* InsertToR();
    TFALFormula* OptimizeX();
    TFALFormula* OptimizeF();
    static TFALFormula* CreateVF(TFALFormula* F1, TFALFormula* F2, TClass AClass);
    static void DestroyVF(TFALFormula* VF, TFALFormula* F1, TFALFormula* F2);
    void PrintVars();

protected:
    TFALFormula(TPLProgram* AOwner, TClass AClass) : TObject(AClass), Owner(AOwner) {}
};

// A formula whose text began with "?-".
class TQuery : public TFALFormula {
public:
    explicit TQuery(TPLProgram* AOwner) : TFALFormula(AOwner, TClass::Query) {}
    void NegQ();
    void EvalQuery();
};

enum class TStrategy : std::uint8_t { None, Linear, Breadthfirst1, ModifLinear1 };

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

    // End, when given, is the end of the whole text: a NUL before it is reported.
    void XComp(const char* Text, TFALFormula*& Formula, const char* End = nullptr);
    void Generate();
    void Consist();
    void ClearFormulas();
    void ClearResolvents();
};

// The ends of the atom chain being built or edited.
extern TAtom* FirstAtom;
extern TAtom* LastAtom;
// Appends an atom to the chain being built.
void AppendToChain(TAtom* Atom);
