#include "platform/fs/run_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> names_in(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// An install (the executable with its shipped folders and a file that is not
// shipped data) and an empty data home, under a fresh folder.
class RunFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vel-run-folder-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_root = pattern;
        fs::permissions(m_root,
                        fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        write(install() / "velclock", "program");
        write(install() / "README", "not shipped data");
        write(install() / "VEL文件" / "top.vel", "shipped top");
        write(install() / "VEL文件" / "about.vel", "shipped about");
        write(install() / "image" / "sub" / "a.jpg", "picture");
        fs::create_directories(data_home());
    }
    void TearDown() override {
        std::error_code ec;
        for (const fs::path& locked : {m_root / "locked", install()})
            fs::permissions(locked, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_root, ec);
    }
    fs::path install() const { return m_root / "安装 dir"; }
    fs::path data_home() const { return m_root / "data"; }
    fs::path user() const { return data_home() / "velclock"; }
    std::string executable() const { return (install() / "velclock").string(); }
    bool prepare() const {
        return plat::fs::prepare_user_run_folder(executable(), user().string());
    }
    fs::path m_root;
};

TEST_F(RunFolder, FirstUseCopiesTheShippedFoldersWhole) {
    ASSERT_TRUE(prepare());
    EXPECT_EQ(read(user() / "VEL文件" / "top.vel"), "shipped top");
    EXPECT_EQ(read(user() / "VEL文件" / "about.vel"), "shipped about");
    // Copies of their own, never links into the install.
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(user() / "image" / "sub" / "a.jpg")));
    EXPECT_EQ(fs::status(user() / "VEL文件" / "top.vel").permissions() & fs::perms::owner_write,
              fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(user() / "README"));
    EXPECT_EQ(fs::read_symlink(user() / "velclock"), executable());
    // The temporary folder was renamed into place, nothing else is left.
    EXPECT_EQ(names_in(data_home()), std::vector<std::string>{"velclock"});
}

TEST_F(RunFolder, LaterUseAddsWhatIsMissingAndKeepsTheUsersFiles) {
    ASSERT_TRUE(prepare());
    write(user() / "VEL文件" / "top.vel", "the user's choice");
    fs::remove(user() / "VEL文件" / "about.vel");
    fs::remove_all(user() / "image" / "sub");
    write(install() / "VEL文件" / "new.vel", "shipped later");
    // The program was moved since: the link follows it.
    fs::remove(user() / "velclock");
    fs::create_symlink("/nowhere/velclock", user() / "velclock");

    ASSERT_TRUE(prepare());
    EXPECT_EQ(read(user() / "VEL文件" / "top.vel"), "the user's choice");
    EXPECT_EQ(read(user() / "VEL文件" / "about.vel"), "shipped about");
    EXPECT_EQ(read(user() / "VEL文件" / "new.vel"), "shipped later");
    EXPECT_EQ(read(user() / "image" / "sub" / "a.jpg"), "picture");
    EXPECT_EQ(fs::read_symlink(user() / "velclock"), executable());
    EXPECT_EQ(names_in(user() / "VEL文件").size(), 3u) << "no temporary file left";
}

TEST_F(RunFolder, AFolderThatCannotBeMadeLeavesNothingBehind) {
    enum class Fault { unreadable_shipped_file, file_in_its_place, file_in_data_home_place };
    for (Fault fault : {Fault::unreadable_shipped_file, Fault::file_in_its_place,
                        Fault::file_in_data_home_place}) {
        SCOPED_TRACE(static_cast<int>(fault));
        TearDown();
        SetUp();
        fs::path blocked;  // a file of the user's in the way
        switch (fault) {
            case Fault::unreadable_shipped_file:
                fs::create_symlink(m_root / "gone.jpg", install() / "image" / "broken.jpg");
                break;
            case Fault::file_in_its_place:
                blocked = user();
                break;
            case Fault::file_in_data_home_place:
                fs::remove(data_home());
                blocked = data_home();
                break;
        }
        if (!blocked.empty()) write(blocked, "mine");
        const auto around = names_in(blocked.empty() ? data_home() : blocked.parent_path());

        EXPECT_FALSE(prepare());
        if (blocked.empty()) {
            EXPECT_TRUE(names_in(data_home()).empty()) << "no half copy, no temporary folder";
        } else {
            EXPECT_EQ(read(blocked), "mine");
            EXPECT_EQ(names_in(blocked.parent_path()), around);
        }
    }
}

