#include "cli/host.h"

#include "cli/signals.h"
#include "driver/derivation.h"
#include "driver/models.h"
#include "driver/race.h"
#include "language/lexer.h"
#include "model/runstate.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {
// The SZS status of a query that was not refuted, by what ended its search.
constexpr std::pair<TStopReason, const char*> Unrefuted[] = {
    {TStopReason::None, "GaveUp"},
    {TStopReason::Timeout, "Timeout"},
    {TStopReason::MemoryLimit, "MemoryOut"},
    {TStopReason::ResourceLimit, "ResourceOut"},
    {TStopReason::User, "User"},
    {TStopReason::Signal, "User"},
};

const char* StatusOf(const TQueryOutcome& Outcome)
{
    if (Outcome.CounterSatisfiable)
        return "CounterSatisfiable";
    if (Outcome.Refuted)
        return Outcome.ExistentialAt >= 0 ? "Unknown" : "Theorem";
    for (const auto& [Reason, Status] : Unrefuted)
        if (Outcome.Stop == Reason)
            return Status;
    return "Error"; // the report could not be written
}
} // namespace

TConsoleHost::TConsoleHost(const TArguments& Args, std::string FileBytes, TRunLimits& ALimits,
                           std::FILE* AOut, std::FILE* AErr, bool ProverText)
    : Options(Args.Options), FileName(Args.File), File(std::move(FileBytes)),
      Doc(ProverText ? PlainDocument(File) : DecodeDocument(File)), Bytes(Args.Bytes),
      Szs(Args.Szs), ProofFormat(Args.Proof), Limits(ALimits), Out(AOut), Err(AErr)
{
    CounterModels = Args.CounterModels && !Args.ModelSearchOnly;
    ModelTptp = Args.ModelTptp;
    MaxDomain = Args.MaxDomain;
    QueryCount = CountQueries(Doc.Text);
}

int TConsoleHost::Reject(const std::string& Message, const std::string& SzsStatus, int Status)
{
    std::fprintf(Err, "%s\n", Message.c_str());
    WriteStatus(SzsStatus, 0);
    return FinishListing(Status);
}

std::string TConsoleHost::ProblemName(const std::string& File)
{
    if (File == "-")
        return "stdin";
    std::string Name = File.substr(File.find_last_of('/') + 1);
    if (const std::size_t Dot = Name.find_last_of('.'); Dot != std::string::npos && Dot > 0)
        Name.erase(Dot);
    return Name;
}

void TConsoleHost::Write(const std::string& Text)
{
    if (WriteFailed)
        return;
    if (std::fwrite(Text.data(), 1, Text.size(), Out) != Text.size() || std::ferror(Out)) {
        WriteErrno = errno;
        WriteFailed = true;
        RequestStop(TStopReason::WriteFailed); // nobody reads the rest
    }
}

void TConsoleHost::AddLine(const std::string& Line)
{
    std::string Text = (Bytes ? Line : EncodeReport(Line)) + "\n";
    if (Buffering)
        Held.push_back(std::move(Text));
    else
        Write(Text);
}

void TConsoleHost::QueryStarted(std::int64_t Number)
{
    if (!CounterModels)
        return;
    Buffering = true;
    Held.clear();
    std::fflush(Out); // the child would write what waits in the buffers again
    std::fflush(Err);
    if (ModelSearch.Start(Options, Doc.Text, Naming(), MaxDomain, Number))
        Limits.SetHelper(ModelSearch.Pid());
}

void TConsoleHost::ReadModelSearch(bool Wait)
{
    ModelSearch.Read(Wait, [this] { return CheckLimits(); });
    if (ModelSearch.Pid() < 0)
        Limits.SetHelper(-1);
}

std::string TConsoleHost::Where(std::size_t Index) const
{
    if (FromTptp) {
        // A TPTP problem: the formula of the file that the text at Index was read from.
        const auto After =
            std::upper_bound(Places.begin(), Places.end(), Index,
                             [](std::size_t I, const TTptpPlace& P) { return I < P.Offset; });
        if (After != Places.begin()) {
            const TTptpPlace& P = *std::prev(After);
            return P.File + ":" + std::to_string(P.Line) + ":" + std::to_string(P.Column);
        }
        return FileName + ":1:1"; // the axioms of equality, which stand first
    }
    const TPosition P = PositionOf(File, Doc.FileOffset(Index), Doc.Utf8);
    return FileName + ":" + std::to_string(P.Line) + ":" + std::to_string(P.Column);
}

