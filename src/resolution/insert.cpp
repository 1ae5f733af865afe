#include "resolution/insert.h"

#include "model/alloc.h"
#include "model/formula.h"
#include "model/print.h"
#include "model/runstate.h"
#include "resolution/resolve.h"
#include "resolution/search.h"
#include "unify/dive.h"
#include "unify/unify.h"

bool FactoringChanged = false;

namespace {
bool IsRefutation(const TFALFormula* F)
{
    return F && F->Cont && F->Cont->Val == -1;
}
} // namespace

void BindUnifier()
{
    TList<TId>& List = Unifier();
    for (std::int32_t I = 0; I + 1 < List.Count(); I += 2) {
        auto* V = static_cast<TVariable*>(List.Get(I));
        // Only the first pair of a variable counts, and a value once given stays.
        if (IsFirstPair(List, I) && !V->Id)
            V->Id =
                static_cast<TId*>(List.Get(I + 1)->Dive(TDiveMode::Share, nullptr, TDiveArgs{}));
    }
    List.Clear();
}

void ClearUnifier()
{
    Unifier().Clear();
}

int JunctionKind(const TObject* X)
{
    if (X && X->Is(TClass::Dis))
        return 1;
    if (X && X->Is(TClass::Con))
        return -1;
    return 0;
}

// A negated node ends its block: a ∨ X equals a ∨ X[a/false] only where a is a disjunct of
// the whole block, which a negation between them would deny.
bool SameJunction(const TObject* P, const TObject* Q)
{
    if (P == Q)
        return true;
    const int KP = JunctionKind(P);
    const int KQ = JunctionKind(Q);
    if (KP == 0 || KQ == 0 || KP != KQ)
        return false;
    auto Top = [KP](const TObject* X) {
        while (!static_cast<const TSub*>(X)->Neg &&
               JunctionKind(static_cast<const TSub*>(X)->Ac) == KP)
            X = static_cast<const TSub*>(X)->Ac;
        return X;
    };
    return Top(P) == Top(Q);
}

TFALFormula* TFALFormula::InsertToR(const TResolutionMode* Mode)
{
    const bool SaturationInsert = Mode && Mode->Saturation;
    TFALFormula* N = this;
    TFALFormula* X = SaturationInsert ? N : N->OptimizeX();
    if (IsRefutation(X)) {
        if (X != N)
            delete N;
        SamplePeak();
        return X;
    }
    if (X != N)
        delete X;
    // On the clause form a factor is a clause of its own, made by the search: factoring in
    // place would lose the general clause.
    if (!SaturationInsert || !Mode->ClauseForm)
        do {
            FactoringChanged = false;
            N->OptimizeF();
        } while (FactoringChanged);
    if (N->Cont)
        N->Cont->EvalPol();
    if (N->Cont && N->Cont->Val == 0 && !SaturationInsert && !OptionOn(TOption::Redcheck1)) {
        TList<TFALFormula>& ListR = N->Owner->ListR;
        const TClass Check = OptionOn(TOption::Checkby2) ? TClass::Eqv : TClass::Imp;
        for (std::int32_t I = 0; I < ListR.Count(); ++I) {
            TFALFormula* O = ListR.Get(I);
            if (!O)
                continue;
            // O and N lend their trees to the check formula until DestroyVF.
            TFALFormula* VF = CreateVF(O, N, Check);
            VF->Cont->Neg = true;
            AnyVarBindable = true;
            TFALFormula* Y = VF->OptimizeX();
            AnyVarBindable = false;
            DestroyVF(VF, O, N);
            if (Y == VF)
                Y = nullptr; // no step ran: nothing of its own to free
            if (IsRefutation(Y)) {
                delete Y;
                delete N;
                ++RedundantCount;
                return nullptr;
            }
            delete Y;
            YieldToHost();
            if (StopRequested)
                return N;
        }
    }
    SamplePeak();
    return N;
}

TFALFormula* TFALFormula::OptimizeX()
{
    TFALFormula* F = this;
    FalseInFirst = false;
    SelfResolution = true;
    TFALFormula* Cur = F;
    for (std::int32_t Step = 0; Cur->MF && Step < DCFLimit; ++Step) {
        ResAtom1 = ResAtom2 = Cur->MF;
        Cur = Cur == F ? Cur->Resolve(Cur) : Cur->ResolveAWC(Cur);
        AnyVarBindable = false;
        if (OptionOn(TOption::SRcheck1) && OptionOn(TOption::Unsim))
            WriteLine("Before:" + Printed(Cur));
        Cur->Simplify();
        if (Cur->Cont)
            Cur->Cont->EvalPol();
        if (OptionOn(TOption::SRcheck1))
            WriteLine("SR-check:" + Printed(Cur));
        FactoringChanged = false;
    }
    SelfResolution = false;
    return Cur;
}

TFALFormula* TFALFormula::OptimizeF()
{
    TFALFormula* F = this;
    if (!F->MF || F->MF == F->Cont)
        return F;
    bool Bound = false;
    for (TAtom* A = F->MF; A; A = static_cast<TAtom*>(A->R)) {
        if (A->Val != 0)
            continue;
        for (TAtom* B = F->MF; B; B = static_cast<TAtom*>(B->R)) {
            if (B != A && A->UnifySL(B) && SameJunction(A->Ac, B->Ac)) {
                BindUnifier();
                Bound = true;
                const int K = -JunctionKind(B->Ac);
                if (K != 0) {
                    B->Val = static_cast<std::int8_t>(B->Neg != A->Neg ? -K : K);
                    FactoringChanged = true;
                }
                ++FactoringCount;
            } else {
                ClearUnifier();
            }
        }
    }
    if (FactoringChanged)
        F->Simplify();
    else if (Bound)
        F->Dive(TDiveMode::PreOrder, ClearPrefixMarks, TDiveArgs{});
    return F;
}

TFALFormula* TFALFormula::CreateVF(TFALFormula* F1, TFALFormula* F2, TClass AClass)
{
    auto* VF = new TFALFormula(F1->Owner);
    TSub* C = NewConnective(AClass);
    VF->Cont = C;
    C->Ac = VF;
    SetOperands(C, F1->Cont, F2->Cont);
    F1->Cont = nullptr;
    F2->Cont = nullptr;
    VF->MF = F1->MF ? F1->MF : F2->MF;
    VF->ML = F2->ML ? F2->ML : F1->ML;
    if (F1->ML)
        F1->ML->R = F2->MF;
    if (F2->MF)
        F2->MF->L = F1->ML;
    return VF;
}

void TFALFormula::DestroyVF(TFALFormula* VF, TFALFormula* F1, TFALFormula* F2)
{
    // The lent trees go back to their formulas; VF keeps its root node alone.
    TSub* C = VF->Cont;
    F1->Cont = C->L;
    F2->Cont = C->R;
    F1->Cont->Ac = F1;
    F2->Cont->Ac = F2;
    if (F1->ML)
        F1->ML->R = nullptr;
    if (F2->MF)
        F2->MF->L = nullptr;
    C->L = nullptr;
    C->R = nullptr;
    delete VF;
}
