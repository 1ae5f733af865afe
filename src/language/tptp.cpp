#include "language/tptp.h"

#include "language/lexer.h"
#include "language/parser.h"
#include "language/readfile.h"
#include "model/formula.h"
#include "model/symbols.h"
#include "model/tptpnames.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <unistd.h>
#include <unordered_map>

namespace {
// ---- the scanner of TPTP text

enum class TKind {
    End,
    Lower,    // lower_word
    Upper,    // upper_word: a variable
    Quoted,   // 'single quoted'
    Distinct, // "distinct object"
    Dollar,   // $word
    Number,
    Punct, // ( ) [ ] , . : ! ? ~ & | = != => <= <=> <~> ~| ~&
    Bad,
};

struct TToken {
    TKind Kind = TKind::End;
    std::string Text;
    std::size_t Line = 1;
    std::size_t Column = 1;
};

class TTptpScanner {
public:
    // Stop, when given, is asked every 64 KiB of text; once it says so the text ends there.
    explicit TTptpScanner(const std::string& AText, const std::function<bool()>* AStop = nullptr)
        : Text(AText), Stop(AStop)
    {
    }

    bool Stopped() const { return WasStopped; }

    TToken Next()
    {
        SkipBlanksAndComments();
        TToken T;
        T.Line = Line;
        T.Column = Column;
        if (At >= Text.size())
            return T;
        const char C = Text[At];
        if (IsLower(C) || IsUpper(C) || C == '$') {
            const std::size_t Start = At;
            Take();
            while (At < Text.size() && IsAlnum(Text[At]))
                Take();
            T.Text = Text.substr(Start, At - Start);
            T.Kind = C == '$' ? TKind::Dollar : IsLower(C) ? TKind::Lower : TKind::Upper;
            return T;
        }
        if (IsDigit(C) ||
            ((C == '+' || C == '-') && At + 1 < Text.size() && IsDigit(Text[At + 1]))) {
            const std::size_t Start = At;
            Take();
            while (At < Text.size() && (IsDigit(Text[At]) || Text[At] == '.' || Text[At] == '/' ||
                                        Text[At] == 'e' || Text[At] == 'E' ||
                                        ((Text[At] == '+' || Text[At] == '-') &&
                                         (Text[At - 1] == 'e' || Text[At - 1] == 'E')))) {
                // A "." ends the number unless a digit follows: "fof(1, ...)." and "2.5".
                if (Text[At] == '.' && !(At + 1 < Text.size() && IsDigit(Text[At + 1])))
                    break;
                Take();
            }
            T.Text = Text.substr(Start, At - Start);
            T.Kind = TKind::Number;
            return T;
        }
        if (C == '\'' || C == '"') {
            Take();
            std::string Value;
            while (At < Text.size() && Text[At] != C) {
                if (Text[At] == '\\' && At + 1 < Text.size())
                    Take();
                if (Text[At] == '\n') {
                    T.Kind = TKind::Bad;
                    T.Text = C == '\'' ? "a quoted name is not closed on its line"
                                       : "a distinct object is not closed on its line";
                    return T;
                }
                Value += Text[At];
                Take();
            }
            if (At >= Text.size()) {
                T.Kind = TKind::Bad;
                T.Text = "a quoted text is not closed";
                return T;
            }
            Take();
            T.Kind = C == '\'' ? TKind::Quoted : TKind::Distinct;
            T.Text = Value;
            return T;
        }
        static const char* const Puncts[] = {"<=>", "<~>", "=>", "<=", "!=", "~|", "~&",
                                             "(",   ")",   "[",  "]",  ",",  ".",  ":",
                                             "!",   "?",   "~",  "&",  "|",  "="};
        for (const char* P : Puncts) {
            const std::size_t N = std::char_traits<char>::length(P);
            if (Text.compare(At, N, P) == 0) {
                for (std::size_t I = 0; I < N; ++I)
                    Take();
                T.Kind = TKind::Punct;
                T.Text = P;
                return T;
            }
        }
        T.Kind = TKind::Bad;
        T.Text = std::string("unexpected character '") + C + "'";
        Take();
        return T;
    }

private:
    static bool IsLower(char C) { return C >= 'a' && C <= 'z'; }
    static bool IsUpper(char C) { return C >= 'A' && C <= 'Z'; }
    static bool IsDigit(char C) { return C >= '0' && C <= '9'; }
    static bool IsAlnum(char C) { return IsLower(C) || IsUpper(C) || IsDigit(C) || C == '_'; }

