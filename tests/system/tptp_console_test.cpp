// TPTP problems through nivar-prove as their users and attackers run them: names, limits,
// answers and derivations.
#include "support/console.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <thread>

namespace {
class TptpConsole : public TConsoleTest {
protected:
    static std::string Status(const TResult& R)
    {
        const std::vector<std::string> S = Starting(R.Out, "% SZS status ");
        return S.empty() ? "" : S.front().substr(13, S.front().find(" for ") - 13);
    }
};

// A name the reader makes for a quoted name, a number or its own helpers is no name a user
// can write: each of these is a non-theorem.
TEST_F(TptpConsole, ARenamedNameIsNoOtherName)
{
    const std::pair<const char*, const char*> Rows[] = {
        {"fof(a, axiom, p('The C')).\nfof(g, conjecture, p(q_The_20C)).\n", "CounterSatisfiable"},
        {"fof(a, axiom, p(2.5)).\nfof(g, conjecture, p(n_2_5)).\n", "CounterSatisfiable"},
        {"fof(a, axiom, p(2.5)).\nfof(g, conjecture, p(n_2_2e5)).\n", "CounterSatisfiable"},
        {"fof(a, axiom, p(\"x y\")).\nfof(g, conjecture, p(s_x_20y)).\n", "CounterSatisfiable"},
        {"fof(a, axiom, p(\"a.b\")).\nfof(g, conjecture, p(q_d_5fa_2eb)).\n", "CounterSatisfiable"},
        {"fof(a, axiom, nivar_goal).\n", "Satisfiable"},
        {"fof(a, axiom, ~ nivar_true).\nfof(b, axiom, $true).\n", "Satisfiable"},
        {"fof(a, axiom, p('The C')).\nfof(g, conjecture, p('The C')).\n", "Theorem"},
        {"fof(a, axiom, p('abc')).\nfof(g, conjecture, p(abc)).\n", "Theorem"},
    };
    for (const auto& [Problem, Expected] : Rows) {
        SCOPED_TRACE(Problem);
        EXPECT_EQ(Status(Run({"--auto", "--szs", Write("names.p", Problem)})), Expected);
    }
}

// Derivations and models show the names of the file; a Skolem function gets a name the file
// does not use, and the reader's helpers appear nowhere.
TEST_F(TptpConsole, WhatTheUserReadsHasTheFilesNames)
{
    const std::string Problem =
        Write("shown.p", "fof(a, axiom, p('The C', \"x y\", 2.5, sk1)).\n"
                         "fof(b, axiom, ! [X] : (p(X, \"x y\", 2.5, sk1) => ? [Y] : q(X, Y))).\n"
                         "fof(t, axiom, $true).\n"
                         "fof(g, conjecture, ? [Z] : q('The C', Z)).\n");
    const TResult Proved = Run({"--auto", "--szs", "--proof", "tstp", Problem});
    ASSERT_EQ(Status(Proved), "Theorem");
    std::string Derivation;
    bool In = false;
    for (const std::string& L : Lines(Proved.Out)) {
        In = In || L.rfind("% SZS output start", 0) == 0;
        if (In)
            Derivation += L + "\n";
    }
    EXPECT_NE(Derivation.find("p('The C', \"x y\", 2.5, sk1)"), std::string::npos) << Derivation;
    EXPECT_NE(Derivation.find("q(X, sk1_1(X))"), std::string::npos) << Derivation;
    for (const char* Internal : {"q_", "n_", "sk#", "nivar_"})
        EXPECT_EQ(Derivation.find(Internal), std::string::npos) << Internal << "\n" << Derivation;
    EXPECT_TRUE(Starting(Proved.Out, "% SZS answers").empty())
        << "a Skolem term is no answer in the problem's symbols";

    // Numbers and distinct objects are elements of their own, written as themselves; the other
    // elements get names that none of them has.
    const TResult Model =
        Run({"--auto", "--szs", "--model", "tptp",
             Write("model.p", "fof(t, axiom, $true).\nfof(a, axiom, p(\"a.b\") & p(2.5)).\n"
                              "fof(b, axiom, p(\"e3\") & ~ p('The C')).\n")});
    ASSERT_EQ(Status(Model), "Satisfiable");
    EXPECT_EQ(Starting(Model.Out, "fof("),
              (std::vector<std::string>{
                  "fof(nivar_domain, fi_domain, ! [X] : (X = \"a.b\" | X = 2.5 | X = \"e3\" | "
                  "X = \"e3_\")).",
                  "fof(nivar_functors, fi_functors, ('The C' = \"e3_\")).",
                  "fof(nivar_predicates, fi_predicates, (p(\"a.b\") & p(2.5) & p(\"e3\") & "
                  "~ p(\"e3_\"))).",
              }));
    EXPECT_EQ(Starting(Model.Out, "  "),
              (std::vector<std::string>{"  \"a.b\" = 0.  2.5 = 1.  \"e3\" = 2.  'The C' = 3.",
                                        "  p: {0, 1, 2}."}))
        << "the report's block names them as the file does";
}

// Nesting the reader's recursion cannot take, and includes that are no readable file, are
// errors at their place, as in Nivar's own language.
TEST_F(TptpConsole, NoInputCrashesTheReader)
{
    const std::string Deep(200000, '~');
    const std::string Brackets = std::string(200000, '(') + "p" + std::string(200000, ')');
    for (const std::string& Formula :
         {Deep + "p", Brackets, "p(" + std::string(100000, 'f') + ")", "! [X] : " + Deep + "p"}) {
        std::string Text = Formula;
        if (Formula[2] == 'f') { // a term nested as deep
            Text = "p(";
            for (int I = 0; I < 100000; ++I)
                Text += "f(";
            Text += "a" + std::string(100001, ')');
        }
        const TResult R = Run({"--szs", Write("deep.p", "fof(a, axiom, " + Text + ").\n")});
        EXPECT_EQ(R.Status, 2);
        EXPECT_NE(R.Err.find(":1:"), std::string::npos) << R.Err;
        EXPECT_NE(R.Err.find(": error: Expression nested too deeply."), std::string::npos) << R.Err;
        EXPECT_EQ(Status(R), "SyntaxError");
    }
    // As deep as a person writes is read.
    const std::string Nested = std::string(500, '~') + "p";
    EXPECT_EQ(Status(Run({"--szs", Write("nested.p", "fof(a, axiom, p).\nfof(c, conjecture, " +
                                                         Nested + ").\n")})),
              "Theorem");

    const std::string Folder = ::testing::TempDir() + "/nivar-include-folder";
    std::filesystem::create_directories(Folder + "/Axioms");
    std::ofstream(Folder + "/folder.p") << "fof(a, axiom, p).\n  include('Axioms').\n";
    std::ofstream(Folder + "/missing.p") << "include('Axioms/none.ax').\n";
    const TResult Dir = Run({"--szs", Folder + "/folder.p"});
    EXPECT_EQ(Dir.Status, 2);
    EXPECT_EQ(Dir.Err, Folder + "/folder.p:2:11: error: cannot read the included file 'Axioms': "
                                "Is a directory\n");
    EXPECT_EQ(Status(Dir), "SyntaxError");
    const TResult None = Run({Folder + "/missing.p"});
    EXPECT_EQ(None.Status, 2);
    EXPECT_EQ(None.Err, Folder + "/missing.p:1:9: error: cannot read the included file "
                                 "'Axioms/none.ax': No such file or directory (looked beside "
                                 "the file)\n");
    std::filesystem::remove_all(Folder);
}

// The limits and the stop signals hold while the input is read and parsed: a stream without
// end, a FIFO without a writer, a long comment.
TEST_F(TptpConsole, LimitsHoldWhileTheInputIsRead)
{
    const auto Start = std::chrono::steady_clock::now();
    const TResult Zero = Run({"--szs", "--timeout", "20", "--memory-limit", "100", "/dev/zero"});
    EXPECT_EQ(Zero.Status, 3);
    EXPECT_EQ(Starting(Zero.Out, "Stopped:"),
              std::vector<std::string>{"Stopped: the proof ran out of memory (limit 100 MB)."});
    EXPECT_EQ(Starting(Zero.Out, "% SZS"),
              std::vector<std::string>{"% SZS status MemoryOut for zero"});

    const TResult Included =
        Run({"--szs", "--memory-limit", "100", Write("endless.p", "include('/dev/zero').\n")});
    EXPECT_EQ(Included.Status, 3);
    EXPECT_EQ(Status(Included), "MemoryOut");

    const std::string Fifo = ::testing::TempDir() + "/nivar-fifo-" +
                             std::to_string(::testing::UnitTest::GetInstance()->random_seed());
    std::remove(Fifo.c_str());
    ASSERT_EQ(mkfifo(Fifo.c_str(), 0600), 0);
    const TResult Waiting = Run({"--szs", "--timeout", "1", Fifo});
    EXPECT_EQ(Waiting.Status, 3);
    EXPECT_EQ(Starting(Waiting.Out, "Stopped:"),
              std::vector<std::string>{"Stopped: the time limit of 1 s was reached."});
    TProver Signalled({"--szs", Fifo});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Signalled.Signal(SIGTERM);
    const TResult Terminated = Signalled.Wait();
    EXPECT_EQ(Terminated.Status, 3);
    EXPECT_EQ(Starting(Terminated.Out, "Stopped:"),
              std::vector<std::string>{"Stopped: terminated (SIGTERM)."});
    std::remove(Fifo.c_str());

    const std::string Comment = "% " + std::string(98, 'x') + "\n";
    std::string Long;
    for (int I = 0; I < 200000; ++I)
        Long += Comment;
    const TResult Commented =
        Run({"--timeout", "1", "--memory-limit", "50", Write("comments.txt", Long + "p. ?- p.\n")});
    EXPECT_EQ(Commented.Status, 3);
    EXPECT_EQ(Starting(Commented.Out, "Stopped:").size(), 1u);
    // A hang detector, not a measure: without the limits the runs above never end.
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count(), 60);
}

