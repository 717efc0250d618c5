#include "app/alarms/alarm_file.h"

#include <cstring>

#include "app/settings/settings_file.h"
#include "library/blocks.h"
#include "library/call.h"
#include "library/commands/file_commands.h"

namespace vel::alarms {
namespace {

constexpr std::string_view kFileName = "bell.vel";
constexpr std::int32_t kRead = 1;

bool can_read(const std::string& path) {
    const std::int32_t file = open_file(path, kRead);
    if (file == 0) return false;
    call(cmd_close_file, arg_int(file));
    return true;
}

}  // namespace

AlarmFileText read_alarm_file() {
    const std::string path = settings::path(kFileName);
    const Bytes content(call(cmd_read_file, arg_text(path.c_str())).as_ptr<std::uint8_t>());
    const auto bytes = byteset_span(content.get());
    const auto* data = reinterpret_cast<const char*>(bytes.data());
    // Nothing read from a file that is there: it may hold alarms that must
    // not be written over (no read rights, a folder in its place).
    if (bytes.empty() && path_exists(path) && !can_read(path)) return {{}, true, false};
    const void* zero = bytes.empty() ? nullptr : std::memchr(data, 0, bytes.size());
    if (!zero) return {std::string(data, bytes.size()), true};
    return {std::string(data, static_cast<const char*>(zero)), false};
}

bool store_alarm_file(std::string_view text) {
    return replace_file_content(settings::path(kFileName), text);
}

}  // namespace vel::alarms