    void Take()
    {
        if (Stop && ++Taken >= (1u << 16)) {
            Taken = 0;
            if ((*Stop)()) {
                WasStopped = true;
                At = Text.size();
                return;
            }
        }
        if (Text[At] == '\n') {
            ++Line;
            Column = 1;
        } else if ((static_cast<unsigned char>(Text[At]) & 0xC0) != 0x80) {
            ++Column; // a UTF-8 character counts once
        }
        ++At;
    }

    void SkipBlanksAndComments()
    {
        while (At < Text.size()) {
            const char C = Text[At];
            if (C == ' ' || C == '\t' || C == '\n' || C == '\r' || C == '\f' || C == '\v') {
                Take();
            } else if (C == '%') {
                while (At < Text.size() && Text[At] != '\n')
                    Take();
            } else if (C == '/' && At + 1 < Text.size() && Text[At + 1] == '*') {
                Take();
                Take();
                while (At < Text.size() && Text.compare(At, 2, "*/") != 0)
                    Take();
                if (At < Text.size()) {
                    Take();
                    Take();
                }
            } else {
                return;
            }
        }
    }

    const std::string& Text;
    const std::function<bool()>* Stop;
    std::size_t Taken = 0;
    bool WasStopped = false;
    std::size_t At = 0;
    std::size_t Line = 1;
    std::size_t Column = 1;
};

// ---- the formulas as read

struct TTerm {
    enum TSort { Variable, Function, Number, Distinct } Sort = Function;
    std::string Name;
    std::vector<TTerm> Args;
};

struct TNode {
    enum TSort { Atom, Equal, True, False, Not, And, Or, Implies, Equiv, All, Exists } Sort;
    TTerm Term; // an atom; for Equal the two sides are its arguments
    std::vector<std::unique_ptr<TNode>> Parts;
    std::vector<std::string> Variables; // of a quantifier
};
using TNodePtr = std::unique_ptr<TNode>;

TNodePtr Make(TNode::TSort Sort)
{
    auto N = std::make_unique<TNode>();
    N->Sort = Sort;
    return N;
}

TNodePtr MakeBinary(TNode::TSort Sort, TNodePtr A, TNodePtr B)
{
    TNodePtr N = Make(Sort);
    N->Parts.push_back(std::move(A));
    N->Parts.push_back(std::move(B));
    return N;
}

TNodePtr MakeNot(TNodePtr A)
{
    TNodePtr N = Make(TNode::Not);
    N->Parts.push_back(std::move(A));
    return N;
}

// ---- the reader of one file and its includes

class TReader {
public:
    TReader(TTptpProblem& AProblem, std::string ARoot, const std::function<bool()>& AStop)
        : Problem(AProblem), Root(std::move(ARoot)), Stop(AStop)
    {
    }

    // False on an error, which is in Problem.Error, or a stop (Problem.Stopped).
    bool ReadFile(const std::string& Path, const std::string& Text,
                  const std::vector<std::string>* Selection, int Depth)
    {
        TTptpScanner Scanner(Text, Stop ? &Stop : nullptr);
        File = Path;
        Scan = &Scanner;
        Advance();
        while (Token.Kind != TKind::End) {
            if (Token.Kind != TKind::Lower)
                return Fail("a formula begins with fof, cnf or include");
            const std::string Kind = Token.Text;
            const TToken Start = Token;
            Advance();
            if (!Expect("("))
                return false;
            if (Kind == "include") {
                if (!ReadInclude(Path, Depth))
                    return false;
                continue;
            }
            if (Kind != "fof" && Kind != "cnf") {
                Token = Start;
                return Fail("Nivar reads fof and cnf formulas, not " + Kind);
            }
            if (!ReadAnnotated(Kind == "cnf", Start, Selection))
                return false;
        }
        if (Scanner.Stopped())
            Problem.Stopped = true;
        return !Problem.Stopped;
    }

private:
    bool Fail(const std::string& Message)
    {
        if (Scan->Stopped()) { // the text ended at the stop: no fault of its own
            Problem.Stopped = true;
            return false;
        }
        if (Problem.Error.empty() && !Problem.Stopped) {
            Problem.Error = File + ":" + std::to_string(Token.Line) + ":" +
                            std::to_string(Token.Column) + ": error: " + Message;
            Problem.ErrorFile = File;
            Problem.ErrorLine = Token.Line;
            Problem.ErrorColumn = Token.Column;
        }
        return false;
    }

