#include "platform/autostart.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/fs/paths.h"
#include "platform/fs/run_folder.h"
#include "platform/fs/xdg_folders.h"
#include "platform/text/gbk.h"

namespace plat {
namespace {

constexpr std::size_t kMaxFileName = 255;
constexpr char kSuffix[] = ".desktop";

bool has_control_character(std::string_view s) {
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7F) return true;
    return false;
}

// XDG base folders must be absolute; anything else is ignored.
std::string machine_config_folder() {
    const char* set = std::getenv("XDG_CONFIG_DIRS");
    const std::string dirs = set ? set : "";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string entry = dirs.substr(start, end - start);
        if (!entry.empty()) return entry.front() == '/' ? entry : std::string();
        start = end + 1;
    }
    return "/etc/xdg";
}

std::string folder_of(AutostartMethod method) {
    const std::string base =
        method == AutostartMethod::machine ? machine_config_folder() : fs::user_config_folder();
    return base.empty() ? std::string() : base + "/autostart";
}

bool is_folder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool write_all(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A reader sees the old entry or the complete new one, never a part.
bool write_atomically(const std::string& path, std::string_view text) {
    const std::size_t slash = path.rfind('/');
    std::string temp = path.substr(0, slash + 1) + "." + path.substr(slash + 1) + ".XXXXXX";
    if (temp.size() - slash - 1 > kMaxFileName) temp = path.substr(0, slash + 1) + ".vel.XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) return false;
    bool ok = write_all(fd, text) && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok && rename(name.data(), path.c_str()) == 0) return true;
    unlink(name.data());
    return false;
}

// One argument of an Exec line: quoted when it holds a reserved character,
// with ", `, $ and \ escaped inside the quotes.
std::string exec_argument(std::string_view arg) {
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string out;
    const bool quote = arg.find_first_of(kReserved) != std::string_view::npos;
    if (quote) out += '"';
    for (char c : arg) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
        if (c == '%') out += '%';  // field codes start with %
        out += c;
    }
    if (quote) out += '"';
    return out;
}

// A string value of the entry file escapes its backslashes once more.
std::string escape_value(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '\\') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace

std::optional<std::string> autostart_entry_path(std::string_view name_gbk, AutostartMethod method) {
    const std::optional<std::string> name = gbk_to_utf8(name_gbk);
    if (!name || name->empty() || *name == "." || *name == ".." ||
        name->find('/') != std::string::npos || has_control_character(*name) ||
        name->size() + sizeof kSuffix - 1 > kMaxFileName)
        return std::nullopt;
    const std::string folder = folder_of(method);
    if (folder.empty()) return std::nullopt;
    return folder + "/" + *name + kSuffix;
}

std::optional<std::string> autostart_entry_text(std::string_view name_utf8,
                                                std::string_view program_utf8) {
    if (program_utf8.empty() || has_control_character(program_utf8) ||
        has_control_character(name_utf8))
        return std::nullopt;
    std::string text = "[Desktop Entry]\nType=Application\nVersion=1.0\n";
    text += "Name=" + escape_value(name_utf8) + "\n";
    text += "Exec=" + escape_value(exec_argument(program_utf8)) + "\n";
    text += "Terminal=false\nX-GNOME-Autostart-enabled=true\n";
    return text;
}

bool set_autostart(std::string_view name_gbk, std::string_view program_gbk,
                   AutostartMethod method) {
    std::optional<std::string> program = fs::native_path(program_gbk);
    struct stat st {};
    if (!program || stat(program->c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    // The entry is read at later logons: not through a link that goes with
    // this session.
    *program = fs::lasting_path(*program);
    const std::optional<std::string> name = gbk_to_utf8(name_gbk);
    if (!name) return false;
    const std::optional<std::string> text = autostart_entry_text(*name, *program);
    if (!text) return false;

    if (method == AutostartMethod::machine) {
        const std::optional<std::string> path = autostart_entry_path(name_gbk, method);
        if (!path) return false;
        // Like the machine-wide key, the folder is opened, never created. Every
        // user starts the program itself, not a link in this user's folder.
        const std::string folder = path->substr(0, path->rfind('/'));
        char* real = ::realpath(program->c_str(), nullptr);
        const std::optional<std::string> shared_text =
            autostart_entry_text(*name, real ? std::string(real) : *program);
        std::free(real);
        if (shared_text && is_folder(folder) && write_atomically(*path, *shared_text)) return true;
        // Without the rights for every user, start at least for this one.
    }
    const std::optional<std::string> path = autostart_entry_path(name_gbk, AutostartMethod::user);
    if (!path) return false;
    return fs::make_user_folders(path->substr(0, path->rfind('/'))) &&
           write_atomically(*path, *text);
}

bool remove_autostart(std::string_view name_gbk) {
    bool machine_deleted = false;
    if (auto path = autostart_entry_path(name_gbk, AutostartMethod::machine))
        machine_deleted = unlink(path->c_str()) == 0;
    bool user_deleted = false;
    if (auto path = autostart_entry_path(name_gbk, AutostartMethod::user))
        user_deleted = unlink(path->c_str()) == 0;
    return user_deleted || machine_deleted;
}

}  // namespace plat
