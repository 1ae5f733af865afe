#include "model/print.h"
#include "support/prover.h"

namespace {
class Printing : public TProverTest {};

TEST(RealFormat, FifteenSignificantDigitsInTheGeneralFormat)
{
    const std::pair<long double, const char*> Rows[] = {
        {0, "0"},
        {5, "5"},
        {-2.5L, "-2.5"},
        {0.1L, "0.1"},
        {1.0L / 3, "0.333333333333333"},
        {2.0L / 3, "0.666666666666667"},
        {100, "100"},
        {123456789012345.0L, "123456789012345"},
        {1234567890123456.0L, "1.23456789012346E15"},
        {1e20L, "1E20"},
        {0.00001L, "0.00001"},
        {0.000001L, "1E-6"},
        {-1.5e-7L, "-1.5E-7"},
        {12.5e3L, "12500"},
    };
    for (const auto& [Value, Text] : Rows) {
        SCOPED_TRACE(Text);
        EXPECT_EQ(FormatReal(Value), Text);
    }
    EXPECT_EQ(FormatFixed2(0), "0.00");
    EXPECT_EQ(FormatFixed2(1.005), "1.00");
    EXPECT_EQ(FormatFixed2(12.346), "12.35");
}

TEST_F(Printing, TruthConstantsReplaceTheWholeNode)
{
    TFALFormula* F = Compile("∀X [p(X) ∨ q(X)]. ");
    ASSERT_NE(F, nullptr);
    F->MF->Val = -1;
    EXPECT_EQ(Print(F), "[ ⊥∨q(X)]. ");
    F->Cont->Val = 1;
    EXPECT_EQ(Print(F), " ⊤. ");
    F->Cont->Val = -1;
    EXPECT_EQ(Print(F), " ⊥. ");
    F->Cont->Val = 0;
    F->MF->Val = 0;
    delete F;
}

TEST_F(Printing, BoundVariablesPrintTheirValueAndPrefixesSkipThem)
{
    Set(TOption::Quant1);
    TFALFormula* F = Compile("∀X, Y ∃Z p(X, Y, Z). ");
    ASSERT_NE(F, nullptr);
    TQuant* Q = F->Cont->Q;
    Q->Get(1)->Id = new TInteger(7);
    EXPECT_EQ(Print(F), "∀X∃Z p(X, 7, Z). ");
    Q->Get(0)->Id = new TFunctorA("a");
    Q->Get(2)->Id = new TStrLit("s");
    EXPECT_EQ(Print(F), " p(a, 7, \"s\"). ");
    delete F;
}

TEST_F(Printing, AnswerBindingsNameValuesNotVariables)
{
    TVariable X("X", 0);
    TVariable Y("Y", 0);
    std::string Text;
    X.Id = new TFunctorA("a");
    X.PrintAs(Text);
    EXPECT_EQ(Text, "X = a");
    Y.Id = new TVariable("Z", 0);
    Y.PrintAs(Text);
    EXPECT_EQ(Text, "X = a");
    delete Y.Id;
    Y.Id = new TInteger(-3);
    Y.PrintAs(Text);
    EXPECT_EQ(Text, "X = a, Y = -3");
}

TEST_F(Printing, ArithmeticParenthesesOnlyForSumsUnderProducts)
{
    const std::pair<const char*, const char*> Rows[] = {
        {"p(a-(b-c)). ", "p(a-b-c). "}, {"p(a*(b+c)). ", "p(a*(b+c)). "},
        {"p((a*b)+c). ", "p(a*b+c). "}, {"p(-(a+b)). ", "p(-a+b). "},
        {"p(a/(b*c)). ", "p(a/b*c). "}, {"a+b. ", "a+b. "},
    };
    for (const auto& [Text, Expected] : Rows) {
        SCOPED_TRACE(Text);
        TFALFormula* F = Compile(Text);
        ASSERT_NE(F, nullptr);
        EXPECT_EQ(Print(F), Expected);
        delete F;
    }
}
} // namespace
