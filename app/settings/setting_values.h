#pragma once
// The settings files of the toggles, and the value each holds when on: the
// caption of the menu item that sets it (GBK).
#include <string_view>

namespace vel::settings {

inline constexpr std::string_view kStartFile = "start.vel";
inline constexpr std::string_view kHourFile = "hour.vel";
inline constexpr std::string_view kTopFile = "top.vel";
inline constexpr std::string_view kMouseFile = "mouse.vel";
inline constexpr std::string_view kInsertFile = "insert.vel";
inline constexpr std::string_view kOutlineFile = "outline.vel";

inline constexpr std::string_view k开机启动 = "\xBF\xAA\xBB\xFA\xC6\xF4\xB6\xAF";
inline constexpr std::string_view k半点报时 = "\xB0\xEB\xB5\xE3\xB1\xA8\xCA\xB1";
inline constexpr std::string_view k置于顶层 = "\xD6\xC3\xD3\xDA\xB6\xA5\xB2\xE3";
inline constexpr std::string_view k鼠标穿透 = "\xCA\xF3\xB1\xEA\xB4\xA9\xCD\xB8";
inline constexpr std::string_view k嵌入桌面 = "\xC7\xB6\xC8\xEB\xD7\xC0\xC3\xE6";
inline constexpr std::string_view k正方形 = "\xD5\xFD\xB7\xBD\xD0\xCE";
inline constexpr std::string_view k圆形 = "\xD4\xB2\xD0\xCE";
inline constexpr std::string_view k圆角方形 = "\xD4\xB2\xBD\xC7\xB7\xBD\xD0\xCE";

}  // namespace vel::settings