// An error of the prover's own reading of a TPTP formula is told at that formula in the file;
// a formula too large to hold is out of a resource, not written wrong.
TEST_F(TptpConsole, ErrorsStandAtTheFormulaOfTheFile)
{
    std::string Chain = "p0";
    for (int I = 1; I < 40; ++I)
        Chain = "(p" + std::to_string(I) + " <=> " + Chain + ")";
    const std::string Big = Write("big.p", "% a comment\nfof(a, axiom, p0).\n\n  fof(big, axiom, " +
                                               Chain + ").\nfof(c, conjecture, q).\n");
    const TResult R = Run({"--szs", "--quantification", Big});
    EXPECT_EQ(R.Status, 3);
    EXPECT_EQ(R.Err, Big + ":4:3: error: Formula too large.\n");
    EXPECT_EQ(Starting(R.Out, "% SZS"),
              std::vector<std::string>{
                  "% SZS status ResourceOut for ErrorsStandAtTheFormulaOfTheFile-big"});
    // The default mode's doubt names the formula of the file too.
    const std::string Doubt =
        Write("doubt.p", "fof(a, axiom, p(a)).\n\n fof(e, axiom, ? [X] : p(X)).\n"
                         "fof(c, conjecture, p(b)).\n");
    const TResult D = Run({"--szs", "--strategy", "linear", Doubt});
    EXPECT_NE(D.Err.find(Doubt + ":3:2: warning:"), std::string::npos) << D.Err;
}

