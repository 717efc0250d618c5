#pragma once
// The file-system edge for paths. The logic builds Windows-style GBK paths
// ("<run directory>\VEL文件\top.vel"); the OS wants UTF-8 with "/". The GBK path
// is decoded first and only then "\" becomes "/": a GBK trail byte may be 0x5C.
// Windows matches names without regard to letter case, so a component that
// does not exist as written is looked up case-insensitively in its folder.
#include <optional>
#include <string>
#include <string_view>

namespace plat::fs {

// The native (UTF-8, "/") path for a GBK path with either separator; nullopt
// when the path does not decode. Components that exist under another letter
// case take the name found on disk; the rest are kept as written (so that a
// file about to be created keeps its name).
std::optional<std::string> native_path(std::string_view gbk_path);

// The running executable's full path (UTF-8), from /proc/self/exe; empty when
// it cannot be read.
std::string executable_path();

// Makes a GBK path the current directory; false when it does not decode or
// the change fails.
bool set_current_directory(std::string_view gbk_path);

}  // namespace plat::fs
