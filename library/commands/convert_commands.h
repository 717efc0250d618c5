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
// By the value's tag: integers as they are, floating values truncated toward
// zero (saturating; NaN gives 0), texts through text_to_integer, others 0.
std::int32_t value_to_integer(const ArgRecord& value);
// "2008年5月1日12时" (GBK): the time part only as far as it is not zero.
std::string date_time_text(double value);
// The text form of a value as bytes; empty for types without one.
std::string value_to_text(const ArgRecord& value);

// (any value) -> int
void cmd_to_integer(ResultRecord* result, int count, const ArgRecord* args);
// (any value) -> text
void cmd_to_text(ResultRecord* result, int count, const ArgRecord* args);

}  // namespace vel
