#pragma once
// The user's base folders after the XDG base directory conventions. A
// variable that is unset, empty or not an absolute path is ignored and the
// default under the home folder is used; empty when no home is known either.
#include <string>

namespace plat::fs {

// $XDG_CONFIG_HOME, default ~/.config.
std::string user_config_folder();
// $XDG_DATA_HOME, default ~/.local/share.
std::string user_data_folder();
// $XDG_RUNTIME_DIR; empty when unset or not absolute, as it has no default
// (it belongs to the login session).
std::string user_runtime_folder();

// Creates `path` and its missing parents (0700, as the conventions ask of the
// base folders); true when `path` is a folder afterwards.
bool make_user_folders(const std::string& path);

}  // namespace plat::fs
