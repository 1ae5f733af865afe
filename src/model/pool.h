// Small-object pools for the formula model: nodes, terms, variables and short lists are made
// and freed by the million in a search, and a free list serves them faster than the heap.
// Under the sanitizer a free block is poisoned, so that a use after free is still caught.
#pragma once

#include "model/sanitized.h"

#include <cstddef>
#include <cstdint>
#include <new>

namespace Pool {
inline constexpr std::size_t Granule = 16;
inline constexpr std::size_t Classes = 12; // objects up to 192 bytes

struct TFree {
    TFree* Next;
};

// One free list per size class; the model is used from one thread only.
extern TFree* FreeLists[Classes];
// Bytes of the blocks handed out and not yet taken back: part of AllocatedBytes. Spare
// blocks and chunks are not counted. A test that ends with more than it began with leaked.
extern std::int64_t LiveBytes;
// Bytes of the chunks taken from the heap, which the heap's own count holds.
extern std::int64_t ChunkBytes;
void Refill(std::size_t Class);

inline std::size_t ClassOf(std::size_t Size)
{
    return (Size - 1) / Granule;
}
inline std::size_t BlockSize(std::size_t Class)
{
    return (Class + 1) * Granule;
}
} // namespace Pool

inline void* PoolAllocate(std::size_t Size)
{
    if (Size == 0 || Size > Pool::Classes * Pool::Granule)
        return ::operator new(Size);
    const std::size_t Class = Pool::ClassOf(Size);
    if (!Pool::FreeLists[Class])
        Pool::Refill(Class);
    Pool::TFree* F = Pool::FreeLists[Class];
    NIVAR_UNPOISON(F, Pool::BlockSize(Class));
    Pool::FreeLists[Class] = F->Next;
    Pool::LiveBytes += static_cast<std::int64_t>(Pool::BlockSize(Class));
    return F;
}

inline void PoolRelease(void* Object, std::size_t Size)
{
    if (!Object)
        return;
    if (Size == 0 || Size > Pool::Classes * Pool::Granule) {
        ::operator delete(Object);
        return;
    }
    auto* F = static_cast<Pool::TFree*>(Object);
    const std::size_t Class = Pool::ClassOf(Size);
    F->Next = Pool::FreeLists[Class];
    Pool::FreeLists[Class] = F;
    Pool::LiveBytes -= static_cast<std::int64_t>(Pool::BlockSize(Class));
    NIVAR_POISON(F, Pool::BlockSize(Class));
}
