// Arbitrary bytes as the two lists a per-user run folder is kept by: the
// marker beside the program (its shipped files) and the record inside the
// folder (what was copied). Whatever they hold, preparing the folder and
// asking what is still shipped never crash and never write outside the two
// folders, and a path that climbs out of the folder is never listed.
// Input: the marker, a 0 byte, then the record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <unistd.h>

#include "platform/fs/run_folder.h"

namespace {

namespace stdfs = std::filesystem;

void write(const stdfs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

const stdfs::path& root() {
    static const stdfs::path r = [] {
        static char pattern[] = "/tmp/velfuzz.XXXXXX";
        const stdfs::path dir = ::mkdtemp(pattern);
        stdfs::create_directories(dir / "install" / "image");
        write(dir / "install" / "velclock", "program");
        write(dir / "install" / "image" / "a.jpg", "picture");
        write(dir / "outside", "not to be touched");
        std::atexit([] { stdfs::remove_all(pattern); });
        return dir;
    }();
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const stdfs::path install = root() / "install", user = root() / "user";
    stdfs::remove_all(user);
    stdfs::create_directories(user);
    write(install / "velclock.shipped", input.substr(0, split));
    write(user / ".shipped-record", split == input.npos ? "" : input.substr(split + 1));
    const std::string executable = (install / "velclock").string();
    plat::fs::prepare_user_run_folder(executable, user.string());
    static const std::uint8_t kPicture[] = {'p', 'i', 'c', 't', 'u', 'r', 'e'};
    plat::fs::is_shipped_copy(user.string(), executable, "image/a.jpg", kPicture);
    plat::fs::is_shipped_copy(user.string(), executable, "../outside", kPicture);
    // Only the two folders and the untouched file, whatever the lists said.
    std::size_t entries = 0;
    for (const auto& e : stdfs::directory_iterator(root())) {
        ++entries;
        const auto name = e.path().filename();
        if (name != "install" && name != "user" && name != "outside") std::abort();
    }
    if (entries != 3) std::abort();
    // Nothing is written beside the program either.
    std::size_t shipped = 0;
    for (const auto& e : stdfs::recursive_directory_iterator(install)) shipped += !e.is_directory();
    if (shipped != 3) std::abort();
    std::ifstream outside(root() / "outside", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(outside)), {});
    if (text != "not to be touched") std::abort();
    return 0;
}
