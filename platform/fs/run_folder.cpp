#include "platform/fs/run_folder.h"

#include "platform/fs/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/fs/digest.h"
#include "platform/fs/paths.h"
#include "platform/fs/xdg_folders.h"
#include "platform/text/gbk.h"

namespace plat::fs {
namespace {

namespace stdfs = std::filesystem;

// In the per-user folder: what was copied there from the shipped files.
constexpr char kRecordName[] = ".shipped-record";
// Beside the executable, named after it: the files the install ships.
constexpr char kMarkerSuffix[] = ".shipped";

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

std::string env_or_empty(const char* name) {
    const char* value = std::getenv(name);
    return value && *value == '/' ? std::string(value) : std::string();
}

std::optional<Digest> digest_of(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    Digest digest;
    std::vector<unsigned char> buffer(64 * 1024);
    ssize_t n;
    while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) digest.add(buffer.data(), size_t(n));
    ::close(fd);
    if (n < 0) return std::nullopt;
    return digest;
}

// Copies a regular file through a temporary file beside `destination`: in
// place of an old one when `replace`, else only where nothing is, even when
// another process makes it meanwhile (link() never replaces). The copy is
// always its owner's to write. The digest of what was written, none on
// failure.
std::optional<Digest> copy_shipped(const std::string& source, const std::string& destination,
                                   bool replace) {
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return std::nullopt;
    struct stat st {};
    std::string temp = folder_part(destination) + "/.velseed-XXXXXX";
    const int out =
        ::fstat(in, &st) == 0 && S_ISREG(st.st_mode) ? ::mkostemp(temp.data(), O_CLOEXEC) : -1;
    if (out < 0) {
        ::close(in);
        return std::nullopt;
    }
    Digest digest;
    bool ok = ::fchmod(out, (st.st_mode & 0777) | S_IRUSR | S_IWUSR) == 0;
    std::vector<unsigned char> buffer(64 * 1024);
    while (ok) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        digest.add(buffer.data(), size_t(n));
        for (ssize_t done = 0; ok && done < n;) {
            const ssize_t w = ::write(out, buffer.data() + done, size_t(n - done));
            ok = w > 0;
            done += w;
        }
    }
    ok = ::fsync(out) == 0 && ok;
    ::close(out);
    ::close(in);
    if (ok) {
        ok = replace ? ::rename(temp.c_str(), destination.c_str()) == 0
                     : ::link(temp.c_str(), destination.c_str()) == 0;
    }
    if (!ok || !replace) ::unlink(temp.c_str());
    return ok ? std::optional<Digest>(digest) : std::nullopt;
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
            if (!entry.is_regular_file(ec) || !copy_shipped(source, target, false))
                complete = false;
        }
    }
    return complete;
}

struct ShippedFile {
    std::string path;  // relative, "/" separated
    bool data;         // read only by the program: refreshed on upgrades
};

bool plain_relative_path(std::string_view path) {
    if (path.empty() || path.front() == '/' || path.back() == '/') return false;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

std::optional<std::string> read_small_file(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string text;
    char buffer[16 * 1024];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0 && text.size() < (1u << 20))
        text.append(buffer, size_t(n));
    ::close(fd);
    if (n < 0) return std::nullopt;
    return text;
}

