#include "model/formula.h"
#include "model/symbols.h"

// The prefix stands outside the negation, so turning its quantifiers keeps the reading:
// not-for-all becomes there-exists-not.
void TSub::Negate()
{
    Neg = !Neg;
    if (Q)
        for (TVariable* V : Q->Items)
            if (V)
                V->Kind = Sym::Turned(V->Kind);
    EvalPol();
}
