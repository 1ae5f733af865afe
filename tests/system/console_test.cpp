// The console prover as a user runs it: report, messages, SZS statuses, stops and exit status.
#include "support/console.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
class Console : public TConsoleTest {
protected:
    static std::string Examples(const std::string& Name)
    {
        return std::string(NIVAR_EXAMPLES_DIR) + "/" + Name;
    }
    // Resolvents without end and without growth.
    static constexpr const char* Endless = "p(0). ∀X [p(X) → p(X + 1)]. ?- q. ";
};

TEST_F(Console, ExitStatusTellsTheOutcome)
{
    const TResult Proved = Run({"--no-time", "--no-memory", Examples("overview.txt")});
    EXPECT_EQ(Proved.Status, 0);
    EXPECT_EQ(Proved.Out, "Solution to ¬q(a). \nR0 [F2&F1] :  ¬p(a). \n[R0&F0] :  YES.\n");
    EXPECT_EQ(Run({Write("open.txt", "p(a). ?- q(a). ")}).Status, 1);
    const std::string ErrorDoc = Write("error.txt", "p(a).\n?- p(a).\n∀X q(X) r.\n");
    const TResult Error = Run({ErrorDoc});
    EXPECT_EQ(Error.Status, 2);
    EXPECT_NE(Error.Out.find("YES."), std::string::npos);
    EXPECT_EQ(Error.Err, ErrorDoc + ":3:8: error: Missing operator.\n");
    EXPECT_EQ(Run({"--no-such-flag", "x"}).Status, 64);
    EXPECT_EQ(Run({"--help"}).Status, 0);
}

TEST_F(Console, ADocumentWithoutAQueryIsNamed)
{
    const std::string Doc = Write("axioms.txt", "p(a). q(b). ");
    const TResult R = Run({"--no-time", "--no-memory", Doc});
    EXPECT_EQ(R.Status, 1);
    EXPECT_EQ(R.Out, "");
    EXPECT_EQ(R.Err, "nivar-prove: " + Doc + ": no query to prove\n");
}

TEST_F(Console, EveryQueryGetsAnSzsStatus)
{
    auto Statuses = [](const TResult& R) { return Starting(R.Out, "% SZS status"); };
    EXPECT_EQ(Statuses(Run({"--szs", Examples("overview.txt")})),
              std::vector<std::string>{"% SZS status Theorem for overview"});
    const std::string Two = Write("two.txt", "p(a). ?- p(a). ?- q(\"?- no query\"). ");
    EXPECT_EQ(Statuses(Run({"--szs", Two})),
              (std::vector<std::string>{"% SZS status Theorem for EveryQueryGetsAnSzsStatus-two#1",
                                        "% SZS status GaveUp for EveryQueryGetsAnSzsStatus-two#2"}))
        << "a ?- inside a string is no query";

    // Stopped in the first of three queries: the others are not tried.
    const std::string Three = Write("three.txt", std::string(Endless) + "?- p(0). ?- p(f(0)). ");
    const TResult Timed = Run({"--szs", "--timeout", "0.3", "--strategy=modified", Three});
    EXPECT_EQ(Timed.Status, 3);
    const std::string Name = "EveryQueryGetsAnSzsStatus-three";
    EXPECT_EQ(Statuses(Timed),
              (std::vector<std::string>{"% SZS status Timeout for " + Name + "#1",
                                        "% SZS status NotTried for " + Name + "#2",
                                        "% SZS status NotTried for " + Name + "#3"}));
    const TResult Memory =
        Run({"--szs", "--memory-limit", "1", "--strategy", "modified", "--check", "none",
             "--no-progress", Write("grow.txt", "p(0). ∀X [p(X) → p(X + 1)]. ?- q. ")});
    EXPECT_EQ(Memory.Status, 3);
    EXPECT_EQ(Statuses(Memory), std::vector<std::string>{"% SZS status MemoryOut for "
                                                         "EveryQueryGetsAnSzsStatus-grow"});
    const TResult Wide = Run({"--szs", "--strategy", "modified", "--no-progress",
                              Write("wide.txt", "p(a). ∀X [p(X) → p(g(X, X))]. ?- q. ")});
    EXPECT_EQ(Wide.Status, 3);
    EXPECT_EQ(Statuses(Wide), std::vector<std::string>{"% SZS status ResourceOut for "
                                                       "EveryQueryGetsAnSzsStatus-wide"});
    const TResult Syntax = Run({"--szs", Write("bad.txt", "p(a). ?- p(a). q(. ?- q. ")});
    EXPECT_EQ(Syntax.Status, 2);
    EXPECT_EQ(Statuses(Syntax),
              (std::vector<std::string>{"% SZS status Theorem for EveryQueryGetsAnSzsStatus-bad#1",
                                        "% SZS status SyntaxError for "
                                        "EveryQueryGetsAnSzsStatus-bad"}));
    const TResult Stdin = Run({"--szs", "--no-time", "--no-memory", "-"}, "p(a). ?- p(a). ");
    EXPECT_EQ(Stdin.Status, 0);
    EXPECT_EQ(Statuses(Stdin), std::vector<std::string>{"% SZS status Theorem for stdin"});
}

