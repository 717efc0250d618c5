#include <cmath>
#include <cstdio>
#include <cstring>

#include "library/commands/args.h"
#include "library/commands/system.h"
#include "platform/message_box.h"

namespace vel {
namespace {

constexpr int kContentBuffer = 100;  // numbers are formatted into 100 bytes
constexpr char kDefaultCaption[] = "\xD0\xC5\xCF\xA2\xA3\xBA";  // 信息：
constexpr unsigned kTaskModal = 0x2000;
constexpr unsigned kSystemModal = 0x1000;

// Days since 1899-12-30 to a civil date (proleptic Gregorian).
void civil_from_days(long long days_since_1899, int& y, int& m, int& d) {
    long long z = days_since_1899 - 25569 + 719468;  // shift to 0000-03-01
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

void format_datetime(double v, char* out, std::size_t size) {
    if (!(v >= -657434.0)) v = -657434.0;  // also catches NaN
    if (v > 2958465.0) v = 2958465.0;
    // The fraction counts forward from the day even before 1899-12-30.
    long long day = static_cast<long long>(std::trunc(v));
    long long secs = std::llround(std::fabs(v - static_cast<double>(day)) * 86400.0);
    if (secs >= 86400) {
        day += v < 0 ? -1 : 1;
        secs = 0;
    }
    int y, m, d;
    civil_from_days(day, y, m, d);
    const int hh = static_cast<int>(secs / 3600), mm = static_cast<int>(secs / 60 % 60),
              ss = static_cast<int>(secs % 60);
    // 年 月 日 时 分 秒
    int n = std::snprintf(out, size, "%d\xC4\xEA%d\xD4\xC2%d\xC8\xD5", y, m, d);
    if (n < 0 || static_cast<std::size_t>(n) >= size) return;
    char* rest = out + n;
    const std::size_t left = size - static_cast<std::size_t>(n);
    if (ss != 0)
        std::snprintf(rest, left, "%d\xCA\xB1%d\xB7\xD6%d\xC3\xEB", hh, mm, ss);
    else if (mm != 0)
        std::snprintf(rest, left, "%d\xCA\xB1%d\xB7\xD6", hh, mm);
    else if (hh != 0)
        std::snprintf(rest, left, "%d\xCA\xB1", hh);
}

}  // namespace

std::string message_box_content(const ArgRecord& a) {
    char buffer[kContentBuffer] = {};
    switch (a.tag) {
        case TAG_TEXT:
            return a.as_text();
        case TAG_BYTE:
            std::snprintf(buffer, sizeof buffer, "%u", static_cast<unsigned>(a.lo & 0xFF));
            break;
        case TAG_SHORT:
            std::snprintf(buffer, sizeof buffer, "%d",
                          static_cast<int>(static_cast<std::int16_t>(a.lo)));
            break;
        case TAG_INT:
            std::snprintf(buffer, sizeof buffer, "%d", a.as_int());
            break;
        case TAG_LONG:
            std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(a.as_long()));
            break;
        case TAG_FLOAT:
            std::snprintf(buffer, sizeof buffer, "%.6g", static_cast<double>(a.as_float()));
            break;
        case TAG_DOUBLE:
            std::snprintf(buffer, sizeof buffer, "%.13g", a.as_double());
            break;
        case TAG_LOGICAL:
            std::strcpy(buffer, a.as_logical() ? "\xD5\xE6" : "\xBC\xD9");  // 真 / 假
            break;
        case TAG_DATETIME:
            format_datetime(a.as_double(), buffer, sizeof buffer);
            break;
        default:
            break;  // byte sets, arrays, sub-programs: an empty box text
    }
    return buffer;
}

void cmd_message_box(ResultRecord* result, int count, const ArgRecord* args) {
    const std::string text = count >= 1 ? message_box_content(args[0]) : std::string();
    const unsigned flags =
        count >= 2 && args[1].present() ? static_cast<unsigned>(args[1].to_int()) : 0u;
    const char* caption =
        arg_at(count, args, 2).present() ? text_at(count, args, 2) : kDefaultCaption;
    const unsigned style = (flags & kSystemModal) ? flags : flags | kTaskModal;
    const int pressed = plat::message_box(text, caption, style);
    // OK 0, Cancel 1, Abort 2, Retry 3, Ignore 4, Yes 5, No 6; anything else 0.
    result->set_int(pressed >= plat::kIdOk && pressed <= plat::kIdNo ? pressed - 1 : 0);
}

}  // namespace vel
