#include "support/prover.h"

namespace {
class Comparison : public TProverTest {
protected:
    // The signs of A.Compare(B) and B.Compare(A) for the two arguments of p(A, B).
    std::pair<int, int> Signs(std::string_view Args)
    {
        TFALFormula* F = Compile("p(" + std::string(Args) + "). ");
        if (!F)
            return {99, 99};
        auto* Term = static_cast<TFunctor*>(static_cast<TAtom*>(F->Cont)->Id);
        TId* A = Term->Params.Get(0);
        TId* B = Term->Params.Get(1);
        auto Sign = [](std::int32_t V) { return V < 0 ? -1 : V > 0 ? 1 : 0; };
        const std::pair<int, int> Result{Sign(A->Compare(B)), Sign(B->Compare(A))};
        delete F;
        return Result;
    }
};

TEST_F(Comparison, TermsOrderByKindThenTextValueOrArguments)
{
    const std::tuple<const char*, int, int> Rows[] = {
        {"\"abc\", \"ABC\"", 0, 0}, // texts ignore letter case
        {"\"ab\", \"abc\"", -1, 1}, // a prefix orders first
        {"2, 2.0", 0, 0},           // numbers by value
        {"3, 2.5", 1, -1},
        {"\"z\", 1", -1, 1},      // string literals before numbers
        {"1, X", -1, 1},          // numbers before variables
        {"X, a", -1, 1},          // variables before function terms
        {"f(a), f(a, b)", -1, 1}, // fewer arguments first, whatever they are
        {"f(z), g(a)", -1, 1},    // names decide before arguments
        {"fA(b), fa(b)", 0, 0},
        {"f(a, b), f(a, c)", -1, 1},
        {"a, f(a)", -1, 1}, // constants before applications, whatever the names
        {"zz, a(b)", -1, 1},
        {"X, Y", -1, 1},
        {"X, x", -1, 1},
    };
    for (const auto& [Args, AB, BA] : Rows) {
        SCOPED_TRACE(Args);
        EXPECT_EQ(Signs(Args), std::make_pair(AB, BA));
    }
}

TEST_F(Comparison, BoundVariablesCompareAsTheirValues)
{
    TVariable X("X", 0);
    TVariable Other("X", 0);
    Other.Number = 2;
    EXPECT_EQ(X.Compare(&Other), 0) << "the number suffix takes no part";
    TInteger Five(5);
    X.Id = new TInteger(5);
    EXPECT_EQ(X.Compare(&Five), 0);
    EXPECT_EQ(Five.Compare(&X), 0);
    TStrLit Text("a");
    EXPECT_GT(X.Compare(&Text), 0);
    EXPECT_LT(Text.Compare(&X), 0);
}

TEST_F(Comparison, NamesOnlyOrderAgainstUnboundVariables)
{
    TVariable V("A", 0);
    TVar Name("A");
    EXPECT_LT(V.Compare(&Name), 0);
    EXPECT_GT(Name.Compare(&V), 0);
    TVar Other("b");
    EXPECT_LT(Name.Compare(&Other), 0);
    TFunctorA Constant("a");
    EXPECT_LT(Name.Compare(&Constant), 0);
    EXPECT_GT(Constant.Compare(&V), 0);
    EXPECT_GT(Name.Compare(nullptr), 0);
    EXPECT_LT(V.Compare(nullptr), 0);
}
} // namespace

namespace {
int Sign(std::int32_t V)
{
    return V < 0 ? -1 : V > 0 ? 1 : 0;
}
} // namespace

// The answer line sorts by Compare: it needs one order, whichever side asks.
TEST(ComparisonOrder, IsAntisymmetricOverEveryKindOfTerm)
{
    TStrLit Text("b");
    TInteger Two(2);
    TReal Half(2.5L);
    TVariable Y("Y", 0);
    TVariable A("A", 0);
    TVariable ToA("Z", 0); // bound to a variable whose name orders before its own
    ToA.Id = &A;
    TVariable ToY("B", 0);
    ToY.Id = &Y;
    TVariable Chain("W", 0); // bound to a variable that is bound in turn
    Chain.Id = &ToA;
    TVariable ToTerm("C", 0);
    auto* Fa = new TFunctor("f");
    Fa->Params.Add(new TFunctorA("a"));
    ToTerm.Id = Fa;
    TFunctorA Constant("a");
    TFunctor OfY("f");
    OfY.Params.Add(&Y);
    TFunctor OfBound("f");
    OfBound.Params.Add(&ToA);
    TId* Terms[] = {&Text, &Two,   &Half,   &Y,        &A,   &ToA,
                    &ToY,  &Chain, &ToTerm, &Constant, &OfY, &OfBound};
    for (TId* P : Terms)
        for (TId* Q : Terms) {
            std::string Left;
            std::string Right;
            P->RPrint(Left);
            Q->RPrint(Right);
            SCOPED_TRACE(Left + " against " + Right);
            EXPECT_EQ(Sign(P->Compare(Q)), -Sign(Q->Compare(P)));
        }
    // An unbound variable orders against the value of a bound one.
    EXPECT_EQ(Sign(Y.Compare(&ToA)), Sign(Y.Compare(&A)));
    EXPECT_EQ(Sign(Y.Compare(&Chain)), Sign(Y.Compare(&A)));
    ToA.Id = nullptr; // stack objects: nothing for the destructors to free
    ToY.Id = nullptr;
    Chain.Id = nullptr;
}
