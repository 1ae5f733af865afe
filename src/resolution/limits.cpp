#include "resolution/limits.h"

#include "model/formula.h"
#include "model/runstate.h"
#include "model/stamptable.h"
#include "model/terms.h"

#include <algorithm>
#include <vector>

namespace {
struct TMeasure {
    std::int64_t Depth = 0;
    std::int64_t Size = 0;
};

TMeasure Over()
{
    return {std::int64_t(DepthLimit) + 1, SizeLimit + 1};
}

// The measures of the values met in one formula, kept between formulas (every resolvent is
// measured, some twice).
TStampTable<const TVariable*, TMeasure, TAddressHash> Values;

struct TFrame {
    TId* T;
    std::int32_t Next;
    TMeasure Acc;
};

std::vector<TFrame> Stack;
std::vector<std::pair<TSub*, std::int64_t>> Nodes;

// Depth and size of a term, the values of bound variables written out in its place.
TMeasure MeasureTerm(TId* Root)
{
    Stack.clear();
    Stack.push_back({Root, 0, {}});
    TMeasure Result;
    while (!Stack.empty()) {
        TFrame& Top = Stack.back();
        TId* T = Top.T;
        if (T && T->Is(TClass::Functor)) {
            const std::span<TId* const> Args = ArgumentsOf(T);
            if (static_cast<std::size_t>(Top.Next) < Args.size()) {
                TId* Arg = Args[static_cast<std::size_t>(Top.Next++)];
                if (Arg)
                    Stack.push_back({Arg, 0, {}});
                continue;
            }
            Result = {Top.Acc.Depth + 1, Top.Acc.Size + 1};
        } else if (T && T->Is(TClass::Variable) && static_cast<TVariable*>(T)->Id) {
            auto* V = static_cast<TVariable*>(T);
            if (Top.Next == 1) {
                Result = Top.Acc; // its value has been measured
                *Values.Find(V) = Result;
            } else if (const TMeasure* Known = Values.Find(V)) {
                Result = *Known;
            } else {
                Values.Insert(V, Over()); // a value that reached itself would never end
                Top.Next = 1;
                Stack.push_back({V->Id, 0, {}});
                continue;
            }
        } else {
            Result = {1, 1};
        }
        Stack.pop_back();
        if (Stack.empty())
            break;
        TMeasure& Parent = Stack.back().Acc;
        Parent.Depth = std::max(Parent.Depth, Result.Depth);
        Parent.Size = std::min(Parent.Size + Result.Size, SizeLimit + 1);
        if (Parent.Depth > DepthLimit || Parent.Size > SizeLimit)
            return Over();
    }
    return Result;
}
} // namespace

void ReleaseLimitsStorage()
{
    Values.Release();
    std::vector<TFrame>().swap(Stack);
    decltype(Nodes)().swap(Nodes);
}

TFormulaMeasure Measure(TFALFormula* F)
{
    if (!F->Cont)
        return {};
    Values.Clear();
    Nodes.clear();
    Nodes.push_back({F->Cont, 1});
    std::int64_t Depth = 0;
    std::int64_t Size = 0;
    while (!Nodes.empty() && Depth <= DepthLimit && Size <= SizeLimit) {
        auto [Node, Level] = Nodes.back();
        Nodes.pop_back();
        ++Size;
        Depth = std::max(Depth, Level);
        if (Node->Q)
            for (TVariable* V : Node->Q->Items)
                if (V && V->Id) {
                    const TMeasure M = MeasureTerm(V->Id);
                    Depth = std::max(Depth, Level + M.Depth);
                    Size += M.Size;
                }
        if (Node->Is(TClass::Atom)) {
            if (TId* Term = static_cast<TAtom*>(Node)->Id) {
                const TMeasure M = MeasureTerm(Term);
                Depth = std::max(Depth, Level + M.Depth);
                Size += M.Size;
            }
        } else {
            if (Node->L)
                Nodes.push_back({Node->L, Level + 1});
            if (Node->R)
                Nodes.push_back({Node->R, Level + 1});
        }
    }
    return {Depth, Size};
}

bool WithinLimits(TFALFormula* F)
{
    const auto [Depth, Size] = Measure(F);
    if (Depth > DepthLimit) {
        StopRun(TStopReason::ResourceLimit, "Stopped: a resolvent is nested more than " +
                                                std::to_string(DepthLimit) + " levels deep.");
        return false;
    }
    if (Size > SizeLimit) {
        StopRun(TStopReason::ResourceLimit,
                "Stopped: a resolvent has more than " + std::to_string(SizeLimit) + " symbols.");
        return false;
    }
    return true;
}
