// Counter-models: the grounding of each connective and quantifier, functions, the symmetry
// breaking, the check of every model, stops, and the report block.
#include "driver/models.h"
#include "driver/run.h"
#include "language/codec.h"
#include "language/tptp.h"
#include "model/runstate.h"
#include "model/tptpnames.h"
#include "support/prover.h"

#include <algorithm>

namespace {
class CounterModels : public TProverTest {
protected:
    // The model search of a document: its report, time lines off.
    std::vector<std::string> Search(std::string_view Document, int MaxDomain = 8)
    {
        Set(TOption::Time, false);
        Owner.Text = Bytes(Document);
        Owner.ClearOutput();
        LastOutcome = RunModelSearch(Program, MaxDomain);
        std::vector<std::string> Out;
        for (const std::string& Line : Owner.Lines)
            Out.push_back(Utf8(Line));
        return Out;
    }

    // Whether the search of the document's only query finds a model.
    bool Found(std::string_view Document)
    {
        Search(Document);
        EXPECT_EQ(Owner.Outcomes.size(), 1u) << Document;
        return !Owner.Outcomes.empty() && Owner.Outcomes[0].CounterSatisfiable;
    }

    // The compiled formulas of a document, simplified or not, kept until the test ends.
    std::vector<TFALFormula*> Formulas(const std::vector<std::string_view>& Texts, bool Simplify)
    {
        Set(TOption::Quant1);
        std::vector<TFALFormula*> Out;
        for (std::string_view T : Texts)
            Out.push_back(Keep(Simplify ? Compiled(T) : Compile(T)));
        return Out;
    }
};

TEST_F(CounterModels, EachConnectiveAndQuantifierIsGroundedByItsMeaning)
{
    // Theorems have no counter-model; the others have one.
    const std::pair<const char*, bool> Rows[] = {
        {"?- p ∨ ¬p. ", false},
        {"p ∧ q. ?- p. ", false},
        {"p ∨ q. ?- p. ", true},
        {"p → q. p. ?- q. ", false},
        {"p → q. q. ?- p. ", true},
        {"p ↔ q. ?- q. ", true},
        {"p ↔ q. p. ?- q. ", false},
        {"∀X [p(X)]. ?- p(a). ", false},
        {"∃X [p(X)]. ?- p(a). ", true},
        {"∃X [p(X)]. ?- ∃Y [p(Y)]. ", false},
        {"¬∀X [p(X)]. ?- ¬p(a). ", true},
        {"¬∃X [p(X)]. ?- ¬p(a). ", false},
        {"∀X ∃Y [r(X, Y)]. ?- ∃Y ∀X [r(X, Y)]. ", true},
        {"∃Y ∀X [r(X, Y)]. ?- ∀X ∃Y [r(X, Y)]. ", false},
        // A free name is universal, outside every quantifier of its formula.
        {"∃Y [r(X, Y)]. ?- ∃X [r(X, X)]. ", true},
        {"r(X, X). ?- ∃Y [r(a, Y)]. ", false},
        {"?- p(X). ", true},
    };
    for (const auto& [Document, Model] : Rows)
        EXPECT_EQ(Found(Document), Model) << Document;
}

TEST_F(CounterModels, FunctionsOfEveryArity)
{
    EXPECT_FALSE(Found("p(a). ∀X [p(X) → p(f(X))]. ?- p(f(f(a))). "));
    EXPECT_TRUE(Found("p(a). ?- p(f(a)). "));
    EXPECT_FALSE(Found("∀X, Y [q(g(X, Y))]. ?- ∃Z [q(Z)]. "));
    EXPECT_TRUE(Found("∀X, Y [q(g(X, Y))]. ?- q(a). "));
    // Nested terms under quantifiers: g(f(X), X) takes one value for each X.
    EXPECT_FALSE(Found("∀X [q(g(f(X), X))]. ?- q(g(f(a), a)). "));
    EXPECT_TRUE(Found("∀X [q(g(f(X), X))]. ?- q(g(a, f(a))). "));
    // Numbers and strings are distinct elements; arithmetic is folded first.
    EXPECT_TRUE(Found("p(1). ?- p(2). "));
    EXPECT_FALSE(Found("p(1 + 2). ?- p(3). "));
    EXPECT_TRUE(Found("p(\"a\"). ?- p(\"b\"). "));
}

// = is the identity of elements, ≠ its negation: no axioms needed, and no table of its own.
TEST_F(CounterModels, EqualityIsIdentity)
{
    const std::pair<const char*, bool> Rows[] = {
        {"a = b. ?- b = c. ", true},
        {"a = b. ?- b = a. ", false},
        {"a = b. b = c. ?- a = c. ", false},
        {"?- ∀X [X = X]. ", false},
        {"a = b. p(a). ?- p(b). ", false},
        {"a = b. ?- f(a) = f(b). ", false},
        {"a = b. ?- f(a) ≠ f(b). ", true},
        {"f(a) ≠ f(b) ∨ p. ?- p ∨ a ≠ b. ", false},
        {"1 ≠ 2. ?- 1 = 2. ", true},
        {"?- 1 ≠ 2. ", false},
        // Every element is a or b: a domain of two at most.
        {"∀X [X = a ∨ X = b]. ?- ∀X, Y, Z [X = Y ∨ Y = Z ∨ X = Z]. ", false},
        {"∀X [X = a ∨ X = b ∨ X = c]. ?- ∀X, Y, Z [X = Y ∨ Y = Z ∨ X = Z]. ", true},
        // The group where every element is its own inverse is commutative.
        {"∀X [m(e, X) = X]. ∀X [m(X, X) = e]. "
         "∀X, Y, Z [m(m(X, Y), Z) = m(X, m(Y, Z))]. ?- ∀X, Y [m(X, Y) = m(Y, X)]. ",
         false},
        {"∀X [m(e, X) = X]. ∀X, Y, Z [m(m(X, Y), Z) = m(X, m(Y, Z))]. "
         "?- ∀X, Y [m(X, Y) = m(Y, X)]. ",
         true},
    };
    for (const auto& [Document, Model] : Rows)
        EXPECT_EQ(Found(Document), Model) << Document;
    const std::vector<std::string> Report = Search("a = b. ?- b = c. ");
    EXPECT_NE(std::find(Report.begin(), Report.end(), "  a = 0.  b = 0.  c = 1."), Report.end());
    for (const std::string& Line : Report)
        EXPECT_EQ(Line.find("=:"), std::string::npos) << "no table for =: " << Line;
}

TEST_F(CounterModels, TheReportBlock)
{
    EXPECT_EQ(Search("∃Y [r(X, Y)].\n?- ∃X [r(X, X)].\n"),
              (std::vector<std::string>{
                  "?- ∃X [r(X, X)].", "Counter-model, domain size 2:", "  r: {(0, 1), (1, 0)}."}));
    // Values forced by the formulas: the block is the one model there is.
    EXPECT_EQ(Search("p(a).\n¬p(f(a)).\n¬p(f(f(a))).\n?- q.\n"),
              (std::vector<std::string>{"?- q.", "Counter-model, domain size 2:",
                                        "  a = 0.  f(0) = 1.  f(1) = 1.", "  p: {0}.  q: false."}));
    EXPECT_EQ(Search("p ∨ q.\n?- p.\n"),
              (std::vector<std::string>{"?- p.",
                                        "Counter-model, domain size 1:", "  p: false.  q: true."}));
    EXPECT_EQ(Search("p(a).\n?- p(a).\n?- p(b).\n", 3),
              (std::vector<std::string>{
                  "?- p(a).", "No counter-model up to domain size 3.", "?- p(b).",
                  "Counter-model, domain size 2:", "  a = 0.  b = 1.", "  p: {0}."}));
    ASSERT_EQ(Owner.Outcomes.size(), 2u);
    EXPECT_FALSE(Owner.Outcomes[0].CounterSatisfiable);
    EXPECT_TRUE(Owner.Outcomes[1].CounterSatisfiable);
    EXPECT_EQ(Owner.Outcomes[1].Number, 2);
    EXPECT_EQ(Owner.Outcomes[1].Model,
              (std::vector<std::string>{
                  "fof(nivar_domain, fi_domain, ! [X] : (X = \"e0\" | X = \"e1\")).",
                  "fof(nivar_functors, fi_functors, (a = \"e0\" & b = \"e1\")).",
                  "fof(nivar_predicates, fi_predicates, (p(\"e0\") & ~ p(\"e1\"))).",
              }));
}

// The least-number heuristic: the i-th constant takes an element some constant before it has,
// or the first new one.
TEST_F(CounterModels, ConstantsTakeTheLeastNewElement)
{
    const auto F = Formulas({"p(a). ", "¬p(b). ", "q(c). ", "¬q(b). ", "¬p(c). ", "?- r. "}, true);
    const auto Originals =
        Formulas({"p(a). ", "¬p(b). ", "q(c). ", "¬q(b). ", "¬p(c). ", "?- r. "}, false);
    TModelSearch Search;
    SearchModel({F.begin(), F.end() - 1}, F.back(), Originals, Search);
    ASSERT_EQ(Search.Result, TModelResult::Found);
    EXPECT_EQ(Search.Model.Size, 3);
    EXPECT_EQ(Search.Model.Constants, (std::map<std::string, int>{{"a", 0}, {"b", 1}, {"c", 2}}));
    // A number takes its element first: the constants come after it.
    const auto G = Formulas({"¬p(a). ", "p(7). ", "?- p(a). "}, true);
    SearchModel({G[0], G[1]}, G[2], G, Search);
    ASSERT_EQ(Search.Result, TModelResult::Found);
    EXPECT_EQ(Search.Model.Literals.at("7"), 0);
    EXPECT_EQ(Search.Model.Constants.at("a"), 1);
}

// A model is checked against the formulas as written before it is given.
TEST_F(CounterModels, TheCheckRejectsAWrongValue)
{
    const auto F = Formulas({"p(a). ", "∀X [p(X) → q(f(X))]. ", "?- r. "}, false);
    TModelSearch Search;
    const auto S = Formulas({"p(a). ", "∀X [p(X) → q(f(X))]. ", "?- r. "}, true);
    SearchModel({S[0], S[1]}, S[2], F, Search);
    ASSERT_EQ(Search.Result, TModelResult::Found);
    TInterpretation Model = Search.Model;
    EXPECT_TRUE(Holds(F[0], Model) && Holds(F[1], Model));
    EXPECT_FALSE(Holds(F[2], Model));
    // f(a) moved to an element where q does not hold: the second axiom fails.
    const int A = Model.Constants.at("a");
    const int Fa = Model.Functions.at({"f", {A}});
    Model.Functions[{"f", {A}}] = Fa == 0 ? 1 : 0;
    if (Model.Size == 1)
        Model.Size = 2;
    Model.Predicates[{"q", {Model.Functions[{"f", {A}}]}}] = false;
    EXPECT_FALSE(Holds(F[1], Model));
}

TEST_F(CounterModels, TheLimitAndStopEndALargeSearch)
{
    // A theorem whose grounding grows with the fifth power of the domain.
    const char* Large = "∀X, Y, Z, U, V [r(X, Y) ∧ r(Y, Z) ∧ r(Z, U) ∧ r(U, V) → r(X, V)].\n"
                        "∀X [r(X, f(X))].\n?- ∃X, Y [r(X, Y)].\n";
    Search(Large, 3);
    ASSERT_EQ(Owner.Outcomes.size(), 1u);
    EXPECT_FALSE(Owner.Outcomes[0].CounterSatisfiable);
    EXPECT_EQ(LastOutcome, TRunOutcome::Finished);
    EXPECT_EQ(Owner.Lines.back(), "No counter-model up to domain size 3.");
    Owner.StopAt = Owner.Yields + 3;
    Search(Large, 8);
    EXPECT_EQ(LastOutcome, TRunOutcome::Stopped);
    EXPECT_TRUE(std::none_of(Owner.Lines.begin(), Owner.Lines.end(), [](const std::string& L) {
        return L.rfind("Counter-model", 0) == 0;
    }));
    // A fresh program follows, and searches as before.
    Owner.StopAt = -1;
    EXPECT_TRUE(Found("p ∨ q. ?- p. "));
}

// A grounding grows with the power of the domain: the memory limit reaches inside it.
TEST_F(CounterModels, TheMemoryLimitStopsAGroundingThatGrowsTooLarge)
{
    MemoryLimit = 20 << 20;
    Search("∀X, Y, Z, U, V, W [r(X, Y) ∧ r(Y, Z) ∧ r(Z, U) ∧ r(U, V) ∧ r(V, W) → r(X, W)].\n"
           "∀X [r(X, f(X))].\n?- ∃X, Y [r(X, Y)].\n",
           64);
    EXPECT_EQ(LastOutcome, TRunOutcome::Stopped);
    EXPECT_EQ(StopReason, TStopReason::MemoryLimit);
}

TEST_F(CounterModels, ASyntaxErrorIsShownAsInAProofRun)
{
    Search("p(a). ?- q(. ");
    EXPECT_EQ(Owner.TakeMessages().size(), 1u);
    EXPECT_TRUE(Owner.Outcomes.empty());
    EXPECT_GT(Owner.Caret, 0);
}

// The interpretation a TPTP finite model writes, read back from its text: the elements of
// fi_domain, the values of fi_functors and the atoms of fi_predicates.
TInterpretation ReadTptpModel(const std::vector<TFALFormula*>& Model)
{
    TInterpretation I;
    std::map<std::string, int> Element;
    auto Key = [](TId* T) {
        std::string S;
        Bound(T)->RPrint(S);
        return S;
    };
    auto Atoms = [](TSub* N, auto& Self, std::vector<TAtom*>& Out) -> void {
        if (N->Is(TClass::Atom)) {
            Out.push_back(static_cast<TAtom*>(N));
            return;
        }
        for (TSub* Operand : {N->L, N->R})
            if (Operand)
                Self(Operand, Self, Out);
    };
    for (TFALFormula* F : Model) {
        std::vector<TAtom*> List;
        Atoms(F->Cont, Atoms, List);
        for (TAtom* A : List) {
            auto* Term = static_cast<TFunc*>(A->Id);
            const auto* Args =
                Term->Is(TClass::Functor) ? &static_cast<TFunctor*>(Term)->Params : nullptr;
            if (Term->Name == "=" && Args->Get(0)->Is(TClass::Variable)) { // fi_domain
                const std::string E = Key(Args->Get(1));
                Element[E] = static_cast<int>(Element.size());
                I.Literals[E] = Element[E];
            } else if (Term->Name == "=") { // fi_functors
                auto* Left = static_cast<TFunc*>(Args->Get(0));
                const int Value = Element.at(Key(Args->Get(1)));
                if (Left->Is(TClass::FunctorA)) {
                    I.Constants[Left->Name] = Value;
                    continue;
                }
                std::vector<int> Tuple;
                const auto& Params = static_cast<TFunctor*>(Left)->Params;
                for (std::int32_t K = 0; K < Params.Count(); ++K)
                    Tuple.push_back(Element.at(Key(Params.Get(K))));
                I.Functions[{Left->Name, Tuple}] = Value;
            } else { // fi_predicates
                std::vector<int> Tuple;
                for (std::int32_t K = 0; Args && K < Args->Count(); ++K)
                    Tuple.push_back(Element.at(Key(Args->Get(K))));
                I.Predicates[{Term->Name, Tuple}] = !A->Neg;
            }
        }
    }
    I.Size = static_cast<int>(Element.size());
    return I;
}

// A TPTP model satisfies the problem as written: numbers and distinct objects are elements of
// their own, and the other elements are none of them.
TEST_F(CounterModels, ATptpModelSatisfiesTheProblemAsWritten)
{
    const char* const Problems[] = {
        "fof(a, axiom, p(\"1\")).\nfof(b, axiom, ~ p(a)).\nfof(c, conjecture, q).\n",
        "fof(a, axiom, p(\"e0\") & p(2.5) & p(1)).\nfof(b, axiom, ~ p(a) & ~ p(b) & a != b).\n"
        "fof(c, conjecture, p(f(a)) | p('The C')).\n",
        "fof(a, axiom, r(\"a.b\", n_2_5, 7)).\nfof(c, conjecture, ! [X] : r(X, X, 7)).\n",
    };
    for (const char* Text : Problems) {
        SCOPED_TRACE(Text);
        const TTptpProblem P = ReadTptp("problem.p", Text, "");
        ASSERT_EQ(P.Error, "");
        TTptpNaming Naming;
        Naming.Taken = P.Names;
        Owner.TptpNaming = &Naming;
        Search(EncodeReport(NivarDocument(P, false)));
        Owner.TptpNaming = nullptr;
        ASSERT_EQ(Owner.Outcomes.size(), 1u);
        ASSERT_TRUE(Owner.Outcomes[0].CounterSatisfiable);
        std::string Model;
        for (const std::string& Line : Owner.Outcomes[0].Model)
            Model += Line + "\n";
        SCOPED_TRACE(Model);
        // The model and the problem are read as TPTP, and the problem evaluated in the model.
        const TTptpProblem Read = ReadTptp("model.p", Model, "");
        ASSERT_EQ(Read.Error, "");
        std::vector<TFALFormula*> ModelFormulas;
        for (const TTptpFormula& F : Read.Formulas)
            ModelFormulas.push_back(Keep(Compile(EncodeReport(F.Text) + ". ")));
        const TInterpretation I = ReadTptpModel(ModelFormulas);
        for (const TTptpFormula& F : P.Formulas) {
            TFALFormula* G = Keep(Compile(EncodeReport(F.Text) + ". "));
            EXPECT_EQ(Holds(G, I), !F.Query) << F.Name;
        }
    }
}
} // namespace