// The default mode reads every quantifier as universal: a proof that used an existential is
// reported, and its status is Unknown; the report itself is the design's.
TEST_F(Console, ARefutationThatReadAnExistentialAsUniversalIsFlagged)
{
    const std::string Doc = Write("exists.txt", "q(b).\n∃X [p(X)].\n?- p(a).\n?- q(b).\n");
    const TResult Default = Run({"--szs", "--no-time", "--no-memory", Doc});
    EXPECT_EQ(Default.Status, 0) << "every query was refuted";
    const std::string Name = "ARefutationThatReadAnExistentialAsUniversalIsFlagged-exists";
    EXPECT_EQ(Starting(Default.Out, "% SZS"),
              (std::vector<std::string>{"% SZS status Unknown for " + Name + "#1",
                                        "% SZS status Theorem for " + Name + "#2"}))
        << "the refutation of q(b) does not use the existential";
    EXPECT_EQ(Lines(Default.Err).size(), 1u) << "one warning, for the query in doubt";
    EXPECT_EQ(
        Default.Err.rfind(Doc + ":2:1: warning: the proof of query 1 reads the variable X", 0), 0u)
        << Default.Err;
    EXPECT_NE(Default.Err.find("try --skolem"), std::string::npos);
    // A counter-model settles it: the doubtful refutation does not hold.
    const TResult Raced = Run({"--szs", "--counter-models", "--no-time", "--no-memory", Doc});
    EXPECT_EQ(Raced.Status, 1);
    EXPECT_EQ(Starting(Raced.Out, "% SZS"),
              (std::vector<std::string>{"% SZS status CounterSatisfiable for " + Name + "#1",
                                        "% SZS status Theorem for " + Name + "#2"}));
    EXPECT_EQ(Starting(Raced.Out, "Counter-model, domain size ").size(), 1u) << Raced.Out;
    EXPECT_EQ(Raced.Out.find(" YES.\nSolution to ¬q(b)"), std::string::npos)
        << "the refutation that did not hold is not shown";
    EXPECT_EQ(Raced.Err.rfind(Doc + ":2:1: the default mode's refutation of query 1 does not "
                                    "hold: it read the variable X",
                              0),
              0u)
        << Raced.Err;
    const TResult Plain = Run({"--no-time", "--no-memory", Doc});
    EXPECT_EQ(Plain.Out, "Solution to ¬p(a). \n[F2&F1] :  YES.\nSolution to ¬q(b). \n"
                         "[F2&F0] :  YES.\n");
    const TResult Sound = Run({"--szs", "--skolem", Doc});
    EXPECT_EQ(Sound.Err, "");
    EXPECT_EQ(Starting(Sound.Out, "% SZS").front(), "% SZS status GaveUp for " + Name + "#1");
    // A universal axiom is fine, and so is a free name of a query, which asks for a value;
    // a universal of the query becomes existential in its negation.
    const TResult Universal =
        Run({"--szs", Write("all.txt", "∀X [p(X)]. ?- ∃Y [p(Y)]. ?- p(Z). ?- ∀Y [p(Y)]. ")});
    EXPECT_EQ(
        Starting(Universal.Out, "% SZS"),
        (std::vector<std::string>{
            "% SZS status Theorem for ARefutationThatReadAnExistentialAsUniversalIsFlagged-all#1",
            "% SZS status Theorem for ARefutationThatReadAnExistentialAsUniversalIsFlagged-all#2",
            "% SZS status Unknown for "
            "ARefutationThatReadAnExistentialAsUniversalIsFlagged-all#3"}));
}

