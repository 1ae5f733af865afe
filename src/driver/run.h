// The run command: one proof run of a window's program, and what replaces a failed one.
#pragma once

#include "model/formula.h"

enum class TRunOutcome { Finished, Stopped, OutOfMemory };

// Runs the program with the strategy. A run that was stopped, or in which an allocation
// failed, leaves its program half-way: a fresh program for the same owner takes its place.
TRunOutcome RunProgram(TPLProgram*& Program, TStrategy Strategy);

// Clears every family of process-wide state: the run data, the copy state, the unification
// state, the resolution context and the compilation. The settings (DCFLimit and the limits)
// keep their values; objects that a failed run left half-built are given up.
void ResetRunState();
