#include "model/print.h"

#include "model/formula.h"
#include "model/owner.h"
#include "model/symbols.h"

#include <charconv>
#include <cstdlib>

std::string FormatReal(long double Value)
{
    if (Value == 0)
        return "0";
    char Buf[64];
    const auto Res = std::to_chars(Buf, Buf + sizeof Buf, Value, std::chars_format::scientific, 14);
    const std::string Sci(Buf, Res.ptr); // [-]d.dddddddddddddde[+-]x
    const std::size_t E = Sci.find('e');
    const int Exp = std::atoi(Sci.c_str() + E + 1);
    const bool Minus = Sci[0] == '-';
    std::string Digits; // the 15 significant digits
    for (std::size_t I = Minus ? 1 : 0; I < E; ++I)
        if (Sci[I] != '.')
            Digits += Sci[I];
    while (Digits.size() > 1 && Digits.back() == '0')
        Digits.pop_back();
    std::string Out = Minus ? "-" : "";
    if (Exp >= -5 && Exp < 15) {
        if (Exp < 0) {
            Out += "0.";
            Out.append(static_cast<std::size_t>(-Exp - 1), '0');
            Out += Digits;
        } else if (Digits.size() <= static_cast<std::size_t>(Exp) + 1) {
            Out += Digits;
            Out.append(static_cast<std::size_t>(Exp) + 1 - Digits.size(), '0');
        } else {
            Out += Digits.substr(0, static_cast<std::size_t>(Exp) + 1);
            Out += '.';
            Out += Digits.substr(static_cast<std::size_t>(Exp) + 1);
        }
        return Out;
    }
    Out += Digits[0];
    if (Digits.size() > 1) {
        Out += '.';
        Out += Digits.substr(1);
    }
    Out += 'E';
    Out += std::to_string(Exp);
    return Out;
}

std::string FormatFixed2(double Value)
{
    char Buf[64];
    const auto Res = std::to_chars(Buf, Buf + sizeof Buf, Value, std::chars_format::fixed, 2);
    return std::string(Buf, Res.ptr);
}

namespace {
void AppendConstant(std::string& S, std::int8_t Val)
{
    S += ' ';
    S += Sym::Ch(Val > 0 ? Sym::True : Sym::False);
}

bool IsRelationName(const std::string& Name)
{
    return Name.size() == 1 && Sym::IsRelation(static_cast<unsigned char>(Name[0]));
}

bool IsArithmeticName(const std::string& Name)
{
    return Name.size() == 1 &&
           (Name[0] == '+' || Name[0] == '-' || Name[0] == '*' || Name[0] == '/');
}

void PrintArgs(std::string& S, TFunctor* F, const std::string& Separator, bool ParenSums)
{
    const std::int32_t N = F->Params.Count();
    for (std::int32_t I = 0; I < N; ++I) {
        if (TId* Arg = F->Params.Get(I)) {
            const bool Paren = ParenSums && Arg->Is(TClass::Functor) &&
                               IsArithmeticName(static_cast<TFunctor*>(Arg)->Name) &&
                               (static_cast<TFunctor*>(Arg)->Name[0] == '+' ||
                                static_cast<TFunctor*>(Arg)->Name[0] == '-');
            if (Paren)
                S += '(';
            Arg->RPrint(S);
            if (Paren)
                S += ')';
        }
        if (I < N - 1)
            S += Separator;
    }
}
} // namespace

void TSub::RPrint(std::string& S)
{
    if (Val != 0) {
        AppendConstant(S, Val);
        return;
    }
    if (Q)
        Q->RPrint(S);
    if (Neg)
        S += Sym::Ch(Sym::Not);
    bool Brackets;
    if (const TSub* P = Parent()) {
        Brackets = Neg || P->GetP() > GetP() ||
                   (P->Is(TClass::Imp) && Is(TClass::Imp) && P->R == this) || Q;
    } else {
        Brackets = Neg || Q;
    }
    if (Brackets)
        S += '[';
    if (L)
        L->RPrint(S);
    std::string Symbol;
    GetSymbol(Symbol);
    S += Symbol;
    if (R)
        R->RPrint(S);
    if (Brackets)
        S += ']';
}

void TAtom::RPrint(std::string& S)
{
    if (Val != 0) {
        AppendConstant(S, Val);
        return;
    }
    if (Q) {
        Q->RPrint(S);
        S += ' ';
    }
    if (Neg)
        S += Sym::Ch(Sym::Not);
    if (Id)
        Id->RPrint(S);
}

void TQuant::RPrint(std::string& S)
{
    if (!OptionOn(TOption::Quant1))
        return;
    const TVariable* Previous = nullptr;
    for (TVariable* V : Items) {
        if (!V || V->Id)
            continue;
        if (Previous && Previous->Kind == V->Kind)
            S += ", ";
        else
            S += static_cast<char>(V->Kind);
        S += V->Name;
        if (V->Number > 0)
            S += "#" + std::to_string(V->Number);
        Previous = V;
    }
}

void TFALFormula::Print(std::string& S)
{
    if (Cont)
        Cont->RPrint(S);
    S += ". ";
}

std::string Label(char Prefix, std::int64_t Index)
{
    return Prefix + std::to_string(Index);
}

std::string Printed(TFALFormula* F)
{
    std::string S;
    F->Print(S);
    return S;
}

void TStrLit::RPrint(std::string& S)
{
    S += '"' + Value + '"';
}

void TInteger::RPrint(std::string& S)
{
    S += std::to_string(Value);
}

void TReal::RPrint(std::string& S)
{
    S += FormatReal(Value);
}

void TVar::RPrint(std::string& S)
{
    S += Name;
}

void TVariable::RPrint(std::string& S)
{
    if (Id) {
        Id->RPrint(S);
        return;
    }
    S += Name;
    if (Number > 0)
        S += "#" + std::to_string(Number);
}

void TFunctorA::RPrint(std::string& S)
{
    S += Name;
}

void TFunctor::RPrint(std::string& S)
{
    if (IsRelationName(Name)) {
        PrintArgs(S, this, Name, false);
    } else if (IsArithmeticName(Name) && Params.Count() == 1) {
        S += Name;
        PrintArgs(S, this, "", false);
    } else if (IsArithmeticName(Name) && Params.Count() == 2) {
        PrintArgs(S, this, Name, Name[0] == '*' || Name[0] == '/');
    } else {
        S += Name + "(";
        PrintArgs(S, this, ", ", false);
        S += ")";
    }
}

void TVariable::PrintAs(std::string& S)
{
    std::string Term;
    if (Id)
        Id->RPrint(Term);
    if (!Term.empty() && ((Term[0] >= 'A' && Term[0] <= 'Z') || Term[0] == '_'))
        return;
    if (!S.empty())
        S += ", ";
    S += Name + " = " + Term;
}
