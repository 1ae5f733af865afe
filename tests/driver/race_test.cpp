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

namespace {
TEST(Race, TheChildsMessageCarriesAnyLineAndACutOneReadsAsNothingFound)
{
    TModelFound Found;
    Found.Found = true;
    Found.Lines = {"Counter-model of size 2:", "", "a line\nwith a newline and 12:colons"};
    Found.Model = {"fof(domain, fi_domain, ! [X] : (X = e0 | X = e1)).", "T3:L"};
    const std::string Message = EncodeModelFound(Found);
    const TModelFound Read = DecodeModelFound(Message);
    EXPECT_TRUE(Read.Found);
    EXPECT_EQ(Read.Lines, Found.Lines);
    EXPECT_EQ(Read.Model, Found.Model);
    EXPECT_FALSE(DecodeModelFound(EncodeModelFound({})).Found);
    // A child killed while it wrote: every shorter message is no model.
    for (std::size_t Cut = 0; Cut < Message.size(); ++Cut) {
        const TModelFound Part = DecodeModelFound(Message.substr(0, Cut));
        EXPECT_FALSE(Part.Found) << Cut;
    }
    EXPECT_FALSE(DecodeModelFound("L99999999999999999999999:found.").Found);
    EXPECT_FALSE(DecodeModelFound("L:found.").Found);
}

TEST(Race, TheVerdictTakesTheModelWhereItAnswers)
{
    TModelFound Model;
    Model.Found = true;
    Model.Model = {"fof(m, fi_predicates, ~p(e0))."};
    TQueryOutcome GaveUp;
    GaveUp.Stop = TStopReason::Answered;
    TRaceVerdict V = SettleRace(GaveUp, Model);
    EXPECT_TRUE(V.ModelStands);
    EXPECT_FALSE(V.Overturned);
    EXPECT_TRUE(V.Outcome.CounterSatisfiable);
    EXPECT_EQ(V.Outcome.Stop, TStopReason::None) << "the model answered: no stop";
    EXPECT_EQ(V.Outcome.Model, Model.Model);

    TQueryOutcome Doubtful;
    Doubtful.Refuted = true;
    Doubtful.ExistentialAt = 4;
    V = SettleRace(Doubtful, Model);
    EXPECT_TRUE(V.ModelStands && V.Overturned);
    EXPECT_FALSE(V.Outcome.Refuted);

    TQueryOutcome Sound;
    Sound.Refuted = true;
    Sound.Answer = {"a"};
    V = SettleRace(Sound, Model);
    EXPECT_FALSE(V.ModelStands || V.Overturned);
    EXPECT_TRUE(V.Outcome.Refuted);
    EXPECT_EQ(V.Outcome.Answer, Sound.Answer);
    EXPECT_TRUE(V.Outcome.Model.empty());
    // No model: the proof's outcome as it was.
    V = SettleRace(Doubtful, TModelFound{});
    EXPECT_FALSE(V.ModelStands);
    EXPECT_TRUE(V.Outcome.Refuted);
}
} // namespace
