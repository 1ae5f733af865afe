#include "model/tptpwrite.h"

#include "model/formula.h"
#include "model/symbols.h"

#include <set>
#include <unordered_map>

namespace {
class TTptpWriter {
public:
    explicit TTptpWriter(TTptpWriting AHow) : How(AHow) {}

    std::string Formula(TFALFormula* F)
    {
        if (!F->Cont)
            return "$true";
        return Node(F->Cont);
    }

    std::string TermOf(TId* T) { return Term(T); }

private:
    std::string Node(TSub* N)
    {
        if (N->Val != 0)
            return N->Val > 0 ? "$true" : "$false";
        std::string Body;
        if (N->Is(TClass::Atom)) {
            Body = Atom(static_cast<TAtom*>(N));
        } else {
            const char* Op = N->Is(TClass::Con)   ? " & "
                             : N->Is(TClass::Dis) ? " | "
                             : N->Is(TClass::Imp) ? " => "
                                                  : " <=> ";
            Body = "(" + (N->L ? Node(N->L) : "$true") + Op + (N->R ? Node(N->R) : "$true") + ")";
        }
        const bool Root = !N->Parent();
        const bool Undo = Root && How == TTptpWriting::Unnegated;
        if (N->Neg != Undo)
            Body = "~ " + Body;
        if (N->Q) {
            // Unbound variables of the prefix, a quantifier for each run of one kind.
            std::string Prefix;
            unsigned char Kind = 0;
            for (TVariable* V : N->Q->Items) {
                if (!V || (V->Id && How == TTptpWriting::Bound))
                    continue;
                const unsigned char VKind = Undo ? Sym::Turned(V->Kind) : V->Kind;
                if (VKind != Kind) {
                    if (Kind)
                        Prefix += "] : ";
                    Prefix += VKind == Sym::Exists ? "? [" : "! [";
                    Kind = VKind;
                } else {
                    Prefix += ", ";
                }
                Prefix += Variable(V);
            }
            if (Kind)
                Body = "(" + Prefix + "] : " + Body + ")";
        }
        return Body;
    }

    std::string Atom(TAtom* A)
    {
        TId* T = Value(A->Id);
        if (T && T->Is(TClass::Functor)) {
            auto* F = static_cast<TFunctor*>(T);
            if (F->Name.size() == 1 && Sym::IsRelation(static_cast<unsigned char>(F->Name[0])) &&
                F->Params.Count() == 2) {
                const auto Op = static_cast<unsigned char>(F->Name[0]);
                const std::string L = Term(F->Params.Get(0));
                const std::string R = Term(F->Params.Get(1));
                if (Op == '=')
                    return L + " = " + R;
                if (Op == Sym::NotEq)
                    return L + " != " + R;
                const char* Name = Op == '<'           ? "lt"
                                   : Op == '>'         ? "gt"
                                   : Op == Sym::LessEq ? "le"
                                                       : "ge";
                return std::string(Name) + "(" + L + ", " + R + ")";
            }
        }
        return Term(T);
    }

    TId* Value(TId* T) const { return How == TTptpWriting::Bound ? Bound(T) : T; }

    std::string Term(TId* T)
    {
        T = Value(T);
        if (!T)
            return "nivar_none";
        switch (T->Class) {
        case TClass::Variable:
            return Variable(static_cast<TVariable*>(T));
        case TClass::Var:
            return VariableName(static_cast<TVar*>(T)->Name);
        case TClass::StrLit:
            return "\"" + Escaped(static_cast<TStrLit*>(T)->Value) + "\"";
        case TClass::Integer:
        case TClass::Real: {
            std::string S;
            T->RPrint(S);
            return S.find_first_not_of("-0123456789") == std::string::npos
                       ? S
                       : "'" + Escaped(S, '\'') + "'";
        }
        case TClass::FunctorA:
            return Name(static_cast<TFunctorA*>(T)->Name);
        case TClass::Functor: {
            auto* F = static_cast<TFunctor*>(T);
            std::string S = Name(Operator(F->Name)) + "(";
            for (std::int32_t I = 0; I < F->Params.Count(); ++I)
                S += (I ? ", " : "") + Term(F->Params.Get(I));
            return S + ")";
        }
        default:
            return "nivar_none";
        }
    }

    static std::string Operator(const std::string& Name)
    {
        if (Name == "+")
            return "plus";
        if (Name == "-")
            return "minus";
        if (Name == "*")
            return "times";
        if (Name == "/")
            return "divide";
        return Name;
    }

    static std::string Escaped(const std::string& S, char Quote = '"')
    {
        std::string Out;
        for (char C : S) {
            if (C == Quote || C == '\\')
                Out += '\\';
            Out += C;
        }
        return Out;
    }

    static std::string Name(const std::string& N) { return TptpName(N); }

    // Each variable object gets a name of its own: its name, and a number where two share it.
    std::string Variable(const TVariable* V)
    {
        if (auto It = Names.find(V); It != Names.end())
            return It->second;
        std::string Base = VariableName(V->Name);
        std::string N = Base;
        for (int I = 1; Used.count(N); ++I)
            N = Base + "_" + std::to_string(I);
        Used.insert(N);
        Names[V] = N;
        return N;
    }

    static std::string VariableName(const std::string& Name)
    {
        std::string Out;
        for (char C : Name)
            if ((C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') ||
                C == '_')
                Out += C;
        if (Out.empty() || !(Out[0] >= 'A' && Out[0] <= 'Z'))
            Out = "V" + Out;
        return Out;
    }

    TTptpWriting How;
    std::unordered_map<const TVariable*, std::string> Names;
    std::set<std::string> Used;
};
} // namespace

std::string TptpName(const std::string& N)
{
    bool Plain = !N.empty() && N[0] >= 'a' && N[0] <= 'z';
    for (char C : N)
        Plain = Plain && ((C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') ||
                          (C >= '0' && C <= '9') || C == '_');
    if (Plain)
        return N;
    std::string Out = "'";
    for (char C : N) {
        if (C == '\'' || C == '\\')
            Out += '\\';
        Out += C;
    }
    return Out + "'";
}

std::string TptpFormula(TFALFormula* F, TTptpWriting How)
{
    TTptpWriter Writer(How);
    return Writer.Formula(F);
}

std::string TptpTerm(TId* T)
{
    TTptpWriter Writer(TTptpWriting::Bound);
    return Writer.TermOf(T);
}
