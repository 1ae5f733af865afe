#include "cli/args.h"

#include <cstdlib>
#include <string_view>

namespace {
bool ParseNumber(const std::string& Text, double& Value)
{
    char* End = nullptr;
    Value = std::strtod(Text.c_str(), &End);
    return !Text.empty() && End == Text.c_str() + Text.size();
}

// An option that sets a report or search item of the menus.
template <TOption Item, bool Value> std::string SetItem(TArguments& A, const std::string&)
{
    A.Options.Set(Item, Value);
    return "";
}

struct TValueItem {
    std::string_view Value;
    TOption Item;
};

// An option whose value picks one item of a radio group.
template <const auto& Items> std::string ChooseItem(TArguments& A, const std::string& V)
{
    for (const TValueItem& C : Items)
        if (V == C.Value) {
            A.Options.Choose(C.Item);
            return "";
        }
    return "unknown value '" + V + "'";
}

constexpr TValueItem Checks[] = {{"none", TOption::Redcheck1},
                                 {"consequence", TOption::Checkby1},
                                 {"equivalence", TOption::Checkby2}};
constexpr TValueItem Restrictions[] = {
    {"none", TOption::Without1}, {"filtration", TOption::Filtra1}, {"support", TOption::Support1}};
constexpr TValueItem Exits[] = {{"first-match", TOption::Exiton1},
                                {"last-match", TOption::Exiton2},
                                {"first-unused", TOption::Exiton3}};

std::string Strategy(TArguments& A, const std::string& V)
{
    constexpr std::pair<std::string_view, TStrategy> Names[] = {
        {"linear", TStrategy::Linear},
        {"breadth", TStrategy::Breadthfirst1},
        {"modified", TStrategy::ModifLinear1},
        {"best", TStrategy::BestFirst1},
        {"clauses", TStrategy::Clauses}};
    for (const auto& [Name, S] : Names)
        if (V == Name) {
            A.Strategy = S;
            return "";
        }
    return "unknown strategy '" + V + "'";
}

std::string DcfLimit(TArguments& A, const std::string& V)
{
    // The window's input box takes 0 as 1; a command line that says 0 is a mistake.
    const TLimitEntry Limit = ParseDCFLimit(V);
    if (!Limit.Valid)
        return "--dcf-limit: " + Limit.Message;
    if (std::strtoll(V.c_str(), nullptr, 10) < 1)
        return "--dcf-limit needs a whole number of at least 1";
    A.DCFLimit = Limit.Value;
    return "";
}

std::string Seconds(double& Into, const char* Name, const std::string& V)
{
    double S = 0;
    if (!ParseNumber(V, S) || !(S > 0) || S > 1e9)
        return std::string(Name) + " needs a positive number of seconds";
    Into = S;
    return "";
}

std::string MemoryLimit(TArguments& A, const std::string& V)
{
    double Megabytes = 0;
    if (!ParseNumber(V, Megabytes) || Megabytes < 0 || Megabytes > 1e12)
        return "--memory-limit needs a number of megabytes (0 for none)";
    A.MemoryLimit = static_cast<std::int64_t>(Megabytes * 1024 * 1024);
    return "";
}

std::string MaxDomain(TArguments& A, const std::string& V)
{
    double N = 0;
    if (!ParseNumber(V, N) || N < 1 || N > 64 || N != static_cast<int>(N))
        return "--max-domain needs a whole number from 1 to 64";
    A.MaxDomain = static_cast<int>(N);
    return "";
}

std::string ProofFormat(TArguments& A, const std::string& V)
{
    if (V == "tstp")
        A.Proof = TArguments::TProofFormat::Tstp;
    else if (V == "dot")
        A.Proof = TArguments::TProofFormat::Dot;
    else
        return "unknown proof format '" + V + "' (tstp or dot)";
    return "";
}

std::string ModelFormat(TArguments& A, const std::string& V)
{
    if (V != "tptp")
        return "unknown model format '" + V + "' (tptp)";
    A.ModelTptp = true;
    return "";
}

template <TMode Mode> std::string SetMode(TArguments& A, const std::string&)
{
    A.Mode = Mode;
    return "";
}

template <bool TArguments::*Field> std::string SetFlag(TArguments& A, const std::string&)
{
    A.*Field = true;
    return "";
}

std::string Automatic(TArguments& A, const std::string&)
{
    ChooseAutomatic(A);
    return "";
}

enum class TSection : std::uint8_t { Modes, Search, Limits, Report };

// One option of the command line: its name, the value it takes (none when empty), where the
// help lists it, whether it chooses how queries are proved, its help, and what it does (a
// message when its value is bad).
struct TOptionSpec {
    std::string_view Name;
    std::string_view Value;
    TSection Section;
    bool Search;
    std::string_view Help;
    std::string (*Apply)(TArguments&, const std::string&);
};

constexpr TOptionSpec Specs[] = {
    {"--parse", "", TSection::Modes, false, "print each formula as read, one per line",
     SetMode<TMode::Parse>},
    {"--compile", "", TSection::Modes, false, "print each formula compiled and simplified",
     SetMode<TMode::Compile>},
    {"--help", "", TSection::Modes, false, "this text", SetMode<TMode::Help>},
    {"--version", "", TSection::Modes, false, "the version of nivar-prove",
     SetMode<TMode::Version>},

    {"--strategy", "linear|breadth|modified|best|clauses", TSection::Search, true,
     "the search strategy (default linear); best-first search uses no consequence check and no "
     "exit option, ends "
     "at the first refutation, and proves a query whose connectives join quantified formulas "
     "case by case; clauses is best-first search on the clause form: formulas split into "
     "clauses, one negative literal of a clause resolved, subsumed clauses dropped",
     Strategy},
    {"--auto", "", TSection::Search, true,
     "the automatic mode: Skolemization, and for each query (or each of its cases) best-first "
     "search on the clause form, linear, best-first and breadth-first search in time slices "
     "until one refutes it (a problem with equality: superposition on the clause form, then "
     "with a cautious literal selection, then again); the report names the one that did",
     Automatic},
    {"--check", "none|consequence|equivalence", TSection::Search, true,
     "the redundancy check of new resolvents (default consequence)", ChooseItem<Checks>},
    {"--restrict", "none|filtration|support", TSection::Search, true,
     "the pairs tried (default none)", ChooseItem<Restrictions>},
    {"--exit", "first-match|last-match|first-unused", TSection::Search, true,
     "which unifiable atom pairs are resolved (default first-match)", ChooseItem<Exits>},
    {"--one-refutation", "", TSection::Search, true, "stop at the first refutation",
     SetItem<TOption::Oneref1, true>},
    {"--quantification", "", TSection::Search, true, "Quantification On",
     SetItem<TOption::Quant1, true>},
    {"--general-cut", "", TSection::Search, true, "General cut", SetItem<TOption::General, true>},
    {"--skolem", "", TSection::Search, true, "Skolemization", SetItem<TOption::Skolem1, true>},
    {"--dcf-limit", "N", TSection::Search, true,
     "self-resolution steps per check (default 10, at least 1)", DcfLimit},
    {"--equality-axioms", "", TSection::Search, false,
     "a TPTP problem that uses = gets the axioms of equality; without them only --auto, "
     "--strategy clauses and --model-search, which read = as equality, take such a problem "
     "(the other strategies refuse it: Inappropriate)",
     SetFlag<&TArguments::EqualityAxioms>},
    {"--counter-models", "", TSection::Search, true,
     "look for a counter-model of each query beside its proof, in a second process: the first "
     "answer decides (a refutation, or a finite world where the axioms hold and the query "
     "fails: status CounterSatisfiable); --auto does it too",
     SetFlag<&TArguments::CounterModels>},
    {"--model-search", "", TSection::Search, true, "look for counter-models only, no proof",
     SetFlag<&TArguments::ModelSearchOnly>},
    {"--max-domain", "N", TSection::Search, false,
     "the largest domain a model search tries (default 8)", MaxDomain},

    {"--timeout", "SECONDS", TSection::Limits, false, "wall-clock time of the whole run",
     [](TArguments& A, const std::string& V) { return Seconds(A.Timeout, "--timeout", V); }},
    {"--cpu-limit", "SECONDS", TSection::Limits, false, "CPU time of the run, its processes summed",
     [](TArguments& A, const std::string& V) { return Seconds(A.CpuLimit, "--cpu-limit", V); }},
    {"--memory-limit", "MB", TSection::Limits, false,
     "data a run may hold, its input included (default: half the physical memory; 0 for none)",
     MemoryLimit},

    {"--axioms", "", TSection::Report, false, "the axioms, numbered, before each query",
     SetItem<TOption::Axioms, true>},
    {"--resolvents", "", TSection::Report, false, "every resolvent, kept or not",
     SetItem<TOption::Resolvents, true>},
    {"--statistics", "", TSection::Report, false, "the counts of each query's search",
     SetItem<TOption::Stat, true>},
    {"--unsimplified", "", TSection::Report, false, "resolvents also before simplification",
     SetItem<TOption::Unsim, true>},
    {"--sr-check", "", TSection::Report, false, "the formulas of the redundancy check",
     SetItem<TOption::SRcheck1, true>},
    {"--no-progress", "", TSection::Report, false, "no line per new resolvent",
     SetItem<TOption::Progress, false>},
    {"--no-sources", "", TSection::Report, false, "resolvents without their parents",
     SetItem<TOption::Sources, false>},
    {"--no-time", "", TSection::Report, false, "no solving time", SetItem<TOption::Time, false>},
    {"--no-memory", "", TSection::Report, false, "no memory lines",
     SetItem<TOption::Memory1, false>},
    {"--bytes", "", TSection::Report, false, "write the symbol bytes instead of UTF-8",
     SetFlag<&TArguments::Bytes>},
    {"--szs", "", TSection::Report, false,
     "after each query a line '% SZS status STATUS for NAME': Theorem, GaveUp, Timeout, "
     "MemoryOut, ResourceOut, User, NotTried, SyntaxError, or Unknown (a refutation in the "
     "default mode that used an existential quantifier); CounterSatisfiable when a "
     "counter-model was found; for a TPTP problem also Unsatisfiable (no conjecture, the "
     "axioms refuted) and Inappropriate; after a refutation with an answer, '% SZS answers "
     "Tuple [[...]|_]'",
     SetFlag<&TArguments::Szs>},
    {"--model", "tptp", TSection::Report, false,
     "a counter-model also as a TPTP finite interpretation between SZS output lines", ModelFormat},
    {"--proof", "tstp|dot", TSection::Report, false,
     "after each refuted query its derivation: a TSTP refutation between SZS output lines, or "
     "a Graphviz DOT graph (from 'digraph' to '}'); needs --skolem, --quantification or "
     "--auto; the report stays as it is, but for the bytes of the derivation in 'Used memory "
     "for proof'",
     ProofFormat},
};

const TOptionSpec* FindSpec(std::string_view Name)
{
    if (Name == "-h")
        Name = "--help";
    for (const TOptionSpec& S : Specs)
        if (S.Name == Name)
            return &S;
    return nullptr;
}

// Text wrapped to lines of at most Width characters, the lines after the first indented by
// Indent; the first begins at column Start.
std::string Wrap(std::string_view Text, std::size_t Width, std::size_t Indent = 0,
                 std::size_t Start = 0)
{
    std::string Out;
    std::size_t Line = Start;
    bool First = true;
    while (!Text.empty()) {
        const std::size_t Space = Text.find(' ');
        const std::string_view Word = Text.substr(0, Space);
        Text = Space == Text.npos ? std::string_view() : Text.substr(Space + 1);
        if (!First && Line + 1 + Word.size() > Width) {
            Out += "\n" + std::string(Indent, ' ');
            Line = Indent;
        } else if (!First) {
            Out += ' ';
            ++Line;
        }
        First = false;
        Out += Word;
        Line += Word.size();
    }
    return Out;
}

std::string SearchOptionList()
{
    std::string Out;
    for (const TOptionSpec& S : Specs)
        if (S.Search)
            Out += std::string(Out.empty() ? "" : ", ") + std::string(S.Name);
    return Out;
}
} // namespace

