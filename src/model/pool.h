// Small-object pools for the formula model: nodes, terms, variables and short lists are made
// and freed by the million in a search, and a free list serves them faster than the heap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define NIVAR_PLAIN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NIVAR_PLAIN_HEAP 1
#endif
#endif

#ifdef NIVAR_PLAIN_HEAP

// Under the sanitizer every object comes from the heap, so that a use after free is seen.
inline void* PoolAllocate(std::size_t Size)
{
    return ::operator new(Size);
}
inline void PoolRelease(void* Object, std::size_t)
{
    ::operator delete(Object);
}

#else

namespace Pool {
inline constexpr std::size_t Granule = 16;
inline constexpr std::size_t Classes = 12; // objects up to 192 bytes

struct TFree {
    TFree* Next;
};

// One free list per size class; the model is used from one thread only.
extern TFree* FreeLists[Classes];
// Bytes of the blocks handed out and not yet taken back: part of AllocatedBytes. Spare
// blocks and chunks are not counted.
extern std::int64_t LiveBytes;
void Refill(std::size_t Class);

inline std::size_t ClassOf(std::size_t Size)
{
    return (Size - 1) / Granule;
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
    Pool::FreeLists[Class] = F->Next;
    Pool::LiveBytes += static_cast<std::int64_t>((Class + 1) * Pool::Granule);
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
    Pool::LiveBytes -= static_cast<std::int64_t>((Class + 1) * Pool::Granule);
}

#endif
