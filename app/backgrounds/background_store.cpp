#include "app/backgrounds/background_store.h"

#include "app/backgrounds/background_units.h"
#include "app/backgrounds/catalogue.h"
#include "library/blocks.h"
#include "library/call.h"
#include "library/commands/file_commands.h"

namespace vel::backgrounds {

int open_store() {
    return call(cmd_open_file, arg_text(background_file_path().c_str())).as_int();
}

void store_value(int file, std::string_view value) {
    if (file == 0) return;
    const std::string text(value);
    call(cmd_seek_to_start, arg_int(file));
    call(cmd_delete_data, arg_int(file), arg_int(kStoredBytes));
    call(cmd_write_text, arg_int(file), arg_text(text.c_str()));
}

void close_store(int file) {
    if (file != 0) call(cmd_close_file, arg_int(file));
}

std::string read_store(int file) {
    if (file == 0) return {};
    const Text text(call(cmd_read_text, arg_int(file)).as_ptr<char>());
    return std::string(view(text));
}

}  // namespace vel::backgrounds