// The decision as the user `uid` (root only: in a child process).
std::string decide_as(uid_t uid, const std::string& executable, const std::string& data_home,
                      const std::string& runtime = "") {
    if (uid == ::geteuid()) return plat::fs::choose_run_folder(executable, data_home, runtime);
    int fds[2];
    if (::pipe(fds) != 0) return "pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        if (::setresgid(uid, uid, uid) != 0 || ::setresuid(uid, uid, uid) != 0) ::_exit(2);
        const std::string folder = plat::fs::choose_run_folder(executable, data_home, runtime);
        const bool written =
            ::write(fds[1], folder.data(), folder.size()) == ssize_t(folder.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(fds[1]);
    std::string folder;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        folder.append(buffer, size_t(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? folder : "child failed";
}

// The decision as a user who may not write the install folder: root's own
// folders are read-only for "nobody"; another user drops the write bits.
std::string decide_as_reader(const std::string& executable, const std::string& data_home) {
    if (::geteuid() != 0) {
        fs::permissions(fs::path(executable).parent_path(), fs::perms::owner_write,
                        fs::perm_options::remove);
        return decide_as(::geteuid(), executable, data_home);
    }
    return decide_as(kNobody, executable, data_home);
}

TEST_F(RunFolder, AReadOnlyInstallGivesEachUserTheirOwnFolderWhenOneCanBeMade) {
    const std::string shipped = install().string();
    EXPECT_EQ(plat::fs::choose_run_folder(executable(), data_home().string(), ""), shipped)
        << "a folder the user may write stays the run folder";

    struct Row {
        const char* data_home;
        bool own_folder;
    };
    const Row rows[] = {
        {"data", true},       {"locked/data", false},  // a read-only home
        {"data-file", false},                          // a file where the folder belongs
        {"data\\odd", false},  // a backslash the program's paths cannot carry
        {"", false},           // no home known
    };
    fs::create_directories(m_root / "locked");
    write(m_root / "data-file", "x");
    fs::create_directories(m_root / "data\\odd");
    if (::geteuid() == 0) {
        for (const char* owned : {"data", "data\\odd"})
            ASSERT_EQ(::chown((m_root / owned).c_str(), kNobody, kNobody), 0);
    }
    if (::geteuid() != 0)
        fs::permissions(m_root / "locked", fs::perms::owner_write, fs::perm_options::remove);

    for (const Row& row : rows) {
        SCOPED_TRACE(row.data_home);
        const std::string home = *row.data_home ? (m_root / row.data_home).string() : "";
        const std::string folder = decide_as_reader(executable(), home);
        EXPECT_EQ(folder, row.own_folder ? home + "/velclock" : shipped);
        if (row.own_folder) {
            EXPECT_EQ(read(fs::path(folder) / "VEL文件" / "top.vel"), "shipped top");
        }
    }
}

TEST_F(RunFolder, TheChoiceFollowsTheMarkerTheOwnerAndWhatTextsCanName) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root: folders of root's and of another user's";
    enum class Place { beside, own, linked, none };
    struct Row {
        const char* what;
        bool marker;
        uid_t owner, runs_as;
        const char *program_folder, *data_home;
        bool runtime;
        Place expected;
    };
    const Row rows[] = {
        {"a build folder, root", false, 0, 0, "安装", "data", true, Place::beside},
        {"a system install, root", true, 0, 0, "安装", "data", true, Place::own},
        {"a system install, a user", true, 0, kNobody, "安装", "data", true, Place::own},
        {"a user's own install", true, kNobody, kNobody, "安装", "data", true, Place::beside},
        {"a program folder with no GBK name", false, 0, 0, "jörg/安装", "data", true, Place::own},
        {"a data folder with none either", false, 0, 0, "jörg/安装", "jörg/data", true,
         Place::linked},
        {"and no runtime folder", false, 0, 0, "jörg/安装", "jörg/data", false, Place::none},
        {"a read-only install, that data folder, no runtime folder", false, 0, kNobody, "安装",
         "jörg/data", false, Place::beside},
        {"a system install, root, no data folder", true, 0, 0, "安装", "", true, Place::none},
    };
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path base = m_root / ("row" + std::to_string(++n));
        const fs::path program = base / row.program_folder / "velclock";
        write(program, "program");
        write(program.parent_path() / "VEL文件" / "top.vel", "shipped top");
        if (row.marker) write(program.string() + ".shipped", "settings VEL文件/top.vel\n");
        const fs::path data = *row.data_home ? base / row.data_home : fs::path();
        const fs::path runtime = base / "runtime";
        fs::create_directories(runtime);
        if (!data.empty()) fs::create_directories(data);
        fs::permissions(runtime, fs::perms::owner_all);
        bool owned = ::chown(runtime.c_str(), row.runs_as, row.runs_as) == 0 &&
                     (data.empty() || ::chown(data.c_str(), row.runs_as, row.runs_as) == 0) &&
                     ::chown(program.parent_path().c_str(), row.owner, row.owner) == 0;
        for (const auto& entry : fs::recursive_directory_iterator(program.parent_path()))
            owned = owned && ::lchown(entry.path().c_str(), row.owner, row.owner) == 0;
        ASSERT_TRUE(owned);

        const std::string folder = decide_as(row.runs_as, program.string(), data.string(),
                                             row.runtime ? runtime.string() : "");
        if (row.expected == Place::linked) {
            EXPECT_EQ(fs::path(folder).parent_path(), runtime);
            EXPECT_EQ(fs::read_symlink(folder), data / "velclock");
            // What outlives the session names the folder itself.
            ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
            EXPECT_EQ(plat::fs::lasting_path(folder + "/velclock"),
                      (data / "velclock" / "velclock").string());
            ::unsetenv("XDG_RUNTIME_DIR");
        } else {
            const fs::path want[] = {program.parent_path(), data / "velclock", {}, {}};
            EXPECT_EQ(folder, want[int(row.expected)].string());
        }
        if (row.expected == Place::own || row.expected == Place::linked) {
            EXPECT_EQ(read(fs::path(folder) / "VEL文件" / "top.vel"), "shipped top");
        }
    }
}

}  // namespace
