#include "language/parser.h"

#include "language/eqvexpand.h"
#include "language/lexer.h"
#include "model/formula.h"
#include "model/owner.h"
#include "model/symbols.h"

#include <bit>
#include <vector>

namespace {
std::vector<TObject*> ParseStack;
std::int32_t Nesting = 0;

// One more level of nesting; false (with the error set) past the limit.
bool Enter(std::int32_t Levels = 1)
{
    if (Nesting + Levels > MaxNesting) {
        SetError(ErrNestedTooDeeply);
        return false;
    }
    Nesting += Levels;
    return true;
}

void Leave(std::int32_t Levels = 1)
{
    Nesting -= Levels;
}

void ReleaseObject(TObject* Object)
{
    if (!Object)
        return;
    if (Object->IsNode())
        static_cast<TSub*>(Object)->RFree();
    else if (Object->Is(TClass::Variable))
        delete Object;
    else if (Object->IsTerm())
        static_cast<TId*>(Object)->RFree();
    else if (Object->Is(TClass::Quant))
        static_cast<TQuant*>(Object)->RFree();
}

void ParseUnary();
void ParseSum();

// What stands between an opening bracket, the current character, and its closing one.
void ParseBracketed(void (*Inner)(), unsigned char Close)
{
    ReadNext();
    Inner();
    if (CurChar() != Close && !ScanError())
        SetError(ErrMissingRightBracket);
    ReadNext();
}

// An operator chain: operands combined from the left while the operator follows.
template <class TOperand> void ParseChain(unsigned char Operator, TClass Node, TOperand Operand)
{
    Operand();
    std::int32_t Links = 0;
    while (CurChar() == Operator && !ScanError()) {
        if (!Enter())
            break;
        ++Links;
        ReadNext();
        Operand();
        if (ScanError())
            break;
        BuildBinary(NewConnective(Node));
    }
    Leave(Links);
}

void ParseCon()
{
    ParseChain(Sym::And, TClass::Con, ParseUnary);
}
void ParseDis()
{
    ParseChain(Sym::Or, TClass::Dis, ParseCon);
}
void ParseImp()
{
    ParseChain(Sym::Implies, TClass::Imp, ParseDis);
}

void ParsePrefix()
{
    auto* List = new TQuant;
    while ((CurChar() == Sym::ForAll || CurChar() == Sym::Exists) && !ScanError()) {
        const unsigned char Kind = CurChar();
        do {
            ReadNext();
            if (!IsUpperStart(CurChar())) {
                SetError(ErrInvalidVariable);
            } else {
                ReadVariable();
                if (!ScanError())
                    AddQuantVar(List, Kind);
            }
        } while (CurChar() == ',' && !ScanError());
    }
    if (ScanError())
        List->RFree();
    else
        Push(List);
}

void ParseAtom()
{
    ParseSum();
    if (ScanError())
        return;
    auto* Atom = new TAtom;
    if (IsBlank(CurChar()))
        ReadNext();
    if (Sym::IsRelation(CurChar())) {
        const unsigned char Relation = CurChar();
        ReadNext();
        ParseSum();
        if (ScanError()) {
            Atom->RFree();
            return;
        }
        BuildFunctor(new TFunctor(std::string(1, static_cast<char>(Relation))), 2);
    } else {
        TObject* T = Top();
        if (!T || !T->IsFunc()) {
            SetError(ErrWrongAtom);
            Atom->RFree();
            return;
        }
    }
    SetAtomTerm(Atom);
    LinkAtom(Atom);
}

void ParseUnary()
{
    if (ScanError() || !Enter())
        return;
    const unsigned char C = CurChar();
    if (C == '"' || C == '(' || C == '+' || C == '-' || IsDigit(C) || IsUpperStart(C) ||
        IsLowerStart(C)) {
        ParseAtom();
    } else if (C == '[') {
        ParseBracketed(ParseFormula, ']');
    } else if (C == Sym::Not) {
        ReadNext();
        ParseUnary();
        NegateTop();
    } else if (C == Sym::ForAll || C == Sym::Exists) {
        ParsePrefix();
        ParseUnary();
        if (!ScanError())
            ApplyPrefix();
    } else {
        SetError(ErrMissingExpression);
    }
    Leave();
}

void ReadName()
{
    const std::string Name = ReadIdentifier();
    TId* Functor = nullptr;
    std::int32_t Count = 0;
    if (CurChar() == '(') {
        ReadNext();
        if (CurChar() == ')') {
            SetError(ErrInvalidIdTerm);
            return;
        }
        Functor = new TFunctor(Name);
        ParseSum();
        Count = 1;
        while (CurChar() == ',' && !ScanError()) {
            ReadNext();
            ParseSum();
            ++Count;
        }
        if (CurChar() != ')' && !ScanError())
            SetError(ErrMissingRightBracket);
        ReadNext();
    } else if (!ScanError()) {
        Functor = new TFunctorA(Name);
    }
    if (!ScanError())
        BuildFunctor(Functor, Count);
    else
        delete Functor; // the arguments already parsed stay on the stack
    if (IsBlank(CurChar()))
        ReadNext();
}

void ParseFactor()
{
    if (ScanError() || !Enter())
        return;
    const unsigned char C = CurChar();
    if (C == '"') {
        ReadString();
    } else if (C == '(') {
        ParseBracketed(ParseSum, ')');
    } else if (C == '+' || C == '-') {
        ReadNext();
        ParseFactor();
        if (!ScanError()) {
            TObject* T = Top();
            if (T && T->Is(TClass::Integer)) {
                if (C == '-')
                    static_cast<TInteger*>(T)->Value = -static_cast<TInteger*>(T)->Value;
            } else if (T && T->Is(TClass::Real)) {
                if (C == '-')
                    static_cast<TReal*>(T)->Value = -static_cast<TReal*>(T)->Value;
            } else {
                BuildFunctor(new TFunctor(std::string(1, static_cast<char>(C))), 1);
            }
        }
    } else if (IsDigit(C)) {
        ReadNumber();
    } else if (IsUpperStart(C)) {
        ReadVariable();
    } else if (IsLowerStart(C)) {
        ReadName();
    } else {
        SetError(ErrInvalidIdTerm);
    }
    Leave();
}

// An arithmetic chain: the operator's functor is made before its right operand is parsed.
template <class TOperand>
void ParseTermChain(unsigned char Op1, unsigned char Op2, TOperand Operand)
{
    Operand();
    std::int32_t Links = 0;
    while ((CurChar() == Op1 || CurChar() == Op2) && !ScanError()) {
        if (!Enter())
            break;
        ++Links;
        auto* Functor = new TFunctor(std::string(1, static_cast<char>(CurChar())));
        ReadNext();
        Operand();
        if (ScanError()) {
            delete Functor;
            break;
        }
        BuildFunctor(Functor, 2);
    }
    Leave(Links);
}

void ParseProduct()
{
    ParseTermChain('*', '/', ParseFactor);
}
void ParseSum()
{
    ParseTermChain('+', '-', ParseProduct);
}
} // namespace

