#include "platform/fs/xdg_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace plat::fs {
namespace {

std::string env_or_empty(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

// $HOME, else the password database's entry for this user.
std::string home_folder() {
    std::string home = env_or_empty("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

std::string absolute_or(const char* variable, const char* under_home) {
    const std::string value = env_or_empty(variable);
    if (!value.empty() && value.front() == '/') return value;
    const std::string home = home_folder();
    return home.empty() ? std::string() : home + under_home;
}

}  // namespace

std::string user_config_folder() {
    return absolute_or("XDG_CONFIG_HOME", "/.config");
}

std::string user_data_folder() {
    return absolute_or("XDG_DATA_HOME", "/.local/share");
}

std::string user_runtime_folder() {
    const std::string value = env_or_empty("XDG_RUNTIME_DIR");
    return !value.empty() && value.front() == '/' ? value : std::string();
}

bool make_user_folders(const std::string& path) {
    std::size_t pos = 1;
    while (pos <= path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string::npos) end = path.size();
        const std::string part = path.substr(0, end);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        pos = end + 1;
    }
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace plat::fs
