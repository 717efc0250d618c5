#include "platform/named_event.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/fs/xdg_folders.h"
#include "platform/text/gbk.h"

namespace plat {
namespace {

struct Handles {
    std::mutex lock;
    std::map<EventHandle, int> fds;  // the locked file when this handle created the event, else -1
    EventHandle next = 0x100;
};

// Never destroyed: a handle may be closed from another static's destructor.
Handles& handles() {
    static Handles& h = *new Handles;
    return h;
}

EventHandle add_handle(int fd) {
    Handles& h = handles();
    std::lock_guard guard(h.lock);
    const EventHandle id = h.next;
    h.next += 4;
    h.fds.emplace(id, fd);
    return id;
}

std::uint64_t fnv1a(std::string_view s) {
    std::uint64_t v = 1469598103934665603ull;
    for (unsigned char c : s) v = (v ^ c) * 1099511628211ull;
    return v;
}

// A folder no other user can put a file into: a real folder (not a link)
// owned by this user, writable by nobody else. Kept open, so that the file is
// made in the folder that passed, whatever is renamed meanwhile.
int open_private_folder(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) == 0 && st.st_uid == geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0)
        return fd;
    close(fd);
    return -1;
}

// The runtime folder first: it is private to the session and emptied at
// logout. One that another user reached first (a shared folder given as
// runtime folder) is passed over.
int open_event_folder(std::string* chosen = nullptr) {
    for (const std::string& base : {fs::user_runtime_folder(), fs::user_data_folder()}) {
        if (base.empty()) continue;
        const std::string folder = base + "/velclock";
        fs::make_user_folders(folder);
        const int fd = open_private_folder(folder);
        if (fd < 0) continue;
        if (chosen) *chosen = folder;
        return fd;
    }
    return -1;
}

struct flock whole_file(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;  // from 0 to the end, however long: the whole file
    return lock;
}

// -1 when it cannot be opened (for `create`, made when missing).
int open_event_file(std::string_view name, bool create) {
    const int folder = open_event_folder();
    if (folder < 0) return -1;
    const int flags = create ? O_RDWR | O_CREAT : O_RDONLY;
    const int fd =
        openat(folder, named_event_file(name).c_str(), flags | O_NOFOLLOW | O_CLOEXEC, 0600);
    close(folder);
    return fd;
}

}  // namespace

std::string display_identity(std::string_view display) {
    // [host]:number[.screen]; the screen does not make another display, and
    // "unix" is the local host spelled out.
    const std::size_t colon = display.rfind(':');
    if (colon == std::string_view::npos) return std::string(display);
    std::string_view host = display.substr(0, colon);
    std::string_view number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (host == "unix") host = {};
    while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
    return std::string(host) + ":" + std::string(number);
}

std::string named_event_folder() {
    std::string folder;
    const int fd = open_event_folder(&folder);
    if (fd >= 0) close(fd);
    return folder;
}

std::string named_event_file(std::string_view name) {
    const char* display = std::getenv("DISPLAY");
    std::string suffix = "@" + display_identity(display ? display : "") + ".lock";
    for (char& c : suffix)
        if (c == '/') c = '_';
    // The name in UTF-8 keeps the file readable; a name that cannot be a
    // file name as it is (no UTF-8 form, a "/", too long) is replaced by its hash.
    std::optional<std::string> readable = gbk_to_utf8(name);
    if (readable && !readable->empty() && readable->find('/') == std::string::npos &&
        readable->size() + suffix.size() <= 200)
        return *readable + suffix;
    char hash[24];
    std::snprintf(hash, sizeof hash, "#%016llx", static_cast<unsigned long long>(fnv1a(name)));
    return hash + suffix.substr(0, 200);
}

EventHandle open_named_event(std::string_view name) {
    if (name.empty()) return 0;
    const int fd = open_event_file(name, false);
    if (fd < 0) return 0;  // never created, or no folder to look in
    struct flock probe = whole_file(F_WRLCK);
    const bool held = fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    close(fd);
    return held ? add_handle(-1) : 0;
}

EventHandle create_named_event(std::string_view name) {
    if (name.empty()) return add_handle(-1);
    const int fd = open_event_file(name, true);
    if (fd < 0) return 0;
    struct flock lock = whole_file(F_WRLCK);
    if (fcntl(fd, F_OFD_SETLK, &lock) == 0) return add_handle(fd);
    const int error = errno;
    close(fd);
    // Creating an existing event hands out the existing one.
    return error == EAGAIN || error == EACCES ? add_handle(-1) : 0;
}

bool close_event_handle(EventHandle handle) {
    int fd = -1;
    {
        Handles& h = handles();
        std::lock_guard guard(h.lock);
        auto it = h.fds.find(handle);
        if (it == h.fds.end()) return false;
        fd = it->second;
        h.fds.erase(it);
    }
    if (fd >= 0) close(fd);  // drops the lock: the event ends
    return true;
}

}  // namespace plat
