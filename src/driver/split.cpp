#include "driver/split.h"

#include "language/lexer.h"
#include "model/formula.h"
#include "model/symbols.h"
#include "model/terms.h"
#include "resolution/polarity.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace {
// The connectives of a formula, ↔ binding weakest, then →, ∨, ∧, each chain from the left; a
// quantifier and ¬ take the one operand after them. The reading finds where each part's text
// lies; the language's parser decides what the query is (Shape), and a query this reading
// does not read as the parser does stays whole.
struct TNode {
    enum TKind { Atom, Not, Binary, Quantified } Kind = Atom;
    unsigned char Op = 0;                                      // Binary: ∧ ∨ → ↔
    std::vector<std::pair<unsigned char, std::string>> Prefix; // Quantified: kind, variable
    std::string Text;                                          // Atom, as written
    std::unique_ptr<TNode> L, R;                               // Not, Quantified: L; Binary: L, R
};
using TTree = std::unique_ptr<TNode>;

// Reads a whole formula; a text it cannot read as the language does gives no tree, and the
// query is then left as it is.
class TReader {
public:
    explicit TReader(const std::string& AText) : Text(AText) {}

    TTree Read()
    {
        TTree T = Formula();
        Blanks();
        return Failed || At < Text.size() ? nullptr : std::move(T);
    }

private:
    unsigned char Peek()
    {
        Blanks();
        return At < Text.size() ? static_cast<unsigned char>(Text[At]) : 0;
    }

    void Blanks()
    {
        while (At < Text.size() && IsBlank(static_cast<unsigned char>(Text[At])))
            ++At;
    }

    TTree Fail()
    {
        Failed = true;
        return nullptr;
    }

    // A new node; a query of more nodes than a split can use is left whole, and the walks
    // over the tree stay shallow.
    TTree Make()
    {
        if (++Nodes > 4096) {
            Failed = true;
            return std::make_unique<TNode>();
        }
        return std::make_unique<TNode>();
    }

    TTree Join(unsigned char Op, TTree L, TTree R)
    {
        auto N = Make();
        N->Kind = TNode::Binary;
        N->Op = Op;
        N->L = std::move(L);
        N->R = std::move(R);
        return N;
    }

    TTree Chain(unsigned char Op, TTree (TReader::*Operand)())
    {
        TTree L = (this->*Operand)();
        while (!Failed && Peek() == Op) {
            ++At;
            TTree R = (this->*Operand)();
            if (Failed)
                return nullptr;
            L = Join(Op, std::move(L), std::move(R));
        }
        return L;
    }

    TTree Formula() { return Chain(Sym::Equiv, &TReader::Implication); }
    TTree Implication() { return Chain(Sym::Implies, &TReader::Disjunction); }
    TTree Disjunction() { return Chain(Sym::Or, &TReader::Conjunction); }
    TTree Conjunction() { return Chain(Sym::And, &TReader::Unary); }

    TTree Unary()
    {
        if (++Depth > 200)
            return Fail();
        TTree Out = UnaryBody();
        --Depth;
        return Out;
    }

    TTree UnaryBody()
    {
        const unsigned char C = Peek();
        if (C == '[') {
            ++At;
            TTree Inner = Formula();
            if (Failed || Peek() != ']')
                return Fail();
            ++At;
            return Inner;
        }
        if (C == Sym::Not) {
            ++At;
            auto N = Make();
            N->Kind = TNode::Not;
            N->L = Unary();
            return Failed ? nullptr : std::move(N);
        }
        if (C == Sym::ForAll || C == Sym::Exists) {
            auto N = Make();
            N->Kind = TNode::Quantified;
            while (Peek() == Sym::ForAll || Peek() == Sym::Exists) {
                const unsigned char Kind = static_cast<unsigned char>(Text[At++]);
                do {
                    if (Peek() == ',')
                        ++At;
                    if (!IsUpperStart(Peek()))
                        return Fail();
                    const std::size_t Start = At;
                    while (At < Text.size() && IsIdentChar(static_cast<unsigned char>(Text[At])))
                        ++At;
                    N->Prefix.push_back({Kind, Text.substr(Start, At - Start)});
                } while (Peek() == ',');
            }
            N->L = Unary();
            return Failed ? nullptr : std::move(N);
        }
        return AtomText();
    }

