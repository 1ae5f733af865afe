#include "driver/models.h"

#include "driver/run.h"
#include "language/compile.h"
#include "language/lexer.h"
#include "language/parser.h"
#include "model/owner.h"
#include "model/print.h"
#include "model/runstate.h"
#include "model/tptpnames.h"
#include "model/tptpwrite.h"

#include <algorithm>
#include <cadical.hpp>
#include <chrono>
#include <functional>
#include <set>
#include <unordered_map>

namespace {
using TTuple = std::vector<int>;

// The symbols of formulas, in order of first appearance.
struct TSignature {
    // A problem read from TPTP: its numbers that Nivar holds as constants are literals too.
    const TTptpNaming* Naming = nullptr;
    std::vector<std::string> Literals;
    std::vector<std::string> Constants;
    std::vector<std::pair<std::string, int>> Functions;
    std::vector<std::pair<std::string, int>> Predicates;

    template <class T> static void Note(std::vector<T>& List, const T& Item)
    {
        if (std::find(List.begin(), List.end(), Item) == List.end())
            List.push_back(Item);
    }

    void Term(TId* T)
    {
        if (!T)
            return;
        switch (T->Class) {
        case TClass::Variable:
            Term(static_cast<TVariable*>(T)->Id);
            break;
        case TClass::StrLit:
        case TClass::Integer:
        case TClass::Real:
            Note(Literals, LiteralKey(T));
            break;
        case TClass::FunctorA:
            if (Naming && TTptpNaming::IsNumber(static_cast<TFunctorA*>(T)->Name))
                Note(Literals, static_cast<TFunctorA*>(T)->Name.Str());
            else
                Note(Constants, static_cast<TFunctorA*>(T)->Name.Str());
            break;
        case TClass::Functor: {
            auto* F = static_cast<TFunctor*>(T);
            Note(Functions, {F->Name.Str(), F->Params.Count()});
            for (std::int32_t I = 0; I < F->Params.Count(); ++I)
                Term(F->Params.Get(I));
            break;
        }
        default:
            break;
        }
    }

    void Node(TSub* N)
    {
        if (!N || N->Val != 0)
            return;
        if (N->Is(TClass::Atom)) {
            TId* T = static_cast<TAtom*>(N)->Id;
            if (T && T->Is(TClass::Functor)) {
                auto* F = static_cast<TFunctor*>(T);
                Note(Predicates, {F->Name, F->Params.Count()});
                for (std::int32_t I = 0; I < F->Params.Count(); ++I)
                    Term(F->Params.Get(I));
            } else if (T && T->Is(TClass::FunctorA)) {
                Note(Predicates, {static_cast<TFunctorA*>(T)->Name, 0});
            }
            return;
        }
        Node(N->L);
        Node(N->R);
    }

    // A number or string as printed; a number-constant by its name.
    static std::string LiteralKey(TId* T)
    {
        if (T->Is(TClass::FunctorA))
            return static_cast<TFunctorA*>(T)->Name;
        std::string S;
        T->RPrint(S);
        return S;
    }
};

TSignature SignatureOf(const std::vector<TFALFormula*>& Formulas, const TTptpNaming* Naming)
{
    TSignature S;
    S.Naming = Naming;
    for (TFALFormula* F : Formulas)
        if (F)
            S.Node(F->Cont);
    return S;
}

// Every tuple of Arity elements below Size, in order. Polling: a grounding, which may take
// Size to the power of Arity steps here, asks the host now and then and ends at a stop.
void ForEachTuple(int Size, int Arity, const std::function<void(const TTuple&)>& Do,
                  bool Polling = false)
{
    TTuple T(static_cast<std::size_t>(Arity), 0);
    while (true) {
        if (Polling && WalkStopped())
            return;
        Do(T);
        int I = Arity - 1;
        while (I >= 0 && ++T[static_cast<std::size_t>(I)] == Size)
            T[static_cast<std::size_t>(I--)] = 0;
        if (I < 0)
            return;
    }
}

// ---- the independent check: the formulas evaluated in the interpretation

class TEvaluator {
public:
    explicit TEvaluator(const TInterpretation& AI) : I(AI) {}

