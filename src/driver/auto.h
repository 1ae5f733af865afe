// The automatic mode: Skolemization, and for each query a schedule of configurations in time
// slices, until one refutes it.
#pragma once

#include "model/formula.h"
#include "model/options.h"

struct TAutoConfig {
    TStrategy Strategy;
    TOption Exit;          // the exit option the configuration uses
    double Seconds;        // its time slice; 0: no end of its own
    const char* Name;      // as the report names it
    bool Cautious = false; // superposition's cautious literal selection
};
extern const TAutoConfig AutoSchedule[5];
// Once the first configuration showed that superposition takes the problem (it uses
// equality): the configurations that follow it instead of the rest of AutoSchedule.
extern const TAutoConfig EqualitySchedule[2];

// The options every configuration shares, set for the whole run: Skolemization on, the
// quantifier check off, one refutation.
void ForceAutomaticOptions();
// Tries the configurations in turn on the query now in ListF; writes the report of the one
// that refutes it (or of the last one tried) and a line naming it.
void ConsistInTurn(TPLProgram* Program);
