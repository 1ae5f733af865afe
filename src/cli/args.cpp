#include "cli/args.h"

#include <cstdlib>
#include <string_view>

namespace {
struct TFlag {
    std::string_view Name;
    TOption Item;
    bool Value;
};

constexpr TFlag Flags[] = {
    {"--axioms", TOption::Axioms, true},          {"--no-progress", TOption::Progress, false},
    {"--no-sources", TOption::Sources, false},    {"--resolvents", TOption::Resolvents, true},
    {"--no-time", TOption::Time, false},          {"--no-memory", TOption::Memory1, false},
    {"--unsimplified", TOption::Unsim, true},     {"--statistics", TOption::Stat, true},
    {"--sr-check", TOption::SRcheck1, true},      {"--quantification", TOption::Quant1, true},
    {"--general-cut", TOption::General, true},    {"--skolem", TOption::Skolem1, true},
    {"--one-refutation", TOption::Oneref1, true},
};

struct TChoice {
    std::string_view Flag;
    std::string_view Value;
    TOption Item;
};

constexpr TChoice Choices[] = {
    {"--check", "none", TOption::Redcheck1},        {"--check", "consequence", TOption::Checkby1},
    {"--check", "equivalence", TOption::Checkby2},  {"--restrict", "none", TOption::Without1},
    {"--restrict", "filtration", TOption::Filtra1}, {"--restrict", "support", TOption::Support1},
    {"--exit", "first-match", TOption::Exiton1},    {"--exit", "last-match", TOption::Exiton2},
    {"--exit", "first-unused", TOption::Exiton3},
};

// The options that take a value, as the next word or after "=".
constexpr std::string_view Valued[] = {
    "--strategy",  "--check",        "--restrict", "--exit",       "--dcf-limit", "--timeout",
    "--cpu-limit", "--memory-limit", "--proof",    "--max-domain", "--model"};

bool ParseNumber(const std::string& Text, double& Value)
{
    char* End = nullptr;
    Value = std::strtod(Text.c_str(), &End);
    return !Text.empty() && End == Text.c_str() + Text.size();
}

// The options that choose how a query is proved; without one, a TPTP problem gets the
// automatic mode.
constexpr std::string_view SearchFlags[] = {"--strategy",       "--auto",        "--check",
                                            "--restrict",       "--exit",        "--dcf-limit",
                                            "--counter-models", "--model-search"};

bool Searching(TOption Item)
{
    return Item == TOption::Quant1 || Item == TOption::Skolem1 || Item == TOption::General ||
           Item == TOption::Oneref1;
}

bool TakesValue(std::string_view Name)
{
    for (std::string_view V : Valued)
        if (Name == V)
            return true;
    return false;
}
} // namespace

