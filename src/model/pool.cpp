#include "model/pool.h"

#include "model/alloc.h"

namespace Pool {
TFree* FreeLists[Classes] = {};
std::int64_t LiveBytes = 0;
std::int64_t ChunkBytes = 0;

namespace {
// Every chunk begins with a link to the one before: they stay reachable for the leak checker
// of a sanitized build, which then finds a leaked object by LiveBytes instead.
TFree* Chunks = nullptr;
} // namespace

// Chunks are taken from the heap and kept for the life of the process.
void Refill(std::size_t Class)
{
    constexpr std::size_t ChunkSize = 65536;
    const std::size_t Block = BlockSize(Class);
    auto* Chunk = static_cast<char*>(AllocateChunk(ChunkSize));
    ChunkBytes += static_cast<std::int64_t>(ChunkSize);
    auto* Link = reinterpret_cast<TFree*>(Chunk);
    Link->Next = Chunks;
    Chunks = Link;
    for (std::size_t At = Block; At + Block <= ChunkSize; At += Block) {
        auto* F = reinterpret_cast<TFree*>(Chunk + At);
        F->Next = FreeLists[Class];
        FreeLists[Class] = F;
        NIVAR_POISON(F, Block);
    }
}
} // namespace Pool