    void Advance()
    {
        if (Recording)
            Recorded.push_back(Token);
        Token = Scan->Next();
    }

    // The formula as the file writes it, from its tokens: one line, a blank between tokens
    // where TPTP's own layout has one.
    static std::string AsWritten(const std::vector<TToken>& Tokens)
    {
        std::string Out;
        for (std::size_t I = 0; I < Tokens.size(); ++I) {
            const TToken& T = Tokens[I];
            std::string Text = T.Text;
            if (T.Kind == TKind::Quoted)
                Text = TptpName(T.Text);
            else if (T.Kind == TKind::Distinct)
                Text = TTptpNaming::Distinct(T.Text, false);
            const bool Open = T.Kind == TKind::Punct && (T.Text == "(" || T.Text == "[");
            const bool Close =
                T.Kind == TKind::Punct && (T.Text == ")" || T.Text == "]" || T.Text == ",");
            const TToken* Before = I ? &Tokens[I - 1] : nullptr;
            const bool AfterOpen = Before && Before->Kind == TKind::Punct &&
                                   (Before->Text == "(" || Before->Text == "[");
            const bool Call = Open && T.Text == "(" && Before && Before->Kind != TKind::Punct;
            if (Before && !Close && !AfterOpen && !Call)
                Out += ' ';
            Out += Text;
        }
        return Out;
    }

    bool Is(const char* Punct) const { return Token.Kind == TKind::Punct && Token.Text == Punct; }

    bool Expect(const char* Punct)
    {
        if (Token.Kind == TKind::Bad)
            return Fail(Token.Text);
        if (!Is(Punct))
            return Fail(std::string("'") + Punct + "' expected");
        Advance();
        return true;
    }

    bool ReadName(std::string& Name)
    {
        if (Token.Kind != TKind::Lower && Token.Kind != TKind::Quoted &&
            Token.Kind != TKind::Number)
            return Fail("a name expected");
        Name = Token.Text;
        Advance();
        return true;
    }

    bool ReadInclude(const std::string& From, int Depth)
    {
        if (Token.Kind != TKind::Quoted)
            return Fail("include wants a file name in single quotes");
        const std::string Name = Token.Text;
        const TToken At = Token;
        Advance();
        std::vector<std::string> Selection;
        bool Selected = false;
        if (Is(",")) {
            Advance();
            if (!Expect("["))
                return false;
            Selected = true;
            while (!Is("]")) {
                std::string N;
                if (!ReadName(N))
                    return false;
                Selection.push_back(N);
                if (Is(","))
                    Advance();
                else if (!Is("]"))
                    return Fail("',' or ']' expected");
            }
            Advance();
        }
        if (!Expect(")") || !Expect("."))
            return false;
        if (Depth > 32) {
            Token = At;
            return Fail("includes nested too deeply");
        }
        // Looked for beside the including file, then under the root; a file that is there
        // but cannot be read is an error with its reason.
        const std::size_t Slash = From.find_last_of('/');
        const std::string Folder = Slash == std::string::npos ? "" : From.substr(0, Slash + 1);
        std::string Path;
        std::string Text;
        std::string Why;
        const bool Absolute = !Name.empty() && Name[0] == '/';
        for (const std::string& Candidate :
             {Absolute ? Name : Folder + Name,
              Root.empty() || Absolute ? std::string() : Root + "/" + Name}) {
            if (Candidate.empty() || (access(Candidate.c_str(), F_OK) != 0 && errno == ENOENT))
                continue;
            const TReadResult Result =
                ReadWholeFile(Candidate, Text, Why, [this](std::size_t) { return Stop && Stop(); });
            if (Result == TReadResult::Stopped) {
                Problem.Stopped = true;
                return false;
            }
            if (Result == TReadResult::Failed) {
                Token = At;
                return Fail("cannot read the included file '" + Name + "': " + Why);
            }
            Path = Candidate;
            break;
        }
        if (Path.empty()) {
            Token = At;
            return Fail("cannot read the included file '" + Name + "': " + std::strerror(ENOENT) +
                        " (looked beside the file" + (Root.empty() ? "" : " and in $TPTP") + ")");
        }
        // The included file is read with a scanner of its own; this one goes on after.
        const std::string SavedFile = File;
        TTptpScanner* SavedScan = Scan;
        const TToken SavedToken = Token;
        const bool Ok = ReadFile(Path, Text, Selected ? &Selection : nullptr, Depth + 1);
        File = SavedFile;
        Scan = SavedScan;
        Token = SavedToken;
        return Ok;
    }

