#include "cli/args.h"
#include "language/codec.h"
#include "model/symbols.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>

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
               "--quantification", "--general-cut", "--dcf-limit", "3", "--no-time", "--no-memory",
               "doc.txt"});
    EXPECT_EQ(A.Error, "");
    EXPECT_EQ(A.File, "doc.txt");
    EXPECT_EQ(A.Strategy, TStrategy::Breadthfirst1);
    EXPECT_EQ(A.DCFLimit, 3);
    const TArguments Clauses = Parse({"--strategy=clauses", "doc.txt"});
    EXPECT_EQ(Clauses.Strategy, TStrategy::Clauses);
    EXPECT_EQ(Parse({"--strategy=clauses", "--strategy=best", "doc.txt"}).Strategy,
              TStrategy::BestFirst1);
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
        {{"--dcf-limit", "many", "x"}, "--dcf-limit: 'many' is not a valid integer value"},
        {{"--dcf-limit", "0", "x"}, "--dcf-limit needs a whole number of at least 1"},
        {{"--dcf-limit=-1", "x"}, "--dcf-limit needs a whole number of at least 1"},
        {{"--strategy", "best", "--proof", "tstp", "x"},
         "--proof needs --skolem, --quantification or --auto: the default mode ignores "
         "quantifiers, so its steps need not follow from their parents"},
        {{"--timeout", "-1", "x"}, "--timeout needs a positive number of seconds"},
        {{"x", "--check"}, "option --check needs a value"},
        {{"--timeout=0", "x"}, "--timeout needs a positive number of seconds"},
        {{"--cpu-limit", "nan", "x"}, "--cpu-limit needs a positive number of seconds"},
        {{"--axioms=yes", "x"}, "option --axioms takes no value"},
        {{"-x", "doc"}, "unknown option -x"},
        {{"--skolem", "--proof", "svg", "x"}, "unknown proof format 'svg' (tstp or dot)"},
    };
    for (const auto& [Words, Message] : Rows) {
        SCOPED_TRACE(Message);
        EXPECT_EQ(Parse(Words).Error, Message);
    }
    EXPECT_EQ(Parse({"--help"}).Mode, TMode::Help);
    EXPECT_EQ(Parse({"--version"}).Mode, TMode::Version);
}

// Without an option that chooses how to prove, a TPTP problem gets the automatic mode; report
// and limit options choose nothing.
TEST(Arguments, SearchOptionsAreTold)
{
    for (const std::vector<std::string>& Words :
         std::vector<std::vector<std::string>>{{"p.p"},
                                               {"--szs", "--timeout", "3", "--no-progress", "p.p"},
                                               {"--proof", "tstp", "--model", "tptp", "p.p"}}) {
        const TArguments A = Parse(Words);
        EXPECT_EQ(A.Error, "");
        EXPECT_FALSE(A.SearchChosen) << Words.front();
    }
    for (const std::vector<std::string>& Words :
         std::vector<std::vector<std::string>>{{"--skolem", "p.p"},
                                               {"--strategy", "linear", "p.p"},
                                               {"--exit=last-match", "p.p"},
                                               {"--auto", "p.p"},
                                               {"--model-search", "p.p"},
                                               {"--general-cut", "p.p"}})
        EXPECT_TRUE(Parse(Words).SearchChosen) << Words.front();
    TArguments Derivation = Parse({"--proof", "tstp", "p.p"});
    EXPECT_NE(ProofModeError(Derivation), "") << "a Nivar document keeps the default mode";
    ChooseAutomatic(Derivation);
    EXPECT_EQ(ProofModeError(Derivation), "");
    EXPECT_EQ(Derivation.Strategy, TStrategy::Auto);
    EXPECT_TRUE(Derivation.CounterModels);
}

// Help, parsing and the manual page come from one table, or are checked against it.
TEST(Arguments, HelpParsingAndTheManualPageNameTheSameOptions)
{
    const std::vector<std::string> Names = OptionNames();
    const std::string Help = UsageText();
    std::set<std::string> InHelp;
    const std::regex Option("--[a-z][a-z-]*[a-z]");
    for (auto It = std::sregex_iterator(Help.begin(), Help.end(), Option);
         It != std::sregex_iterator(); ++It)
        InHelp.insert(It->str());
    std::ifstream Page(NIVAR_MAN_PAGE);
    ASSERT_TRUE(Page) << NIVAR_MAN_PAGE;
    std::stringstream Text;
    Text << Page.rdbuf();
    // The harness section shows a cmake command line, whose options are cmake's.
    std::string Man = Text.str().substr(0, Text.str().find(".SH HARNESSES"));
    for (std::size_t At; (At = Man.find("\\-")) != std::string::npos;)
        Man.replace(At, 2, "-");
    std::set<std::string> InMan;
    for (auto It = std::sregex_iterator(Man.begin(), Man.end(), Option);
         It != std::sregex_iterator(); ++It)
        InMan.insert(It->str());
    for (const std::string& Name : Names) {
        SCOPED_TRACE(Name);
        EXPECT_TRUE(InHelp.count(Name));
        EXPECT_TRUE(InMan.count(Name));
        EXPECT_NE(Parse({Name}).Error, "unknown option " + Name);
    }
    // Nothing names an option that is not there (--opt is the help's own example).
    std::set<std::string> Known(Names.begin(), Names.end());
    Known.insert("--opt");
    for (const std::string& Name : InHelp)
        EXPECT_TRUE(Known.count(Name)) << "help: " << Name;
    for (const std::string& Name : InMan)
        EXPECT_TRUE(Known.count(Name)) << "manual page: " << Name;
    // The page's list of the options that choose how to prove is the table's.
    const std::size_t From = Man.find("Without an option that");
    const std::size_t To = Man.find("automatic mode", From);
    ASSERT_NE(To, std::string::npos);
    const std::string List = Man.substr(From, To - From);
    std::set<std::string> Listed;
    for (auto It = std::sregex_iterator(List.begin(), List.end(), Option);
         It != std::sregex_iterator(); ++It)
        Listed.insert(It->str());
    const std::vector<std::string> Search = SearchOptionNames();
    EXPECT_EQ(Listed, std::set<std::string>(Search.begin(), Search.end()));
    for (const std::string& Name : Search)
        EXPECT_TRUE(Parse({Name, "p.p"}).SearchChosen) << Name;
}

