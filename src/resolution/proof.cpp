#include "resolution/proof.h"

#include "model/formula.h"
#include "model/owner.h"
#include "model/print.h"
#include "model/runstate.h"
#include "model/tptpwrite.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {
// Whether a source formula holds a variable that Skolemization gave a value.
bool Skolemized(TFALFormula* F)
{
    return FindVariable(F, [](const TVariable* V) { return V->Id != nullptr; }) != nullptr;
}

std::vector<std::string> ParentLabels(TFALFormula* F,
                                      const std::unordered_map<TFALFormula*, std::string>& Labels)
{
    std::vector<std::string> Out;
    for (TFALFormula* P : {F->Parent1, F->Parent2})
        if (auto It = Labels.find(P); P && It != Labels.end())
            if (Out.empty() || Out.back() != It->second)
                Out.push_back(It->second);
    return Out;
}
} // namespace

void RecordRefutation(TFALFormula* N)
{
    if (!RecordProofs || !Proof.empty())
        return;
    TPLProgram* Program = N->Owner;
    std::unordered_map<TFALFormula*, std::string> Labels;
    for (std::int32_t I = 0; I < Program->ListF.Count(); ++I)
        if (TFALFormula* F = Program->ListF.Get(I))
            Labels[F] = Label('F', I);
    for (std::int32_t I = 0; I < Program->ListR.Count(); ++I)
        if (TFALFormula* F = Program->ListR.Get(I))
            Labels[F] = Label('R', I);
    // Parents before children, each formula once: a walk back without recursion.
    std::vector<TFALFormula*> Order;
    std::unordered_set<TFALFormula*> Seen;
    std::vector<std::pair<TFALFormula*, bool>> Pending;
    for (TFALFormula* P : {N->Parent2, N->Parent1})
        if (P)
            Pending.push_back({P, false});
    while (!Pending.empty()) {
        auto [F, Done] = Pending.back();
        Pending.pop_back();
        if (Done) {
            Order.push_back(F);
            continue;
        }
        if (!Labels.count(F) || !Seen.insert(F).second)
            continue;
        Pending.push_back({F, true});
        for (TFALFormula* P : {F->Parent2, F->Parent1})
            if (P && !Seen.count(P))
                Pending.push_back({P, false});
    }
    const TTptpNaming* Naming = HostNaming();
    for (TFALFormula* F : Order) {
        TProofStep Step;
        Step.Label = Labels[F];
        Step.Printed = Printed(F);
        Step.Tptp = TptpFormula(F, TTptpWriting::Bound, Naming);
        if (Step.Label[0] == 'F') {
            const bool Query = F->Is(TClass::Query);
            Step.Kind = Query ? TProofStep::NegatedQuery : TProofStep::Axiom;
            Step.Source =
                TptpFormula(F, Query ? TTptpWriting::Unnegated : TTptpWriting::Unbound, Naming);
            if (Query)
                Step.Negated = TptpFormula(F, TTptpWriting::Unbound, Naming);
            Step.Skolemized = Skolemized(F);
        } else {
            Step.Kind = TProofStep::Resolvent;
            Step.Parents = ParentLabels(F, Labels);
        }
        Proof.push_back(std::move(Step));
    }
    TProofStep Last;
    Last.Kind = TProofStep::Refutation;
    Last.Tptp = "$false";
    Last.Parents = ParentLabels(N, Labels);
    Proof.push_back(std::move(Last));
}
