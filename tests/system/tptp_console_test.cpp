// TPTP problems through nivar-prove as their users and attackers run them: names, limits,
// answers and derivations.
#include "support/console.h"

#include <gtest/gtest.h>

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
} // namespace
