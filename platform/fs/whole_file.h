#pragma once
// A whole file written in one step.
#include <cstdint>
#include <span>
#include <string>

namespace plat::fs {

// Makes `bytes` the whole content of `native_destination`. A new file is
// written beside it, synced and renamed into its place: a failure leaves the
// old file as it was, and the file that stands there afterwards is a new one
// of the user's (0644 less the umask), whatever the mode of the one replaced.
bool write_whole_file(const std::string& native_destination, std::span<const std::uint8_t> bytes);

}  // namespace plat::fs
