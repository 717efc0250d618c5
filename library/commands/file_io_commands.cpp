// Reading and rewriting text inside an open file: read text, write text
// (line), delete data.
#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "library/blocks.h"
#include "library/commands/args.h"
#include "library/commands/convert_commands.h"
#include "library/commands/file_commands.h"
#include "library/commands/file_table.h"

namespace vel {
namespace {

constexpr std::int64_t kMaxText = std::numeric_limits<std::int32_t>::max() - 1;
constexpr std::size_t kMoveChunk = 4096;

bool is_lead(std::uint8_t b) {
    return b >= 0x80;
}

bool writes_as_text(TypeTag tag) {
    return is_numeric_tag(tag) || tag == TAG_LOGICAL || tag == TAG_DATETIME || tag == TAG_TEXT;
}

void write_values(ResultRecord* result, int count, const ArgRecord* args, bool line_ends) {
    OpenFile* f = find_open_file(arg_at(count, args, 0).to_int());
    if (f == nullptr) return;
    const std::int64_t start = f->position;
    std::int64_t at = start;
    for (int i = 1; i < count; ++i) {
        if (!writes_as_text(args[i].tag)) continue;  // byte sets, sub-programs, arrays
        std::string bytes = value_to_text(args[i]);
        if (line_ends) bytes += "\r\n";
        if (!f->file.write_at(at, bytes.data(), bytes.size())) {
            f->position = start;
            return;
        }
        at += static_cast<std::int64_t>(bytes.size());
    }
    f->position = at;
    result->set_logical(true);
}

}  // namespace

void cmd_read_text(ResultRecord* result, int count, const ArgRecord* args) {
    OpenFile* f = find_open_file(arg_at(count, args, 0).to_int());
    if (f == nullptr) return;
    const std::int64_t length = f->file.size();
    if (length < 0) return;
    const ArgRecord& max_arg = arg_at(count, args, 1);
    const std::int64_t maximum = max_arg.present() ? max_arg.to_int() : length;
    if (maximum < 1) return;

    const std::int64_t start = f->position;
    const std::int64_t wanted =
        std::min({maximum, std::max<std::int64_t>(length - start, 0), kMaxText});
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(wanted));
    const std::int64_t got = f->file.read_at(start, buffer.data(), buffer.size());
    if (got < 0) {
        f->position = length;
        return;
    }
    const auto c = static_cast<std::size_t>(got);
    std::size_t end = c;
    std::int64_t next = start + got;
    for (std::size_t i = 0; i < c; ++i) {
        if (buffer[i] == 0 || buffer[i] == 0x1A) {
            end = i;  // the position stays on the terminator
            next = start + static_cast<std::int64_t>(i);
            break;
        }
        if (!is_lead(buffer[i])) continue;
        if (i + 1 < c) {
            if (buffer[i + 1] == 0) {  // a lead byte before a zero is dropped
                end = i;
                next = start + static_cast<std::int64_t>(i) + 1;
                break;
            }
            ++i;
        } else if (start + got < length) {
            // Cut off by the maximum: leave the character for the next read
            // rather than split it. At the file's end the lone byte is kept.
            end = i;
            next = start + static_cast<std::int64_t>(i);
        }
    }
    f->position = next;
    result->set_ptr(make_text(std::string_view(reinterpret_cast<const char*>(buffer.data()), end)));
}

void cmd_write_text(ResultRecord* result, int count, const ArgRecord* args) {
    write_values(result, count, args, false);
}

void cmd_write_text_line(ResultRecord* result, int count, const ArgRecord* args) {
    write_values(result, count, args, true);
}

void cmd_delete_data(ResultRecord* result, int count, const ArgRecord* args) {
    OpenFile* f = find_open_file(arg_at(count, args, 0).to_int());
    if (f == nullptr) return;
    const std::int64_t n = arg_at(count, args, 1).to_int();
    if (n <= 0) {
        result->set_logical(true);
        return;
    }
    const std::int64_t start = f->position;
    const std::int64_t length = f->file.size();
    if (length < 0) return;
    // Nothing lies at or after a position beyond the end: nothing to delete,
    // and the file must not grow.
    if (start >= length) {
        result->set_logical(true);
        return;
    }
    std::vector<char> chunk(kMoveChunk);
    std::int64_t from = start + n;
    std::int64_t to = start;
    while (from < length) {
        const auto want =
            static_cast<std::size_t>(std::min<std::int64_t>(length - from, kMoveChunk));
        const std::int64_t got = f->file.read_at(from, chunk.data(), want);
        if (got <= 0 || !f->file.write_at(to, chunk.data(), static_cast<std::size_t>(got))) {
            f->position = start;
            return;
        }
        from += got;
        to += got;
    }
    const std::int64_t new_length = std::max(length - n, start);
    if (!f->file.truncate(new_length)) {
        f->position = start;
        return;
    }
    f->position = start + n >= length ? start : new_length;
    result->set_logical(true);
}

}  // namespace vel
