#include "tools/formc/lexer.h"

#include <cctype>
#include <charconv>

namespace formc {
namespace {

bool lex_string(std::string_view s, std::size_t& i, Token& t, std::string& why) {
    t.kind = Token::string;
    for (++i; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            ++i;
            return true;
        }
        if (c == '\\') {
            if (++i >= s.size()) break;
            switch (s[i]) {
                case 'n':
                    t.text += '\n';
                    break;
                case 't':
                    t.text += '\t';
                    break;
                case '\\':
                    t.text += '\\';
                    break;
                case '"':
                    t.text += '"';
                    break;
                default:
                    why = "unknown escape in string";
                    return false;
            }
            continue;
        }
        t.text += c;
    }
    why = "unterminated string";
    return false;
}

bool lex_number(std::string_view word, Token& t) {
    bool negative = !word.empty() && word[0] == '-';
    std::string_view digits = negative ? word.substr(1) : word;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    std::uint64_t v = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, base);
    if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty()) return false;
    if (v > 0xFFFFFFFFull) return false;
    t.kind = Token::number;
    t.value = negative ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
    return true;
}

}  // namespace

bool lex(std::string_view source, std::vector<Line>& lines, std::string& error) {
    int number = 0;
    while (!source.empty()) {
        std::size_t eol = source.find('\n');
        std::string_view s = source.substr(0, eol);
        source = eol == std::string_view::npos ? std::string_view() : source.substr(eol + 1);
        ++number;
        if (!s.empty() && s.back() == '\r') s.remove_suffix(1);

        Line line;
        line.number = number;
        std::size_t i = 0;
        while (i < s.size() && s[i] == ' ') ++i;
        if (i < s.size() && s[i] == '\t') {
            error = std::to_string(number) + ": indent with spaces, not tabs";
            return false;
        }
        line.indent = static_cast<int>(i);
        while (i < s.size()) {
            char c = s[i];
            if (c == ' ' || c == '\t') {
                ++i;
                continue;
            }
            if (c == '#') break;
            Token t;
            if (c == '"') {
                std::string why;
                if (!lex_string(s, i, t, why)) {
                    error = std::to_string(number) + ": " + why;
                    return false;
                }
            } else {
                std::size_t start = i;
                while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '"' && s[i] != '#')
                    ++i;
                t.text = std::string(s.substr(start, i - start));
                char first = t.text[0];
                if ((std::isdigit(static_cast<unsigned char>(first)) || first == '-') &&
                    !lex_number(t.text, t)) {
                    error = std::to_string(number) + ": bad number '" + t.text + "'";
                    return false;
                }
            }
            line.tokens.push_back(std::move(t));
        }
        if (!line.tokens.empty()) lines.push_back(std::move(line));
    }
    return true;
}

}  // namespace formc
