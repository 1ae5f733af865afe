// The host interface: what a running program needs from the window that owns it.
#pragma once

#include "model/options.h"

#include <cstdint>
#include <string>
#include <vector>

struct TTptpNaming;

// Why a run stopped before its end.
enum class TStopReason : std::uint8_t {
    None,
    User,          // the Stop command: the run ends without its closing lines
    Timeout,       // a wall-clock or CPU time limit
    MemoryLimit,   // the run's data grew past the memory limit
    ResourceLimit, // a resolvent grew past the nesting or size limit
    Signal,        // an interrupt or termination signal
    WriteFailed,   // the report could not be written
    Slice,         // the time slice of one configuration of the automatic mode ended
    Answered,      // a counter-model answered the query: its proof search ends, the run goes on
};

// One formula of a refutation's derivation: parents before what they gave.
struct TProofStep {
    enum TKind : std::uint8_t { Axiom, NegatedQuery, Resolvent, Refutation } Kind = Axiom;
    std::string Label;   // F3, R7; "" for the refutation itself
    std::string Printed; // as the report prints it (symbol bytes)
    std::string Tptp;    // in TPTP, as the prover holds it (a source: Skolemized)
    std::string Source;  // a source formula in TPTP as written: before Skolemization, and a
                         // query not negated
    std::string Negated; // the negated query before Skolemization
    bool Skolemized = false;
    std::vector<std::string> Parents; // labels
    std::string Inference; // of a step of another calculus than resolution: its rule's name
};

// What became of one query, told to the host once its report is written.
struct TQueryOutcome {
    std::int64_t Number = 0; // among the queries of the text, from 1
    bool Refuted = false;
    TStopReason Stop = TStopReason::None; // what stopped the run during the query
    double Seconds = 0;                   // wall-clock time of its evaluation
    // In the mode that ignores quantifiers: where the first formula begins (an offset in the
    // run's text) whose variable Existential the refutation read as universal although it is
    // not; -1 when there is none or the query was not refuted.
    std::int32_t ExistentialAt = -1;
    std::string Existential;
    // The first refutation's derivation, when RecordProofs was set; the values of its answer
    // variables in TPTP, in the order of the query's prefix ("_" for none, "" for a value
    // that is not a term of the problem's own symbols).
    std::vector<TProofStep> Proof;
    std::vector<std::string> Answer;
    // A model search found a counter-model; Model holds it as TPTP formulas (fi_domain,
    // fi_functors, fi_predicates). Or the clause form with equality saturated: no model then.
    bool CounterSatisfiable = false;
    bool Saturated = false; // CounterSatisfiable because superposition saturated: no model
    std::vector<std::string> Model;
};

class TProgramOwner {
public:
    virtual ~TProgramOwner() = default;
    virtual bool Checked(TOption Item) const = 0; // the menu check mark, read at each use
    virtual std::string GetEditorText() = 0;      // bytes, symbol bytes included
    virtual void ClearOutput() = 0;
    virtual void AddLine(const std::string& Line) = 0;     // one line of the output pane
    virtual void SetCaret(std::int32_t Index) = 0;         // in the editor, empty selection
    virtual void ShowMessage(const std::string& Text) = 0; // modal, one button
    virtual void ProcessMessages() = 0;                    // lets pending events run
    virtual void FocusOutput() = 0;                        // keyboard focus to the output pane
    // Asked now and then from inside the long walks: whether a stop was requested. A host may
    // let pending events run first, with the same guards as at ProcessMessages.
    virtual bool PollStop() = 0;
    virtual void QueryEnded(const TQueryOutcome&) {}
    // A query of the document (numbered from 1) is about to be proved.
    virtual void QueryStarted(std::int64_t) {}
    // The names of the TPTP problem the text was read from, for what the prover writes in
    // TPTP; none for a Nivar document.
    virtual const TTptpNaming* Naming() const { return nullptr; }
};

// What the prover Parts ask of the window of the running program (CurrentProgram).

// The check mark of an option; the window default when no program runs.
bool OptionOn(TOption Item);
// Lets the window handle its pending events; measures the run against the memory limit.
void YieldToHost();
// Adds a line to the output pane.
void WriteLine(const std::string& Line);
// The window's TPTP naming (TProgramOwner::Naming), or none.
const TTptpNaming* HostNaming();
// Sets StopRequested; the first reason given stays.
void RequestStop(TStopReason Reason);
// The line of a stop at the memory limit.
std::string MemoryLimitLine();
// Stops the run as the stop command does, with a line saying why (the first stop only).
void StopRun(TStopReason Reason, const std::string& Why);

// The long walks (unification, copying, simplification) count their steps, and every
// PollInterval steps ask the host whether a stop was requested, so that a stop is seen within
// a fraction of a second wherever the run is.
inline constexpr std::uint32_t PollInterval = 4096;
// Asks the host now; true once a stop is requested.
bool PollHostForStop();
// WalkStopped(), in model/runstate.h, counts the steps.
