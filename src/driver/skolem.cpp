#include "driver/skolem.h"

#include "model/formula.h"
#include "model/runstate.h"
#include "unify/unify.h"

#include <vector>

namespace {
void SkolemizeNode(TSub* Node, std::vector<TQuant*>& Outer)
{
    if (Node->Q) {
        for (std::int32_t I = 0; I < Node->Q->Count(); ++I) {
            TVariable* V = Node->Q->Get(I);
            if (!V || V->Id || !IsDefinite(V) || IsEffectivelyUniversal(V))
                continue;
            // The universals in whose scope V stands, outermost first.
            std::vector<TVariable*> Arguments;
            auto Take = [&Arguments](TVariable* X) {
                if (X && !X->Id && IsEffectivelyUniversal(X))
                    Arguments.push_back(X);
            };
            for (TQuant* Q : Outer)
                for (TVariable* X : Q->Items)
                    Take(X);
            for (std::int32_t J = 0; J < I; ++J)
                Take(Node->Q->Get(J));
            const std::string Name = "sk#" + std::to_string(++SkolemCount);
            if (Arguments.empty()) {
                V->Id = new TFunctorA(Name);
            } else {
                auto* Term = new TFunctor(Name);
                for (TVariable* X : Arguments)
                    Term->Params.Add(X);
                V->Id = Term;
            }
            V->Watch = nullptr;
        }
        Outer.push_back(Node->Q);
    }
    if (!Node->Is(TClass::Atom)) {
        if (Node->L)
            SkolemizeNode(Node->L, Outer);
        if (Node->R)
            SkolemizeNode(Node->R, Outer);
    }
    if (Node->Q)
        Outer.pop_back();
}
} // namespace

void Skolemize(TFALFormula* F)
{
    std::vector<TQuant*> Outer;
    if (F->Cont)
        SkolemizeNode(F->Cont, Outer);
}
