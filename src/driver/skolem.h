// Skolemization: existential variables bound to terms over the universals outside them.
#pragma once

class TFALFormula;

// Binds every unbound, effectively existential variable of F's prefixes to a new Skolem term
// sk#N, with the unbound effectively universal variables quantified outside it as arguments,
// outermost first. N counts over the whole run (SkolemCount). A variable so bound is no
// answer variable any more.
void Skolemize(TFALFormula* F);
