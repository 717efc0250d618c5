#pragma once
// POSIX files behind the library's open-file table. Positions belong to the
// caller (every access names its offset), which is what the table keeps.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct stat;

namespace plat::fs {

enum class Access { read, write, read_write };
enum class Create {
    open_existing,  // fail when missing
    truncate,       // create when missing, empty an existing file
    open_always,    // create when missing, keep content
};
// What other openers may do at the same time. Windows enforces this on every
// open; here it is an advisory flock() that our own opens honour:
//   share_all                  -> shared lock    (fails only against an exclusive holder)
//   deny_write                 -> shared lock    (readers that deny writing coexist)
//   deny_read, exclusive       -> exclusive lock (fails against any holder)
// A lock that cannot be taken at once fails the open, like a sharing violation.
enum class Share { share_all, deny_read, deny_write, exclusive };

class File;
bool copy_file(const std::string& native_source, const std::string& native_destination);
bool replace_content(const std::string& native_path, std::string_view bytes);

class File {
public:
    File() = default;
    ~File() { close(); }
    File(File&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens a native (UTF-8) path. Only regular files open: a folder or a
    // device is refused. A truncating open empties the file only after the
    // lock was granted, so a refused open never destroys content.
    static File open(const std::string& native_path, Access access, Create create, Share share);

    bool is_open() const { return m_fd >= 0; }
    void close();

    // -1 on error.
    std::int64_t size() const;
    // Bytes read (fewer at the end of the file), -1 on error.
    std::int64_t read_at(std::int64_t offset, void* buffer, std::size_t count) const;
    // Writes all bytes; false on error (some may have been written).
    bool write_at(std::int64_t offset, const void* data, std::size_t count) const;
    bool truncate(std::int64_t length) const;
    // Flushes what was written to the disk.
    bool sync() const;

private:
    friend bool copy_file(const std::string&, const std::string&);
    friend bool write_beside_and_rename(const std::string&, std::string_view, const struct ::stat*);
    explicit File(int fd) : m_fd(fd) {}
    int m_fd = -1;
};

// Copies a regular file over `destination` (replacing it when it exists). The
// copy is written beside the destination and renamed into place, so a failed
// copy leaves an existing destination untouched. Copying a file onto itself
// fails rather than emptying it.
bool copy_file(const std::string& native_source, const std::string& native_destination);

// Whether anything (a file, a folder, a device ...) is at the path, links followed.
bool exists(const std::string& native_path);

// Makes the file at the path hold exactly `bytes`; false leaves it as it was.
//  - A symbolic link stays: the file it leads to is the one rewritten.
//  - The bytes go to a new file beside it, with its mode, synced, then
//    renamed over it, so a crash leaves the old file or the new one.
//  - Where no file can be made beside it (a read-only folder, a full disk),
//    or the rename would change its owner or split its hard links, it is
//    rewritten in place, and written back from memory when that fails too.
//  - An existing file that cannot be opened for reading and writing, or is
//    no regular file, is never replaced.
// A missing file is created (0666 less the umask).
bool replace_content(const std::string& native_path, std::string_view bytes);

// Makes `bytes` the whole content of the path as a new file of the user's
// (0644 less the umask), whatever the mode of the file it replaces; written
// beside it, synced and renamed into place, so false leaves the old file.
bool write_new_file(const std::string& native_path, std::string_view bytes);

}  // namespace plat::fs
