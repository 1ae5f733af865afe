#include "driver/grounding.h"

#include "driver/signature.h"
#include "model/owner.h"
#include "model/runstate.h"
#include "model/symbols.h"
#include "model/terms.h"

#include <algorithm>
#include <cadical.hpp>
#include <functional>
#include <initializer_list>
#include <unordered_map>

namespace {
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

    // The elements the argument values are where they are one already: true when every one is.
    bool Elements(const std::vector<std::vector<int>>& Args, TTuple& Known)
    {
        for (const std::vector<int>& Arg : Args)
            Known.push_back(Fixed(Arg));
        return std::find(Known.begin(), Known.end(), -1) == Known.end();
    }

    // The value of a term: for each element, the literal that says the term is it.
    std::vector<int> Term(TId* T)
    {
        return FoldTerm<std::vector<int>>(
            T, [this](const TId* X, std::span<std::vector<int>> Args) { return Value(X, Args); });
    }

    std::vector<int> Value(const TId* T, std::span<std::vector<int>> ArgValues)
    {
        if (!T)
            return Element(0);
        switch (T->Class) {
        case TClass::Variable: {
            const auto It = Env.find(static_cast<const TVariable*>(T));
            return Element(It == Env.end() ? 0 : It->second);
        }
        case TClass::StrLit:
        case TClass::Integer:
        case TClass::Real:
            return Element(Literals.at(TSignature::LiteralKey(T)));
        case TClass::FunctorA:
            if (const auto L = Literals.find(SymbolOf(T)); L != Literals.end())
                return Element(L->second);
            return Constant(SymbolOf(T));
        case TClass::Functor: {
            const std::string& Name = SymbolOf(T);
            std::vector<std::vector<int>> Args(std::make_move_iterator(ArgValues.begin()),
                                               std::make_move_iterator(ArgValues.end()));
            TTuple Known;
            if (Elements(Args, Known))
                return Function(Name, Known);
            // y_v holds when some tuple the arguments take has the value v; at most one does.
            std::vector<int> Values;
            for (int E = 0; E < Size; ++E)
                Values.push_back(New());
            ForEachChoice(Args, [&](const TTuple& Tuple, std::vector<int>& Unless) {
                const std::vector<int>& Table = Function(Name, Tuple);
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

    // s = t holds when both sides are the same element; each side is exactly one.
    int Equation(const TEquation& E)
    {
        const std::vector<int> L = Term(const_cast<TId*>(E.Left));
        const std::vector<int> R = Term(const_cast<TId*>(E.Right));
        int X = 0;
        if (Fixed(L) >= 0 && Fixed(R) >= 0) {
            X = Fixed(L) == Fixed(R) ? True : -True;
        } else {
            X = New();
            for (std::size_t V = 0; V < L.size(); ++V) {
                Clause({-L[V], -R[V], X});
                Clause({-X, -L[V], R[V]});
            }
        }
        return E.Negated ? -X : X;
    }

    int Atom(TAtom* A)
    {
        const TId* T = A->Id;
        if (!T || !T->IsFunc())
            return -True;
        if (const TEquation E = EquationOf(T))
            return Equation(E);
        const std::string& Name = SymbolOf(T);
        std::vector<std::vector<int>> Args;
        for (TId* Arg : ArgumentsOf(T))
            Args.push_back(Term(Arg));
        TTuple Known;
        if (Elements(Args, Known))
            return Predicate(Name, Known);
        // The atom is the predicate at the one tuple its arguments take.
        const int X = New();
        ForEachChoice(Args, [&](const TTuple& Tuple, std::vector<int>& Unless) {
            const int P = Predicate(Name, Tuple);
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

TGrounded SolveAtSize(int Size, const std::map<std::string, int>& Literals,
                      const std::vector<TFALFormula*>& Axioms, TFALFormula* Query,
                      const std::vector<std::string>& Constants, TInterpretation& Model)
{
    TEncoder Encoder(Size, Literals);
    for (TFALFormula* A : Axioms)
        Encoder.Assert(A, true);
    Encoder.Assert(Query, false);
    Encoder.BreakSymmetry(Constants);
    if (StopRequested)
        return TGrounded::Stopped;
    TAskHost Ask;
    Encoder.Solver.connect_terminator(&Ask);
    const int Answer = Encoder.Solver.solve();
    Encoder.Solver.disconnect_terminator();
    if (Answer == 0 || StopRequested)
        return TGrounded::Stopped;
    if (Answer != 10)
        return TGrounded::None;
    Model = Encoder.Read();
    return TGrounded::Model;
}
