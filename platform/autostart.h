#pragma once
// Starting the program with the user's logon, on XDG autostart entries.
//
// Method 0, machine-wide: the first folder of $XDG_CONFIG_DIRS (default
// /etc/xdg) + "/autostart/NAME.desktop". Like a machine-wide registry key,
// its folder is used only when it exists, and writing it needs the rights.
// Method 1, the user's own: $XDG_CONFIG_HOME (default ~/.config) +
// "/autostart/NAME.desktop"; the folder is created when missing.
//
// Names and program paths come as GBK; program paths may be Windows-style.
#include <optional>
#include <string>
#include <string_view>

namespace plat {

enum class AutostartMethod { machine = 0, user = 1 };

// The entry's file for `name` (UTF-8 path); none when the name cannot name
// a file (empty, ".", "..", "/", control characters, not GBK).
std::optional<std::string> autostart_entry_path(std::string_view name_gbk, AutostartMethod method);

// The desktop entry text that runs `program_utf8`; none when the path cannot
// be written into an Exec line (control characters).
std::optional<std::string> autostart_entry_text(std::string_view name_utf8,
                                                std::string_view program_utf8);

// Writes the entry (atomically: a complete new file or the old one). False
// when the program file does not exist or the entry cannot be written.
// Method machine falls back to the user's entry when the machine-wide one
// cannot be written.
bool set_autostart(std::string_view name_gbk, std::string_view program_gbk, AutostartMethod method);

// Removes both entries of `name`. True when the user's entry was deleted,
// else whether the machine-wide one was.
bool remove_autostart(std::string_view name_gbk);

}  // namespace plat
