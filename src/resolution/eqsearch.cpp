#include "resolution/eqsearch.h"

#include "model/alloc.h"
#include "model/formula.h"
#include "model/owner.h"
#include "model/print.h"
#include "model/runstate.h"
#include "model/symbols.h"
#include "model/terms.h"
#include "model/tptpnames.h"
#include "model/tptpwrite.h"
#include "resolution/clauses.h"
#include "resolution/limits.h"
#include "resolution/proof.h"
#include "resolution/search.h"
#include "resolution/superposition.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {
// A formula on the way to clauses: a source formula, or a part of the one at Parent.
struct TPart {
    TFALFormula* Formula;
    std::int64_t Parent; // in the parts; -1 for a source formula
    std::int32_t Source; // its index in ListF
    bool Clause = false; // a clause of the search (a false part: the empty clause)
    std::string Label;
};

constexpr std::int64_t MaxSplits = 10000;

// Splits the source formulas into clauses; false when one does not split into clauses the
// calculus reads, the parts made then freed.
bool SplitIntoClauses(TPLProgram* Program, std::vector<TPart>& Parts)
{
    for (std::int32_t I = 0; I < Program->ListF.Count(); ++I)
        if (TFALFormula* F = Program->ListF.Get(I))
            Parts.push_back({F, -1, I, false, Label('F', I)});
    std::int64_t Splits = 0;
    bool Ok = true;
    for (std::size_t P = 0; P < Parts.size() && Ok; ++P) {
        TFALFormula* F = Parts[P].Formula;
        if (!F->Cont || F->Cont->Val == 1)
            continue; // true: no clause
        if (F->Cont->Val == -1) {
            Parts[P].Clause = true;
            continue;
        }
        const TSplitPoint At = FindSplit(F);
        if (At.Blocked || (At.Node && ++Splits > MaxSplits) || StopRequested) {
            Ok = false;
        } else if (At.Node) {
            for (TFALFormula* Part : SplitAt(F, At.Node)) {
                Parts.push_back({Part, static_cast<std::int64_t>(P), Parts[P].Source, false, {}});
                Ok = Ok && WithinLimits(Part);
            }
        } else {
            Parts[P].Clause = ClauseOf(F).Valid;
            Ok = Parts[P].Clause;
        }
    }
    if (!Ok) {
        for (TPart& P : Parts)
            if (P.Parent >= 0)
                delete P.Formula;
        Parts.clear();
    }
    return Ok;
}

// The variables of the query whose values answer it: those of its root prefix (Prefix) that
// kept no Skolem term.
std::vector<TVariable*> AnswerVariables(TPLProgram* Program, std::vector<TVariable*>& Prefix)
{
    std::vector<TVariable*> Out;
    for (std::int32_t I = Program->ListF.Count() - 1; I >= 0; --I) {
        TFALFormula* F = Program->ListF.Get(I);
        if (!F || !F->Is(TClass::Query))
            continue;
        if (F->Cont && F->Cont->Q)
            for (TVariable* V : F->Cont->Q->Items) {
                if (V)
                    Prefix.push_back(V);
                if (V && !V->Id && V->Watch == V)
                    Out.push_back(V);
            }
        break;
    }
    return Out;
}

// Formulas read into the calculus's terms, and clauses written back as formulas.
class TTranslation {
public:
    TTranslation(TTermBank& ABank, TPLProgram* AProgram) : Bank(ABank), Program(AProgram) {}

