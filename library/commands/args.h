#pragma once
// Reading a command's arguments: an index beyond the count reads as an
// omitted argument, so a short call can never read past the records.
#include "library/value.h"

namespace vel {

inline const ArgRecord& arg_at(int count, const ArgRecord* args, int index) {
    static const ArgRecord kOmitted{};
    return (args != nullptr && index >= 0 && index < count) ? args[index] : kOmitted;
}

// A text argument; any other kind of value reads as the empty text rather
// than being taken for a pointer.
inline const char* text_at(int count, const ArgRecord* args, int index) {
    const ArgRecord& a = arg_at(count, args, index);
    return a.tag == TAG_TEXT ? a.as_text() : "";
}

// An optional int argument, or `fallback` when it is omitted.
inline std::int32_t optional_int(int count, const ArgRecord* args, int index,
                                 std::int32_t fallback) {
    const ArgRecord& a = arg_at(count, args, index);
    return a.present() ? a.to_int() : fallback;
}

}  // namespace vel
