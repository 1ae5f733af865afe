#include "model/alloc.h"

#include "model/pool.h"
#include "model/runstate.h"

#include <new>
#include <unistd.h>

void SamplePeak()
{
    const std::int64_t Now = AllocatedBytes() - HostHeldBytes;
    if (Now > PeakAllocated)
        PeakAllocated = Now;
}

std::int64_t DefaultMemoryLimit()
{
    const long Pages = sysconf(_SC_PHYS_PAGES);
    const long PageSize = sysconf(_SC_PAGE_SIZE);
    if (Pages <= 0 || PageSize <= 0)
        return 0;
    return static_cast<std::int64_t>(Pages) * PageSize / 2;
}

#ifdef NIVAR_SANITIZED

#include <cstddef>

extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

// The sanitizer's allocator keeps the count of the heap; replacing operator new would blind
// its checks. The pools' chunks are in it: their live blocks count instead.
std::int64_t AllocatedBytes()
{
    return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes()) - Pool::ChunkBytes +
           Pool::LiveBytes;
}

bool SetAllocationLimit(std::int64_t)
{
    return false;
}

void* AllocateChunk(std::size_t Size)
{
    return ::operator new(Size);
}

#else

#include <atomic>
#include <cstdlib>
#include <malloc.h>

namespace {
std::atomic<std::int64_t> Allocated{0};
std::atomic<std::int64_t> Limit{0};

void* Allocate(std::size_t Size, bool Throw)
{
    for (;;) {
        const std::int64_t Cap = Limit.load(std::memory_order_relaxed);
        if (Cap > 0 && Allocated.load(std::memory_order_relaxed) + std::int64_t(Size) > Cap) {
            if (Throw)
                throw std::bad_alloc();
            return nullptr;
        }
        if (void* P = std::malloc(Size ? Size : 1)) {
            Allocated.fetch_add(static_cast<std::int64_t>(malloc_usable_size(P)),
                                std::memory_order_relaxed);
            return P;
        }
        std::new_handler Handler = std::get_new_handler();
        if (!Handler) {
            if (Throw)
                throw std::bad_alloc();
            return nullptr;
        }
        Handler();
    }
}

void Release(void* P) noexcept
{
    if (!P)
        return;
    Allocated.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(P)),
                        std::memory_order_relaxed);
    std::free(P);
}
} // namespace

std::int64_t AllocatedBytes()
{
    return Allocated.load(std::memory_order_relaxed) + Pool::LiveBytes;
}

void* AllocateChunk(std::size_t Size)
{
    const std::int64_t Cap = Limit.load(std::memory_order_relaxed);
    if (Cap > 0 && AllocatedBytes() + std::int64_t(Size) > Cap)
        throw std::bad_alloc();
    if (void* P = std::malloc(Size))
        return P;
    throw std::bad_alloc();
}

bool SetAllocationLimit(std::int64_t Bytes)
{
    Limit.store(Bytes, std::memory_order_relaxed);
    return true;
}

// Every allocation of the process through operator new is counted.
void* operator new(std::size_t Size)
{
    return Allocate(Size, true);
}
void* operator new[](std::size_t Size)
{
    return Allocate(Size, true);
}
void* operator new(std::size_t Size, const std::nothrow_t&) noexcept
{
    return Allocate(Size, false);
}
void* operator new[](std::size_t Size, const std::nothrow_t&) noexcept
{
    return Allocate(Size, false);
}
void operator delete(void* P) noexcept
{
    Release(P);
}
void operator delete[](void* P) noexcept
{
    Release(P);
}
void operator delete(void* P, std::size_t) noexcept
{
    Release(P);
}
void operator delete[](void* P, std::size_t) noexcept
{
    Release(P);
}
void operator delete(void* P, const std::nothrow_t&) noexcept
{
    Release(P);
}
void operator delete[](void* P, const std::nothrow_t&) noexcept
{
    Release(P);
}

#endif
