#include "cli/limits.h"

#include "cli/signals.h"
#include "model/alloc.h"
#include "model/runstate.h"

#include <charconv>
#include <csignal>
#include <ctime>
#include <sys/resource.h>

namespace {
std::string SecondsText(double Seconds)
{
    char Buf[32];
    const auto Res = std::to_chars(Buf, Buf + sizeof Buf, Seconds);
    return std::string(Buf, Res.ptr);
}

double Seconds(const timespec& T)
{
    return static_cast<double>(T.tv_sec) + static_cast<double>(T.tv_nsec) / 1e9;
}
} // namespace

TRunLimits::TRunLimits(double ATimeout, double ACpuLimit)
    : Timeout(ATimeout), CpuLimit(ACpuLimit), Start(std::chrono::steady_clock::now()),
      LastCpuCheck(Start)
{
}

double TRunLimits::CpuSeconds() const
{
    timespec Own{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &Own);
    double Total = Seconds(Own);
    rusage Children{};
    if (getrusage(RUSAGE_CHILDREN, &Children) == 0)
        Total += static_cast<double>(Children.ru_utime.tv_sec + Children.ru_stime.tv_sec) +
                 static_cast<double>(Children.ru_utime.tv_usec + Children.ru_stime.tv_usec) / 1e6;
    clockid_t Clock{};
    timespec Other{};
    if (Helper > 0 && clock_getcpuclockid(Helper, &Clock) == 0 && clock_gettime(Clock, &Other) == 0)
        Total += Seconds(Other);
    return Total;
}

bool TRunLimits::Reached(std::string& Why, TStopReason& Reason, std::int64_t Extra)
{
    if (const int Signal = ReceivedSignal()) {
        Reason = Signal == SIGXCPU ? TStopReason::Timeout : TStopReason::Signal;
        Why = Signal == SIGXCPU  ? "Stopped: the process exceeded its CPU time limit (SIGXCPU)."
              : Signal == SIGINT ? "Stopped: interrupted (SIGINT)."
                                 : "Stopped: terminated (SIGTERM).";
        return true;
    }
    const std::int64_t Base = MemoryBase >= 0 ? MemoryBase : StartAllocated;
    if (MemoryLimit > 0 && AllocatedBytes() - Base + Extra > MemoryLimit) {
        Reason = TStopReason::MemoryLimit;
        Why = MemoryLimitLine();
        return true;
    }
    if (Timeout <= 0 && CpuLimit <= 0)
        return false;
    const auto Now = std::chrono::steady_clock::now();
    if (Timeout > 0 && std::chrono::duration<double>(Now - Start).count() >= Timeout) {
        Reason = TStopReason::Timeout;
        Why = "Stopped: the time limit of " + SecondsText(Timeout) + " s was reached.";
        return true;
    }
    if (CpuLimit > 0 && Now - LastCpuCheck >= std::chrono::milliseconds(10)) {
        LastCpuCheck = Now;
        if (CpuSeconds() >= CpuLimit) {
            Reason = TStopReason::Timeout;
            Why = "Stopped: the CPU time limit of " + SecondsText(CpuLimit) + " s was reached.";
            return true;
        }
    }
    return false;
}

const char* StoppedStatus(TStopReason Reason)
{
    switch (Reason) {
    case TStopReason::Timeout:
        return "Timeout";
    case TStopReason::MemoryLimit:
        return "MemoryOut";
    case TStopReason::ResourceLimit:
        return "ResourceOut";
    default:
        return "User";
    }
}
