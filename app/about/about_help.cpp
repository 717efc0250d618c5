#include "app/about/about_help.h"

#include <string>

#include "app/about/messages.h"
#include "library/blocks.h"
#include "library/call.h"
#include "library/commands/file_commands.h"
#include "library/commands/run_directory.h"

namespace vel {
namespace {

constexpr int kReadOnly = 1;

// The text up to its end mark (a zero byte or Ctrl-Z); empty when the file is
// missing. Opened for reading only: the program never writes it, and a file
// installed read-only must still show.
std::string read_text_file(std::string_view tail) {
    const std::string path = run_directory() + std::string(tail);
    const int file = call(cmd_open_file, arg_text(path.c_str()), arg_int(kReadOnly)).as_int();
    if (file == 0) return {};
    const Text text(call(cmd_read_text, arg_int(file)).as_ptr<char>());
    // A tick running inside an earlier box may have closed every file: the
    // close of an unknown number does nothing.
    call(cmd_close_file, arg_int(file));
    return std::string(view(text));
}

void show_file(std::string_view tail, const char* caption) {
    const std::string text = read_text_file(tail);
    show_message(text.c_str(), caption);
}

}  // namespace

void show_about() {
    // \VEL文件\about.vel, 关于VEL
    show_file(
        "\x5CVEL\xCE\xC4\xBC\xFE\x5C"
        "about.vel",
        "\xB9\xD8\xD3\xDAVEL");
}

void show_help() {
    // \VEL文件\help.vel, VEL时钟完整功能及操作说明
    show_file("\x5CVEL\xCE\xC4\xBC\xFE\x5Chelp.vel",
              "VEL\xCA\xB1\xD6\xD3\xCD\xEA\xD5\xFB\xB9\xA6\xC4\xDC\xBC\xB0\xB2\xD9\xD7\xF7\xCB\xB5"
              "\xC3\xF7");
}

}  // namespace vel