std::vector<std::string> OptionNames()
{
    std::vector<std::string> Out;
    for (const TOptionSpec& S : Specs)
        Out.emplace_back(S.Name);
    return Out;
}

std::vector<std::string> SearchOptionNames()
{
    std::vector<std::string> Out;
    for (const TOptionSpec& S : Specs)
        if (S.Search)
            Out.emplace_back(S.Name);
    return Out;
}

std::string UsageText()
{
    constexpr std::size_t Width = 78;
    constexpr std::size_t Column = 21; // where the help of an option begins
    std::string Out =
        "Usage: nivar-prove [options] FILE\n" +
        Wrap("Proves the queries of a Nivar document and writes the report on standard output. "
             "A TPTP problem (FILE.p, or a file that begins with fof( or cnf() is read too: its "
             "axioms, then a query per conjecture; includes are looked for beside it, then in "
             "the folder named by the TPTP environment variable. Without a search option (" +
                 SearchOptionList() +
                 ") a TPTP problem is proved in the automatic mode. FILE may be - for standard "
                 "input. Options that take a value accept --opt VALUE and --opt=VALUE; -- ends "
                 "the options.",
             Width) +
        "\n";
    const char* const Titles[] = {
        "Modes:", "Search:",
        "Limits (a run that reaches one ends with a 'Stopped:' line, then the time and memory "
        "lines; the queries after it are not tried):",
        "Report:"};
    for (int Section = 0; Section < 4; ++Section) {
        Out += "\n" + Wrap(Titles[Section], Width) + "\n";
        for (const TOptionSpec& S : Specs) {
            if (static_cast<int>(S.Section) != Section)
                continue;
            std::string Head = "  " + std::string(S.Name);
            if (!S.Value.empty())
                Head += " " + std::string(S.Value);
            // A long head stands on a line of its own, its help below.
            if (Head.size() + 1 > Column)
                Head += "\n" + std::string(Column, ' ');
            else
                Head += std::string(Column - Head.size(), ' ');
            Out += Head + Wrap(S.Help, Width, Column, Column) + "\n";
        }
        if (Section == 2)
            Out += "  Ctrl+C (SIGINT) and SIGTERM stop the run the same way.\n";
    }
    return Out + "\n" +
           Wrap("Exit status: 0 every query refuted (Theorem, Unsatisfiable, Unknown); 1 a query "
                "not refuted, or no query (GaveUp, CounterSatisfiable, Satisfiable); 2 syntax "
                "error or a problem Nivar does not take (SyntaxError, Inappropriate); 3 the run "
                "was stopped (Timeout, MemoryOut, ResourceOut, User); 64 bad usage; 66 the file "
                "cannot be read; 74 the report cannot be written.",
                Width) +
           "\n";
}

