#include "support/prover.h"

#include <map>

namespace {
class Polarity : public TProverTest {
protected:
    // The polarity of each atom, by predicate name.
    std::map<std::string, int> AtomPolarities(TFALFormula* F)
    {
        std::map<std::string, int> Out;
        for (TAtom* A = F->MF; A; A = static_cast<TAtom*>(A->R))
            Out[static_cast<TFunc*>(A->Id)->Name] = A->Pol;
        return Out;
    }
};

TEST_F(Polarity, FollowsNegationsAndAntecedents)
{
    using P = std::map<std::string, int>;
    const std::pair<const char*, P> Rows[] = {
        {"¬p. ", {{"p", -1}}},
        {"p ∧ q → r. ", {{"p", -1}, {"q", -1}, {"r", 1}}},
        {"¬[p ∧ q → r]. ", {{"p", 1}, {"q", 1}, {"r", -1}}},
        {"¬p → r. ", {{"p", 1}, {"r", 1}}},
        {"[p → q] → r. ", {{"p", 1}, {"q", -1}, {"r", 1}}},
        {"p ∨ ¬[q ∧ ¬r]. ", {{"p", 1}, {"q", -1}, {"r", 1}}},
        {"p ↔ q. ", {{"p", 0}, {"q", 0}}},
        {"s → [p ↔ q]. ", {{"s", -1}, {"p", 0}, {"q", 0}}},
    };
    for (const auto& [Text, Expected] : Rows) {
        SCOPED_TRACE(Text);
        TFALFormula* F = Compiled(Text);
        ASSERT_NE(F, nullptr);
        EXPECT_EQ(AtomPolarities(F), Expected);
        delete F;
    }
    TFALFormula* F = Compiled("¬[s → [p ↔ q]]. ");
    EXPECT_EQ(F->Cont->R->Pol, -1) << "the equivalence itself gets a polarity";
    delete F;
}

TEST_F(Polarity, NamesLinkToTheNearestQuantifierOrBecomeFreeUniversals)
{
    TFALFormula* F = Compiled("p(X) ∧ ∀X q(X) ∧ r(X, Y). ");
    ASSERT_NE(F, nullptr);
    TQuant* Root = F->Cont->Q;
    ASSERT_NE(Root, nullptr);
    ASSERT_EQ(Root->Count(), 2) << "one variable per free name";
    TVariable* FreeX = Root->Get(0);
    auto Arg = [](TAtom* A, int I) { return static_cast<TFunctor*>(A->Id)->Params.Get(I); };
    TAtom* P = F->MF;
    auto* Q = static_cast<TAtom*>(P->R);
    auto* R = static_cast<TAtom*>(Q->R);
    EXPECT_EQ(Arg(P, 0), FreeX);
    EXPECT_EQ(Arg(R, 0), FreeX);
    EXPECT_EQ(Arg(Q, 0), Q->Q->Get(0)) << "the inner quantifier wins";
    EXPECT_NE(Arg(Q, 0), FreeX);
    EXPECT_EQ(Arg(R, 1), Root->Get(1));
    EXPECT_EQ(FreeX->Master, F->Cont);
    ExpectWellFormed(F);
    delete F;
}

TEST_F(Polarity, NamesCompareExactlyAndCaseMatters)
{
    TFALFormula* G = Compiled("∀X p(X, x). ");
    ASSERT_NE(G, nullptr);
    EXPECT_EQ(G->Cont->Q->Count(), 1);
    delete G;
}
} // namespace
