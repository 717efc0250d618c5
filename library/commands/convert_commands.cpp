#include "library/commands/convert_commands.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "library/blocks.h"
#include "library/commands/args.h"
#include "library/datetime/date_time.h"

namespace vel {
namespace {

constexpr char kYear[] = "\xC4\xEA";    // 年
constexpr char kMonth[] = "\xD4\xC2";   // 月
constexpr char kDay[] = "\xC8\xD5";     // 日
constexpr char kHour[] = "\xCA\xB1";    // 时
constexpr char kMinute[] = "\xB7\xD6";  // 分
constexpr char kSecond[] = "\xC3\xEB";  // 秒
constexpr char kTrue[] = "\xD5\xE6";    // 真
constexpr char kFalse[] = "\xBC\xD9";   // 假

// The character at `i` with the full-width forms people type with a Chinese
// input method read as ASCII; any other two-byte character reads as 0x80,
// which is neither a space, a sign nor a digit. Advances `i`.
char next_normalised(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80 || i + 1 >= text.size()) {
        ++i;
        return static_cast<char>(lead);
    }
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    i += 2;
    if (lead == 0xA1 && trail == 0xA1) return ' ';
    if (lead == 0xA1 && trail == 0xAB) return '~';
    if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) return '*';
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail & 0x7F);
    return static_cast<char>(0x80);
}

bool is_space(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::int32_t saturate(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (x <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(to_integer_trunc(x));
}

template <typename T>
std::string decimal(T v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// printf's "%.Ng", but never with a locale's decimal comma.
std::string general(double v, int precision) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, precision);
    return std::string(buf, r.ptr);
}

std::string up_to_zero(const std::uint8_t* bytes, std::size_t n) {
    if (bytes == nullptr || n == 0) return {};
    const void* zero = std::memchr(bytes, 0, n);
    return std::string(
        reinterpret_cast<const char*>(bytes),
        zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - bytes) : n);
}

}  // namespace

std::int32_t text_to_integer(std::string_view text) {
    // Plain ASCII digits ended by the text's end or another ASCII byte, the
    // usual case, need no normalising walk; nine digits cannot saturate.
    std::size_t k = 0;
    std::int32_t plain = 0;
    while (k < text.size() && k < 9 && text[k] >= '0' && text[k] <= '9')
        plain = plain * 10 + (text[k++] - '0');
    if (k > 0 && (k == text.size() ||
                  (static_cast<unsigned char>(text[k]) < 0x80 && (text[k] < '0' || text[k] > '9'))))
        return plain;

    std::size_t i = 0;
    char c = 0;
    do {
        if (i >= text.size()) return 0;
        c = next_normalised(text, i);
    } while (is_space(c));
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        if (i >= text.size()) return 0;
        c = next_normalised(text, i);
    }
    std::int64_t v = 0;
    while (c >= '0' && c <= '9') {
        v = v * 10 + (c - '0');
        if (v > 2147483648LL) v = 2147483648LL;  // saturate, keeping room for INT_MIN
        if (i >= text.size()) break;
        c = next_normalised(text, i);
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<std::int32_t>::max()) v = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

namespace {
// Plain ASCII digits ended by the terminator or another ASCII byte, the
// usual case, read without measuring the text; nine digits cannot saturate.
std::int32_t terminated_text_to_integer(const char* text) {
    std::size_t k = 0;
    std::int32_t plain = 0;
    while (k < 9 && text[k] >= '0' && text[k] <= '9') plain = plain * 10 + (text[k++] - '0');
    const auto next = static_cast<unsigned char>(text[k]);
    if (k > 0 && next < 0x80 && (next < '0' || next > '9')) return plain;
    return text_to_integer(text);
}

// By the value's tag: integers as they are, floating values truncated toward
// zero (saturating; NaN gives 0), texts through text_to_integer, others 0.
std::int32_t value_to_integer(const ArgRecord& value) {
    // Texts first: the program converts nothing else.
    if (value.tag == TAG_TEXT) return terminated_text_to_integer(value.as_text());
    switch (value.tag) {
        case TAG_BYTE:
            return static_cast<std::uint8_t>(value.lo);
        case TAG_SHORT:
            return static_cast<std::int16_t>(value.lo);
        case TAG_INT:
        case TAG_LOGICAL:
        case TAG_LONG:
        case TAG_SUBPTR:
            return static_cast<std::int32_t>(value.lo);
        case TAG_FLOAT:
            return saturate(value.as_float());
        case TAG_DOUBLE:
            return saturate(value.as_double());
        default:
            return 0;
    }
}

// "2008年5月1日12时" (GBK): the time part only as far as it is not zero.
std::string date_time_text(double value) {
    const CivilTime c = decode_date_time(value);
    std::string out = decimal(c.year) + kYear + decimal(c.month) + kMonth + decimal(c.day) + kDay;
    if (c.second != 0) {
        out += decimal(c.hour) + kHour + decimal(c.minute) + kMinute + decimal(c.second) + kSecond;
    } else if (c.minute != 0) {
        out += decimal(c.hour) + kHour + decimal(c.minute) + kMinute;
    } else if (c.hour != 0) {
        out += decimal(c.hour) + kHour;
    }
    return out;
}
}  // namespace

std::string value_to_text(const ArgRecord& value) {
    switch (value.tag) {
        case TAG_BYTE:
            return decimal(static_cast<std::uint8_t>(value.lo));
        case TAG_SHORT:
            return decimal(static_cast<std::int16_t>(value.lo));
        case TAG_INT:
            return decimal(value.as_int());
        case TAG_LONG:
            return decimal(value.as_long());
        case TAG_FLOAT:
            return general(static_cast<double>(value.as_float()), 6);
        case TAG_DOUBLE:
            return general(value.as_double(), 13);
        case TAG_LOGICAL:
            return value.as_logical() ? kTrue : kFalse;
        case TAG_DATETIME:
            return date_time_text(value.as_double());
        case TAG_TEXT:
            return value.as_text();
        case TAG_BYTESET: {
            const auto* block = value.as_ptr<const std::uint8_t>();
            return up_to_zero(byteset_data(block), static_cast<std::size_t>(byteset_length(block)));
        }
        default:
            break;
    }
    const TypeTag element = value.tag & ~TAG_ARRAY;
    if ((value.tag & TAG_ARRAY) != 0 && is_numeric_tag(element)) {
        const ArrayData d = array_data(value.as_ptr<const void>());
        if (d.count <= 0 || d.first == nullptr) return {};
        const auto bytes =
            static_cast<std::size_t>(d.count) * static_cast<std::size_t>(array_slot_width(element));
        return up_to_zero(static_cast<const std::uint8_t*>(d.first), bytes);
    }
    return {};
}

void cmd_to_integer(ResultRecord* result, int count, const ArgRecord* args) {
    result->set_int(value_to_integer(arg_at(count, args, 0)));
}

void cmd_to_text(ResultRecord* result, int count, const ArgRecord* args) {
    const ArgRecord& value = arg_at(count, args, 0);
    if (value.tag == TAG_BYTESET) {
        // A whole file's bytes go straight into the new text, without a copy
        // in between.
        const auto bytes = byteset_span(value.as_ptr<const std::uint8_t>());
        const void* zero = bytes.empty() ? nullptr : std::memchr(bytes.data(), 0, bytes.size());
        const std::size_t n =
            zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - bytes.data())
                 : bytes.size();
        result->set_ptr(make_text({reinterpret_cast<const char*>(bytes.data()), n}));
        return;
    }
    result->set_ptr(make_text(value_to_text(value)));
}

}  // namespace vel
