#include "model/owner.h"

#include "model/alloc.h"
#include "model/formula.h"
#include "model/runstate.h"

namespace {
// The run's data is measured at every yield and poll: past the limit the run stops before
// the machine runs out of memory.
void CheckMemoryLimit()
{
    if (!StopRequested && MemoryLimit > 0 && AllocatedBytes() - StartAllocated > MemoryLimit)
        StopRun(TStopReason::MemoryLimit, "Stopped: the proof ran out of memory (limit " +
                                              std::to_string(MemoryLimit / (1024 * 1024)) +
                                              " MB).");
}

TProgramOwner* Host()
{
    return CurrentProgram ? CurrentProgram->Owner : nullptr;
}
} // namespace

bool OptionOn(TOption Item)
{
    if (TProgramOwner* Owner = Host())
        return Owner->Checked(Item);
    return OptionItem(Item).Default;
}

void YieldToHost()
{
    if (TProgramOwner* Owner = Host())
        Owner->ProcessMessages();
    CheckMemoryLimit();
}

void WriteLine(const std::string& Line)
{
    if (TProgramOwner* Owner = Host())
        Owner->AddLine(Line);
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
    if (TProgramOwner* Owner = Host(); Owner && !StopRequested && Owner->PollStop())
        RequestStop(TStopReason::User);
    CheckMemoryLimit();
    return StopRequested;
}

bool WalkStopped()
{
    if (StopRequested)
        return true;
    if (++WalkSteps < PollInterval)
        return false;
    return PollHostForStop();
}
