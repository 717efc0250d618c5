#include "platform/fs/file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

}  // namespace

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
