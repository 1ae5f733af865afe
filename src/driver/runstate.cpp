#include "driver/runstate.h"

#include "model/alloc.h"
#include "model/formula.h"
#include "model/owner.h"

#include <unistd.h>

TPLProgram* CurrentProgram = nullptr;
bool StopRequested = false;
TStopReason StopReason = TStopReason::None;
std::uint32_t WalkSteps = 0;
bool RefutationStop = false;
bool NewResolvent = false;
std::int64_t ResolventCount = 0;
std::string CenterLabel;
std::string PartnerLabel;
std::int64_t TautologyCount = 0;
std::int64_t FactoringCount = 0;
std::int64_t RedundantCount = 0;
std::int64_t UnificationCount = 0;
std::int64_t SimplificationCount = 0;
std::int64_t StartAllocated = 0;
std::int64_t PeakAllocated = 0;
std::int32_t DCFLimit = 10;
bool QueryRefuted = false;
std::int64_t MemoryLimit = DefaultMemoryLimit();
std::int32_t DepthLimit = 4000;
std::int64_t SizeLimit = 2000000;
std::int64_t SkolemCount = 0;
double MessageSeconds = 0;
std::int64_t QueriesEvaluated = 0;
std::int64_t QueriesRefuted = 0;

bool OptionOn(TOption Item)
{
    if (CurrentProgram && CurrentProgram->Owner)
        return CurrentProgram->Owner->Checked(Item);
    return OptionItem(Item).Default;
}

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
} // namespace

void YieldToHost()
{
    if (CurrentProgram && CurrentProgram->Owner)
        CurrentProgram->Owner->ProcessMessages();
    CheckMemoryLimit();
}

bool PollHostForStop()
{
    WalkSteps = 0;
    if (!StopRequested && CurrentProgram && CurrentProgram->Owner &&
        CurrentProgram->Owner->PollStop())
        RequestStop(TStopReason::User);
    CheckMemoryLimit();
    return StopRequested;
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

std::int64_t DefaultMemoryLimit()
{
    const long Pages = sysconf(_SC_PHYS_PAGES);
    const long PageSize = sysconf(_SC_PAGE_SIZE);
    if (Pages <= 0 || PageSize <= 0)
        return 0;
    return static_cast<std::int64_t>(Pages) * PageSize / 2;
}

void WriteLine(const std::string& Line)
{
    if (CurrentProgram && CurrentProgram->Owner)
        CurrentProgram->Owner->AddLine(Line);
}

void SamplePeak()
{
    const std::int64_t Now = AllocatedBytes();
    if (Now > PeakAllocated)
        PeakAllocated = Now;
}

std::string Label(char Prefix, std::int64_t Index)
{
    return Prefix + std::to_string(Index);
}

void ResetRunState()
{
    CurrentProgram = nullptr;
    StopRequested = false;
    StopReason = TStopReason::None;
    WalkSteps = 0;
    RefutationStop = false;
    NewResolvent = false;
    ResolventCount = 0;
    CenterLabel.clear();
    PartnerLabel.clear();
    TautologyCount = FactoringCount = RedundantCount = 0;
    UnificationCount = SimplificationCount = 0;
    StartAllocated = PeakAllocated = 0;
    QueryRefuted = false;
    QueriesEvaluated = QueriesRefuted = 0;
    MessageSeconds = 0;
    SkolemCount = 0;
    FirstAtom = LastAtom = nullptr;
}