// A stop ends the report with a line saying why, then the closing time and memory lines.
TEST_F(Console, EveryStopIsSaidAndClosed)
{
    const std::string Doc = Write("endless.txt", Endless);
    const TResult Timed = Run({"--timeout", "0.2", "--strategy", "modified", Doc});
    EXPECT_EQ(Timed.Status, 3);
    std::vector<std::string> Tail = Lines(Timed.Out);
    ASSERT_GE(Tail.size(), 3u);
    Tail.erase(Tail.begin(), Tail.end() - 3);
    EXPECT_EQ(Tail[0], "Stopped: the time limit of 0.2 s was reached.");
    EXPECT_EQ(Tail[1].rfind("Solving time : ", 0), 0u);
    EXPECT_EQ(Tail[2].rfind("Total allocated for NIVAR: ", 0), 0u);
    const TResult Cpu = Run({"--cpu-limit=0.2", "--strategy", "modified", Doc});
    EXPECT_EQ(Cpu.Status, 3);
    EXPECT_EQ(Starting(Cpu.Out, "Stopped:"),
              std::vector<std::string>{"Stopped: the CPU time limit of 0.2 s was reached."});

    for (int Number : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(Number);
        TProver Prover({"--strategy", "modified", "--szs", Doc});
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Prover.Signal(Number);
        const TResult R = Prover.Wait();
        EXPECT_EQ(R.Status, 3);
        ASSERT_FALSE(R.Out.empty());
        EXPECT_EQ(R.Out.back(), '\n') << "no half line";
        EXPECT_EQ(Starting(R.Out, "Stopped:"),
                  std::vector<std::string>{Number == SIGTERM ? "Stopped: terminated (SIGTERM)."
                                                             : "Stopped: interrupted (SIGINT)."});
        EXPECT_EQ(
            Starting(R.Out, "% SZS"),
            std::vector<std::string>{"% SZS status User for EveryStopIsSaidAndClosed-endless"});
        EXPECT_EQ(Lines(R.Out).back().rfind("Total allocated for NIVAR: ", 0), 0u);
    }
}

// Skolem terms that double at each resolvent make one unification walk for minutes; a stop
// inside it is seen there, not at the next resolvent.
TEST_F(Console, AStopIsSeenInsideOneLongUnification)
{
    const std::string Doc =
        Write("doubling.txt", "?- ∃X, Y [∀Z [f(X, Z) → [f(Y, Z) → [[f(X, Y) ↔ f(Z, Z)] → "
                              "[[f(Y, X) ∨ f(Z, Z)] → [f(Z, X) ∨ f(Z, Y)]]]]]]. ");
    const auto Start = std::chrono::steady_clock::now();
    const TResult R = Run({"--skolem", "--timeout", "4", "--szs", "--no-progress", Doc});
    const std::chrono::duration<double> Took = std::chrono::steady_clock::now() - Start;
    EXPECT_EQ(R.Status, 3);
    EXPECT_EQ(Starting(R.Out, "Stopped:"),
              std::vector<std::string>{"Stopped: the time limit of 4 s was reached."});
    EXPECT_EQ(Starting(R.Out, "% SZS").size(), 1u);
    // A hang detector, not a measure: without the polls the run goes on for minutes.
    EXPECT_LT(Took.count(), 30);
}

