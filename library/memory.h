#pragma once
// The process-wide allocator. allocate() and resize() never return null: a
// failure is a fatal runtime error. Blocks inside a registered static range
// (constant texts, embedded media) are never freed.
#include <cstddef>

namespace vel {

void* allocate(std::size_t n);
void release(void* p);
void* resize(void* p, std::size_t n);

// [start, end) address range of constant data.
void register_static_range(const void* start, const void* end);
bool is_static(const void* p);

}  // namespace vel
