#include "model/pool.h"

#include "model/alloc.h"

#ifndef NIVAR_PLAIN_HEAP

namespace Pool {
TFree* FreeLists[Classes] = {};
std::int64_t LiveBytes = 0;

// Chunks are taken from the heap and kept for the life of the process.
void Refill(std::size_t Class)
{
    constexpr std::size_t ChunkSize = 65536;
    const std::size_t Block = (Class + 1) * Granule;
    auto* Chunk = static_cast<char*>(AllocateChunk(ChunkSize));
    for (std::size_t At = 0; At + Block <= ChunkSize; At += Block) {
        auto* F = reinterpret_cast<TFree*>(Chunk + At);
        F->Next = FreeLists[Class];
        FreeLists[Class] = F;
    }
}
} // namespace Pool

#endif
