// Superposition for the search on the clause form: the program's formulas split into clauses
// and read into the calculus's terms, with = as equality; the report, the answer and the
// derivation written as the clause-form search writes its own.
#pragma once

class TPLProgram;

// Whether an atom of a formula of ListF is an equation (= or ≠).
bool UsesEquality(TPLProgram* Program);

// Superposition on the clause form of ListF, the query's negation last: ends at the first
// refutation, at saturation or at a stop. False, with nothing recorded, when a formula does not
// become clauses the calculus reads (an equivalence around a quantifier, an atom whose
// predicate is a variable, too many splits): the caller then searches another way.
bool SuperposeClauses(TPLProgram* Program);
