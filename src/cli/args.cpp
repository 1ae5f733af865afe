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

bool ParseNumber(const std::string& Text, double& Value)
{
    char* End = nullptr;
    Value = std::strtod(Text.c_str(), &End);
    return !Text.empty() && End == Text.c_str() + Text.size();
}
} // namespace

std::string UsageText()
{
    return "Usage: nivar-prove [options] FILE\n"
           "Proves the queries of a Nivar document and writes the report.\n"
           "\n"
           "Modes:\n"
           "  --parse            print each formula as read, one per line\n"
           "  --compile          print each formula compiled and simplified\n"
           "  --help             this text\n"
           "\n"
           "Search:\n"
           "  --strategy linear|breadth|modified   (default linear)\n"
           "  --check none|consequence|equivalence (default consequence)\n"
           "  --restrict none|filtration|support   (default none)\n"
           "  --exit first-match|last-match|first-unused (default first-match)\n"
           "  --one-refutation   stop at the first refutation\n"
           "  --quantification   Quantification On\n"
           "  --general-cut      General cut\n"
           "  --skolem           Skolemization\n"
           "  --dcf-limit N      self-resolution steps per check (default 10, at least 1)\n"
           "  --timeout SECONDS  press Stop after that much wall time\n"
           "  --memory-limit MB  stop a run whose data grows past this (default: half the\n"
           "                     physical memory; 0 for none)\n"
           "\n"
           "Report:\n"
           "  --axioms --resolvents --statistics --unsimplified --sr-check\n"
           "  --no-progress --no-sources --no-time --no-memory\n"
           "  --bytes            write the symbol bytes instead of UTF-8\n"
           "\n"
           "Exit status: 0 every query refuted, 1 a query not refuted, 2 syntax error,\n"
           "3 the run was stopped (--timeout, the memory limit, a resolvent too large),\n"
           "64 bad usage, 66 the file cannot be read.\n";
}

TArguments ParseArguments(int Argc, const char* const* Argv)
{
    TArguments A;
    auto Fail = [&A](const std::string& Message) {
        if (A.Error.empty())
            A.Error = Message;
    };
    for (int I = 1; I < Argc; ++I) {
        const std::string Arg = Argv[I];
        auto Value = [&](std::string& Out) {
            if (I + 1 >= Argc) {
                Fail("option " + Arg + " needs a value");
                return false;
            }
            Out = Argv[++I];
            return true;
        };
        bool Known = false;
        for (const TFlag& F : Flags)
            if (Arg == F.Name) {
                A.Options.Set(F.Item, F.Value);
                Known = true;
            }
        if (Known)
            continue;
        std::string V;
        if (Arg == "--help" || Arg == "-h") {
            A.Mode = TMode::Help;
        } else if (Arg == "--parse") {
            A.Mode = TMode::Parse;
        } else if (Arg == "--compile") {
            A.Mode = TMode::Compile;
        } else if (Arg == "--bytes") {
            A.Bytes = true;
        } else if (Arg == "--strategy") {
            if (!Value(V))
                continue;
            if (V == "linear")
                A.Strategy = TStrategy::Linear;
            else if (V == "breadth")
                A.Strategy = TStrategy::Breadthfirst1;
            else if (V == "modified")
                A.Strategy = TStrategy::ModifLinear1;
            else
                Fail("unknown strategy '" + V + "'");
        } else if (Arg == "--check" || Arg == "--restrict" || Arg == "--exit") {
            if (!Value(V))
                continue;
            bool Found = false;
            for (const TChoice& C : Choices)
                if (Arg == C.Flag && V == C.Value) {
                    A.Options.Choose(C.Item);
                    Found = true;
                }
            if (!Found)
                Fail("unknown value '" + V + "' for " + Arg);
        } else if (Arg == "--dcf-limit") {
            if (!Value(V))
                continue;
            const TLimitEntry Limit = ParseDCFLimit(V);
            if (Limit.Valid)
                A.DCFLimit = Limit.Value;
            else
                Fail(Limit.Message);
        } else if (Arg == "--memory-limit") {
            double Megabytes = 0;
            if (Value(V) && (!ParseNumber(V, Megabytes) || Megabytes < 0))
                Fail("--memory-limit needs a number of megabytes (0 for none)");
            A.MemoryLimit = static_cast<std::int64_t>(Megabytes * 1024 * 1024);
        } else if (Arg == "--timeout") {
            double Seconds = 0;
            if (Value(V) && (!ParseNumber(V, Seconds) || Seconds <= 0))
                Fail("--timeout needs a positive number of seconds");
            A.Timeout = Seconds;
        } else if (Arg.size() > 1 && Arg[0] == '-') {
            Fail("unknown option " + Arg);
        } else if (A.File.empty()) {
            A.File = Arg;
        } else {
            Fail("only one FILE may be given");
        }
    }
    if (A.Mode != TMode::Help && A.File.empty())
        Fail("no FILE given");
    return A;
}
