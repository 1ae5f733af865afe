#include "support/prover.h"

#include "language/codec.h"
#include "model/runstate.h"
#include "resolution/resolve.h"
#include "unify/dive.h"

#include <algorithm>
#include <functional>
#include <set>

void TTestOwner::ProcessMessages()
{
    ++Yields;
    if (StopAt >= 0 && Yields >= StopAt)
        RequestStop(TStopReason::User);
    if (FailAt >= 0 && Yields >= FailAt) {
        FailAt = -1;
        throw std::bad_alloc();
    }
}

bool TTestOwner::PollStop()
{
    ++Polls;
    return StopAtPoll >= 0 && Polls >= StopAtPoll;
}

std::vector<std::string> TTestOwner::TakeMessages()
{
    std::vector<std::string> Taken;
    Taken.swap(Messages);
    return Taken;
}

std::vector<std::string> TTestOwner::Report() const
{
    std::vector<std::string> Out;
    for (const std::string& Line : Lines)
        Out.push_back(Utf8(Line));
    return Out;
}

std::string Bytes(std::string_view Text)
{
    return DecodeDocument(std::string(Text)).Text;
}

std::string Utf8(const std::string& Text)
{
    return EncodeReport(Text);
}

void TProverTest::SetUp()
{
    ResetRunState();
    SavedDCFLimit = DCFLimit;
    SavedMemoryLimit = MemoryLimit;
    SavedDepthLimit = DepthLimit;
    SavedSizeLimit = SizeLimit;
    DCFLimit = 10;
    LiveAtStart = Pool::LiveBytes;
    Program = new TPLProgram(&Owner);
    CurrentProgram = Program;
}

void TProverTest::TearDown()
{
    for (TFALFormula* F : Kept)
        delete F;
    Kept.clear();
    delete Program;
    ResetRunState();
    DCFLimit = SavedDCFLimit;
    MemoryLimit = SavedMemoryLimit;
    DepthLimit = SavedDepthLimit;
    SizeLimit = SavedSizeLimit;
    // What a test made of the model is gone after its cleanup: a leak shows here, also where
    // the pools keep the leak checker from seeing it.
    EXPECT_EQ(Pool::LiveBytes, LiveAtStart) << "objects of the model left live";
}

TFALFormula* TProverTest::Compile(std::string_view Text)
{
    const std::string Source = Bytes(Text);
    TFALFormula* F = nullptr;
    CurrentProgram = Program;
    Program->XComp(Source.c_str(), F);
    EXPECT_NE(F, nullptr) << "syntax error " << int(Program->ErrCode) << " in " << Text;
    return F;
}

TFALFormula* TProverTest::Compiled(std::string_view Text)
{
    TFALFormula* F = Compile(Text);
    if (F)
        F->Simplify();
    return F;
}

std::string TProverTest::Print(TFALFormula* F)
{
    std::string S;
    F->Print(S);
    return Utf8(S);
}

std::vector<std::string> TProverTest::Run(std::string_view Document, TStrategy Strategy)
{
    Set(TOption::Time, false);
    Set(TOption::Memory1, false);
    Owner.Text = Bytes(Document);
    LastOutcome = RunProgram(Program, Strategy);
    CurrentProgram = Program;
    return Owner.Report();
}

std::string TProverTest::RunText(std::string_view Document, TStrategy Strategy)
{
    std::string Text;
    for (const std::string& Line : Run(Document, Strategy))
        Text += Line + "\n";
    return Text;
}

std::vector<TVariable*> Variables(const TQuant* Q)
{
    return {Q->Items.begin(), Q->Items.end()};
}

int CountLines(const std::vector<std::string>& Lines, std::string_view Text)
{
    return static_cast<int>(std::count(Lines.begin(), Lines.end(), Text));
}

namespace {
// The variables a term refers to; with Bindings, also those of the values of bound ones.
void CollectTermVariables(TId* T, std::vector<TVariable*>& Out, bool Bindings)
{
    if (!T)
        return;
    if (T->Is(TClass::Functor))
        for (TId* Arg : static_cast<TFunctor*>(T)->Params.Items)
            CollectTermVariables(Arg, Out, Bindings);
    if (T->Is(TClass::Variable)) {
        Out.push_back(static_cast<TVariable*>(T));
        if (Bindings)
            CollectTermVariables(static_cast<TVariable*>(T)->Id, Out, Bindings);
    }
}
} // namespace

void ExpectWellFormed(TFALFormula* F)
{
    ASSERT_NE(F, nullptr);
    if (!F->Cont) {
        EXPECT_EQ(F->MF, nullptr);
        return;
    }
    EXPECT_EQ(F->Cont->Ac, F);
    std::vector<TAtom*> Atoms;
    std::set<TVariable*> Owned;
    std::vector<TVariable*> Referenced;
    std::vector<TQuant*> Scope;
    std::function<void(TSub*)> Walk = [&](TSub* N) {
        if (N->Q) {
            EXPECT_GT(N->Q->Count(), 0) << "empty prefix kept";
            for (TVariable* V : N->Q->Items) {
                ASSERT_NE(V, nullptr);
                EXPECT_EQ(V->Master, N);
                EXPECT_FALSE(V->Cloned || V->Visited || V->New || V->NewId) << "copy mark left";
                EXPECT_TRUE(Owned.insert(V).second) << "variable in two prefixes";
                CollectTermVariables(V->Id, Referenced, true);
            }
            Scope.push_back(N->Q);
        }
        if (N->Is(TClass::Atom)) {
            auto* A = static_cast<TAtom*>(N);
            Atoms.push_back(A);
            EXPECT_EQ(A->Val, 0) << "atom mark left";
            std::vector<TVariable*> Direct;
            CollectTermVariables(A->Id, Direct, false);
            for (TVariable* V : Direct) {
                bool InScope = false;
                for (TQuant* Q : Scope)
                    InScope = InScope || Q->IndexOf(V) >= 0;
                EXPECT_TRUE(InScope) << "variable " << V->Name << " outside its prefix";
                CollectTermVariables(V->Id, Referenced, true);
            }
        } else if (N->Val == 0) {
            ASSERT_NE(N->L, nullptr);
            ASSERT_NE(N->R, nullptr);
            EXPECT_EQ(N->L->Ac, N);
            EXPECT_EQ(N->R->Ac, N);
            Walk(N->L);
            Walk(N->R);
        }
        if (N->Q)
            Scope.pop_back();
    };
    Walk(F->Cont);
    for (TVariable* V : Referenced)
        EXPECT_TRUE(Owned.count(V)) << "a binding refers to " << V->Name << " outside the formula";
    // The chain lists the atoms of the tree both ways, each once.
    std::vector<TAtom*> Forward;
    for (TAtom* A = F->MF; A && Forward.size() <= Atoms.size(); A = static_cast<TAtom*>(A->R))
        Forward.push_back(A);
    std::vector<TAtom*> Backward;
    for (TAtom* A = F->ML; A && Backward.size() <= Atoms.size(); A = static_cast<TAtom*>(A->L))
        Backward.push_back(A);
    std::reverse(Backward.begin(), Backward.end());
    EXPECT_EQ(Forward, Backward);
    std::sort(Atoms.begin(), Atoms.end());
    std::sort(Forward.begin(), Forward.end());
    EXPECT_EQ(Atoms, Forward) << "atom chain and tree disagree";
}
