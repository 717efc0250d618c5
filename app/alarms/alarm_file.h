#pragma once
// Reading and storing the alarm file bell.vel as a whole.
#include <string>
#include <string_view>

namespace vel::alarms {

struct AlarmFileText {
    std::string text;      // the file's bytes up to the first zero byte
    bool whole = true;     // false when bytes follow a zero byte
    bool readable = true;  // false when bell.vel is there but cannot be read
};

// Empty when the file is missing or unreadable.
AlarmFileText read_alarm_file();

// Makes bell.vel hold exactly `text`, so that a failure leaves the old
// alarms as they were: through a file beside it renamed into its place, or
// rewritten in place when no file can be made there. A link stays a link
// and the file keeps its mode. Creates bell.vel when it is missing; false
// (nothing changed) when the settings folder is missing, the file cannot be
// both read and written, or the writes fail.
bool store_alarm_file(std::string_view text);

}  // namespace vel::alarms
