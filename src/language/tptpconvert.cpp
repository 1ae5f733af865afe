#include "language/tptp.h"
#include "language/tptptree.h"
#include "model/symbols.h"
#include "model/tptpnames.h"

#include <algorithm>

TNodePtr Fold(TNodePtr N)
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
        if (std::any_of(N->Parts.begin(), N->Parts.end(),
                        [&](const TNodePtr& P) { return IsConst(P, Zero); }))
            return Make(Zero);
        std::erase_if(N->Parts, [&](const TNodePtr& P) { return IsConst(P, Unit); });
        if (N->Parts.empty())
            return Make(Unit);
        if (N->Parts.size() == 1)
            return std::move(N->Parts[0]);
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

std::string WriteTerm(const TTerm& T)
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

namespace {
// Parts [From, To) of a chain of Op. Nivar reads a chain from the left, so a short one is
// written as it was read; a long one in halves, so that Nivar's formula is as shallow as its
// parser needs (it nests a chain as deep as the chain is long).
std::string WriteChain(const TNode& N, unsigned char Op, std::size_t From, std::size_t To)
{
    constexpr std::size_t Short = 64;
    const std::string Joint = " " + std::string(1, static_cast<char>(Op)) + " ";
    if (To - From == 1)
        return Write(*N.Parts[From]);
    if (To - From <= Short) {
        std::string S = Write(*N.Parts[From]);
        for (std::size_t I = From + 1; I < To; ++I)
            S = "[" + S + Joint + Write(*N.Parts[I]) + "]";
        return S;
    }
    const std::size_t Middle = From + (To - From) / 2;
    return "[" + WriteChain(N, Op, From, Middle) + Joint + WriteChain(N, Op, Middle, To) + "]";
}
} // namespace

std::string Write(const TNode& N)
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
        return WriteChain(N, Op, 0, N.Parts.size());
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

namespace {
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
    // Each argument place of each symbol ("name/arity"): Axiom(name, arity, place).
    auto EachPlace = [](const std::vector<std::string>& Keys, const auto& Axiom) {
        for (const std::string& Key : Keys) {
            const std::size_t Slash = Key.rfind('/');
            const std::size_t Arity = static_cast<std::size_t>(std::stoul(Key.substr(Slash + 1)));
            for (std::size_t I = 0; I < Arity; ++I)
                Axiom(Key.substr(0, Slash), Arity, I);
        }
    };
    EachPlace(P.Functions, [&](const std::string& F, std::size_t N, std::size_t I) {
        Out.push_back(Prefix(N, I) + " [X = Y" + Imp + F + "(" + Args(N, I, "X") + ") = " + F +
                      "(" + Args(N, I, "Y") + ")]");
    });
    EachPlace(P.Predicates, [&](const std::string& F, std::size_t N, std::size_t I) {
        Out.push_back(Prefix(N, I) + " [[X = Y" + And + F + "(" + Args(N, I, "X") + ")]" + Imp + F +
                      "(" + Args(N, I, "Y") + ")]");
    });
    return Out;
}
} // namespace

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

TTptpDocument ReadTptpDocument(const std::string& Path, const std::string& Text,
                               const std::string& Root, bool EqualityAxioms_,
                               const std::string& Head, const std::function<bool()>& Stop)
{
    TTptpDocument Out;
    Out.Problem = ReadTptp(Path, Text, Root, Stop);
    if (!Out.Problem.Error.empty() || Out.Problem.Stopped)
        return Out;
    Out.Text = Head + NivarDocument(Out.Problem, EqualityAxioms_, &Out.Places);
    for (TTptpPlace& P : Out.Places)
        P.Offset += Head.size();
    Out.Sources =
        TptpSources(Out.Problem, EqualityAxioms_, Path.substr(Path.find_last_of('/') + 1));
    return Out;
}
