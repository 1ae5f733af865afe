#include "language/lexer.h"
#include "language/parser.h"
#include "support/prover.h"

#include <tuple>

namespace {
class Compilation : public TProverTest {
protected:
    // Compiles the first formula of a text; returns it printed, or the error message.
    std::string Outcome(std::string_view Text)
    {
        const std::string Source = Bytes(Text);
        TFALFormula* F = nullptr;
        Program->XComp(Source.c_str(), F);
        const std::vector<std::string> Messages = Owner.TakeMessages();
        if (!F) {
            EXPECT_EQ(Messages.size(), 1u);
            return Messages.empty() ? "" : Messages[0];
        }
        EXPECT_TRUE(Messages.empty());
        ExpectWellFormed(F);
        std::string Printed = Print(F);
        delete F;
        return Printed;
    }
};

TEST_F(Compilation, SyntaxErrorsReportTheirMessageOnceAndLeaveNothing)
{
    const std::tuple<const char*, int, std::string> Rows[] = {
        {"", 3, "Missing expression."},
        {"  \n\t ", 3, "Missing expression."},
        {". p(a). ", 3, "Missing expression."},
        {"? -p(a). ", 3, "Missing expression."},
        {"p(a) ∧ . ", 3, "Missing expression."},
        {"[p(a). ", 4, "Missing right bracket."},
        {"[p(a) ∧ q(b) ", 4, "Missing right bracket."},
        {"(p(a) ∧ q). ", 4, "Missing right bracket."},
        {"p(a, b. ", 4, "Missing right bracket."},
        {"p(a)). ", 5, "Unexpected right bracket."},
        {"p(a)]. ", 2, "Missing operator."},
        {"p(a).q(b). ", 2, "Missing operator."},
        {"p(a) q(b). ", 2, "Missing operator."},
        {"p (a). ", 2, "Missing operator."},
        {"x < y < z. ", 2, "Missing operator."},
        {"[x < y < z]. ", 4, "Missing right bracket."},
        {"p(a)", 9, "Missing Delimiter."},
        {"p(a) ∧ q(b)  \n", 9, "Missing Delimiter."},
        {"X. ", 10, "Wrong atom expression."},
        {"5. ", 10, "Wrong atom expression."},
        {"\"text\" ∧ p. ", 10, "Wrong atom expression."},
        {"p(1.2.3). ", 12, "Invalid real expression."},
        {"p(1e99999). ", 12, "Invalid real expression."},
        {"p(2e). ", 12, "Invalid real expression."},
        {"p(99999999999). ", 13, "Invalid integer expression."},
        {"p(2147483648). ", 13, "Invalid integer expression."},
        {"p(). ", 14, "Invalid IDTerm."},
        {"p(a, ]). ", 14, "Invalid IDTerm."},
        {"p(a,,b). ", 14, "Invalid IDTerm."},
        {"p(a, ¬b). ", 14, "Invalid IDTerm."},
        {"∀x p(x). ", 15, "Invalid variable expression."},
        {"∀, X p(X). ", 15, "Invalid variable expression."},
        {"∀X,, p(X). ", 15, "Invalid variable expression."},
        {"∀∀X p(X). ", 15, "Invalid variable expression."},
        {"∀X, ∃Y p(X). ", 15, "Invalid variable expression."},
        {"p(\"abc). ", 17, "String literal not closed."},
        {"p(\"abc", 17, "String literal not closed."},
        {"p(\"a. b\"). ", 17, "String literal not closed."},
    };
    for (const auto& [Text, Code, Message] : Rows) {
        SCOPED_TRACE(Text);
        EXPECT_EQ(Outcome(Text), Message);
        EXPECT_EQ(Program->ErrCode, Code);
        EXPECT_EQ(FirstAtom, nullptr);
        EXPECT_EQ(StackDepth(), 0);
    } // a partial tree left behind fails the sanitizer build
}

TEST_F(Compilation, FormulasPrintBackInTheirCompiledForm)
{
    const std::pair<const char*, const char*> Rows[] = {
        {"p(a). ", "p(a). "},
        {"p. ", "p. "},
        {"∀X [p(X) → q(X)]. ", "[p(X)→q(X)]. "},
        {"p ∧ q ∨ r. ", "p∧q∨r. "},
        {"p ∨ q ∧ r. ", "p∨q∧r. "},
        {"[p ∨ q] ∧ r. ", "[p∨q]∧r. "},
        {"p → q → r. ", "p→q→r. "},
        {"p → [q → r]. ", "p→[q→r]. "},
        {"[p → q] ∨ r. ", "[p→q]∨r. "},
        {"p ↔ q ↔ r. ", "p↔q↔r. "},
        {"¬p(a). ", "¬p(a). "},
        {"¬¬p(a). ", "p(a). "},
        {"¬[p ∧ q]. ", "¬[p∧q]. "},
        {"p ∧ ¬[q ∨ r]. ", "p∧¬[q∨r]. "},
        {"p(X). ", " p(X). "},
        {"p(_, _). ", " p(_#0, _#1). "},
        {"p(a, f(b, g(c))). ", "p(a, f(b, g(c))). "},
        {"x ≤ y ∧ x ≠ y ∨ y ≥ x. ", "x≤y∧x≠y∨y≥x. "},
        {"a - (b - c) = d. ", "a-b-c=d. "},
        {"(a + b) * c = d / (e - f). ", "(a+b)*c=d/(e-f). "},
        {"p(-5). ", "p(-5). "},
        {"p(--5). ", "p(5). "},
        {"p(-a). ", "p(-a). "},
        {"p(1 + 2). ", "p(3). "},
        {"p((1 + 2) * 4). ", "p(12). "},
        {"p(6 / 0). ", "p(6/0). "},
        {"p(2.5). ", "p(2.5). "},
        {"p(1.5E-3). ", "p(0.0015). "},
        {"p(2e10). ", "p(20000000000). "},
        {"p(1e20). ", "p(1E20). "},
        {"p(0.00001). ", "p(0.00001). "},
        {"p(0.000001). ", "p(1E-6). "},
        {"p(\"Hello, world\"). ", "p(\"Hello, world\"). "},
        {"\n  p(a)  .  ", "p(a). "},
        {"?- q(a). ", "q(a). "},
        {"?-  ∃X q(X). ", " q(X). "},
    };
    for (const auto& [Text, Expected] : Rows) {
        SCOPED_TRACE(Text);
        EXPECT_EQ(Outcome(Text), Expected);
    }
}

TEST_F(Compilation, PrefixesPrintOnlyWithQuantificationOn)
{
    Set(TOption::Quant1);
    const std::pair<const char*, const char*> Rows[] = {
        {"∀X [p(X) → q(X)]. ", "∀X[p(X)→q(X)]. "},
        {"∀X ∃Y [lt(X, Y)]. ", "∀X∃Y lt(X, Y). "},
        {"∀X, Y ∃Z p(X, Y, Z). ", "∀X, Y∃Z p(X, Y, Z). "},
        {"∀X ¬∃Y p(X, Y). ", "∀X, Y ¬p(X, Y). "},
        {"¬∀X p(X). ", "∃X ¬p(X). "},
        {"∀X ∀X p(X). ", "∀X, X#1 p(X#1). "},
        {"p(X) ∧ ∀X q(X). ", "∀X[p(X)∧∀X q(X)]. "},
        {"p ↔ q. ", "[p→q]∧[q→p]. "},
    };
    for (const auto& [Text, Expected] : Rows) {
        SCOPED_TRACE(Text);
        EXPECT_EQ(Outcome(Text), Expected);
    }
}

TEST_F(Compilation, TextPosLeadsToTheNextFormulaOrTheError)
{
    const std::string Text = Bytes("p(a).  \n q(b). . r(c).\n");
    std::vector<std::string> Printed;
    std::size_t Position = 0;
    while (Position < Text.size()) {
        TFALFormula* F = nullptr;
        Program->XComp(Text.c_str() + Position, F);
        ASSERT_NE(F, nullptr);
        Printed.push_back(Print(F));
        delete F;
        Position += static_cast<std::size_t>(Program->TextPos);
    }
    EXPECT_EQ(Position, Text.size());
    EXPECT_EQ(Printed, (std::vector<std::string>{"p(a). ", "q(b). ", "r(c). "}));

    // On an error the caret goes right after the last character before it.
    const std::pair<const char*, int> Errors[] = {
        {"p(a).q(b). ", 4}, {"p(a) q(b). ", 4}, {"p(a)", 4}, {"   ", 0}, {"p(a, ]). ", 4},
    };
    for (const auto& [Source, Caret] : Errors) {
        SCOPED_TRACE(Source);
        TFALFormula* F = nullptr;
        Program->XComp(Source, F);
        EXPECT_EQ(F, nullptr);
        EXPECT_EQ(Program->TextPos + 1, Caret);
    }
}

TEST_F(Compilation, QueriesAndAxiomsAreTold)
{
    TFALFormula* Q = Compile("?- p(a). ");
    TFALFormula* A = Compile("p(a). ");
    ASSERT_TRUE(Q && A);
    EXPECT_TRUE(Q->Is(TClass::Query));
    EXPECT_TRUE(A->Is(TClass::Formula));
    delete Q;
    delete A;
}

TEST_F(Compilation, AtomChainFollowsTheText)
{
    TFALFormula* F = Compile("p(a) ∧ [q(b) ∨ ¬r(c)] → s(d). ");
    ASSERT_NE(F, nullptr);
    std::vector<std::string> Names;
    for (TAtom* A = F->MF; A; A = static_cast<TAtom*>(A->R))
        Names.push_back(static_cast<TFunc*>(A->Id)->Name);
    EXPECT_EQ(Names, (std::vector<std::string>{"p", "q", "r", "s"}));
    ExpectWellFormed(F);
    delete F;
}

TEST_F(Compilation, AnonymousVariablesAreDistinctAndNumberedPerFormula)
{
    TFALFormula* F = Compile("p(_, _, _). ");
    ASSERT_NE(F, nullptr);
    ASSERT_NE(F->Cont->Q, nullptr);
    EXPECT_EQ(F->Cont->Q->Count(), 3);
    delete F;
    TFALFormula* G = Compile("∀_ q(_). ");
    ASSERT_NE(G, nullptr);
    // The quantified _#0 quantifies nothing: the occurrence is _#1, free at the root.
    EXPECT_EQ(Print(G), " q(_#1). ");
    delete G;
}

TEST_F(Compilation, SignsAndNumbers)
{
    TFALFormula* F = Compile("p(-5, -2.5, -X, +7). ");
    ASSERT_NE(F, nullptr);
    auto* Term = static_cast<TFunctor*>(static_cast<TAtom*>(F->Cont)->Id);
    ASSERT_EQ(Term->Params.Count(), 4);
    EXPECT_TRUE(Term->Params.Get(0)->Is(TClass::Integer));
    EXPECT_EQ(static_cast<TInteger*>(Term->Params.Get(0))->Value, -5);
    EXPECT_TRUE(Term->Params.Get(1)->Is(TClass::Real));
    EXPECT_TRUE(Term->Params.Get(2)->Is(TClass::Functor));
    EXPECT_TRUE(Term->Params.Get(3)->Is(TClass::Integer));
    delete F;
}

// A million levels of nesting is a syntax error, never a stack overflow.
TEST_F(Compilation, DeepNestingIsASyntaxError)
{
    const int N = 1000000;
    const std::string Brackets = std::string(N, '[') + "p" + std::string(N, ']') + ". ";
    const std::string Terms = "p(" + [&] {
        std::string S;
        for (int I = 0; I < N; ++I)
            S += "f(";
        return S + "a" + std::string(N, ')');
    }() + "). ";
    std::string ManyNegations;
    for (int I = 0; I < N; ++I)
        ManyNegations += Bytes("¬");
    ManyNegations += "p. ";
    std::string Chain = "p";
    for (int I = 0; I < N / 10; ++I)
        Chain += Bytes(" ∧ p");
    Chain += ". ";
    std::string Sum = "p(1";
    for (int I = 0; I < N / 10; ++I)
        Sum += "+1";
    Sum += "). ";
    for (const std::string& Text : {Brackets, Terms, ManyNegations, Chain, Sum}) {
        TFALFormula* F = nullptr;
        Program->XComp(Text.c_str(), F);
        EXPECT_EQ(F, nullptr);
        EXPECT_EQ(Program->ErrCode, ErrNestedTooDeeply);
        EXPECT_EQ(Owner.TakeMessages(), std::vector<std::string>{"Expression nested too deeply."});
    }
    // Just below the limit the formula compiles and is released again.
    const int Deep = MaxNesting / 2 - 2;
    const std::string Fits = std::string(Deep, '[') + "p" + std::string(Deep, ']') + ". ";
    TFALFormula* F = nullptr;
    Program->XComp(Fits.c_str(), F);
    ASSERT_NE(F, nullptr);
    delete F;
}

// A long formula or comment asks the host now and then whether to stop; a stop there ends the
// run without a syntax error.
TEST_F(Compilation, AStopInsideALongTextIsNoSyntaxError)
{
    const std::string Comment = "% " + std::string(1 << 20, 'x') + "\np. ?- p. ";
    std::string Sum = "p(1";
    for (int I = 0; I < 300000; ++I)
        Sum += ", 1";
    Sum += "). ?- p(1). ";
    for (const std::string& Text : {Comment, Sum}) {
        Owner.StopAtPoll = 1;
        const std::vector<std::string> Report = Run(Text, TStrategy::Linear);
        EXPECT_GE(Owner.Polls, 1);
        EXPECT_TRUE(Owner.TakeMessages().empty()) << "no message box";
        EXPECT_EQ(Owner.Caret, -1) << "no caret set at an error";
        EXPECT_EQ(CountLines(Report, " YES."), 0);
        EXPECT_EQ(LastOutcome, TRunOutcome::Stopped);
        Owner.StopAtPoll = -1;
        Owner.Polls = 0;
    }
}

TEST_F(Compilation, EquivalenceExpandsOnlyWithQuantificationOn)
{
    TFALFormula* Plain = Compile("p ↔ q. ");
    ASSERT_NE(Plain, nullptr);
    EXPECT_TRUE(Plain->Cont->Is(TClass::Eqv));
    delete Plain;

    Set(TOption::Quant1);
    TFALFormula* F = Compile("[∀X p(X)] ↔ q. ");
    ASSERT_NE(F, nullptr);
    EXPECT_EQ(Print(F), "[∀X p(X)→q]∧[q→∀X p(X)]. ");
    std::vector<std::string> Chain;
    for (TAtom* A = F->MF; A; A = static_cast<TAtom*>(A->R))
        Chain.push_back(static_cast<TFunc*>(A->Id)->Name);
    EXPECT_EQ(Chain, (std::vector<std::string>{"p", "q", "q", "p"}));
    // The copy of the quantified operand has a variable of its own, linked to its copy.
    TSub* I1 = F->Cont->L;
    TSub* I2 = F->Cont->R;
    ASSERT_TRUE(I1->L->Q && I2->R->Q);
    TVariable* X1 = I1->L->Q->Get(0);
    TVariable* X2 = I2->R->Q->Get(0);
    EXPECT_NE(X1, X2);
    EXPECT_EQ(X2->Number, 0);
    EXPECT_EQ(static_cast<TFunctor*>(static_cast<TAtom*>(I2->R)->Id)->Params.Get(0), X2);
    F->Simplify();
    ExpectWellFormed(F);
    delete F;
}

TEST_F(Compilation, ChainedEquivalencesExpandFromTheLeft)
{
    Set(TOption::Quant1);
    TFALFormula* F = Compiled("p ↔ q ↔ r. ");
    ASSERT_NE(F, nullptr);
    EXPECT_EQ(Print(F), "[[p→q]∧[q→p]→r]∧[r→[p→q]∧[q→p]]. ");
    int Atoms = 0;
    for (TAtom* A = F->MF; A; A = static_cast<TAtom*>(A->R))
        ++Atoms;
    EXPECT_EQ(Atoms, 10);
    ExpectWellFormed(F);
    delete F;
}
} // namespace

