#include "platform/text/gbk.h"

#include <iconv.h>

#include <cerrno>

namespace plat {
namespace {

// One conversion descriptor per direction and thread: opening one costs far
// more than converting a file name, and iconv_t is not shareable across threads.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::optional<std::string> convert(std::string_view in) {
        if (!valid()) return std::nullopt;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        std::string out;
        // GBK -> UTF-8 grows most on the one-byte euro sign (0x80, three
        // bytes in UTF-8), UTF-8 -> GBK shrinks: three bytes out per byte in
        // is always enough, plus room for the shift reset.
        out.resize(in.size() * 3 + 8);
        char* src = const_cast<char*>(in.data());
        std::size_t src_left = in.size();
        char* dst = out.data();
        std::size_t dst_left = out.size();
        while (src_left > 0) {
            if (iconv(m_cd, &src, &src_left, &dst, &dst_left) == static_cast<std::size_t>(-1)) {
                // EILSEQ: no counterpart; EINVAL: a character cut at the end.
                return std::nullopt;
            }
        }
        if (iconv(m_cd, nullptr, nullptr, &dst, &dst_left) == static_cast<std::size_t>(-1))
            return std::nullopt;
        out.resize(out.size() - dst_left);
        return out;
    }

private:
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t m_cd;
};

bool is_ascii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::optional<std::string> gbk_to_utf8(std::string_view gbk) {
    if (is_ascii(gbk)) return std::string(gbk);  // the common case: paths, numbers
    thread_local Converter converter("UTF-8", "GBK");
    return converter.convert(gbk);
}

std::optional<std::string> utf8_to_gbk(std::string_view utf8) {
    if (is_ascii(utf8)) return std::string(utf8);
    thread_local Converter converter("GBK", "UTF-8");
    return converter.convert(utf8);
}

}  // namespace plat
