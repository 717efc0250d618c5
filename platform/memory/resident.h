#pragma once
// Giving back the resident pages that starting up alone needed.
#include <cstdint>

namespace plat {

// Lets go of the resident pages of the read-only segments (code, constant
// data) of the program and every library it has loaded, and of free heap
// memory: a program that has finished starting up touches a small part of
// them again. The pages stay in the page cache and come back, without a disk
// read, when next used. Writable segments, and the relocated data that is
// made read-only after loading, are left alone: nothing written is lost.
// Gives the number of bytes of address range let go.
std::int64_t trim_resident_pages();

}  // namespace plat
