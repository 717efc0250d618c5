#include "platform/fs/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/text/gbk.h"

namespace plat::fs {
namespace {

bool exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool equal_ignoring_ascii_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

// The entry of `folder` that equals `name` ignoring letter case. When several
// do (possible here, not on Windows), the smallest name wins so that the
// choice does not depend on directory order.
std::optional<std::string> find_ignoring_case(const std::string& folder, std::string_view name) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view candidate(entry->d_name);
        if (equal_ignoring_ascii_case(candidate, name) && (!best || candidate < *best))
            best = std::string(candidate);
    }
    ::closedir(dir);
    return best;
}

// "\" -> "/" and case-insensitive lookup on an already decoded UTF-8 path.
std::string resolve_utf8_path(std::string_view utf8_path) {
    std::string path(utf8_path);
    std::replace(path.begin(), path.end(), '\\', '/');
    // Most paths name what exists, letter for letter: one look instead of
    // one per folder on the way.
    if (path.find("//") == std::string::npos && exists(path)) return path;

    std::string out;
    std::size_t pos = 0;
    if (!path.empty() && path[0] == '/') {
        out = "/";
        pos = 1;
    }
    bool still_existing = true;  // once a component is missing, nothing below it exists
    while (pos <= path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string::npos) end = path.size();
        std::string_view name(path.data() + pos, end - pos);
        if (!name.empty()) {
            const std::string folder = out;
            if (!out.empty() && out.back() != '/') out += '/';
            const std::size_t name_at = out.size();
            out += name;
            if (still_existing && !exists(out)) {
                if (auto found = find_ignoring_case(folder, name)) {
                    out.replace(name_at, std::string::npos, *found);
                } else {
                    still_existing = false;
                }
            }
        }
        if (end == path.size()) break;
        pos = end + 1;
    }
    // Keep a trailing separator: "dir\" names a folder, not a file.
    if (!path.empty() && path.back() == '/' && !out.empty() && out.back() != '/') out += '/';
    return out;
}

}  // namespace

std::optional<std::string> native_path(std::string_view gbk_path) {
    auto utf8 = gbk_to_utf8(gbk_path);
    if (!utf8) return std::nullopt;
    return resolve_utf8_path(*utf8);
}

std::string executable_path() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return {};
        if (static_cast<std::size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(n));
        if (buffer.size() >= (1u << 20)) return {};
        buffer.resize(buffer.size() * 2);
    }
}

bool set_current_directory(std::string_view gbk_path) {
    auto native = native_path(gbk_path);
    return native && !native->empty() && ::chdir(native->c_str()) == 0;
}

}  // namespace plat::fs