    // An atom runs to the next connective or bracket outside its parentheses and strings.
    TTree AtomText()
    {
        Blanks();
        const std::size_t Start = At;
        int Depth = 0;
        bool String = false;
        for (; At < Text.size(); ++At) {
            const auto C = static_cast<unsigned char>(Text[At]);
            if (C == '"')
                String = !String;
            if (String)
                continue;
            if (C == '(')
                ++Depth;
            else if (C == ')')
                --Depth;
            else if (Depth == 0 && (C == Sym::And || C == Sym::Or || C == Sym::Implies ||
                                    C == Sym::Equiv || C == ']' || C == '[' || C == Sym::Not ||
                                    C == Sym::ForAll || C == Sym::Exists))
                break;
        }
        std::string Atom = Text.substr(Start, At - Start);
        while (!Atom.empty() && IsBlank(static_cast<unsigned char>(Atom.back())))
            Atom.pop_back();
        if (Atom.empty() || String || Depth != 0)
            return Fail();
        auto N = Make();
        N->Text = std::move(Atom);
        return N;
    }

    const std::string& Text;
    std::size_t At = 0;
    int Depth = 0;
    int Nodes = 0;
    bool Failed = false;
};

// The names of an atom that may be variables: those that begin as a variable does. A name
// counted that is none only keeps a quantifier that has nothing to bind.
std::set<std::string> AtomVariables(const std::string& Atom)
{
    std::set<std::string> Out;
    bool String = false;
    for (std::size_t I = 0; I < Atom.size(); ++I) {
        const auto C = static_cast<unsigned char>(Atom[I]);
        if (C == '"')
            String = !String;
        if (String || !IsIdentChar(C) ||
            (I > 0 && IsIdentChar(static_cast<unsigned char>(Atom[I - 1]))))
            continue;
        std::size_t End = I;
        while (End < Atom.size() && IsIdentChar(static_cast<unsigned char>(Atom[End])))
            ++End;
        if (IsUpperStart(C))
            Out.insert(Atom.substr(I, End - I));
        I = End - 1;
    }
    return Out;
}

std::set<std::string> FreeVariables(const TNode& N)
{
    switch (N.Kind) {
    case TNode::Atom:
        return AtomVariables(N.Text);
    case TNode::Not:
        return FreeVariables(*N.L);
    case TNode::Binary: {
        std::set<std::string> Out = FreeVariables(*N.L);
        const std::set<std::string> Right = FreeVariables(*N.R);
        Out.insert(Right.begin(), Right.end());
        return Out;
    }
    case TNode::Quantified: {
        std::set<std::string> Out = FreeVariables(*N.L);
        for (const auto& [Kind, Name] : N.Prefix)
            Out.erase(Name);
        return Out;
    }
    }
    return {};
}

// A quantified node over Body with those variables of Prefix that occur free in it; the body
// alone when none does.
TTree Quantify(const std::vector<std::pair<unsigned char, std::string>>& Prefix, TTree Body)
{
    const std::set<std::string> Free = FreeVariables(*Body);
    auto N = std::make_unique<TNode>();
    N->Kind = TNode::Quantified;
    for (const auto& Entry : Prefix)
        if (Free.count(Entry.second))
            N->Prefix.push_back(Entry);
    if (N->Prefix.empty())
        return Body;
    N->L = std::move(Body);
    return N;
}

