// The recursive-descent parser of one formula, building on the operand stack ParseStack.
#pragma once

#include <cstdint>

class TObject;
class TQuant;
class TSub;
class TAtom;
class TFunctor;
class TId;

// Deeper nesting of brackets, negations, prefixes, terms and operator chains is a syntax
// error, so that no later walk over the tree can exhaust the stack.
inline constexpr std::int32_t MaxNesting = 4000;
// Each expanded equivalence copies both operands: a formula stops growing at this many atoms.
inline constexpr std::int32_t MaxAtoms = 200000;

// ParseStack operations.
void Push(TObject* Object);
TObject* Pop();
TObject* Top();
std::int32_t StackDepth();
void BuildBinary(TSub* Node);
void BuildFunctor(TId* Functor, std::int32_t Count);
void AddQuantVar(TQuant* List, unsigned char Kind);
void ApplyPrefix();
void SetAtomTerm(TAtom* Atom);
void LinkAtom(TAtom* Atom);
void NegateTop();
// Releases everything left on the stack, each object by its kind.
void ReleaseParseStack();
// The same, and the stack's storage.
void ReleaseParseStorage();
// Clears the scanner and the parser: no compilation is in progress.
void ResetCompileState();

// Starts the parse of one formula: empty stack, nesting 0.
void ParseReset();
void ParseFormula();