    bool Formula(TFALFormula* F) { return !F->Cont || Node(F->Cont, 0); }

private:
    bool Node(TSub* N, std::int32_t At)
    {
        if (N->Val != 0)
            return N->Val > 0;
        if (!N->Q || At == N->Q->Count())
            return Body(N);
        TVariable* V = N->Q->Get(At);
        if (!V || V->Id)
            return Node(N, At + 1);
        const bool All = V->Kind == Sym::ForAll;
        for (int E = 0; E < I.Size; ++E) {
            if (WalkStopped())
                break; // the search ends without this model: it was not checked
            Env[V] = E;
            if (Node(N, At + 1) != All) {
                Env.erase(V);
                return !All;
            }
        }
        Env.erase(V);
        return All;
    }

    bool Body(TSub* N)
    {
        bool Value = true;
        if (N->Is(TClass::Atom)) {
            Value = Atom(static_cast<TAtom*>(N));
        } else {
            const bool L = !N->L || Node(N->L, 0);
            const bool R = !N->R || Node(N->R, 0);
            Value = N->Is(TClass::Con)   ? L && R
                    : N->Is(TClass::Dis) ? L || R
                    : N->Is(TClass::Imp) ? !L || R
                                         : L == R;
        }
        return N->Neg ? !Value : Value;
    }

    bool Atom(TAtom* A)
    {
        TId* T = A->Id;
        std::string Name;
        TTuple Args;
        if (T && T->Is(TClass::Functor)) {
            auto* F = static_cast<TFunctor*>(T);
            Name = F->Name;
            for (std::int32_t K = 0; K < F->Params.Count(); ++K)
                Args.push_back(Term(F->Params.Get(K)));
        } else if (T && T->Is(TClass::FunctorA)) {
            Name = static_cast<TFunctorA*>(T)->Name;
        }
        const auto It = I.Predicates.find({Name, Args});
        return It != I.Predicates.end() && It->second;
    }

    int Term(TId* T)
    {
        switch (T->Class) {
        case TClass::Variable: {
            auto* V = static_cast<TVariable*>(T);
            if (V->Id)
                return Term(V->Id);
            const auto It = Env.find(V);
            return It == Env.end() ? 0 : It->second;
        }
        case TClass::StrLit:
        case TClass::Integer:
        case TClass::Real: {
            const auto It = I.Literals.find(TSignature::LiteralKey(T));
            return It == I.Literals.end() ? 0 : It->second;
        }
        case TClass::FunctorA: {
            if (const auto L = I.Literals.find(static_cast<TFunctorA*>(T)->Name);
                L != I.Literals.end())
                return L->second;
            const auto It = I.Constants.find(static_cast<TFunctorA*>(T)->Name);
            return It == I.Constants.end() ? 0 : It->second;
        }
        case TClass::Functor: {
            auto* F = static_cast<TFunctor*>(T);
            TTuple Args;
            for (std::int32_t K = 0; K < F->Params.Count(); ++K)
                Args.push_back(Term(F->Params.Get(K)));
            const auto It = I.Functions.find({F->Name, Args});
            return It == I.Functions.end() ? 0 : It->second;
        }
        default:
            return 0;
        }
    }

    const TInterpretation& I;
    std::unordered_map<const TVariable*, int> Env;
};

// ---- the propositional problem of one domain size

// The host may stop the solver: it is asked now and then from inside the search.
class TAskHost : public CaDiCaL::Terminator {
public:
    bool terminate() override
    {
        YieldToHost();
        return StopRequested;
    }
};

class TEncoder {
public:
    TEncoder(int ASize, const std::map<std::string, int>& ALiterals)
        : Size(ASize), Literals(ALiterals)
    {
        Solver.set("quiet", 1); // the solver's own messages would go to standard output
        True = New();
        Clause({True});
    }