TEST_F(Console, WriteFailuresAreErrors)
{
    const std::string Doc = Write("many.txt", "p(a). ∀X [p(X) → p(f(X))]. ?- q. ");
    TProver Closed({"--timeout", "5", "--strategy", "modified", Doc}, "", true);
    const TResult Pipe = Closed.Wait();
    EXPECT_EQ(Pipe.Status, 74);
    EXPECT_EQ(Pipe.Err, "nivar-prove: cannot write the report: Broken pipe\n");
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full here";
    const TResult Full = TProver({Examples("overview.txt")}, "", false, "/dev/full").Wait();
    EXPECT_EQ(Full.Status, 74);
    EXPECT_EQ(Full.Err, "nivar-prove: cannot write the report: No space left on device\n");
}

TEST_F(Console, FollowsUnixConventions)
{
    const TResult Version = Run({"--version"});
    EXPECT_EQ(Version.Status, 0);
    EXPECT_EQ(Version.Out.rfind("nivar-prove ", 0), 0u);
    const TResult Wrong = Run({"--frobnicate", "doc.txt"});
    EXPECT_EQ(Wrong.Status, 64);
    EXPECT_EQ(Wrong.Out, "");
    EXPECT_EQ(Wrong.Err, "nivar-prove: unknown option --frobnicate\n"
                         "Try 'nivar-prove --help'.\n");
    const TResult Help = Run({"--help"});
    EXPECT_EQ(Help.Out.find("Stop button"), std::string::npos);
    EXPECT_NE(Help.Out.find("74"), std::string::npos);

    const std::string Missing = ::testing::TempDir() + "/no-such-document.txt";
    EXPECT_EQ(Run({Missing}).Err,
              "nivar-prove: cannot read " + Missing + ": No such file or directory\n");
    const TResult Folder = Run({::testing::TempDir()});
    EXPECT_EQ(Folder.Status, 66);
    EXPECT_EQ(Folder.Err,
              "nivar-prove: cannot read " + ::testing::TempDir() + ": Is a directory\n");

    const TResult Stdin = Run({"--no-time", "--no-memory", "-"}, "p(a). ?- p(a). ");
    EXPECT_EQ(Stdin.Out, "Solution to ¬p(a). \n[F1&F0] :  YES.\n");

    const TResult Marked =
        Run({"--no-time", "--no-memory", Write("bom.txt", "\xEF\xBB\xBF∀X [p(X)]. ?- p(a). ")});
    EXPECT_EQ(Marked.Status, 0);
    EXPECT_EQ(Marked.Err, "");
    const std::string Stray = Write("stray.txt", "∀X [p(X)].\n?- p(\xFF).\n");
    const TResult Mixed = Run({Stray});
    EXPECT_EQ(Mixed.Status, 2);
    EXPECT_EQ(Mixed.Out, "");
    EXPECT_EQ(Mixed.Err, Stray + ":2:6: error: Byte 0xFF is not UTF-8, though the document "
                                 "writes its symbols in UTF-8.\n");
}

// Each example says in its first line which strategy proves it, and it does.
TEST_F(Console, EveryExampleIsProvedAsItSays)
{
    const std::pair<std::string, std::string> Buttons[] = {
        {"Linear", "linear"}, {"Breadth", "breadth"}, {"Modified", "modified"}, {"Best", "best"}};
    for (const char* Name :
         {"overview.txt", "socrates.txt", "arithmetic.txt", "equivalence.txt", "family.txt"}) {
        SCOPED_TRACE(Name);
        std::ifstream In(Console::Examples(Name));
        std::string First;
        std::getline(In, First);
        const std::string Lead = "% Prove with: ";
        ASSERT_EQ(First.rfind(Lead, 0), 0u) << First;
        std::string Strategy;
        for (const auto& [Button, Flag] : Buttons)
            if (First.compare(Lead.size(), Button.size(), Button) == 0)
                Strategy = Flag;
        ASSERT_FALSE(Strategy.empty()) << First;
        const TResult R = Run({"--szs", "--strategy", Strategy, Console::Examples(Name)});
        EXPECT_EQ(R.Status, 0);
        EXPECT_EQ(R.Err, "") << "no proof that the default mode may have got wrong";
    }
}