void TConsoleHost::ReportError(const std::string& At, const std::string& Message)
{
    std::fflush(Out);
    std::fprintf(Err, "%s: error: %s\n", At.c_str(), Message.c_str());
    SyntaxError = true;
}

void TConsoleHost::SetCaret(std::int32_t Index)
{
    // A formula that grew past the size Nivar holds is out of a resource, not written wrong.
    if (Pending == ErrorMessage(ErrFormulaTooLarge))
        TooLarge = true;
    // The caret goes right after the last character before the error.
    ReportError(Where(Index < 0 ? 0 : static_cast<std::size_t>(Index)), Pending);
    Pending.clear();
}

bool TConsoleHost::CheckEncoding()
{
    if (Doc.InvalidAt == File.npos)
        return true;
    const TPosition P = PositionOf(File, Doc.InvalidAt, true);
    ReportError(FileName + ":" + std::to_string(P.Line) + ":" + std::to_string(P.Column),
                StrayByteMessage(static_cast<unsigned char>(File[Doc.InvalidAt])));
    return false;
}

bool TConsoleHost::CheckStop()
{
    if (StopRequested)
        return true;
    if (const auto Now = std::chrono::steady_clock::now();
        Now - ModelRead >= std::chrono::milliseconds(5)) {
        ModelRead = Now;
        ReadModelSearch(false);
    }
    // A counter-model answers the query: its proof search ends, the run goes on.
    if (ModelSearch.Result().Found) {
        RequestStop(TStopReason::Answered);
        return true;
    }
    return CheckLimits();
}

bool TConsoleHost::CheckLimits()
{
    if (StopRequested)
        return true;
    std::string Why;
    TStopReason Reason = TStopReason::None;
    if (!Limits.Reached(Why, Reason))
        return false;
    StopRun(Reason, Why);
    return true;
}

int TConsoleHost::StopBeforeRun(const std::string& Why, TStopReason Reason)
{
    AddLine(Why);
    WriteStatus(StoppedStatus(Reason), 0);
    return FinishListing(3);
}

std::string TConsoleHost::QueryName(std::int64_t Number) const
{
    std::string Name = ProblemName(FileName);
    if (QueryCount > 1 && Number > 0)
        Name += "#" + std::to_string(Number);
    return Name;
}

void TConsoleHost::WriteStatus(const std::string& Status, std::int64_t Number)
{
    if (Szs)
        Write("% SZS status " + Status + " for " + QueryName(Number) + "\n");
}

void TConsoleHost::WriteDerivation(const TQueryOutcome& Outcome)
{
    if (Outcome.Proof.empty())
        return;
    const std::string Name = QueryName(Outcome.Number);
    if (ProofFormat == TArguments::TProofFormat::Dot) {
        Write(DotGraph(Outcome.Proof, Name));
        return;
    }
    TDerivationSources Sources;
    Sources.File = FileName == "-" ? "stdin" : FileName.substr(FileName.find_last_of('/') + 1);
    Sources.Axioms = TptpSources.Axioms;
    Sources.AxiomTexts = TptpSources.AxiomTexts;
    if (Outcome.Number > 0 &&
        static_cast<std::size_t>(Outcome.Number) <= TptpSources.Queries.size()) {
        Sources.Query = TptpSources.Queries[Outcome.Number - 1];
        Sources.QueryText = TptpSources.QueryTexts[Outcome.Number - 1];
    }
    for (const std::string& Line : TstpDerivation(Outcome.Proof, Name, Sources))
        Write(Line + "\n");
}

