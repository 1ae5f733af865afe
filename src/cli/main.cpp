// nivar-prove: proves the queries of a document from the command line.
#include "cli/args.h"
#include "cli/host.h"
#include "driver/run.h"
#include "driver/runstate.h"
#include "model/formula.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sys/stat.h>

namespace {
bool ReadFile(const std::string& Path, std::string& Bytes)
{
    struct stat Info {};
    if (stat(Path.c_str(), &Info) != 0 || S_ISDIR(Info.st_mode))
        return false;
    std::ifstream In(Path, std::ios::binary);
    if (!In)
        return false;
    Bytes.assign(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
    return !In.bad();
}

// Walks the document formula after formula as the proof run does, printing each one.
int ListFormulas(TConsoleHost& Host, bool Simplified)
{
    TPLProgram Program(&Host);
    CurrentProgram = &Program;
    const std::string Text = Host.GetEditorText();
    std::size_t Position = 0;
    std::int32_t Consumed = 0;
    for (int Index = 0; Position < Text.size(); ++Index) {
        TFALFormula* Formula = nullptr;
        Program.XComp(Text.c_str() + Position, Formula, Text.c_str() + Text.size());
        if (!Formula) {
            Host.SetCaret(Consumed + Program.TextPos + 1);
            CurrentProgram = nullptr;
            return 2;
        }
        if (Simplified)
            Formula->Simplify();
        std::string Line = "F" + std::to_string(Index) + " : ";
        if (Formula->Is(TClass::Query))
            Line += "?- ";
        Formula->Print(Line);
        Host.AddLine(Line);
        delete Formula;
        Position += static_cast<std::size_t>(Program.TextPos);
        Consumed += Program.TextPos;
    }
    CurrentProgram = nullptr;
    return 0;
}

int Prove(TConsoleHost& Host, TStrategy Strategy)
{
    auto* Program = new TPLProgram(&Host);
    const TRunOutcome Outcome = RunProgram(Program, Strategy);
    delete Program;
    CurrentProgram = nullptr;
    if (Outcome == TRunOutcome::OutOfMemory)
        std::cerr << "nivar-prove: out of memory: the run was stopped and its formulas released\n";
    if (Outcome != TRunOutcome::Finished)
        return 3;
    if (Host.SyntaxError)
        return 2;
    return QueriesRefuted == QueriesEvaluated ? 0 : 1;
}
} // namespace

int main(int Argc, char** Argv)
{
    const TArguments Args = ParseArguments(Argc, Argv);
    if (Args.Mode == TMode::Help) {
        std::cout << UsageText();
        return 0;
    }
    if (!Args.Error.empty()) {
        std::cerr << "nivar-prove: " << Args.Error << "\n" << UsageText();
        return 64;
    }
    std::string Bytes;
    if (!ReadFile(Args.File, Bytes)) {
        std::cerr << "nivar-prove: cannot read " << Args.File << "\n";
        return 66;
    }
    DCFLimit = Args.DCFLimit;
    if (Args.MemoryLimit >= 0)
        MemoryLimit = Args.MemoryLimit;
    TConsoleHost Host(Args, std::move(Bytes), stdout, stderr);
    int Status = 0;
    if (Args.Mode == TMode::Parse || Args.Mode == TMode::Compile)
        Status = ListFormulas(Host, Args.Mode == TMode::Compile);
    else
        Status = Prove(Host, Args.Strategy);
    std::fflush(stdout);
    return Status;
}
