#include "language/eqvexpand.h"

#include "language/lexer.h"
#include "language/parser.h"
#include "model/formula.h"
#include "unify/dive.h"

void ExpandEquivalence()
{
    // The copies double the atoms so far; a chain of equivalences would grow without bound.
    std::int32_t Atoms = 0;
    for (TAtom* A = FirstAtom; A && Atoms <= MaxAtoms; A = static_cast<TAtom*>(A->R))
        ++Atoms;
    if (2 * Atoms > MaxAtoms) {
        SetError(ErrFormulaTooLarge);
        return; // the operands stay on the stack and are released with it
    }
    auto* C = new TCon;
    BuildBinary(C);
    TSub* A = C->L;
    TSub* B = C->R;
    // The terms still hold names only, so the copies make fresh variables for the prefixes
    // inside A and B alone; the copied atoms join the chain being built.
    NegateMarks = false;
    NewVars = new TQuant;
    CopyParent = C;
    auto* B2 = static_cast<TSub*>(B->Dive(TDiveMode::Copy, nullptr, TDiveArgs{}));
    CopyParent = C;
    auto* A2 = static_cast<TSub*>(A->Dive(TDiveMode::Copy, nullptr, TDiveArgs{}));
    NewVars->RFree(); // empty: names are not variables yet
    NewVars = nullptr;
    auto* I1 = new TImp;
    auto* I2 = new TImp;
    SetOperands(I1, A, B);
    SetOperands(I2, B2, A2);
    SetOperands(C, I1, I2);
}
