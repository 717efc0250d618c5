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

// The registered static ranges as an immutable snapshot behind an atomic
// pointer: every release asks whether its block is static, from any thread
// (sound workers release blocks too), so the lookup takes no lock.
// Registration copies the snapshot, adds the range and publishes the copy;
// old snapshots are kept, never freed, because a reader may still hold one
// and registrations are a handful per run; each points at the one it
// replaced, so none of them looks leaked.
struct RangeSnapshot {
    const RangeSnapshot* previous = nullptr;
    std::uintptr_t low = UINTPTR_MAX;  // bounds of all ranges: most blocks are
    std::uintptr_t high = 0;           // heap blocks and fail this first test
    std::vector<std::pair<std::uintptr_t, std::uintptr_t>> ranges;
};

std::atomic<const RangeSnapshot*> g_ranges{nullptr};
std::mutex g_register_lock;  // writers only

// Bytes from p to the end of the static range holding it, or 0.
std::size_t static_tail(const void* p) {
    const auto a = reinterpret_cast<std::uintptr_t>(p);
    const RangeSnapshot* r = g_ranges.load(std::memory_order_acquire);
    if (r == nullptr || a < r->low || a >= r->high) return 0;
    for (const auto& [start, end] : r->ranges)
        if (start <= a && a < end) return end - a;
    return 0;
}

[[noreturn]] void out_of_memory(std::size_t n) {
    // "分配 %d 字节内存失败!"
    char text[96];
    std::snprintf(text, sizeof text,
                  "\xB7\xD6\xC5\xE4 %d \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!",
                  static_cast<int>(n));
    fatal_runtime_error(0, text);
}

}  // namespace

void register_static_range(const void* start, const void* end) {
    const auto a = reinterpret_cast<std::uintptr_t>(start);
    const auto b = reinterpret_cast<std::uintptr_t>(end);
    if (a >= b) return;  // an empty range holds no block
    std::lock_guard guard(g_register_lock);
    const RangeSnapshot* old = g_ranges.load(std::memory_order_relaxed);
    auto* next = old ? new RangeSnapshot(*old) : new RangeSnapshot;
    next->previous = old;
    next->ranges.emplace_back(a, b);
    next->low = std::min(next->low, a);
    next->high = std::max(next->high, b);
    g_ranges.store(next, std::memory_order_release);
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
