// The console host: options from the command line, the report on standard output, stops by
// the clock and by signals, and the SZS status of each query.
#pragma once

#include "cli/args.h"
#include "cli/limits.h"
#include "driver/race.h"
#include "driver/run.h"
#include "language/codec.h"
#include "language/tptp.h"
#include "model/owner.h"
#include "model/tptpnames.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

class TConsoleHost : public TProgramOwner {
public:
    // ProverText: FileBytes are the prover's text already (a TPTP problem read into Nivar's
    // language), not a document to decode.
    TConsoleHost(const TArguments& Args, std::string FileBytes, TRunLimits& Limits, std::FILE* Out,
                 std::FILE* Err, bool ProverText = false);

    bool Checked(TOption Item) const override { return Options.Checked(Item); }
    std::string GetEditorText() override { return Doc.Text; }
    void ClearOutput() override {}
    void AddLine(const std::string& Line) override;
    void SetCaret(std::int32_t Index) override;
    void ShowMessage(const std::string& Text) override { Pending = Text; }
    void ProcessMessages() override { CheckStop(); }
    void FocusOutput() override {}
    bool PollStop() override { return CheckStop(); }
    void QueryEnded(const TQueryOutcome& Outcome) override;
    void QueryStarted(std::int64_t Number) override;

    // A document that writes its symbols in UTF-8 but holds a byte that is not UTF-8 is
    // reported there, as a syntax error; false then.
    bool CheckEncoding();
    // A problem without a conjecture: a refutation shows the axioms unsatisfiable.
    void RefutesAxioms() { Unsatisfiable = true; }
    // Where the formulas of a document read from a TPTP problem come from, for derivations,
    // the problem's names,
    // and where in its files each formula of the document stands.
    void NameSources(TTptpSources Sources, std::set<std::string> Names,
                     std::vector<TTptpPlace> APlaces)
    {
        TptpSources = std::move(Sources);
        TptpNaming.Taken = std::move(Names);
        Places = std::move(APlaces);
        FromTptp = true;
    }
    const TTptpNaming* Naming() const override { return FromTptp ? &TptpNaming : nullptr; }
    // A message on standard error with the SZS status of the whole problem; returns Status.
    int Reject(const std::string& Message, const std::string& SzsStatus, int Status);
    // After a proof run: the statuses of the queries that were not reported, the messages
    // that are left, and the exit status.
    int Finish(TRunOutcome Outcome);
    // The exit status for a run that only lists formulas, from Status.
    int FinishListing(int Status);
    // A run stopped before its proof began (while its input was read): the line that says
    // why, the SZS status; the exit status.
    int StopBeforeRun(const std::string& Why, TStopReason Reason);

    // The name of the problem in SZS lines: the file name without folder and extension, and
    // "#N" for the N-th query when the document holds more than one.
    static std::string ProblemName(const std::string& File);

private:
    bool CheckStop();
    bool CheckLimits();
    void Write(const std::string& Text);
    std::string QueryName(std::int64_t Number) const;
    void WriteStatus(const std::string& Status, std::int64_t Number);
    void WriteDerivation(const TQueryOutcome& Outcome);
    // "FILE:LINE:COLUMN" of the text at Index: in a TPTP problem, of the formula read there.
    std::string Where(std::size_t Index) const;
    void ReportError(const std::string& At, const std::string& Message);
    int WriteFailure();
    // The model search beside a query's proof, read without waiting at every yield, and to
    // its end when the proof gave up.
    void ReadModelSearch(bool Wait);

    TOptionState Options;
    std::string FileName;
    std::string File;
    TDocument Doc;
    bool Bytes;
    bool Szs;
    TArguments::TProofFormat ProofFormat;
    TRunLimits& Limits;
    std::string Pending;
    std::int64_t QueryCount = 0; // by a scan of the text before the run
    std::int64_t Reported = 0;   // queries whose status is settled
    bool SyntaxError = false;
    bool TooLarge = false; // the error was a formula too large to hold
    bool Unsatisfiable = false;
    TTptpSources TptpSources;
    TTptpNaming TptpNaming;
    std::vector<TTptpPlace> Places;
    bool FromTptp = false;
    bool CounterModels = false;
    bool ModelTptp = false;
    int MaxDomain = 8;
    bool Buffering = false;        // a query's lines wait for the race's outcome
    std::vector<std::string> Held; // those lines
    TModelSearchChild ModelSearch; // of the query in progress
    // When the pipe was last read: a read at every yield cost the search most of its time.
    std::chrono::steady_clock::time_point ModelRead{};
    std::int64_t Overturns = 0; // refutations that a counter-model showed wrong
    bool WriteFailed = false;
    int WriteErrno = 0;
    std::FILE* Out;
    std::FILE* Err;
};
