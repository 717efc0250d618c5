#pragma once
// File commands over the open-file table. Paths are GBK, Windows-style; I/O
// failures are never fatal: each command gives false, 0 or null instead.
#include <cstdint>
#include <string_view>

#include "library/value.h"

namespace vel {

// Mode 1 read, 2 write, 3 read-write, 4 create/empty + write, 5 create/keep +
// write, 6 create/keep + read-write. Share 1 all, 2 deny read, 3 deny write,
// 4 exclusive. 0 on failure.
std::int32_t open_file(std::string_view gbk_name, std::int32_t mode = 3, std::int32_t share = 1);

// Whether anything (a file, a folder ...) is at the path.
bool path_exists(std::string_view gbk_name);
// Makes the file hold exactly `bytes`, never seen half written; false (the
// file as it was) when it cannot. Links and the file's mode stay; an
// existing file that cannot be both read and written is never replaced.
bool replace_file_content(std::string_view gbk_name, std::string_view bytes);
// Makes `bytes` the whole content of the file as a new file of the user's
// (0644 less the umask), whatever the mode of the one it replaces; false
// (the old file as it was) when it cannot.
bool write_new_file(std::string_view gbk_name, std::string_view bytes);

// (text name, [int mode = 3], [int share = 1]) -> int file number
void cmd_open_file(ResultRecord* result, int count, const ArgRecord* args);
// (int file)
void cmd_close_file(ResultRecord* result, int count, const ArgRecord* args);
// ()
void cmd_close_all_files(ResultRecord* result, int count, const ArgRecord* args);
// (int file) -> logical
void cmd_seek_to_start(ResultRecord* result, int count, const ArgRecord* args);
// (int file) -> logical
void cmd_seek_to_end(ResultRecord* result, int count, const ArgRecord* args);
// (int file, [int maximum bytes = all]) -> text
void cmd_read_text(ResultRecord* result, int count, const ArgRecord* args);
// (int file, value ...) -> logical
void cmd_write_text(ResultRecord* result, int count, const ArgRecord* args);
// (int file, value ...) -> logical; CR LF after each value
void cmd_write_text_line(ResultRecord* result, int count, const ArgRecord* args);
// (int file, int count) -> logical
void cmd_delete_data(ResultRecord* result, int count, const ArgRecord* args);
// (text name) -> byte set
void cmd_read_file(ResultRecord* result, int count, const ArgRecord* args);
// (text source, text destination) -> logical
void cmd_copy_file(ResultRecord* result, int count, const ArgRecord* args);

}  // namespace vel