    bool ReadAnnotated(bool Clause, const TToken& Start, const std::vector<std::string>* Selection)
    {
        TTptpFormula F;
        F.File = File;
        F.Line = Start.Line;
        F.Column = Start.Column;
        if (!ReadName(F.Name) || !Expect(","))
            return false;
        if (Token.Kind != TKind::Lower)
            return Fail("a role expected");
        F.Role = Token.Text;
        Advance();
        if (!Expect(","))
            return false;
        Quantified.clear();
        Free.clear();
        InClause = Clause;
        Recorded.clear();
        Recording = true;
        TNodePtr Body = Clause ? ReadClause() : ReadFormula();
        Recording = false;
        if (!Body)
            return false;
        F.Clause = Clause;
        F.Tptp = AsWritten(Recorded);
        if (!Free.empty())
            Problem.Open.push_back(F.Name + ": " + Free.front());
        // Annotations (source, useful info) are read over, brackets balanced.
        if (Is(",")) {
            int Open = 0;
            while (Token.Kind != TKind::End && !(Open == 0 && Is(")"))) {
                if (Token.Kind == TKind::Bad)
                    return Fail(Token.Text);
                if (Is("(") || Is("["))
                    ++Open;
                else if (Is(")") || Is("]"))
                    --Open;
                Advance();
            }
        }
        if (!Expect(")") || !Expect("."))
            return false;
        if (Selection &&
            std::find(Selection->begin(), Selection->end(), F.Name) == Selection->end())
            return true;
        if (F.Role == "type")
            return true;
        F.Query = F.Role == "conjecture";
        if (F.Query)
            Problem.HasConjecture = true;
        Collect(*Body);
        Body = Fold(std::move(Body));
        F.Text = Write(*Body);
        Problem.Formulas.push_back(std::move(F));
        return true;
    }

    // ---- formulas: <unit> (<binary connective> <unit>)*, & and | in chains of their own.

    TNodePtr ReadFormula()
    {
        TNodePtr Left = ReadUnit();
        if (!Left)
            return nullptr;
        static const std::pair<const char*, TNode::TSort> NonAssoc[] = {
            {"=>", TNode::Implies}, {"<=", TNode::Implies}, {"<=>", TNode::Equiv},
            {"<~>", TNode::Equiv},  {"~|", TNode::Or},      {"~&", TNode::And}};
        for (const auto& [Op, Sort] : NonAssoc)
            if (Is(Op)) {
                const std::string Which = Op;
                Advance();
                TNodePtr Right = ReadUnit();
                if (!Right)
                    return nullptr;
                if (Which == "<=")
                    return MakeBinary(Sort, std::move(Right), std::move(Left));
                TNodePtr N = MakeBinary(Sort, std::move(Left), std::move(Right));
                if (Which == "<~>" || Which == "~|" || Which == "~&")
                    return MakeNot(std::move(N));
                return N;
            }
        for (const auto& [Op, Sort] : {std::pair{"&", TNode::And}, std::pair{"|", TNode::Or}})
            if (Is(Op)) {
                while (Is(Op)) {
                    Advance();
                    TNodePtr Right = ReadUnit();
                    if (!Right)
                        return nullptr;
                    Left = MakeBinary(Sort, std::move(Left), std::move(Right));
                }
                if (Is("&") || Is("|") || Is("=>") || Is("<=") || Is("<=>") || Is("<~>"))
                    return Fail("brackets are needed where connectives mix"), nullptr;
                return Left;
            }
        return Left;
    }

