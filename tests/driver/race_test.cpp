// The proof and the model search of one query: which answer stands.
#include "driver/race.h"

#include <gtest/gtest.h>

namespace {
TEST(Race, ACheckedCounterModelSettlesWhatTheProofLeavesOpen)
{
    struct TRow {
        bool Refuted;
        bool Doubtful; // the default mode read an existential as universal
        TStopReason Stop;
        bool Awaits;
        bool ModelStands; // when a model is found
    };
    const TRow Rows[] = {
        {false, false, TStopReason::None, true, true},      // the proof gave up
        {true, false, TStopReason::None, false, false},     // a refutation holds
        {true, true, TStopReason::None, true, true},        // a refutation that may not hold
        {false, false, TStopReason::Timeout, false, true},  // the run's limit: no waiting
        {false, false, TStopReason::Answered, false, true}, // the model ended the proof
    };
    for (const TRow& R : Rows) {
        SCOPED_TRACE(std::to_string(R.Refuted) + std::to_string(R.Doubtful) +
                     std::to_string(static_cast<int>(R.Stop)));
        TQueryOutcome Proof;
        Proof.Refuted = R.Refuted;
        Proof.ExistentialAt = R.Doubtful ? 0 : -1;
        Proof.Stop = R.Stop;
        EXPECT_EQ(AwaitsModel(Proof), R.Awaits);
        EXPECT_EQ(ModelAnswers(Proof, true), R.ModelStands);
        EXPECT_FALSE(ModelAnswers(Proof, false));
    }
}
} // namespace