std::string UsageText()
{
    return "Usage: nivar-prove [options] FILE\n"
           "Proves the queries of a Nivar document and writes the report on standard output.\n"
           "A TPTP problem (FILE.p, or a file that begins with fof( or cnf() is read too:\n"
           "its axioms, then a query per conjecture; includes are looked for beside it, then\n"
           "in the folder named by the TPTP environment variable. Without a search option\n"
           "(--strategy, --auto, --skolem, --quantification, --general-cut,\n"
           "--one-refutation, --check, --restrict, --exit, --dcf-limit, --counter-models,\n"
           "--model-search) a TPTP problem is proved in the automatic mode.\n"
           "FILE may be - for standard input. Options that take a value accept --opt VALUE\n"
           "and --opt=VALUE; -- ends the options.\n"
           "\n"
           "Modes:\n"
           "  --parse            print each formula as read, one per line\n"
           "  --compile          print each formula compiled and simplified\n"
           "  --help             this text\n"
           "  --version          the version of nivar-prove\n"
           "\n"
           "Search:\n"
           "  --strategy linear|breadth|modified|best|clauses   (default linear);\n"
           "                     best-first search uses no consequence check and no\n"
           "                     exit option, ends at the first refutation, and proves\n"
           "                     a query whose connectives join quantified formulas case\n"
           "                     by case; clauses is best-first search on the clause\n"
           "                     form: formulas split into clauses, one negative literal\n"
           "                     of a clause resolved, subsumed clauses dropped\n"
           "  --auto             the automatic mode: Skolemization, and for each query (or\n"
           "                     each of its cases) best-first search on the clause form,\n"
           "                     linear, best-first and breadth-first search in time\n"
           "                     slices until one refutes it; the report names the one\n"
           "                     that did\n"
           "  --check none|consequence|equivalence (default consequence)\n"
           "  --restrict none|filtration|support   (default none)\n"
           "  --exit first-match|last-match|first-unused (default first-match)\n"
           "  --one-refutation   stop at the first refutation\n"
           "  --quantification   Quantification On\n"
           "  --general-cut      General cut\n"
           "  --skolem           Skolemization\n"
           "  --dcf-limit N      self-resolution steps per check (default 10, at least 1)\n"
           "  --equality-axioms  a TPTP problem that uses = gets the axioms of equality;\n"
           "                     without it such a problem is refused (Inappropriate)\n"
           "\n"
           "Limits (a run that reaches one ends with a 'Stopped:' line, then the time and\n"
           "memory lines; the queries after it are not tried):\n"
           "  --timeout SECONDS  wall-clock time of the whole run\n"
           "  --cpu-limit SECONDS  CPU time of the run, its processes summed\n"
           "  --memory-limit MB  data a run may hold, its input included (default: half\n"
           "                     the physical memory; 0 for none)\n"
           "  Ctrl+C (SIGINT) and SIGTERM stop the run the same way.\n"
           "\n"
           "Report:\n"
           "  --axioms --resolvents --statistics --unsimplified --sr-check\n"
           "  --no-progress --no-sources --no-time --no-memory\n"
           "  --bytes            write the symbol bytes instead of UTF-8\n"
           "  --szs              after each query a line '% SZS status STATUS for NAME':\n"
           "                     Theorem, GaveUp, Timeout, MemoryOut, ResourceOut, User,\n"
           "                     NotTried, SyntaxError, or Unknown (a refutation in the\n"
           "                     default mode that used an existential quantifier); for a\n"
           "                     TPTP problem also Unsatisfiable (no conjecture, the\n"
           "                     axioms refuted) and Inappropriate; after a\n"
           "                     refutation with an answer, '% SZS answers Tuple [[...]|_]'\n"
           "  --counter-models   look for a counter-model of each query beside its proof, in\n"
           "                     a second process: the first answer decides (a refutation,\n"
           "                     or a finite world where the axioms hold and the query\n"
           "                     fails: status CounterSatisfiable); --auto does it too\n"
           "  --model-search     look for counter-models only, no proof\n"
           "  --max-domain N     the largest domain a model search tries (default 8)\n"
           "  --model tptp       a counter-model also as a TPTP finite interpretation\n"
           "                     between SZS output lines\n"
           "  --proof tstp|dot   after each refuted query its derivation: a TSTP refutation\n"
           "                     between SZS output lines, or a Graphviz DOT graph (from\n"
           "                     'digraph' to '}'); needs --skolem, --quantification or\n"
           "                     --auto; the report stays as it is, but for the bytes of\n"
           "                     the derivation in 'Used memory for proof'\n"
           "\n"
           "Exit status: 0 every query refuted (Theorem, Unsatisfiable, Unknown); 1 a query\n"
           "not refuted, or no query (GaveUp, CounterSatisfiable, Satisfiable); 2 syntax\n"
           "error or a problem Nivar does not take (SyntaxError, Inappropriate); 3 the run\n"
           "was stopped (Timeout, MemoryOut, ResourceOut, User); 64 bad usage; 66 the file\n"
           "cannot be read; 74 the report cannot be written.\n";
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
    auto AddFile = [&](const std::string& Name) {
        if (A.File.empty())
            A.File = Name;
        else
            Fail("only one FILE may be given");
    };
    bool OptionsEnded = false;
    for (int I = 1; I < Argc; ++I) {
        const std::string Word = Argv[I];
        if (OptionsEnded || Word == "-" || Word.empty() || Word[0] != '-') {
            AddFile(Word);
            continue;
        }
        if (Word == "--") {
            OptionsEnded = true;
            continue;
        }
        // --opt=value and --opt value
        std::string Arg = Word;
        std::string V;
        bool HasValue = false;
        if (const std::size_t Eq = Word.find('='); Word.rfind("--", 0) == 0 && Eq != Word.npos) {
            Arg = Word.substr(0, Eq);
            V = Word.substr(Eq + 1);
            HasValue = true;
        }
        if (TakesValue(Arg)) {
            if (!HasValue) {
                if (I + 1 >= Argc) {
                    Fail("option " + Arg + " needs a value");
                    continue;
                }
                V = Argv[++I];
            }
        } else if (HasValue) {
            Fail("option " + Arg + " takes no value");
            continue;
        }
        bool Known = false;
        for (const TFlag& F : Flags)
            if (Arg == F.Name) {
                A.Options.Set(F.Item, F.Value);
                A.SearchChosen = A.SearchChosen || Searching(F.Item);
                Known = true;
            }
        if (Known)
            continue;
        for (std::string_view S : SearchFlags)
            A.SearchChosen = A.SearchChosen || Arg == S;
        if (Arg == "--help" || Arg == "-h") {
            A.Mode = TMode::Help;
        } else if (Arg == "--version") {
            A.Mode = TMode::Version;
        } else if (Arg == "--parse") {
            A.Mode = TMode::Parse;
        } else if (Arg == "--compile") {
            A.Mode = TMode::Compile;
        } else if (Arg == "--bytes") {
            A.Bytes = true;
        } else if (Arg == "--auto") {
            ChooseAutomatic(A);
        } else if (Arg == "--counter-models") {
            A.CounterModels = true;
        } else if (Arg == "--model-search") {
            A.ModelSearchOnly = true;
        } else if (Arg == "--max-domain") {
            double N = 0;
            if (!ParseNumber(V, N) || N < 1 || N > 64 || N != static_cast<int>(N))
                Fail("--max-domain needs a whole number from 1 to 64");
            else
                A.MaxDomain = static_cast<int>(N);
        } else if (Arg == "--model") {
            if (V == "tptp")
                A.ModelTptp = true;
            else
                Fail("unknown model format '" + V + "' (tptp)");
        } else if (Arg == "--equality-axioms") {
            A.EqualityAxioms = true;
        } else if (Arg == "--szs") {
            A.Szs = true;
        } else if (Arg == "--proof") {
            if (V == "tstp")
                A.Proof = TArguments::TProofFormat::Tstp;
            else if (V == "dot")
                A.Proof = TArguments::TProofFormat::Dot;
            else
                Fail("unknown proof format '" + V + "' (tstp or dot)");
        } else if (Arg == "--strategy") {
            if (V == "linear")
                A.Strategy = TStrategy::Linear;
            else if (V == "breadth")
                A.Strategy = TStrategy::Breadthfirst1;
            else if (V == "modified")
                A.Strategy = TStrategy::ModifLinear1;
            else if (V == "best")
                A.Strategy = TStrategy::BestFirst1;
            else if (V == "clauses")
                A.Strategy = TStrategy::Clauses;
            else
                Fail("unknown strategy '" + V + "'");
        } else if (Arg == "--check" || Arg == "--restrict" || Arg == "--exit") {
            bool Found = false;
            for (const TChoice& C : Choices)
                if (Arg == C.Flag && V == C.Value) {
                    A.Options.Choose(C.Item);
                    Found = true;
                }
            if (!Found)
                Fail("unknown value '" + V + "' for " + Arg);
        } else if (Arg == "--dcf-limit") {
            // The window's input box takes 0 as 1; a command line that says 0 is a mistake.
            const TLimitEntry Limit = ParseDCFLimit(V);
            if (!Limit.Valid)
                Fail("--dcf-limit: " + Limit.Message);
            else if (std::strtoll(V.c_str(), nullptr, 10) < 1)
                Fail("--dcf-limit needs a whole number of at least 1");
            else
                A.DCFLimit = Limit.Value;
        } else if (Arg == "--memory-limit") {
            double Megabytes = 0;
            if (!ParseNumber(V, Megabytes) || Megabytes < 0)
                Fail("--memory-limit needs a number of megabytes (0 for none)");
            A.MemoryLimit = static_cast<std::int64_t>(Megabytes * 1024 * 1024);
        } else if (Arg == "--timeout" || Arg == "--cpu-limit") {
            double Seconds = 0;
            if (!ParseNumber(V, Seconds) || !(Seconds > 0) || Seconds > 1e9)
                Fail(Arg + " needs a positive number of seconds");
            (Arg == "--timeout" ? A.Timeout : A.CpuLimit) = Seconds;
        } else {
            Fail("unknown option " + Arg);
        }
    }
    // A TPTP problem without a search option is proved in the automatic mode: the check
    // waits until the file is known.
    if (A.SearchChosen)
        Fail(ProofModeError(A));
    if (A.Mode != TMode::Help && A.Mode != TMode::Version && A.File.empty())
        Fail("no FILE given");
    return A;
}
