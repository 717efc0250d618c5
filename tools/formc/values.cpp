#include "tools/formc/values.h"

#include <iconv.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace formc {

std::optional<std::string> utf8_to_gbk(std::string_view utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(utf8.size() * 2 + 4, '\0');
    std::string in(utf8);
    char* src = in.data();
    std::size_t src_left = in.size();
    char* dst = out.data();
    std::size_t dst_left = out.size();
    std::size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || src_left != 0) return std::nullopt;
    out.resize(out.size() - dst_left);
    return out;
}

std::optional<std::uint32_t> to_u32(const Token& t, ValueContext& cx) {
    if (t.kind == Token::number) {
        if (t.value < -2147483648LL || t.value > 0xFFFFFFFFLL) {
            cx.error = "number out of range";
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(t.value);
    }
    if (t.kind == Token::word) {
        if (t.text == "default") return vel::kDefaultColour;
        if (t.text == "on") return 1u;
        if (t.text == "off") return 0u;
    }
    cx.error = "expected a number, not '" + t.text + "'";
    return std::nullopt;
}

std::optional<std::int32_t> to_i32(const Token& t, ValueContext& cx) {
    if (t.kind != Token::number || t.value < -2147483648LL || t.value > 2147483647LL) {
        cx.error = "expected a 32-bit signed number, not '" + t.text + "'";
        return std::nullopt;
    }
    return static_cast<std::int32_t>(t.value);
}

std::optional<std::string> to_text(const Token& t, ValueContext& cx) {
    if (t.kind != Token::string) {
        cx.error = "expected a quoted string, not '" + t.text + "'";
        return std::nullopt;
    }
    auto gbk = utf8_to_gbk(t.text);
    if (!gbk) cx.error = "text has no GBK form: \"" + t.text + "\"";
    return gbk;
}

std::optional<vel::ResourceBytes> to_block(Args args, ValueContext& cx) {
    if (args.size() == 1 && args[0].kind == Token::string && args[0].text.empty())
        return vel::ResourceBytes{};
    if (args.size() != 2 || args[0].kind != Token::word || args[0].text != "file" ||
        args[1].kind != Token::string) {
        cx.error = "expected \"\" or file \"path\"";
        return std::nullopt;
    }
    std::filesystem::path path = cx.base_dir / args[1].text;
    std::ifstream in(path, std::ios::binary);
    if (!in && cx.missing_files_empty && !std::filesystem::exists(path)) {
        std::fprintf(stderr, "formc: warning: %s is missing, left empty\n", path.c_str());
        return vel::ResourceBytes{};
    }
    if (!in) {
        cx.error = "cannot read " + path.string();
        return std::nullopt;
    }
    return vel::ResourceBytes(std::istreambuf_iterator<char>(in), {});
}

std::optional<vel::ResourceBytes> to_font(Args args, ValueContext& cx) {
    if (args.size() == 1 && args[0].kind == Token::word && args[0].text == "none")
        return vel::ResourceBytes{};
    vel::LogFont f;
    if (args.size() % 2 != 0) {
        cx.error = "font wants pairs: height N weight N italic N charset N face \"name\"";
        return std::nullopt;
    }
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string& key = args[i].text;
        const Token& v = args[i + 1];
        if (key == "face") {
            auto face = to_text(v, cx);
            if (!face) return std::nullopt;
            if (face->size() > 31) {
                cx.error = "font face longer than 31 bytes";
                return std::nullopt;
            }
            f.faceName = *face;
            continue;
        }
        auto n = to_i32(v, cx);
        if (!n) return std::nullopt;
        if (key == "height")
            f.height = *n;
        else if (key == "width")
            f.width = *n;
        else if (key == "weight")
            f.weight = *n;
        else if (key == "italic")
            f.italic = static_cast<std::uint8_t>(*n);
        else if (key == "underline")
            f.underline = static_cast<std::uint8_t>(*n);
        else if (key == "strikeout")
            f.strikeOut = static_cast<std::uint8_t>(*n);
        else if (key == "charset")
            f.charSet = static_cast<std::uint8_t>(*n);
        else if (key == "quality")
            f.quality = static_cast<std::uint8_t>(*n);
        else if (key == "pitch")
            f.pitchAndFamily = static_cast<std::uint8_t>(*n);
        else {
            cx.error = "unknown font field '" + key + "'";
            return std::nullopt;
        }
    }
    return vel::encode_log_font(f);
}

}  // namespace formc