namespace {
class Comments : public TProverTest {};

// "%" outside a string comments out the rest of its line; inside a string it is a character.
TEST_F(Comments, RunToTheEndOfTheLineOutsideStrings)
{
    const auto Report = Run("% the family\np(a). % the first fact\n"
                            "p(\"50%\"). q(b).%glued\n?- p(\"50%\"). % a string holds it\n",
                            TStrategy::Linear);
    EXPECT_EQ(Report, (std::vector<std::string>{"Solution to ¬p(\"50%\"). ", "[F3&F1] :  YES."}));
    EXPECT_EQ(CountQueries(Bytes("p(\"%\"). % ?- not a query\n?- p(a). ")), 1);
    EXPECT_EQ(CountQueries(Bytes("p(\"a%b\"). ?- q. ")), 1)
        << "a \"%\" inside a string starts no comment";
    // A comment is a blank: it ends a name and a formula, and a line of it alone is empty.
    EXPECT_EQ(Run("p(a).%\n?- p(a).%", TStrategy::Linear).back(), "[F1&F0] :  YES.");
    Run("% nothing but a comment\n", TStrategy::Linear);
    EXPECT_EQ(Owner.TakeMessages(), std::vector<std::string>{"Missing expression."});
}

// The formulas as written, for the pictures of proofs: comments and line breaks go, strings
// stay as they are.
TEST_F(Comments, FormulaTextsAreTheFormulasAsWritten)
{
    const std::vector<TFormulaText> Texts =
        FormulaTexts(Bytes("% the family\np(\"50%  x\").\n∀X [p(X) % why\n   → q(X)].\n"
                           "?-  q(a). ?- bad(. p(b). "));
    std::vector<std::string> Seen;
    for (const TFormulaText& T : Texts)
        Seen.push_back((T.Query ? "?- " : "") + Utf8(T.Text));
    EXPECT_EQ(Seen, (std::vector<std::string>{"p(\"50%  x\")", "∀X [p(X) → q(X)]", "?- q(a)",
                                              "?- bad(", "p(b)"}));
}

} // namespace
