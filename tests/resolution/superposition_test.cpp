// The equality calculus: the ordering, unification and matching, the term index against a
// plain scan, each inference rule with its side conditions, rewriting forward and backward,
// subsumption that knows = is symmetric, and whole saturations.
#include "resolution/superposition.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

namespace {
// Clauses written as "f(X, a) = b | ~p(X) | X != Y": upper-case names are variables, an atom
// without = is a predicate.
class TReader {
public:
    explicit TReader(TTermBank& ABank) : Bank(ABank) {}

    TTermRef Term(const std::string& Text)
    {
        At = 0;
        Source = Text;
        return ReadTerm(false);
    }

    std::vector<TEqLiteral> Clause(const std::string& Text)
    {
        Source = Text;
        At = 0;
        std::vector<TEqLiteral> Out;
        if (Text == "$false")
            return Out;
        while (true) {
            Blanks();
            bool Positive = true;
            if (Peek() == '~') {
                ++At;
                Positive = false;
            }
            const std::size_t Start = At;
            TTermRef S = ReadTerm(false);
            Blanks();
            if (Peek() == '=' || (Peek() == '!' && Source[At + 1] == '=')) {
                if (Peek() == '!') {
                    Positive = !Positive;
                    ++At;
                }
                ++At;
                Out.push_back({S, ReadTerm(false), Positive, false});
            } else {
                At = Start;
                Out.push_back({ReadTerm(true), Bank.True(), Positive, false});
            }
            Blanks();
            if (Peek() != '|')
                break;
            ++At;
        }
        return Out;
    }

private:
    char Peek() const { return At < Source.size() ? Source[At] : '\0'; }
    void Blanks()
    {
        while (Peek() == ' ')
            ++At;
    }

    TTermRef ReadTerm(bool Predicate)
    {
        Blanks();
        std::string Name;
        while (std::isalnum(static_cast<unsigned char>(Peek())) || Peek() == '_')
            Name += Source[At++];
        if (std::isupper(static_cast<unsigned char>(Name[0]))) {
            auto [It, New] =
                Variables.try_emplace(Name, static_cast<std::uint32_t>(Variables.size()));
            return Bank.Variable(It->second);
        }
        std::vector<TTermRef> Args;
        if (Peek() == '(') {
            ++At;
            while (true) {
                Args.push_back(ReadTerm(false));
                Blanks();
                if (Peek() != ',')
                    break;
                ++At;
            }
            ++At; // ')'
        }
        const std::uint32_t S = Bank.Symbol(Name, static_cast<std::uint32_t>(Args.size()),
                                            Predicate ? TSymbol::Predicate : TSymbol::Function);
        ++Bank.SymbolInfo(S).Count;
        return Bank.Apply(S, Args);
    }

public:
    std::map<std::string, std::uint32_t> Variables;

private:
    TTermBank& Bank;
    std::string Source;
    std::size_t At = 0;
};

// A written form of a term and a clause, variables as X0, X1...
std::string Text(const TTermBank& Bank, TTermRef T)
{
    if (Bank.IsVariable(T))
        return "X" + std::to_string(Bank.VariableIndex(T));
    std::string S = Bank.SymbolInfo(Bank.SymbolOf(T)).Name;
    const auto Args = Bank.Args(T);
    for (std::size_t I = 0; I < Args.size(); ++I)
        S += (I ? ", " : "(") + Text(Bank, Args[I]) + (I + 1 == Args.size() ? ")" : "");
    return S;
}

std::set<std::string> Texts(const TTermBank& Bank, const std::vector<TEqLiteral>& Literals)
{
    std::set<std::string> Out;
    for (const TEqLiteral& L : Literals) {
        if (L.Right == Bank.True())
            Out.insert((L.Positive ? "" : "~") + Text(Bank, L.Left));
        else
            Out.insert(Text(Bank, L.Left) + (L.Positive ? " = " : " != ") + Text(Bank, L.Right));
    }
    return Out;
}

class Superposition : public ::testing::Test {
protected:
    // Reads the clauses (counting their symbols for the precedence) and gives them to a
    // search; Run() saturates them.
    void Load(const std::vector<std::string>& Texts)
    {
        std::vector<std::vector<TEqLiteral>> Read;
        for (const std::string& T : Texts) {
            TReader R(Bank);
            Read.push_back(R.Clause(T));
        }
        Bank.SetPrecedence();
        for (std::size_t I = 0; I < Read.size(); ++I)
            Search.AddInput(Read[I], false, "c" + std::to_string(I));
    }

