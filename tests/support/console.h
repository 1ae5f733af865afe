// Test support: nivar-prove run as a user runs it, with pipes of its own.
#pragma once

#include <gtest/gtest.h>
#include <string>
#include <sys/types.h>
#include <vector>

struct TResult {
    int Status = -1;
    std::string Out;
    std::string Err;
    double CpuSeconds = 0; // of the process and the children it waited for
};

// A run of nivar-prove; its standard output may instead be a file (OutputPath) or a pipe that
// nobody reads (CloseOutput).
class TProver {
public:
    explicit TProver(const std::vector<std::string>& Args, const std::string& Input = "",
                     bool CloseOutput = false, const std::string& OutputPath = "");
    void Signal(int Number);
    TResult Wait();

private:
    pid_t Pid = -1;
    int Out = -1;
    int Err = -1;
};

class TConsoleTest : public ::testing::Test {
protected:
    static TResult Run(const std::vector<std::string>& Args, const std::string& Input = "")
    {
        return TProver(Args, Input).Wait();
    }
    // A document in a file of the test's own, since tests run side by side.
    static std::string Write(const std::string& Name, const std::string& Text);
    static std::vector<std::string> Lines(const std::string& Text);
    // The lines that begin with Prefix.
    static std::vector<std::string> Starting(const std::string& Text, const std::string& Prefix);
};
