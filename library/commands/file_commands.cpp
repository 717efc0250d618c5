#include "library/commands/file_commands.h"

#include <cstring>
#include <limits>

#include "library/blocks.h"
#include "library/commands/args.h"
#include "library/commands/file_table.h"
#include "platform/fs/paths.h"

namespace vel {
namespace {

using plat::fs::Access;
using plat::fs::Create;
using plat::fs::File;
using plat::fs::Share;

OpenFile* file_arg(int count, const ArgRecord* args) {
    return find_open_file(arg_at(count, args, 0).to_int());
}

// A byte set is counted by an int32 that also covers its 8-byte header.
constexpr std::int64_t kMaxByteSet = std::numeric_limits<std::int32_t>::max() - 8;

}  // namespace

std::int32_t open_file(std::string_view gbk_name, std::int32_t mode, std::int32_t share) {
    if (gbk_name.empty() || mode < 1 || mode > 6 || share < 1 || share > 4) return 0;
    static constexpr Access kAccess[] = {Access::read,  Access::write, Access::read_write,
                                         Access::write, Access::write, Access::read_write};
    static constexpr Create kCreate[] = {Create::open_existing, Create::open_existing,
                                         Create::open_existing, Create::truncate,
                                         Create::open_always,   Create::open_always};
    static constexpr Share kShare[] = {Share::share_all, Share::deny_read, Share::deny_write,
                                       Share::exclusive};
    const auto native = plat::fs::native_path(gbk_name);
    if (!native) return 0;
    File file = File::open(*native, kAccess[mode - 1], kCreate[mode - 1], kShare[share - 1]);
    if (!file.is_open()) return 0;
    return add_open_file(std::move(file));
}

void cmd_open_file(ResultRecord* result, int count, const ArgRecord* args) {
    result->set_int(open_file(text_at(count, args, 0), optional_int(count, args, 1, 3),
                              optional_int(count, args, 2, 1)));
}

void cmd_close_file(ResultRecord*, int count, const ArgRecord* args) {
    close_open_file(arg_at(count, args, 0).to_int());
}

void cmd_close_all_files(ResultRecord*, int, const ArgRecord*) {
    close_all_open_files();
}

void cmd_seek_to_start(ResultRecord* result, int count, const ArgRecord* args) {
    OpenFile* f = file_arg(count, args);
    if (f == nullptr) return;
    f->position = 0;
    result->set_logical(true);
}

void cmd_seek_to_end(ResultRecord* result, int count, const ArgRecord* args) {
    OpenFile* f = file_arg(count, args);
    if (f == nullptr) return;
    const std::int64_t length = f->file.size();
    if (length < 0) return;
    f->position = length;
    result->set_logical(true);
}

void cmd_read_file(ResultRecord* result, int count, const ArgRecord* args) {
    const auto native = plat::fs::native_path(text_at(count, args, 0));
    if (!native || native->empty()) return;
    const File file = File::open(*native, Access::read, Create::open_existing, Share::deny_write);
    const std::int64_t length = file.size();
    if (length <= 0 || length > kMaxByteSet) return;
    auto* block = static_cast<std::uint8_t*>(allocate(static_cast<std::size_t>(length) + 8));
    const std::int64_t got = file.read_at(0, block + 8, static_cast<std::size_t>(length));
    if (got <= 0) {  // a read error, or the file was emptied meanwhile
        release(block);
        return;
    }
    const std::int32_t header[2] = {1, static_cast<std::int32_t>(got)};
    std::memcpy(block, header, sizeof header);
    result->set_ptr(block);
}

bool path_exists(std::string_view gbk_name) {
    const auto native = plat::fs::native_path(gbk_name);
    return native && plat::fs::exists(*native);
}

bool replace_file_content(std::string_view gbk_name, std::string_view bytes) {
    const auto native = plat::fs::native_path(gbk_name);
    return native && plat::fs::replace_content(*native, bytes);
}

bool write_new_file(std::string_view gbk_name, std::string_view bytes) {
    const auto native = plat::fs::native_path(gbk_name);
    return native && plat::fs::write_new_file(*native, bytes);
}

void cmd_copy_file(ResultRecord* result, int count, const ArgRecord* args) {
    const auto source = plat::fs::native_path(text_at(count, args, 0));
    const auto destination = plat::fs::native_path(text_at(count, args, 1));
    result->set_logical(source && destination && plat::fs::copy_file(*source, *destination));
}

}  // namespace vel
