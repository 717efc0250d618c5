#include "library/memory.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "library/runtime_errors.h"

namespace vel {
namespace {

struct StaticRanges {
    std::mutex lock;  // sound workers release blocks too
    std::vector<std::pair<std::uintptr_t, std::uintptr_t>> ranges;
};
// Bounds of all ranges: most blocks are heap blocks and fail this first test
// without the lock. A range is registered before any of its blocks is
// released, so a reader never needs bounds newer than it sees.
constinit std::atomic<std::uintptr_t> g_low{UINTPTR_MAX};
constinit std::atomic<std::uintptr_t> g_high{0};
StaticRanges& static_ranges() {
    static StaticRanges r;
    return r;
}

// Bytes from p to the end of the static range holding it, or 0.
std::size_t static_tail(const void* p) {
    const auto a = reinterpret_cast<std::uintptr_t>(p);
    if (a < g_low.load(std::memory_order_acquire) || a >= g_high.load(std::memory_order_acquire))
        return 0;
    StaticRanges& r = static_ranges();
    std::lock_guard guard(r.lock);
    for (const auto& [start, end] : r.ranges)
        if (start <= a && a < end) return end - a;
    return 0;
}

[[noreturn]] void out_of_memory(std::size_t n) {
    // "分配 %zu 字节内存失败!": the whole size, however large
    char text[96];
    std::snprintf(text, sizeof text,
                  "\xB7\xD6\xC5\xE4 %zu \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!", n);
    fatal_runtime_error(0, text);
}

}  // namespace

void register_static_range(const void* start, const void* end) {
    const auto a = reinterpret_cast<std::uintptr_t>(start);
    const auto b = reinterpret_cast<std::uintptr_t>(end);
    if (a >= b) return;  // an empty range holds no block
    StaticRanges& r = static_ranges();
    std::lock_guard guard(r.lock);
    r.ranges.emplace_back(a, b);
    g_low.store(std::min(g_low.load(std::memory_order_relaxed), a), std::memory_order_release);
    g_high.store(std::max(g_high.load(std::memory_order_relaxed), b), std::memory_order_release);
}

bool is_static(const void* p) {
    return p != nullptr && static_tail(p) != 0;
}

void* allocate(std::size_t n) {
    // malloc(0) may give null; a zero-byte block is still a block.
    void* p = std::malloc(n == 0 ? 1 : n);
    if (p == nullptr) out_of_memory(n);
    return p;
}

void release(void* p) {
    if (p == nullptr || is_static(p)) return;
    std::free(p);
}

void* resize(void* p, std::size_t n) {
    if (p == nullptr) return allocate(n);
    if (const std::size_t tail = static_tail(p); tail != 0) {
        void* copy = allocate(n);
        std::memcpy(copy, p, n < tail ? n : tail);
        return copy;
    }
    void* q = std::realloc(p, n == 0 ? 1 : n);
    if (q == nullptr) out_of_memory(n);
    return q;
}

}  // namespace vel
