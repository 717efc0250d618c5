#pragma once
// The library's table of open files. File numbers are never reused while the
// program runs (until the 31-bit counter wraps): a handler that still holds a
// number closed under it by "close all files" must fail quietly, not reach a
// file opened later.
#include <cstdint>

#include "platform/fs/file.h"

namespace vel {

struct OpenFile {
    plat::fs::File file;
    std::int64_t position = 0;  // shared by every read and write on this number
};

// A number > 0 for the new entry.
std::int32_t add_open_file(plat::fs::File file);
// Null when the number is not in the table.
OpenFile* find_open_file(std::int32_t number);
void close_open_file(std::int32_t number);
void close_all_open_files();
int open_file_count();

}  // namespace vel
