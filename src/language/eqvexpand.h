// The expansion of an equivalence into two implications while it is parsed.
#pragma once

// Takes the two operands on top of the parse stack, A below B, and leaves the conjunction of
// A implies B and of copies B2 implies A2.
void ExpandEquivalence();
