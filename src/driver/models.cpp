#include "driver/models.h"

#include "driver/grounding.h"
#include "driver/modelwrite.h"
#include "driver/run.h"
#include "driver/signature.h"
#include "language/compile.h"
#include "language/lexer.h"
#include "language/parser.h"
#include "model/owner.h"
#include "model/print.h"
#include "model/runstate.h"
#include "model/terms.h"

#include <algorithm>
#include <chrono>
#include <unordered_map>

namespace {
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
        if (const TEquation E = EquationOf(A->Id))
            return (Term(const_cast<TId*>(E.Left)) == Term(const_cast<TId*>(E.Right))) != E.Negated;
        TTuple Args;
        for (TId* Arg : ArgumentsOf(A->Id))
            Args.push_back(Term(Arg));
        const auto It = I.Predicates.find({PredicateOf(A), Args});
        return It != I.Predicates.end() && It->second;
    }

    int Term(TId* T)
    {
        return FoldTerm<int>(T,
                             [this](const TId* X, std::span<int> Args) { return Value(X, Args); });
    }

    // The element a term is, given the elements its arguments are.
    int Value(const TId* T, std::span<int> Args)
    {
        if (!T)
            return 0;
        switch (T->Class) {
        case TClass::Variable: {
            const auto It = Env.find(static_cast<const TVariable*>(T));
            return It == Env.end() ? 0 : It->second;
        }
        case TClass::StrLit:
        case TClass::Integer:
        case TClass::Real: {
            const auto It = I.Literals.find(TSignature::LiteralKey(T));
            return It == I.Literals.end() ? 0 : It->second;
        }
        case TClass::FunctorA: {
            if (const auto L = I.Literals.find(SymbolOf(T)); L != I.Literals.end())
                return L->second;
            const auto It = I.Constants.find(SymbolOf(T));
            return It == I.Constants.end() ? 0 : It->second;
        }
        case TClass::Functor: {
            const auto It = I.Functions.find({SymbolOf(T), TTuple(Args.begin(), Args.end())});
            return It == I.Functions.end() ? 0 : It->second;
        }
        default:
            return 0;
        }
    }

    const TInterpretation& I;
    std::unordered_map<const TVariable*, int> Env;
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
        TInterpretation Model;
        const TGrounded Grounded =
            SolveAtSize(Size, Literals, Axioms, Query, Simplified.Constants, Model);
        if (Grounded == TGrounded::Stopped) {
            Search.Result = TModelResult::Stopped;
            return;
        }
        if (Grounded == TGrounded::None)
            continue;
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
