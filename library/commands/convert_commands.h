#pragma once
// Conversions between values and text.
#include <cstdint>
#include <string>
#include <string_view>

#include "library/value.h"

namespace vel {

// Full-width digits, signs and spaces count as their ASCII forms; then leading
// white space, one sign and decimal digits. No digits: 0. Values beyond the
// 32-bit range saturate.
std::int32_t text_to_integer(std::string_view text);
// The text form of a value as bytes; empty for types without one.
std::string value_to_text(const ArgRecord& value);

// (any value) -> int
void cmd_to_integer(ResultRecord* result, int count, const ArgRecord* args);
// (any value) -> text
void cmd_to_text(ResultRecord* result, int count, const ArgRecord* args);

}  // namespace vel
