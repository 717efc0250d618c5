#include "app/settings/settings_file.h"

#include <limits>

#include "library/blocks.h"
#include "library/call.h"
#include "library/commands/file_commands.h"
#include "library/commands/run_directory.h"

namespace vel::settings {
namespace {

// "\VEL文件\" in GBK.
constexpr std::string_view kFolder = "\x5CVEL\xCE\xC4\xBC\xFE\x5C";
// Toggle values are 8 bytes at most; clear removes one.
constexpr std::int32_t kToggleBytes = 8;
// Delete data stops at the file's end: this cuts everything after the position.
constexpr std::int32_t kRest = std::numeric_limits<std::int32_t>::max();

std::int32_t open_existing(std::string_view name) {
    const std::string full = path(name);
    return call(cmd_open_file, arg_text(full.c_str())).as_int();
}

std::string read_open(std::int32_t file, std::int32_t maximum) {
    const ResultRecord r = maximum > 0 ? call(cmd_read_text, arg_int(file), arg_int(maximum))
                                       : call(cmd_read_text, arg_int(file));
    const Text text(r.as_ptr<char>());
    return std::string(view(text));
}

std::string read_file(std::string_view name, std::int32_t maximum) {
    const std::int32_t file = open_existing(name);
    if (file == 0) return {};
    std::string text = read_open(file, maximum);
    call(cmd_close_file, arg_int(file));
    return text;
}

}  // namespace

std::string path(std::string_view name) {
    std::string p = run_directory();
    p += kFolder;
    p += name;
    return p;
}

std::string read(std::string_view name) {
    return read_file(name, 0);
}

bool holds(std::string_view name, std::string_view value) {
    // Two bytes past the value: read text keeps a two-byte character whole,
    // so one more byte could come back as the value alone.
    const auto maximum = static_cast<std::int32_t>(value.size()) + 2;
    return !value.empty() && read_file(name, maximum) == value;
}

StoreFile::StoreFile(std::string_view name) : m_file(open_existing(name)) {}

StoreFile::~StoreFile() {
    if (m_file != 0) call(cmd_close_file, arg_int(m_file));
}

void StoreFile::set(std::string_view value) {
    if (m_file == 0) return;
    const std::string text(value);
    call(cmd_seek_to_start, arg_int(m_file));
    call(cmd_write_text, arg_int(m_file), arg_text(text.c_str()));
    // A hand-added line break after an earlier value would otherwise keep the
    // setting off at every start, however often it is turned on.
    call(cmd_delete_data, arg_int(m_file), arg_int(kRest));
}

void StoreFile::clear() {
    if (m_file == 0) return;
    call(cmd_seek_to_start, arg_int(m_file));
    call(cmd_delete_data, arg_int(m_file), arg_int(kToggleBytes));
}

void StoreFile::replace(std::int32_t n, std::string_view value) {
    if (m_file == 0) return;
    call(cmd_seek_to_start, arg_int(m_file));
    call(cmd_delete_data, arg_int(m_file), arg_int(n));
    set(value);
}

}  // namespace vel::settings
