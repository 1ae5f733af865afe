// The heap statistic of the process: bytes of live objects, whether they came from the heap or
// from the model's pools, in constant time.
#pragma once

#include <cstddef>
#include <cstdint>

std::int64_t AllocatedBytes();
// Raises PeakAllocated to the bytes allocated now when that is more.
void SamplePeak();
// A generous share of the physical memory: the default memory limit.
std::int64_t DefaultMemoryLimit();
// Makes every allocation beyond Bytes in all fail (0: none), where the process counts its
// allocations itself; returns whether it does.
bool SetAllocationLimit(std::int64_t Bytes);
// Memory for a pool's chunk: it obeys the limit but is not counted, since the pool counts the
// objects it hands out of it.
void* AllocateChunk(std::size_t Size);
