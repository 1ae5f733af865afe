// The limits of one run of nivar-prove: the wall clock, the CPU time of the whole run (the
// model search's process included), the memory, and the stop signals. Asked while the input is
// read and parsed, and by the host during the proof.
#pragma once

#include "model/owner.h"

#include <chrono>
#include <string>

class TRunLimits {
public:
    TRunLimits(double ATimeout, double ACpuLimit);

    // Whether the run must stop: a stop signal came or a limit is reached. Why gets the
    // "Stopped: ..." line of the first such cause and Reason its kind. The CPU clocks are read
    // a hundred times a second at most. Extra: bytes about to be held (input being read).
    bool Reached(std::string& Why, TStopReason& Reason, std::int64_t Extra = 0);
    // A process whose CPU time counts as the run's while it lives (the model search's); -1
    // for none. Once it has ended and been waited for, its time is counted as a child's.
    void SetHelper(int Pid) { Helper = Pid; }
    // The CPU seconds of the run so far: this process, its children that ended, the helper.
    double CpuSeconds() const;

private:
    double Timeout;  // seconds; 0 for none
    double CpuLimit; // seconds; 0 for none
    std::chrono::steady_clock::time_point Start;
    std::chrono::steady_clock::time_point LastCpuCheck;
    int Helper = -1;
};

// The SZS status of a run stopped for Reason: Timeout, MemoryOut, ResourceOut or User.
const char* StoppedStatus(TStopReason Reason);
