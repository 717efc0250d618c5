#include "library/memory.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#ifdef __GLIBC__
#include <malloc.h>
#endif
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

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#define VEL_SMALL_BLOCK_CACHE 1
#endif

#ifdef VEL_SMALL_BLOCK_CACHE
// Small blocks released on the interface thread are kept for its next
// requests instead of going back to malloc. The per-second alarm check splits
// the whole alarm file into one block per line and releases them all again;
// malloc's own per-thread cache holds only a few blocks per size, so every
// line paid for a trip through its bins, and freeing the large file blocks
// made it merge them all again. The cached blocks are ordinary malloc blocks
// of the usable sizes glibc gives 32-, 48- and 64-byte chunks, so resize()
// and free() still apply to them. Other threads (sound workers) bypass the
// cache, so it needs no lock. Address sanitizer builds leave it out, so a use
// after release is still caught there.
constexpr std::size_t kClassBytes[] = {24, 40, 56};
constexpr int kClasses = 3;
constexpr int kCacheDepth = 16384;

struct SmallBlockCache {
    void* blocks[kClasses][kCacheDepth];
    int count[kClasses];
};
SmallBlockCache g_cache;  // touched by the owner thread only
std::atomic<bool> g_cache_claimed{false};
thread_local int t_cache_role = 0;  // 0 not asked yet, 1 owner, 2 other

// The first thread to allocate or release (the interface thread, during
// start-up) owns the cache.
bool owns_cache() {
    if (t_cache_role == 0) {
        bool expected = false;
        t_cache_role = g_cache_claimed.compare_exchange_strong(expected, true) ? 1 : 2;
    }
    return t_cache_role == 1;
}

// The class whose blocks all hold n bytes, or -1.
int class_for_request(std::size_t n) {
    for (int c = 0; c < kClasses; ++c)
        if (n <= kClassBytes[c]) return c;
    return -1;
}

// The largest class a block of `usable` bytes serves without wasting a
// class's worth of room, or -1.
int class_for_block(std::size_t usable) {
    for (int c = kClasses - 1; c >= 0; --c)
        if (usable >= kClassBytes[c]) return usable < kClassBytes[c] + 16 ? c : -1;
    return -1;
}

void* cached_block(std::size_t n) {
    if (n > kClassBytes[kClasses - 1] || !owns_cache()) return nullptr;
    const int c = class_for_request(n);
    return g_cache.count[c] > 0 ? g_cache.blocks[c][--g_cache.count[c]] : nullptr;
}

bool keep_block(void* p) {
    if (!owns_cache()) return false;
    const int c = class_for_block(malloc_usable_size(p));
    if (c < 0 || g_cache.count[c] >= kCacheDepth) return false;
    g_cache.blocks[c][g_cache.count[c]++] = p;
    return true;
}
#else
void* cached_block(std::size_t) {
    return nullptr;
}
bool keep_block(void*) {
    return false;
}
#endif

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
    if (void* kept = cached_block(n == 0 ? 1 : n)) return kept;
    void* p = std::malloc(n == 0 ? 1 : n);
    if (p == nullptr) out_of_memory(n);
    return p;
}

void release(void* p) {
    if (p == nullptr || is_static(p) || keep_block(p)) return;
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
