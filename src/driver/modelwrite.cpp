#include "driver/modelwrite.h"

#include "driver/signature.h"
#include "model/tptpnames.h"

#include <set>

namespace {
std::string Tuple(const TTuple& T)
{
    std::string S;
    for (std::size_t I = 0; I < T.size(); ++I)
        S += (I ? ", " : "") + std::to_string(T[I]);
    return S;
}
} // namespace

namespace {
// How the names of a model are shown: as the file has them for a problem read from TPTP.
struct TShown {
    const TTptpNaming* Naming;

    std::string Name(const std::string& N) const { return Naming ? Naming->Functor(N) : N; }
    std::string Tptp(const std::string& N) const
    {
        return Naming ? Naming->Functor(N) : TptpName(N);
    }
    // A number or string as printed by Nivar, in TPTP.
    std::string Literal(const std::string& L) const
    {
        if (!L.empty() && L[0] == '"')
            return TTptpNaming::Distinct(L.substr(1, L.size() - 2), Naming != nullptr);
        if (Naming && TTptpNaming::IsNumber(L))
            return Naming->Functor(L);
        return L.find_first_not_of("-0123456789") == std::string::npos ? L : "'" + L + "'";
    }
    // The reader's helper atoms are no predicates of the problem.
    bool Helper(const std::string& N) const
    {
        return Naming && (N == TptpTrueAtom || N == TptpGoalAtom);
    }
};
} // namespace

std::vector<std::string> ModelBlock(const TInterpretation& I,
                                    const std::vector<TFALFormula*>& Formulas,
                                    const TTptpNaming* Naming)
{
    const TShown Shown{Naming};
    const TSignature S = SignatureOf(Formulas, Naming);
    std::vector<std::string> Out{"Counter-model, domain size " + std::to_string(I.Size) + ":"};
    std::string Values;
    auto Add = [](std::string& Line, const std::string& Item) {
        Line += (Line.empty() ? "  " : "  ") + Item;
    };
    for (const std::string& L : S.Literals)
        if (I.Literals.count(L))
            Add(Values,
                (Naming ? Shown.Literal(L) : L) + " = " + std::to_string(I.Literals.at(L)) + ".");
    for (const std::string& C : S.Constants) {
        const auto It = I.Constants.find(C);
        Add(Values,
            Shown.Name(C) + " = " + std::to_string(It == I.Constants.end() ? 0 : It->second) + ".");
    }
    for (const auto& Function : S.Functions)
        ForEachTuple(I.Size, Function.second, [&](const TTuple& T) {
            const std::string& Name = Function.first;
            const auto It = I.Functions.find({Name, T});
            Add(Values, Shown.Name(Name) + "(" + Tuple(T) + ") = " +
                            std::to_string(It == I.Functions.end() ? 0 : It->second) + ".");
        });
    if (!Values.empty())
        Out.push_back(Values);
    std::string Relations;
    for (const auto& Predicate : S.Predicates) {
        const std::string& Name = Predicate.first;
        const int Arity = Predicate.second;
        if (Shown.Helper(Name))
            continue;
        if (Arity == 0) {
            const auto It = I.Predicates.find({Name, {}});
            Add(Relations, Shown.Name(Name) + ": " +
                               (It != I.Predicates.end() && It->second ? "true." : "false."));
            continue;
        }
        std::string Set;
        ForEachTuple(I.Size, Arity, [&](const TTuple& T) {
            const auto It = I.Predicates.find({Name, T});
            if (It != I.Predicates.end() && It->second)
                Set += (Set.empty() ? "" : ", ") + (Arity == 1 ? Tuple(T) : "(" + Tuple(T) + ")");
        });
        Add(Relations, Shown.Name(Name) + ": {" + Set + "}.");
    }
    if (!Relations.empty())
        Out.push_back(Relations);
    return Out;
}

std::vector<std::string> TptpModel(const TInterpretation& I,
                                   const std::vector<TFALFormula*>& Formulas,
                                   const TTptpNaming* Naming)
{
    const TShown Shown{Naming};
    const TSignature S = SignatureOf(Formulas, Naming);
    // A number or string of the formulas is its own element and is written as itself; every
    // other element is a distinct object of a name that none of them has.
    std::vector<std::string> Element(static_cast<std::size_t>(I.Size));
    std::set<std::string> Taken;
    for (const auto& [L, E] : I.Literals)
        if (E >= 0 && E < I.Size) {
            Element[static_cast<std::size_t>(E)] = Shown.Literal(L);
            Taken.insert(Element[static_cast<std::size_t>(E)]);
        }
    for (int E = 0; E < I.Size; ++E) {
        std::string& Name = Element[static_cast<std::size_t>(E)];
        if (!Name.empty())
            continue;
        Name = "\"e" + std::to_string(E) + "\"";
        while (Taken.count(Name))
            Name.insert(Name.size() - 1, "_");
        Taken.insert(Name);
    }
    auto Of = [&Element](int E) { return Element[static_cast<std::size_t>(E)]; };
    std::vector<std::string> Out;
    std::string Domain;
    for (int E = 0; E < I.Size; ++E)
        Domain += (E ? " | X = " : "X = ") + Of(E);
    Out.push_back("fof(nivar_domain, fi_domain, ! [X] : (" + Domain + ")).");
    std::string Functors;
    auto And = [](std::string& Line, const std::string& Item) {
        Line += (Line.empty() ? "" : " & ") + Item;
    };
    for (const std::string& C : S.Constants) {
        const auto It = I.Constants.find(C);
        And(Functors, Shown.Tptp(C) + " = " + Of(It == I.Constants.end() ? 0 : It->second));
    }
    auto Args = [&Of](const TTuple& T) {
        std::string A;
        for (std::size_t K = 0; K < T.size(); ++K)
            A += (K ? ", " : "") + Of(T[K]);
        return A;
    };
    for (const auto& Function : S.Functions)
        ForEachTuple(I.Size, Function.second, [&](const TTuple& T) {
            const std::string& F = Function.first;
            const auto It = I.Functions.find({F, T});
            And(Functors, Shown.Tptp(F) + "(" + Args(T) +
                              ") = " + Of(It == I.Functions.end() ? 0 : It->second));
        });
    if (!Functors.empty())
        Out.push_back("fof(nivar_functors, fi_functors, (" + Functors + ")).");
    std::string Predicates;
    for (const auto& Predicate : S.Predicates) {
        if (Shown.Helper(Predicate.first))
            continue;
        ForEachTuple(I.Size, Predicate.second, [&](const TTuple& T) {
            const std::string& P = Predicate.first;
            const int Arity = Predicate.second;
            const auto It = I.Predicates.find({P, T});
            const bool True = It != I.Predicates.end() && It->second;
            And(Predicates,
                std::string(True ? "" : "~ ") + Shown.Tptp(P) + (Arity ? "(" + Args(T) + ")" : ""));
        });
    }
    if (!Predicates.empty())
        Out.push_back("fof(nivar_predicates, fi_predicates, (" + Predicates + ")).");
    return Out;
}
