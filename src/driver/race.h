// The proof of a query and the model search beside it: the search in a process of its own,
// what it tells through its pipe, and which answer stands.
#pragma once

#include "model/options.h"
#include "model/owner.h"
#include "model/tptpnames.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Whether the proof's outcome leaves the question open, so that the model search is waited
// for: the proof gave up, or it refuted the query in the default mode while reading an
// existential variable as universal (a refutation that may not hold).
bool AwaitsModel(const TQueryOutcome& Proof);

// Whether a counter-model the search found (and checked) answers the query instead of the
// proof: it does unless the proof's refutation holds. A counter-model and a sound refutation
// cannot both stand; a doubtful refutation yields to the model.
bool ModelAnswers(const TQueryOutcome& Proof, bool ModelFound);

// What the model search of one query found: its report lines and, found, the model in TPTP.
struct TModelFound {
    bool Found = false;
    std::vector<std::string> Lines;
    std::vector<std::string> Model;
};
// Its message through the pipe, and back. A message cut short (the child was killed) reads
// as nothing found.
std::string EncodeModelFound(const TModelFound& Found);
TModelFound DecodeModelFound(const std::string& Message);

// The answer of the race for one query.
struct TRaceVerdict {
    TQueryOutcome Outcome;
    bool ModelStands = false; // the model's lines stand in the report instead of the proof's
    bool Overturned = false;  // a doubtful refutation that the counter-model shows wrong
};
TRaceVerdict SettleRace(const TQueryOutcome& Proof, const TModelFound& Model);

// The model search of one query in a child process (fork), beside the proof in this one; it
// ends with its parent. Its host has the given options, no time or memory lines.
class TModelSearchChild {
public:
    TModelSearchChild() = default;
    TModelSearchChild(const TModelSearchChild&) = delete;
    TModelSearchChild& operator=(const TModelSearchChild&) = delete;
    ~TModelSearchChild() { End(); }

    // Starts the search of query Query (1 for the first) of Text; false where no process
    // could be made, and then nothing runs.
    bool Start(const TOptionState& Options, const std::string& Text, const TTptpNaming* Naming,
               int MaxDomain, std::int64_t Query);
    // Reads what the child wrote; Wait: to its end, asking Stop between waits (true: no
    // longer). Done once the child wrote all.
    void Read(bool Wait, const std::function<bool()>& Stop = {});
    bool Done() const { return Finished; }
    // What it found; nothing found until Done.
    const TModelFound& Result() const { return Found; }
    // Ends the child, waited for, so its CPU time counts among the children's.
    void End();
    // Ends the child and forgets what it found: the query is answered.
    void Forget()
    {
        End();
        Finished = false;
        Found = {};
    }
    // The child's process, -1 for none.
    int Pid() const { return Child; }

private:
    int Child = -1;
    int Pipe = -1;
    std::string Message;
    bool Finished = false;
    TModelFound Found;
};
