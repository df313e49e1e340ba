#include "bench/HeapCounter.h"

#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

// One thread runs the benchmarks; plain counters keep the cost per allocation at a few cycles.
std::size_t g_inUse = 0;
std::size_t g_peak = 0;

void* Allocate(std::size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    g_inUse += malloc_usable_size(p);
    if (g_inUse > g_peak)
        g_peak = g_inUse;
    return p;
}

void Release(void* p) noexcept
{
    if (!p)
        return;
    g_inUse -= malloc_usable_size(p);
    std::free(p);
}

} // namespace

namespace bench {

std::size_t HeapInUse() { return g_inUse; }
std::size_t HeapPeak() { return g_peak; }
void ResetHeapPeak() { g_peak = g_inUse; }

} // namespace bench

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