TEST_F(Console, ParseAndCompileListTheFormulas)
{
    const std::string Doc = Write("list.txt", "∀X [p(X) ↔ q(X)].\n?- q(1 + 2).\n");
    EXPECT_EQ(Run({"--parse", Doc}).Out, "F0 : [p(X)↔q(X)]. \nF1 : ?- q(3). \n");
    EXPECT_EQ(Run({"--compile", "--quantification", Doc}).Out,
              "F0 : ∀X[[p(X)→q(X)]∧[q(X)→p(X)]]. \nF1 : ?- q(3). \n");
    const TResult Bytes = Run({"--parse", "--bytes", Doc});
    EXPECT_EQ(Bytes.Out, "F0 : [p(X)\xF3q(X)]. \nF1 : ?- q(3). \n");
    EXPECT_EQ(Run({"--parse", Write("bad.txt", "p(a). q(")}).Status, 2);
}
} // namespace

// A TPTP problem is proved as Nivar's own document; equality is equality in the automatic
// mode, and the design's strategies want its axioms asked for.
TEST_F(Console, TptpProblemsGetTheirStatus)
{
    const std::string Theorem =
        Write("t.p", "% a comment\nfof(a1, axiom, ! [X] : (p(X) => q(X))).\n"
                     "fof('a 2', hypothesis, p(a)).\nfof(c, conjecture, q(a)).\n");
    const TResult Proved = Run({"--szs", "--skolem", Theorem});
    EXPECT_EQ(Proved.Status, 0);
    EXPECT_EQ(Starting(Proved.Out, "% SZS status"),
              std::vector<std::string>{"% SZS status Theorem for TptpProblemsGetTheirStatus-t"});
    const std::string Axioms = Write("u.p", "cnf(a, axiom, p(X)).\ncnf(b, axiom, ~ p(a)).\n");
    const TResult Unsat = Run({"--szs", "--skolem", "--strategy", "best", Axioms});
    EXPECT_EQ(
        Starting(Unsat.Out, "% SZS status"),
        std::vector<std::string>{"% SZS status Unsatisfiable for TptpProblemsGetTheirStatus-u"});
    EXPECT_EQ(Unsat.Err, "");
    const TResult Sat =
        Run({"--szs", "--skolem", "--counter-models", "--strategy", "best",
             Write("s.p", "cnf(a, axiom, p(X) | q(X)).\ncnf(b, axiom, ~ p(a)).\n")});
    EXPECT_EQ(Starting(Sat.Out, "% SZS status"),
              std::vector<std::string>{"% SZS status Satisfiable for TptpProblemsGetTheirStatus-s"})
        << "a model of the axioms";
    const TResult Linear = Run({"--szs", "--skolem", "--timeout", "1", Axioms});
    EXPECT_NE(Linear.Err.find("no conjecture and this strategy starts from the query"),
              std::string::npos)
        << "the linear strategies cannot refute axioms alone: the user is told";
    const std::string Equal =
        Write("e.p", "fof(e, axiom, a = b).\nfof(f, axiom, p(a)).\nfof(c, conjecture, p(b)).\n");
    const TResult Refused = Run({"--szs", "--skolem", Equal});
    EXPECT_EQ(Refused.Status, 2);
    EXPECT_EQ(Refused.Out, "% SZS status Inappropriate for TptpProblemsGetTheirStatus-e\n");
    EXPECT_NE(Refused.Err.find("--equality-axioms adds its axioms"), std::string::npos);
    const TResult WithAxioms =
        Run({"--szs", "--skolem", "--strategy", "best", "--equality-axioms", Equal});
    EXPECT_EQ(WithAxioms.Status, 0);
    // The automatic mode reads = as equality: a theorem, and a non-theorem whose clauses
    // saturate.
    const TResult Auto = Run({"--szs", Equal});
    EXPECT_EQ(Auto.Status, 0) << Auto.Out << Auto.Err;
    EXPECT_NE(Auto.Out.find("Refuted by superposition on the clause form"), std::string::npos);
    const TResult NotFollowing =
        Run({"--szs", Write("n.p", "fof(e, axiom, a = b).\nfof(c, conjecture, b = c).\n")});
    EXPECT_EQ(NotFollowing.Status, 1);
    EXPECT_EQ(Starting(NotFollowing.Out, "% SZS status"),
              std::vector<std::string>{
                  "% SZS status CounterSatisfiable for TptpProblemsGetTheirStatus-n"});
    const std::string Bad = Write("bad.p", "fof(a, axiom, p(a)).\nfof(b, axiom, p(a) & ).\n");
    const TResult Syntax = Run({"--szs", Bad});
    EXPECT_EQ(Syntax.Status, 2);
    EXPECT_EQ(Syntax.Err.rfind(Bad + ":2:22: error: ", 0), 0u) << Syntax.Err;
}

