#pragma once
// The settings folder "VEL文件" beside the program: one small text file per
// setting, each holding the caption of the menu item that set it. A file is
// opened for reading and writing and never created; a file that cannot be
// opened reads as empty and takes every store operation as a no-op.
#include <cstdint>
#include <string>
#include <string_view>

namespace vel::settings {

// "<run directory>\VEL文件\<name>" (GBK, Windows-style).
std::string path(std::string_view name);

// The file's text as the read text command gives it (up to the first zero
// byte); empty when the file is missing.
std::string read(std::string_view name);

// Whether the file's text is exactly `value`: nothing before it and nothing
// after it (a trailing line break or space makes it differ). Reads only a
// few bytes past the value, however large the file.
bool holds(std::string_view name, std::string_view value);

// One settings file open for a store operation; closed when this goes.
class StoreFile {
public:
    explicit StoreFile(std::string_view name);
    ~StoreFile();
    StoreFile(const StoreFile&) = delete;
    StoreFile& operator=(const StoreFile&) = delete;

    bool is_open() const { return m_file != 0; }
    // The file holds exactly `value` afterwards: written at the start, and
    // whatever followed it cut off.
    void set(std::string_view value);
    // Deletes the first 8 bytes (one stored toggle value).
    void clear();
    // Deletes the first n bytes, then stores `value` as set does.
    void replace(std::int32_t n, std::string_view value);

private:
    std::int32_t m_file = 0;
};

}  // namespace vel::settings
