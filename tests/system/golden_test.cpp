#include "cli/args.h"
#include "model/runstate.h"
#include "support/prover.h"

#include <dirent.h>
#include <fstream>
#include <sstream>

namespace {
std::string ReadText(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
}

std::vector<std::string> GoldenCases()
{
    std::vector<std::string> Names;
    if (DIR* Dir = opendir(NIVAR_GOLDEN_DIR)) {
        while (dirent* E = readdir(Dir)) {
            const std::string Name = E->d_name;
            if (Name.size() > 4 && Name.substr(Name.size() - 4) == ".txt")
                Names.push_back(Name.substr(0, Name.size() - 4));
        }
        closedir(Dir);
    }
    std::sort(Names.begin(), Names.end());
    return Names;
}

class Golden : public TProverTest {};

// Each document with its complete report, every line checked by hand.
TEST_F(Golden, ReportsMatchLineForLine)
{
    const std::vector<std::string> Cases = GoldenCases();
    ASSERT_GE(Cases.size(), 15u);
    for (const std::string& Name : Cases) {
        SCOPED_TRACE(Name);
        const std::string Base = std::string(NIVAR_GOLDEN_DIR) + "/" + Name;
        std::vector<std::string> Argv = {"nivar-prove"};
        std::istringstream Options(ReadText(Base + ".options"));
        for (std::string Word; Options >> Word;)
            Argv.push_back(Word);
        Argv.push_back(Base + ".txt");
        std::vector<const char*> Pointers;
        for (const std::string& A : Argv)
            Pointers.push_back(A.c_str());
        const TArguments Args = ParseArguments(static_cast<int>(Pointers.size()), Pointers.data());
        ASSERT_EQ(Args.Error, "");
        Owner.Options = Args.Options;
        DCFLimit = Args.DCFLimit;
        EXPECT_EQ(RunText(ReadText(Base + ".txt"), Args.Strategy), ReadText(Base + ".report"));
        EXPECT_TRUE(Owner.TakeMessages().empty() || Name.find("error") != std::string::npos);
        DCFLimit = 10;
    }
}
} // namespace
