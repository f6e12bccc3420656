// Replaces the global allocation functions of the benchmark binary so that
// the bytes held at any moment, and their peak, can be read.
#include "alloc_count.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace tw::bench {
namespace {

std::atomic<std::size_t> live{0}, peak{0};

void* Take(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) return nullptr;
    const std::size_t now = live.fetch_add(malloc_usable_size(p)) + malloc_usable_size(p);
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return p;
}

void Give(void* p) {
    if (!p) return;
    live.fetch_sub(malloc_usable_size(p));
    std::free(p);
}

}  // namespace

std::size_t LiveBytes() { return live.load(); }
std::size_t PeakBytes() { return peak.load(); }
void ResetPeak() { peak.store(live.load()); }

}  // namespace tw::bench

void* operator new(std::size_t n) {
    if (void* p = tw::bench::Take(n)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return tw::bench::Take(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return tw::bench::Take(n); }
void operator delete(void* p) noexcept { tw::bench::Give(p); }
void operator delete[](void* p) noexcept { tw::bench::Give(p); }
void operator delete(void* p, std::size_t) noexcept { tw::bench::Give(p); }
void operator delete[](void* p, std::size_t) noexcept { tw::bench::Give(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { tw::bench::Give(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { tw::bench::Give(p); }
