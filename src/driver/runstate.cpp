#include "driver/runstate.h"

#include "model/formula.h"
#include "model/owner.h"

TPLProgram* CurrentProgram = nullptr;
bool StopRequested = false;
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
std::int32_t DCFLimit = 10;
bool QueryRefuted = false;
std::int64_t QueriesEvaluated = 0;
std::int64_t QueriesRefuted = 0;

bool OptionOn(TOption Item)
{
    if (CurrentProgram && CurrentProgram->Owner)
        return CurrentProgram->Owner->Checked(Item);
    return OptionItem(Item).Default;
}

void YieldToHost()
{
    if (CurrentProgram && CurrentProgram->Owner)
        CurrentProgram->Owner->ProcessMessages();
}

void WriteLine(const std::string& Line)
{
    if (CurrentProgram && CurrentProgram->Owner)
        CurrentProgram->Owner->AddLine(Line);
}

std::string Label(char Prefix, std::int64_t Index)
{
    return Prefix + std::to_string(Index);
}

void ResetRunState()
{
    CurrentProgram = nullptr;
    StopRequested = false;
    RefutationStop = false;
    NewResolvent = false;
    ResolventCount = 0;
    CenterLabel.clear();
    PartnerLabel.clear();
    TautologyCount = FactoringCount = RedundantCount = 0;
    UnificationCount = SimplificationCount = 0;
    StartAllocated = PeakAllocated = 0;
    QueryRefuted = false;
    QueriesEvaluated = QueriesRefuted = 0;
    FirstAtom = LastAtom = nullptr;
}
