#include "library/memory.h"

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
StaticRanges& static_ranges() {
    static StaticRanges r;
    return r;
}

// Bytes from p to the end of the static range holding it, or 0.
std::size_t static_tail(const void* p) {
    const auto a = reinterpret_cast<std::uintptr_t>(p);
    StaticRanges& r = static_ranges();
    std::lock_guard guard(r.lock);
    for (const auto& [start, end] : r.ranges)
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
    StaticRanges& r = static_ranges();
    std::lock_guard guard(r.lock);
    r.ranges.emplace_back(reinterpret_cast<std::uintptr_t>(start),
                          reinterpret_cast<std::uintptr_t>(end));
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
