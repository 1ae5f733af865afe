#include "model/runstate.h"
#include "support/prover.h"

#include <deque>

namespace {
class PairSearch : public TProverTest {
protected:
};

TEST_F(PairSearch, RestrictionsDecideWhichPairsAreTried)
{
    TFALFormula* A = Keep(Compiled("p(a). "));
    TFALFormula* B = Keep(Compiled("¬p(a). "));
    Set(TOption::Support1);
    A->TryToRes(B);
    EXPECT_EQ(UnificationCount, 0) << "two axioms are no pair of the support set";
    B->FromQuery = true;
    A->TryToRes(B);
    EXPECT_EQ(UnificationCount, 2) << "the pair, and the resolved atom against its own chain";
    EXPECT_EQ(CountLines(Owner.Report(), "[&] :  YES."), 1);

    Set(TOption::Filtra1);
    TFALFormula* R1 = Keep(Compiled("p(a). "));
    TFALFormula* R2 = Keep(Compiled("¬p(a). "));
    R1->Parent1 = A;
    R2->Parent1 = B;
    EXPECT_FALSE(R1->IsValidPair(R2));
    EXPECT_TRUE(R1->IsValidPair(R1));
    EXPECT_TRUE(R1->IsValidPair(A)) << "a source formula pairs with anything";
    R2->Parent2 = R1;
    EXPECT_TRUE(R1->IsValidPair(R2));
    EXPECT_TRUE(R2->IsValidPair(R1));
}

TEST_F(PairSearch, TheAncestorSearchIsDeepAndLooksAtEachFormulaOnce)
{
    const int N = 200000;
    std::deque<TFALFormula> Chain;
    TFALFormula Source(Program);
    for (int I = 0; I < N; ++I) {
        Chain.emplace_back(Program);
        // Every formula descends twice from the one before: 2^N paths, N formulas.
        Chain[I].Parent1 = I ? &Chain[I - 1] : &Source;
        Chain[I].Parent2 = I ? &Chain[I - 1] : &Source;
    }
    TFALFormula Stranger(Program);
    Stranger.Parent1 = &Source;
    EXPECT_TRUE(Chain[N - 1].IsValidPair(&Chain[0]));
    EXPECT_TRUE(Chain[0].IsValidPair(&Chain[N - 1]));
    EXPECT_FALSE(Chain[N - 1].IsValidPair(&Stranger));
}

TEST_F(PairSearch, ExitOptionsBoundTheAtomPairsOfATrial)
{
    TFALFormula* F = Keep(Compiled("p(a) ∨ p(b). "));
    TFALFormula* G = Keep(Compiled("∀X [¬p(X) ∨ q(X)]. "));
    G->FromQuery = true;
    struct TRow {
        TOption Exit;
        std::int64_t Unifications;
    };
    // First match stops after the first resolution; last match tries all four pairs;
    // first unused tries only the first pair.
    for (const TRow& Row :
         {TRow{TOption::Exiton1, 1}, TRow{TOption::Exiton2, 4}, TRow{TOption::Exiton3, 1}}) {
        SCOPED_TRACE(OptionItem(Row.Exit).Caption);
        Set(Row.Exit);
        Set(TOption::Redcheck1);
        Program->ClearResolvents();
        UnificationCount = 0;
        const std::int64_t Before = Owner.Yields;
        F->TryToRes2(G);
        EXPECT_EQ(Owner.Yields - Before, Row.Unifications) << "one yield per atom pair tried";
    }
    Program->ClearResolvents();
}
} // namespace