    CaDiCaL::Solver Solver;

    // Asserts the formula (or its negation).
    void Assert(TFALFormula* F, bool Value)
    {
        const int L = F->Cont ? Node(F->Cont, 0) : True;
        Clause({Value ? L : -L});
    }

    // The least-number heuristic: elements no constant has taken yet are interchangeable,
    // so the i-th constant takes one of the elements before it or the first new one.
    void BreakSymmetry(const std::vector<std::string>& Order)
    {
        int Bound = static_cast<int>(Literals.size());
        for (const std::string& C : Order) {
            const std::vector<int>& Values = Constant(C);
            for (int E = Bound + 1; E < Size; ++E)
                Clause({-Values[static_cast<std::size_t>(E)]});
            ++Bound;
        }
    }

    TInterpretation Read()
    {
        TInterpretation I;
        I.Size = Size;
        I.Literals = Literals;
        for (const auto& [Name, Values] : Constants)
            I.Constants[Name] = ValueOf(Values);
        for (const auto& [Key, Values] : Functions)
            I.Functions[Key] = ValueOf(Values);
        for (const auto& [Key, Var] : Predicates)
            I.Predicates[Key] = Solver.val(Var) > 0;
        return I;
    }

private:
    int New() { return ++Vars; }

    void Clause(std::initializer_list<int> Lits)
    {
        for (int L : Lits)
            Solver.add(L);
        Solver.add(0);
    }

    void Clause(const std::vector<int>& Lits)
    {
        for (int L : Lits)
            Solver.add(L);
        Solver.add(0);
    }

    int ValueOf(const std::vector<int>& Values)
    {
        for (int E = 0; E < Size; ++E)
            if (Solver.val(Values[static_cast<std::size_t>(E)]) > 0)
                return E;
        return 0;
    }

    // A fresh value: one literal per element, exactly one true.
    std::vector<int> ExactlyOne()
    {
        std::vector<int> Values;
        for (int E = 0; E < Size; ++E)
            Values.push_back(New());
        Clause(Values);
        for (int A = 0; A < Size; ++A)
            for (int B = A + 1; B < Size; ++B)
                Clause(
                    {-Values[static_cast<std::size_t>(A)], -Values[static_cast<std::size_t>(B)]});
        return Values;
    }

    std::vector<int> Element(int E)
    {
        std::vector<int> Values(static_cast<std::size_t>(Size), -True);
        Values[static_cast<std::size_t>(E)] = True;
        return Values;
    }

    // The element a value stands for when it is one already; -1 otherwise.
    int Fixed(const std::vector<int>& Values) const
    {
        int Found = -1;
        for (int E = 0; E < Size; ++E) {
            const int L = Values[static_cast<std::size_t>(E)];
            if (L == True) {
                if (Found >= 0)
                    return -1;
                Found = E;
            } else if (L != -True) {
                return -1;
            }
        }
        return Found;
    }

    const std::vector<int>& Constant(const std::string& Name)
    {
        auto It = Constants.find(Name);
        if (It == Constants.end())
            It = Constants.emplace(Name, ExactlyOne()).first;
        return It->second;
    }

    const std::vector<int>& Function(const std::string& Name, const TTuple& Args)
    {
        auto It = Functions.find({Name, Args});
        if (It == Functions.end())
            It = Functions.emplace(std::make_pair(Name, Args), ExactlyOne()).first;
        return It->second;
    }

    int Predicate(const std::string& Name, const TTuple& Args)
    {
        auto It = Predicates.find({Name, Args});
        if (It == Predicates.end())
            It = Predicates.emplace(std::make_pair(Name, Args), New()).first;
        return It->second;
    }