    // One more level of nesting, within the limit of Nivar's own parser (whose formulas
    // nest deeper than the TPTP they come from).
    struct TLevel {
        explicit TLevel(TReader& AReader) : Reader(AReader) { ++Reader.Nesting; }
        ~TLevel() { --Reader.Nesting; }
        bool Within() { return Reader.Nesting <= MaxNesting / 4 || Reader.TooDeep(); }
        TReader& Reader;
    };

    bool TooDeep() { return Fail(ErrorMessage(ErrNestedTooDeeply)); }

    TNodePtr ReadUnit()
    {
        TLevel Level(*this);
        if (!Level.Within())
            return nullptr;
        if (Token.Kind == TKind::Bad)
            return Fail(Token.Text), nullptr;
        if (Is("(")) {
            Advance();
            TNodePtr F = ReadFormula();
            if (!F || !Expect(")"))
                return nullptr;
            return F;
        }
        if (Is("~")) {
            Advance();
            TNodePtr F = ReadUnit();
            return F ? MakeNot(std::move(F)) : nullptr;
        }
        if (Is("!") || Is("?")) {
            TNodePtr Q = Make(Is("!") ? TNode::All : TNode::Exists);
            Advance();
            if (!Expect("["))
                return nullptr;
            while (true) {
                if (Token.Kind != TKind::Upper)
                    return Fail("a variable expected"), nullptr;
                Q->Variables.push_back(Token.Text);
                Advance();
                if (Is(":")) // a typed variable: the type is read over
                    return Fail("typed variables belong to TFF, which Nivar does not read"),
                           nullptr;
                if (Is(",")) {
                    Advance();
                    continue;
                }
                if (!Expect("]"))
                    return nullptr;
                break;
            }
            if (!Expect(":"))
                return nullptr;
            const std::size_t Depth = Quantified.size();
            Quantified.insert(Quantified.end(), Q->Variables.begin(), Q->Variables.end());
            TNodePtr Body = ReadUnit();
            Quantified.resize(Depth);
            if (!Body)
                return nullptr;
            Q->Parts.push_back(std::move(Body));
            return Q;
        }
        return ReadAtomic();
    }

    TNodePtr ReadAtomic()
    {
        if (Token.Kind == TKind::Dollar && (Token.Text == "$true" || Token.Text == "$false")) {
            TNodePtr N = Make(Token.Text == "$true" ? TNode::True : TNode::False);
            Advance();
            return N;
        }
        TTerm Left;
        if (!ReadTerm(Left))
            return nullptr;
        if (Is("=") || Is("!=")) {
            const bool Negated = Is("!=");
            Advance();
            TTerm Right;
            if (!ReadTerm(Right))
                return nullptr;
            TNodePtr N = Make(TNode::Equal);
            N->Term.Args.push_back(std::move(Left));
            N->Term.Args.push_back(std::move(Right));
            Problem.UsesEquality = true;
            return Negated ? MakeNot(std::move(N)) : std::move(N);
        }
        if (Left.Sort != TTerm::Function)
            return Fail("a predicate expected"), nullptr;
        TNodePtr N = Make(TNode::Atom);
        N->Term = std::move(Left);
        return N;
    }

    bool ReadTerm(TTerm& T)
    {
        TLevel Level(*this);
        if (!Level.Within())
            return false;
        if (Token.Kind == TKind::Bad)
            return Fail(Token.Text);
        if (Token.Kind == TKind::Upper) {
            T.Sort = TTerm::Variable;
            T.Name = Token.Text;
            if (!InClause &&
                std::find(Quantified.begin(), Quantified.end(), T.Name) == Quantified.end())
                Free.push_back(T.Name);
            Advance();
            return true;
        }
        if (Token.Kind == TKind::Number) {
            T.Sort = TTerm::Number;
            T.Name = Token.Text;
            Advance();
            return true;
        }
        if (Token.Kind == TKind::Distinct) {
            T.Sort = TTerm::Distinct;
            T.Name = Token.Text;
            Advance();
            return true;
        }
        if (Token.Kind == TKind::Dollar)
            return Fail("Nivar does not read the defined symbol " + Token.Text);
        if (Token.Kind != TKind::Lower && Token.Kind != TKind::Quoted)
            return Fail("a term expected");
        T.Sort = TTerm::Function;
        T.Name = Token.Text;
        Advance();
        if (!Is("("))
            return true;
        Advance();
        while (true) {
            TTerm Arg;
            if (!ReadTerm(Arg))
                return false;
            T.Args.push_back(std::move(Arg));
            if (Is(",")) {
                Advance();
                continue;
            }
            return Expect(")");
        }
    }