TEST(Arguments, FollowUnixConventions)
{
    const TArguments Joined = Parse({"--strategy=breadth", "--timeout=2.5", "--cpu-limit", "3",
                                     "--exit=last-match", "--szs", "doc.txt"});
    EXPECT_EQ(Joined.Error, "");
    EXPECT_EQ(Joined.Strategy, TStrategy::Breadthfirst1);
    EXPECT_EQ(Joined.Timeout, 2.5);
    EXPECT_EQ(Joined.CpuLimit, 3);
    EXPECT_TRUE(Joined.Options.Checked(TOption::Exiton2));
    EXPECT_TRUE(Joined.Szs);
    const TArguments Stdin = Parse({"--axioms", "-"});
    EXPECT_EQ(Stdin.Error, "");
    EXPECT_EQ(Stdin.File, "-");
    const TArguments Ended = Parse({"--skolem", "--", "--odd-name.txt"});
    EXPECT_EQ(Ended.Error, "");
    EXPECT_EQ(Ended.File, "--odd-name.txt");
    EXPECT_TRUE(Ended.Options.Checked(TOption::Skolem1));
    EXPECT_EQ(Parse({"--", "a", "b"}).Error, "only one FILE may be given");
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
    EXPECT_EQ(Doc.FileOffset(1), 3u) << "X follows the three bytes of the quantifier";
    for (std::size_t I = 0; I <= Doc.Text.size() + 1; ++I) { // each character, the end, past it
        if (I < Doc.Text.size() && (static_cast<unsigned char>(Doc.Text[I]) & 0xC0) == 0x80)
            continue; // inside a character kept as its UTF-8 bytes
        EXPECT_EQ(Doc.FileOffset(I),
                  EncodeReport(Doc.Text.substr(0, std::min(I, Doc.Text.size()))).size())
            << I;
    }
    EXPECT_EQ(EncodeReport(Doc.Text), Utf8);
    // A document of raw bytes stays as it is; its bytes above 0x7F print as Latin-1.
    const std::string Raw = std::string(1, Sym::Ch(Sym::ForAll)) + "X p(X). \xE9";
    EXPECT_EQ(DecodeDocument(Raw).Text, Raw);
    EXPECT_EQ(EncodeReport(Raw), "∀X p(X). é");
}

TEST(Encoding, AByteOrderMarkIsSkippedAndAStrayByteFound)
{
    const std::string Bom = "\xEF\xBB\xBF";
    const TDocument Marked = DecodeDocument(Bom + "∀X p(X).\n");
    EXPECT_TRUE(Marked.Utf8);
    EXPECT_EQ(Marked.Text, std::string(1, Sym::Ch(Sym::ForAll)) + "X p(X).\n");
    EXPECT_EQ(Marked.FileOffset(0), 3u);
    EXPECT_EQ(Marked.FileOffset(2), 7u);
    EXPECT_EQ(Marked.InvalidAt, std::string::npos);
    // UTF-8 symbols and a byte that is not UTF-8: the byte is found, not an earlier symbol.
    // The document is still read as UTF-8, the stray byte kept, and written back the same.
    const std::string Mixed = "∀X [p(X)].\nq(\xFF).\n";
    const TDocument Stray = DecodeDocument(Mixed);
    EXPECT_TRUE(Stray.Utf8);
    EXPECT_EQ(Stray.InvalidAt, Mixed.find('\xFF'));
    EXPECT_EQ(Stray.Text, std::string(1, Sym::Ch(Sym::ForAll)) + "X [p(X)].\nq(\xFF).\n");
    EXPECT_EQ(Stray.Stray, std::vector<std::size_t>{13});
    EXPECT_EQ(EncodeDocument(Stray.Text, true, false, Stray.Stray), Mixed);
    EXPECT_EQ(Stray.FileOffset(14), Mixed.find('\xFF') + 1);
    EXPECT_EQ(StrayByteMessage(0xFF),
              "Byte 0xFF is not UTF-8, though the document writes its symbols in UTF-8.");
    const TPosition P = PositionOf(Mixed, Stray.InvalidAt, true);
    EXPECT_EQ(P.Line, 2u);
    EXPECT_EQ(P.Column, 3u);
    EXPECT_EQ(DecodeDocument(Bom + "p(\xE9).").InvalidAt, 5u) << "a mark says UTF-8 too";
    // Symbol bytes as they are: no UTF-8 symbol, so no stray byte.
    const std::string Raw = std::string(1, Sym::Ch(Sym::ForAll)) + "X p(X). \xE9";
    EXPECT_EQ(DecodeDocument(Raw).InvalidAt, std::string::npos);
    EXPECT_EQ(PositionOf(Bom + "p q", 5, true).Column, 3u) << "the mark takes no column";
}

TEST(Encoding, PositionsCountLinesAndCharacters)
{
    const std::string File = "p(a).\n∀X q(X) r.\n";
    EXPECT_EQ(PositionOf(File, 0, true).Line, 1u);
    const TPosition P = PositionOf(File, File.find(" r"), true);
    EXPECT_EQ(P.Line, 2u);
    EXPECT_EQ(P.Column, 8u) << "the quantifier is one character";
}
} // namespace
