#include "library/value.h"

#include "library/blocks.h"

namespace vel {

const char k_empty_text[1] = {0};
// dimension count 1, length 0: the block passed for an empty byte-set variable
alignas(8) const std::uint8_t k_empty_byteset[8] = {1, 0, 0, 0, 0, 0, 0, 0};

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

std::int32_t ArgRecord::to_int() const {
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

namespace {
ArgRecord with_bits(std::uint64_t bits, TypeTag tag) {
    return ArgRecord{static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32), tag};
}
ArgRecord with_ptr(const void* p, TypeTag tag) {
    return with_bits(reinterpret_cast<std::uintptr_t>(p), tag);
}
}  // namespace

ArgRecord arg_none() {
    return {};
}
ArgRecord arg_int(std::int32_t v) {
    return {static_cast<std::uint32_t>(v), 0, TAG_INT};
}
ArgRecord arg_long(std::int64_t v) {
    return with_bits(static_cast<std::uint64_t>(v), TAG_LONG);
}
ArgRecord arg_logical(bool v) {
    return {v ? 1u : 0u, 0, TAG_LOGICAL};
}
ArgRecord arg_double(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return with_bits(bits, TAG_DOUBLE);
}
ArgRecord arg_datetime(double v) {
    ArgRecord a = arg_double(v);
    a.tag = TAG_DATETIME;
    return a;
}
ArgRecord arg_float(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return {bits, 0, TAG_FLOAT};
}
ArgRecord arg_text(const char* text) {
    return with_ptr(text ? text : k_empty_text, TAG_TEXT);
}
ArgRecord arg_byteset(const std::uint8_t* block) {
    return with_ptr(block ? block : k_empty_byteset, TAG_BYTESET);
}
ArgRecord arg_unit(std::uint32_t window_id, std::uint32_t unit_id, TypeTag unit_tag) {
    return {window_id, unit_id, unit_tag};
}

}  // namespace vel
