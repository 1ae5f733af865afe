#include "driver/auto.h"
#include "driver/skolem.h"
#include "model/alloc.h"
#include "model/formula.h"
#include "model/owner.h"
#include "model/print.h"
#include "model/runstate.h"
#include "model/symbols.h"
#include "resolution/bestfirst.h"
#include "resolution/search.h"
#include "unify/unify.h"

#include <chrono>
#include <iterator>
#include <vector>

namespace {
void Heading(TPLProgram* Program)
{
    if (!OptionOn(TOption::Axioms)) {
        WriteLine("Solution to " + Printed(Program->ListF.Last()));
        return;
    }
    WriteLine(std::string(30, '_'));
    WriteLine("Source formulas (axioms) : ");
    for (std::int32_t I = 0; I < Program->ListF.Count(); ++I) {
        TFALFormula* F = Program->ListF.Get(I);
        if (!F)
            continue;
        std::string Line = Label('F', I);
        if (F->Is(TClass::Query))
            Line += std::string(" (") + Sym::Ch(Sym::Not) + "query)";
        WriteLine(Line + " : " + Printed(F));
        YieldToHost();
    }
    WriteLine(std::string(30, '_'));
}

// The formulas of List from index High down to Low, each the centre of Search in turn; a
// refutation under "One refutation" ends the loop.
void CentreLoop(TList<TFALFormula>& List, char Prefix, std::int64_t High, std::int64_t Low,
                void (TFALFormula::*Search)())
{
    for (std::int64_t I = High; I >= Low; --I) {
        CenterLabel = Label(Prefix, I);
        if (TFALFormula* F = List.Get(static_cast<std::int32_t>(I)))
            (F->*Search)();
        YieldToHost();
        if (RefutationStop)
            break;
    }
}

void Search(TPLProgram* Program)
{
    TList<TFALFormula>& ListF = Program->ListF;
    const std::int32_t N = ListF.Count();
    switch (Program->Strategy) {
    case TStrategy::Linear:
        CenterLabel = Label('F', N - 1);
        ListF.Get(N - 1)->AllPosRes4();
        break;
    case TStrategy::ModifLinear1:
        CentreLoop(ListF, 'F', N - 2, 0, &TFALFormula::AllPosRes4);
        CenterLabel = Label('F', N - 1);
        if (!RefutationStop)
            ListF.Get(N - 1)->AllPosRes4();
        break;
    case TStrategy::Breadthfirst1: {
        CentreLoop(ListF, 'F', N - 1, 0, &TFALFormula::AllPosRes3);
        std::int64_t LevelLow = 0;
        while (NewResolvent && !RefutationStop) {
            NewResolvent = false;
            const std::int64_t LevelStart = ResolventCount;
            CentreLoop(Program->ListR, 'R', Program->ListR.Count() - 1, LevelLow,
                       &TFALFormula::AllPosRes);
            LevelLow = LevelStart;
        }
        break;
    }
    case TStrategy::BestFirst1:
    case TStrategy::Clauses:
        CenterLabel = Label('F', N - 1);
        BestFirstSearch(ListF.Get(N - 1), Program->Strategy == TStrategy::Clauses);
        break;
    default:
        break;
    }
}
} // namespace

namespace {
// Before a case of a split query: false when the query is lost already.
bool BeginCase(const TCaseQuery& Case)
{
    if (Case.Case == 1) {
        CaseOutcome = TQueryOutcome{};
        CaseOutcome.Number = Case.Query;
        CaseOutcome.Refuted = true;
        WriteLine("The query is split into " + std::to_string(Case.Cases) +
                  " cases by its connectives; each is refuted in turn.");
    } else if (CaseOutcome.Number == 0) {
        return false;
    }
    WriteLine("Case " + std::to_string(Case.Case) + " of " + std::to_string(Case.Cases) + ":");
    return true;
}

// After a case: true when the query's outcome is known, Outcome then holds it.
bool EndCase(const TCaseQuery& Case, TQueryOutcome& Outcome)
{
    CaseOutcome.Seconds += Outcome.Seconds;
    CaseOutcome.Refuted = CaseOutcome.Refuted && Outcome.Refuted;
    CaseOutcome.CounterSatisfiable = Outcome.CounterSatisfiable; // a case that does not follow
    CaseOutcome.Saturated = Outcome.Saturated;
    if (CaseOutcome.Proof.empty()) // the query's derivation is that of its first case
        CaseOutcome.Proof.swap(Outcome.Proof);
    CaseOutcome.Stop = Outcome.Stop;
    if (Outcome.Refuted && Case.Case < Case.Cases)
        return false;
    if (Outcome.Refuted)
        WriteLine("All " + std::to_string(Case.Cases) + " cases refuted.");
    else
        WriteLine("Case " + std::to_string(Case.Case) + " of " + std::to_string(Case.Cases) +
                  " not refuted: the query is not proved.");
    Outcome = CaseOutcome;
    CaseOutcome.Number = 0; // told: the cases left are not tried
    return true;
}
} // namespace

