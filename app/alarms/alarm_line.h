#pragma once
// The alarm file bell.vel: GBK alarm lines, each ended by CR LF, in the
// order the alarms were added. A line reads
//     name "：" hour ":" minute "/" ring name
// and the first occurrence of each separator counts, so a name holding one
// of them is taken apart wrongly (and stored as typed all the same).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vel::alarms {

inline constexpr std::string_view kFullWidthColon = "\xA3\xBA";  // ：
// Two GBK bytes: the hour starts this far past the colon's position.
inline constexpr std::size_t kFullWidthColonWidth = kFullWidthColon.size();
inline constexpr std::string_view kLineEnd = "\r\n";

// The thirteen ring names, in the order of the editor's ring box; ring k
// (0-based) sounds the embedded "ringNN.wav" with NN = k + 1.
inline constexpr std::array<std::string_view, 13> kRingNames = {
    "VEL",
    "\xC6\xF0\xB4\xB2",                          // 起床
    "\xC9\xCF\xB0\xE0",                          // 上班
    "\xB3\xD4\xB7\xB9",                          // 吃饭
    "\xD1\xDB\xB1\xA3\xBD\xA1\xB2\xD9",          // 眼保健操
    "\xD0\xDD\xCF\xA2",                          // 休息
    "\xCF\xC2\xB0\xE0",                          // 下班
    "\xBC\xA6\xBD\xD0",                          // 鸡叫
    "\xC4\xF1\xBD\xD0",                          // 鸟叫
    "\xB9\xB7\xBD\xD0",                          // 狗叫
    "\xCE\xC7\xB1\xF0\xD3\xA2\xCE\xC4\xB0\xE6",  // 吻别英文版
    "\xC7\xE0\xBB\xA8\xB4\xC9",                  // 青花瓷
    "\xBB\xAD\xD0\xC4",                          // 画心
};

// The index of a ring name in kRingNames, or -1 when it is none of them.
int ring_index(std::string_view ring);
// The embedded sound of ring `index` (a ByteSet block), null when absent.
const unsigned char* ring_sound(int index);

// The pieces of a text between CR LF pairs: empty pieces between two line
// ends are kept, the empty piece after a final line end is not.
std::vector<std::string_view> split_lines(std::string_view text);

// A line taken apart at the first occurrence of each separator. The fields
// are cut as the editor fills its boxes, from any line: a missing "："
// lets the hour start at the line's start, a missing "/" makes the whole line
// the ring, and a field whose separators are missing or out of order is empty.
struct AlarmLine {
    static constexpr std::size_t npos = std::string_view::npos;
    std::size_t colon = npos;       // "："
    std::size_t time_colon = npos;  // ":"
    std::size_t slash = npos;       // "/"
    std::string_view name, hour, minute, ring;
    // Only a line holding "：", then ":" after it, then "/" after that is an
    // alarm; anything else (an empty line, hand-written text) is not.
    bool is_alarm() const { return slash != npos && colon < time_colon && time_colon < slash; }
};
AlarmLine parse_alarm_line(std::string_view line);

// The line the editor writes for these fields (without its CR LF).
std::string format_alarm_line(std::string_view name, int hour, int minute, std::string_view ring);

}  // namespace vel::alarms
