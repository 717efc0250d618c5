#include "library/blocks.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstring>
#include <limits>

#include "library/runtime_errors.h"

namespace vel {

int text_length(const char* text) {
    return text ? static_cast<int>(std::strlen(text)) : 0;
}

char* concat_texts(int n, const char* const* parts) {
    std::size_t total = 0;
    for (int i = 0; i < n; ++i) total += static_cast<std::size_t>(text_length(parts[i]));
    auto* out = static_cast<char*>(allocate(total + 1));
    std::size_t at = 0;
    for (int i = 0; i < n; ++i) {
        const std::size_t len = static_cast<std::size_t>(text_length(parts[i]));
        if (len) std::memcpy(out + at, parts[i], len);
        at += len;
    }
    out[at] = 0;
    return out;
}

char* concat_texts(std::initializer_list<const char*> parts) {
    return concat_texts(static_cast<int>(parts.size()), parts.begin());
}

int compare_texts(const char* a, const char* b) {
    const auto* x = reinterpret_cast<const unsigned char*>(a ? a : "");
    const auto* y = reinterpret_cast<const unsigned char*>(b ? b : "");
    while (*x && *x == *y) ++x, ++y;
    if (*x == *y) return 0;
    return *x < *y ? -1 : 1;
}

namespace {
// Most texts made are a few bytes (a number, a name, one line): copied here
// with overlapping word moves, never touching a byte outside either range.
inline void copy_bytes(char* to, const char* from, std::size_t n) {
    if (n > 16) {
        std::memcpy(to, from, n);
    } else if (n >= 8) {
        std::uint64_t head, tail;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + n - 8, 8);
        std::memcpy(to, &head, 8);
        std::memcpy(to + n - 8, &tail, 8);
    } else if (n >= 4) {
        std::uint32_t head, tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + n - 4, 4);
        std::memcpy(to, &head, 4);
        std::memcpy(to + n - 4, &tail, 4);
    } else if (n > 0) {
        to[0] = from[0];
        to[n / 2] = from[n / 2];
        to[n - 1] = from[n - 1];
    }
}
}  // namespace

char* make_text(std::string_view bytes) {
    if (bytes.empty()) return nullptr;
    auto* out = static_cast<char*>(allocate(bytes.size() + 1));
    copy_bytes(out, bytes.data(), bytes.size());
    out[bytes.size()] = 0;
    return out;
}

std::int32_t byteset_length(const std::uint8_t* block) {
    if (block == nullptr) return 0;
    std::int32_t n;
    std::memcpy(&n, block + 4, sizeof n);
    return n < 0 ? 0 : n;
}

const std::uint8_t* byteset_data(const std::uint8_t* block) {
    return block ? block + 8 : nullptr;
}

std::span<const std::uint8_t> byteset_span(const std::uint8_t* block) {
    const std::int32_t n = byteset_length(block);
    if (n == 0) return {};
    return {block + 8, static_cast<std::size_t>(n)};
}

std::uint8_t* make_byteset(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return nullptr;
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) - 8)
        fatal_runtime_error(kErrTypeMismatch, fatal_code_message(kErrTypeMismatch));
    auto* block = static_cast<std::uint8_t*>(allocate(bytes.size() + 8));
    const std::int32_t dims = 1;
    const auto n = static_cast<std::int32_t>(bytes.size());
    std::memcpy(block, &dims, 4);
    std::memcpy(block + 4, &n, 4);
    std::memcpy(block + 8, bytes.data(), bytes.size());
    return block;
}

namespace {
// Element counts are int32 and a block's bytes must stay countable too.
constexpr std::size_t kMaxArrayCount = 0x7FFFFFF0 / sizeof(void*);

std::int32_t read_i32(const void* p, std::size_t index) {
    std::int32_t v;
    std::memcpy(&v, static_cast<const std::uint8_t*>(p) + 4 * index, sizeof v);
    return v;
}
bool holds_pointers(TypeTag element_tag) {
    const TypeTag base = element_tag & ~TAG_ARRAY;
    return base == TAG_TEXT || base == TAG_BYTESET || base == TAG_SUBPTR;
}
}  // namespace

std::int64_t array_count(const void* array) {
    if (array == nullptr) return 0;
    const std::int32_t dims = read_i32(array, 0);
    if (dims <= 0) return 0;
    std::int64_t count = 1;
    for (std::int32_t i = 1; i <= dims; ++i) count *= read_i32(array, static_cast<std::size_t>(i));
    return count < 0 ? 0 : count;
}