// A TPTP problem without a search option is proved in the automatic mode; a Nivar document
// keeps the design's defaults, and any search option takes over.
TEST_F(TptpConsole, TptpProblemsGetTheAutomaticMode)
{
    const std::string Symmetry =
        "fof(a, axiom, e(a, b)).\nfof(s, axiom, ! [X, Y] : (e(X, Y) => e(Y, X))).\n"
        "fof(c, conjecture, e(b, a)).\n";
    const TResult Auto = Run({"--szs", Write("symmetry.p", Symmetry)});
    EXPECT_EQ(Auto.Status, 0);
    EXPECT_EQ(Status(Auto), "Theorem");
    EXPECT_EQ(Starting(Auto.Out, "Refuted by ").size(), 1u) << Auto.Out;
    const TResult Linear = Run({"--szs", "--strategy", "linear", Write("symmetry.p", Symmetry)});
    EXPECT_TRUE(Starting(Linear.Out, "Refuted by ").empty()) << "the option takes over";
    const TResult Native = Run({Write("symmetry.txt", "e(a, b). ∀X, Y [e(X, Y) → e(Y, X)]. "
                                                      "?- e(b, a). ")});
    EXPECT_TRUE(Starting(Native.Out, "Refuted by ").empty()) << "the design's defaults";
    // Derivations need no mode option for a TPTP problem; --model tptp says when it does
    // nothing.
    EXPECT_EQ(Run({"--proof", "tstp", Write("symmetry.p", Symmetry)}).Status, 0);
    EXPECT_EQ(Run({"--proof", "tstp", Write("symmetry.txt", "p. ?- p. ")}).Status, 64);
    const TResult Useless = Run({"--model", "tptp", Write("plain.txt", "p. ?- p. ")});
    EXPECT_NE(Useless.Err.find("warning: --model tptp"), std::string::npos) << Useless.Err;
}