// Derivations and answers come after the status; the report above them stays as it is.
TEST_F(Console, DerivationsAndAnswersFollowTheStatus)
{
    const std::string Doc =
        Write("ans.txt", "p(a, b).\n∀X, Y [p(X, Y) → q(Y, X)].\n?- ∃U, V [q(U, V)].\n");
    const TResult Plain = Run({"--szs", "--skolem", "--no-time", Doc});
    const std::string Name = "DerivationsAndAnswersFollowTheStatus-ans";
    EXPECT_EQ(Starting(Plain.Out, "% SZS"),
              (std::vector<std::string>{"% SZS status Theorem for " + Name,
                                        "% SZS answers Tuple [[b, a]|_] for " + Name}));
    const TResult Proof = Run({"--szs", "--skolem", "--no-time", "--proof", "tstp", Doc});
    EXPECT_EQ(Proof.Status, 0);
    std::vector<std::string> Outside;
    std::vector<std::string> Inside;
    bool In = false;
    for (const std::string& L : Lines(Proof.Out)) {
        if (L == "% SZS output start Refutation for " + Name)
            In = true;
        (In ? Inside : Outside).push_back(L);
        if (L == "% SZS output end Refutation for " + Name)
            In = false;
    }
    // The derivation's bytes count among those used for the proof; nothing else changes.
    auto Memory = [](std::vector<std::string>& Report) {
        const auto It = std::find_if(Report.begin(), Report.end(), [](const std::string& L) {
            return L.rfind("Used memory for proof: ", 0) == 0;
        });
        if (It == Report.end())
            return -1L;
        const long Bytes = std::stol(It->substr(23));
        Report.erase(It);
        return Bytes;
    };
    std::vector<std::string> PlainLines = Lines(Plain.Out);
    const long Without = Memory(PlainLines);
    EXPECT_GT(Memory(Outside), Without);
    EXPECT_GT(Without, 0);
    EXPECT_EQ(Outside, PlainLines);
    ASSERT_GE(Inside.size(), 4u);
    EXPECT_EQ(Inside[Inside.size() - 2].rfind("fof(refutation, plain, $false, ", 0), 0u);
    const TResult Dot = Run({"--quantification", "--no-time", "--proof=dot", Doc});
    EXPECT_NE(Dot.Out.find("digraph \"" + Name + "\" {\n"), std::string::npos);
    // The default mode reads every quantifier as universal: its steps prove nothing.
    const TResult Refused = Run({"--proof", "tstp", Doc});
    EXPECT_EQ(Refused.Status, 64);
    EXPECT_EQ(Lines(Refused.Err).front(),
              "nivar-prove: --proof needs --skolem, --quantification or --auto: the default "
              "mode ignores quantifiers, so its steps need not follow from their parents");
}