    // Each argument tuple that the arguments may take, with the literals that say they do.
    void ForEachChoice(const std::vector<std::vector<int>>& Args,
                       const std::function<void(const TTuple&, std::vector<int>&)>& Do)
    {
        ForEachTuple(
            Size, static_cast<int>(Args.size()),
            [&](const TTuple& T) {
                std::vector<int> Unless; // the negated conditions
                for (std::size_t K = 0; K < Args.size(); ++K) {
                    const int L = Args[K][static_cast<std::size_t>(T[K])];
                    if (L == -True)
                        return;
                    if (L != True)
                        Unless.push_back(-L);
                }
                Do(T, Unless);
            },
            true);
    }

    // The values of F's arguments, and the elements they are where they are one already:
    // true when every argument is.
    bool Arguments(TFunctor* F, std::vector<std::vector<int>>& Args, TTuple& Known)
    {
        for (std::int32_t K = 0; K < F->Params.Count(); ++K) {
            Args.push_back(Term(F->Params.Get(K)));
            Known.push_back(Fixed(Args.back()));
        }
        return std::find(Known.begin(), Known.end(), -1) == Known.end();
    }

    std::vector<int> Term(TId* T)
    {
        switch (T->Class) {
        case TClass::Variable: {
            auto* V = static_cast<TVariable*>(T);
            if (V->Id)
                return Term(V->Id);
            const auto It = Env.find(V);
            return Element(It == Env.end() ? 0 : It->second);
        }
        case TClass::StrLit:
        case TClass::Integer:
        case TClass::Real:
            return Element(Literals.at(TSignature::LiteralKey(T)));
        case TClass::FunctorA:
            if (const auto L = Literals.find(static_cast<TFunctorA*>(T)->Name); L != Literals.end())
                return Element(L->second);
            return Constant(static_cast<TFunctorA*>(T)->Name);
        case TClass::Functor: {
            auto* F = static_cast<TFunctor*>(T);
            std::vector<std::vector<int>> Args;
            TTuple Known;
            if (Arguments(F, Args, Known))
                return Function(F->Name, Known);
            // y_v holds when some tuple the arguments take has the value v; at most one does.
            std::vector<int> Values;
            for (int E = 0; E < Size; ++E)
                Values.push_back(New());
            ForEachChoice(Args, [&](const TTuple& Tuple, std::vector<int>& Unless) {
                const std::vector<int>& Table = Function(F->Name, Tuple);
                for (int E = 0; E < Size; ++E) {
                    std::vector<int> C = Unless;
                    C.push_back(-Table[static_cast<std::size_t>(E)]);
                    C.push_back(Values[static_cast<std::size_t>(E)]);
                    Clause(C);
                }
            });
            for (int A = 0; A < Size; ++A)
                for (int B = A + 1; B < Size; ++B)
                    Clause({-Values[static_cast<std::size_t>(A)],
                            -Values[static_cast<std::size_t>(B)]});
            return Values;
        }
        default:
            return Element(0);
        }
    }

    int Atom(TAtom* A)
    {
        TId* T = A->Id;
        if (T && T->Is(TClass::FunctorA))
            return Predicate(static_cast<TFunctorA*>(T)->Name, {});
        if (!T || !T->Is(TClass::Functor))
            return -True;
        auto* F = static_cast<TFunctor*>(T);
        std::vector<std::vector<int>> Args;
        TTuple Known;
        if (Arguments(F, Args, Known))
            return Predicate(F->Name, Known);
        // The atom is the predicate at the one tuple its arguments take.
        const int X = New();
        ForEachChoice(Args, [&](const TTuple& Tuple, std::vector<int>& Unless) {
            const int P = Predicate(F->Name, Tuple);
            std::vector<int> C = Unless;
            C.push_back(-X);
            C.push_back(P);
            Clause(C);
            C = Unless;
            C.push_back(X);
            C.push_back(-P);
            Clause(C);
        });
        return X;
    }

    int And(const std::vector<int>& Parts)
    {
        std::vector<int> Left;
        for (int P : Parts) {
            if (P == -True)
                return -True;
            if (P != True)
                Left.push_back(P);
        }
        if (Left.empty())
            return True;
        if (Left.size() == 1)
            return Left[0];
        const int X = New();
        std::vector<int> Back{X};
        for (int P : Left) {
            Clause({-X, P});
            Back.push_back(-P);
        }
        Clause(Back);
        return X;
    }

