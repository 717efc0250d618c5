#pragma once
// Lines of a form description: indentation, then words, numbers and quoted
// strings; '#' starts a comment outside a string.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace formc {

struct Token {
    enum Kind { word, number, string } kind = word;
    std::string text;        // the word, or the string's UTF-8 content
    std::int64_t value = 0;  // numbers only
};

struct Line {
    int number = 0;  // 1-based line in the file
    int indent = 0;  // leading spaces
    std::vector<Token> tokens;
};

// Splits `source` into non-empty lines. On a lexical error returns false and
// sets `error` to "LINE: reason".
bool lex(std::string_view source, std::vector<Line>& lines, std::string& error);

}  // namespace formc
