// GBK <-> QString for the Qt edge, through glibc's iconv.
#include <iconv.h>

#include <QByteArray>
#include <cerrno>

#include "platform/qt/qt_internal.h"

namespace plat::qt {
namespace {

// Converts with iconv; a byte sequence the source charset rejects is replaced
// by `bad` and skipped one byte at a time.
std::string convert(const char* to, const char* from, std::string_view in, std::string_view bad) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    out.reserve(in.size() * 2 + 4);
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    char buffer[256];
    while (left > 0) {
        char* dst = buffer;
        size_t room = sizeof buffer;
        size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (a cut-off sequence at the end): skip one byte.
            out.append(bad);
            ++src;
            --left;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

QString from_gbk(std::string_view gbk) {
    if (gbk.empty()) return {};
    bool ascii = true;
    for (unsigned char c : gbk) ascii = ascii && c < 0x80;
    if (ascii) return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
    std::string utf8 = convert("UTF-8", "GBK", gbk, "\xEF\xBF\xBD");
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string to_gbk(const QString& text) {
    if (text.isEmpty()) return {};
    QByteArray utf8 = text.toUtf8();
    std::string_view in(utf8.constData(), static_cast<size_t>(utf8.size()));
    bool ascii = true;
    for (unsigned char c : in) ascii = ascii && c < 0x80;
    if (ascii) return std::string(in);
    // "//TRANSLIT" is not used on purpose: '?' for what GBK lacks is clearer
    // than a guess, and a GBK byte count must stay predictable.
    return convert("GBK", "UTF-8", in, "?");
}

int gbk_code(QChar c) {
    if (c.unicode() < 0x80) return c.unicode();
    std::string bytes = to_gbk(QString(c));
    if (bytes.size() == 2)
        return (static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]);
    return bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
}

QString from_gbk_code(int code) {
    if (code <= 0) return {};
    if (code < 0x80) return QString(QChar(code));
    if (code < 0x100) return QString(QChar(0xFFFD));
    char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    return from_gbk(std::string_view(bytes, 2));
}

QColor colour_from(std::uint32_t bbggrr) {
    if (bbggrr == 0xFF000000u) return QColor(240, 240, 240);  // button face
    return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

}  // namespace plat::qt