    int Or(const std::vector<int>& Parts)
    {
        std::vector<int> Negated;
        for (int P : Parts)
            Negated.push_back(-P);
        return -And(Negated);
    }

    int Node(TSub* N, std::int32_t At)
    {
        if (N->Val != 0)
            return N->Val > 0 ? True : -True;
        if (!N->Q || At == N->Q->Count())
            return Body(N);
        TVariable* V = N->Q->Get(At);
        if (!V || V->Id)
            return Node(N, At + 1);
        std::vector<int> Parts;
        for (int E = 0; E < Size; ++E) {
            // A grounding grows with the power of the domain: the host is asked now and
            // then, so that Stop and the limits reach inside it. A stopped encoding is
            // thrown away.
            if (WalkStopped())
                break;
            Env[V] = E;
            Parts.push_back(Node(N, At + 1));
        }
        Env.erase(V);
        return V->Kind == Sym::ForAll ? And(Parts) : Or(Parts);
    }

    int Body(TSub* N)
    {
        int X = True;
        if (N->Is(TClass::Atom)) {
            X = Atom(static_cast<TAtom*>(N));
        } else {
            const int L = N->L ? Node(N->L, 0) : True;
            const int R = N->R ? Node(N->R, 0) : True;
            if (N->Is(TClass::Con))
                X = And({L, R});
            else if (N->Is(TClass::Dis))
                X = Or({L, R});
            else if (N->Is(TClass::Imp))
                X = Or({-L, R});
            else
                X = And({Or({-L, R}), Or({L, -R})});
        }
        return N->Neg ? -X : X;
    }

    int Size;
    const std::map<std::string, int>& Literals;
    int Vars = 0;
    int True = 0;
    std::unordered_map<const TVariable*, int> Env;
    std::map<std::string, std::vector<int>> Constants;
    std::map<std::pair<std::string, TTuple>, std::vector<int>> Functions;
    std::map<std::pair<std::string, TTuple>, int> Predicates;
};
} // namespace

bool Holds(TFALFormula* F, const TInterpretation& I)
{
    return TEvaluator(I).Formula(F);
}

void SearchModel(const std::vector<TFALFormula*>& Axioms, TFALFormula* Query,
                 const std::vector<TFALFormula*>& Originals, TModelSearch& Search)
{
    std::vector<TFALFormula*> All = Axioms;
    All.push_back(Query);
    const TSignature Simplified = SignatureOf(All, HostNaming());
    TSignature Everything = SignatureOf(Originals, HostNaming());
    for (const std::string& L : Simplified.Literals)
        TSignature::Note(Everything.Literals, L);
    // Numbers and strings are distinct elements, the first ones of the domain.
    std::map<std::string, int> Literals;
    for (const std::string& L : Everything.Literals)
        Literals.emplace(L, static_cast<int>(Literals.size()));
    Search.Result = TModelResult::NoneUpToLimit;
    for (int Size = std::max<int>(1, static_cast<int>(Literals.size())); Size <= Search.MaxDomain;
         ++Size) {
        YieldToHost();
        if (StopRequested) {
            Search.Result = TModelResult::Stopped;
            return;
        }
        Search.Tried = Size;
        TEncoder Encoder(Size, Literals);
        for (TFALFormula* A : Axioms)
            Encoder.Assert(A, true);
        Encoder.Assert(Query, false);
        Encoder.BreakSymmetry(Simplified.Constants);
        if (StopRequested) {
            Search.Result = TModelResult::Stopped;
            return;
        }
        TAskHost Ask;
        Encoder.Solver.connect_terminator(&Ask);
        const int Answer = Encoder.Solver.solve();
        Encoder.Solver.disconnect_terminator();
        if (Answer == 0 || StopRequested) {
            Search.Result = TModelResult::Stopped;
            return;
        }
        if (Answer != 10)
            continue;
        TInterpretation Model = Encoder.Read();
        // The model must make every original axiom true and the query false.
        bool Sound = !Originals.empty() && !Holds(Originals.back(), Model);
        for (std::size_t I = 0; Sound && I + 1 < Originals.size(); ++I)
            Sound = Holds(Originals[I], Model);
        if (StopRequested) {
            Search.Result = TModelResult::Stopped;
            return;
        }
        if (!Sound)
            continue; // a fault of the encoding: never given as a model
        Search.Model = std::move(Model);
        Search.Result = TModelResult::Found;
        return;
    }
}

