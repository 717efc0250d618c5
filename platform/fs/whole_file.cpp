#include "platform/fs/whole_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace plat::fs {
namespace {

// A name beside `path` that no file has yet, opened for writing; -1 when none.
int create_beside(const std::string& path, std::string& name) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + ".velwrite-" + std::to_string(::getpid()) + "-" + std::to_string(++serial);
        // The mode a new file of the user's gets: the umask applies.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

bool write_whole_file(const std::string& native_destination, std::span<const std::uint8_t> bytes) {
    if (native_destination.empty()) return false;
    std::string temp;
    const int fd = create_beside(native_destination, temp);
    if (fd < 0) return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) done += static_cast<std::size_t>(n);
        ok = n > 0 || (n < 0 && errno == EINTR);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && std::rename(temp.c_str(), native_destination.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

}  // namespace plat::fs
