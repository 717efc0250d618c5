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

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEL_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VEL_ADDRESS_SANITIZER 1
#endif
// Address sanitizer builds hand every request to malloc and every release to
// free, so a use after release is still caught there.
#if defined(__GLIBC__) && !defined(VEL_ADDRESS_SANITIZER)
#define VEL_BLOCK_POOL 1
#endif

#ifdef VEL_BLOCK_POOL
// The interface thread's small blocks come from one reserved area cut into
// 64 KiB slabs, each slab holding blocks of one size class; a released block
// goes onto its class's free list and is the next one handed out. The
// per-second alarm check makes a block for every line of the alarm file and
// several more while taking each line apart, so this path decides its cost.
// A block is pooled when its address lies in the area, and its class is its
// slab's: pooled blocks carry no header. Other threads (sound workers) use
// malloc; a pooled block one of them releases goes onto a lock-free list that
// the owner takes over when a free list runs dry.
constexpr std::size_t kGrain = 16;
constexpr int kClasses = 4;  // 16, 32, 48 and 64 bytes
constexpr std::size_t kPoolMax = kGrain * kClasses;
constexpr std::size_t kSlabBytes = 64 * 1024;
constexpr std::size_t kAreaBytes = 64 * 1024 * 1024;  // pages are only used once touched
constexpr std::size_t kSlabs = kAreaBytes / kSlabBytes;

struct FreeBlock {
    FreeBlock* next;
};

struct Pool {  // the owner thread's alone
    char* area = nullptr;
    std::size_t slabs_used = 0;
    FreeBlock* free[kClasses] = {};
    char* carve[kClasses] = {};  // the next uncut block of the class's newest slab
    char* carve_end[kClasses] = {};
    std::uint8_t slab_class[kSlabs] = {};  // written before a slab's first block is handed out
};
Pool g_pool;
// Bounds of the area, set once; every thread's release reads them.
std::atomic<std::uintptr_t> g_area_low{0};
std::atomic<std::uintptr_t> g_area_high{0};
std::atomic<FreeBlock*> g_remote{nullptr};  // pooled blocks released by other threads

// Blocks of 32 KiB to 1 MiB (a whole file read into a byte set, its text, the
// array of its lines) are kept for the owner's next request of about their
// size: freeing them gives their pages back to the system, and the next
// check of the same file would fault every page in again.
constexpr std::size_t kLargeMin = 32 * 1024;
constexpr std::size_t kLargeMax = 1024 * 1024;
constexpr int kLargeKept = 4;
struct LargeBlock {
    void* block;
    std::size_t usable;
};
LargeBlock g_large[kLargeKept];  // the owner thread's alone
int g_large_count = 0;

enum : unsigned char { kRoleUnknown, kRoleOwner, kRoleOther };
std::atomic<bool> g_pool_claimed{false};
thread_local unsigned char t_role [[gnu::tls_model("initial-exec")]] = kRoleUnknown;

// The first thread to go through the pool or the large-block keep (the
// interface thread, early in start-up) owns both.
[[gnu::noinline]] void claim_role() {
    bool expected = false;
    t_role = g_pool_claimed.compare_exchange_strong(expected, true) ? kRoleOwner : kRoleOther;
}

inline bool owns_pool() {
    if (t_role == kRoleUnknown) claim_role();
    return t_role == kRoleOwner;
}

// The high bound is published after the low one: a thread that sees it sees
// the low bound too, and one that does not sees an empty area.
inline bool in_pool(const void* p) {
    const auto a = reinterpret_cast<std::uintptr_t>(p);
    return a < g_area_high.load(std::memory_order_acquire) &&
           a >= g_area_low.load(std::memory_order_relaxed);
}

inline std::size_t slab_of(const void* p) {
    return (reinterpret_cast<std::uintptr_t>(p) - g_area_low.load(std::memory_order_relaxed)) /
           kSlabBytes;
}

std::size_t pooled_bytes(const void* p) {
    return (g_pool.slab_class[slab_of(p)] + 1u) * kGrain;
}

inline void push_free(void* p) {
    auto* b = static_cast<FreeBlock*>(p);
    const unsigned c = g_pool.slab_class[slab_of(p)];
    b->next = g_pool.free[c];
    g_pool.free[c] = b;
}

[[gnu::noinline]] void push_remote(void* p) {
    auto* b = static_cast<FreeBlock*>(p);
    b->next = g_remote.load(std::memory_order_relaxed);
    while (!g_remote.compare_exchange_weak(b->next, b, std::memory_order_release,
                                           std::memory_order_relaxed)) {
    }
}