namespace {
std::string Tuple(const TTuple& T)
{
    std::string S;
    for (std::size_t I = 0; I < T.size(); ++I)
        S += (I ? ", " : "") + std::to_string(T[I]);
    return S;
}
} // namespace

namespace {
// How the names of a model are shown: as the file has them for a problem read from TPTP.
struct TShown {
    const TTptpNaming* Naming;

    std::string Name(const std::string& N) const { return Naming ? Naming->Functor(N) : N; }
    std::string Tptp(const std::string& N) const
    {
        return Naming ? Naming->Functor(N) : TptpName(N);
    }
    // A number or string as printed by Nivar, in TPTP.
    std::string Literal(const std::string& L) const
    {
        if (!L.empty() && L[0] == '"')
            return TTptpNaming::Distinct(L.substr(1, L.size() - 2), Naming != nullptr);
        if (Naming && TTptpNaming::IsNumber(L))
            return Naming->Functor(L);
        return L.find_first_not_of("-0123456789") == std::string::npos ? L : "'" + L + "'";
    }
    // The reader's helper atoms are no predicates of the problem.
    bool Helper(const std::string& N) const
    {
        return Naming && (N == TptpTrueAtom || N == TptpGoalAtom);
    }
};
} // namespace

std::vector<std::string> ModelBlock(const TInterpretation& I,
                                    const std::vector<TFALFormula*>& Formulas,
                                    const TTptpNaming* Naming)
{
    const TShown Shown{Naming};
    const TSignature S = SignatureOf(Formulas, Naming);
    std::vector<std::string> Out{"Counter-model, domain size " + std::to_string(I.Size) + ":"};
    std::string Values;
    auto Add = [](std::string& Line, const std::string& Item) {
        Line += (Line.empty() ? "  " : "  ") + Item;
    };
    for (const std::string& L : S.Literals)
        if (I.Literals.count(L))
            Add(Values,
                (Naming ? Shown.Literal(L) : L) + " = " + std::to_string(I.Literals.at(L)) + ".");
    for (const std::string& C : S.Constants) {
        const auto It = I.Constants.find(C);
        Add(Values,
            Shown.Name(C) + " = " + std::to_string(It == I.Constants.end() ? 0 : It->second) + ".");
    }
    for (const auto& Function : S.Functions)
        ForEachTuple(I.Size, Function.second, [&](const TTuple& T) {
            const std::string& Name = Function.first;
            const auto It = I.Functions.find({Name, T});
            Add(Values, Shown.Name(Name) + "(" + Tuple(T) + ") = " +
                            std::to_string(It == I.Functions.end() ? 0 : It->second) + ".");
        });
    if (!Values.empty())
        Out.push_back(Values);
    std::string Relations;
    for (const auto& Predicate : S.Predicates) {
        const std::string& Name = Predicate.first;
        const int Arity = Predicate.second;
        if (Shown.Helper(Name))
            continue;
        if (Arity == 0) {
            const auto It = I.Predicates.find({Name, {}});
            Add(Relations, Shown.Name(Name) + ": " +
                               (It != I.Predicates.end() && It->second ? "true." : "false."));
            continue;
        }
        std::string Set;
        ForEachTuple(I.Size, Arity, [&](const TTuple& T) {
            const auto It = I.Predicates.find({Name, T});
            if (It != I.Predicates.end() && It->second)
                Set += (Set.empty() ? "" : ", ") + (Arity == 1 ? Tuple(T) : "(" + Tuple(T) + ")");
        });
        Add(Relations, Shown.Name(Name) + ": {" + Set + "}.");
    }
    if (!Relations.empty())
        Out.push_back(Relations);
    return Out;
}

