// Process-wide run state shared by the prover: the program running, Stop, counters, labels.
#pragma once

#include "model/options.h"
#include "model/owner.h"

#include <cstdint>
#include <string>

class TPLProgram;

extern TPLProgram* CurrentProgram;  // the program of the run in progress
extern bool StopRequested;          // set by the stop command, polled at the yield points
extern TStopReason StopReason;      // why StopRequested was set
extern bool RefutationStop;         // a refutation under "One refutation" ends the search
extern bool NewResolvent;           // a resolvent was appended in this breadth-first level
extern std::int64_t ResolventCount; // resolvents appended in this query evaluation
extern std::string CenterLabel;
extern std::string PartnerLabel;
extern std::int64_t TautologyCount;
extern std::int64_t FactoringCount;
extern std::int64_t RedundantCount;
extern std::int64_t UnificationCount;
extern std::int64_t SimplificationCount;
extern std::int64_t StartAllocated;
extern std::int64_t PeakAllocated;
extern std::int32_t DCFLimit;    // shared by all windows
extern bool QueryRefuted;        // the query in evaluation has been refuted at least once
extern std::int64_t MemoryLimit; // bytes a run may hold above its start; 0 for no limit
extern std::int32_t DepthLimit;  // nesting of a resolvent with its bindings written out
extern std::int64_t SizeLimit;   // symbols of a resolvent with its bindings written out
extern std::int64_t SkolemCount; // Skolem symbols made in this run
extern double MessageSeconds;    // the time message boxes of this run stood open
extern std::int64_t QueriesEvaluated;
extern std::int64_t QueriesRefuted;

// The check mark of an option in the window of CurrentProgram; the window default when no
// program runs.
bool OptionOn(TOption Item);
// Lets the window of CurrentProgram handle its pending events.
void YieldToHost();
// Adds a line to the output pane of CurrentProgram's window.
void WriteLine(const std::string& Line);
// Sets StopRequested; the first reason given stays.
void RequestStop(TStopReason Reason);
// Stops the run as the stop command does, with a line saying why.
void StopRun(TStopReason Reason, const std::string& Why);

// The long walks (unification, copying, simplification) count their steps, and every
// PollInterval steps ask the host whether a stop was requested, so that a stop is seen within
// a fraction of a second wherever the run is.
inline constexpr std::uint32_t PollInterval = 4096;
extern std::uint32_t WalkSteps;
bool PollHostForStop();
// Counts one step of a long walk; true once a stop is requested. A walk that can give up
// safely then does (a unification finds no unifier); the others only let the host look.
inline bool WalkStopped()
{
    if (StopRequested)
        return true;
    if (++WalkSteps < PollInterval)
        return false;
    return PollHostForStop();
}
// A generous share of the physical memory: the default memory limit.
std::int64_t DefaultMemoryLimit();

// Raises PeakAllocated to the bytes allocated now when that is more.
void SamplePeak();

// A formula label: "F" or "R" and the index.
std::string Label(char Prefix, std::int64_t Index);

// Resets every counter and flag of the run state (DCFLimit keeps its value).
void ResetRunState();
