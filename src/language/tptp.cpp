#include "language/tptp.h"

#include "language/lexer.h"
#include "language/parser.h"
#include "language/readfile.h"
#include "language/tptpscan.h"
#include "language/tptptree.h"
#include "model/tptpnames.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <set>
#include <unistd.h>

namespace {
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
                for (bool Continues = false; Is(Op); Continues = true) {
                    Advance();
                    TNodePtr Right = ReadUnit();
                    if (!Right)
                        return nullptr;
                    Left = JoinChain(Sort, std::move(Left), std::move(Right), Continues);
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
        for (bool Continues = false; Left && Is("|"); Continues = true) {
            Advance();
            TNodePtr Right = ReadLiteral();
            if (!Right)
                return nullptr;
            Left = JoinChain(TNode::Or, std::move(Left), std::move(Right), Continues);
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
