#include "resolution/proof.h"

#include "model/formula.h"
#include "model/owner.h"
#include "model/print.h"
#include "model/runstate.h"
#include "model/tptpwrite.h"
#include "unify/unify.h"

#include <algorithm>
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

// The label of each formula of the program's lists.
std::unordered_map<TFALFormula*, std::string> LabelsOf(TPLProgram* Program)
{
    std::unordered_map<TFALFormula*, std::string> Out;
    for (std::int32_t I = 0; I < Program->ListF.Count(); ++I)
        if (TFALFormula* F = Program->ListF.Get(I))
            Out[F] = Label('F', I);
    for (std::int32_t I = 0; I < Program->ListR.Count(); ++I)
        if (TFALFormula* F = Program->ListR.Get(I))
            Out[F] = Label('R', I);
    return Out;
}

// The formulas Starts are and depend on, parents before children, each once: a walk back
// without recursion through the formulas that have a label.
std::vector<TFALFormula*> DependsOn(const std::vector<TFALFormula*>& Starts,
                                    const std::unordered_map<TFALFormula*, std::string>& Labels)
{
    std::vector<TFALFormula*> Order;
    std::unordered_set<TFALFormula*> Seen;
    std::vector<std::pair<TFALFormula*, bool>> Pending;
    for (auto It = Starts.rbegin(); It != Starts.rend(); ++It)
        if (*It)
            Pending.push_back({*It, false});
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
    return Order;
}
} // namespace

void NoteDoubt(TFALFormula* N)
{
    NoteDoubtIn(N->Owner, {N->Parent1, N->Parent2});
}

void NoteDoubtIn(TPLProgram* Program, const std::vector<TFALFormula*>& Sources)
{
    const std::vector<TFALFormula*> Used = DependsOn(Sources, LabelsOf(Program));
    // The first source formula of the list that the refutation uses and that has a variable
    // which is not universal.
    for (TFALFormula* F : Program->ListF.Items)
        if (F && std::find(Used.begin(), Used.end(), F) != Used.end())
            if (const TVariable* V = FindVariable(
                    F, [](const TVariable* X) { return !IsEffectivelyUniversal(X); })) {
                DoubtFormula = F;
                DoubtVariable = V;
                return;
            }
}

namespace {
// The steps of the formulas in Order.
void RecordSteps(const std::vector<TFALFormula*>& Order,
                 const std::unordered_map<TFALFormula*, std::string>& Labels)
{
    const TTptpNaming* Naming = HostNaming();
    for (TFALFormula* F : Order) {
        TProofStep Step;
        Step.Label = Labels.at(F);
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
}
} // namespace

void RecordDerivation(const std::vector<TFALFormula*>& Sources, std::vector<TProofStep> Steps)
{
    if (!RecordProofs || !Proof.empty() || Sources.empty() || !Sources[0])
        return;
    const std::unordered_map<TFALFormula*, std::string> Labels = LabelsOf(Sources[0]->Owner);
    RecordSteps(DependsOn(Sources, Labels), Labels);
    for (TProofStep& S : Steps)
        Proof.push_back(std::move(S));
}

void RecordRefutation(TFALFormula* N)
{
    if (!RecordProofs || !Proof.empty())
        return;
    const std::unordered_map<TFALFormula*, std::string> Labels = LabelsOf(N->Owner);
    RecordSteps(DependsOn({N->Parent1, N->Parent2}, Labels), Labels);
    TProofStep Last;
    Last.Kind = TProofStep::Refutation;
    Last.Tptp = "$false";
    Last.Parents = ParentLabels(N, Labels);
    Proof.push_back(std::move(Last));
}