    TSaturation Run(std::int64_t MaxGiven = 20000)
    {
        Search.Stop = [this, MaxGiven] { return Search.Stats.Given > MaxGiven; };
        return Search.Run();
    }

    // Whether some clause made by Rule reads as Expected.
    bool Made(TEqRule Rule, const std::set<std::string>& Expected) const
    {
        for (std::size_t N = 0; N < Search.ClauseCount(); ++N) {
            const TEqClause& C = Search.Clause(static_cast<std::uint32_t>(N));
            if (C.Rule == Rule && Texts(Bank, C.Literals) == Expected)
                return true;
        }
        return false;
    }

    bool MadeAny(const std::set<std::string>& Expected) const
    {
        for (std::size_t N = 0; N < Search.ClauseCount(); ++N)
            if (Texts(Bank, Search.Clause(static_cast<std::uint32_t>(N)).Literals) == Expected)
                return true;
        return false;
    }

    TTermBank Bank;
    TSuperposition Search{Bank};
};

TEST(EqualityOrdering, KnuthBendixOnTerms)
{
    TTermBank Bank;
    TReader R(Bank);
    const TTermRef X = R.Term("X");
    const TTermRef Y = R.Term("Y");
    const TTermRef FX = R.Term("f(X)");
    const TTermRef Fa = R.Term("f(a)");
    const TTermRef Gb = R.Term("g(b)");
    const TTermRef FXY = R.Term("h(X, Y)");
    const TTermRef FYX = R.Term("h(Y, X)");
    const TTermRef FXX = R.Term("h(X, X)");
    Bank.SetPrecedence();
    TKbo K(Bank);
    EXPECT_EQ(K.Compare(FX, X), TOrder::Greater) << "a term is above its subterms";
    EXPECT_EQ(K.Compare(X, FX), TOrder::Less);
    EXPECT_EQ(K.Compare(X, Y), TOrder::Incomparable);
    EXPECT_EQ(K.Compare(FX, Y), TOrder::Incomparable) << "Y does not occur in f(X)";
    EXPECT_EQ(K.Compare(FXY, FYX), TOrder::Incomparable) << "commutativity cannot be oriented";
    EXPECT_EQ(K.Compare(FXX, FXX), TOrder::Equal);
    // Ground terms are always comparable, here by the precedence.
    EXPECT_NE(K.Compare(Fa, Gb), TOrder::Incomparable);
    EXPECT_EQ(K.Compare(Fa, Gb), Reversed(K.Compare(Gb, Fa)));
    // ⊤ is below every other term.
    EXPECT_EQ(K.Compare(Bank.True(), R.Term("a")), TOrder::Less);
}

// The ordering is stable under substitution: what is greater stays greater in every
// instance. Random terms, random ground substitutions.
TEST(EqualityOrdering, StableUnderSubstitution)
{
    TTermBank Bank;
    std::mt19937 Random(7);
    const std::uint32_t Symbols[] = {
        Bank.Symbol("a", 0, TSymbol::Function), Bank.Symbol("b", 0, TSymbol::Function),
        Bank.Symbol("f", 1, TSymbol::Function), Bank.Symbol("g", 2, TSymbol::Function)};
    Bank.SetPrecedence();
    std::function<TTermRef(int, bool)> Make = [&](int Depth, bool Ground) -> TTermRef {
        const int Pick = static_cast<int>(Random() % (Depth > 0 ? 6 : 3));
        if (Pick == 0 && !Ground)
            return Bank.Variable(Random() % 3);
        if (Pick < 3)
            return Bank.Apply(Symbols[Random() % 2], {});
        if (Pick < 5) {
            const TTermRef A[] = {Make(Depth - 1, Ground)};
            return Bank.Apply(Symbols[2], A);
        }
        const TTermRef A[] = {Make(Depth - 1, Ground), Make(Depth - 1, Ground)};
        return Bank.Apply(Symbols[3], A);
    };
    TKbo K(Bank);
    TMatcher M(Bank);
    int Checked = 0;
    for (int I = 0; I < 3000; ++I) {
        const TTermRef S = Make(3, false);
        const TTermRef T = Make(3, false);
        const TOrder O = K.Compare(S, T);
        EXPECT_EQ(K.Compare(T, S), Reversed(O));
        if (O != TOrder::Greater)
            continue;
        const std::size_t Mark = M.Mark();
        // A ground substitution for X0, X1, X2: match variables onto random ground terms.
        for (std::uint32_t V = 0; V < 3; ++V)
            M.Match(Bank.Variable(V), Make(2, true));
        const TTermRef SI = M.Instance(S);
        const TTermRef TI = M.Instance(T);
        M.Undo(Mark);
        ASSERT_TRUE(Bank.Ground(SI) && Bank.Ground(TI));
        EXPECT_EQ(K.Compare(SI, TI), TOrder::Greater) << Text(Bank, S) << " > " << Text(Bank, T);
        ++Checked;
    }
    EXPECT_GT(Checked, 100);
}

TEST(EqualityUnification, BanksKeepTwoClausesApart)
{
    TTermBank Bank;
    TReader R(Bank);
    const TTermRef FXa = R.Term("f(X, a)");
    const TTermRef FbX = R.Term("f(b, X)");
    const TTermRef FXX = R.Term("f(X, X)");
    const TTermRef X = R.Term("X");
    const TTermRef GX = R.Term("g(X)");
    TSubstitution S(Bank);
    // X of one clause and X of the other are two variables.
    ASSERT_TRUE(S.Unify(FXa, 0, FbX, 1));
    S.NewRenaming();
    EXPECT_EQ(Text(Bank, S.Instance(FXa, 0)), "f(b, a)");
    EXPECT_EQ(Text(Bank, S.Instance(FbX, 1)), "f(b, a)");
    S.Undo(0);
    EXPECT_FALSE(S.Unify(FXa, 0, FbX, 0)) << "in one clause X cannot be both b and a";
    EXPECT_EQ(S.Mark(), 0u) << "a failed unification binds nothing";
    EXPECT_FALSE(S.Unify(X, 0, GX, 0)) << "the occurs check";
    EXPECT_TRUE(S.Unify(X, 0, GX, 1));
    S.Undo(0);
    // Free variables of both banks are renamed apart in the instance.
    ASSERT_TRUE(S.Unify(FXX, 0, FXX, 1));
    S.NewRenaming();
    EXPECT_EQ(Text(Bank, S.Instance(FXX, 0)), Text(Bank, S.Instance(FXX, 1)));
    TMatcher M(Bank);
    EXPECT_TRUE(M.Match(FXX, R.Term("f(g(a), g(a))")));
    M.Undo(0);
    EXPECT_FALSE(M.Match(FXX, R.Term("f(a, b)")));
    EXPECT_FALSE(M.Match(R.Term("f(a, Y)"), FXX)) << "matching binds the pattern's only";
}

// The index finds every term that a plain scan finds, for each kind of query.
TEST(EqualityIndex, FindsWhatAPlainScanFinds)
{
    TTermBank Bank;
    std::mt19937 Random(11);
    // Twelve constants: the index's nodes get many children, and look them up by feature.
    std::vector<std::uint32_t> Constants;
    for (int I = 0; I < 12; ++I)
        Constants.push_back(Bank.Symbol("c" + std::to_string(I), 0, TSymbol::Function));
    const std::uint32_t Symbols[] = {Bank.Symbol("f", 1, TSymbol::Function),
                                     Bank.Symbol("g", 2, TSymbol::Function),
                                     Bank.Symbol("h", 3, TSymbol::Function)};
    std::function<TTermRef(int)> Make = [&](int Depth) -> TTermRef {
        const int Pick = static_cast<int>(Random() % (Depth > 0 ? 7 : 3));
        if (Pick == 0)
            return Bank.Variable(Random() % 3);
        if (Pick < 3)
            return Bank.Apply(Constants[Random() % Constants.size()], {});
        const std::uint32_t S = Symbols[Random() % 3];
        std::vector<TTermRef> Args;
        for (std::uint32_t I = 0; I < Bank.SymbolInfo(S).Arity; ++I)
            Args.push_back(Make(Depth - 1));
        return Bank.Apply(S, Args);
    };
    // The second index looks every node's children up by feature.
    TTermIndex Index(Bank);
    TTermIndex Lookup(Bank);
    Lookup.ManyChildren = 0;
    std::vector<TTermRef> Terms;
    for (std::uint32_t I = 0; I < 400; ++I) {
        Terms.push_back(Make(4));
        Index.Insert({Terms.back(), I, 0, 0});
        Lookup.Insert({Terms.back(), I, 0, 0});
    }
    TSubstitution S(Bank);
    TMatcher M(Bank);
    int Found = 0;
    for (int Q = 0; Q < 300; ++Q) {
        const TTermRef Query = Make(4);
        for (auto Kind : {TTermIndex::TQuery::Unifiable, TTermIndex::TQuery::Generalization,
                          TTermIndex::TQuery::Instance}) {
            std::set<std::uint32_t> Candidates;
            Index.Retrieve(Query, Kind, [&](const TIndexEntry& E) {
                Candidates.insert(E.Clause);
                return true;
            });
            std::set<std::uint32_t> Looked;
            Lookup.Retrieve(Query, Kind, [&](const TIndexEntry& E) {
                Looked.insert(E.Clause);
                return true;
            });
            EXPECT_EQ(Looked, Candidates) << "the same candidates, however they are found";
            for (std::uint32_t I = 0; I < Terms.size(); ++I) {
                bool Hit = false;
                if (Kind == TTermIndex::TQuery::Unifiable) {
                    Hit = S.Unify(Terms[I], 0, Query, 1);
                    S.Undo(0);
                } else if (Kind == TTermIndex::TQuery::Generalization) {
                    Hit = M.Match(Terms[I], Query);
                    M.Undo(0);
                } else {
                    Hit = M.Match(Query, Terms[I]);
                    M.Undo(0);
                }
                if (Hit) {
                    ++Found;
                    EXPECT_TRUE(Candidates.count(I))
                        << Text(Bank, Terms[I]) << " and " << Text(Bank, Query) << " kind "
                        << static_cast<int>(Kind);
                }
            }
            // The index leaves terms out: it is a filter.
            if (Kind == TTermIndex::TQuery::Instance && !Bank.IsVariable(Query)) {
                EXPECT_LT(Candidates.size(), Terms.size());
            }
        }
    }
    EXPECT_GT(Found, 200);
}

TEST(EqualitySubsumption, KnowsThatEqualityIsSymmetric)
{
    TTermBank Bank;
    TReader R(Bank);
    auto C = [&](const std::string& T) {
        TReader Own(Bank);
        return Own.Clause(T);
    };
    Bank.SetPrecedence();
    TEqSubsumer S(Bank);
    EXPECT_TRUE(S.Subsumes(C("a = b"), C("b = a | p(c)")));
    EXPECT_TRUE(S.Subsumes(C("f(X) = Y"), C("c = f(d)")));
    EXPECT_FALSE(S.Subsumes(C("a = b"), C("a != b | p(c)"))) << "the sign counts";
    EXPECT_TRUE(S.Subsumes(C("p(X) | q(X)"), C("q(a) | r | p(a)")));
    EXPECT_FALSE(S.Subsumes(C("p(X) | q(X)"), C("q(a) | p(b)")));
    EXPECT_FALSE(S.Subsumes(C("p(X) | p(Y)"), C("p(a)"))) << "each literal its own";
    EXPECT_FALSE(S.Subsumes(C("X = Y"), C("p(a)"))) << "an atom is no equation of individuals";
}

// The heaviest negative literal is selected; cautiously, not one whose predicate the clause
// has positively too (a definition passes its predicate on through its positive literal).
TEST(EqualitySelection, HeaviestOrCautious)
{
    TTermBank Bank;
    auto C = [&](const std::string& T) {
        TReader Own(Bank);
        return Own.Clause(T);
    };
    const auto Definition = C("m(X, u(A, B)) | ~m(X, A) | ~q(f(f(X)))");
    EXPECT_EQ(SelectLiteral(Bank, Definition), 2) << "the heaviest";
    EXPECT_EQ(SelectLiteral(Bank, Definition, true), 2) << "q is nowhere positive";
    const auto Passing = C("m(X, u(A, B)) | ~m(X, A)");
    EXPECT_EQ(SelectLiteral(Bank, Passing), 1);
    EXPECT_EQ(SelectLiteral(Bank, Passing, true), -1) << "m is positive too: none selected";
    EXPECT_EQ(SelectLiteral(Bank, C("a = b | f(a) != f(b)"), true), -1) << "= counts as well";
    EXPECT_EQ(SelectLiteral(Bank, C("p(a) | q(b)")), -1) << "no negative literal";
}

TEST_F(Superposition, ResolutionAndRewritingRefute)
{
    Load({"a = b", "p(a)", "~p(b)"});
    EXPECT_EQ(Run(), TSaturation::Refuted);
}

TEST_F(Superposition, EqualityResolutionUnifiesTheSides)
{
    Load({"f(X) != f(a) | p(X)", "~p(a)"});
    EXPECT_EQ(Run(), TSaturation::Refuted);
    EXPECT_TRUE(Made(TEqRule::EqualityResolution, {"p(a)"}));
}

TEST_F(Superposition, EqualityFactoringJoinsTwoEquationsOfOneTerm)
{
    // c is the greatest constant (fewest occurrences): c = a | c = b factors to
    // a != b | c = b (or the same with a and b swapped).
    Load({"c = a | c = b", "a = a2", "a = a3", "b = b2", "b = b3"});
    Run();
    EXPECT_TRUE(Made(TEqRule::EqualityFactoring, {"c = b", "b != a"}) ||
                Made(TEqRule::EqualityFactoring, {"c = a", "b != a"}) ||
                Made(TEqRule::EqualityFactoring, {"c = b", "a != b"}) ||
                Made(TEqRule::EqualityFactoring, {"c = a", "a != b"}));
}

// Superposition rewrites with the greater side only, into the greater side of a literal.
TEST_F(Superposition, TheOrderingDecidesWhichWayAnEquationIsUsed)
{
    // f(a) is greater than b: f(a) = b rewrites f(a) to b, never b to f(a).
    Load({"f(a) = b", "p(b)", "q(f(a))"});
    EXPECT_EQ(Run(), TSaturation::Saturated);
    EXPECT_TRUE(MadeAny({"q(b)"}));
    EXPECT_FALSE(MadeAny({"p(f(a))"}));
}

TEST_F(Superposition, SuperpositionIntoANegativeLiteral)
{
    Search.Rewriting = false; // the inference itself, not the rewriting that would do it
    Load({"f(X) = X", "f(a) != c | r"});
    Run();
    EXPECT_TRUE(Made(TEqRule::Superposition, {"a != c", "r"}) ||
                Made(TEqRule::Superposition, {"c != a", "r"}));
}

TEST_F(Superposition, RewritingForward)
{
    // The unit f(X) = X rewrites what comes later to its normal form.
    Load({"f(X) = X", "p(f(f(a)))", "~p(a) | q"});
    EXPECT_EQ(Run(), TSaturation::Saturated);
    EXPECT_TRUE(Made(TEqRule::Rewriting, {"p(a)"}));
    // The rewritten clause names the clause and the equation as its parents.
    for (std::size_t N = 0; N < Search.ClauseCount(); ++N) {
        const TEqClause& C = Search.Clause(static_cast<std::uint32_t>(N));
        if (C.Rule == TEqRule::Rewriting &&
            Texts(Bank, C.Literals) == std::set<std::string>{"p(a)"}) {
            ASSERT_GE(C.Parents.size(), 2u);
            EXPECT_EQ(Search.Clause(C.Parents[1]).Label, "c0");
        }
    }
}

TEST_F(Superposition, RewritingBackward)
{
    // p(f(a, a)) is taken before the unit that rewrites it: the unit then rewrites the active
    // clause, which leaves for the waiting ones, rewritten.
    Load({"p(f(a, a))", "f(X, X) = h(X)", "~p(h(a))"});
    EXPECT_EQ(Run(), TSaturation::Refuted);
    EXPECT_TRUE(Made(TEqRule::Rewriting, {"p(h(a))"}));
    EXPECT_TRUE(Search.Clause(0).Active) << "taken before the unit";
    EXPECT_TRUE(Search.Clause(0).Deleted) << "and replaced by its rewritten form";
}

// A unit may be rewritten at the top of its greater side by a more general equation, never
// by itself; the two below complete to a set that saturates.
TEST_F(Superposition, RewritingAtTheTopOfAUnit)
{
    Load({"p(g(a)) | q(g(a))", "g(X) = h(h(h(X)))"});
    EXPECT_EQ(Run(2000), TSaturation::Saturated);
    EXPECT_LT(Search.Stats.Given, 20);
}

TEST_F(Superposition, UnitsCutLiterals)
{
    Load({"~r(a)", "r(X) | s(X)", "~s(a)"});
    EXPECT_EQ(Run(), TSaturation::Refuted);
}

TEST_F(Superposition, ASatisfiableSetSaturates)
{
    Load({"p(a)", "~p(b)", "f(X) = X | q(X)"});
    EXPECT_EQ(Run(), TSaturation::Saturated);
}

// If x·x = e for every x in a group, the group is commutative.
TEST_F(Superposition, AGroupOfInvolutionsIsCommutative)
{
    Load({"m(e, X) = X", "m(i(X), X) = e", "m(m(X, Y), Z) = m(X, m(Y, Z))", "m(X, X) = e",
          "m(a, b) != m(b, a)"});
    EXPECT_EQ(Run(), TSaturation::Refuted);
}

// A left identity and left inverse are right ones too.
TEST_F(Superposition, RightIdentityFollows)
{
    Load({"m(e, X) = X", "m(i(X), X) = e", "m(m(X, Y), Z) = m(X, m(Y, Z))", "m(a, e) != a"});
    EXPECT_EQ(Run(), TSaturation::Refuted);
}

TEST_F(Superposition, TheDerivationEndsInTheEmptyClause)
{
    Load({"a = b", "b = c", "p(a)", "~p(c)", "q(d)"});
    ASSERT_EQ(Run(), TSaturation::Refuted);
    const std::vector<std::uint32_t> Steps = Search.Derivation();
    ASSERT_FALSE(Steps.empty());
    EXPECT_EQ(Steps.back(), Search.Empty());
    EXPECT_TRUE(Search.Clause(Steps.back()).Literals.empty());
    std::set<std::uint32_t> Before;
    for (std::uint32_t N : Steps) {
        for (std::uint32_t P : Search.Clause(N).Parents)
            EXPECT_TRUE(Before.count(P)) << "a parent comes first";
        Before.insert(N);
        EXPECT_NE(Search.Clause(N).Label, "c4") << "q(d) is not used";
    }
}
} // namespace
