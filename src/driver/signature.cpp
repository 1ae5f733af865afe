#include "driver/signature.h"

#include "model/runstate.h"
#include "model/terms.h"

std::string TSignature::LiteralKey(const TId* T)
{
    if (T->Is(TClass::FunctorA))
        return SymbolOf(T);
    std::string S;
    const_cast<TId*>(T)->RPrint(S);
    return S;
}

TSignature SignatureOf(const std::vector<TFALFormula*>& Formulas, const TTptpNaming* Naming)
{
    TSignature S;
    auto Term = [&S, Naming](const TId* T) {
        switch (T->Class) {
        case TClass::StrLit:
        case TClass::Integer:
        case TClass::Real:
            TSignature::Note(S.Literals, TSignature::LiteralKey(T));
            break;
        case TClass::FunctorA:
            TSignature::Note(Naming && TTptpNaming::IsNumber(SymbolOf(T)) ? S.Literals
                                                                          : S.Constants,
                             SymbolOf(T));
            break;
        case TClass::Functor:
            TSignature::Note(S.Functions, {SymbolOf(T), static_cast<int>(ArityOf(T))});
            break;
        default:
            break;
        }
        return true;
    };
    for (TFALFormula* F : Formulas)
        if (F)
            WalkNodes(F->Cont, [&](TSub* N) {
                if (N->Val != 0)
                    return false;
                if (!N->Is(TClass::Atom))
                    return true;
                const TId* P = static_cast<TAtom*>(N)->Id;
                if (P && P->IsFunc()) {
                    // Equality is the identity of elements: no table of its own.
                    if (!EquationOf(P))
                        TSignature::Note(S.Predicates, {SymbolOf(P), static_cast<int>(ArityOf(P))});
                    for (const TId* Arg : ArgumentsOf(P))
                        WalkTerm(Arg, Term);
                }
                return false;
            });
    return S;
}

void ForEachTuple(int Size, int Arity, const std::function<void(const TTuple&)>& Do, bool Polling)
{
    TTuple T(static_cast<std::size_t>(Arity), 0);
    while (true) {
        if (Polling && WalkStopped())
            return;
        Do(T);
        int I = Arity - 1;
        while (I >= 0 && ++T[static_cast<std::size_t>(I)] == Size)
            T[static_cast<std::size_t>(I--)] = 0;
        if (I < 0)
            return;
    }
}
