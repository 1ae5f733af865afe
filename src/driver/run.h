// The run command: one proof run of a window's program, and what replaces a failed one.
#pragma once

#include "model/formula.h"
#include "model/runstate.h"

#include <new>

enum class TRunOutcome { Finished, Stopped, OutOfMemory };

// Runs the program with the strategy. A run that was stopped, or in which an allocation
// failed, leaves its program half-way: a fresh program for the same owner takes its place.
TRunOutcome RunProgram(TPLProgram*& Program, TStrategy Strategy);

// Runs Body as a run of the program: a stop, or a failed allocation (the half-built state
// given up), leaves a fresh program for the same owner in its place.
template <class TBody> TRunOutcome RunGuarded(TPLProgram*& Program, TBody Body);

// Clears every family of process-wide state: the run data, the copy state, the unification
// state, the resolution context and the compilation. The settings (DCFLimit and the limits)
// keep their values; objects that a failed run left half-built are given up.
void ResetRunState();

// Puts a fresh program for the same owner in the place of one a run left half-way.
void ReplaceProgram(TPLProgram*& Program);

template <class TBody> TRunOutcome RunGuarded(TPLProgram*& Program, TBody Body)
{
    StopRequested = false;
    StopReason = TStopReason::None;
    TRunOutcome Outcome = TRunOutcome::Finished;
    try {
        Body();
        if (StopRequested)
            Outcome = TRunOutcome::Stopped;
    } catch (const std::bad_alloc&) {
        ResetRunState();
        Outcome = TRunOutcome::OutOfMemory;
    }
    if (Outcome != TRunOutcome::Finished)
        ReplaceProgram(Program);
    return Outcome;
}
