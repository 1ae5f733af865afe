#include "cli/host.h"

#include "driver/runstate.h"

TConsoleHost::TConsoleHost(const TArguments& Args, std::string FileBytes, std::FILE* AOut,
                           std::FILE* AErr)
    : Options(Args.Options), FileName(Args.File), File(std::move(FileBytes)),
      Doc(DecodeDocument(File)), Bytes(Args.Bytes), Timeout(Args.Timeout),
      Start(std::chrono::steady_clock::now()), Out(AOut), Err(AErr)
{
}

void TConsoleHost::AddLine(const std::string& Line)
{
    const std::string Text = Bytes ? Line : EncodeReport(Line);
    std::fwrite(Text.data(), 1, Text.size(), Out);
    std::fputc('\n', Out);
}

void TConsoleHost::SetCaret(std::int32_t Index)
{
    // The caret goes right after the last character before the error.
    std::size_t At = Index < 0 ? 0 : static_cast<std::size_t>(Index);
    if (At >= Doc.FileOffset.size())
        At = Doc.FileOffset.size() - 1;
    const TPosition P = PositionOf(File, Doc.FileOffset[At]);
    std::fprintf(Err, "%s:%zu:%zu: error: %s\n", FileName.c_str(), P.Line, P.Column,
                 Pending.c_str());
    std::fflush(Out);
    SyntaxError = true;
    Pending.clear();
}

void TConsoleHost::ProcessMessages()
{
    if (Timeout <= 0)
        return;
    const std::chrono::duration<double> Elapsed = std::chrono::steady_clock::now() - Start;
    if (Elapsed.count() >= Timeout) {
        StopRequested = true;
        TimedOut = true;
    }
}