    // The literals of a clause; false when an atom has a variable for its predicate. With
    // Answers, a literal of the answer predicate holds the clause's values of them.
    bool Literals(TFALFormula* F, const std::vector<TVariable*>& Answers,
                  std::vector<TEqLiteral>& Out)
    {
        Variables.clear();
        NextIndex = 0;
        Out.clear();
        if (F->Cont && F->Cont->Val == -1)
            return true;
        for (const TClause::TLiteral& L : ClauseOf(F).Literals) {
            const TId* T = Bound(L.Atom->Id);
            if (const TEquation E = EquationOf(T)) {
                Out.push_back({Term(E.Left), Term(E.Right), (L.Sign > 0) != E.Negated, false});
                continue;
            }
            if (!T || !T->IsFunc())
                return false;
            std::vector<TTermRef> Args;
            for (const TId* A : ArgumentsOf(T))
                Args.push_back(Term(A));
            const std::uint32_t S = Bank.Symbol(
                SymbolOf(T), static_cast<std::uint32_t>(Args.size()), TSymbol::Predicate);
            ++Bank.SymbolInfo(S).Count;
            Out.push_back({Bank.Apply(S, Args), Bank.True(), L.Sign > 0, false});
        }
        if (!Answers.empty()) {
            std::vector<TTermRef> Args;
            for (const TVariable* W : Answers) {
                TTermRef Value = NoTerm;
                for (const auto& [V, Index] : Variables)
                    if (V->Watch == W)
                        Value = Bank.Variable(Index);
                Args.push_back(Value != NoTerm ? Value : Fresh());
            }
            Out.push_back({Bank.Apply(AnswerSymbol(Args.size()), Args), Bank.True(), true, false});
        }
        return true;
    }

    std::uint32_t AnswerSymbol(std::size_t Arity)
    {
        return Bank.Symbol("answer", static_cast<std::uint32_t>(Arity), TSymbol::Answer);
    }

    // The clause as a formula of the program, its variables universal; answer literals left
    // out. The caller frees it.
    TFALFormula* Formula(const std::vector<TEqLiteral>& Literals)
    {
        auto* F = new TFALFormula(Program);
        Names.clear();
        Quant = nullptr;
        TSub* Root = nullptr;
        TAtom* Last = nullptr;
        for (const TEqLiteral& L : Literals) {
            if (Bank.IsAnswer(L.Left))
                continue;
            auto* A = new TAtom;
            if (L.Right == Bank.True()) {
                A->Id = Id(L.Left);
            } else {
                auto* Eq = new TFunctor(TName(std::string(1, '=')));
                Eq->Params.Add(Id(L.Left));
                Eq->Params.Add(Id(L.Right));
                A->Id = Eq;
            }
            A->Neg = !L.Positive;
            if (Last) {
                Last->R = A;
                A->L = Last;
            } else {
                F->MF = A;
            }
            Last = A;
            if (!Root) {
                Root = A;
            } else {
                TSub* Or = NewConnective(TClass::Dis);
                SetOperands(Or, Root, A);
                Root = Or;
            }
        }
        if (!Root) {
            Root = new TAtom;
            Root->Val = -1;
        }
        F->ML = Last;
        F->Cont = Root;
        Root->Ac = F;
        Root->Q = Quant;
        if (Quant)
            for (TVariable* V : Quant->Items)
                V->Master = Root;
        return F;
    }

    // A term as the report prints it; Tptp gets it in TPTP, or "" when it holds a Skolem
    // function.
    std::string Text(TTermRef T, std::string& Tptp)
    {
        Names.clear();
        Quant = nullptr;
        TId* Term = Id(T);
        std::string Out;
        Term->RPrint(Out);
        Tptp = HoldsSkolemTerm(Term) ? "" : TptpTerm(Term, HostNaming());
        Term->RFree();
        if (Quant)
            Quant->RFree();
        Quant = nullptr;
        return Out;
    }

private:
    // A term as the program's term; the variables of the clause in making.
    TId* Id(TTermRef T)
    {
        if (Bank.IsVariable(T)) {
            auto [It, New] = Names.try_emplace(Bank.VariableIndex(T), nullptr);
            if (New) {
                static const char* const Letters[] = {"X", "Y", "Z", "U", "V", "W"};
                const std::size_t N = Names.size() - 1;
                std::string Name = Letters[N % 6];
                if (N >= 6)
                    Name += std::to_string(N / 6);
                It->second = new TVariable(TName(Name), Sym::ForAll);
                if (!Quant)
                    Quant = new TQuant;
                Quant->Add(It->second);
            }
            return It->second;
        }
        const TSymbol& S = Bank.SymbolInfo(Bank.SymbolOf(T));
        switch (S.Kind) {
        case TSymbol::Integer:
            return new TInteger(static_cast<std::int32_t>(S.Number));
        case TSymbol::Real:
            return new TReal(S.Number);
        case TSymbol::String:
            return new TStrLit(S.Name);
        default:
            break;
        }
        const auto Args = Bank.Args(T);
        if (Args.empty())
            return new TFunctorA(TName(S.Name));
        auto* F = new TFunctor(TName(S.Name));
        for (TTermRef A : Args)
            F->Params.Add(Id(A));
        return F;
    }

