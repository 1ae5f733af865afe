#include "support/console.h"

#include <array>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
std::string Drain(int Fd)
{
    std::string Text;
    if (Fd < 0)
        return Text;
    std::array<char, 4096> Buf{};
    ssize_t N = 0;
    while ((N = read(Fd, Buf.data(), Buf.size())) > 0)
        Text.append(Buf.data(), static_cast<std::size_t>(N));
    close(Fd);
    return Text;
}
} // namespace

TProver::TProver(const std::vector<std::string>& Args, const std::string& Input, bool CloseOutput,
                 const std::string& OutputPath)
{
    int OutPipe[2];
    int ErrPipe[2];
    int InPipe[2];
    if (pipe(OutPipe) != 0 || pipe(ErrPipe) != 0 || pipe(InPipe) != 0)
        return;
    Pid = fork();
    if (Pid == 0) {
        dup2(InPipe[0], STDIN_FILENO);
        dup2(OutPipe[1], STDOUT_FILENO);
        if (!OutputPath.empty()) {
            const int Fd = open(OutputPath.c_str(), O_WRONLY);
            dup2(Fd, STDOUT_FILENO);
            close(Fd);
        }
        dup2(ErrPipe[1], STDERR_FILENO);
        for (int Fd : {OutPipe[0], OutPipe[1], ErrPipe[0], ErrPipe[1], InPipe[0], InPipe[1]})
            close(Fd);
        std::vector<char*> Argv{const_cast<char*>(NIVAR_PROVE)};
        for (const std::string& A : Args)
            Argv.push_back(const_cast<char*>(A.c_str()));
        Argv.push_back(nullptr);
        execv(NIVAR_PROVE, Argv.data());
        _exit(127);
    }
    close(OutPipe[1]);
    close(ErrPipe[1]);
    close(InPipe[0]);
    if (!Input.empty() && write(InPipe[1], Input.data(), Input.size()) < 0)
        Pid = -1;
    close(InPipe[1]);
    Out = OutPipe[0];
    Err = ErrPipe[0];
    if (CloseOutput) {
        close(Out);
        Out = -1;
    }
}

void TProver::Signal(int Number)
{
    kill(Pid, Number);
}

TResult TProver::Wait()
{
    TResult R;
    std::thread ErrReader([&] { R.Err = Drain(Err); });
    R.Out = Drain(Out);
    ErrReader.join();
    int Status = 0;
    rusage Usage{};
    wait4(Pid, &Status, 0, &Usage);
    R.Status = WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
    R.CpuSeconds = static_cast<double>(Usage.ru_utime.tv_sec + Usage.ru_stime.tv_sec) +
                   static_cast<double>(Usage.ru_utime.tv_usec + Usage.ru_stime.tv_usec) / 1e6;
    return R;
}

std::string TConsoleTest::Write(const std::string& Name, const std::string& Text)
{
    const std::string Path = ::testing::TempDir() + "/" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                             Name;
    std::ofstream(Path, std::ios::binary) << Text;
    return Path;
}

std::vector<std::string> TConsoleTest::Lines(const std::string& Text)
{
    std::vector<std::string> Out;
    std::size_t Start = 0;
    for (std::size_t End; (End = Text.find('\n', Start)) != std::string::npos; Start = End + 1)
        Out.push_back(Text.substr(Start, End - Start));
    return Out;
}

std::vector<std::string> TConsoleTest::Starting(const std::string& Text, const std::string& Prefix)
{
    std::vector<std::string> Out;
    for (const std::string& L : Lines(Text))
        if (L.rfind(Prefix, 0) == 0)
            Out.push_back(L);
    return Out;
}
