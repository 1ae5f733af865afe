#include "model/tptpwrite.h"

#include "model/formula.h"
#include "model/symbols.h"
#include "model/terms.h"
#include "model/tptpnames.h"

#include <set>
#include <unordered_map>
#include <vector>

namespace {
class TTptpWriter {
public:
    TTptpWriter(TTptpWriting AHow, const TTptpNaming* ANaming) : How(AHow), Naming(ANaming) {}

    std::string Formula(TFALFormula* F)
    {
        if (!F->Cont)
            return "$true";
        Place(F->Cont);
        return Node(F->Cont);
    }

    std::string TermOf(TId* T) { return Term(T); }

private:
    // A variable of a prefix is written there unless it is bound and its value written.
    bool Written(const TVariable* V) const { return V && !(V->Id && How == TTptpWriting::Bound); }

    // ---- where each variable is quantified: at the node of its prefix, or higher where an
    // occurrence stands outside that node (a resolvent's prefix may not cover every
    // occurrence; TPTP would read the one outside as another variable).

    void Place(TSub* Root)
    {
        std::unordered_map<const TVariable*, TSub*> Home;
        std::unordered_map<const TVariable*, std::vector<TSub*>> Occurs;
        std::vector<const TVariable*> Order; // the variables in order of first occurrence
        std::vector<TSub*> Stack{Root};
        Depth[Root] = 0;
        while (!Stack.empty()) {
            TSub* N = Stack.back();
            Stack.pop_back();
            if (N->Val != 0)
                continue; // written as a truth constant
            if (N->Q)
                for (TVariable* V : N->Q->Items)
                    if (Written(V))
                        Home[V] = N;
            if (N->Is(TClass::Atom)) {
                Occurrences(static_cast<TAtom*>(N)->Id, [&](const TVariable* V) {
                    std::vector<TSub*>& At = Occurs[V];
                    if (At.empty())
                        Order.push_back(V);
                    At.push_back(N);
                });
                continue;
            }
            for (TSub* Operand : {N->R, N->L})
                if (Operand) {
                    Depth[Operand] = Depth[N] + 1;
                    Stack.push_back(Operand);
                }
        }
        for (const TVariable* V : Order) {
            const auto H = Home.find(V);
            TSub* Target = H != Home.end() ? H->second : Root;
            for (TSub* A : Occurs[V])
                Target = Common(Target, A);
            if (H != Home.end() && Target == H->second)
                continue;
            unsigned char Kind = Sym::ForAll; // a variable of no prefix here is free: universal
            if (H != Home.end()) {
                Kind = V->Kind;
                for (TSub* X = H->second; X != Target; X = X->Parent()) {
                    TSub* P = X->Parent();
                    if ((P->Is(TClass::Imp) && P->L == X) != P->Neg)
                        Kind = Sym::Turned(Kind);
                }
            }
            Moved[Target].push_back({V, Kind});
            Away.insert(V);
        }
    }

    // The nearest node above or at both A and B.
    TSub* Common(TSub* A, TSub* B)
    {
        while (Depth[A] > Depth[B])
            A = A->Parent();
        while (Depth[B] > Depth[A])
            B = B->Parent();
        while (A != B) {
            A = A->Parent();
            B = B->Parent();
        }
        return A;
    }

    // Each variable occurrence of a term as it is written.
    template <class TDo> void Occurrences(TId* T, const TDo& Do)
    {
        WalkTerm(
            T,
            [&Do](const TId* X) {
                if (X->Is(TClass::Variable))
                    Do(static_cast<const TVariable*>(X));
                return true;
            },
            How != TTptpWriting::Bound);
    }

    // ---- the text

    std::string Node(TSub* Root)
    {
        return FoldNodes<std::string>(
            Root,
            [this](TSub* N, std::span<std::string> Operands) { return NodeText(N, Operands); },
            [](TSub* N) { return N->Val == 0; });
    }

