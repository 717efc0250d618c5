#include "app/about/about_help.h"

#include <algorithm>
#include <string>

#include "app/common/message.h"
#include "app/settings/settings_file.h"
#include "library/blocks.h"
#include "library/call.h"
#include "library/commands/file_commands.h"
#include "library/commands/system.h"

namespace vel {
namespace {

constexpr int kReadOnly = 1;

// A message box is as tall as its text, however tall that is: a text longer
// than the screen would put the box's button out of reach. What does not fit
// is cut, reckoned on the generous side: a box line is about 14 pixels high
// and wraps after about 60 columns (a Chinese character takes two).
constexpr int kLinePixels = 16;
constexpr int kWrapColumns = 56;
// The box's caption, margins and button row, and a desktop panel.
constexpr int kReservedPixels = 140;
constexpr int kMinimumLines = 10;
constexpr char kCutMark[] = "\r\n\xA1\xAD\xA1\xAD";  // ……

bool is_lead(char c) {
    return static_cast<unsigned char>(c) >= 0x81;
}

std::string fit_to_screen(std::string text) {
    const int screen = call(cmd_screen_height).as_int();
    const int budget = std::max(kMinimumLines, (screen - kReservedPixels) / kLinePixels);
    int lines = 1;
    int columns = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool two = is_lead(text[i]) && i + 1 < text.size();
        if (text[i] == '\n') {
            ++lines;
            columns = 0;
        } else if (columns + (two ? 2 : 1) > kWrapColumns) {
            ++lines;
            columns = 0;
        }
        if (lines > budget) {
            // A line break that ends the part kept goes with the cut.
            std::size_t end = i;
            while (end > 0 && (text[end - 1] == '\r' || text[end - 1] == '\n')) --end;
            text.resize(end);
            return text + kCutMark;
        }
        if (text[i] != '\n') columns += two ? 2 : 1;
        if (two) ++i;
    }
    return text;
}

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
    clock::show_message(fit_to_screen(read_text_file(name)), caption);
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