    TTermRef Term(const TId* T)
    {
        return FoldTerm<TTermRef>(T, [this](const TId* X, std::span<TTermRef> Args) {
            if (!X)
                return Fresh();
            switch (X->Class) {
            case TClass::Variable: {
                auto* V = static_cast<const TVariable*>(X);
                auto [It, New] = Variables.try_emplace(V, NextIndex);
                if (New)
                    ++NextIndex;
                return Bank.Variable(It->second);
            }
            case TClass::Integer:
            case TClass::Real: {
                // A number is its value: 5 and 2.5 * 2 are one constant.
                const long double N = static_cast<const TNumber*>(X)->GetNumber();
                const bool Whole = N == std::floor(N) && std::fabs(N) < 2147483648.0L;
                return Constant(FormatReal(N), Whole ? TSymbol::Integer : TSymbol::Real, N);
            }
            case TClass::StrLit:
                return Constant(static_cast<const TStrLit*>(X)->Value, TSymbol::String, 0);
            default: {
                const std::uint32_t S = Bank.Symbol(
                    SymbolOf(X), static_cast<std::uint32_t>(Args.size()), TSymbol::Function);
                ++Bank.SymbolInfo(S).Count;
                return Bank.Apply(S, Args);
            }
            }
        });
    }

    TTermRef Constant(const std::string& Name, TSymbol::TKind Kind, long double Number)
    {
        const std::uint32_t S = Bank.Symbol(Name, 0, Kind, Number);
        ++Bank.SymbolInfo(S).Count;
        return Bank.Apply(S, {});
    }

    // A variable of its own, for a value the clause leaves open.
    TTermRef Fresh() { return Bank.Variable(NextIndex++); }

    TTermBank& Bank;
    TPLProgram* Program;
    std::unordered_map<const TVariable*, std::uint32_t> Variables;
    std::uint32_t NextIndex = 0;
    std::unordered_map<std::uint32_t, TVariable*> Names;
    TQuant* Quant = nullptr;
};

const char* InferenceName(TEqRule Rule)
{
    switch (Rule) {
    case TEqRule::Superposition:
        return "superposition";
    case TEqRule::EqualityResolution:
        return "equality_resolution";
    case TEqRule::EqualityFactoring:
        return "equality_factoring";
    case TEqRule::Rewriting:
        return "rewriting";
    case TEqRule::SimplifyReflect:
        return "simplify_reflect";
    case TEqRule::Input:
        break;
    }
    return "";
}

class TEqualitySearch {
public:
    explicit TEqualitySearch(TPLProgram* AProgram)
        : Program(AProgram), Search(Bank), Translation(Bank, AProgram)
    {
    }

