#include "library/value.h"

#include "library/blocks.h"
#include "library/memory.h"

namespace vel {

const char k_empty_text[1] = {0};
// dimension count 1, length 0: the block passed for an empty byte-set variable
alignas(8) const std::uint8_t k_empty_byteset[8] = {1, 0, 0, 0, 0, 0, 0, 0};

namespace {
// Both are handed out as present values and may come back to release().
const bool g_constants_registered = [] {
    register_static_range(k_empty_text, k_empty_text + sizeof k_empty_text);
    register_static_range(k_empty_byteset, k_empty_byteset + sizeof k_empty_byteset);
    return true;
}();
}  // namespace

TagClass tag_class(TypeTag tag) {
    const auto s = static_cast<std::int32_t>(tag);
    if (s == 0) return TagClass::none;
    if (s < -0x40000000) return TagClass::builtin;
    if (s >= 1 && s < 0x40000000) return TagClass::library_type;
    return TagClass::other;
}

bool is_numeric_tag(TypeTag tag) {
    return numeric_payload_width(tag) != 0;
}

int numeric_payload_width(TypeTag tag) {
    switch (tag) {
        case TAG_BYTE:
            return 1;
        case TAG_SHORT:
            return 2;
        case TAG_INT:
            return 4;
        case TAG_LONG:
            return 8;
        case TAG_FLOAT:
            return 4;
        case TAG_DOUBLE:
            return 8;
        default:
            return 0;
    }
}

std::int32_t ArgRecord::to_int_other() const {
    switch (tag) {
        case TAG_BYTE:
            return static_cast<std::uint8_t>(lo);
        case TAG_SHORT:
            return static_cast<std::int16_t>(lo);
        case TAG_LONG:
            return static_cast<std::int32_t>(as_long());
        case TAG_FLOAT:
            return static_cast<std::int32_t>(to_integer_trunc(as_float()));
        case TAG_DOUBLE:
        case TAG_DATETIME:
            return static_cast<std::int32_t>(to_integer_trunc(as_double()));
        default:
            return as_int();
    }
}

double ArgRecord::to_double() const {
    switch (tag) {
        case TAG_BYTE:
            return static_cast<std::uint8_t>(lo);
        case TAG_SHORT:
            return static_cast<std::int16_t>(lo);
        case TAG_LONG:
            return static_cast<double>(as_long());
        case TAG_FLOAT:
            return as_float();
        case TAG_DOUBLE:
        case TAG_DATETIME:
            return as_double();
        default:
            return as_int();
    }
}

}  // namespace vel
