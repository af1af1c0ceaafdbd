#include "bench/HeapCounter.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<bool> g_counting{false};
// Signed: a block taken before the measurement and given back during it counts below zero.
std::atomic<std::int64_t> g_held{0};
std::atomic<std::int64_t> g_peak{0};

std::int64_t BlockSize(void* block)
{
    return static_cast<std::int64_t>(::malloc_usable_size(block));
}

void* Allocate(size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block)
        throw std::bad_alloc();
    if (g_counting.load(std::memory_order_relaxed)) {
        const std::int64_t held =
            g_held.fetch_add(BlockSize(block), std::memory_order_relaxed) + BlockSize(block);
        std::int64_t peak = g_peak.load(std::memory_order_relaxed);
        while (held > peak && !g_peak.compare_exchange_weak(peak, held, std::memory_order_relaxed)) {
        }
    }
    return block;
}

void Release(void* block)
{
    if (!block)
        return;
    if (g_counting.load(std::memory_order_relaxed))
        g_held.fetch_sub(BlockSize(block), std::memory_order_relaxed);
    std::free(block);
}

} // namespace

void* operator new(size_t size)
{
    return Allocate(size);
}

void* operator new[](size_t size)
{
    return Allocate(size);
}

void operator delete(void* block) noexcept
{
    Release(block);
}

void operator delete[](void* block) noexcept
{
    Release(block);
}

void operator delete(void* block, size_t) noexcept
{
    Release(block);
}

void operator delete[](void* block, size_t) noexcept
{
    Release(block);
}

CHeapPeak::CHeapPeak()
{
    g_held.store(0);
    g_peak.store(0);
    g_counting.store(true);
}

CHeapPeak::~CHeapPeak()
{
    g_counting.store(false);
}

size_t CHeapPeak::Peak() const
{
    return static_cast<size_t>(g_peak.load());
}
