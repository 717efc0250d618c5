#pragma once
// Date-time and arithmetic commands.
#include "library/value.h"

namespace vel {

void cmd_current_time(ResultRecord* result, int count, const ArgRecord* args);  // -> date-time
// (date-time, int part) -> int; see date_part().
void cmd_date_part(ResultRecord* result, int count, const ArgRecord* args);
void cmd_get_hour(ResultRecord* result, int count, const ArgRecord* args);    // (date-time) -> int
void cmd_get_minute(ResultRecord* result, int count, const ArgRecord* args);  // (date-time) -> int
void cmd_get_second(ResultRecord* result, int count, const ArgRecord* args);  // (date-time) -> int
void cmd_sine(ResultRecord* result, int count, const ArgRecord* args);        // (double) -> double
void cmd_cosine(ResultRecord* result, int count, const ArgRecord* args);      // (double) -> double
void cmd_bitwise_or(ResultRecord* result, int count, const ArgRecord* args);  // (int ...) -> int
// (int red, int green, int blue) -> 0x00BBGGRR
void cmd_colour_value(ResultRecord* result, int count, const ArgRecord* args);

}  // namespace vel
