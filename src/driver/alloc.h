// The heap statistic of the process: bytes currently allocated, in constant time.
#pragma once

#include <cstdint>

std::int64_t AllocatedBytes();
// Makes every allocation beyond Bytes in all fail (0: none), where the process counts its
// allocations itself; returns whether it does.
bool SetAllocationLimit(std::int64_t Bytes);
// Raises PeakAllocated to the bytes allocated now when that is more.
void SamplePeak();