void Push(TObject* Object)
{
    ParseStack.push_back(Object);
}

TObject* Pop()
{
    if (ParseStack.empty())
        return nullptr;
    TObject* Object = ParseStack.back();
    ParseStack.pop_back();
    return Object;
}

TObject* Top()
{
    return ParseStack.empty() ? nullptr : ParseStack.back();
}

std::int32_t StackDepth()
{
    return static_cast<std::int32_t>(ParseStack.size());
}

void BuildBinary(TSub* Node)
{
    auto* Right = static_cast<TSub*>(Pop());
    auto* Left = static_cast<TSub*>(Pop());
    Node->L = Left;
    Node->R = Right;
    Left->Ac = Node;
    Right->Ac = Node;
    Push(Node);
}

void BuildFunctor(TId* Functor, std::int32_t Count)
{
    if (Functor->Is(TClass::Functor)) {
        // Filled from the back in place (one insert at the front each would take time that
        // grows with the square of the arguments), with the room those inserts would leave.
        auto* F = static_cast<TFunctor*>(Functor);
        if (Count > 0) {
            F->Params.Items.reserve(std::bit_ceil(static_cast<std::size_t>(Count)));
            F->Params.Items.resize(static_cast<std::size_t>(Count));
        }
        for (std::int32_t I = Count - 1; I >= 0; --I)
            F->Params.Put(I, static_cast<TId*>(Pop()));
    }
    Push(Functor);
}

