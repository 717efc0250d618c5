#pragma once
// The run directory and the executable's file name, fixed at the first use.
//
// The run directory is the file-system edge's run folder (the executable's
// folder, or the user's own folder, see platform/fs/run_folder.h) written
// Windows-style: GBK, "\" as separator, no trailing backslash
// ("\opt\vel\build"; "" for a program in "/"), so the logic's
// "<run directory>\VEL文件\top.vel" is a valid path for the file-system edge.
// The run folder is always one the program's texts can name; when there is
// none, or a path with no GBK form or with a real backslash reaches here, the
// run directory is a path that never opens ("\?"), so settings read as
// missing instead of landing elsewhere.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "library/value.h"

namespace vel {

const std::string& run_directory();
const std::string& executable_file_name();
// Whether `bytes` are still those the program shipped as the file
// `gbk_relative` ("image\泰山.jpg") of the run directory: false for a file
// the user replaced or added (see plat::fs::is_shipped_copy).
bool is_shipped_file(std::string_view gbk_relative, std::span<const std::uint8_t> bytes);
// Tests point the run directory at a temporary folder ("\tmp\run1").
void replace_run_directory(std::string gbk_directory);
// Splits a GBK Windows-style path at its last backslash (exposed for tests).
void split_executable_path(std::string_view gbk_path, std::string& directory, std::string& name);
// The run directory and file name for the executable's native (UTF-8, "/")
// path (exposed for tests).
void split_native_executable_path(std::string_view utf8_path, std::string& directory,
                                  std::string& name);

// () -> text
void cmd_get_run_directory(ResultRecord* result, int count, const ArgRecord* args);
// () -> text
void cmd_get_executable_file_name(ResultRecord* result, int count, const ArgRecord* args);

}  // namespace vel