inline void give_back(void* p) {
    if (owns_pool())
        push_free(p);
    else
        push_remote(p);
}

bool new_slab(int c) {
    if (g_pool.area == nullptr) {
        if (g_pool.slabs_used == kSlabs) return false;  // the area could not be had
        g_pool.area = static_cast<char*>(std::malloc(kAreaBytes));
        if (g_pool.area == nullptr) {
            g_pool.slabs_used = kSlabs;
            return false;
        }
        const auto low = reinterpret_cast<std::uintptr_t>(g_pool.area);
        g_area_low.store(low, std::memory_order_relaxed);
        g_area_high.store(low + kAreaBytes, std::memory_order_release);
    }
    if (g_pool.slabs_used == kSlabs) return false;  // full: malloc takes over
    const std::size_t size = (static_cast<std::size_t>(c) + 1) * kGrain;
    g_pool.slab_class[g_pool.slabs_used] = static_cast<std::uint8_t>(c);
    g_pool.carve[c] = g_pool.area + g_pool.slabs_used * kSlabBytes;
    g_pool.carve_end[c] = g_pool.carve[c] + kSlabBytes / size * size;
    ++g_pool.slabs_used;
    return true;
}

[[gnu::noinline]] void* refill(int c) {
    for (FreeBlock* b = g_remote.exchange(nullptr, std::memory_order_acquire); b != nullptr;) {
        FreeBlock* next = b->next;
        push_free(b);
        b = next;
    }
    if (FreeBlock* b = g_pool.free[c]) {
        g_pool.free[c] = b->next;
        return b;
    }
    if (g_pool.carve[c] == g_pool.carve_end[c] && !new_slab(c)) return nullptr;
    void* p = g_pool.carve[c];
    g_pool.carve[c] += (static_cast<std::size_t>(c) + 1) * kGrain;
    return p;
}

// A pooled block for the owner's request of 1 to kPoolMax bytes, or null.
inline void* take_pooled(std::size_t n) {
    const int c = static_cast<int>((n - 1) / kGrain);
    if (FreeBlock* b = g_pool.free[c]) {
        g_pool.free[c] = b->next;
        return b;
    }
    return refill(c);
}

// The smallest kept block that holds n bytes without wasting half of itself.
void* take_large(std::size_t n) {
    int best = -1;
    for (int i = 0; i < g_large_count; ++i) {
        if (g_large[i].usable >= n && g_large[i].usable / 2 <= n &&
            (best < 0 || g_large[i].usable < g_large[best].usable))
            best = i;
    }
    if (best < 0) return nullptr;
    void* p = g_large[best].block;
    g_large[best] = g_large[--g_large_count];
    return p;
}

bool keep_large(void* p) {
    if (!owns_pool()) return false;
    const std::size_t usable = malloc_usable_size(p);
    if (usable < kLargeMin || usable > kLargeMax) return false;
    if (g_large_count == kLargeKept) {
        std::free(g_large[0].block);  // make room: the new block is likelier to be asked for
        g_large[0] = g_large[--g_large_count];
    }
    g_large[g_large_count++] = {p, usable};
    return true;
}

// A kept block for the owner's request of n (not 0) bytes, or null.
inline void* take_kept(std::size_t n) {
    if (n <= kPoolMax) return owns_pool() ? take_pooled(n) : nullptr;
    if (n >= kLargeMin && n <= kLargeMax && g_large_count > 0 && owns_pool()) return take_large(n);
    return nullptr;
}
#else
inline bool in_pool(const void*) {
    return false;
}
inline std::size_t pooled_bytes(const void*) {
    return 0;
}
inline void give_back(void*) {}
inline bool keep_large(void*) {
    return false;
}
inline void* take_kept(std::size_t) {
    return nullptr;
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

bool reuses_released_blocks() {
#ifdef VEL_BLOCK_POOL
    return owns_pool();
#else
    return false;
#endif
}

void* allocate(std::size_t n) {
    // malloc(0) may give null; a zero-byte block is still a block.
    if (n == 0) n = 1;
    if (void* kept = take_kept(n)) return kept;
    void* p = std::malloc(n);
    if (p == nullptr) out_of_memory(n);
    return p;
}

void release(void* p) {
    if (in_pool(p)) {
        give_back(p);
        return;
    }
    if (p == nullptr || is_static(p) || keep_large(p)) return;
    std::free(p);
}

void* resize(void* p, std::size_t n) {
    if (p == nullptr) return allocate(n);
    if (in_pool(p)) {
        const std::size_t room = pooled_bytes(p);
        if (n <= room) return p;
        void* q = allocate(n);
        std::memcpy(q, p, room);
        give_back(p);
        return q;
    }
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
