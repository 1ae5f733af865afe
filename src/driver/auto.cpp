#include "driver/auto.h"

#include "model/owner.h"
#include "model/runstate.h"
#include "resolution/search.h"

#include <chrono>
#include <iterator>
#include <string>
#include <vector>

namespace {
void Force(TOption Item, bool On)
{
    ForcedOptions[static_cast<int>(Item)] = static_cast<std::int8_t>(On ? 1 : -1);
}

// One radio item checked, the others of its group not.
void ForceChoice(TOption Item)
{
    TOption Members[OptionCount];
    const int N = GroupMembers(OptionItem(Item).Group, Members);
    for (int I = 0; I < N; ++I)
        Force(Members[I], Members[I] == Item);
}

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

void ForceAutomaticOptions()
{
    Force(TOption::Skolem1, true);
    Force(TOption::Quant1, false);
    ForceChoice(TOption::Oneref1);
}

const TAutoConfig AutoSchedule[] = {
    {TStrategy::Clauses, TOption::Exiton1, 2, "best-first search on the clause form"},
    {TStrategy::Linear, TOption::Exiton2, 0.5, "linear search, Exit on last match"},
    {TStrategy::BestFirst1, TOption::Exiton1, 2, "best-first search"},
    {TStrategy::Breadthfirst1, TOption::Exiton1, 1, "breadth-first search"},
    {TStrategy::Clauses, TOption::Exiton1, 0, "best-first search on the clause form"},
};

const TAutoConfig EqualitySchedule[] = {
    {TStrategy::Clauses, TOption::Exiton1, 2,
     "superposition on the clause form, cautious selection", true},
    {TStrategy::Clauses, TOption::Exiton1, 0, "superposition on the clause form", false},
};

void ConsistInTurn(TPLProgram* Program)
{
    const TAutoConfig* Schedule = AutoSchedule;
    std::size_t Count = std::size(AutoSchedule);
    for (std::size_t I = 0; I < Count; ++I) {
        const TAutoConfig& Config = Schedule[I];
        const bool Last = I + 1 == Count;
        Program->Strategy = Config.Strategy;
        CautiousSelection = Config.Cautious;
        ForceChoice(Config.Exit);
        // The lines of a configuration that does not refute the query are not shown, but
        // for the last one tried.
        Capturing = true;
        SliceEnd = Config.Seconds > 0 ? Now() + Config.Seconds : 0;
        QueryRefuted = false;
        Program->Consist();
        Capturing = false;
        SliceEnd = 0;
        const bool SliceOver = StopRequested && StopReason == TStopReason::Slice;
        const bool Saturated = !QueryRefuted && CalculusReport.Saturated;
        const bool Ends = QueryRefuted || Saturated || (StopRequested && !SliceOver) || Last;
        if (SliceOver) {
            StopRequested = false;
            StopReason = TStopReason::None;
        }
        if (Ends) {
            std::vector<std::string> Lines;
            Lines.swap(Captured);
            for (const std::string& Line : Lines)
                WriteLine(Line);
            WriteLine(std::string(QueryRefuted ? "Refuted by "
                                  : Saturated  ? "Saturated by "
                                               : "Not refuted; last tried: ") +
                      (CalculusReport.Ran && Schedule == AutoSchedule
                           ? "superposition on the clause form"
                           : Config.Name) +
                      ", Skolemization.");
            break;
        }
        Captured.clear();
        // Superposition reads = as equality, the strategies after it do not: its slice over,
        // the search goes on with superposition alone.
        if (CalculusReport.Ran && Schedule == AutoSchedule) {
            Schedule = EqualitySchedule;
            Count = std::size(EqualitySchedule);
            I = static_cast<std::size_t>(-1);
        }
    }
    Program->Strategy = TStrategy::Auto;
    CautiousSelection = false;
}
