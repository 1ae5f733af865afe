#include "resolution/resolve.h"

#include "model/formula.h"
#include "model/owner.h"
#include "resolution/insert.h"
#include "resolution/polarity.h"
#include "unify/dive.h"
#include "unify/unify.h"

TAtom* ResAtom1 = nullptr;
TAtom* ResAtom2 = nullptr;
bool FalseInFirst = false;
bool SelfResolution = false;
std::int8_t ResValue = 0;

namespace {
// Marks every atom of the chain that unifies with A under the growing unifier; with
// ExactMatches only those that are A under the unifier already, the unifier unchanged.
void MarkMatches(TAtom* A, TAtom* First, std::int8_t Value, bool ExactMatches)
{
    TList<TId>& List = Unifier();
    for (TAtom* R = First; R; R = static_cast<TAtom*>(R->R)) {
        const std::int32_t Before = List.Count();
        if (!A->UnifySL(R))
            continue;
        if (ExactMatches && List.Count() != Before) {
            List.Truncate(Before);
            continue;
        }
        MarkAtom(R, Value);
    }
}

void PlaceNewVars(TSub* Root)
{
    if (NewVars->Count() == 0)
        delete NewVars;
    else
        Root->AppendToQuant(NewVars);
    NewVars = nullptr;
}
} // namespace

TObject* ClearPrefixMarks(TObject* Obj, TDiveMode&, TDiveArgs)
{
    if (Obj->IsNode())
        if (TQuant* Q = static_cast<TSub*>(Obj)->Q)
            for (TVariable* V : Q->Items)
                if (V)
                    ClearCopyMarks(V);
    return Obj;
}

TFALFormula* CopyPart(TFALFormula* F, TSub* Node, bool Negated)
{
    auto* N = new TFALFormula(F->Owner);
    N->Parent1 = F;
    N->Parent2 = F;
    N->FromQuery = F->FromQuery;
    FirstAtom = nullptr;
    LastAtom = nullptr;
    NewVars = new TQuant;
    CopyParent = N;
    NegateMarks = false;
    TSub* Root = static_cast<TSub*>(Node->Dive(TDiveMode::Copy, nullptr, TDiveArgs{}));
    N->Cont = Root;
    Root->Ac = N;
    // The variables quantified above the part keep their bindings (Skolem terms): a copy
    // without them would read an existential variable as universal. A binding may bring
    // variables of its own, copied on demand, whose bindings follow in the next pass.
    for (std::size_t Bound = 0, Before = 1; Bound != Before;) {
        Before = Bound;
        Bound = 0;
        for (TSub* Above = Node->Parent(); Above; Above = Above->Parent())
            if (Above->Q) {
                Above->Q->Dive(TDiveMode::Bindings, nullptr, TDiveArgs{});
                for (TVariable* V : Above->Q->Items)
                    Bound += V && V->New && V->New->Id ? 1 : 0;
            }
    }
    N->MF = FirstAtom;
    N->ML = LastAtom;
    // The negation is the part's own: it turns the part's quantifiers, not those above it.
    if (Negated)
        Root->Negate();
    // The variables quantified above the part, copied where they occur, stand outermost.
    PlaceNewVars(Root);
    // Only the part's variables and those quantified above it were copied: the marks go
    // there, not over the whole formula (a clause of a long conjunction would cost the
    // conjunction's length each).
    Node->Dive(TDiveMode::PreOrder, ClearPrefixMarks, TDiveArgs{});
    for (TSub* Above = Node->Parent(); Above; Above = Above->Parent()) {
        TDiveMode Mode = TDiveMode::PreOrder;
        ClearPrefixMarks(Above, Mode, TDiveArgs{});
    }
    Root->EvalPol();
    return N;
}

void ResetResolutionState()
{
    ResAtom1 = ResAtom2 = nullptr;
    FalseInFirst = false;
    SelfResolution = false;
    ResValue = 0;
    FactoringChanged = false;
    ArithmeticSeen = false;
}

void MarkAtom(TAtom* Atom, std::int8_t T)
{
    Atom->Val = static_cast<std::int8_t>(Atom->Neg ? -T : T);
}

void CommitUnifier()
{
    TList<TId>& List = Unifier();
    for (std::int32_t I = 0; I + 1 < List.Count(); I += 2) {
        if (IsFirstPair(List, I))
            static_cast<TVariable*>(List.Get(I))->NewId = List.Get(I + 1);
    }
    List.Clear();
}

TFALFormula* TFALFormula::Resolve(TFALFormula* G, const TResolutionMode* Mode)
{
    const bool ExactMatches = Mode && Mode->ExactMatches;
    const bool MatchesInBoth = Mode && Mode->MatchesInBoth;
    TFALFormula* F = this;
    FirstAtom = nullptr;
    LastAtom = nullptr;
    NewVars = new TQuant;
    auto* D = new TDis;
    auto* N = new TFALFormula(F->Owner);
    if (SelfResolution) {
        N->Parent1 = F->Parent1;
        N->Parent2 = F->Parent2;
    } else {
        N->Parent1 = F;
        N->Parent2 = G;
    }
    N->FromQuery = F->FromQuery || G->FromQuery;
    ResValue = FalseInFirst ? -1 : 1;
    const auto Opposite = static_cast<std::int8_t>(-ResValue);
    MarkAtom(ResAtom1, ResValue);
    if (F != G)
        MarkAtom(ResAtom2, Opposite);
    MarkMatches(ResAtom1, F->MF, ResValue, ExactMatches);
    if (F != G && (SelfResolution || MatchesInBoth || OptionOn(TOption::General))) {
        MarkAtom(ResAtom2, Opposite);
        MarkMatches(ResAtom1, G->MF, Opposite, ExactMatches);
    }
    CommitUnifier();
    N->Cont = D;
    D->Ac = N;
    CopyParent = D;
    TSub* FCopy = static_cast<TSub*>(F->Cont->Dive(TDiveMode::Copy, nullptr, TDiveArgs{}));
    CopyParent = D;
    NegateMarks = F == G;
    TSub* GCopy = static_cast<TSub*>(G->Cont->Dive(TDiveMode::Copy, nullptr, TDiveArgs{}));
    NegateMarks = false;
    SetOperands(D, FCopy, GCopy);
    N->MF = FirstAtom;
    N->ML = LastAtom;
    PlaceNewVars(D);
    SweepTree(F->Cont);
    if (F != G)
        SweepTree(G->Cont);
    return N;
}

TFALFormula* TFALFormula::ResolveAWC(TFALFormula*)
{
    TFALFormula* F = this;
    FirstAtom = nullptr;
    LastAtom = nullptr;
    NewVars = new TQuant;
    auto* D = new TDis;
    ResValue = FalseInFirst ? -1 : 1;
    MarkAtom(ResAtom1, ResValue);
    MarkMatches(ResAtom1, F->MF, ResValue, false);
    TSub* T = F->Cont;
    T->Ac = D;
    FirstAtom = F->MF;
    LastAtom = F->ML;
    CommitUnifier();
    CopyParent = D;
    NegateMarks = true;
    TSub* TCopy = static_cast<TSub*>(T->Dive(TDiveMode::Copy, nullptr, TDiveArgs{}));
    NegateMarks = false;
    F->Cont = D;
    D->Ac = F;
    SetOperands(D, T, TCopy);
    F->MF = FirstAtom;
    F->ML = LastAtom;
    PlaceNewVars(D);
    // The marks on F's own atoms stay for the simplification that follows.
    return F;
}