std::string ProofModeError(const TArguments& A)
{
    // The default mode ignores quantifiers: a step of its proofs need not follow from its
    // parents.
    if (A.Proof != TArguments::TProofFormat::None && A.Strategy != TStrategy::Auto &&
        !A.Options.Checked(TOption::Skolem1) && !A.Options.Checked(TOption::Quant1))
        return "--proof needs --skolem, --quantification or --auto: the default mode ignores "
               "quantifiers, so its steps need not follow from their parents";
    return "";
}

void ChooseAutomatic(TArguments& A)
{
    A.Strategy = TStrategy::Auto;
    A.CounterModels = true;
}

TArguments ParseArguments(int Argc, const char* const* Argv)
{
    TArguments A;
    auto Fail = [&A](const std::string& Message) {
        if (A.Error.empty() && !Message.empty())
            A.Error = Message;
    };
    bool OptionsEnded = false;
    for (int I = 1; I < Argc; ++I) {
        const std::string Word = Argv[I];
        if (OptionsEnded || Word == "-" || Word.empty() || Word[0] != '-') {
            if (A.File.empty())
                A.File = Word;
            else
                Fail("only one FILE may be given");
            continue;
        }
        if (Word == "--") {
            OptionsEnded = true;
            continue;
        }
        // --opt=value and --opt value
        std::string Name = Word;
        std::string Value;
        bool HasValue = false;
        if (const std::size_t Eq = Word.find('='); Word.rfind("--", 0) == 0 && Eq != Word.npos) {
            Name = Word.substr(0, Eq);
            Value = Word.substr(Eq + 1);
            HasValue = true;
        }
        const TOptionSpec* Spec = FindSpec(Name);
        if (!Spec) {
            Fail("unknown option " + Name);
            continue;
        }
        if (!Spec->Value.empty() && !HasValue) {
            if (I + 1 >= Argc) {
                Fail("option " + Name + " needs a value");
                continue;
            }
            Value = Argv[++I];
        } else if (Spec->Value.empty() && HasValue) {
            Fail("option " + Name + " takes no value");
            continue;
        }
        A.SearchChosen = A.SearchChosen || Spec->Search;
        std::string Error = Spec->Apply(A, Value);
        if (Error.rfind("unknown value", 0) == 0)
            Error += " for " + Name;
        Fail(Error);
    }
    // A TPTP problem without a search option is proved in the automatic mode: the check
    // waits until the file is known.
    if (A.SearchChosen)
        Fail(ProofModeError(A));
    if (A.Mode != TMode::Help && A.Mode != TMode::Version && A.File.empty())
        Fail("no FILE given");
    return A;
}
