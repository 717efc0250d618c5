#include "platform/fs/file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>
#include <string>
#include <vector>

namespace plat::fs {

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

void File::close() {
    if (m_fd >= 0) ::close(m_fd);  // the lock goes with the descriptor
    m_fd = -1;
}

File File::open(const std::string& native_path, Access access, Create create, Share share) {
    if (native_path.empty()) return File();
    // O_NONBLOCK: opening a FIFO must not hang; it is refused below anyway.
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    switch (access) {
        case Access::read:
            flags |= O_RDONLY;
            break;
        case Access::write:
            flags |= O_WRONLY;
            break;
        case Access::read_write:
            flags |= O_RDWR;
            break;
    }
    if (create != Create::open_existing) flags |= O_CREAT;
    const int fd = ::open(native_path.c_str(), flags, 0666);
    if (fd < 0) return File();
    File file(fd);

    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return File();

    const int lock = (share == Share::share_all || share == Share::deny_write) ? LOCK_SH : LOCK_EX;
    if (::flock(fd, lock | LOCK_NB) != 0) return File();

    if (create == Create::truncate && ::ftruncate(fd, 0) != 0) return File();
    return file;
}

std::int64_t File::size() const {
    struct stat st;
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) return -1;
    return st.st_size;
}

std::int64_t File::read_at(std::int64_t offset, void* buffer, std::size_t count) const {
    if (m_fd < 0 || offset < 0) return -1;
    std::size_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        const ssize_t n = ::pread(m_fd, out + done, count - done,
                                  static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

bool File::write_at(std::int64_t offset, const void* data, std::size_t count) const {
    if (m_fd < 0 || offset < 0) return false;
    std::size_t done = 0;
    const auto* in = static_cast<const char*>(data);
    while (done < count) {
        const ssize_t n = ::pwrite(m_fd, in + done, count - done,
                                   static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool File::truncate(std::int64_t length) const {
    return m_fd >= 0 && length >= 0 && ::ftruncate(m_fd, static_cast<off_t>(length)) == 0;
}

bool File::sync() const {
    return m_fd >= 0 && ::fsync(m_fd) == 0;
}

namespace {

bool same_file(const struct stat& a, const std::string& path) {
    struct stat b;
    return ::stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Where a chain of symbolic links ends (the path itself when it is no
// link); nullopt for a loop or a link that cannot be read.
std::optional<std::string> link_end(const std::string& path) {
    std::string at = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
        std::string to(PATH_MAX, '\0');
        const ssize_t n = ::readlink(at.c_str(), to.data(), to.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= to.size()) return std::nullopt;
        to.resize(static_cast<std::size_t>(n));
        at = to.front() == '/' ? to : folder_of(at) + "/" + to;
    }
    return std::nullopt;
}

bool write_whole(const File& file, std::string_view bytes) {
    return file.write_at(0, bytes.data(), bytes.size()) &&
           file.truncate(static_cast<std::int64_t>(bytes.size())) && file.sync();
}

// Overwriting the old bytes takes no new room on the disk, only growing
// does; a write that fails part way is undone from the copy read first.
bool rewrite_in_place(const File& file, std::string_view bytes) {
    const std::int64_t size = file.size();
    if (size < 0) return false;
    std::string old(static_cast<std::size_t>(size), '\0');
    if (file.read_at(0, old.data(), old.size()) != size) return false;
    if (write_whole(file, bytes)) return true;
    write_whole(file, old);
    return false;
}

// A rename lasts only once its folder is synced.
void sync_folder(const std::string& path) {
    const int folder = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    ::fsync(folder);
    ::close(folder);
}

}  // namespace

// Writes `bytes` to a new file beside `target`, syncs it and renames it over
// `target`: a crash leaves the old file or the new one. The new file is one
// of the user's (0644 less the umask), or, given `keep`, has that file's
// mode, owner and group. False leaves `target` as it was.
bool write_beside_and_rename(const std::string& target, std::string_view bytes,
                             const struct ::stat* keep) {
    static unsigned serial = 0;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = folder_of(target) + "/.velsave-" + std::to_string(::getpid()) + "-" +
               std::to_string(++serial);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    File fresh(fd);
    // Renamed, a file of another owner or group would become ours.
    struct stat made;
    const bool kept = !keep || (::fstat(fd, &made) == 0 &&
                                ((made.st_uid == keep->st_uid && made.st_gid == keep->st_gid) ||
                                 ::fchown(fd, keep->st_uid, keep->st_gid) == 0) &&
                                ::fchmod(fd, keep->st_mode & 07777) == 0);
    const bool written = kept && write_whole(fresh, bytes);
    fresh.close();
    if (written && ::rename(temp.c_str(), target.c_str()) == 0) {
        sync_folder(target);
        return true;
    }
    ::unlink(temp.c_str());
    return false;
}

bool exists(const std::string& native_path) {
    struct stat st;
    return !native_path.empty() && ::stat(native_path.c_str(), &st) == 0;
}

bool replace_content(const std::string& native_path, std::string_view bytes) {
    if (native_path.empty()) return false;
    const std::optional<std::string> target = link_end(native_path);
    if (!target) return false;
    struct stat st;
    if (::stat(target->c_str(), &st) != 0) {
        if (errno != ENOENT) return false;
        // Nothing to keep: written where it goes, and removed when it fails.
        const File made = File::open(*target, Access::write, Create::truncate, Share::exclusive);
        if (!made.is_open()) return false;
        if (write_whole(made, bytes)) return true;
        ::unlink(target->c_str());
        return false;
    }
    const File existing =
        File::open(*target, Access::read_write, Create::open_existing, Share::share_all);
    if (!existing.is_open()) return false;
    // A file with other names (hard links) would lose them to a rename.
    if (st.st_nlink != 1) return rewrite_in_place(existing, bytes);
    // Where no file can be made beside it, or its owner could not be kept,
    // it is rewritten in place.
    if (write_beside_and_rename(*target, bytes, &st)) return true;
    return rewrite_in_place(existing, bytes);
}

bool write_new_file(const std::string& native_path, std::string_view bytes) {
    return !native_path.empty() && write_beside_and_rename(native_path, bytes, nullptr);
}

bool copy_file(const std::string& native_source, const std::string& native_destination) {
    if (native_source.empty() || native_destination.empty()) return false;
    File source = File::open(native_source, Access::read, Create::open_existing, Share::deny_write);
    if (!source.is_open()) return false;
    struct stat st;
    if (::fstat(source.m_fd, &st) != 0 || same_file(st, native_destination)) return false;
    // Like Windows, an existing destination that may not be written is not replaced.
    struct stat dst;
    if (::stat(native_destination.c_str(), &dst) == 0 &&
        (!S_ISREG(dst.st_mode) || ::access(native_destination.c_str(), W_OK) != 0))
        return false;

    std::string temp = folder_of(native_destination) + "/.velcopy-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    File target(fd);
    bool ok = ::fchmod(fd, st.st_mode & 0777) == 0;
    std::vector<char> buffer(64 * 1024);
    std::int64_t offset = 0;
    while (ok) {
        const std::int64_t n = source.read_at(offset, buffer.data(), buffer.size());
        if (n < 0) ok = false;
        if (n <= 0) break;
        ok = target.write_at(offset, buffer.data(), static_cast<std::size_t>(n));
        offset += n;
    }
    ok = ok && ::fsync(fd) == 0;
    target.close();
    if (ok && ::rename(temp.c_str(), native_destination.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

}  // namespace plat::fs
