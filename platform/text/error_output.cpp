#include "platform/text/error_output.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace plat {
namespace {

// "zh_CN.GBK@x" -> "GBK": for a locale named in the environment but not
// installed, whose character set the terminal uses all the same.
std::string charset_named_in_environment() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value) continue;
        std::string_view name(value);
        const std::size_t dot = name.find('.');
        if (dot == std::string_view::npos) return {};
        name = name.substr(dot + 1);
        return std::string(name.substr(0, name.find('@')));
    }
    return {};
}

std::string without_cr_before_lf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') out += text[i];
    return out;
}

bool is_ascii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

std::string from_gbk(std::string_view gbk, const std::string& charset) {
    iconv_t cd = iconv_open((charset + "//TRANSLIT").c_str(), "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(gbk);
    std::string out;
    char* src = const_cast<char*>(gbk.data());
    std::size_t src_left = gbk.size();
    char buffer[256];
    while (src_left > 0) {
        char* dst = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done = iconv(cd, &src, &src_left, &dst, &room);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (done == static_cast<std::size_t>(-1) && error != E2BIG) {
            // Not GBK (EILSEQ), or cut short at the end (EINVAL): one
            // character's bytes become "?" and the rest goes on.
            const auto lead = static_cast<unsigned char>(src[0]);
            const bool pair = src_left > 1 && lead >= 0x81 && lead <= 0xFE &&
                              static_cast<unsigned char>(src[1]) >= 0x40;  // a trail byte
            const std::size_t skip = pair ? 2 : 1;
            out += '?';
            src += skip;
            src_left -= skip;
        }
    }
    char* dst = buffer;
    std::size_t room = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &room);  // a stateful charset's return to its initial state
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    iconv_close(cd);
    return out;
}

// The character set of the user's locale (LC_ALL, LC_CTYPE, LANG), read
// without changing the program's own locale. UTF-8 when the locale names
// plain ASCII (C, POSIX, or nothing set): ASCII cannot carry the messages at
// all, and terminals and the journal read UTF-8 today.
std::string error_output_charset() {
    std::string charset;
    if (const locale_t locale = newlocale(LC_CTYPE_MASK, "", locale_t(0))) {
        charset = nl_langinfo_l(CODESET, locale);
        freelocale(locale);
    } else {
        charset = charset_named_in_environment();
    }
    if (charset.empty() || charset == "ANSI_X3.4-1968") return "UTF-8";
    return charset;
}

}  // namespace

void write_error_output(std::string_view gbk) {
    std::string text = without_cr_before_lf(gbk);
    if (!is_ascii(text)) text = from_gbk(text, error_output_charset());
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

}  // namespace plat
