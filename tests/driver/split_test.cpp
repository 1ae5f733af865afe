// Case splitting of queries in the automatic mode: the parts a query's connectives join, the
// cases that make it false, and the run that refutes them one by one.
#include "driver/split.h"
#include "support/prover.h"

namespace {
std::vector<std::string> Cases(std::string_view Query, int MaxCases = 64)
{
    std::vector<std::string> Out;
    for (const std::string& C : QueryCases(Bytes(Query), 12, MaxCases))
        Out.push_back(Utf8(C));
    return Out;
}

TEST(CaseSplit, EachCaseMakesTheQueryFalse)
{
    // An equivalence of two quantified parts is false in two ways.
    EXPECT_EQ(Cases("∀X [p(X) → r(X)] ↔ ∀Y [q(Y) → s(Y)]"),
              (std::vector<std::string>{"¬[[∀X [p(X) → r(X)]] ∧ ¬[∀Y [q(Y) → s(Y)]]]",
                                        "¬[¬[∀X [p(X) → r(X)]] ∧ [∀Y [q(Y) → s(Y)]]]"}));
    // The grammar's binding: ↔ weakest, then →, ∨, ∧; the one operand after a quantifier.
    EXPECT_EQ(Cases("∃X p(X) ∧ ∃Y q(Y) → ∃Z r(Z) ↔ ∃W s(W)").size(), 8u);
    EXPECT_EQ(Cases("∃X p(X) ∧ [∃Y q(Y) → ∃Z r(Z)]").size(), 5u);
    // A ground atom is a part too, and the same part written twice is one part.
    EXPECT_EQ(Cases("[a ∧ ∀X [p(X)]] ∨ [¬a ∧ ∀X [p(X)]] ∨ ∃Y [q(Y)]"),
              (std::vector<std::string>{"¬[¬[a] ∧ ¬[∀X [p(X)]] ∧ ¬[∃Y [q(Y)]]]",
                                        "¬[[a] ∧ ¬[∀X [p(X)]] ∧ ¬[∃Y [q(Y)]]]"}));
    // A connective inside a string is a character of it.
    EXPECT_EQ(Cases("∀X [p(X, \"a ∧ [b\")] ↔ ∃Y [q(Y, \"] →\")]").size(), 2u);
}

TEST(CaseSplit, QuantifiersMoveInwardsOverTheirOwnConnective)
{
    // ∀ over ∧ and ∃ over ∨ give a part each; a variable not used by a part leaves it.
    EXPECT_EQ(Cases("∀X, Y [p(X) ∧ q(Y)] ↔ ∃Z [r(Z) ∨ s]"),
              (Cases("[∀X [p(X)] ∧ ∀Y [q(Y)]] ↔ [∃Z [r(Z)] ∨ s]")));
    EXPECT_EQ(Cases("∀X [p(X) ∧ q(X)] ↔ ∀Y [r(Y)]").size(), 4u) << "three parts";
    // ∀ over ∨, and a prefix of both kinds, stay whole.
    EXPECT_EQ(Cases("∀X [p(X) ∨ q(X)] ↔ ∃Y [r(Y)]").size(), 2u);
    EXPECT_EQ(Cases("∀X ∃Y [p(X) ∧ q(Y)] ↔ ∀Z [r(Z)]").size(), 2u);
}

TEST(CaseSplit, QueriesThatStayWhole)
{
    // A free variable is the query's answer; one quantified part gives nothing to split.
    EXPECT_TRUE(Cases("∀X [p(X, Y)] ↔ ∀Z [q(Z)]").empty());
    EXPECT_TRUE(Cases("p(Y) ↔ ∀Z [q(Z)] ∧ ∃W [r(W)]").empty());
    EXPECT_TRUE(Cases("a ↔ ∀Z [q(Z)]").empty());
    EXPECT_TRUE(Cases("∃X [p(X) ∧ ∀Y [q(Y)]]").empty());
    // One case only, no case (true by its connectives), too many cases, unreadable text.
    EXPECT_TRUE(Cases("∀X [p(X)] ∨ ∀Y [q(Y)]").empty());
    EXPECT_TRUE(Cases("∀X [p(X)] ∨ ¬∀X [p(X)] ∨ ∃Y [q(Y)]").empty());
    EXPECT_TRUE(Cases("∃X p(X) ∧ ∃Y q(Y) → ∃Z r(Z) ↔ ∃W s(W)", 7).empty());
    EXPECT_TRUE(Cases("∀X [p(X)] ↔ [∀Y [q(Y)]").empty());
    EXPECT_TRUE(Cases("∀X [p(X)] ↔ ∀ [q(Y)]").empty());
    // What the language does not read stays as written, so its error is shown where it is.
    EXPECT_TRUE(Cases("∀X [p(X)] ↔ ∀Y [q(Y,)]").empty());
    EXPECT_TRUE(Cases("∀X [p(X)] ↔ ∀Y [q(Y) r]").empty());
    EXPECT_TRUE(Cases("∀X [p(X)] ↔ ∀Y [q(\"Y)]").empty());
    // A query too large to split is read no further, however long its chains.
    std::string Long = "∀X [p(X)] ↔ ∀Y [q(Y)]";
    for (int I = 0; I < 20000; ++I)
        Long += " ∧ ∃Z [r(Z)]";
    EXPECT_TRUE(Cases(Long).empty());
}

TEST(CaseSplit, TheDocumentKeepsEverythingElse)
{
    const std::string Doc = Bytes("p(a). % a fact\n?- p(a).\n∀X [q(X)].\n"
                                  "?- ∀X [q(X)] ↔ ∀Y [p(Y) → q(Y)].\nr(b). ?- r(b). ");
    const TSplitText S = SplitQueries(Doc);
    ASSERT_TRUE(S.Changed);
    EXPECT_EQ(Utf8(S.Text), "p(a). % a fact\n?- p(a).\n∀X [q(X)].\n"
                            "?- ¬[[∀X [q(X)]] ∧ ¬[∀Y [p(Y) → q(Y)]]].\n"
                            "\n?- ¬[¬[∀X [q(X)]] ∧ [∀Y [p(Y) → q(Y)]]].\n"
                            "\nr(b). ?- r(b). ");
    std::vector<std::string> Queries;
    for (const TCaseQuery& Q : S.Queries)
        Queries.push_back(std::to_string(Q.Query) + ":" + std::to_string(Q.Case) + "/" +
                          std::to_string(Q.Cases));
    EXPECT_EQ(Queries, (std::vector<std::string>{"1:1/1", "2:1/2", "2:2/2", "3:1/1"}));
    // Places after a split query are the document's own again.
    const std::size_t InText = S.Text.find("r(b)");
    EXPECT_EQ(S.Original(InText), Doc.find("r(b)"));
    EXPECT_EQ(S.Original(3), 3u);
    EXPECT_FALSE(SplitQueries(Bytes("p. ?- p. ")).Changed);
}

class SplitRuns : public TProverTest {};

TEST_F(SplitRuns, EveryCaseIsRefutedAndTheQueryIsToldOnce)
{
    // Pelletier's problem 26, by the automatic mode and by best-first search.
    for (TStrategy Strategy : {TStrategy::Auto, TStrategy::BestFirst1}) {
        Set(TOption::Skolem1);
        const auto Report = Run("∃X [p(X)] ↔ ∃Y [q(Y)].\n"
                                "∀X, Y [[p(X) ∧ q(Y)] → [r(X) ↔ s(Y)]].\n"
                                "?- ∀X [p(X) → r(X)] ↔ ∀Y [q(Y) → s(Y)].\n?- p(a) ∨ ¬p(a).\n",
                                Strategy);
        EXPECT_EQ(Report.front(),
                  "The query is split into 2 cases by its connectives; each is refuted in turn.");
        EXPECT_EQ(CountLines(Report, "Case 1 of 2:"), 1);
        EXPECT_EQ(CountLines(Report, "Case 2 of 2:"), 1);
        EXPECT_EQ(CountLines(Report, "All 2 cases refuted."), 1);
        ASSERT_EQ(Owner.Outcomes.size(), 2u);
        EXPECT_EQ(Owner.Outcomes[0].Number, 1);
        EXPECT_TRUE(Owner.Outcomes[0].Refuted);
        EXPECT_EQ(Owner.Outcomes[1].Number, 2);
        EXPECT_EQ(QueriesEvaluated, 2);
        EXPECT_EQ(QueriesRefuted, 2);
    }
    // The design's strategies take the query whole.
    const auto Linear = Run("?- ∀X [p(X)] ↔ ∀Y [p(Y)].\n", TStrategy::Linear);
    EXPECT_EQ(CountLines(Linear, "Case 1 of 2:"), 0);
}

TEST_F(SplitRuns, ACaseNotRefutedLosesTheQueryAndTheRestAreNotTried)
{
    // Not a theorem: the second case, ∀X p(X) and not ∀Y q(Y), has a model. The search of the
    // first case ends at once; the second one is stopped.
    Owner.StopAt = 3000;
    const auto Report = Run("∀X [q(X)].\n?- ∀X [p(X)] ↔ ∀Y [q(Y)] ∧ ∃Z [r(Z)].\n", TStrategy::Auto);
    EXPECT_EQ(QueriesRefuted, 0);
    ASSERT_EQ(Owner.Outcomes.size(), 1u) << "the query is told once";
    EXPECT_EQ(Owner.Outcomes[0].Number, 1);
    EXPECT_FALSE(Owner.Outcomes[0].Refuted);
    EXPECT_EQ(CountLines(Report, "All 3 cases refuted."), 0);
}

TEST_F(SplitRuns, AnErrorAfterASplitQueryIsWhereTheUserWroteIt)
{
    const std::string Doc = "∀X [q(X)].\n?- ∀X [q(X)] ↔ ∀Y [q(Y) ∨ p(Y)].\np(a) q(b).\n";
    Run(Doc, TStrategy::Auto);
    EXPECT_EQ(Owner.TakeMessages(), std::vector<std::string>{"Missing operator."});
    Run(Doc, TStrategy::Linear);
    const std::int32_t Expected = Owner.Caret;
    Run(Doc, TStrategy::Auto);
    EXPECT_EQ(Owner.Caret, Expected);
    EXPECT_GT(Expected, 0);
}
} // namespace
