#include "../fuzz/harness.h"

#include <dirent.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {
std::vector<std::string> FilesIn(const std::string& Dir)
{
    std::vector<std::string> Paths;
    if (DIR* D = opendir(Dir.c_str())) {
        while (dirent* E = readdir(D))
            if (E->d_name[0] != '.')
                Paths.push_back(Dir + "/" + E->d_name);
        closedir(D);
    }
    std::sort(Paths.begin(), Paths.end());
    return Paths;
}

std::string Read(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
}

// Every input a fuzzer ever found at fault, and the seed corpus, through both targets.
TEST(FuzzRegressions, EveryKeptInputRunsCleanly)
{
    const std::string Root = NIVAR_FUZZ_DIR;
    std::vector<std::string> Inputs = FilesIn(Root + "/regressions");
    for (const char* Corpus : {"/corpus/compile", "/corpus/prove"})
        for (const std::string& P : FilesIn(Root + Corpus))
            Inputs.push_back(P);
    ASSERT_FALSE(Inputs.empty());
    for (const std::string& Path : Inputs) {
        SCOPED_TRACE(Path);
        const std::string Bytes = Read(Path);
        const auto* Data = reinterpret_cast<const std::uint8_t*>(Bytes.data());
        CompileAll(Data, Bytes.size());
        ProveGenerated(Data, Bytes.size());
    }
}

} // namespace
