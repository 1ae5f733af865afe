// The command line of nivar-prove.
#pragma once

#include "model/formula.h"
#include "model/options.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TMode : std::uint8_t { Prove, Parse, Compile, Help, Version };

struct TArguments {
    TMode Mode = TMode::Prove;
    std::string File; // "-" for standard input
    TOptionState Options;
    TStrategy Strategy = TStrategy::Linear;
    std::int32_t DCFLimit = 10;
    double Timeout = 0;            // wall-clock seconds; 0 for none
    double CpuLimit = 0;           // seconds of the process's CPU time; 0 for none
    std::int64_t MemoryLimit = -1; // bytes; -1 for the default
    bool Bytes = false;
    bool Szs = false;            // an SZS status line after each query
    bool EqualityAxioms = false; // a TPTP problem with equality gets its axioms
    enum class TProofFormat : std::uint8_t { None, Tstp, Dot } Proof = TProofFormat::None;
    // A counter-model search beside the proof of each query (--counter-models, --auto), or
    // alone (--model-search), up to domains of MaxDomain elements.
    bool CounterModels = false;
    bool ModelSearchOnly = false;
    int MaxDomain = 8;
    bool ModelTptp = false; // --model tptp: the model also as a TPTP interpretation
    // An option that chooses how queries are proved was given (a strategy, a mode, a check):
    // without one a TPTP problem is proved in the automatic mode.
    bool SearchChosen = false;
    std::string Error; // set when the command line is bad
};

TArguments ParseArguments(int Argc, const char* const* Argv);
// The automatic mode: Skolemization, the schedule of searches, a model search beside them.
void ChooseAutomatic(TArguments& A);
// Why the options cannot write derivations (--proof in the default mode); empty when they can.
std::string ProofModeError(const TArguments& A);
// The help text: every option of the table ParseArguments reads, with its help.
std::string UsageText();
// The names of the options, and of those that choose how queries are proved.
std::vector<std::string> OptionNames();
std::vector<std::string> SearchOptionNames();