void TQuery::NegQ()
{
    Cont->Negate();
    Cont->EvalPol();
}

void TQuery::EvalQuery()
{
    TPLProgram* Program = Owner;
    const TCaseQuery Case = CaseQueriesEvaluated < CaseQueries.size()
                                ? CaseQueries[CaseQueriesEvaluated]
                                : TCaseQuery{};
    ++CaseQueriesEvaluated;
    const std::int64_t Number = CaseQueries.empty() ? QueriesEvaluated + 1 : Case.Query;
    if (Case.Case == 1 && Program->Owner)
        Program->Owner->QueryStarted(Number);
    if (Case.Cases > 1 && !BeginCase(Case)) {
        // A case after one that was not refuted: the query is lost already.
        delete this;
        return;
    }
    const auto Start = std::chrono::steady_clock::now();
    NegQ();
    Program->ListF.Add(this);
    FromQuery = true;
    Dive(TDiveMode::ResetRoot, nullptr, TDiveArgs{});
    if (OptionOn(TOption::Skolem1))
        Skolemize(this);
    QueryRefuted = false;
    DoubtFormula = nullptr;
    DoubtVariable = nullptr;
    if (Program->Strategy == TStrategy::Auto)
        ConsistInTurn(Program);
    else
        Program->Consist();
    // A counter-model ended this query's search only.
    if (StopRequested && StopReason == TStopReason::Answered) {
        StopRequested = false;
        StopReason = TStopReason::None;
        QueryRefuted = false;
    }
    TQueryOutcome Outcome;
    Outcome.Number = Number;
    Outcome.Refuted = QueryRefuted;
    Outcome.CounterSatisfiable = !QueryRefuted && CalculusReport.Saturated;
    Outcome.Saturated = Outcome.CounterSatisfiable;
    Outcome.Stop = StopRequested ? StopReason : TStopReason::None;
    Outcome.Proof.swap(Proof);
    Outcome.Answer.swap(Answer);
    if (QueryRefuted && DoubtFormula) {
        Outcome.ExistentialAt = DoubtFormula->TextStart;
        Outcome.Existential = DoubtVariable->Name;
    }
    DoubtFormula = nullptr;
    DoubtVariable = nullptr;
    Program->ListF.Remove(this);
    delete this;
    const std::chrono::duration<double> Elapsed = std::chrono::steady_clock::now() - Start;
    Outcome.Seconds = Elapsed.count();
    if (Case.Cases > 1 && !EndCase(Case, Outcome))
        return;
    ++QueriesEvaluated;
    if (Outcome.Refuted)
        ++QueriesRefuted;
    if (Program->Owner)
        Program->Owner->QueryEnded(Outcome);
}

void TPLProgram::Consist()
{
    ClearResolvents();
    NewResolvent = true;
    if (Owner)
        Owner->FocusOutput();
    ResolventCount = 0;
    CalculusReport = TCalculusReport{};
    TautologyCount = FactoringCount = RedundantCount = 0;
    UnificationCount = SimplificationCount = 0;
    CenterLabel.clear();
    MGUn1.Clear();
    RefutationStop = false;
    AnyVarBindable = false;
    Heading(this);
    Search(this);
    if (OptionOn(TOption::Resolvents)) {
        WriteLine(std::string(21, '_'));
        WriteLine("Produced resolvents : ");
        for (std::int32_t I = 0; I < ListR.Count(); ++I) {
            if (TFALFormula* F = ListR.Get(I))
                WriteLine(Label('R', I) + " : " + Printed(F));
            YieldToHost();
        }
        for (const std::string& Line : CalculusReport.Kept)
            WriteLine(Line);
        WriteLine(std::string(21, '_'));
    }
    if (OptionOn(TOption::Stat)) {
        WriteLine("Inference statistics : ");
        WriteLine("Resolvents : " + std::to_string(ResolventCount));
        WriteLine("Removed tautologies : " + std::to_string(TautologyCount));
        WriteLine("Usage of factoring rule : " + std::to_string(FactoringCount));
        WriteLine("Redundant formulas : " + std::to_string(RedundantCount));
        WriteLine("Unification : " + std::to_string(UnificationCount));
        WriteLine("Simplification : " + std::to_string(SimplificationCount));
        if (CalculusReport.Ran) {
            WriteLine("Clauses taken : " + std::to_string(CalculusReport.Given));
            WriteLine("Clauses generated : " + std::to_string(CalculusReport.Generated));
            WriteLine("Rewriting steps : " + std::to_string(CalculusReport.Rewrites));
        }
        WriteLine(std::string(21, '_'));
    }
    SamplePeak();
    ClearResolvents();
}