void TConsoleHost::QueryEnded(const TQueryOutcome& Proved)
{
    TQueryOutcome Outcome = Proved;
    bool Overturned = false; // a doubtful refutation that a counter-model shows wrong
    if (Buffering) {
        if (AwaitsModel(Outcome) && !ModelSearch.Done()) {
            ReadModelSearch(true);
            if (StopRequested && !Outcome.Refuted)
                Outcome.Stop = StopReason; // a limit ran out while the model search went on
        }
        Buffering = false;
        const TRaceVerdict Verdict = SettleRace(Outcome, ModelSearch.Result());
        Outcome = Verdict.Outcome;
        Overturned = Verdict.Overturned;
        Overturns += Overturned ? 1 : 0;
        if (Verdict.ModelStands) {
            Held.clear();
            for (const std::string& Line : ModelSearch.Result().Lines)
                AddLine(Line);
        }
        ModelSearch.Forget();
        Limits.SetHelper(-1);
        for (const std::string& Line : Held)
            Write(Line);
        Held.clear();
    }
    if (Outcome.ExistentialAt >= 0) {
        const std::string At = Where(static_cast<std::size_t>(Outcome.ExistentialAt));
        const std::string Query = std::to_string(Outcome.Number);
        const std::string& X = Outcome.Existential;
        std::fflush(Out);
        std::fprintf(Err, "%s\n",
                     (Overturned
                          ? At + ": the default mode's refutation of query " + Query +
                                " does not hold: it read the variable " + X +
                                " of this formula as universal, and a counter-model shows that "
                                "the query does not follow"
                          : At + ": warning: the proof of query " + Query + " reads the variable " +
                                X +
                                " of this formula as universal, though it is not; the default "
                                "mode ignores quantifiers, so the proof may not hold: try "
                                "--skolem")
                         .c_str());
    }
    std::string Status = StatusOf(Outcome);
    // A problem without a conjecture is about its axioms: refuted, or a model of them.
    if (Unsatisfiable && Status == "Theorem")
        Status = "Unsatisfiable";
    if (Unsatisfiable && Status == "CounterSatisfiable")
        Status = "Satisfiable";
    WriteStatus(Status, Outcome.Number);
    const bool Answered = !Outcome.Answer.empty() &&
                          std::find(Outcome.Answer.begin(), Outcome.Answer.end(), std::string()) ==
                              Outcome.Answer.end();
    if (Szs && Status == "Theorem" && Answered) {
        std::string Tuple;
        for (const std::string& Value : Outcome.Answer)
            Tuple += (Tuple.empty() ? "" : ", ") + Value;
        Write("% SZS answers Tuple [[" + Tuple + "]|_] for " + QueryName(Outcome.Number) + "\n");
    }
    if (ProofFormat != TArguments::TProofFormat::None && Outcome.Refuted)
        WriteDerivation(Outcome);
    // A query whose clauses saturated has no finite model to write.
    if (ModelTptp && Outcome.CounterSatisfiable && !Outcome.Model.empty()) {
        Write("% SZS output start FiniteModel for " + QueryName(Outcome.Number) + "\n");
        for (const std::string& Line : Outcome.Model)
            Write(Line + "\n");
        Write("% SZS output end FiniteModel for " + QueryName(Outcome.Number) + "\n");
    }
    Reported = Outcome.Number;
    if (Outcome.Stop == TStopReason::None)
        return;
    // A stop ends the run: the queries after this one are not tried.
    for (std::int64_t N = Reported + 1; N <= QueryCount; ++N)
        WriteStatus("NotTried", N);
    Reported = std::max(Reported, QueryCount);
}

int TConsoleHost::WriteFailure()
{
    std::fprintf(Err, "nivar-prove: cannot write the report: %s\n",
                 std::strerror(WriteErrno ? WriteErrno : EIO));
    return 74;
}

int TConsoleHost::Finish(TRunOutcome Outcome)
{
    ModelSearch.End();
    Limits.SetHelper(-1);
    if (Outcome == TRunOutcome::OutOfMemory) {
        std::fflush(Out);
        std::fprintf(Err, "nivar-prove: out of memory: the run was stopped and its formulas "
                          "released\n");
        if (Reported < QueryCount)
            WriteStatus("MemoryOut", ++Reported);
    }
    if (Outcome != TRunOutcome::Finished)
        for (std::int64_t N = Reported + 1; N <= QueryCount; ++N)
            WriteStatus("NotTried", N);
    if (SyntaxError)
        WriteStatus(TooLarge ? "ResourceOut" : "SyntaxError", 0);
    if (std::fflush(Out) != 0 || std::ferror(Out)) {
        if (!WriteFailed)
            WriteErrno = errno;
        WriteFailed = true;
    }
    if (WriteFailed)
        return WriteFailure();
    if (Outcome != TRunOutcome::Finished || TooLarge)
        return 3;
    if (SyntaxError)
        return 2;
    if (QueriesEvaluated == 0) {
        std::fprintf(Err, "nivar-prove: %s: no query to prove\n", FileName.c_str());
        return 1;
    }
    return QueriesRefuted - Overturns == QueriesEvaluated ? 0 : 1;
}

int TConsoleHost::FinishListing(int Status)
{
    if (std::fflush(Out) != 0 || std::ferror(Out) || WriteFailed) {
        if (!WriteFailed)
            WriteErrno = errno;
        return WriteFailure();
    }
    return Status;
}
