#include "model/formula.h"

// The prefix stands outside the negation, so turning its quantifiers keeps the reading:
// not-for-all becomes there-exists-not.
void TSub::Negate()
{
    Neg = !Neg;
    TurnQuantifiers(Q);
    EvalPol();
}
