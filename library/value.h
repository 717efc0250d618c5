#pragma once
// Typed values and the one calling convention shared by every library command
// and unit method: (ResultRecord*, argument count, ArgRecord array).
//
// On a 64-bit machine pointer payloads fill the whole 8-byte payload (low and
// high word); arrays that hold pointers have 8-byte element slots.
#include <cstdint>
#include <cstring>

namespace vel {

using TypeTag = std::uint32_t;

inline constexpr TypeTag TAG_NONE = 0;
inline constexpr TypeTag TAG_BYTE = 0x80000101;
inline constexpr TypeTag TAG_SHORT = 0x80000201;
inline constexpr TypeTag TAG_INT = 0x80000301;
inline constexpr TypeTag TAG_LONG = 0x80000401;
inline constexpr TypeTag TAG_FLOAT = 0x80000501;
inline constexpr TypeTag TAG_DOUBLE = 0x80000601;
inline constexpr TypeTag TAG_LOGICAL = 0x80000002;
inline constexpr TypeTag TAG_DATETIME = 0x80000003;
inline constexpr TypeTag TAG_TEXT = 0x80000004;
inline constexpr TypeTag TAG_BYTESET = 0x80000005;
inline constexpr TypeTag TAG_SUBPTR = 0x80000006;
inline constexpr TypeTag TAG_ARRAY = 0x20000000;  // added to a built-in tag

// Unit type tags of the core library (library 1).
inline constexpr TypeTag TAG_UNIT_WINDOW = 0x00010001;
inline constexpr TypeTag TAG_UNIT_MENU = 0x00010003;
inline constexpr TypeTag TAG_UNIT_EDITBOX = 0x00010005;
inline constexpr TypeTag TAG_UNIT_DRAWPANEL = 0x00010008;
inline constexpr TypeTag TAG_UNIT_LABEL = 0x0001000A;
inline constexpr TypeTag TAG_UNIT_BUTTON = 0x0001000B;
inline constexpr TypeTag TAG_UNIT_COMBOBOX = 0x0001000E;
inline constexpr TypeTag TAG_UNIT_LISTBOX = 0x0001000F;
inline constexpr TypeTag TAG_UNIT_COMMONDLG = 0x0001001F;
inline constexpr TypeTag TAG_UNIT_TIMER = 0x00010020;

enum class TagClass { none, builtin, library_type, other };
TagClass tag_class(TypeTag tag);
bool is_numeric_tag(TypeTag tag);        // TAG_BYTE ... TAG_DOUBLE
int numeric_payload_width(TypeTag tag);  // 1, 2, 4, 8, 4, 8; 0 otherwise

// 12 bytes: payload low word, payload high word, type tag; the reads shared
// by arguments and results.
struct PayloadRecord {
    std::uint32_t lo = 0;
    std::uint32_t hi = 0;
    TypeTag tag = TAG_NONE;

    std::uint64_t payload() const { return (std::uint64_t{hi} << 32) | lo; }
    std::int32_t as_int() const { return static_cast<std::int32_t>(lo); }
    bool as_logical() const { return lo != 0; }
    double as_double() const {
        std::uint64_t bits = payload();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    template <typename T>
    T* as_ptr() const {
        return reinterpret_cast<T*>(static_cast<std::uintptr_t>(payload()));
    }
};

struct ArgRecord : PayloadRecord {
    bool present() const { return tag != TAG_NONE; }
    std::int64_t as_long() const { return static_cast<std::int64_t>(payload()); }
    float as_float() const {
        float f;
        std::memcpy(&f, &lo, sizeof f);
        return f;
    }
    // Text argument: a present text is never null; an absent one reads as "".
    const char* as_text() const {
        const char* t = as_ptr<const char>();
        return t ? t : "";
    }
    // Any numeric argument as a 32-bit integer (floats truncated toward zero).
    std::int32_t to_int() const { return tag == TAG_INT ? as_int() : to_int_other(); }
    double to_double() const;

private:
    std::int32_t to_int_other() const;
};
static_assert(sizeof(ArgRecord) == 12);

// The command writes its result into the first 4 bytes (8 for long, double
// and date-time); the tag word is left alone. Zeroed by the call gate.
struct ResultRecord : PayloadRecord {
    void set_int(std::int32_t v) { lo = static_cast<std::uint32_t>(v); }
    void set_logical(bool v) { lo = v ? 1u : 0u; }
    void set_long(std::int64_t v) {
        lo = static_cast<std::uint32_t>(v);
        hi = static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) >> 32);
    }
    void set_double(double d) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        lo = static_cast<std::uint32_t>(bits);
        hi = static_cast<std::uint32_t>(bits >> 32);
    }
    void set_float(float f) { std::memcpy(&lo, &f, sizeof f); }
    void set_ptr(const void* p) {
        auto v = reinterpret_cast<std::uintptr_t>(p);
        lo = static_cast<std::uint32_t>(v);
        hi = static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) >> 32);
    }
};
static_assert(sizeof(ResultRecord) == 12);

// An 8-byte payload plus its tag.
struct Value {
    std::uint64_t payload = 0;
    TypeTag tag = TAG_NONE;
};

using CommandFn = void (*)(ResultRecord* result, int count, const ArgRecord* args);

// --- argument builders ----------------------------------------------------
// Inline: every command call builds its records, often several per call.
extern const char k_empty_text[1];
extern const std::uint8_t k_empty_byteset[8];

namespace detail {
inline ArgRecord arg_bits(std::uint64_t bits, TypeTag tag) {
    return ArgRecord{static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32), tag};
}
inline ArgRecord arg_pointer(const void* p, TypeTag tag) {
    return arg_bits(reinterpret_cast<std::uintptr_t>(p), tag);
}
}  // namespace detail

inline ArgRecord arg_none() {
    return {};
}
inline ArgRecord arg_int(std::int32_t v) {
    return {static_cast<std::uint32_t>(v), 0, TAG_INT};
}
inline ArgRecord arg_long(std::int64_t v) {
    return detail::arg_bits(static_cast<std::uint64_t>(v), TAG_LONG);
}
inline ArgRecord arg_logical(bool v) {
    return {v ? 1u : 0u, 0, TAG_LOGICAL};
}
inline ArgRecord arg_double(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return detail::arg_bits(bits, TAG_DOUBLE);
}
inline ArgRecord arg_datetime(double v) {
    ArgRecord a = arg_double(v);
    a.tag = TAG_DATETIME;
    return a;
}
inline ArgRecord arg_float(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return {bits, 0, TAG_FLOAT};
}
// A present text is never null: null becomes the shared empty string.
inline ArgRecord arg_text(const char* text) {
    return detail::arg_pointer(text ? text : k_empty_text, TAG_TEXT);
}
// A present byte set is never null: null becomes the shared empty block.
inline ArgRecord arg_byteset(const std::uint8_t* block) {
    return detail::arg_pointer(block ? block : k_empty_byteset, TAG_BYTESET);
}
// A unit method's first argument: window id low, unit id high, the unit's tag.
inline ArgRecord arg_unit(std::uint32_t window_id, std::uint32_t unit_id, TypeTag unit_tag) {
    return {window_id, unit_id, unit_tag};
}

}  // namespace vel
