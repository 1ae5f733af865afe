#include "model/runstate.h"
#include "support/prover.h"
#include "unify/unify.h"

namespace {
class Unification : public TProverTest {
protected:
    TAtom* First(std::string_view Text) { return Keep(Compiled(Text))->MF; }
    TAtom* Last(std::string_view Text) { return Keep(Compiled(Text))->ML; }
    // The unifier as text: "Y=a X=b".
    std::string Pairs()
    {
        std::string S;
        TList<TId>& L = Program->MGUn1;
        for (std::int32_t I = 0; I + 1 < L.Count(); I += 2) {
            if (!S.empty())
                S += ' ';
            L.Get(I)->RPrint(S);
            S += '=';
            L.Get(I + 1)->RPrint(S);
        }
        return Utf8(S);
    }
};

TEST_F(Unification, PairsAreRecordedNotApplied)
{
    struct TRow {
        const char* A;
        const char* B;
        int Result;
        const char* Pairs;
    };
    const TRow Rows[] = {
        {"p(f(a, X)). ", "p(f(Y, b)). ", 1, "Y=a X=b"},
        {"p(f(X)). ", "p(Y). ", -1, "Y=f(X)"},
        {"p(X). ", "p(Y). ", -1, "Y=X"},
        {"p(X, X). ", "p(a, b). ", 0, ""},
        {"p(X, Y). ", "p(Y2, Y2). ", -1, "Y2=X X=Y"},
        {"q(Z, Z, a). ", "q(W, b, W). ", 0, ""}, // W is Z, which is b already
        {"p(2). ", "p(2.0). ", 1, ""},
        {"p(\"abc\"). ", "p(\"ABC\"). ", 0, ""},
        {"p(a). ", "q(a). ", 0, ""},
        {"p(a, b). ", "p(a). ", 0, ""},
        {"p. ", "p. ", 1, ""},
        {"x < 3. ", "Y < 3. ", -1, "Y=x"},
    };
    for (const TRow& Row : Rows) {
        SCOPED_TRACE(std::string(Row.A) + Row.B);
        Program->MGUn1.Clear();
        TAtom* A = First(Row.A);
        TAtom* B = First(Row.B);
        const std::string Before = Print(Kept[Kept.size() - 2]);
        EXPECT_EQ(A->UnifyS(B), Row.Result);
        EXPECT_EQ(Pairs(), Row.Pairs);
        EXPECT_EQ(Print(Kept[Kept.size() - 2]), Before);
    }
}

TEST_F(Unification, SharedVariablesMeetTheOccursCheck)
{
    TFALFormula* F = Keep(Compiled("p(X) ∧ p(f(X)). "));
    EXPECT_EQ(F->MF->UnifyS(F->ML), 0);
    EXPECT_EQ(F->ML->UnifyS(F->MF), 0);
    EXPECT_EQ(Pairs(), "");
    EXPECT_EQ(UnificationCount, 2);
}

TEST_F(Unification, ValuesAreLookedThrough)
{
    TFALFormula* F = Keep(Compiled("p(X). "));
    F->Cont->Q->Get(0)->Id = new TFunctorA("a");
    TAtom* B = First("p(Y). ");
    EXPECT_NE(F->MF->UnifyS(B), 0);
    EXPECT_EQ(Pairs(), "Y=a");
}

TEST_F(Unification, MarkedAtomsNeverUnifyButCount)
{
    TAtom* A = First("p(a). ");
    TAtom* B = First("p(a). ");
    B->Val = 1;
    EXPECT_EQ(A->UnifyS(B), 0);
    EXPECT_EQ(A->UnifySL(B), 0);
    EXPECT_EQ(UnificationCount, 2);
    B->Val = 0;
}

TEST_F(Unification, AFailedUnificationRestoresTheGrowingUnifier)
{
    TAtom* A = First("p(X, a). ");
    TAtom* B = First("p(b, Y). ");
    ASSERT_NE(A->UnifyS(B), 0);
    const std::string Before = Pairs();
    TAtom* C = First("p(c, c). ");
    EXPECT_EQ(A->UnifySL(C), 0);
    EXPECT_EQ(Pairs(), Before);
}

// A variable's pair is found where it stands; once the pair is taken back, the variable
// stands for itself, and a new pair of it is the one found.
TEST_F(Unification, AVariableFindsItsOwnPairOnly)
{
    TAtom* A = First("p(X, Y). ");
    auto& Args = static_cast<TFunctor*>(A->Id)->Params;
    auto* X = static_cast<TVariable*>(Args.Get(0));
    auto* Y = static_cast<TVariable*>(Args.Get(1));
    auto Value = [](TVariable* V) {
        std::string S;
        V->CompInMgu()->RPrint(S);
        return S;
    };
    ASSERT_NE(A->UnifyS(First("p(a, b). ")), 0);
    ASSERT_EQ(Pairs(), "X=a Y=b");
    Program->MGUn1.Truncate(2);
    EXPECT_EQ(Value(X), "a");
    EXPECT_EQ(Y->CompInMgu(), Y) << "Y's pair went";
    // Y's old place now holds another variable's pair.
    Program->MGUn1.Clear();
    ASSERT_NE(First("r(W, V). ")->UnifyS(First("r(b, d). ")), 0);
    ASSERT_EQ(Pairs(), "W=b V=d");
    EXPECT_EQ(Y->CompInMgu(), Y);
    EXPECT_EQ(X->CompInMgu(), X);
    ASSERT_NE(A->UnifyS(First("p(e, f). ")), 0);
    EXPECT_EQ(Value(Y), "f");
    EXPECT_EQ(Value(X), "e");
    Program->MGUn1.Clear();
    EXPECT_EQ(X->CompInMgu(), X);
    EXPECT_EQ(Y->CompInMgu(), Y);
}

// Repeated pairs for one variable would make the passes run for ever.
TEST_F(Unification, EveryUnificationEnds)
{
    TAtom* A = First("p(Y, a, Y). ");
    TAtom* B = First("p(X, X, b). ");
    EXPECT_EQ(A->UnifyS(B), 0);
    EXPECT_EQ(Pairs(), "");
    EXPECT_EQ(B->UnifyS(A), 0);
    EXPECT_EQ(Pairs(), "");
}

TEST_F(Unification, TheQuantifierCheckBindsOnlyEffectivelyUniversalVariables)
{
    Set(TOption::Quant1);
    struct TRow {
        const char* A;
        const char* B;
        bool Unifies;
    };
    const TRow Rows[] = {
        {"∀X p(X). ", "p(a). ", true},        // universal at a positive place
        {"∃X p(X). ", "p(a). ", false},       // existential at a positive place
        {"¬∃X p(X). ", "p(a). ", true},       // turned into a universal by the negation
        {"[∃X p(X)] → q. ", "p(a). ", true},  // existential in an antecedent
        {"[∀X p(X)] → q. ", "p(a). ", false}, // universal in an antecedent
        {"[∀X p(X)] ↔ q. ", "p(a). ", false}, // expanded: the first copy is an antecedent
        {"∀X ∃Y r(X, Y). ", "r(a, b). ", false},
        {"∀X ∃Y r(X, Y). ", "∀U, V r(U, V). ", false}, // X has no value for Y to wait on
        {"∃Y ∀X r(X, Y). ", "∀U r(U, U). ", true},     // Y stands outside X
    };
    for (const TRow& Row : Rows) {
        SCOPED_TRACE(std::string(Row.A) + Row.B);
        Program->MGUn1.Clear();
        TAtom* A = First(Row.A);
        TAtom* B = First(Row.B);
        EXPECT_EQ(A->UnifyS(B) != 0, Row.Unifies);
    }
    Set(TOption::Quant1, false);
    Program->MGUn1.Clear();
    EXPECT_NE(First("∃X p(X). ")->UnifyS(First("p(a). ")), 0) << "no check without the option";
}

TEST_F(Unification, AVariableBelowAnEquivalenceIsNeverBound)
{
    TFALFormula* F = Keep(Compiled("[∀X p(X)] ↔ q. ")); // compiled without expansion
    Set(TOption::Quant1);
    EXPECT_EQ(F->Cont->L->Pol, 0);
    EXPECT_EQ(F->MF->UnifyS(First("p(a). ")), 0);
}

// An existential that waits for the universals outside it, filled in later in the pass.
TEST_F(Unification, AnExistentialBecomesAValueOnceItsUniversalsHaveOne)
{
    Set(TOption::Quant1);
    TAtom* A = First("∀X ∃Y r(Y, X). ");
    TAtom* B = First("∀U r(U, a). ");
    EXPECT_NE(A->UnifyS(B), 0) << "a second pass binds U once X has its value";
    EXPECT_EQ(Pairs(), "X=a U=Y");
    Program->MGUn1.Clear();
    TAtom* Copy = Last("[∀X q(X)] ↔ p. ");
    EXPECT_NE(Copy->UnifyS(First("q(a). ")), 0) << "the copy in the consequent is universal";
}

// Read as a Skolem term, an existential depends on the universals outside it.
TEST_F(Unification, AUniversalNeverTakesAValueThatDependsOnItself)
{
    Set(TOption::Quant1);
    TAtom* Axiom = First("∀X ∃Y lt(X, Y). ");
    TAtom* Query = First("∀X ¬lt(X, X). ");
    EXPECT_EQ(Query->UnifyS(Axiom), 0);
    EXPECT_EQ(Axiom->UnifyS(Query), 0);
    EXPECT_EQ(Pairs(), "");
    TAtom* Other = First("∀U, W ¬lt(U, W). ");
    EXPECT_NE(Other->UnifyS(Axiom), 0);
}

TEST_F(Unification, AnyVarBindableLiftsTheCheck)
{
    Set(TOption::Quant1);
    TAtom* A = First("∃X p(X). ");
    TAtom* B = First("p(a). ");
    AnyVarBindable = true;
    EXPECT_NE(A->UnifyS(B), 0);
    AnyVarBindable = false;
}
} // namespace
