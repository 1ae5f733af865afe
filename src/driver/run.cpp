#include "driver/run.h"

#include "driver/auto.h"
#include "driver/skolem.h"
#include "driver/split.h"
#include "language/compile.h"
#include "language/parser.h"
#include "model/alloc.h"
#include "model/formula.h"
#include "model/owner.h"
#include "model/print.h"
#include "model/runstate.h"
#include "resolution/limits.h"
#include "resolution/resolve.h"
#include "resolution/simplify.h"
#include "unify/dive.h"
#include "unify/unify.h"

#include <algorithm>
#include <chrono>

namespace {
// What a run keeps for the next one (list storage, the tables of its walks) goes before the
// heap is sampled, so that every run of a document measures the same memory.
void ReleaseRunStorage(TPLProgram* Program)
{
    Program->ListF.Release();
    Program->ListR.Release();
    Program->MGUn1.Release();
    ReleaseSimplifyStorage();
    ReleaseLimitsStorage();
    ReleaseUnifyStorage();
    ReleaseParseStorage();
}
} // namespace

void TPLProgram::Generate()
{
    std::string Text = Owner->GetEditorText();
    ResetRunState();
    CurrentProgram = this;
    if (Strategy == TStrategy::Auto)
        ForceAutomaticOptions();
    // Best-first search and the automatic mode prove a query that splits case by case.
    TSplitText Split;
    if ((Strategy == TStrategy::Auto || Strategy == TStrategy::BestFirst1 ||
         Strategy == TStrategy::Clauses) &&
        CaseSplitting)
        Split = SplitQueries(Text);
    if (Split.Changed) {
        Text.swap(Split.Text);
        CaseQueries = Split.Queries;
    }
    ClearFormulas();
    Owner->ClearOutput();
    ReleaseRunStorage(this);
    StartAllocated = AllocatedBytes();
    PeakAllocated = StartAllocated;
    HostHeldBytes = 0;
    const auto Start = std::chrono::steady_clock::now();
    const auto Ready = [] {
        YieldToHost();
        return !StopRequested;
    };
    const std::int32_t Error =
        ForEachFormula(*this, Text, Ready, [this](TFALFormula* Formula, std::int32_t At) {
            Formula->TextStart = At;
            Formula->Simplify();
            if (Formula->Is(TClass::Query)) {
                static_cast<TQuery*>(Formula)->EvalQuery();
            } else {
                if (OptionOn(TOption::Skolem1))
                    Skolemize(Formula);
                ListF.Add(Formula);
            }
        });
    if (Error >= 0) {
        Owner->SetCaret(Split.Changed ? static_cast<std::int32_t>(
                                            Split.Original(static_cast<std::size_t>(Error)))
                                      : Error);
        ClearFormulas();
    }
    // The Stop command ends the run without its closing lines, also during the last query. A
    // stop the run ran into (a limit, a signal) has its line, and the closing lines follow.
    if (StopRequested && StopReason == TStopReason::User)
        return;
    const std::chrono::duration<double> Elapsed = std::chrono::steady_clock::now() - Start;
    std::string Line;
    if (OptionOn(TOption::Time))
        Line = "Solving time : " + FormatFixed2(std::max(0.0, Elapsed.count() - MessageSeconds)) +
               " s. ";
    if (OptionOn(TOption::Memory1)) {
        Owner->AddLine(Line + "Used memory for proof: " +
                       std::to_string(PeakAllocated - StartAllocated) + " B.");
        Owner->AddLine("Total allocated for NIVAR: " + std::to_string(AllocatedBytes()) + " B.");
    } else if (OptionOn(TOption::Time)) {
        Owner->AddLine(Line);
    }
}

void ResetRunState()
{
    ResetRunData();
    ResetCopyState();
    ResetUnifyState();
    ResetResolutionState();
    ResetCompileState();
}

void ReplaceProgram(TPLProgram*& Program)
{
    TProgramOwner* Owner = Program->Owner;
    if (CurrentProgram == Program)
        CurrentProgram = nullptr;
    delete Program;
    Program = new TPLProgram(Owner);
    StopRequested = false; // StopReason tells the caller why, until the next run
}

TRunOutcome RunProgram(TPLProgram*& Program, TStrategy Strategy)
{
    Program->Strategy = Strategy;
    return RunGuarded(Program, [Program] { Program->Generate(); });
}
