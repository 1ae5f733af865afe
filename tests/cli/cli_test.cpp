#include "cli/args.h"
#include "cli/encoding.h"
#include "model/symbols.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
TArguments Parse(std::vector<std::string> Words)
{
    Words.insert(Words.begin(), "nivar-prove");
    std::vector<const char*> Argv;
    for (const std::string& W : Words)
        Argv.push_back(W.c_str());
    return ParseArguments(static_cast<int>(Argv.size()), Argv.data());
}

TEST(Arguments, FlagsSetTheOptionsOfANewWindow)
{
    const TArguments Plain = Parse({"doc.txt"});
    EXPECT_EQ(Plain.Error, "");
    EXPECT_EQ(Plain.Strategy, TStrategy::Linear);
    EXPECT_TRUE(Plain.Options.Checked(TOption::Progress));
    EXPECT_TRUE(Plain.Options.Checked(TOption::Checkby1));
    const TArguments A =
        Parse({"--strategy", "breadth", "--axioms", "--no-progress", "--no-sources", "--check",
               "equivalence", "--restrict", "support", "--exit", "first-unused", "--one-refutation",
               "--quantification", "--general-cut", "--dcf-limit", "0", "--no-time", "--no-memory",
               "doc.txt"});
    EXPECT_EQ(A.Error, "");
    EXPECT_EQ(A.File, "doc.txt");
    EXPECT_EQ(A.Strategy, TStrategy::Breadthfirst1);
    EXPECT_EQ(A.DCFLimit, 1);
    for (TOption On : {TOption::Axioms, TOption::Checkby2, TOption::Support1, TOption::Exiton3,
                       TOption::Oneref1, TOption::Quant1, TOption::General})
        EXPECT_TRUE(A.Options.Checked(On)) << OptionItem(On).Name;
    for (TOption Off : {TOption::Progress, TOption::Sources, TOption::Checkby1, TOption::Without1,
                        TOption::Exiton1, TOption::Allref1, TOption::Time, TOption::Memory1})
        EXPECT_FALSE(A.Options.Checked(Off)) << OptionItem(Off).Name;
}

TEST(Arguments, BadUsageIsNamed)
{
    const std::pair<std::vector<std::string>, std::string> Rows[] = {
        {{}, "no FILE given"},
        {{"--strategy", "deep", "x"}, "unknown strategy 'deep'"},
        {{"--exit", "never", "x"}, "unknown value 'never' for --exit"},
        {{"--frobnicate", "x"}, "unknown option --frobnicate"},
        {{"x", "y"}, "only one FILE may be given"},
        {{"--dcf-limit", "many", "x"}, "'many' is not a valid integer value"},
        {{"--timeout", "-1", "x"}, "--timeout needs a positive number of seconds"},
        {{"x", "--check"}, "option --check needs a value"},
    };
    for (const auto& [Words, Message] : Rows) {
        SCOPED_TRACE(Message);
        EXPECT_EQ(Parse(Words).Error, Message);
    }
    EXPECT_EQ(Parse({"--help"}).Mode, TMode::Help);
}

TEST(Encoding, UnicodeSymbolsBecomeSymbolBytesAndBack)
{
    const std::string Utf8 = "∀X [p(X) → q(X)] ∧ ¬r ∨ s ↔ t ∃ ≤ ≥ ≠ ⊤ ⊥ \"é\"";
    const TDocument Doc = DecodeDocument(Utf8);
    const std::string Expected =
        std::string(1, Sym::Ch(Sym::ForAll)) + "X [p(X) " + Sym::Ch(Sym::Implies) + " q(X)] " +
        Sym::Ch(Sym::And) + " " + Sym::Ch(Sym::Not) + "r " + Sym::Ch(Sym::Or) + " s " +
        Sym::Ch(Sym::Equiv) + " t " + Sym::Ch(Sym::Exists) + " " + Sym::Ch(Sym::LessEq) + " " +
        Sym::Ch(Sym::GreaterEq) + " " + Sym::Ch(Sym::NotEq) + " " + Sym::Ch(Sym::True) + " " +
        Sym::Ch(Sym::False) + " \"\xC3\xA9\"";
    EXPECT_EQ(Doc.Text, Expected);
    ASSERT_EQ(Doc.FileOffset.size(), Doc.Text.size() + 1);
    EXPECT_EQ(Doc.FileOffset[1], 3u) << "X follows the three bytes of the quantifier";
    EXPECT_EQ(EncodeReport(Doc.Text), Utf8);
    // A document of raw bytes stays as it is; its bytes above 0x7F print as Latin-1.
    const std::string Raw = std::string(1, Sym::Ch(Sym::ForAll)) + "X p(X). \xE9";
    EXPECT_EQ(DecodeDocument(Raw).Text, Raw);
    EXPECT_EQ(EncodeReport(Raw), "∀X p(X). é");
}

