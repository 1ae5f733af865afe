#include "resolution/search.h"

#include "model/formula.h"
#include "model/print.h"
#include "model/runstate.h"
#include "resolution/limits.h"
#include "resolution/proof.h"
#include "resolution/resolve.h"
#include "unify/unify.h"

#include <unordered_set>
#include <vector>

// The linear strategies nest one partner loop per resolvent recorded along a branch, without
// bound; the nesting lives on an explicit stack here, so a deep search cannot exhaust the
// machine stack, and the pairs are tried in exactly the order of the nested loops.
namespace {
bool PairAllowed(TFALFormula* F, TFALFormula* G)
{
    if (OptionOn(TOption::Without1))
        return true;
    if (OptionOn(TOption::Filtra1))
        return F->IsValidPair(G);
    if (OptionOn(TOption::Support1))
        return F->FromQuery || G->FromQuery;
    return false;
}

std::string PairLabel(const std::string& Center, const std::string& Partner)
{
    return "[" + Center + "&" + Partner + "] : ";
}
} // namespace

TFALFormula* ResolveAndDispose(TFALFormula* F, TFALFormula* G, TAtom* A, TAtom* B,
                               const TResolutionMode* Mode)
{
    const bool OwnLabels = Mode && !Mode->Center.empty();
    const std::string& Center = OwnLabels ? Mode->Center : CenterLabel;
    const std::string& Partner = OwnLabels ? Mode->Partner : PartnerLabel;
    ResAtom1 = A;
    ResAtom2 = B;
    FalseInFirst = A->Pol != 0 ? A->Pol == 1 : B->Pol == -1;
    TFALFormula* N = F->Resolve(G, Mode);
    // A stop inside the copy's unifications may have left atoms unmarked: no resolvent is
    // added after a stop.
    if (StopRequested || !WithinLimits(N)) {
        delete N;
        return nullptr;
    }
    if (OptionOn(TOption::Unsim))
        WriteLine(PairLabel(Center, Partner) + Printed(N));
    N->Simplify();
    N->Cont->EvalPol();
    N = N->InsertToR(Mode);
    if (!N)
        return nullptr;
    // A stop during the insertion ends it early: a refutation found stands, any other
    // resolvent is not added.
    if ((StopRequested && N->Cont->Val != -1) || !WithinLimits(N)) {
        delete N;
        return nullptr;
    }
    if (N->Cont->Val == -1) {
        WriteLine((OptionOn(TOption::Sources) ? PairLabel(Center, Partner) : std::string()) +
                  " YES.");
        N->PrintVars();
        RecordRefutation(N);
        if (!QueryRefuted && !OptionOn(TOption::Quant1) && !OptionOn(TOption::Skolem1))
            NoteDoubt(N);
        QueryRefuted = true;
        if (OptionOn(TOption::Oneref1))
            RefutationStop = true;
        delete N;
        return nullptr;
    }
    if (N->Cont->Val == 1) {
        ++TautologyCount;
        delete N;
        return nullptr;
    }
    if (Mode && Mode->Accept && !Mode->Accept(N)) {
        ++RedundantCount;
        delete N;
        return nullptr;
    }
    return RecordResolvent(N, Center, Partner);
}

TFALFormula* RecordResolvent(TFALFormula* N)
{
    return RecordResolvent(N, CenterLabel, PartnerLabel);
}

TFALFormula* RecordResolvent(TFALFormula* N, const std::string& Center, const std::string& Partner)
{
    if (OptionOn(TOption::Progress)) {
        const std::string Head = OptionOn(TOption::Sources)
                                     ? Label('R', ResolventCount) + " " + PairLabel(Center, Partner)
                                     : std::string();
        WriteLine(Head + Printed(N));
    }
    N->Owner->ListR.Add(N);
    ++ResolventCount;
    NewResolvent = true;
    return N;
}

namespace {

// The trial of one pair of formulas, resumable after the nested search of a recorded
// resolvent.
struct TTrial {
    TFALFormula* F = nullptr;
    TFALFormula* G = nullptr;
    TAtom* A = nullptr;
    TAtom* B = nullptr;
    bool Nest = false;   // recorded resolvents become centers at once
    bool Resume = false; // the nested search of Recorded has ended
    TFALFormula* Recorded = nullptr;
};

bool NextAtomPair(TTrial& T)
{
    T.B = static_cast<TAtom*>(T.B->R);
    if (!T.B) {
        T.A = static_cast<TAtom*>(T.A->R);
        T.B = T.A ? T.G->MF : nullptr;
    }
    return T.A != nullptr;
}

// Runs the trial until it ends (false) or has recorded a resolvent to descend into (true).
bool RunTrial(TTrial& T)
{
    if (T.Resume) {
        T.Resume = false;
        if (OptionOn(TOption::Exiton1) || OptionOn(TOption::Exiton3) || !NextAtomPair(T))
            return false;
    } else {
        if (!PairAllowed(T.F, T.G))
            return false;
        Unifier().Clear();
        if (!T.F->MF || !T.G->MF)
            return false;
        T.A = T.F->MF;
        T.B = T.G->MF;
    }
    do {
        YieldToHost();
        if (StopRequested)
            return false;
        if (T.A->UnifyS(T.B)) {
            TFALFormula* N = ResolveAndDispose(T.F, T.G, T.A, T.B);
            if (N && T.Nest) {
                T.Recorded = N;
                T.Resume = true;
                return true;
            }
            if (OptionOn(TOption::Exiton1))
                return false;
        }
        if (OptionOn(TOption::Exiton3))
            return false;
    } while (NextAtomPair(T));
    return false;
}

enum class TPhase { Sources, Resolvents, SingleTrial };

struct TFrame {
    TFALFormula* Center;
    TPhase Phase;
    std::int32_t I;
    bool InTrial = false;
    TTrial Trial;
    std::string SavedCenterLabel;
    std::string SavedPartnerLabel;
};

class TSearch {
public:
    TSearch(bool Nest, bool WithResolvents) : Nest(Nest), WithResolvents(WithResolvents) {}