    // A clause: literals joined by |, perhaps in brackets; its variables are universal.
    TNodePtr ReadClause()
    {
        TLevel Level(*this);
        if (!Level.Within())
            return nullptr;
        if (Is("(")) {
            Advance();
            TNodePtr C = ReadClause();
            if (!C || !Expect(")"))
                return nullptr;
            return C;
        }
        TNodePtr Left = ReadLiteral();
        while (Left && Is("|")) {
            Advance();
            TNodePtr Right = ReadLiteral();
            if (!Right)
                return nullptr;
            Left = MakeBinary(TNode::Or, std::move(Left), std::move(Right));
        }
        return Left;
    }

    TNodePtr ReadLiteral()
    {
        if (Is("~")) {
            Advance();
            TNodePtr A = ReadAtomic();
            return A ? MakeNot(std::move(A)) : nullptr;
        }
        return ReadAtomic();
    }

    // ---- the symbols, for the equality axioms

    void Note(std::vector<std::string>& List, const std::string& Name, std::size_t Arity)
    {
        const std::string Key = Name + "/" + std::to_string(Arity);
        if (Arity > 0 && Seen.insert(Key).second)
            List.push_back(Key);
    }

    void CollectTerm(const TTerm& T)
    {
        if (T.Sort != TTerm::Function)
            return;
        Problem.Names.insert(T.Name);
        Note(Problem.Functions, NivarName(T.Name), T.Args.size());
        for (const TTerm& A : T.Args)
            CollectTerm(A);
    }

    void Collect(const TNode& N)
    {
        if (N.Sort == TNode::Atom) {
            Problem.Names.insert(N.Term.Name);
            Note(Problem.Predicates, NivarName(N.Term.Name), N.Term.Args.size());
            for (const TTerm& A : N.Term.Args)
                CollectTerm(A);
        } else if (N.Sort == TNode::Equal) {
            for (const TTerm& A : N.Term.Args)
                CollectTerm(A);
        }
        for (const TNodePtr& P : N.Parts)
            Collect(*P);
    }

    // ---- $true and $false folded away, as far as they go

    static TNodePtr Fold(TNodePtr N)
    {
        for (TNodePtr& P : N->Parts)
            P = Fold(std::move(P));
        auto IsConst = [](const TNodePtr& P, TNode::TSort S) { return P->Sort == S; };
        switch (N->Sort) {
        case TNode::Not:
            if (IsConst(N->Parts[0], TNode::True))
                return Make(TNode::False);
            if (IsConst(N->Parts[0], TNode::False))
                return Make(TNode::True);
            return N;
        case TNode::All:
        case TNode::Exists:
            if (IsConst(N->Parts[0], TNode::True) || IsConst(N->Parts[0], TNode::False))
                return std::move(N->Parts[0]);
            return N;
        case TNode::And:
        case TNode::Or: {
            const TNode::TSort Unit = N->Sort == TNode::And ? TNode::True : TNode::False;
            const TNode::TSort Zero = N->Sort == TNode::And ? TNode::False : TNode::True;
            for (int I = 0; I < 2; ++I) {
                if (IsConst(N->Parts[I], Zero))
                    return Make(Zero);
                if (IsConst(N->Parts[I], Unit))
                    return std::move(N->Parts[1 - I]);
            }
            return N;
        }
        case TNode::Implies:
            if (IsConst(N->Parts[0], TNode::False) || IsConst(N->Parts[1], TNode::True))
                return Make(TNode::True);
            if (IsConst(N->Parts[0], TNode::True))
                return std::move(N->Parts[1]);
            if (IsConst(N->Parts[1], TNode::False))
                return Fold(MakeNot(std::move(N->Parts[0])));
            return N;
        case TNode::Equiv:
            for (int I = 0; I < 2; ++I) {
                if (IsConst(N->Parts[I], TNode::True))
                    return std::move(N->Parts[1 - I]);
                if (IsConst(N->Parts[I], TNode::False))
                    return Fold(MakeNot(std::move(N->Parts[1 - I])));
            }
            return N;
        default:
            return N;
        }
    }