// Quantifiers moved inwards where that makes more parts: ∀ over ∧ and ∃ over ∨, when every
// quantifier of the prefix is of that kind.
TTree Miniscope(TTree N)
{
    if (N->L)
        N->L = Miniscope(std::move(N->L));
    if (N->R)
        N->R = Miniscope(std::move(N->R));
    if (N->Kind != TNode::Quantified || N->L->Kind != TNode::Binary)
        return N;
    const unsigned char Kind = N->Prefix.front().first;
    const unsigned char Over = Kind == Sym::ForAll ? Sym::And : Sym::Or;
    const bool Uniform = std::all_of(N->Prefix.begin(), N->Prefix.end(),
                                     [Kind](const auto& E) { return E.first == Kind; });
    if (!Uniform || N->L->Op != Over)
        return N;
    TNode& Body = *N->L;
    auto Out = std::make_unique<TNode>();
    Out->Kind = TNode::Binary;
    Out->Op = Over;
    Out->L = Miniscope(Quantify(N->Prefix, std::move(Body.L)));
    Out->R = Miniscope(Quantify(N->Prefix, std::move(Body.R)));
    return Out;
}

std::string Write(const TNode& N);

// As an operand of ¬ or of a quantifier.
std::string WriteUnary(const TNode& N)
{
    if (N.Kind == TNode::Atom)
        return "[" + N.Text + "]";
    return Write(N);
}

// The node in the language, every connective in brackets.
std::string Write(const TNode& N)
{
    switch (N.Kind) {
    case TNode::Atom:
        return N.Text;
    case TNode::Not:
        return std::string(1, static_cast<char>(Sym::Not)) + WriteUnary(*N.L);
    case TNode::Binary:
        return "[" + Write(*N.L) + " " + std::string(1, static_cast<char>(N.Op)) + " " +
               Write(*N.R) + "]";
    case TNode::Quantified: {
        std::string Out;
        unsigned char Kind = 0;
        for (const auto& [K, Name] : N.Prefix) {
            if (K != Kind)
                Out += (Out.empty() ? "" : " ") + std::string(1, static_cast<char>(K)) + Name;
            else
                Out += ", " + Name;
            Kind = K;
        }
        return Out + " " + WriteUnary(*N.L);
    }
    }
    return "";
}

// The parts of the query: the quantified nodes and atoms below its connectives.
void CollectParts(const TNode& N, std::map<std::string, int>& Parts,
                  std::vector<std::string>& Order)
{
    if (N.Kind == TNode::Not || N.Kind == TNode::Binary) {
        CollectParts(*N.L, Parts, Order);
        if (N.R)
            CollectParts(*N.R, Parts, Order);
        return;
    }
    const std::string Key = Write(N);
    if (Parts.emplace(Key, static_cast<int>(Order.size())).second)
        Order.push_back(Key);
}

// The query Formula as the language reads it, compiled apart from the run and without its
// messages: its nodes in pre-order, each with its kind, negation, prefix and operands, an
// atom with its term. None where the language reads no one whole formula in it; Closed tells
// whether the parser found no free name.
std::optional<std::string> Shape(const std::string& Formula, bool& Closed)
{
    TPLProgram Quiet(nullptr);
    const std::string Text = "?- " + Formula + ".";
    TFALFormula* F = nullptr;
    Quiet.XComp(Text.c_str(), F, Text.c_str() + Text.size());
    if (!F)
        return std::nullopt;
    const bool Whole = static_cast<std::size_t>(Quiet.TextPos) >= Text.size();
    Closed = FreeNamesLinked() == 0;
    std::string Out;
    WalkNodes(F->Cont, [&Out](TSub* N) {
        Out += static_cast<char>('A' + static_cast<int>(N->Class));
        Out += N->Neg ? '-' : '+';
        Out += std::to_string(N->Val);
        if (N->Q)
            for (const TVariable* V : N->Q->Items)
                if (V)
                    Out += static_cast<char>(V->Kind) + V->Name.Str() + ",";
        if (N->Is(TClass::Atom)) {
            if (TId* Term = static_cast<TAtom*>(N)->Id)
                Term->RPrint(Out);
        } else {
            Out += N->L ? 'l' : '.';
            Out += N->R ? 'r' : '.';
        }
        Out += ';';
        return true;
    });
    delete F;
    if (!Whole)
        return std::nullopt;
    return Out;
}