template <typename Line>
void for_each_line(std::string_view text, Line line) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        line(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

std::string marker_of(const std::string& executable) {
    return executable + kMarkerSuffix;
}

// The marker's list; none without a marker. Lines of another kind, or with a
// path that could leave the folder, are skipped.
std::optional<std::vector<ShippedFile>> read_marker(const std::string& executable) {
    const std::optional<std::string> text = read_small_file(marker_of(executable));
    if (!text) return std::nullopt;
    std::vector<ShippedFile> files;
    for_each_line(*text, [&](std::string_view line) {
        static constexpr std::pair<std::string_view, bool> kKinds[] = {{"data ", true},
                                                                       {"settings ", false}};
        for (const auto& [prefix, data] : kKinds) {
            if (line.substr(0, prefix.size()) == prefix &&
                plain_relative_path(line.substr(prefix.size())))
                files.push_back({std::string(line.substr(prefix.size())), data});
        }
    });
    return files;
}

std::int64_t mtime_ns(const struct stat& st) {
    return std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

// One copied file: what was copied, and the shipped file as it was then (its
// size and modification time), so that a later start sees a changed shipped
// file without reading it.
struct Copied {
    Digest copy;
    std::uint64_t shipped_size = 0;
    std::int64_t shipped_mtime = 0;
};
using Record = std::map<std::string, Copied>;

// Lines "SIZE HASH SHIPPED_SIZE SHIPPED_MTIME PATH"; unreadable lines are
// dropped (their files then count as the user's).
Record read_record(const std::string& folder) {
    Record record;
    const std::optional<std::string> text = read_small_file(join(folder, kRecordName));
    if (!text) return record;
    for_each_line(*text, [&](std::string_view line) {
        const std::string copy(line);
        Copied c;
        unsigned long long size, hash, shipped_size;
        long long mtime;
        int path_at = 0;
        if (std::sscanf(copy.c_str(), "%llu %llx %llu %lld %n", &size, &hash, &shipped_size, &mtime,
                        &path_at) == 4 &&
            path_at > 0 && plain_relative_path(copy.substr(size_t(path_at)))) {
            c.copy.size = size;
            c.copy.hash = hash;
            c.shipped_size = shipped_size;
            c.shipped_mtime = mtime;
            record[copy.substr(size_t(path_at))] = c;
        }
    });
    return record;
}

bool write_record(const std::string& folder, const Record& record) {
    std::string text;
    char fields[96];
    for (const auto& [path, c] : record) {
        std::snprintf(fields, sizeof fields, "%" PRIu64 " %016" PRIx64 " %" PRIu64 " %" PRId64 " ",
                      c.copy.size, c.copy.hash, c.shipped_size, c.shipped_mtime);
        text += fields + path + "\n";
    }
    return write_new_file(join(folder, kRecordName), text);
}

bool make_parents(const std::string& folder, const std::string& relative) {
    for (std::size_t slash = relative.find('/'); slash != std::string::npos;
         slash = relative.find('/', slash + 1)) {
        const std::string part = join(folder, relative.substr(0, slash));
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}

// Brings `to` up to date with the listed shipped files (see
// prepare_user_run_folder). `changed` tells whether `record` changed. False
// when a missing file could not be added.
bool update_listed(const std::string& shipped, const std::string& to,
                   const std::vector<ShippedFile>& files, Record& record, bool& changed) {
    bool complete = true;
    for (const ShippedFile& file : files) {
        const std::string source = join(shipped, file.path);
        const std::string target = join(to, file.path);
        struct stat st {};
        if (::stat(source.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
            complete = false;
            continue;
        }
        const auto shipped_now = [&](const Digest& copy) {
            record[file.path] = {copy, std::uint64_t(st.st_size), mtime_ns(st)};
            changed = true;
        };
        if (!exists(target)) {
            const std::optional<Digest> copy =
                make_parents(to, file.path) ? copy_shipped(source, target, false) : std::nullopt;
            if (copy)
                shipped_now(*copy);
            else
                complete = false;
            continue;
        }
        if (!file.data) continue;
        const auto known = record.find(file.path);
        if (known != record.end() && known->second.shipped_size == std::uint64_t(st.st_size) &&
            known->second.shipped_mtime == mtime_ns(st))
            continue;  // the shipped file is as it was: nothing to read
        const std::optional<Digest> now = digest_of(source);
        if (!now) continue;
        if (known == record.end()) {
            // A copy made before records were kept: it counts as the user's
            // unless it equals the shipped file.
            shipped_now(*now);
            continue;
        }
        if (*now != known->second.copy && digest_of(target) == known->second.copy) {
            if (const std::optional<Digest> copy = copy_shipped(source, target, true))
                shipped_now(*copy);
            continue;
        }
        // Unchanged content, or the user's own file: remember the shipped
        // file as it is now, and keep what was copied as the mark of ours.
        shipped_now(known->second.copy);
    }
    return complete;
}

// Fills `to` from the shipped files; false when something could not be
// added, or the record of copies (with a marker) could not be written.
bool seed(const std::string& executable, const std::string& to) {
    const std::optional<std::vector<ShippedFile>> listed = read_marker(executable);
    if (!listed) return add_missing(folder_part(executable), to, true);
    Record record = read_record(to);
    bool changed = false;
    const bool complete = update_listed(folder_part(executable), to, *listed, record, changed);
    return (!changed || write_record(to, record)) && complete;
}

// `link` names `target`; a link that names something else (the program
// was moved) is replaced in one step, anything that is not a link is left.
bool link_to(const std::string& target, const std::string& link) {
    struct stat st {};
    if (::lstat(link.c_str(), &st) != 0) return ::symlink(target.c_str(), link.c_str()) == 0;
    if (!S_ISLNK(st.st_mode)) return false;
    std::error_code ec;
    if (stdfs::read_symlink(link, ec).string() == target) return true;
    const std::string temp = folder_part(link) + "/.velseed-link-" + std::to_string(::getpid());
    ::unlink(temp.c_str());
    if (::symlink(target.c_str(), temp.c_str()) == 0 && ::rename(temp.c_str(), link.c_str()) == 0)
        return true;
    ::unlink(temp.c_str());
    return false;
}

// A runtime folder a link may go into: this user's, closed to everyone else.
bool private_folder(const std::string& folder) {
    struct stat st {};
    return !folder.empty() && ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

bool system_install(const std::string& executable) {
    struct stat marker {};
    struct stat folder {};
    return ::stat(marker_of(executable).c_str(), &marker) == 0 && S_ISREG(marker.st_mode) &&
           ::stat(folder_part(executable).c_str(), &folder) == 0 && folder.st_uid == 0;
}

}  // namespace

bool prepare_user_run_folder(const std::string& executable, const std::string& user) {
    const std::string link = join(user, name_part(executable));
    struct stat st {};
    if (::lstat(user.c_str(), &st) != 0) {
        if (errno != ENOENT || !make_user_folders(folder_part(user))) return false;
        std::string temp = folder_part(user) + "/." + name_part(user) + "-XXXXXX";
        if (::mkdtemp(temp.data()) == nullptr) return false;
        if (seed(executable, temp) && link_to(executable, join(temp, name_part(executable))) &&
            ::rename(temp.c_str(), user.c_str()) == 0)
            return true;
        std::error_code ec;
        stdfs::remove_all(temp, ec);
        // Another copy of the program may have put its own in place meanwhile.
    }
    if (!is_folder(user)) return false;
    seed(executable, user);
    link_to(executable, link);
    return true;
}

bool is_shipped_copy(const std::string& folder, const std::string& executable,
                     const std::string& relative, std::span<const std::uint8_t> bytes) {
    if (folder.empty() || !plain_relative_path(relative)) return false;
    const Digest digest = digest_of(bytes);
    if (plat::fs::exists(join(folder, kRecordName))) {
        const Record record = read_record(folder);
        const auto it = record.find(relative);
        return it != record.end() && it->second.copy == digest;
    }
    return !executable.empty() && digest_of(join(folder_part(executable), relative)) == digest;
}

std::string nameable_folder(const std::string& folder, const std::string& runtime) {
    if (nameable_in_texts(folder)) return folder;
    if (!nameable_in_texts(runtime) || !private_folder(runtime)) return {};
    // Named after the folder's path, so that runs with different folders
    // never take each other's link.
    Digest name;
    name.add(reinterpret_cast<const unsigned char*>(folder.data()), folder.size());
    char link_name[32];
    std::snprintf(link_name, sizeof link_name, "run-%016" PRIx64, name.hash);
    const std::string link = join(runtime, link_name);
    return link_to(folder, link) ? link : std::string();
}

std::string lasting_path(const std::string& path) {
    const std::string runtime = env_or_empty("XDG_RUNTIME_DIR");
    if (runtime.empty() || path.compare(0, runtime.size() + 1, runtime + "/") != 0) return path;
    const std::size_t end = std::min(path.find('/', runtime.size() + 1), path.size());
    std::error_code ec;
    const stdfs::path target = stdfs::read_symlink(path.substr(0, end), ec);
    if (ec || !target.is_absolute()) return path;
    return target.string() + path.substr(end);
}

std::string choose_run_folder(const std::string& executable, const std::string& data_home,
                              const std::string& runtime) {
    if (executable.empty()) return {};
    const std::string folder = folder_part(executable);
    const bool system = system_install(executable);
    const bool writable = ::access(folder.c_str(), W_OK) == 0;
    if (writable && !system && nameable_in_texts(folder)) return folder;
    if (!data_home.empty()) {
        const std::string user = join(data_home, name_part(executable));
        if (prepare_user_run_folder(executable, user)) {
            std::string named = nameable_folder(user, runtime);
            if (!named.empty()) return named;
        }
    }
    // Nothing of the user's: the shipped files are read where they are,
    // unless that would let this user write into a system install.
    if (system && writable) return {};
    return nameable_folder(folder, runtime);
}

const std::string& run_folder() {
    static const std::string folder = [] {
        const std::string executable = executable_path();
        const std::string data_home = user_data_folder();
        std::string chosen =
            choose_run_folder(executable, data_home, env_or_empty("XDG_RUNTIME_DIR"));
        if (chosen.empty() || ::access(chosen.c_str(), W_OK) != 0) {
            std::fprintf(stderr,
                         "Settings cannot be stored: no folder for them can be written and "
                         "named (%s/%s, $XDG_RUNTIME_DIR); running on the %s settings.\n",
                         data_home.empty() ? "$XDG_DATA_HOME" : data_home.c_str(),
                         name_part(executable).c_str(), chosen.empty() ? "default" : "shipped");
        }
        return chosen;
    }();
    return folder;
}

std::string run_executable_path() {
    const std::string executable = executable_path();
    if (executable.empty() || run_folder().empty()) return {};
    return join(run_folder(), name_part(executable));
}

}  // namespace plat::fs