    // ---- Nivar's text

    static std::string WriteTerm(const TTerm& T)
    {
        switch (T.Sort) {
        case TTerm::Variable:
            return T.Name;
        case TTerm::Number:
            return NivarNumber(T.Name);
        case TTerm::Distinct:
            return "\"" + NivarString(T.Name) + "\"";
        default:
            break;
        }
        std::string S = NivarName(T.Name);
        if (!T.Args.empty()) {
            S += '(';
            for (std::size_t I = 0; I < T.Args.size(); ++I)
                S += (I ? ", " : "") + WriteTerm(T.Args[I]);
            S += ')';
        }
        return S;
    }

    static std::string Write(const TNode& N)
    {
        const char And = static_cast<char>(Sym::And);
        switch (N.Sort) {
        case TNode::Atom:
            return WriteTerm(N.Term);
        case TNode::Equal:
            return WriteTerm(N.Term.Args[0]) + " = " + WriteTerm(N.Term.Args[1]);
        case TNode::True:
        case TNode::False: {
            // Nivar reads no truth constants: a formula that is true and one that is false.
            const std::string Atom = TptpTrueAtom;
            const char Op = N.Sort == TNode::True ? static_cast<char>(Sym::Or) : And;
            return "[" + Atom + " " + Op + " " + static_cast<char>(Sym::Not) + Atom + "]";
        }
        case TNode::Not:
            return std::string(1, static_cast<char>(Sym::Not)) + "[" + Write(*N.Parts[0]) + "]";
        case TNode::And:
        case TNode::Or:
        case TNode::Implies:
        case TNode::Equiv: {
            const unsigned char Op = N.Sort == TNode::And       ? Sym::And
                                     : N.Sort == TNode::Or      ? Sym::Or
                                     : N.Sort == TNode::Implies ? Sym::Implies
                                                                : Sym::Equiv;
            return "[" + Write(*N.Parts[0]) + " " + std::string(1, static_cast<char>(Op)) + " " +
                   Write(*N.Parts[1]) + "]";
        }
        case TNode::All:
        case TNode::Exists: {
            std::string S(1, static_cast<char>(N.Sort == TNode::All ? Sym::ForAll : Sym::Exists));
            for (std::size_t I = 0; I < N.Variables.size(); ++I)
                S += (I ? ", " : "") + N.Variables[I];
            return S + " [" + Write(*N.Parts[0]) + "]";
        }
        }
        return std::string();
    }

    TTptpProblem& Problem;
    std::string Root;
    const std::function<bool()>& Stop;
    int Nesting = 0;
    std::string File;
    TTptpScanner* Scan = nullptr;
    TToken Token;
    std::vector<std::string> Quantified;
    std::vector<std::string> Free; // variables of the fof formula that no quantifier binds
    bool Recording = false;        // the tokens of the formula being read are kept
    std::vector<TToken> Recorded;
    bool InClause = false;
    std::set<std::string> Seen;
};

std::string Symbol(unsigned char B)
{
    return std::string(1, static_cast<char>(B));
}

// The equality axioms of the problem's symbols.
std::vector<std::string> EqualityAxioms(const TTptpProblem& P)
{
    const std::string All = Symbol(Sym::ForAll);
    const std::string Imp = " " + Symbol(Sym::Implies) + " ";
    const std::string And = " " + Symbol(Sym::And) + " ";
    std::vector<std::string> Out = {
        All + "X [X = X]",
        All + "X, Y [X = Y" + Imp + "Y = X]",
        All + "X, Y, Z [[X = Y" + And + "Y = Z]" + Imp + "X = Z]",
    };
    auto Args = [](std::size_t Arity, std::size_t At, const char* V) {
        std::string S;
        for (std::size_t I = 0; I < Arity; ++I)
            S += std::string(I ? ", " : "") + (I == At ? V : "A" + std::to_string(I));
        return S;
    };
    auto Prefix = [&All](std::size_t Arity, std::size_t At) {
        std::string S = All + "X, Y";
        for (std::size_t I = 0; I < Arity; ++I)
            if (I != At)
                S += ", A" + std::to_string(I);
        return S;
    };
    auto Split = [](const std::string& Key, std::string& Name, std::size_t& Arity) {
        const std::size_t Slash = Key.rfind('/');
        Name = Key.substr(0, Slash);
        Arity = static_cast<std::size_t>(std::stoul(Key.substr(Slash + 1)));
    };
    for (const std::string& Key : P.Functions) {
        std::string F;
        std::size_t N = 0;
        Split(Key, F, N);
        for (std::size_t I = 0; I < N; ++I)
            Out.push_back(Prefix(N, I) + " [X = Y" + Imp + F + "(" + Args(N, I, "X") + ") = " + F +
                          "(" + Args(N, I, "Y") + ")]");
    }
    for (const std::string& Key : P.Predicates) {
        std::string F;
        std::size_t N = 0;
        Split(Key, F, N);
        for (std::size_t I = 0; I < N; ++I)
            Out.push_back(Prefix(N, I) + " [[X = Y" + And + F + "(" + Args(N, I, "X") + ")]" + Imp +
                          F + "(" + Args(N, I, "Y") + ")]");
    }
    return Out;
}
} // namespace