ArrayData array_data(const void* array) {
    if (array == nullptr) return {0, nullptr};
    const std::int32_t dims = read_i32(array, 0);
    const std::int64_t count = array_count(array);
    // The header (D and D sizes) is padded to 8 bytes so that pointer slots align.
    const std::size_t header = (4u * static_cast<std::size_t>(dims + 1) + 7u) & ~std::size_t{7};
    return {count, count
                       ? const_cast<std::uint8_t*>(static_cast<const std::uint8_t*>(array) + header)
                       : nullptr};
}

int array_slot_width(TypeTag element_tag) {
    const TypeTag base = element_tag & ~TAG_ARRAY;
    switch (base) {
        case TAG_BYTE:
            return 1;
        case TAG_SHORT:
            return 2;
        case TAG_INT:
        case TAG_FLOAT:
        case TAG_LOGICAL:
            return 4;
        default:
            return 8;  // long, double, date-time and every pointer kind
    }
}

void* make_array(std::int32_t count, TypeTag element_tag) {
    if (count < 0) fatal_runtime_error(kErrRedefineArray, fatal_code_message(kErrRedefineArray));
    const std::size_t bytes = 8 + static_cast<std::size_t>(count) *
                                      static_cast<std::size_t>(array_slot_width(element_tag));
    auto* block = static_cast<std::uint8_t*>(allocate(bytes));
    std::memset(block, 0, bytes);
    const std::int32_t dims = 1;
    std::memcpy(block, &dims, 4);
    std::memcpy(block + 4, &count, 4);
    return block;
}

void release_array(void* array, TypeTag element_tag) {
    if (array == nullptr || is_static(array)) return;
    if (holds_pointers(element_tag) && (element_tag & ~TAG_ARRAY) != TAG_SUBPTR) {
        const ArrayData d = array_data(array);
        auto* slots = static_cast<void**>(d.first);
        for (std::int64_t i = 0; i < d.count; ++i) release(slots[i]);
    }
    release(array);
}

// One dimension: the header is D and one size, and pointer slots are 8 bytes.
OwnedArrayBuilder::OwnedArrayBuilder(std::size_t expected)
    : m_capacity(std::clamp<std::size_t>(expected, 4, kMaxArrayCount)) {
    m_block = static_cast<std::uint8_t*>(allocate(8 + m_capacity * sizeof(void*)));
}

OwnedArrayBuilder::~OwnedArrayBuilder() {
    if (m_block == nullptr) return;
    for (std::size_t i = 0; i < m_count; ++i) release(slots()[i]);
    release(m_block);
}

void OwnedArrayBuilder::grow() {
    if (m_capacity >= kMaxArrayCount)
        fatal_runtime_error(kErrRedefineArray, fatal_code_message(kErrRedefineArray));
    m_capacity = std::min(m_capacity * 2, kMaxArrayCount);
    m_block = static_cast<std::uint8_t*>(resize(m_block, 8 + m_capacity * sizeof(void*)));
}

void* OwnedArrayBuilder::take() {
    // A block mostly unused gives its room back; a little slack stays, as
    // nothing reads past the count.
    if (m_capacity > 2 * m_count + 16)
        m_block = static_cast<std::uint8_t*>(resize(m_block, 8 + m_count * sizeof(void*)));
    const std::int32_t header[2] = {1, static_cast<std::int32_t>(m_count)};
    std::memcpy(m_block, header, sizeof header);
    void* array = m_block;
    m_block = nullptr;
    m_capacity = m_count = 0;
    return array;
}

void check_element_index(std::int64_t index, std::int64_t count) {
    if (index < 1) fatal_runtime_error(kErrIndexBelowOne, fatal_code_message(kErrIndexBelowOne));
    if (index > count) fatal_runtime_error(kErrIndexAbove, fatal_code_message(kErrIndexAbove));
}

std::int64_t to_integer_trunc(double x) {
    // The conversion runs with the rounding mode set to truncate and restored
    // afterwards, so the caller's mode never decides the result.
    const int saved = std::fegetround();
    std::fesetround(FE_TOWARDZERO);
    std::int64_t r;
    if (std::isnan(x))
        r = std::numeric_limits<std::int64_t>::min();
    else if (x >= 9223372036854775808.0)
        r = std::numeric_limits<std::int64_t>::max();
    else if (x < -9223372036854775808.0)
        r = std::numeric_limits<std::int64_t>::min();
    else
        r = std::llrint(x);
    std::fesetround(saved);
    return r;
}

}  // namespace vel
