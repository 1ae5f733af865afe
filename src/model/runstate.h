// The process-wide run state shared by the prover Parts, as plain data: the program running,
// the stop request, counters, labels and limits. Only one run is in progress at a time.
#pragma once

#include "model/owner.h"

#include <cstdint>
#include <string>
#include <vector>

class TPLProgram;
class TFALFormula;
class TVariable;

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
// What the host's events kept while the run yielded to them: not the prover's memory, and as
// much as the timing of those events makes it.
extern std::int64_t HostHeldBytes;
extern bool QueryRefuted;        // the query in evaluation has been refuted at least once
extern std::int64_t SkolemCount; // Skolem symbols made in this run
extern double MessageSeconds;    // the time message boxes of this run stood open
extern std::int64_t QueriesEvaluated;
extern std::int64_t QueriesRefuted;
extern std::uint32_t WalkSteps; // steps of the long walks since the host was last asked
// The automatic mode sets options for its configurations: +1 checked, -1 not, 0 the
// window's own check mark.
extern std::int8_t ForcedOptions[];
// The end of the time slice in progress (steady clock, seconds); 0 for none.
extern double SliceEnd;
// While set (nivar-prove --proof), the first refutation of a query leaves its derivation in
// Proof; Answer gets the answer values of the first refutation in any case, in TPTP ("" for a
// value that is not a term of the problem's own symbols).
extern bool RecordProofs;
// Best-first search and the automatic mode prove a query case by case when it splits; off, every
// query stays whole (nivar-prove --proof: a derivation is of one refutation).
extern bool CaseSplitting;
// The first refutation of the query in evaluation, in the mode that ignores quantifiers, used
// this formula, whose variable is not universal (NoteDoubt); none for no doubt.
extern TFALFormula* DoubtFormula;
extern const TVariable* DoubtVariable;
extern std::vector<TProofStep> Proof;
extern std::vector<std::string> Answer;
// The automatic mode proves a query that splits case by case: each query of the text it runs
// belongs to a query of the document, as one of its cases (Cases 1 for a query not split).
struct TCaseQuery {
    std::int64_t Query = 0; // among the document's queries, from 1
    std::int32_t Case = 1;
    std::int32_t Cases = 1;
};
extern std::vector<TCaseQuery> CaseQueries; // empty: every query stands for itself
extern std::size_t CaseQueriesEvaluated;
extern TQueryOutcome CaseOutcome; // the cases so far of the query being split
// While set, report lines are kept in Captured instead of going to the window.
extern bool Capturing;
extern std::vector<std::string> Captured;
// What superposition adds to a query's report: the lines of its kept clauses for the list of
// resolvents, its rewriting steps for the statistics. Ran: it searched.
struct TCalculusReport {
    bool Ran = false;
    bool Saturated = false; // complete, no refutation: the clauses have a model
    std::vector<std::string> Kept;
    std::int64_t Given = 0;     // clauses taken
    std::int64_t Generated = 0; // conclusions of inferences
    std::int64_t Rewrites = 0;
};
extern TCalculusReport CalculusReport;
// Superposition's literal selection: cautious (the automatic mode's second try) or not.
extern bool CautiousSelection;

// Settings that outlive runs: they are set by the user, not reset.
extern std::int32_t DCFLimit;    // shared by all windows
extern std::int64_t MemoryLimit; // bytes a run may hold above its start; 0 for no limit
// Where the memory limit is measured from: -1 for the start of each run (StartAllocated), or
// the bytes the process held when it began, so that reading its input counts too.
extern std::int64_t MemoryBase;
extern std::int32_t DepthLimit; // nesting of a resolvent with its bindings written out
extern std::int64_t SizeLimit;  // symbols of a resolvent with its bindings written out

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

// Clears the run state above, the settings aside, and the atom chain being built.
void ResetRunData();
