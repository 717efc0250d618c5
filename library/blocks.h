#pragma once
// Texts, byte sets and arrays as raw blocks, and the inline routines the logic
// uses on them. Every returned block comes from allocate() and belongs to the
// caller; the empty text and the empty byte set are null.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "library/memory.h"
#include "library/value.h"

namespace vel {

// --- text -------------------------------------------------------------------
int text_length(const char* text);  // bytes before the terminating zero; 0 for null
// Always an allocated block, even when every part is empty.
char* concat_texts(int n, const char* const* parts);
char* concat_texts(std::initializer_list<const char*> parts);
int compare_texts(const char* a, const char* b);  // -1, 0, 1; unsigned bytes
// A new text holding `bytes`; null when empty.
char* make_text(std::string_view bytes);

// --- byte sets: int32 dimension count (1), int32 length N, N bytes ----------
std::int32_t byteset_length(const std::uint8_t* block);  // 0 for null
const std::uint8_t* byteset_data(const std::uint8_t* block);
std::span<const std::uint8_t> byteset_span(const std::uint8_t* block);
// A new byte set holding `bytes`; null when empty.
std::uint8_t* make_byteset(std::span<const std::uint8_t> bytes);

// --- arrays: int32 D, D int32 sizes, then the elements ----------------------
struct ArrayData {
    std::int64_t count;
    void* first;  // null when count is 0
};
ArrayData array_data(const void* array);
std::int64_t array_count(const void* array);
// Element slot width for an element tag: 8 for long, double, date-time and
// every pointer kind on this machine, 4 for int and logical, 2 short, 1 byte.
int array_slot_width(TypeTag element_tag);
// A new one-dimensional array of `count` zeroed elements.
void* make_array(std::int32_t count, TypeTag element_tag);
// Frees an array; for texts and byte sets each non-null element first.
void release_array(void* array, TypeTag element_tag);

// Builds a one-dimensional array of texts or byte sets whose number is not
// known in advance: elements go straight into the block, which grows as
// needed. An array not taken is released with its elements.
class OwnedArrayBuilder {
public:
    explicit OwnedArrayBuilder(std::size_t expected);
    ~OwnedArrayBuilder();
    OwnedArrayBuilder(const OwnedArrayBuilder&) = delete;
    OwnedArrayBuilder& operator=(const OwnedArrayBuilder&) = delete;

    void append(void* element) {
        if (m_count == m_capacity) grow();
        slots()[m_count++] = element;
    }
    std::size_t size() const { return m_count; }
    // The finished array; the builder is empty afterwards.
    void* take();

private:
    void** slots() const { return reinterpret_cast<void**>(m_block + 8); }
    void grow();
    std::uint8_t* m_block = nullptr;
    std::size_t m_capacity = 0;
    std::size_t m_count = 0;
};
// The logic's element access check: fatal error 4 below 1, 1 above count.
void check_element_index(std::int64_t index, std::int64_t count);

// --- numbers ----------------------------------------------------------------
std::int64_t to_integer_trunc(double x);

// --- owners (RAII over the raw blocks) ---------------------------------------
struct BlockReleaser {
    void operator()(const void* p) const { release(const_cast<void*>(p)); }
};
using Text = std::unique_ptr<char, BlockReleaser>;
using Bytes = std::unique_ptr<std::uint8_t, BlockReleaser>;

inline std::string_view view(const Text& t) {
    return t ? std::string_view(t.get()) : std::string_view();
}
inline std::string_view view(const char* t) {
    return t ? std::string_view(t) : std::string_view();
}

}  // namespace vel