    void PartnerLoop(TFALFormula* Center)
    {
        Stack.push_back(LoopFrame(Center));
        Run();
    }

    void SingleTrial(TFALFormula* F, TFALFormula* G)
    {
        TFrame Frame{F, TPhase::SingleTrial, 0, false, {}, {}, {}};
        Frame.InTrial = true;
        Frame.Trial = TTrial{F, G, nullptr, nullptr, Nest};
        Stack.push_back(Frame);
        Run();
    }

private:
    TFrame LoopFrame(TFALFormula* Center)
    {
        return TFrame{Center, TPhase::Sources, Center->Owner->ListF.Count() - 1, false, {}, {}, {}};
    }

    void Pop()
    {
        Stack.pop_back();
        if (!Stack.empty()) {
            CenterLabel = Stack.back().SavedCenterLabel;
            PartnerLabel = Stack.back().SavedPartnerLabel;
        }
    }

    void Run()
    {
        while (!Stack.empty()) {
            TFrame& Top = Stack.back();
            if (Top.InTrial) {
                if (RunTrial(Top.Trial)) {
                    Top.SavedCenterLabel = CenterLabel;
                    Top.SavedPartnerLabel = PartnerLabel;
                    CenterLabel = Label('R', ResolventCount - 1);
                    TFALFormula* N = Top.Trial.Recorded;
                    Stack.push_back(LoopFrame(N));
                    continue;
                }
                Top.InTrial = false;
                if (Top.Phase == TPhase::SingleTrial || RefutationStop) {
                    Pop();
                    continue;
                }
                --Top.I;
                continue;
            }
            // After Stop every later trial would return at its first atom pair: the loops
            // end at once instead of walking every partner of every level.
            if (StopRequested) {
                Pop();
                continue;
            }
            TPLProgram* Program = Top.Center->Owner;
            if (Top.Phase == TPhase::Sources && Top.I < 0) {
                if (!WithResolvents) {
                    Pop();
                    continue;
                }
                Top.Phase = TPhase::Resolvents;
                Top.I = Program->ListR.Count() - 1;
                continue;
            }
            if (Top.Phase == TPhase::Resolvents && Top.I < 0) {
                Pop();
                continue;
            }
            const bool Sources = Top.Phase == TPhase::Sources;
            PartnerLabel = Label(Sources ? 'F' : 'R', Top.I);
            TFALFormula* Partner = Sources ? Program->ListF.Get(Top.I) : Program->ListR.Get(Top.I);
            if (Partner) {
                Top.InTrial = true;
                Top.Trial = TTrial{Top.Center, Partner, nullptr, nullptr, Nest};
                continue;
            }
            if (RefutationStop) {
                Pop();
                continue;
            }
            --Top.I;
        }
    }

    bool Nest;
    bool WithResolvents;
    std::vector<TFrame> Stack;
};
} // namespace

void TFALFormula::AllPosRes()
{
    TSearch(false, true).PartnerLoop(this);
}

void TFALFormula::AllPosRes3()
{
    TSearch(false, false).PartnerLoop(this);
}

void TFALFormula::AllPosRes4()
{
    TSearch(true, true).PartnerLoop(this);
}

void TFALFormula::TryToRes(TFALFormula* G)
{
    TSearch(false, true).SingleTrial(this, G);
}

void TFALFormula::TryToRes2(TFALFormula* G)
{
    TSearch(false, false).SingleTrial(this, G);
}

void TFALFormula::TryToRes3(TFALFormula* G)
{
    TSearch(true, true).SingleTrial(this, G);
}

bool TFALFormula::IsValidPair(TFALFormula* G)
{
    TFALFormula* F = this;
    if (!F->Parent1 || !G->Parent1)
        return true;
    // Whether Target is Start or one of its ancestors through the derivation links; each
    // formula is looked at once, so shared ancestors cost nothing more.
    auto Found = [](TFALFormula* Target, TFALFormula* Start) {
        std::vector<TFALFormula*> Pending{Start};
        std::unordered_set<TFALFormula*> Seen;
        while (!Pending.empty()) {
            TFALFormula* Y = Pending.back();
            Pending.pop_back();
            if (!Y || !Seen.insert(Y).second)
                continue;
            if (Y == Target)
                return true;
            Pending.push_back(Y->Parent2);
            Pending.push_back(Y->Parent1);
        }
        return false;
    };
    return Found(F, G) || Found(G, F);
}
