// Feeds arbitrary bytes (any mix of lead bytes, lone lead bytes at the end,
// separators) through the text commands and checks what they promise.
// Input: byte 0 and 1 pick start and count, then the text, a 0xFF byte, the
// sought/old text, a 0xFF byte and the new text / delimiter.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "library/blocks.h"
#include "library/call.h"
#include "library/commands/convert_commands.h"
#include "library/commands/text_commands.h"

namespace {

using namespace vel;

void check(bool ok) {
    if (!ok) std::abort();
}

// Texts are zero-terminated: cut each part at its first zero byte.
std::string part(std::string_view& rest) {
    const std::size_t end = rest.find('\xFF');
    std::string p(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return p.substr(0, p.find('\0'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int start = static_cast<std::int8_t>(data[0]);
    const int count = static_cast<std::int8_t>(data[1]);
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string text = part(rest);
    const std::string sought = part(rest);
    const std::string other = part(rest);

    const ResultRecord found = call(cmd_find_text, arg_text(text.c_str()), arg_text(sought.c_str()),
                                    arg_int(start), arg_logical(count < 0));
    const int pos = found.as_int();
    check(pos == -1 || (pos >= 1 && static_cast<std::size_t>(pos) <= text.size()));
    if (pos > 0 && count >= 0 && !sought.empty())
        check(text.compare(static_cast<std::size_t>(pos) - 1, sought.size(), sought) == 0);

    Text replaced(call(cmd_replace_subtext, arg_text(text.c_str()), arg_text(sought.c_str()),
                       arg_text(other.c_str()), arg_int(start), arg_int(count),
                       arg_logical(count % 2 == 0))
                      .as_ptr<char>());
    if (sought.empty() || count == 0) check(view(replaced) == text);

    void* pieces =
        call(cmd_split_text, arg_text(text.c_str()), arg_text(other.c_str()), arg_int(count))
            .as_ptr<void>();
    const ArrayData d = array_data(pieces);
    std::size_t total = 0;
    for (std::int64_t i = 0; i < d.count; ++i)
        total += view(static_cast<char**>(d.first)[i]).size();
    check(total <= text.size());
    release_array(pieces, TAG_TEXT);

    const std::int32_t number = call(cmd_to_integer, arg_text(text.c_str())).as_int();
    (void)number;

    Text middle(call(cmd_middle_text, arg_text(text.c_str()), arg_int(start), arg_int(count))
                    .as_ptr<char>());
    check(view(middle).size() <= text.size());
    Text left(call(cmd_left_text, arg_text(text.c_str()), arg_int(count)).as_ptr<char>());
    Text right(call(cmd_right_text, arg_text(text.c_str()), arg_int(start)).as_ptr<char>());
    check(view(left).size() <= text.size() && view(right).size() <= text.size());
    return 0;
}
