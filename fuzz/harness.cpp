#include "harness.h"

#include "driver/run.h"
#include "language/codec.h"
#include "language/compile.h"
#include "model/formula.h"
#include "model/owner.h"
#include "model/runstate.h"

#include <chrono>

namespace {
// Stops a run after a number of yields or a little time, whichever comes first.
class TFuzzHost : public TProgramOwner {
public:
    bool Checked(TOption Item) const override { return Options.Checked(Item); }
    std::string GetEditorText() override { return Text; }
    void ClearOutput() override {}
    void AddLine(const std::string& Line) override { Bytes += Line.size(); }
    void SetCaret(std::int32_t) override {}
    void ShowMessage(const std::string&) override {}
    void ProcessMessages() override
    {
        if (++Yields > 3000 || OverTime())
            RequestStop(TStopReason::User);
    }
    void FocusOutput() override {}
    bool PollStop() override { return OverTime(); }
    bool OverTime() const
    {
        return std::chrono::steady_clock::now() - Start > std::chrono::milliseconds(300);
    }

    TOptionState Options;
    std::string Text;
    std::size_t Bytes = 0;
    std::int64_t Yields = 0;
    std::chrono::steady_clock::time_point Start = std::chrono::steady_clock::now();
};

// Draws small numbers from the input, and zeros once it is used up.
class TDraw {
public:
    TDraw(const std::uint8_t* Data, std::size_t Size) : Data(Data), Size(Size) {}
    unsigned Next(unsigned Bound)
    {
        if (Bound == 0)
            return 0;
        const unsigned Byte = At < Size ? Data[At++] : 0;
        return Byte % Bound;
    }
    bool Flag() { return Next(2) == 1; }

private:
    const std::uint8_t* Data;
    std::size_t Size;
    std::size_t At = 0;
};

std::string Term(TDraw& D, int Depth)
{
    static const char* Constants[] = {"a", "b", "c", "0", "1", "2.5", "\"s\""};
    static const char* Variables[] = {"X", "Y", "Z", "_"};
    switch (Depth > 0 ? D.Next(6) : D.Next(2)) {
    case 0:
        return Constants[D.Next(7)];
    case 1:
        return Variables[D.Next(4)];
    case 2:
        return "f(" + Term(D, Depth - 1) + ")";
    case 3:
        return "g(" + Term(D, Depth - 1) + ", " + Term(D, Depth - 1) + ")";
    case 4:
        return Term(D, Depth - 1) + (D.Flag() ? " + " : " * ") + Term(D, Depth - 1);
    default:
        return "-" + Term(D, Depth - 1);
    }
}

std::string Atom(TDraw& D)
{
    static const char* Predicates[] = {"p", "q", "r"};
    const unsigned Kind = D.Next(5);
    if (Kind == 4) {
        static const char* Relations[] = {" < ", " = ", " ≤ ", " ≠ ", " ≥ ", " > "};
        return Term(D, 1) + Relations[D.Next(6)] + Term(D, 1);
    }
    std::string A = Predicates[Kind % 3];
    if (Kind == 3)
        return A;
    A += "(" + Term(D, 2);
    if (D.Flag())
        A += ", " + Term(D, 2);
    return A + ")";
}

std::string Formula(TDraw& D, int Depth)
{
    if (Depth == 0)
        return Atom(D);
    switch (D.Next(8)) {
    case 0:
    case 1:
        return Atom(D);
    case 2:
        return "¬" + Formula(D, Depth - 1);
    case 3: {
        static const char* Names[] = {"X", "Y", "Z"};
        std::string Prefix = D.Flag() ? "∀" : "∃";
        Prefix += Names[D.Next(3)];
        if (D.Flag())
            Prefix += std::string(", ") + Names[D.Next(3)];
        return Prefix + " [" + Formula(D, Depth - 1) + "]";
    }
    default: {
        static const char* Connectives[] = {" ∧ ", " ∨ ", " → ", " ↔ "};
        return "[" + Formula(D, Depth - 1) + Connectives[D.Next(4)] + Formula(D, Depth - 1) + "]";
    }
    }
}

} // namespace

void CompileAll(const std::uint8_t* Data, std::size_t Size)
{
    TFuzzHost Host;
    if (Size > 0 && (Data[0] & 1))
        Host.Options.Set(TOption::Quant1, true);
    const std::string Text(reinterpret_cast<const char*>(Data), Size);
    TPLProgram Program(&Host);
    CurrentProgram = &Program;
    ForEachFormula(
        Program, Text, [] { return true; },
        [](TFALFormula* F, std::int32_t) {
            F->Simplify();
            std::string Printed;
            F->Print(Printed);
            delete F;
        });
    CurrentProgram = nullptr;
}

TGeneratedRun GenerateRun(const std::uint8_t* Data, std::size_t Size)
{
    TDraw D(Data, Size);
    TGeneratedRun Run;
    const unsigned Formulas = 1 + D.Next(6);
    for (unsigned I = 0; I < Formulas; ++I) {
        if (D.Next(4) == 0)
            Run.Document += "?- ";
        Run.Document += Formula(D, 3) + ".\n";
    }
    Run.Document += "?- " + Formula(D, 2) + ".\n";
    return Run;
}

void ProveGenerated(const std::uint8_t* Data, std::size_t Size)
{
    TGeneratedRun Run = GenerateRun(Data, Size);
    TFuzzHost Host;
    Host.Text = DecodeUtf8Text(Run.Document);
    TDraw D(Data + Size / 2, Size - Size / 2); // the options, from the other half
    TOptionState& O = Host.Options;
    for (TOption Toggle :
         {TOption::Quant1, TOption::General, TOption::Skolem1, TOption::Unsim, TOption::SRcheck1,
          TOption::Resolvents, TOption::Stat, TOption::Axioms, TOption::Progress, TOption::Sources})
        O.Set(Toggle, D.Flag());
    const TOption Checks[] = {TOption::Redcheck1, TOption::Checkby1, TOption::Checkby2};
    const TOption Restrictions[] = {TOption::Without1, TOption::Filtra1, TOption::Support1};
    const TOption Exits[] = {TOption::Exiton1, TOption::Exiton2, TOption::Exiton3};
    O.Choose(Checks[D.Next(3)]);
    O.Choose(Restrictions[D.Next(3)]);
    O.Choose(Exits[D.Next(3)]);
    O.Choose(D.Flag() ? TOption::Oneref1 : TOption::Allref1);
    const TStrategy Strategies[] = {TStrategy::Linear, TStrategy::Breadthfirst1,
                                    TStrategy::ModifLinear1, TStrategy::BestFirst1,
                                    TStrategy::Clauses};
    const unsigned Choice = D.Next(5);
    const TStrategy Strategy = Strategies[Choice];
    DCFLimit = 1 + static_cast<std::int32_t>(D.Next(10));
    MemoryLimit = 256 * 1024 * 1024;
    auto* Program = new TPLProgram(&Host);
    RunProgram(Program, Strategy);
    delete Program;
    CurrentProgram = nullptr;
    DCFLimit = 10;
}