bool Evaluate(const TNode& N, const std::map<std::string, int>& Parts, std::uint32_t Values)
{
    switch (N.Kind) {
    case TNode::Not:
        return !Evaluate(*N.L, Parts, Values);
    case TNode::Binary: {
        const bool L = Evaluate(*N.L, Parts, Values);
        const bool R = Evaluate(*N.R, Parts, Values);
        return N.Op == Sym::And       ? L && R
               : N.Op == Sym::Or      ? L || R
               : N.Op == Sym::Implies ? !L || R
                                      : L == R;
    }
    default:
        return (Values >> Parts.at(Write(N))) & 1U;
    }
}
} // namespace

std::vector<std::string> QueryCases(const std::string& Query, int MaxParts, int MaxCases)
{
    TTree Tree = TReader(Query).Read();
    if (!Tree)
        return {};
    bool Closed = false;
    const std::optional<std::string> AsRead = Shape(Query, Closed);
    if (!AsRead || !Closed || Shape(Write(*Tree), Closed) != AsRead)
        return {};
    Tree = Miniscope(std::move(Tree));
    std::map<std::string, int> Parts;
    std::vector<std::string> Order;
    CollectParts(*Tree, Parts, Order);
    const auto Quantified = std::count_if(Order.begin(), Order.end(), [](const std::string& P) {
        const auto C = static_cast<unsigned char>(P.front());
        return C == Sym::ForAll || C == Sym::Exists;
    });
    if (Quantified < 2 || static_cast<int>(Order.size()) > MaxParts)
        return {};
    // Each part stands alone in a case: it has to be closed as the parser reads it.
    for (const std::string& Part : Order)
        if (!Shape(Part, Closed) || !Closed)
            return {};
    std::vector<std::string> Cases;
    for (std::uint32_t Values = 0; Values < (1U << Order.size()); ++Values) {
        if (Evaluate(*Tree, Parts, Values))
            continue;
        if (static_cast<int>(Cases.size()) == MaxCases)
            return {};
        // The case is refuted when its parts, as it has them, contradict the axioms.
        std::string Conjunction;
        for (std::size_t I = 0; I < Order.size(); ++I) {
            const bool True = (Values >> I) & 1U;
            Conjunction +=
                (I ? " " + std::string(1, static_cast<char>(Sym::And)) + " " : "") +
                (True ? "[" + Order[I] + "]"
                      : std::string(1, static_cast<char>(Sym::Not)) + "[" + Order[I] + "]");
        }
        Cases.push_back(std::string(1, static_cast<char>(Sym::Not)) + "[" + Conjunction + "]");
    }
    // No case: the query holds by its connectives alone; resolution shows it as it stands.
    return Cases.size() >= 2 ? Cases : std::vector<std::string>{};
}

std::size_t TSplitText::Original(std::size_t Offset) const
{
    auto It = std::upper_bound(Starts.begin(), Starts.end(), std::make_pair(Offset, SIZE_MAX));
    if (It == Starts.begin())
        return Offset;
    --It;
    return It->second + (Offset - It->first);
}

TSplitText SplitQueries(const std::string& Text, int MaxParts, int MaxCases)
{
    TSplitText Out;
    std::size_t Copied = 0;
    std::int64_t Number = 0;
    for (const TFormulaText& F : FormulaTexts(Text)) {
        if (!F.Query)
            continue;
        ++Number;
        const std::vector<std::string> Cases = QueryCases(F.Text, MaxParts, MaxCases);
        if (Cases.empty()) {
            Out.Queries.push_back({Number, 1, 1});
            continue;
        }
        Out.Text += Text.substr(Copied, F.Start - Copied);
        Out.Starts.push_back({Out.Text.size(), F.Start});
        for (std::size_t C = 0; C < Cases.size(); ++C) {
            // The formula before ends at its period only where a blank follows.
            Out.Text += "\n?- " + Cases[C] + ".\n";
            Out.Queries.push_back({Number, static_cast<std::int32_t>(C + 1),
                                   static_cast<std::int32_t>(Cases.size())});
        }
        Copied = F.Start + F.Length;
        Out.Starts.push_back({Out.Text.size(), Copied});
        Out.Changed = true;
    }
    Out.Text += Text.substr(Copied);
    return Out;
}
