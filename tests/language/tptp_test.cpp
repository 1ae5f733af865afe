// TPTP problems read into Nivar documents, and formulas written back in TPTP.
#include "driver/skolem.h"
#include "language/codec.h"
#include "language/tptp.h"
#include "model/runstate.h"
#include "model/tptpnames.h"
#include "model/tptpwrite.h"
#include "support/prover.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

namespace {
// The formulas of a problem in Nivar's language, written with Unicode symbols.
std::vector<std::string> Texts(const TTptpProblem& P)
{
    std::vector<std::string> Out;
    for (const TTptpFormula& F : P.Formulas)
        Out.push_back(EncodeReport(F.Text));
    return Out;
}

TTptpProblem Read(const std::string& Text)
{
    return ReadTptp("problem.p", Text, "");
}

TEST(Tptp, EveryConnectiveAndQuantifier)
{
    const TTptpProblem P = Read("fof(c1, axiom, (a & b & c) | d).\n"
                                "fof(c2, axiom, (a => b) & (a <= b)).\n"
                                "fof(c3, axiom, (a <=> b) | (a <~> b)).\n"
                                "fof(c4, axiom, (a ~| b) & (a ~& b) & ~ a).\n"
                                "fof(c5, axiom, ! [X,Y] : ? [Z] : r(X, Y, Z)).\n"
                                "fof(c6, axiom, ! [X] : (X = a | X != b)).\n");
    ASSERT_EQ(P.Error, "");
    EXPECT_EQ(Texts(P), (std::vector<std::string>{
                            "[[[a ∧ b] ∧ c] ∨ d]",
                            "[[a → b] ∧ [b → a]]",
                            "[[a ↔ b] ∨ ¬[[a ↔ b]]]",
                            "[[¬[[a ∨ b]] ∧ ¬[[a ∧ b]]] ∧ ¬[a]]",
                            "∀X, Y [∃Z [r(X, Y, Z)]]",
                            "∀X [[X = a ∨ ¬[X = b]]]",
                        }));
    EXPECT_TRUE(P.UsesEquality);
}

TEST(Tptp, TruthConstantsFoldAway)
{
    const TTptpProblem P = Read("fof(t1, axiom, $true & p).\n"
                                "fof(t2, axiom, ~ $false | q).\n"
                                "fof(t3, axiom, p => $false).\n"
                                "fof(t4, axiom, $false).\n");
    ASSERT_EQ(P.Error, "");
    EXPECT_EQ(Texts(P), (std::vector<std::string>{"p", "[nivar_true ∨ ¬nivar_true]", "¬[p]",
                                                  "[nivar_true ∧ ¬nivar_true]"}));
}

TEST(Tptp, NamesCommentsNumbersAndDistinctObjects)
{
    const TTptpProblem P = Read("% a line comment\n/* a block\n comment */\n"
                                "fof('a name', axiom, 'John\\'s'(\"the one\", 42, 'ok')).\n"
                                "cnf(clause, axiom, ~ p(X) | q(X, 12345678901)).\n");
    ASSERT_EQ(P.Error, "");
    ASSERT_EQ(P.Formulas.size(), 2u);
    EXPECT_EQ(P.Formulas[0].Name, "a name");
    EXPECT_EQ(P.Formulas[0].Line, 4u);
    EXPECT_EQ(Texts(P)[0], "q_John_27s(\"the one\", 42, ok)");
    EXPECT_EQ(Texts(P)[1], "[¬[p(X)] ∨ q(X, n_12345678901)]")
        << "a number Nivar cannot hold is a constant of its own";
}

TEST(Tptp, RolesMakeAxiomsAndQueries)
{
    const TTptpProblem P = Read("fof(h, hypothesis, p).\nfof(d, definition, q).\n"
                                "fof(l, lemma, r).\nfof(g1, conjecture, p & q).\n"
                                "fof(n, negated_conjecture, ~ s).\nfof(g2, conjecture, r).\n");
    ASSERT_EQ(P.Error, "");
    EXPECT_TRUE(P.HasConjecture);
    const std::string Doc = EncodeReport(NivarDocument(P, false));
    EXPECT_EQ(Doc, "% h (hypothesis)\np.\n% d (definition)\nq.\n% l (lemma)\nr.\n"
                   "% n (negated_conjecture)\n¬[s].\n% g1 (conjecture)\n?- [p ∧ q].\n"
                   "% g2 (conjecture)\n?- r.\n");
    const TTptpProblem Axioms = Read("cnf(a, axiom, p).\ncnf(b, negated_conjecture, ~ p).\n");
    EXPECT_FALSE(Axioms.HasConjecture);
    EXPECT_NE(NivarDocument(Axioms, false).find("?- nivar_goal.\n"), std::string::npos);
}

TEST(Tptp, ErrorsNameTheirPlace)
{
    const std::pair<const char*, const char*> Rows[] = {
        {"fof(a, axiom, p & ).", "problem.p:1:19: error: a term expected"},
        {"fof(a, axiom, p & q | r).", "problem.p:1:21: error: brackets are needed where "
                                      "connectives mix"},
        {"fof(a, axiom,\n  'open).\n", "problem.p:2:3: error: a quoted name is not closed on "
                                       "its line"},
        {"thf(a, axiom, p).", "problem.p:1:1: error: Nivar reads fof and cnf formulas, not thf"},
        {"fof(a, axiom, ! [X:$i] : p(X)).", "problem.p:1:19: error: typed variables belong to "
                                            "TFF, which Nivar does not read"},
        {"fof(a, axiom, p)", "problem.p:1:17: error: '.' expected"},
        {"fof(a, axiom, $sum(1, 2) = 3).", "problem.p:1:15: error: Nivar does not read the "
                                           "defined symbol $sum"},
    };
    for (const auto& [Text, Error] : Rows) {
        SCOPED_TRACE(Text);
        const TTptpProblem P = Read(Text);
        EXPECT_EQ(P.Error, Error);
        EXPECT_TRUE(P.Formulas.empty());
    }
}

TEST(Tptp, IncludesBesideTheFileThenUnderTheRoot)
{
    namespace fs = std::filesystem;
    const fs::path Dir = fs::path(::testing::TempDir()) / "nivar-tptp-includes";
    fs::remove_all(Dir);
    fs::create_directories(Dir / "Axioms");
    fs::create_directories(Dir / "root" / "Axioms");
    std::ofstream(Dir / "Axioms" / "near.ax") << "fof(near1, axiom, p).\nfof(near2, axiom, q).\n";
    std::ofstream(Dir / "root" / "Axioms" / "far.ax") << "fof(far, axiom, r).\n";
    std::ofstream(Dir / "root" / "Axioms" / "bad.ax") << "fof(bad, axiom, (p).\n";
    const std::string Main = (Dir / "main.p").string();
    const TTptpProblem P =
        ReadTptp(Main,
                 "include('Axioms/near.ax', [near2]).\ninclude('Axioms/far.ax').\n"
                 "fof(c, conjecture, q & r).\n",
                 (Dir / "root").string());
    ASSERT_EQ(P.Error, "");
    std::vector<std::string> Names;
    for (const TTptpFormula& F : P.Formulas)
        Names.push_back(F.Name);
    EXPECT_EQ(Names, (std::vector<std::string>{"near2", "far", "c"})) << "a selection is kept";
    const TTptpProblem Missing = ReadTptp(Main, "include('Axioms/none.ax').\n", "");
    EXPECT_EQ(Missing.Error, Main + ":1:9: error: cannot read the included file "
                                    "'Axioms/none.ax': No such file or directory (looked "
                                    "beside the file)");
    const TTptpProblem Bad = ReadTptp(Main, "include('Axioms/bad.ax').\n", (Dir / "root").string());
    EXPECT_EQ(Bad.Error,
              (Dir / "root" / "Axioms" / "bad.ax").string() + ":1:20: error: ')' expected")
        << "an error in an included file names that file";
    fs::remove_all(Dir);
}

class TptpProofs : public TProverTest {};

// A chain of & or | is as long as a problem makes it: it is read without a walk as deep as
// the chain, and written in halves, so Nivar's parser (which nests a chain as deep as it is
// long) holds it; a short chain is written as it was read.
TEST_F(TptpProofs, LongChainsAreReadAndHeldWhole)
{
    constexpr int Length = 100000;
    for (const std::string Op : {" & ", " | "}) {
        std::string Chain;
        for (int I = 0; I < Length; ++I)
            Chain += (I ? Op : "") + std::string("p") + std::to_string(I);
        const TTptpProblem P =
            Read("fof(long, axiom, " + Chain + ").\n" + "fof(c, conjecture, p99999).\n");
        ASSERT_EQ(P.Error, "");
        int Depth = 0;
        int Deepest = 0;
        for (char C : P.Formulas[0].Text) {
            Depth += C == '[' ? 1 : C == ']' ? -1 : 0;
            Deepest = std::max(Deepest, Depth);
        }
        EXPECT_LE(Deepest, 80) << "in halves";
        if (Op == " & ") {
            Run(NivarDocument(P, false), TStrategy::Linear);
            EXPECT_EQ(QueriesRefuted, 1);
        }
    }
    EXPECT_EQ(Texts(Read("fof(c, axiom, a | $false | b | (c | d) | $false).\n")),
              std::vector<std::string>{"[[a ∨ b] ∨ [c ∨ d]]"});
}

// Equality has no built-in meaning: its axioms are added for the problem's symbols.
TEST_F(TptpProofs, EqualityAxiomsProveWhatEqualityGives)
{
    const TTptpProblem P = Read("fof(e, axiom, a = b).\nfof(f, axiom, p(f(a))).\n"
                                "fof(c, conjecture, p(f(b))).\n");
    ASSERT_EQ(P.Error, "");
    EXPECT_EQ(P.Functions, std::vector<std::string>{"f/1"});
    EXPECT_EQ(P.Predicates, std::vector<std::string>{"p/1"});
    const std::string Doc = EncodeReport(NivarDocument(P, true));
    EXPECT_NE(Doc.find("∀X [X = X].\n∀X, Y [X = Y → Y = X].\n"
                       "∀X, Y, Z [[X = Y ∧ Y = Z] → X = Z].\n"
                       "∀X, Y [X = Y → f(X) = f(Y)].\n∀X, Y [[X = Y ∧ p(X)] → p(Y)].\n"),
              std::string::npos)
        << Doc;
    Set(TOption::Skolem1);
    Run(Doc, TStrategy::BestFirst1);
    EXPECT_EQ(QueriesRefuted, 1);
    // With the equality axioms the search of a non-theorem has no end: it is stopped.
    Owner.StopAt = 20000;
    Run(EncodeReport(
            NivarDocument(Read("fof(e, axiom, a = b).\nfof(c, conjecture, p(b)).\n"), true)),
        TStrategy::BestFirst1);
    EXPECT_EQ(QueriesRefuted, 0) << "what does not follow is not proved";
}

TEST_F(TptpProofs, FormulasWrittenInTptpReadBackAsTheSame)
{
    Set(TOption::Quant1);
    TFALFormula* F =
        Keep(Compiled("∀X [∃Y [p(X, Y) ∧ ¬[q(X) ∨ X < 3]] → r(\"s t\", f(X), 2.5)]. "));
    const std::string Tptp = TptpFormula(F, TTptpWriting::Bound, nullptr);
    EXPECT_EQ(Tptp, "(! [X] : ((? [Y] : (p(X, Y) & ~ (q(X) | lt(X, 3)))) => "
                    "r(\"s t\", f(X), '2.5')))");
    const TTptpProblem Back = Read("fof(f, axiom, " + Tptp + ").\n");
    ASSERT_EQ(Back.Error, "");
    EXPECT_EQ(Texts(Back)[0], "∀X [[∃Y [[p(X, Y) ∧ ¬[[q(X) ∨ lt(X, 3)]]]] → "
                              "r(\"s t\", f(X), q_2_2e5)]]");
    // A Skolem symbol is a quoted name in TPTP.
    Set(TOption::Skolem1);
    TFALFormula* G = Keep(Compiled("∀X [∃Y [p(X, Y)]]. "));
    Skolemize(G);
    EXPECT_EQ(TptpFormula(G, TTptpWriting::Bound, nullptr), "(! [X] : p(X, 'sk#1'(X)))");
}

// A random TPTP constant: a lower word (often one that begins as the reader's own names do), a
// quoted name, a number or a distinct object. Key is what makes two of them the same symbol;
// Written is how the file shows it.
struct TRandomName {
    std::string Tptp;
    std::string Key;
    std::string Written;
};

TRandomName RandomName(std::mt19937& Random)
{
    auto Pick = [&Random](int N) { return static_cast<int>(Random() % static_cast<unsigned>(N)); };
    static const char* const Prefixes[] = {"", "q_", "n_", "nivar_", "sk", "s_", "q_q_", "d_"};
    static const std::string Alnum = "abcXYZ019_";
    static const std::string Printable = "aZ9 _.%'\"\\#-+/()=,!?~&|$";
    auto Text = [&](const std::string& From, int Max) {
        std::string T;
        for (int I = Pick(Max + 1); I > 0; --I)
            T += From[static_cast<std::size_t>(Pick(static_cast<int>(From.size())))];
        return T;
    };
    auto Escape = [](const std::string& T, char Quote) {
        std::string Out;
        for (char C : T) {
            if (C == Quote || C == '\\')
                Out += '\\';
            Out += C;
        }
        return Out;
    };
    TRandomName N;
    switch (Pick(4)) {
    case 0: { // a lower word
        std::string W = std::string(Prefixes[Pick(8)]) + Text(Alnum, 4);
        if (W.empty() || !(W[0] >= 'a' && W[0] <= 'z'))
            W = "w" + W;
        if (Pick(3) == 0) // the reader's own rendering of some other name
            W = NivarName(Text(Printable, 3));
        N = {W, "name " + W, W};
        break;
    }
    case 1: { // a quoted name, perhaps one that needs no quotes
        const std::string T = Pick(4) == 0 ? "abc" : Text(Printable, 5);
        if (T.empty())
            return RandomName(Random);
        N = {"'" + Escape(T, '\'') + "'", "name " + T, TptpName(T)};
        break;
    }
    case 2: { // a number
        static const char* const Numbers[] = {
            "0",    "7",   "-7",  "123456789", "12345678901234", "2.5", "2.50",
            "-2.5", "1/3", "2/6", "1.5e10",    "1.5E-3",         "25"};
        const std::string T = Numbers[Pick(13)];
        N = {T, "number " + T, T};
        break;
    }
    default: { // a distinct object
        const std::string T = Text(Printable, 5);
        N = {"\"" + Escape(T, '"') + "\"", "distinct " + T, "\"" + Escape(T, '"') + "\""};
        break;
    }
    }
    return N;
}

class TptpNames : public TProverTest {};

// Two TPTP symbols get the same Nivar term exactly when they are the same symbol, and each
// comes back in TPTP as the file writes it.
TEST_F(TptpNames, OneToOneAndBack)
{
    std::mt19937 Random(20261209);
    for (int Round = 0; Round < 40; ++Round) {
        std::vector<TRandomName> Names;
        std::string Args;
        for (int I = 0; I < 12; ++I) {
            Names.push_back(RandomName(Random));
            Args += (I ? ", " : "") + Names.back().Tptp;
        }
        const std::string Problem = "fof(a, axiom, p(" + Args + ")).\n";
        SCOPED_TRACE(Problem);
        const TTptpProblem P = Read(Problem);
        ASSERT_EQ(P.Error, "");
        ASSERT_EQ(P.Formulas.size(), 1u);
        TFALFormula* F = Keep(Compile(Utf8(P.Formulas[0].Text) + ". "));
        ASSERT_NE(F, nullptr);
        auto* Atom = static_cast<TFunctor*>(static_cast<TAtom*>(F->Cont)->Id);
        ASSERT_EQ(Atom->Params.Count(), 12);
        TTptpNaming Naming;
        Naming.Taken = P.Names;
        for (int I = 0; I < 12; ++I) {
            TId* A = Atom->Params.Get(I);
            EXPECT_EQ(TptpTerm(A, &Naming), Names[static_cast<std::size_t>(I)].Written);
            for (int J = 0; J < I; ++J) {
                const bool Same = Names[static_cast<std::size_t>(I)].Key ==
                                  Names[static_cast<std::size_t>(J)].Key;
                std::string PrintedI;
                std::string PrintedJ;
                A->RPrint(PrintedI);
                Atom->Params.Get(J)->RPrint(PrintedJ);
                EXPECT_EQ(PrintedI == PrintedJ, Same)
                    << Names[static_cast<std::size_t>(I)].Tptp << " and "
                    << Names[static_cast<std::size_t>(J)].Tptp;
            }
        }
    }
}
} // namespace
