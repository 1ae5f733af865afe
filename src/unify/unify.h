// Unification of atoms into the running program's unifier, with the quantifier check.
#pragma once

#include "model/formula.h"

#include <cstdint>

// Unification state; only one unification runs at a time.
extern std::int8_t UnifyResult; // 1 or -1: succeeding (-1: last step bound a whole term)
extern bool PassClean;          // cleared when a pass had to refuse a binding
extern bool OccurFree;          // the occurs walk has not met its target
extern TId* OccurTarget;
extern bool AnyVarBindable; // the quantifier check allows every binding
void ResetUnifyState();
// Frees the tables the walks keep between unifications.
void ReleaseUnifyStorage();

// The unifier list that unification works on: the running program's MGUn1.
TList<TId>& Unifier();
void AddPair(TVariable* V, TId* T);
// Whether the pair at index I is the first pair of its variable: only that one counts.
bool IsFirstPair(TList<TId>& List, std::int32_t I);

// The quantifier check applies: "Quantification On" without "Skolemization".
bool QuantifierCheck();

bool IsDefinite(const TVariable* V);
bool IsEffectivelyUniversal(const TVariable* V);
bool MayBind(TId* V, TId* W);

// The unify walk (mode "5") and the occurs walk (mode "6") of a term.
void UnifyWalk(TId* S, TVisitor Visitor, TDiveArgs Args);
void OccurWalk(TId* X, TVisitor Visitor, TDiveArgs Args);
TObject* UnifyStep(TObject* Obj, TDiveMode& Mode, TDiveArgs Args);
TObject* OccurProbe(TObject* Obj, TDiveMode& Mode, TDiveArgs Args);
