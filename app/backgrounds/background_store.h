#pragma once
// background.vel: the chosen background's stored value, at most ten bytes,
// without terminator or line break.
#include <string>
#include <string_view>

namespace vel::backgrounds {

// Opens background.vel for reading and writing without creating it; 0 when
// it cannot be opened (the choice then holds for this run only).
int open_store();
// Replaces the stored value: the first ten bytes go, the value is written at
// the start. Does nothing for file 0.
void store_value(int file, std::string_view value);
void close_store(int file);
// The whole stored text; empty when the file is missing.
std::string read_store(int file);

}  // namespace vel::backgrounds