std::vector<std::string> TptpModel(const TInterpretation& I,
                                   const std::vector<TFALFormula*>& Formulas,
                                   const TTptpNaming* Naming)
{
    const TShown Shown{Naming};
    const TSignature S = SignatureOf(Formulas, Naming);
    // A number or string of the formulas is its own element and is written as itself; every
    // other element is a distinct object of a name that none of them has.
    std::vector<std::string> Element(static_cast<std::size_t>(I.Size));
    std::set<std::string> Taken;
    for (const auto& [L, E] : I.Literals)
        if (E >= 0 && E < I.Size) {
            Element[static_cast<std::size_t>(E)] = Shown.Literal(L);
            Taken.insert(Element[static_cast<std::size_t>(E)]);
        }
    for (int E = 0; E < I.Size; ++E) {
        std::string& Name = Element[static_cast<std::size_t>(E)];
        if (!Name.empty())
            continue;
        Name = "\"e" + std::to_string(E) + "\"";
        while (Taken.count(Name))
            Name.insert(Name.size() - 1, "_");
        Taken.insert(Name);
    }
    auto Of = [&Element](int E) { return Element[static_cast<std::size_t>(E)]; };
    std::vector<std::string> Out;
    std::string Domain;
    for (int E = 0; E < I.Size; ++E)
        Domain += (E ? " | X = " : "X = ") + Of(E);
    Out.push_back("fof(nivar_domain, fi_domain, ! [X] : (" + Domain + ")).");
    std::string Functors;
    auto And = [](std::string& Line, const std::string& Item) {
        Line += (Line.empty() ? "" : " & ") + Item;
    };
    for (const std::string& C : S.Constants) {
        const auto It = I.Constants.find(C);
        And(Functors, Shown.Tptp(C) + " = " + Of(It == I.Constants.end() ? 0 : It->second));
    }
    auto Args = [&Of](const TTuple& T) {
        std::string A;
        for (std::size_t K = 0; K < T.size(); ++K)
            A += (K ? ", " : "") + Of(T[K]);
        return A;
    };
    for (const auto& Function : S.Functions)
        ForEachTuple(I.Size, Function.second, [&](const TTuple& T) {
            const std::string& F = Function.first;
            const auto It = I.Functions.find({F, T});
            And(Functors, Shown.Tptp(F) + "(" + Args(T) +
                              ") = " + Of(It == I.Functions.end() ? 0 : It->second));
        });
    if (!Functors.empty())
        Out.push_back("fof(nivar_functors, fi_functors, (" + Functors + ")).");
    std::string Predicates;
    for (const auto& Predicate : S.Predicates) {
        if (Shown.Helper(Predicate.first))
            continue;
        ForEachTuple(I.Size, Predicate.second, [&](const TTuple& T) {
            const std::string& P = Predicate.first;
            const int Arity = Predicate.second;
            const auto It = I.Predicates.find({P, T});
            const bool True = It != I.Predicates.end() && It->second;
            And(Predicates,
                std::string(True ? "" : "~ ") + Shown.Tptp(P) + (Arity ? "(" + Args(T) + ")" : ""));
        });
    }
    if (!Predicates.empty())
        Out.push_back("fof(nivar_predicates, fi_predicates, (" + Predicates + ")).");
    return Out;
}

