#include "driver/race.h"

#include "driver/models.h"
#include "model/runstate.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

bool AwaitsModel(const TQueryOutcome& Proof)
{
    if (Proof.Stop != TStopReason::None || Proof.CounterSatisfiable)
        return false;
    return !Proof.Refuted || Proof.ExistentialAt >= 0;
}

bool ModelAnswers(const TQueryOutcome& Proof, bool ModelFound)
{
    return ModelFound && (!Proof.Refuted || Proof.ExistentialAt >= 0);
}

namespace {
// Each line with its length before it: a line may hold any byte, a newline too.
void Put(std::string& Out, char Kind, const std::string& Line)
{
    Out += Kind + std::to_string(Line.size()) + ':' + Line;
}
} // namespace

std::string EncodeModelFound(const TModelFound& Found)
{
    std::string Out;
    for (const std::string& Line : Found.Lines)
        Put(Out, 'L', Line);
    for (const std::string& Line : Found.Model)
        Put(Out, 'T', Line);
    Out += Found.Found ? "found." : "none.";
    return Out;
}

TModelFound DecodeModelFound(const std::string& Message)
{
    TModelFound Out;
    std::size_t At = 0;
    while (At < Message.size() && (Message[At] == 'L' || Message[At] == 'T')) {
        const std::size_t Colon = Message.find(':', At);
        if (Colon == std::string::npos)
            return {};
        std::size_t Length = 0;
        for (std::size_t I = At + 1; I < Colon; ++I) {
            if (Message[I] < '0' || Message[I] > '9' || Length > Message.size())
                return {};
            Length = Length * 10 + static_cast<std::size_t>(Message[I] - '0');
        }
        if (Colon == At + 1 || Length > Message.size() - Colon - 1)
            return {};
        (Message[At] == 'L' ? Out.Lines : Out.Model).push_back(Message.substr(Colon + 1, Length));
        At = Colon + 1 + Length;
    }
    const std::string End = Message.substr(At);
    if (End != "found." && End != "none.")
        return {}; // cut short: no end mark
    Out.Found = End == "found.";
    return Out;
}

TRaceVerdict SettleRace(const TQueryOutcome& Proof, const TModelFound& Model)
{
    TRaceVerdict Out{Proof};
    if (!ModelAnswers(Proof, Model.Found))
        return Out;
    Out.ModelStands = true;
    Out.Overturned = Proof.Refuted;
    Out.Outcome.Refuted = false;
    Out.Outcome.CounterSatisfiable = true;
    Out.Outcome.Stop = TStopReason::None;
    Out.Outcome.Model = Model.Model;
    return Out;
}

namespace {
// The host of the model search's child: the options it was given, its lines kept.
class TModelHost : public TProgramOwner {
public:
    TModelHost(const TOptionState& AOptions, std::string AText, const TTptpNaming* ANaming)
        : Options(AOptions), Text(std::move(AText)), TptpNaming(ANaming)
    {
        Options.Set(TOption::Time, false);
        Options.Set(TOption::Memory1, false);
    }
    bool Checked(TOption Item) const override { return Options.Checked(Item); }
    std::string GetEditorText() override { return Text; }
    void ClearOutput() override {}
    void AddLine(const std::string& Line) override { Found.Lines.push_back(Line); }
    void SetCaret(std::int32_t) override {}
    void ShowMessage(const std::string&) override {}
    void ProcessMessages() override {}
    void FocusOutput() override {}
    bool PollStop() override { return StopRequested; }
    void QueryEnded(const TQueryOutcome& Outcome) override
    {
        Found.Found = Outcome.CounterSatisfiable;
        Found.Model = Outcome.Model;
    }
    const TTptpNaming* Naming() const override { return TptpNaming; }

    TOptionState Options;
    std::string Text;
    const TTptpNaming* TptpNaming;
    TModelFound Found;
};
} // namespace

bool TModelSearchChild::Start(const TOptionState& Options, const std::string& Text,
                              const TTptpNaming* Naming, int MaxDomain, std::int64_t Query)
{
    End();
    int Fds[2];
    if (pipe(Fds) != 0)
        return false;
    const pid_t Parent = getpid();
    const pid_t Pid = fork();
    if (Pid < 0) {
        close(Fds[0]);
        close(Fds[1]);
        return false;
    }
    if (Pid == 0) {
        // The child ends with the parent's stop: a signal ends it, and the parent kills it
        // once the query is answered.
        close(Fds[0]);
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        prctl(PR_SET_PDEATHSIG, SIGKILL); // nor does it outlive a parent that was killed
        if (getppid() != Parent)
            _exit(0); // the parent died before the line above
        TModelHost Host(Options, Text, Naming);
        auto* Program = new TPLProgram(&Host);
        RunModelSearch(Program, MaxDomain, Query);
        const std::string Out = EncodeModelFound(Host.Found);
        for (std::size_t At = 0; At < Out.size();) {
            const ssize_t N = write(Fds[1], Out.data() + At, Out.size() - At);
            if (N <= 0)
                break;
            At += static_cast<std::size_t>(N);
        }
        _exit(0);
    }
    close(Fds[1]);
    fcntl(Fds[0], F_SETFL, O_NONBLOCK);
    Child = Pid;
    Pipe = Fds[0];
    Message.clear();
    Finished = false;
    Found = {};
    return true;
}

void TModelSearchChild::Read(bool Wait, const std::function<bool()>& Stop)
{
    if (Pipe < 0 || Finished)
        return;
    std::array<char, 4096> Buffer{};
    while (true) {
        const ssize_t N = read(Pipe, Buffer.data(), Buffer.size());
        if (N > 0) {
            Message.append(Buffer.data(), static_cast<std::size_t>(N));
            continue;
        }
        if (N < 0 && errno == EINTR)
            continue;
        if (N < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!Wait || (Stop && Stop()))
                return;
            pollfd Ready{Pipe, POLLIN, 0};
            poll(&Ready, 1, 20);
            continue;
        }
        break; // the end, or an error: what was written is all there is
    }
    Finished = true;
    Found = DecodeModelFound(Message);
    Message.clear();
    End();
}

void TModelSearchChild::End()
{
    if (Pipe >= 0) {
        close(Pipe);
        Pipe = -1;
    }
    if (Child > 0) {
        kill(Child, SIGKILL);
        waitpid(Child, nullptr, 0);
        Child = -1;
    }
}
