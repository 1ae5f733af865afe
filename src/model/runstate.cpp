#include "model/runstate.h"

#include "model/alloc.h"
#include "model/formula.h"

TPLProgram* CurrentProgram = nullptr;
bool StopRequested = false;
TStopReason StopReason = TStopReason::None;
bool RefutationStop = false;
bool NewResolvent = false;
std::int64_t ResolventCount = 0;
std::string CenterLabel;
std::string PartnerLabel;
std::int64_t TautologyCount = 0;
std::int64_t FactoringCount = 0;
std::int64_t RedundantCount = 0;
std::int64_t UnificationCount = 0;
std::int64_t SimplificationCount = 0;
std::int64_t StartAllocated = 0;
std::int64_t PeakAllocated = 0;
std::int64_t HostHeldBytes = 0;
bool QueryRefuted = false;
std::int64_t SkolemCount = 0;
double MessageSeconds = 0;
std::int64_t QueriesEvaluated = 0;
std::int64_t QueriesRefuted = 0;
std::uint32_t WalkSteps = 0;
std::int8_t ForcedOptions[OptionCount] = {};
double SliceEnd = 0;
bool RecordProofs = false;
std::vector<TProofStep> Proof;
std::vector<std::string> Answer;
bool CaseSplitting = true;
TFALFormula* DoubtFormula = nullptr;
const TVariable* DoubtVariable = nullptr;
std::vector<TCaseQuery> CaseQueries;
std::size_t CaseQueriesEvaluated = 0;
TQueryOutcome CaseOutcome;
bool Capturing = false;
std::vector<std::string> Captured;
TCalculusReport CalculusReport;
bool CautiousSelection = false;

std::int32_t DCFLimit = 10;
std::int64_t MemoryLimit = DefaultMemoryLimit();
std::int64_t MemoryBase = -1;
std::int32_t DepthLimit = 4000;
std::int64_t SizeLimit = 2000000;

void ResetRunData()
{
    CurrentProgram = nullptr;
    StopRequested = false;
    StopReason = TStopReason::None;
    RefutationStop = false;
    NewResolvent = false;
    ResolventCount = 0;
    CalculusReport = TCalculusReport{};
    CautiousSelection = false;
    CenterLabel.clear();
    PartnerLabel.clear();
    TautologyCount = FactoringCount = RedundantCount = 0;
    UnificationCount = SimplificationCount = 0;
    StartAllocated = PeakAllocated = HostHeldBytes = 0;
    QueryRefuted = false;
    SkolemCount = 0;
    MessageSeconds = 0;
    QueriesEvaluated = QueriesRefuted = 0;
    WalkSteps = 0;
    for (std::int8_t& F : ForcedOptions)
        F = 0;
    SliceEnd = 0;
    Capturing = false;
    std::vector<std::string>().swap(Captured);
    std::vector<TProofStep>().swap(Proof);
    std::vector<std::string>().swap(Answer);
    DoubtFormula = nullptr;
    DoubtVariable = nullptr;
    std::vector<TCaseQuery>().swap(CaseQueries);
    CaseQueriesEvaluated = 0;
    CaseOutcome = TQueryOutcome{};
    FirstAtom = LastAtom = nullptr;
}
