// Benchmarks of the prover's hot units: compiling, unification, resolution, insertion.
#include "language/codec.h"
#include "model/formula.h"
#include "model/owner.h"
#include "model/runstate.h"
#include "resolution/resolve.h"
#include "resolution/superposition.h"

#include <benchmark/benchmark.h>

namespace {
class TBenchHost : public TProgramOwner {
public:
    bool Checked(TOption Item) const override { return Options.Checked(Item); }
    std::string GetEditorText() override { return Text; }
    void ClearOutput() override {}
    void AddLine(const std::string&) override {}
    void SetCaret(std::int32_t) override {}
    void ShowMessage(const std::string&) override {}
    void ProcessMessages() override {}
    void FocusOutput() override {}
    bool PollStop() override { return false; }
    TOptionState Options;
    std::string Text;
};

struct TBench {
    TBenchHost Host;
    TPLProgram Program{&Host};
    TBench() { CurrentProgram = &Program; }
    ~TBench() { CurrentProgram = nullptr; }
    TFALFormula* Compile(const std::string& Utf8)
    {
        const std::string Text = DecodeDocument(Utf8).Text;
        TFALFormula* F = nullptr;
        Program.XComp(Text.c_str(), F);
        if (F)
            F->Simplify();
        return F;
    }
};

std::string Nested(const std::string& Inner, int Depth)
{
    std::string S = Inner;
    for (int I = 0; I < Depth; ++I)
        S = "f(" + S + ")";
    return S;
}

void CompileDocument(benchmark::State& State)
{
    std::string Doc;
    for (int I = 0; I < State.range(0); ++I)
        Doc += "∀X ∀Y [p" + std::to_string(I % 17) + "(X, f(Y, " + std::to_string(I) +
               ")) ∧ q(g(X), \"s\") → r(X + 1, Y * 2) ∨ ¬s(X)].\n";
    TBench B;
    const std::string Text = DecodeDocument(Doc).Text;
    for (auto _ : State) {
        std::size_t Position = 0;
        while (Position < Text.size()) {
            TFALFormula* F = nullptr;
            B.Program.XComp(Text.c_str() + Position, F);
            if (!F)
                break;
            F->Simplify();
            delete F;
            Position += static_cast<std::size_t>(B.Program.TextPos);
        }
    }
    State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations() * Text.size()));
}
BENCHMARK(CompileDocument)->Arg(1000);

void UnifyDeep(benchmark::State& State)
{
    TBench B;
    TFALFormula* F = B.Compile("p(" + Nested("X", int(State.range(0))) + "). ");
    TFALFormula* G = B.Compile("p(" + Nested("a", int(State.range(0))) + "). ");
    for (auto _ : State) {
        benchmark::DoNotOptimize(F->MF->UnifyS(G->MF));
        B.Program.MGUn1.Clear();
    }
    delete F;
    delete G;
}
BENCHMARK(UnifyDeep)->Arg(16)->Arg(256)->Arg(2048);

void UnifyWide(benchmark::State& State)
{
    TBench B;
    std::string Vars, Consts;
    for (int I = 0; I < State.range(0); ++I) {
        Vars += (I ? ", X" : "X") + std::to_string(I);
        Consts += (I ? ", a" : "a") + std::to_string(I);
    }
    TFALFormula* F = B.Compile("p(" + Vars + "). ");
    TFALFormula* G = B.Compile("p(" + Consts + "). ");
    for (auto _ : State) {
        benchmark::DoNotOptimize(F->MF->UnifyS(G->MF));
        B.Program.MGUn1.Clear();
    }
    delete F;
    delete G;
}
BENCHMARK(UnifyWide)->Arg(16)->Arg(256);

void ResolveSimplify(benchmark::State& State)
{
    TBench B;
    std::string Big = "∀X [p(X)";
    for (int I = 0; I < State.range(0); ++I)
        Big += " ∨ q" + std::to_string(I) + "(X, f(X))";
    TFALFormula* F = B.Compile(Big + "]. ");
    TFALFormula* G = B.Compile("¬p(a). ");
    for (auto _ : State) {
        B.Program.MGUn1.Clear();
        F->MF->UnifyS(G->MF);
        ResAtom1 = F->MF;
        ResAtom2 = G->MF;
        FalseInFirst = true;
        TFALFormula* N = F->Resolve(G);
        N->Simplify();
        delete N;
    }
    delete F;
    delete G;
}
BENCHMARK(ResolveSimplify)->Arg(8)->Arg(64)->Arg(512);

void InsertAgainstRecorded(benchmark::State& State)
{
    TBench B;
    B.Host.Options.Set(TOption::Checkby1, true);
    for (int I = 0; I < State.range(0); ++I) {
        TFALFormula* R = B.Compile("∀X [q" + std::to_string(I) + "(X) ∨ r(X, b)]. ");
        R->Parent1 = R;
        B.Program.ListR.Add(R);
    }
    for (auto _ : State) {
        TFALFormula* N = B.Compile("∀Y [s(Y) ∨ t(Y, a)]. ");
        N->Parent1 = N;
        N->Cont->EvalPol();
        delete N->InsertToR();
    }
    B.Program.ClearResolvents();
}
BENCHMARK(InsertAgainstRecorded)->Arg(100)->Arg(400);

// Superposition on a chain of n rewrite rules g(c_i) = c_(i+1) and the goal g^n(c_0) != c_n:
// with the term index (second argument 1) each rewriting step and each backward check finds
// its partners directly; without it (0) every clause is a candidate.
void RewriteChain(benchmark::State& State)
{
    const int N = static_cast<int>(State.range(0));
    for (auto _ : State) {
        TTermBank Bank;
        TSuperposition Search(Bank);
        Search.UseIndex(State.range(1) != 0);
        const std::uint32_t G = Bank.Symbol("g", 1, TSymbol::Function);
        std::vector<TTermRef> C;
        for (int I = 0; I <= N; ++I)
            C.push_back(Bank.Apply(Bank.Symbol("c" + std::to_string(I), 0, TSymbol::Function), {}));
        Bank.SetPrecedence();
        for (int I = 0; I < N; ++I) {
            const TTermRef Arg[] = {C[static_cast<std::size_t>(I)]};
            Search.AddInput({{Bank.Apply(G, Arg), C[static_cast<std::size_t>(I) + 1], true, false}},
                            false, "");
        }
        TTermRef Goal = C[0];
        for (int I = 0; I < N; ++I) {
            const TTermRef Arg[] = {Goal};
            Goal = Bank.Apply(G, Arg);
        }
        Search.AddInput({{Goal, C.back(), false, false}}, true, "");
        if (Search.Run() != TSaturation::Refuted)
            State.SkipWithError("not refuted");
        benchmark::DoNotOptimize(Search.Stats.Rewrites);
    }
    State.SetComplexityN(N);
}
BENCHMARK(RewriteChain)->ArgsProduct({{8, 32, 128, 512}, {1, 0}})->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
