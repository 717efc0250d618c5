#include "library/commands/run_directory.h"

#include <algorithm>

#include "library/blocks.h"
#include "platform/fs/paths.h"
#include "platform/fs/run_folder.h"
#include "platform/text/gbk.h"

namespace vel {
namespace {

struct RunPath {
    std::string directory;
    std::string name;
};

RunPath& run_path() {
    static RunPath path = [] {
        RunPath p;
        split_native_executable_path(plat::fs::run_executable_path(), p.directory, p.name);
        return p;
    }();
    return path;
}

}  // namespace

void split_native_executable_path(std::string_view utf8_path, std::string& directory,
                                  std::string& name) {
    directory = "\\?";
    name.clear();
    const auto gbk = plat::utf8_to_gbk(utf8_path);
    if (!gbk || gbk->empty()) return;
    // A real backslash in a folder name would become a separator on the way
    // back: "a\b" would be read as the folders "a" and "b".
    const std::size_t last_slash = utf8_path.rfind('/');
    const bool folder_has_backslash =
        last_slash != std::string_view::npos &&
        utf8_path.substr(0, last_slash).find('\\') != std::string_view::npos;
    std::string windows_style = *gbk;
    // Safe on GBK bytes: '/' (0x2F) is never the trail byte of a character.
    std::replace(windows_style.begin(), windows_style.end(), '/', '\\');
    split_executable_path(windows_style, directory, name);
    if (folder_has_backslash) {
        directory = "\\?";
        const auto own_name = plat::utf8_to_gbk(utf8_path.substr(last_slash + 1));
        name = own_name ? *own_name : std::string();
    }
}

void split_executable_path(std::string_view gbk_path, std::string& directory, std::string& name) {
    // The last separator is searched character by character: 0x5C may be a trail byte.
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < gbk_path.size(); ++i) {
        if (static_cast<unsigned char>(gbk_path[i]) >= 0x80) {
            ++i;
        } else if (gbk_path[i] == '\\') {
            last = i;
        }
    }
    if (last == std::string_view::npos) {
        directory.clear();
        name = gbk_path;
    } else {
        directory = gbk_path.substr(0, last);
        name = gbk_path.substr(last + 1);
    }
}

const std::string& run_directory() {
    return run_path().directory;
}

bool is_shipped_file(std::string_view gbk_relative, std::span<const std::uint8_t> bytes) {
    const auto folder = plat::fs::native_path(run_directory());
    auto relative = plat::gbk_to_utf8(gbk_relative);
    if (!folder || !relative) return false;
    // Decoded first: a GBK trail byte may be 0x5C.
    std::replace(relative->begin(), relative->end(), '\\', '/');
    return plat::fs::is_shipped_copy(*folder, plat::fs::executable_path(), *relative, bytes);
}

void replace_run_directory(std::string gbk_directory) {
    run_path().directory = std::move(gbk_directory);
}

const std::string& executable_file_name() {
    return run_path().name;
}

void cmd_get_run_directory(ResultRecord* result, int, const ArgRecord*) {
    result->set_ptr(make_text(run_directory()));
}

void cmd_get_executable_file_name(ResultRecord* result, int, const ArgRecord*) {
    result->set_ptr(make_text(executable_file_name()));
}

}  // namespace vel
