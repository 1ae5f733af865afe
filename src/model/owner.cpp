#include "model/owner.h"

#include "model/alloc.h"
#include "model/formula.h"
#include "model/runstate.h"

#include <chrono>

namespace {
// The time slice of an automatic configuration ends like a stop, which the mode then lifts.
void CheckSlice()
{
    if (SliceEnd > 0 && !StopRequested &&
        std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
                .count() >= SliceEnd)
        RequestStop(TStopReason::Slice);
}

// The run's data is measured at every yield and poll: past the limit the run stops before
// the machine runs out of memory.
void CheckMemoryLimit()
{
    const std::int64_t Base = MemoryBase >= 0 ? MemoryBase : StartAllocated;
    if (!StopRequested && MemoryLimit > 0 && AllocatedBytes() - Base > MemoryLimit)
        StopRun(TStopReason::MemoryLimit, MemoryLimitLine());
}

TProgramOwner* Host()
{
    return CurrentProgram ? CurrentProgram->Owner : nullptr;
}

// What the host keeps from a call (its pending output lines, its events' caches) is its own
// memory, and the timing of its events decides it: the run's peak leaves it out.
template <class TCall> auto AsHost(TCall Call)
{
    const std::int64_t Before = AllocatedBytes();
    struct TCount {
        std::int64_t Before;
        ~TCount() { HostHeldBytes += AllocatedBytes() - Before; }
    } Count{Before};
    return Call();
}
} // namespace

bool OptionOn(TOption Item)
{
    if (const std::int8_t Forced = ForcedOptions[static_cast<int>(Item)])
        return Forced > 0;
    if (TProgramOwner* Owner = Host())
        return Owner->Checked(Item);
    return OptionItem(Item).Default;
}

void YieldToHost()
{
    if (TProgramOwner* Owner = Host())
        AsHost([Owner] { Owner->ProcessMessages(); });
    CheckMemoryLimit();
    CheckSlice();
}

void WriteLine(const std::string& Line)
{
    if (Capturing) {
        Captured.push_back(Line);
        return;
    }
    if (TProgramOwner* Owner = Host())
        AsHost([Owner, &Line] { Owner->AddLine(Line); });
}

std::string MemoryLimitLine()
{
    return "Stopped: the proof ran out of memory (limit " +
           std::to_string(MemoryLimit / (1024 * 1024)) + " MB).";
}

const TTptpNaming* HostNaming()
{
    TProgramOwner* Owner = Host();
    return Owner ? Owner->Naming() : nullptr;
}

void RequestStop(TStopReason Reason)
{
    if (!StopRequested)
        StopReason = Reason;
    StopRequested = true;
}

void StopRun(TStopReason Reason, const std::string& Why)
{
    if (!StopRequested)
        WriteLine(Why);
    RequestStop(Reason);
}

bool PollHostForStop()
{
    WalkSteps = 0;
    if (TProgramOwner* Owner = Host();
        Owner && !StopRequested && AsHost([Owner] { return Owner->PollStop(); }))
        RequestStop(TStopReason::User);
    CheckMemoryLimit();
    CheckSlice();
    return StopRequested;
}
