// Test support: a recording host, symbol conversion and a fixture with a running program.
#pragma once

#include "driver/run.h"
#include "model/formula.h"
#include "model/owner.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

// Records what the prover asks of its window; Stop can be pressed at the n-th yield.
class TTestOwner : public TProgramOwner {
public:
    bool Checked(TOption Item) const override { return Options.Checked(Item); }
    std::string GetEditorText() override { return Text; }
    // The storage goes too: a run measures the same memory whatever ran before it.
    void ClearOutput() override
    {
        std::vector<std::string>().swap(Lines);
        std::vector<TQueryOutcome>().swap(Outcomes);
    }
    void AddLine(const std::string& Line) override { Lines.push_back(Line); }
    void SetCaret(std::int32_t Index) override { Caret = Index; }
    void ShowMessage(const std::string& Message) override { Messages.push_back(Message); }
    void ProcessMessages() override;
    void FocusOutput() override { Focused = true; }
    bool PollStop() override;
    void QueryEnded(const TQueryOutcome& Outcome) override { Outcomes.push_back(Outcome); }
    const TTptpNaming* Naming() const override { return TptpNaming; }

    std::vector<std::string> TakeMessages();
    // The lines in UTF-8, symbols shown as Unicode.
    std::vector<std::string> Report() const;

    TOptionState Options;
    std::string Text;
    std::vector<std::string> Lines;
    std::vector<std::string> Messages;
    std::int32_t Caret = -1;
    std::int64_t Yields = 0;
    std::int64_t StopAt = -1; // press Stop at this yield
    std::int64_t Polls = 0;
    std::int64_t StopAtPoll = -1;        // press Stop at this poll from inside a walk
    std::vector<TQueryOutcome> Outcomes; // of the last run
    std::int64_t FailAt = -1;            // an allocation fails at this yield
    bool Focused = false;
    const TTptpNaming* TptpNaming = nullptr; // a document read from a TPTP problem
};

// Formula text written with Unicode symbols, as the prover reads it.
std::string Bytes(std::string_view Utf8);
// Prover bytes shown with Unicode symbols.
std::string Utf8(const std::string& Bytes);

class TProverTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Set(TOption Item, bool Value = true) { Owner.Options.Set(Item, Value); }
    // Compiles one formula written in Unicode; fails the test on a syntax error.
    TFALFormula* Compile(std::string_view Text);
    // Compiles and simplifies, as the proof run does.
    TFALFormula* Compiled(std::string_view Text);
    std::string Print(TFALFormula* F);
    // A whole proof run of a document; the report in UTF-8 without time and memory lines.
    std::vector<std::string> Run(std::string_view Document, TStrategy Strategy);
    std::string RunText(std::string_view Document, TStrategy Strategy);
    // Keeps F until the end of the test.
    TFALFormula* Keep(TFALFormula* F)
    {
        Kept.push_back(F);
        return F;
    }

    TTestOwner Owner;
    TPLProgram* Program = nullptr;
    TRunOutcome LastOutcome = TRunOutcome::Finished;
    std::vector<TFALFormula*> Kept;
    std::int64_t LiveAtStart = 0; // the pools' live bytes before the test
    // The settings a test may change, given back after it.
    std::int32_t SavedDCFLimit = 0;
    std::int64_t SavedMemoryLimit = 0;
    std::int32_t SavedDepthLimit = 0;
    std::int64_t SavedSizeLimit = 0;
};

// The tree, its atom chain, its parents, masters and prefixes agree; no term refers to a
// variable outside the prefixes of its ancestors; no copy marks are left.
void ExpectWellFormed(TFALFormula* F);

// The variables of a prefix, in order.
std::vector<TVariable*> Variables(const TQuant* Q);

// Counts the lines equal to Text.
int CountLines(const std::vector<std::string>& Lines, std::string_view Text);