namespace {
void Release(std::vector<TFALFormula*>& Formulas)
{
    for (TFALFormula* F : Formulas)
        delete F;
    Formulas.clear();
}

// Compiles the whole text, each formula simplified or not; -1, or the caret index of a
// syntax error.
std::int32_t CompileAll(TPLProgram& Program, const std::string& Text, bool Simplify,
                        std::vector<TFALFormula*>& Out)
{
    ResetCompileState();
    const auto Ready = [] {
        YieldToHost();
        return !StopRequested;
    };
    return ForEachFormula(Program, Text, Ready, [&](TFALFormula* F, std::int32_t At) {
        F->TextStart = At;
        if (Simplify)
            F->Simplify();
        Out.push_back(F);
    });
}

void SearchEach(TPLProgram* Program, int MaxDomain, std::int64_t Only)
{
    const std::string Text = Program->Owner->GetEditorText();
    std::vector<TFALFormula*> Originals;
    std::vector<TFALFormula*> Simplified;
    const std::int32_t Error = CompileAll(*Program, Text, false, Originals);
    if (Error >= 0) {
        Program->Owner->SetCaret(Error);
        Release(Originals);
        return;
    }
    if (CompileAll(*Program, Text, true, Simplified) >= 0 || StopRequested ||
        Simplified.size() != Originals.size()) {
        Release(Originals);
        Release(Simplified);
        return;
    }
    std::vector<TFormulaText> Written = FormulaTexts(Text);
    std::vector<TFALFormula*> Axioms;
    std::vector<TFALFormula*> OriginalAxioms;
    std::int64_t Number = 0;
    for (std::size_t I = 0; I < Simplified.size() && !StopRequested; ++I) {
        if (!Simplified[I]->Is(TClass::Query)) {
            Axioms.push_back(Simplified[I]);
            OriginalAxioms.push_back(Originals[I]);
            continue;
        }
        if (Only > 0 && ++Number != Only)
            continue;
        if (Only == 0)
            ++Number;
        const auto Start = std::chrono::steady_clock::now();
        WriteLine("?- " + (I < Written.size() ? Written[I].Text : Printed(Originals[I])) + ".");
        TModelSearch Search;
        Search.MaxDomain = MaxDomain;
        std::vector<TFALFormula*> Checked = OriginalAxioms;
        Checked.push_back(Originals[I]);
        SearchModel(Axioms, Simplified[I], Checked, Search);
        TQueryOutcome Outcome;
        Outcome.Number = Number;
        if (Search.Result == TModelResult::Found) {
            for (const std::string& Line : ModelBlock(Search.Model, Checked, HostNaming()))
                WriteLine(Line);
            Outcome.CounterSatisfiable = true;
            Outcome.Model = TptpModel(Search.Model, Checked, HostNaming());
        } else if (Search.Result == TModelResult::NoneUpToLimit) {
            WriteLine("No counter-model up to domain size " + std::to_string(MaxDomain) + ".");
        }
        Outcome.Stop = StopRequested ? StopReason : TStopReason::None;
        Outcome.Seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
        ++QueriesEvaluated;
        Program->Owner->QueryEnded(Outcome);
    }
    Release(Originals);
    Release(Simplified);
}
} // namespace

TRunOutcome RunModelSearch(TPLProgram*& Program, int MaxDomain, std::int64_t Only)
{
    const TRunOutcome Outcome = RunGuarded(Program, [Program, MaxDomain, Only] {
        ResetRunState();
        CurrentProgram = Program;
        // The standard meaning: free names universal outside every quantifier.
        ForcedOptions[static_cast<int>(TOption::Quant1)] = 1;
        ForcedOptions[static_cast<int>(TOption::Skolem1)] = -1;
        Program->Owner->ClearOutput();
        const auto Start = std::chrono::steady_clock::now();
        SearchEach(Program, MaxDomain, Only);
        if (!(StopRequested && StopReason == TStopReason::User) && OptionOn(TOption::Time)) {
            const std::chrono::duration<double> Elapsed = std::chrono::steady_clock::now() - Start;
            WriteLine("Solving time : " +
                      FormatFixed2(std::max(0.0, Elapsed.count() - MessageSeconds)) + " s. ");
        }
    });
    for (int I = 0; I < OptionCount; ++I)
        ForcedOptions[I] = 0;
    return Outcome;
}
