#include "app/alarms/alarm_line.h"

#include <cstdio>

#include "library/commands/gbk_search.h"
#include "resources/embedded.h"

namespace vel::alarms {

int ring_index(std::string_view ring) {
    for (std::size_t i = 0; i < kRingNames.size(); ++i)
        if (kRingNames[i] == ring) return static_cast<int>(i);
    return -1;
}

const unsigned char* ring_sound(int index) {
    if (index < 0 || index >= static_cast<int>(kRingNames.size())) return nullptr;
    char name[16];
    std::snprintf(name, sizeof name, "ring%02d.wav", index + 1);
    return embedded_byteset(name);
}

std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        // A byte search: CR and LF are never the second byte of a character,
        // so no character is cut, and a stray lead byte before a line end
        // stays on its own line instead of swallowing the CR.
        const std::size_t end = text.find(kLineEnd, start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + kLineEnd.size();
    }
    return lines;
}

AlarmLine parse_alarm_line(std::string_view line) {
    AlarmLine a;
    a.colon = find_on_boundary(line, 0, kFullWidthColon);
    a.time_colon = find_on_boundary(line, 0, ":");
    a.slash = find_on_boundary(line, 0, "/");
    if (a.colon != AlarmLine::npos) a.name = line.substr(0, a.colon);
    const std::size_t hour_at = a.colon == AlarmLine::npos ? 0 : a.colon + kFullWidthColonWidth;
    if (a.time_colon != AlarmLine::npos && a.time_colon > hour_at)
        a.hour = line.substr(hour_at, a.time_colon - hour_at);
    if (a.time_colon != AlarmLine::npos && a.slash != AlarmLine::npos && a.slash > a.time_colon + 1)
        a.minute = line.substr(a.time_colon + 1, a.slash - a.time_colon - 1);
    a.ring = a.slash == AlarmLine::npos ? line : line.substr(a.slash + 1);
    return a;
}

std::string format_alarm_line(std::string_view name, int hour, int minute, std::string_view ring) {
    std::string line(name);
    line += kFullWidthColon;
    line += std::to_string(hour);
    line += ':';
    line += std::to_string(minute);
    line += '/';
    line += ring;
    return line;
}

}  // namespace vel::alarms
