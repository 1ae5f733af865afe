#include "model/formula.h"
#include "model/owner.h"
#include "model/runstate.h"
#include "model/tptpwrite.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

namespace {
// The root prefix of the query in evaluation, whose order the answer line keeps.
TQuant* QueryPrefix(TPLProgram* Program)
{
    if (!Program)
        return nullptr;
    for (std::int32_t I = Program->ListF.Count() - 1; I >= 0; --I)
        if (TFALFormula* F = Program->ListF.Get(I); F && F->Is(TClass::Query))
            return F->Cont ? F->Cont->Q : nullptr;
    return nullptr;
}
} // namespace

void TFALFormula::PrintVars()
{
    if (!Cont || Cont->Val == 0 || !Cont->Q)
        return;
    TQuant* Q = Cont->Q;
    Q->Pack();
    // Groups follow the query's prefix; a watch found nowhere there follows, in the order of
    // its first entry here; entries without a watch come last.
    TQuant* Order = QueryPrefix(Owner);
    std::unordered_map<const TVariable*, int> Group;
    const int Known = Order ? Order->Count() : 0;
    for (std::int32_t I = 0; I < Q->Count(); ++I) {
        const TVariable* W = Q->Get(I)->Watch;
        if (!W || Group.count(W))
            continue;
        const int At = Order ? Order->IndexOf(W) : -1;
        Group[W] = At >= 0 ? At : Known + I;
    }
    auto GroupOf = [&](const TVariable* V) { return V->Watch ? Group[V->Watch] : INT_MAX; };
    // Bound entries by Compare, unbound ones after them.
    std::stable_sort(Q->Items.begin(), Q->Items.end(), [&](TVariable* A, TVariable* B) {
        const int GA = GroupOf(A);
        const int GB = GroupOf(B);
        if (GA != GB)
            return GA < GB;
        if (!A->Id || !B->Id)
            return A->Id && !B->Id;
        return A->Id->Compare(B->Id) < 0;
    });
    std::string Text;
    TVariable* Last = nullptr;
    const std::int32_t N = Q->Count();
    for (std::int32_t I = 0; I < N;) {
        TVariable* V = Q->Get(I++);
        if (!V->Id)
            continue;
        if (V->Watch) {
            V->PrintAs(Text);
            Last = V;
        }
        if (!Last)
            continue;
        while (I < N && Q->Get(I)->Watch == Last->Watch &&
               (!Q->Get(I)->Id || Q->Get(I)->Id->Compare(Last->Id) == 0))
            ++I;
    }
    // A refutation that used the query more than once answers it with a disjunction: no
    // value of a variable so taken is an answer on its own.
    bool Disjunctive = false;
    if (Order)
        for (TVariable* W : Order->Items) {
            TId* First = nullptr;
            for (TVariable* V : Q->Items)
                if (V->Watch == W && V->Id) {
                    if (!First)
                        First = V->Id;
                    else if (First->Compare(V->Id) != 0)
                        Disjunctive = true;
                }
        }
    // The answer as a tuple for the host: the value of each answer variable, when the report
    // gives an answer line and each variable has one.
    if (!Text.empty() && Answer.empty() && Order && !Disjunctive)
        for (TVariable* W : Order->Items) {
            std::string Value = "_";
            for (TVariable* V : Q->Items)
                if (V->Watch == W && V->Id) {
                    // A Skolem term is no answer in the problem's own symbols.
                    Value = HoldsSkolemTerm(V->Id) ? "" : TptpTerm(V->Id, HostNaming());
                    break;
                }
            Answer.push_back(Value);
        }
    if (!Text.empty())
        WriteLine(Text + ".");
}
