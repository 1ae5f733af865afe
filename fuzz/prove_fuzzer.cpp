// Fuzz target: generated documents through whole proof runs in every strategy and option.
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    ProveGenerated(Data, Size);
    return 0;
}