// A counter-model search beside the proof: the first conclusive answer decides.
TEST_F(Console, ACounterModelAnswersANonTheorem)
{
    const std::string Doc =
        Write("mistake.txt", "∃Y [r(X, Y)].\n?- ∃X [r(X, X)].\n?- ∀X [∃Y [r(X, Y)]].\n");
    const std::string Name = "ACounterModelAnswersANonTheorem-mistake";
    for (const char* Flag : {"--counter-models", "--auto"}) {
        SCOPED_TRACE(Flag);
        const TResult R = Run({"--szs", "--skolem", "--no-time", "--no-memory", Flag, Doc});
        EXPECT_EQ(R.Status, 1) << "a query is not refuted";
        EXPECT_EQ(Starting(R.Out, "% SZS status"),
                  (std::vector<std::string>{"% SZS status CounterSatisfiable for " + Name + "#1",
                                            "% SZS status Theorem for " + Name + "#2"}));
        const std::vector<std::string> L = Lines(R.Out);
        ASSERT_GE(L.size(), 3u);
        EXPECT_EQ(L[0], "?- ∃X [r(X, X)].");
        EXPECT_EQ(L[1], "Counter-model, domain size 2:");
        EXPECT_EQ(L[2], "  r: {(0, 1), (1, 0)}.");
        EXPECT_EQ(R.Err, "");
    }
    // Without a proof search, and as a TPTP interpretation.
    const TResult Only =
        Run({"--szs", "--model-search", "--model", "tptp", "--max-domain=3", "--no-time", Doc});
    EXPECT_EQ(Starting(Only.Out, "% SZS"),
              (std::vector<std::string>{"% SZS status CounterSatisfiable for " + Name + "#1",
                                        "% SZS output start FiniteModel for " + Name + "#1",
                                        "% SZS output end FiniteModel for " + Name + "#1",
                                        "% SZS status GaveUp for " + Name + "#2"}));
    EXPECT_NE(Only.Out.find("No counter-model up to domain size 3."), std::string::npos);
    EXPECT_NE(Only.Out.find("fof(nivar_predicates, fi_predicates, (~ r(\"e0\", \"e0\") & "
                            "r(\"e0\", \"e1\") & r(\"e1\", \"e0\") & ~ r(\"e1\", \"e1\")))."),
              std::string::npos);
    EXPECT_EQ(Run({"--max-domain", "0", Doc}).Status, 64);
    EXPECT_EQ(Run({"--model", "xml", Doc}).Status, 64);
}

// A theorem keeps its proof; the model search of a stopped run ends with it.
TEST_F(Console, TheProofWinsATheoremAndStopsEndBoth)
{
    const TResult Proved =
        Run({"--szs", "--counter-models", "--no-time", "--no-memory", Examples("overview.txt")});
    EXPECT_EQ(Proved.Status, 0);
    EXPECT_EQ(Proved.Out, "Solution to ¬q(a). \nR0 [F2&F1] :  ¬p(a). \n[R0&F0] :  YES.\n"
                          "% SZS status Theorem for overview\n");
    // Neither answers: only infinite worlds have a successor for every element of a strict
    // order, and the query does not follow.
    const TResult Timed =
        Run({"--szs", "--skolem", "--counter-models", "--timeout", "0.5", "--strategy", "modified",
             Write("endless.txt", "∀X [¬r(X, X)].\n∀X, Y, Z [r(X, Y) ∧ r(Y, Z) → r(X, Z)].\n"
                                  "∀X [∃Y [r(X, Y)]].\n?- q.\n")});
    EXPECT_EQ(Timed.Status, 3);
    EXPECT_EQ(Starting(Timed.Out, "% SZS status"),
              std::vector<std::string>{
                  "% SZS status Timeout for TheProofWinsATheoremAndStopsEndBoth-endless"});
    EXPECT_NE(Timed.Out.find("Stopped: the time limit of 0.5 s was reached."), std::string::npos);
}
