#include "driver/race.h"

bool AwaitsModel(const TQueryOutcome& Proof)
{
    if (Proof.Stop != TStopReason::None)
        return false;
    return !Proof.Refuted || Proof.ExistentialAt >= 0;
}

bool ModelAnswers(const TQueryOutcome& Proof, bool ModelFound)
{
    return ModelFound && (!Proof.Refuted || Proof.ExistentialAt >= 0);
}
