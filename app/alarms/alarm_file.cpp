#include "app/alarms/alarm_file.h"

#include <cstring>

#include "app/settings/settings_file.h"
#include "library/blocks.h"
#include "library/call.h"
#include "library/commands/file_commands.h"

namespace vel::alarms {
namespace {

constexpr std::string_view kFileName = "bell.vel";
constexpr std::string_view kNewFileName = "bell.vel.new";

constexpr std::int32_t kRead = 1;
constexpr std::int32_t kReadWrite = 3;
constexpr std::int32_t kCreateEmpty = 4;

bool can_open(const std::string& path, std::int32_t mode) {
    const std::int32_t file = open_file(path, mode);
    if (file == 0) return false;
    call(cmd_close_file, arg_int(file));
    return true;
}

bool write_whole(const std::string& path, std::string_view text) {
    const std::int32_t file = open_file(path, kCreateEmpty);
    if (file == 0) return false;
    const std::string owned(text);
    const bool written =
        owned.empty() || call(cmd_write_text, arg_int(file), arg_text(owned.c_str())).as_logical();
    call(cmd_close_file, arg_int(file));
    return written;
}

}  // namespace

AlarmFileText read_alarm_file() {
    const std::string path = settings::path(kFileName);
    const Bytes content(call(cmd_read_file, arg_text(path.c_str())).as_ptr<std::uint8_t>());
    const auto bytes = byteset_span(content.get());
    const auto* data = reinterpret_cast<const char*>(bytes.data());
    const void* zero = bytes.empty() ? nullptr : std::memchr(data, 0, bytes.size());
    if (!zero) return {std::string(data, bytes.size()), true};
    return {std::string(data, static_cast<const char*>(zero)), false};
}

bool store_alarm_file(std::string_view text) {
    const std::string path = settings::path(kFileName);
    // A file that exists but may not be written keeps its alarms, even
    // though the folder would let a rename replace it.
    if (!can_open(path, kReadWrite) && can_open(path, kRead)) return false;
    const std::string fresh = settings::path(kNewFileName);
    if (write_whole(fresh, text) && replace_file(fresh, path)) return true;
    delete_file(fresh);
    return false;
}

}  // namespace vel::alarms