void AddQuantVar(TQuant* List, unsigned char Kind)
{
    auto* Var = static_cast<TVar*>(Pop());
    auto* V = new TVariable(*Var);
    V->Kind = Kind;
    List->Add(V);
    Var->RFree();
}

void ApplyPrefix()
{
    TObject* Node = Pop();
    auto* List = static_cast<TQuant*>(Pop());
    static_cast<TSub*>(Node)->AppendToQuant(List);
    Push(Node);
}

void SetAtomTerm(TAtom* Atom)
{
    Atom->Id = static_cast<TId*>(Pop());
}

void LinkAtom(TAtom* Atom)
{
    AppendToChain(Atom);
    Push(Atom);
}

void NegateTop()
{
    TObject* T = Top();
    if (ScanError() || !T || !T->IsNode())
        return;
    auto* Node = static_cast<TSub*>(T);
    Node->Neg = !Node->Neg;
    TurnQuantifiers(Node->Q);
}

void ReleaseParseStack()
{
    while (!ParseStack.empty())
        ReleaseObject(Pop());
}

void ReleaseParseStorage()
{
    ReleaseParseStack();
    std::vector<TObject*>().swap(ParseStack);
}

void ResetCompileState()
{
    ReleaseParseStack();
    Nesting = 0;
    ScanReset("");
}

void ParseReset()
{
    ReleaseParseStack();
    Nesting = 0;
}

namespace {
// Whether a quantifier stands anywhere in the node's tree.
bool HoldsQuantifier(const TObject* Object)
{
    std::vector<const TSub*> Pending;
    if (Object && Object->IsNode())
        Pending.push_back(static_cast<const TSub*>(Object));
    while (!Pending.empty()) {
        const TSub* Node = Pending.back();
        Pending.pop_back();
        if (Node->Q)
            return true;
        if (Node->Is(TClass::Atom))
            continue;
        for (const TSub* Part : {Node->L, Node->R})
            if (Part)
                Pending.push_back(Part);
    }
    return false;
}

// Equivalences are written as two implications where quantifiers need it: always with
// "Quantification On"; under Skolemization only when an operand holds a quantifier, since
// a quantifier below an equivalence reads both ways and gets no Skolem term. A propositional
// equivalence stays one node, and a chain of them stays small.
bool ExpandsEquivalence()
{
    if (OptionOn(TOption::Quant1))
        return true;
    if (!OptionOn(TOption::Skolem1) || ParseStack.size() < 2)
        return false;
    return HoldsQuantifier(ParseStack[ParseStack.size() - 1]) ||
           HoldsQuantifier(ParseStack[ParseStack.size() - 2]);
}
} // namespace

void ParseFormula()
{
    ParseImp();
    std::int32_t Links = 0;
    while (CurChar() == Sym::Equiv && !ScanError()) {
        if (!Enter(2))
            break;
        Links += 2;
        ReadNext();
        ParseImp();
        if (ScanError())
            break;
        if (ExpandsEquivalence())
            ExpandEquivalence();
        else
            BuildBinary(new TEqv);
    }
    Leave(Links);
}
