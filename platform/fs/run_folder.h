#pragma once
// The run folder: where the program finds the folders of data it reads and
// writes (a native UTF-8 path without a trailing "/"), decided once, at the
// first use.
//
// It is the executable's folder whenever the user may write there (a build
// folder, a per-user install). A system install cannot be written by its
// users, so each of them gets a folder of their own instead,
// $XDG_DATA_HOME/NAME (default ~/.local/share/NAME), NAME being the
// executable's file name. That folder is made from the folders shipped beside
// the executable and holds a link NAME to the executable, so that
// "<run folder>/NAME" starts the program from either place.
//
// When the per-user folder cannot be made (a read-only home, a file in its
// way) or its path cannot be carried in the program's texts (no GBK form, or
// a backslash, which the program's paths use as separator), the executable's
// folder serves after all: the shipped files are read and writes fail, as in
// any folder the user may not write.
#include <string>

namespace plat::fs {

const std::string& run_folder();

// The executable as the run folder names it: run_folder() + "/" + the
// executable's file name (the per-user folder's link, or the executable
// itself). Empty when the executable's path cannot be read.
std::string run_executable_path();

// The decision behind run_folder(), for the executable at `executable` and the
// user's data folder `data_home` (empty: none known).
std::string choose_run_folder(const std::string& executable, const std::string& data_home);

// Makes `user` a run folder for the program at `executable`. The first time,
// the sub-folders beside the executable are copied into a temporary folder
// next to `user`, which is renamed into place once complete: `user` appears
// whole or not at all, and two first starts never mix their copies. Later,
// only files and folders missing from `user` are added; none of the user's
// files is replaced. The link to the executable is made, or moved to follow
// an executable that moved. True when `user` is a folder afterwards.
bool prepare_user_run_folder(const std::string& executable, const std::string& user);

}  // namespace plat::fs
