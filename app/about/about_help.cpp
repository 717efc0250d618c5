#include "app/about/about_help.h"

#include <string>

#include "app/common/message.h"
#include "app/settings/settings_file.h"
#include "library/blocks.h"
#include "library/call.h"
#include "library/commands/file_commands.h"

namespace vel {
namespace {

constexpr int kReadOnly = 1;

// The text up to its end mark (a zero byte or Ctrl-Z); empty when the file is
// missing. Opened for reading only: the program never writes it, and a file
// installed read-only must still show.
std::string read_text_file(std::string_view name) {
    const std::string path = settings::path(name);
    const int file = call(cmd_open_file, arg_text(path.c_str()), arg_int(kReadOnly)).as_int();
    if (file == 0) return {};
    const Text text(call(cmd_read_text, arg_int(file)).as_ptr<char>());
    call(cmd_close_file, arg_int(file));
    return std::string(view(text));
}

void show_file(std::string_view name, std::string_view caption) {
    clock::show_message(read_text_file(name), caption);
}

}  // namespace

void show_about() {
    show_file("about.vel", "\xB9\xD8\xD3\xDAVEL");  // 关于VEL
}

void show_help() {
    // VEL时钟完整功能及操作说明
    show_file("help.vel",
              "VEL\xCA\xB1\xD6\xD3\xCD\xEA\xD5\xFB\xB9\xA6\xC4\xDC\xBC\xB0\xB2\xD9\xD7\xF7\xCB\xB5"
              "\xC3\xF7");
}

}  // namespace vel