    bool Run()
    {
        std::vector<TPart> Parts;
        if (!SplitIntoClauses(Program, Parts))
            return false;
        Answers = AnswerVariables(Program, Prefix);
        // Every clause read before the precedence is set from the symbols' occurrences.
        std::vector<std::vector<TEqLiteral>> Inputs;
        std::vector<std::size_t> Of;
        for (std::size_t P = 0; P < Parts.size(); ++P) {
            if (!Parts[P].Clause)
                continue;
            std::vector<TEqLiteral> Literals;
            TFALFormula* Source = Program->ListF.Get(Parts[P].Source);
            if (!Translation.Literals(Parts[P].Formula,
                                      Source->Is(TClass::Query) ? Answers : NoAnswers, Literals)) {
                for (TPart& X : Parts)
                    if (X.Parent >= 0)
                        delete X.Formula;
                return false;
            }
            Inputs.push_back(std::move(Literals));
            Of.push_back(P);
        }
        Bank.SetPrecedence();
        CalculusReport.Ran = true;
        // The parts are the clause form's resolvents, recorded as it records them.
        for (TPart& P : Parts)
            if (P.Parent >= 0) {
                const std::string Parent = Parts[static_cast<std::size_t>(P.Parent)].Label;
                RecordResolvent(P.Formula, Parent, Parent);
                P.Label = Label('R', ResolventCount - 1);
            }
        for (std::size_t I = 0; I < Inputs.size(); ++I) {
            const TPart& P = Parts[Of[I]];
            const std::uint32_t N = Search.AddInput(
                Inputs[I], P.Formula->FromQuery || Program->ListF.Get(P.Source)->Is(TClass::Query),
                P.Label);
            SourceOf[N] = P.Formula;
        }
        // The ordering and rewriting walk terms by recursion: the depth stays within the
        // calculus's own bound whatever the limit says.
        if (DepthLimit > 0)
            Search.MaxDepth = std::min(Search.MaxDepth, static_cast<std::uint32_t>(DepthLimit));
        if (SizeLimit > 0)
            Search.MaxWeight =
                static_cast<std::uint32_t>(std::min<std::int64_t>(SizeLimit, 1 << 30));
        Search.Stop = [] {
            YieldToHost();
            return StopRequested;
        };
        Search.Kept = [this](std::uint32_t N) { Kept(N); };
        Search.CautiousSelection = CautiousSelection;
        const TSaturation Outcome = Search.Run();
        CalculusReport.Given = Search.Stats.Given;
        CalculusReport.Generated = Search.Stats.Generated;
        CalculusReport.Rewrites = Search.Stats.Rewrites;
        SamplePeak();
        if (Outcome == TSaturation::Refuted) {
            Refuted();
        } else if (Outcome == TSaturation::Saturated) {
            // Nothing was dropped on the way: the clauses have a model.
            CalculusReport.Saturated = true;
            WriteLine("Saturated: no refutation exists, the query does not follow.");
        }
        return true;
    }

private:
    // A clause kept: it gets the next label, and its line when the report shows progress.
    void Kept(std::uint32_t N)
    {
        TEqClause& C = Search.Clause(N);
        if (OnlyAnswers(Bank, C.Literals))
            return;
        C.Label = Label('R', ResolventCount++);
        if (!OptionOn(TOption::Progress) && !OptionOn(TOption::Resolvents))
            return;
        TFALFormula* F = Translation.Formula(C.Literals);
        const std::string Text = Printed(F);
        delete F;
        if (OptionOn(TOption::Progress))
            WriteLine((OptionOn(TOption::Sources) ? C.Label + " " + Pair(N) : std::string()) +
                      Text);
        if (OptionOn(TOption::Resolvents))
            CalculusReport.Kept.push_back(C.Label + " : " + Text);
    }

    // The labelled clauses a clause comes from, a step between kept clauses passed through.
    std::vector<std::string> ParentLabels(std::uint32_t N)
    {
        std::vector<std::string> Out;
        std::vector<std::uint32_t> Pending(Search.Clause(N).Parents.rbegin(),
                                           Search.Clause(N).Parents.rend());
        while (!Pending.empty()) {
            const std::uint32_t P = Pending.back();
            Pending.pop_back();
            const TEqClause& C = Search.Clause(P);
            if (C.Label.empty()) {
                Pending.insert(Pending.end(), C.Parents.rbegin(), C.Parents.rend());
            } else if (std::find(Out.begin(), Out.end(), C.Label) == Out.end()) {
                Out.push_back(C.Label);
            }
        }
        return Out;
    }

    std::string Pair(std::uint32_t N)
    {
        const std::vector<std::string> Labels = ParentLabels(N);
        std::string Out = "[";
        for (std::size_t I = 0; I < Labels.size(); ++I)
            Out += (I ? "&" : "") + Labels[I];
        if (Labels.size() == 1)
            Out += "&" + Labels[0];
        return Out + "] : ";
    }

    void Refuted()
    {
        const std::uint32_t Empty = Search.Empty();
        WriteLine((OptionOn(TOption::Sources) ? Pair(Empty) : std::string()) + " YES.");
        WriteAnswer(Search.Clause(Empty).Literals);
        std::vector<TFALFormula*> Used;
        for (std::uint32_t N : Search.Derivation())
            if (Search.Clause(N).Rule == TEqRule::Input && SourceOf.count(N))
                Used.push_back(SourceOf[N]);
        if (RecordProofs && Proof.empty())
            RecordDerivation(Used, Steps());
        if (!QueryRefuted && !OptionOn(TOption::Quant1) && !OptionOn(TOption::Skolem1))
            NoteDoubtIn(Program, Used);
        QueryRefuted = true;
        if (OptionOn(TOption::Oneref1))
            RefutationStop = true;
    }