TEST(Encoding, PositionsCountLinesAndCharacters)
{
    const std::string File = "p(a).\n∀X q(X) r.\n";
    EXPECT_EQ(PositionOf(File, 0).Line, 1u);
    const TPosition P = PositionOf(File, File.find(" r"));
    EXPECT_EQ(P.Line, 2u);
    EXPECT_EQ(P.Column, 8u) << "the quantifier is one character";
}

// The console prover as a user runs it: report, error position and exit status.
class Console : public ::testing::Test {
protected:
    struct TResult {
        int Status;
        std::string Out;
        std::string Err;
    };
    static TResult Run(const std::string& Args)
    {
        // Tests run side by side: each has a file of its own.
        const std::string ErrFile =
            ::testing::TempDir() + "/nivar-stderr-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
        const std::string Command = std::string(NIVAR_PROVE) + " " + Args + " 2>" + ErrFile;
        TResult R{0, "", ""};
        FILE* Pipe = popen(Command.c_str(), "r");
        std::array<char, 4096> Buf{};
        while (std::size_t N = fread(Buf.data(), 1, Buf.size(), Pipe))
            R.Out.append(Buf.data(), N);
        R.Status = WEXITSTATUS(pclose(Pipe));
        std::ifstream In(ErrFile);
        R.Err.assign(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
        return R;
    }
    static std::string Write(const std::string& Name, const std::string& Text)
    {
        const std::string Path = ::testing::TempDir() + "/" + Name;
        std::ofstream(Path, std::ios::binary) << Text;
        return Path;
    }
};

TEST_F(Console, ExitStatusTellsTheOutcome)
{
    const std::string Examples = NIVAR_EXAMPLES_DIR;
    const TResult Proved = Run("--no-time --no-memory " + Examples + "/overview.txt");
    EXPECT_EQ(Proved.Status, 0);
    EXPECT_EQ(Proved.Out, "Solution to ¬q(a). \nR0 [F2&F1] :  ¬p(a). \n[R0&F0] :  YES.\n");
    EXPECT_EQ(Run(Write("open.txt", "p(a). ?- q(a). ")).Status, 1);
    const TResult Error = Run(Write("error.txt", "p(a).\n?- p(a).\n∀X q(X) r.\n"));
    EXPECT_EQ(Error.Status, 2);
    EXPECT_NE(Error.Out.find("YES."), std::string::npos);
    EXPECT_EQ(Error.Err, ::testing::TempDir() + "/error.txt:3:8: error: Missing operator.\n");
    const TResult Stopped = Run("--timeout 0.2 --strategy modified " +
                                Write("endless.txt", "p(0). ∀X [p(X) → p(X + 1)]. ?- q. "));
    EXPECT_EQ(Stopped.Status, 3);
    EXPECT_EQ(Stopped.Out.find("Solving time"), std::string::npos);
    EXPECT_EQ(Run("--no-such-flag x").Status, 64);
    EXPECT_EQ(Run(::testing::TempDir() + "/missing.txt").Status, 66);
    EXPECT_EQ(Run(::testing::TempDir()).Status, 66) << "a directory is no document";
    EXPECT_EQ(Run("--help").Status, 0);
}

TEST_F(Console, ParseAndCompileListTheFormulas)
{
    const std::string Doc = Write("list.txt", "∀X [p(X) ↔ q(X)].\n?- q(1 + 2).\n");
    EXPECT_EQ(Run("--parse " + Doc).Out, "F0 : [p(X)↔q(X)]. \nF1 : ?- q(3). \n");
    EXPECT_EQ(Run("--compile --quantification " + Doc).Out,
              "F0 : ∀X[[p(X)→q(X)]∧[q(X)→p(X)]]. \nF1 : ?- q(3). \n");
    const TResult Bytes = Run("--parse --bytes " + Doc);
    EXPECT_EQ(Bytes.Out,
              "F0 : [p(X)" + std::string(1, Sym::Ch(Sym::Equiv)) + "q(X)]. \nF1 : ?- q(3). \n");
    EXPECT_EQ(Run("--parse " + Write("bad.txt", "p(a). q(")).Status, 2);
}
} // namespace