    // The node with its operands written.
    std::string NodeText(TSub* N, std::span<std::string> Operands)
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
            std::string Left = "$true";
            std::string Right = "$true";
            if (N->L)
                Left = std::move(Operands[0]);
            if (N->R)
                Right = std::move(Operands[N->L ? 1 : 0]);
            Body = "(" + Left + Op + Right + ")";
        }
        const bool Root = !N->Parent();
        const bool Undo = Root && How == TTptpWriting::Unnegated;
        if (N->Neg != Undo)
            Body = "~ " + Body;
        std::vector<std::pair<const TVariable*, unsigned char>> Prefix;
        if (N->Q)
            for (TVariable* V : N->Q->Items)
                if (Written(V) && !Away.count(V))
                    Prefix.push_back({V, V->Kind});
        if (const auto It = Moved.find(N); It != Moved.end())
            Prefix.insert(Prefix.end(), It->second.begin(), It->second.end());
        // A quantifier for each run of one kind.
        std::string Text;
        unsigned char Kind = 0;
        for (const auto& [V, VKind] : Prefix) {
            const unsigned char K = Undo ? Sym::Turned(VKind) : VKind;
            if (K != Kind) {
                if (Kind)
                    Text += "] : ";
                Text += K == Sym::Exists ? "? [" : "! [";
                Kind = K;
            } else {
                Text += ", ";
            }
            Text += Variable(V);
        }
        if (Kind)
            Body = "(" + Text + "] : " + Body + ")";
        return Body;
    }

    std::string Atom(TAtom* A)
    {
        TId* T = Value(A->Id);
        if (Naming && T && T->Is(TClass::FunctorA)) {
            const std::string& Name = SymbolOf(T);
            if (Name == TptpTrueAtom)
                return "$true";
            if (Name == TptpGoalAtom)
                return "$false"; // the query of a problem without a conjecture
        }
        // A relation of the language: = and != as TPTP has them, the others as predicates.
        const std::string& Symbol = SymbolOf(T);
        if (Symbol.size() == 1 && Sym::IsRelation(static_cast<unsigned char>(Symbol[0])) &&
            ArityOf(T) == 2) {
            const auto Op = static_cast<unsigned char>(Symbol[0]);
            const std::string L = Term(ArgumentsOf(T)[0]);
            const std::string R = Term(ArgumentsOf(T)[1]);
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
        return Term(T);
    }

    TId* Value(TId* T) const { return How == TTptpWriting::Bound ? Bound(T) : T; }

    std::string Term(TId* T)
    {
        return FoldTerm<std::string>(
            T,
            [this](const TId* X, std::span<std::string> Args) {
                return TermText(const_cast<TId*>(X), Args);
            },
            How != TTptpWriting::Bound);
    }

    // The term with its arguments written.
    std::string TermText(TId* T, std::span<std::string> Args)
    {
        if (!T)
            return "nivar_none";
        switch (T->Class) {
        case TClass::Variable:
            return Variable(static_cast<TVariable*>(T));
        case TClass::Var:
            return VariableName(static_cast<TVar*>(T)->Name);
        case TClass::StrLit: {
            const std::string& S = static_cast<TStrLit*>(T)->Value;
            return TTptpNaming::Distinct(S, Naming != nullptr);
        }
        case TClass::Integer:
        case TClass::Real: {
            std::string S;
            T->RPrint(S);
            return S.find_first_not_of("-0123456789") == std::string::npos ? S : Quoted(S, '\'');
        }
        case TClass::FunctorA:
            return Name(SymbolOf(T));
        case TClass::Functor: {
            std::string S = Name(Operator(SymbolOf(T))) + "(";
            const char* Comma = "";
            for (std::string& Arg : Args) {
                S += Comma + std::move(Arg);
                Comma = ", ";
            }
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

    std::string Name(const std::string& N) const
    {
        return Naming ? Naming->Functor(N) : TptpName(N);
    }

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
    const TTptpNaming* Naming;
    std::unordered_map<const TVariable*, std::string> Names;
    std::set<std::string> Used;
    std::unordered_map<const TSub*, int> Depth;
    // Variables written at another node than their prefix's, with the quantifier they get.
    std::unordered_map<const TSub*, std::vector<std::pair<const TVariable*, unsigned char>>> Moved;
    std::set<const TVariable*> Away;
};
} // namespace

std::string TptpFormula(TFALFormula* F, TTptpWriting How, const TTptpNaming* Naming)
{
    TTptpWriter Writer(How, Naming);
    return Writer.Formula(F);
}

std::string TptpTerm(TId* T, const TTptpNaming* Naming)
{
    TTptpWriter Writer(TTptpWriting::Bound, Naming);
    return Writer.TermOf(T);
}

bool HoldsSkolemTerm(TId* T)
{
    bool Found = false;
    WalkTerm(T, [&Found](const TId* X) {
        Found = Found || (X->IsFunc() && TTptpNaming::IsSkolem(SymbolOf(X)));
        return !Found;
    });
    return Found;
}
