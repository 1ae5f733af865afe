// Fuzz target: arbitrary bytes through the compiler.
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    CompileAll(Data, Size);
    return 0;
}
