// The console host: options from the command line, the report on standard output.
#pragma once

#include "cli/args.h"
#include "cli/encoding.h"
#include "model/owner.h"

#include <chrono>
#include <cstdio>

class TConsoleHost : public TProgramOwner {
public:
    TConsoleHost(const TArguments& Args, std::string FileBytes, std::FILE* Out, std::FILE* Err);

    bool Checked(TOption Item) const override { return Options.Checked(Item); }
    std::string GetEditorText() override { return Doc.Text; }
    void ClearOutput() override {}
    void AddLine(const std::string& Line) override;
    void SetCaret(std::int32_t Index) override;
    void ShowMessage(const std::string& Text) override { Pending = Text; }
    void ProcessMessages() override;
    void FocusOutput() override {}

    bool SyntaxError = false;
    bool TimedOut = false;

private:
    TOptionState Options;
    std::string FileName;
    std::string File;
    TDocument Doc;
    bool Bytes;
    double Timeout;
    std::chrono::steady_clock::time_point Start;
    std::string Pending;
    std::FILE* Out;
    std::FILE* Err;
};