    // The answer line: the values the answer literals give the query's variables, those that
    // are no variable, each value of a variable once; the first value of each for the host.
    void WriteAnswer(const std::vector<TEqLiteral>& Literals)
    {
        if (Answers.empty())
            return;
        std::string Text;
        std::unordered_map<const TVariable*, std::string> First;
        // Several answer literals that differ: the answer is their disjunction, and no value
        // answers on its own.
        bool Disjunctive = false;
        for (const TEqLiteral& L : Literals)
            Disjunctive = Disjunctive || L.Left != Literals[0].Left;
        for (std::size_t I = 0; I < Answers.size(); ++I) {
            std::vector<TTermRef> Seen;
            for (const TEqLiteral& L : Literals) {
                const TTermRef Value = Bank.Args(L.Left)[I];
                if (Bank.IsVariable(Value) ||
                    std::find(Seen.begin(), Seen.end(), Value) != Seen.end())
                    continue;
                Seen.push_back(Value);
                std::string Tptp;
                const std::string Printed = Translation.Text(Value, Tptp);
                First.try_emplace(Answers[I], Tptp);
                Text += (Text.empty() ? "" : ", ") + Answers[I]->Name.Str() + " = " + Printed;
            }
        }
        if (Text.empty())
            return;
        if (Answer.empty() && !Disjunctive)
            for (const TVariable* W : Prefix) {
                const auto It = First.find(W);
                Answer.push_back(It == First.end() ? "_" : It->second);
            }
        WriteLine(Text + ".");
    }

    // The derivation's steps past the input clauses, the refutation last.
    std::vector<TProofStep> Steps()
    {
        std::vector<TProofStep> Out;
        const std::vector<std::uint32_t> Order = Search.Derivation();
        const TTptpNaming* Naming = HostNaming();
        std::int64_t Unnamed = 0;
        for (std::uint32_t N : Order) {
            TEqClause& C = Search.Clause(N);
            if (C.Rule == TEqRule::Input)
                continue;
            const bool Last = N == Search.Empty();
            if (C.Label.empty() && !Last)
                C.Label = "E" + std::to_string(Unnamed++);
            TProofStep Step;
            Step.Inference = InferenceName(C.Rule);
            for (std::uint32_t P : C.Parents)
                if (std::find(Step.Parents.begin(), Step.Parents.end(), Search.Clause(P).Label) ==
                    Step.Parents.end())
                    Step.Parents.push_back(Search.Clause(P).Label);
            if (Last) {
                Step.Kind = TProofStep::Refutation;
                Step.Tptp = "$false";
            } else {
                Step.Kind = TProofStep::Resolvent;
                Step.Label = C.Label;
                TFALFormula* F = Translation.Formula(C.Literals);
                Step.Printed = Printed(F);
                Step.Tptp = TptpFormula(F, TTptpWriting::Bound, Naming);
                delete F;
            }
            Out.push_back(std::move(Step));
        }
        if (Out.empty() || Out.back().Kind != TProofStep::Refutation) {
            // A source formula that is false by itself.
            TProofStep Step;
            Step.Kind = TProofStep::Refutation;
            Step.Tptp = "$false";
            Step.Parents.push_back(Search.Clause(Search.Empty()).Label);
            Out.push_back(std::move(Step));
        }
        return Out;
    }

    TPLProgram* Program;
    TTermBank Bank;
    TSuperposition Search;
    TTranslation Translation;
    std::vector<TVariable*> Answers;
    std::vector<TVariable*> Prefix; // the query's root prefix
    const std::vector<TVariable*> NoAnswers;
    std::unordered_map<std::uint32_t, TFALFormula*> SourceOf; // input clause: its formula
};
} // namespace

bool UsesEquality(TPLProgram* Program)
{
    for (TFALFormula* F : Program->ListF.Items)
        if (F)
            for (TAtom* A = F->MF; A; A = static_cast<TAtom*>(A->R))
                if (EquationOf(Bound(A->Id)))
                    return true;
    return false;
}

bool SuperposeClauses(TPLProgram* Program)
{
    TEqualitySearch Search(Program);
    return Search.Run();
}
