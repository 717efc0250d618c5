#include "library/commands/text_commands.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "library/blocks.h"
#include "library/commands/args.h"
#include "library/commands/gbk_search.h"

namespace vel {
namespace {

// The text up to its first `at_most` bytes: a cut never needs to measure
// the rest of a long text.
std::string_view text_prefix(const char* text, std::int64_t at_most) {
    return {text, at_most > 0 ? strnlen(text, static_cast<std::size_t>(at_most)) : 0};
}

std::size_t offset_of(std::int32_t start) {
    return start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
}

}  // namespace

char* left_text(std::string_view text, std::int32_t n) {
    if (n <= 0) return nullptr;
    return make_text(text.substr(0, static_cast<std::size_t>(n)));
}

char* right_text(std::string_view text, std::int32_t n) {
    if (n <= 0) return nullptr;
    const std::size_t take = std::min(text.size(), static_cast<std::size_t>(n));
    return make_text(text.substr(text.size() - take));
}

char* middle_text(std::string_view text, std::int32_t start, std::int32_t n) {
    if (start < 1 || static_cast<std::size_t>(start) > text.size() || n <= 0) return nullptr;
    return make_text(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n)));
}

std::int32_t find_text(std::string_view text, std::string_view sought, std::int32_t start,
                       bool ignore_case) {
    const std::size_t s = offset_of(start);
    const std::size_t searchable = s >= text.size() ? 0 : text.size() - s;
    if (sought.empty()) return searchable > 0 ? 1 : -1;
    if (searchable == 0) return -1;
    const std::size_t p = find_on_boundary(text, s, sought, ignore_case);
    return p == std::string_view::npos ? -1 : static_cast<std::int32_t>(p + 1);
}

char* replace_subtext(std::string_view text, std::string_view old_text, std::string_view new_text,
                      std::int32_t start, std::int32_t count, bool case_sensitive) {
    const std::size_t s = offset_of(start);
    if (text.empty() || old_text.empty() || s >= text.size() || count == 0) return make_text(text);

    std::string out;
    out.reserve(text.size());
    out.append(text.substr(0, s));
    std::size_t at = s;
    std::int64_t replaced = 0;
    while (text.size() - at >= old_text.size()) {
        if (count > 0 && replaced >= count) break;
        if (matches_at(text, at, old_text, !case_sensitive)) {
            out.append(new_text);
            at += old_text.size();
            ++replaced;
        } else if (is_gbk_lead(text[at])) {
            if (at + 1 >= text.size()) {  // a lone lead byte at the end is dropped
                at = text.size();
                break;
            }
            out.append(text.substr(at, 2));
            at += 2;
        } else {
            out.push_back(text[at]);
            at += 1;
        }
    }
    out.append(text.substr(at));
    return make_text(out);
}

void* split_text(std::string_view text, std::string_view delimiter, std::int32_t maximum) {
    const std::size_t limit = maximum < 0 ? text.size() + 1 : static_cast<std::size_t>(maximum);
    OwnedArrayBuilder pieces(text.empty() ? 0 : std::min(limit, text.size() / 16 + 4));
    if (!text.empty() && limit > 0) {
        if (delimiter.empty()) {
            pieces.append(make_text(text));
        } else {
            std::size_t cut = 0;
            while (pieces.size() < limit) {
                const std::size_t at = find_on_boundary(text, cut, delimiter);
                if (at == std::string_view::npos) break;
                pieces.append(make_text(text.substr(cut, at - cut)));
                cut = at + delimiter.size();
            }
            if (cut < text.size() && pieces.size() < limit)
                pieces.append(make_text(text.substr(cut)));
        }
    }
    return pieces.take();
}

void cmd_text_length(ResultRecord* result, int count, const ArgRecord* args) {
    result->set_int(text_length(text_at(count, args, 0)));
}

void cmd_left_text(ResultRecord* result, int count, const ArgRecord* args) {
    const std::int32_t n = arg_at(count, args, 1).to_int();
    result->set_ptr(left_text(text_prefix(text_at(count, args, 0), n), n));
}

void cmd_right_text(ResultRecord* result, int count, const ArgRecord* args) {
    result->set_ptr(right_text(text_at(count, args, 0), arg_at(count, args, 1).to_int()));
}

void cmd_middle_text(ResultRecord* result, int count, const ArgRecord* args) {
    const std::int32_t start = arg_at(count, args, 1).to_int();
    const std::int32_t n = arg_at(count, args, 2).to_int();
    const std::int64_t end = start < 1 || n <= 0 ? 0 : std::int64_t{start} - 1 + n;
    result->set_ptr(middle_text(text_prefix(text_at(count, args, 0), end), start, n));
}

void cmd_find_text(ResultRecord* result, int count, const ArgRecord* args) {
    const char* text = text_at(count, args, 0);
    const char* sought = text_at(count, args, 1);
    const std::int32_t start = optional_int(count, args, 2, 1);
    const ArgRecord& ignore_case = arg_at(count, args, 3);
    result->set_int(
        find_text(text, sought, start, ignore_case.present() && ignore_case.as_logical()));
}

void cmd_replace_subtext(ResultRecord* result, int count, const ArgRecord* args) {
    const ArgRecord& case_sensitive = arg_at(count, args, 5);
    result->set_ptr(replace_subtext(text_at(count, args, 0), text_at(count, args, 1),
                                    text_at(count, args, 2), optional_int(count, args, 3, 1),
                                    optional_int(count, args, 4, -1),
                                    case_sensitive.present() && case_sensitive.as_logical()));
}

void cmd_split_text(ResultRecord* result, int count, const ArgRecord* args) {
    const ArgRecord& delimiter = arg_at(count, args, 1);
    result->set_ptr(split_text(text_at(count, args, 0),
                               delimiter.present() ? text_at(count, args, 1) : ",",
                               optional_int(count, args, 2, -1)));
}

}  // namespace vel
