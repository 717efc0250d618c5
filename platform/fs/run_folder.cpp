#include "platform/fs/run_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "platform/fs/file.h"
#include "platform/fs/paths.h"
#include "platform/fs/xdg_folders.h"
#include "platform/text/gbk.h"

namespace plat::fs {
namespace {

namespace stdfs = std::filesystem;

std::string folder_part(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_part(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::string join(const std::string& folder, const std::string& name) {
    return (folder == "/" ? std::string() : folder) + "/" + name;
}

bool is_folder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool nameable_in_texts(const std::string& path) {
    return path.find('\\') == std::string::npos && utf8_to_gbk(path).has_value();
}

// Copies a file to `destination` unless something is there already, even
// when another process makes it meanwhile: link() never replaces.
bool copy_new_file(const std::string& source, const std::string& destination) {
    std::string temp = folder_part(destination) + "/.velseed-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    ::close(fd);
    const bool ok = copy_file(source, temp) && ::link(temp.c_str(), destination.c_str()) == 0;
    ::unlink(temp.c_str());
    return ok;
}

// Adds what `from` holds and `to` lacks: at the top only folders (the
// executable and anything else beside it stay where they are), below them
// folders and regular files. False when something could not be added.
bool add_missing(const std::string& from, const std::string& to, bool top) {
    std::error_code ec;
    stdfs::directory_iterator entries(from, ec);
    if (ec) return false;
    bool complete = true;
    for (const stdfs::directory_entry& entry : entries) {
        const std::string source = entry.path().string();
        const std::string target = join(to, entry.path().filename().string());
        if (entry.is_directory(ec)) {
            if (!exists(target) && ::mkdir(target.c_str(), 0755) != 0 && errno != EEXIST)
                complete = false;
            else if (!is_folder(target) || !add_missing(source, target, false))
                complete = false;
        } else if (!top && !exists(target)) {
            // A shipped entry that cannot be read (a broken link) counts as
            // missing from the copy, so a first copy without it is not used.
            if (!entry.is_regular_file(ec) || !copy_new_file(source, target)) complete = false;
        }
    }
    return complete;
}

// `link` names `executable`; a link that names something else (the program
// was moved) is replaced in one step, anything that is not a link is left.
bool link_executable(const std::string& executable, const std::string& link) {
    struct stat st {};
    if (::lstat(link.c_str(), &st) != 0) return ::symlink(executable.c_str(), link.c_str()) == 0;
    if (!S_ISLNK(st.st_mode)) return false;
    std::error_code ec;
    if (stdfs::read_symlink(link, ec).string() == executable) return true;
    const std::string temp = folder_part(link) + "/.velseed-link-" + std::to_string(::getpid());
    ::unlink(temp.c_str());
    if (::symlink(executable.c_str(), temp.c_str()) == 0 &&
        ::rename(temp.c_str(), link.c_str()) == 0)
        return true;
    ::unlink(temp.c_str());
    return false;
}

}  // namespace

bool prepare_user_run_folder(const std::string& executable, const std::string& user) {
    const std::string shipped = folder_part(executable);
    const std::string link = join(user, name_part(executable));
    struct stat st {};
    if (::lstat(user.c_str(), &st) != 0) {
        if (errno != ENOENT || !make_user_folders(folder_part(user))) return false;
        std::string temp = folder_part(user) + "/." + name_part(user) + "-XXXXXX";
        if (::mkdtemp(temp.data()) == nullptr) return false;
        if (add_missing(shipped, temp, true) &&
            link_executable(executable, join(temp, name_part(executable))) &&
            ::rename(temp.c_str(), user.c_str()) == 0)
            return true;
        std::error_code ec;
        stdfs::remove_all(temp, ec);
        // Another copy of the program may have put its own in place meanwhile.
    }
    if (!is_folder(user)) return false;
    add_missing(shipped, user, true);
    link_executable(executable, link);
    return true;
}

std::string choose_run_folder(const std::string& executable, const std::string& data_home) {
    if (executable.empty()) return {};
    const std::string folder = folder_part(executable);
    if (::access(folder.c_str(), W_OK) == 0 || data_home.empty()) return folder;
    const std::string user = join(data_home, name_part(executable));
    if (!nameable_in_texts(user) || !prepare_user_run_folder(executable, user)) return folder;
    return user;
}

const std::string& run_folder() {
    static const std::string folder = choose_run_folder(executable_path(), user_data_folder());
    return folder;
}

std::string run_executable_path() {
    const std::string executable = executable_path();
    if (executable.empty()) return {};
    return join(run_folder(), name_part(executable));
}

}  // namespace plat::fs
