#pragma once
// Reading and storing the alarm file bell.vel as a whole.
#include <string>
#include <string_view>

namespace vel::alarms {

struct AlarmFileText {
    std::string text;   // the file's bytes up to the first zero byte
    bool whole = true;  // false when bytes follow a zero byte
};

// Empty when the file is missing or unreadable.
AlarmFileText read_alarm_file();

// Makes bell.vel hold exactly `text`: written to a file beside it and
// renamed into its place, so a failed write leaves the old alarms as they
// were. Creates bell.vel when it is missing; false (nothing changed) when
// the settings folder is missing, the file is read-only or a write fails.
bool store_alarm_file(std::string_view text);

}  // namespace vel::alarms