// The CPU limit bounds the whole run, the model search's process included, and a stop lands
// in every phase of the model search (grounding, solving) within a fraction of a second.
TEST_F(TptpConsole, OneCpuLimitForTheWholeRun)
{
    // A non-theorem whose models are infinite: neither the proof nor the model search ends.
    const std::string Endless =
        Write("endless.p",
              "fof(irr, axiom, ! [X] : ~ r(X, X)).\n"
              "fof(tr, axiom, ! [X, Y, Z] : ((r(X, Y) & r(Y, Z)) => r(X, Z))).\n"
              "fof(ser, axiom, ! [X] : r(X, f(X))).\n"
              "fof(a1, axiom, ! [X, Y, Z] : (t(g(X, Y, Z), h(Y, Z, X), g(Z, X, Y), X) | "
              "s(f(X), g(X, X, Y)))).\n"
              "fof(a2, axiom, ! [X, Y, Z, U] : (t(X, Y, Z, U) => (s(g(Y, U, X), h(X, Z, U)) | "
              "~ s(X, Z)))).\n"
              "fof(c, conjecture, ? [X] : q(X)).\n");
    double Most = 0;
    for (int Run = 0; Run < 3; ++Run)
        for (const std::vector<std::string>& Mode : std::vector<std::vector<std::string>>{
                 {"--auto"}, {"--model-search", "--max-domain", "12"}}) {
            std::vector<std::string> Args = Mode;
            for (const char* A : {"--szs", "--cpu-limit", "1"})
                Args.push_back(A);
            Args.push_back(Endless);
            const TResult R = this->Run(Args);
            EXPECT_EQ(R.Status, 3);
            EXPECT_EQ(Status(R), "Timeout");
            Most = std::max(Most, R.CpuSeconds);
        }
    // A margin for the process's start and end (and the sanitizer's slower ones), far below
    // the two limits' worth that a process each would take, and the seconds of a grounding
    // that does not ask.
    EXPECT_LT(Most, 1.8);
}

#ifdef NIVAR_PROVE_STATIC
// The archive for competition and cluster harnesses: unpacked in an empty folder, its run
// script proves a problem within the harness's limits, with a program that loads no shared
// library.
TEST_F(TptpConsole, TheHarnessArchiveRunsInAnEmptyFolder)
{
    namespace fs = std::filesystem;
    const fs::path Dir = fs::path(::testing::TempDir()) / "nivar-harness";
    fs::remove_all(Dir);
    fs::create_directories(Dir / "unpacked");
    const std::string Archive = (Dir / "nivar.tgz").string();
    ASSERT_EQ(std::system((std::string(NIVAR_PACK_SCRIPT) + " " + NIVAR_PROVE_STATIC + " " +
                           Archive + " > /dev/null")
                              .c_str()),
              0);
    ASSERT_EQ(std::system(("tar -C " + (Dir / "unpacked").string() + " -xzf " + Archive).c_str()),
              0);
    // A statically linked program has no interpreter to load shared libraries.
    std::ifstream Program(Dir / "unpacked" / "bin" / "nivar-prove", std::ios::binary);
    const std::string Head((std::istreambuf_iterator<char>(Program)), {});
    EXPECT_EQ(Head.find("/lib64/ld-linux"), std::string::npos);
    EXPECT_EQ(Head.find("libQt"), std::string::npos);
    const std::string Problem = Write("harness.p", "fof(a, axiom, p(a)).\n"
                                                   "fof(c, conjecture, ? [X] : p(X)).\n");
    const std::string Run = "cd " + (Dir / "unpacked").string() +
                            " && env STAREXEC_CPU_LIMIT=20 STAREXEC_WALLCLOCK_LIMIT=20 "
                            "STAREXEC_MAX_MEM=2000 bin/starexec_run_auto " +
                            Problem + " 2>&1";
    std::string Out;
    if (FILE* Pipe = popen(Run.c_str(), "r")) {
        char Buf[4096];
        while (std::size_t N = fread(Buf, 1, sizeof Buf, Pipe))
            Out.append(Buf, N);
        EXPECT_EQ(pclose(Pipe), 0) << Out;
    }
    EXPECT_NE(Out.find("% SZS status Theorem for TheHarnessArchiveRunsInAnEmptyFolder-harness"),
              std::string::npos)
        << Out;
    fs::remove_all(Dir);
}
#endif
} // namespace
