// The run command: one proof run of a window's program, and what replaces a failed one.
#pragma once

#include "model/formula.h"

enum class TRunOutcome { Finished, Stopped, OutOfMemory };

// Runs the program with the strategy. A run that was stopped, or in which an allocation
// failed, leaves its program half-way: a fresh program for the same owner takes its place.
TRunOutcome RunProgram(TPLProgram*& Program, TStrategy Strategy);

// What an allocation failure in the middle of a run leaves in the process-wide state is
// cleared; objects that were half-built are given up.
void ResetAfterFailure();