bool LooksLikeTptp(const std::string& Text)
{
    TTptpScanner Scanner(Text);
    const TToken First = Scanner.Next();
    if (First.Kind != TKind::Lower ||
        (First.Text != "fof" && First.Text != "cnf" && First.Text != "include"))
        return false;
    const TToken Open = Scanner.Next();
    return Open.Kind == TKind::Punct && Open.Text == "(";
}

TTptpProblem ReadTptp(const std::string& Path, const std::string& Text, const std::string& TptpRoot,
                      const std::function<bool()>& Stop)
{
    TTptpProblem Problem;
    TReader Reader(Problem, TptpRoot, Stop);
    if (!Reader.ReadFile(Path, Text, nullptr, 0))
        Problem.Formulas.clear();
    return Problem;
}

std::string NivarDocument(const TTptpProblem& Problem, bool EqualityAxioms_,
                          std::vector<TTptpPlace>* Places)
{
    std::string Out;
    if (EqualityAxioms_ && Problem.UsesEquality) {
        Out += "% The axioms of equality for the symbols of the problem.\n";
        for (const std::string& A : EqualityAxioms(Problem))
            Out += A + ".\n";
    }
    for (bool Queries : {false, true})
        for (const TTptpFormula& F : Problem.Formulas)
            if (F.Query == Queries) {
                Out += "% " + F.Name + " (" + F.Role + ")\n";
                if (Places)
                    Places->push_back({Out.size(), F.File, F.Line, F.Column});
                Out += (Queries ? "?- " : "") + F.Text + ".\n";
            }
    if (!Problem.HasConjecture) // the problem is refuted as a whole: a query no axiom mentions
        Out += "% No conjecture: the axioms are refuted as they stand.\n?- " +
               std::string(TptpGoalAtom) + ".\n";
    return Out;
}

TTptpSources TptpSources(const TTptpProblem& Problem, bool EqualityAxioms_,
                         const std::string& FileName)
{
    TTptpSources Out;
    if (EqualityAxioms_ && Problem.UsesEquality) {
        Out.Axioms.assign(EqualityAxioms(Problem).size(), "theory(equality)");
        Out.AxiomTexts.resize(Out.Axioms.size());
    }
    // A file name is always single quoted.
    std::string Quoted = TptpName(FileName);
    if (Quoted.empty() || Quoted[0] != '\'')
        Quoted = "'" + Quoted + "'";
    const std::string File = "file(" + Quoted + ", ";
    for (const TTptpFormula& F : Problem.Formulas) {
        // A formula's name is a word or an integer.
        const bool Integer =
            !F.Name.empty() && F.Name.find_first_not_of("0123456789") == std::string::npos;
        (F.Query ? Out.Queries : Out.Axioms)
            .push_back(File + (Integer ? F.Name : TptpName(F.Name)) + ")");
        (F.Query ? Out.QueryTexts : Out.AxiomTexts).push_back({F.Clause ? "cnf" : "fof", F.Tptp});
    }
    if (!Problem.HasConjecture) {
        Out.Queries.push_back("introduced(assumption)");
        Out.QueryTexts.emplace_back();
    }
    return Out;
}
