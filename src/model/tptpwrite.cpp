#include "model/tptpwrite.h"

#include "model/formula.h"
#include "model/symbols.h"
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
        T = Value(T);
        if (!T)
            return;
        if (T->Is(TClass::Variable)) {
            Do(static_cast<const TVariable*>(T));
        } else if (T->Is(TClass::Functor)) {
            auto* F = static_cast<TFunctor*>(T);
            for (std::int32_t I = 0; I < F->Params.Count(); ++I)
                Occurrences(F->Params.Get(I), Do);
        }
    }

    // ---- the text

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
            const std::string& Name = static_cast<TFunctorA*>(T)->Name.Str();
            if (Name == TptpTrueAtom)
                return "$true";
            if (Name == TptpGoalAtom)
                return "$false"; // the query of a problem without a conjecture
        }
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
    std::vector<TId*> Stack{T};
    while (!Stack.empty()) {
        TId* X = Bound(Stack.back());
        Stack.pop_back();
        if (!X || !X->IsFunc())
            continue;
        if (TTptpNaming::IsSkolem(static_cast<TFunc*>(X)->Name.Str()))
            return true;
        if (X->Is(TClass::Functor)) {
            auto* F = static_cast<TFunctor*>(X);
            for (std::int32_t I = 0; I < F->Params.Count(); ++I)
                Stack.push_back(F->Params.Get(I));
        }
    }
    return false;
}
