// The heap statistic of the process: bytes currently allocated, in constant time.
#pragma once

#include <cstdint>

std::int64_t AllocatedBytes();
// Raises PeakAllocated to the bytes allocated now when that is more.
void SamplePeak();
