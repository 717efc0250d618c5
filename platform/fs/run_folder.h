#pragma once
// The run folder: where the program finds the folders of data it reads and
// writes (a native UTF-8 path without a trailing "/"), decided once, at the
// first use.
//
// It is the executable's folder when the user may write there and the
// program's texts can name it (a build folder, a per-user install). Any other
// folder, and a system install (a marker NAME.shipped beside the executable,
// in a folder owned by root, root included), gives each user a folder of
// their own instead, $XDG_DATA_HOME/NAME (default ~/.local/share/NAME), NAME
// being the executable's file name. That folder is made from the files
// shipped beside the executable and holds a link NAME to the executable, so
// that "<run folder>/NAME" starts the program from either place.
//
// The program's texts are GBK and use "\" as separator: a path with no GBK
// form, or with a backslash, cannot be named in them. Such a folder is
// reached through a link in the user's private runtime folder
// ($XDG_RUNTIME_DIR) whose path can be named.
//
// When no folder of the user's can be made or named, the executable's folder
// serves after all, for reading the shipped files (never a system install the
// user could write: then there is none); run_folder() says so once on stderr.
#include <cstdint>
#include <span>
#include <string>

namespace plat::fs {

const std::string& run_folder();

// The executable as the run folder names it: run_folder() + "/" + the
// executable's file name (the per-user folder's link, or the executable
// itself). Empty when the executable's path cannot be read.
std::string run_executable_path();

// The decision behind run_folder(), for the executable at `executable`, the
// user's data folder `data_home` and runtime folder `runtime` (empty: none
// known). Empty when no folder can serve.
std::string choose_run_folder(const std::string& executable, const std::string& data_home,
                              const std::string& runtime);

// Makes `user` a run folder for the program at `executable`. The first time,
// the shipped files are copied into a temporary folder next to `user`, which
// is renamed into place once complete: `user` appears whole or not at all, and
// two first starts never mix their copies. Later, files missing from `user`
// are added, and a data file the marker lists whose shipped copy changed is
// refreshed while the user's copy is still the one copied (a record in `user`
// holds each copy's size and hash); settings files and the user's own files
// are never replaced. The link to the executable is made, or moved to follow
// an executable that moved. True when `user` is a folder afterwards.
//
// The marker NAME.shipped lists the shipped files, one per line: "data PATH"
// (the program only reads it) or "settings PATH" (the user's once copied).
// Without a marker every file in the folders beside the executable is
// copied, none is refreshed.
bool prepare_user_run_folder(const std::string& executable, const std::string& user);

// Whether `bytes` are still what was shipped as the file `relative`
// ("image/a.jpg") of `folder`, the run folder of the executable at
// `executable`, as opposed to a file the user put there or replaced it
// with. A folder made by prepare_user_run_folder tells by its record of what
// was copied into it (a file it does not list is the user's). A folder with
// no record (the executable's own, or one filled without a marker) is
// compared with the file of the same name beside the executable.
bool is_shipped_copy(const std::string& folder, const std::string& executable,
                     const std::string& relative, std::span<const std::uint8_t> bytes);

// `folder` itself when the program's texts can name it, else a link to it in
// `runtime` (a folder of this user's that only they may enter), else empty.
std::string nameable_folder(const std::string& folder, const std::string& runtime);

// A path that outlives the session for `path`: one that goes through a link
// in the runtime folder (emptied at logout) is turned into the linked folder's
// own path; any other is returned as it is.
std::string lasting_path(const std::string& path);

}  // namespace plat::fs
