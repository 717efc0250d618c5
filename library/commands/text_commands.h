#pragma once
// Text commands: lengths, cuts, search, replace and split over GBK texts.
// Positions and counts are bytes, 1-based. Search, replace and split step
// over two-byte characters (a byte >= 0x80 leads one); cutting by count does
// not. Every returned text is a new block (null when empty), every returned
// array a new block of texts; the caller releases them.
#include <cstdint>
#include <string_view>

#include "library/value.h"

namespace vel {

// The typed forms behind the commands.
char* left_text(std::string_view text, std::int32_t n);
char* right_text(std::string_view text, std::int32_t n);
char* middle_text(std::string_view text, std::int32_t start, std::int32_t n);
// 1-based position of the first match at or after `start`, -1 when none.
std::int32_t find_text(std::string_view text, std::string_view sought, std::int32_t start = 1,
                       bool ignore_case = false);
// count < 0: no limit.
char* replace_subtext(std::string_view text, std::string_view old_text, std::string_view new_text,
                      std::int32_t start = 1, std::int32_t count = -1, bool case_sensitive = false);
// A one-dimensional array of texts (TAG_TEXT elements); maximum < 0: no limit.
void* split_text(std::string_view text, std::string_view delimiter = ",",
                 std::int32_t maximum = -1);

// (text) -> int
void cmd_text_length(ResultRecord* result, int count, const ArgRecord* args);
// (text, int n) -> text
void cmd_left_text(ResultRecord* result, int count, const ArgRecord* args);
// (text, int n) -> text
void cmd_right_text(ResultRecord* result, int count, const ArgRecord* args);
// (text, int start, int n) -> text
void cmd_middle_text(ResultRecord* result, int count, const ArgRecord* args);
// (text, text sought, [int start = 1], [logical ignore case = false]) -> int
void cmd_find_text(ResultRecord* result, int count, const ArgRecord* args);
// (text, text old, [text new = ""], [int start = 1], [int count = all],
//  [logical case-sensitive = false]) -> text
void cmd_replace_subtext(ResultRecord* result, int count, const ArgRecord* args);
// (text, [text delimiter = ","], [int maximum parts = all]) -> array of texts
void cmd_split_text(ResultRecord* result, int count, const ArgRecord* args);

}  // namespace vel
