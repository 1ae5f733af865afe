// nivar-prove: proves the queries of a document from the command line.
#include "cli/args.h"
#include "cli/host.h"
#include "cli/signals.h"
#include "driver/models.h"
#include "driver/run.h"
#include "language/compile.h"
#include "language/readfile.h"
#include "language/tptp.h"
#include "model/alloc.h"
#include "model/formula.h"
#include "model/runstate.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {
// Walks the document formula after formula as the proof run does, printing each one.
int ListFormulas(TConsoleHost& Host, bool Simplified)
{
    TPLProgram Program(&Host);
    CurrentProgram = &Program;
    int Index = 0;
    const std::int32_t Error = ForEachFormula(
        Program, Host.GetEditorText(), [] { return true; },
        [&](TFALFormula* Formula, std::int32_t) {
            if (Simplified)
                Formula->Simplify();
            std::string Line = "F" + std::to_string(Index++) + " : ";
            if (Formula->Is(TClass::Query))
                Line += "?- ";
            Formula->Print(Line);
            Host.AddLine(Line);
            delete Formula;
        });
    CurrentProgram = nullptr;
    if (Error < 0)
        return 0;
    Host.SetCaret(Error);
    return 2;
}

TRunOutcome Prove(TConsoleHost& Host, TStrategy Strategy)
{
    auto* Program = new TPLProgram(&Host);
    const TRunOutcome Outcome = RunProgram(Program, Strategy);
    delete Program;
    CurrentProgram = nullptr;
    return Outcome;
}

// Standard output may be a pipe that is closed: a failed write is an error, not silence.
int Print(const std::string& Text)
{
    std::cout << Text << std::flush;
    if (!std::cout) {
        std::cerr << "nivar-prove: cannot write: " << std::strerror(errno) << "\n";
        return 74;
    }
    return 0;
}
} // namespace

int main(int Argc, char** Argv)
{
    // A line is written whole as soon as it is complete, whatever standard output is.
    std::setvbuf(stdout, nullptr, _IOLBF, 1 << 16);
    InstallStopSignals();
    TArguments Args = ParseArguments(Argc, Argv);
    if (Args.Mode == TMode::Help)
        return Print(UsageText());
    if (Args.Mode == TMode::Version)
        return Print("nivar-prove " NIVAR_VERSION "\n");
    if (!Args.Error.empty()) {
        std::cerr << "nivar-prove: " << Args.Error << "\nTry 'nivar-prove --help'.\n";
        return 64;
    }
    // The limits hold from here on: reading the input counts against them too.
    MemoryBase = AllocatedBytes();
    if (Args.MemoryLimit >= 0)
        MemoryLimit = Args.MemoryLimit;
    TRunLimits Limits(Args.Timeout, Args.CpuLimit);
    std::string StopLine;
    TStopReason Reason = TStopReason::None;
    auto Stopped = [&](std::int64_t Held) { return Limits.Reached(StopLine, Reason, Held); };
    auto StopBeforeRun = [&] {
        TConsoleHost Early(Args, "", Limits, stdout, stderr, true);
        return Early.StopBeforeRun(StopLine, Reason);
    };
    std::string Bytes;
    std::string Why;
    switch (ReadWholeFile(Args.File, Bytes, Why, [&](std::size_t Read) {
        return Stopped(static_cast<std::int64_t>(Read)); // the text grows by as much again
    })) {
    case TReadResult::Failed:
        std::cerr << "nivar-prove: cannot read " << Args.File << ": " << Why << "\n";
        return 66;
    case TReadResult::Stopped:
        return StopBeforeRun();
    case TReadResult::Read:
        break;
    }
    // A TPTP problem is read into Nivar's language first; without a search option of its own
    // it is proved as TPTP users expect, in the automatic mode.
    const bool Tptp =
        (Args.File.size() > 2 && Args.File.compare(Args.File.size() - 2, 2, ".p") == 0) ||
        LooksLikeTptp(Bytes);
    if (Tptp && !Args.SearchChosen)
        ChooseAutomatic(Args);
    if (const std::string Error = ProofModeError(Args); !Error.empty()) {
        std::cerr << "nivar-prove: " << Error << "\nTry 'nivar-prove --help'.\n";
        return 64;
    }
    if (Args.ModelTptp && !Args.CounterModels && !Args.ModelSearchOnly)
        std::cerr << "nivar-prove: warning: --model tptp writes the counter-models of a model "
                     "search, and none runs: add --counter-models or --model-search\n";
    DCFLimit = Args.DCFLimit;
    RecordProofs = Args.Proof != TArguments::TProofFormat::None;
    CaseSplitting = !RecordProofs; // a derivation is of one refutation
    TTptpDocument Read;
    const TTptpProblem& Problem = Read.Problem;
    if (Tptp) {
        const char* Root = std::getenv("TPTP");
        try {
            Read = ReadTptpDocument(Args.File == "-" ? "stdin" : Args.File, Bytes, Root ? Root : "",
                                    Args.EqualityAxioms, "", [&] { return Stopped(0); });
            if (Problem.Stopped)
                return StopBeforeRun();
            if (Problem.Error.empty())
                Bytes = std::move(Read.Text);
        } catch (const std::bad_alloc&) {
            Reason = TStopReason::MemoryLimit;
            StopLine = MemoryLimitLine();
            return StopBeforeRun();
        }
    }
    TConsoleHost Host(Args, std::move(Bytes), Limits, stdout, stderr, Tptp);
    if (Tptp && !Problem.Error.empty())
        return Host.Reject(Problem.Error, "SyntaxError", 2);
    // The clause form, the automatic mode and the model search read = as equality; the
    // design's strategies read it as a relation without meaning.
    const bool ReadsEquality = Args.Strategy == TStrategy::Auto ||
                               Args.Strategy == TStrategy::Clauses || Args.ModelSearchOnly;
    if (Tptp && Problem.UsesEquality && !Args.EqualityAxioms && !ReadsEquality)
        return Host.Reject("nivar-prove: " + Args.File +
                               ": the problem uses equality, which this strategy reads as a "
                               "relation without meaning: --auto or --strategy clauses read it "
                               "as equality, --equality-axioms adds its axioms",
                           "Inappropriate", 2);
    for (const std::string& Open : Problem.Open)
        std::cerr << "nivar-prove: " << Args.File << ": warning: formula " << Open
                  << " is free: TPTP wants a fof formula closed; Nivar reads it as universal\n";
    if (Tptp && !Problem.HasConjecture) {
        Host.RefutesAxioms();
        // The design's strategies begin with the negated query, which here says nothing.
        if (Args.Strategy != TStrategy::BestFirst1 && Args.Strategy != TStrategy::Clauses &&
            Args.Strategy != TStrategy::Auto)
            std::cerr << "nivar-prove: " << Args.File
                      << ": warning: the problem has no conjecture and this strategy starts "
                         "from the query: --strategy best or --auto refute the axioms\n";
    }
    if (Tptp)
        Host.NameSources(std::move(Read.Sources), Problem.Names, std::move(Read.Places));
    if (!Host.CheckEncoding())
        return Host.Finish(TRunOutcome::Finished);
    if (Args.Mode == TMode::Parse || Args.Mode == TMode::Compile)
        return Host.FinishListing(ListFormulas(Host, Args.Mode == TMode::Compile));
    if (Args.ModelSearchOnly) {
        auto* Program = new TPLProgram(&Host);
        const TRunOutcome Outcome = RunModelSearch(Program, Args.MaxDomain);
        delete Program;
        return Host.Finish(Outcome);
    }
    return Host.Finish(Prove(Host, Args.Strategy));
}
