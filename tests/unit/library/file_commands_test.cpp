#include "library/commands/file_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cmd_util.h"
#include "library/commands/file_table.h"

namespace vel {
namespace {

using test::returned_null;
using test::take_text;

class FileCommands : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vel-files-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_root = pattern;
    }
    void TearDown() override {
        call(cmd_close_all_files);
        ::chmod(m_root.c_str(), 0755);
        std::string cmd = "rm -rf '" + m_root + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    std::string path(const std::string& rel) const { return m_root + "/" + rel; }
    void put(const std::string& rel, const std::string& bytes) {
        std::ofstream(path(rel), std::ios::binary) << bytes;
    }
    std::string get(const std::string& rel) const {
        std::ifstream in(path(rel), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    int open(const std::string& rel, int mode = 3, int share = 1) {
        return call(cmd_open_file, arg_text(path(rel).c_str()), arg_int(mode), arg_int(share))
            .as_int();
    }
    std::string read_text(int file) { return take_text(call(cmd_read_text, arg_int(file))); }
    bool read_gives_null(int file) { return returned_null(call(cmd_read_text, arg_int(file))); }
    bool seek_end(int file) { return call(cmd_seek_to_end, arg_int(file)).as_logical(); }

    std::string m_root;
};

struct ModeRow {
    int mode;
    bool exists_before;
    bool opens;
    const char* content_after;  // what a write of "XY" at position 0 leaves
};

class OpenModes : public FileCommands, public ::testing::WithParamInterface<ModeRow> {};

TEST_P(OpenModes, CreateTruncateAndAccess) {
    const ModeRow& row = GetParam();
    if (row.exists_before) put("f.vel", "abcd");
    const int f = open("f.vel", row.mode);
    ASSERT_EQ(f != 0, row.opens);
    if (!row.opens) {
        EXPECT_EQ(::access(path("f.vel").c_str(), F_OK) == 0, row.exists_before);
        return;
    }
    const bool writable = row.mode != 1;
    EXPECT_EQ(call(cmd_write_text, arg_int(f), arg_text("XY")).as_logical(), writable);
    call(cmd_close_file, arg_int(f));
    EXPECT_EQ(get("f.vel"), row.content_after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OpenModes,
    ::testing::Values(ModeRow{1, true, true, "abcd"}, ModeRow{1, false, false, ""},
                      ModeRow{2, true, true, "XYcd"}, ModeRow{2, false, false, ""},
                      ModeRow{3, true, true, "XYcd"}, ModeRow{3, false, false, ""},
                      ModeRow{4, true, true, "XY"}, ModeRow{4, false, true, "XY"},
                      ModeRow{5, true, true, "XYcd"}, ModeRow{5, false, true, "XY"},
                      ModeRow{6, true, true, "XYcd"}, ModeRow{6, false, true, "XY"}));

TEST_F(FileCommands, OpenRefusesBadArguments) {
    put("f.vel", "x");
    EXPECT_EQ(open("f.vel", 0), 0);
    EXPECT_EQ(open("f.vel", 7), 0);
    EXPECT_EQ(open("f.vel", 3, 0), 0);
    EXPECT_EQ(open("f.vel", 3, 5), 0);
    EXPECT_EQ(call(cmd_open_file, arg_text("")).as_int(), 0);
    EXPECT_EQ(open("", 1), 0);                // a folder is not a file
    EXPECT_EQ(open("missing\\f.vel", 6), 0);  // the program never creates folders
    EXPECT_EQ(open("\xCE", 6), 0);            // a name that is no GBK text
    EXPECT_EQ(::access(path("missing").c_str(), F_OK), -1);
    EXPECT_EQ(open_file_count(), 0);
}

TEST_F(FileCommands, DefaultsAreReadWriteSharedAndTheNameIsWindowsStyle) {
    ASSERT_EQ(::mkdir(path("VEL文件").c_str(), 0755), 0);
    put("VEL文件/coordinate.vel", "12,30");
    std::string gbk = m_root;
    for (char& c : gbk)
        if (c == '/') c = '\\';
    gbk += "\\VEL\xCE\xC4\xBC\xFE\\coordinate.VEL";  // 文件, other letter case
    const int f = call(cmd_open_file, arg_text(gbk.c_str())).as_int();
    ASSERT_NE(f, 0);
    EXPECT_EQ(read_text(f), "12,30");
    EXPECT_TRUE(call(cmd_write_text, arg_int(f), arg_text("!")).as_logical());
    call(cmd_close_file, arg_int(f));
    EXPECT_EQ(get("VEL文件/coordinate.vel"), "12,30!");
}

// Successive read texts on one file; "-" stands for a null result.
struct ReadRow {
    std::string content;
    int maximum;  // 0: omitted
    std::vector<std::string> reads;
};

class ReadText : public FileCommands, public ::testing::WithParamInterface<ReadRow> {};

TEST_P(ReadText, StopsAtTerminatorsAndKeepsCharactersWhole) {
    put("r.vel", GetParam().content);
    const int f = open("r.vel");
    for (const std::string& expected : GetParam().reads) {
        const ResultRecord r = GetParam().maximum
                                   ? call(cmd_read_text, arg_int(f), arg_int(GetParam().maximum))
                                   : call(cmd_read_text, arg_int(f));
        EXPECT_EQ(returned_null(r) ? "-" : take_text(r), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadText,
    ::testing::Values(ReadRow{std::string("12,30\0more", 10), 0, {"12,30", "-"}},
                      ReadRow{"ab\x1A"
                              "cd",
                              0,
                              {"ab", "-"}},
                      ReadRow{"", 0, {"-"}}, ReadRow{"abc", 0, {"abc", "-"}},
                      ReadRow{"abcdef", -5, {"-"}}, ReadRow{"abcdef", 4, {"abcd", "ef", "-"}},
                      ReadRow{"abcdef", 0x7FFFFFFF, {"abcdef"}},
                      // a lead byte before a zero is dropped; the position is on the zero
                      ReadRow{std::string("a\xCE\0z", 4), 0, {"a", "-"}},
                      // a zero is looked for at character starts only
                      ReadRow{std::string("\xCE\xC4\0", 3), 0, {"\xCE\xC4"}},
                      // a file ending on a lone lead byte keeps it
                      ReadRow{"ab\xCE", 0, {"ab\xCE"}},
                      // a maximum that cuts a character leaves it for the next read
                      ReadRow{"a\xCE\xC4"
                              "b",
                              2,
                              {"a", "\xCE\xC4", "b", "-"}}));

TEST_F(FileCommands, WriteTextLineAndValueKinds) {
    const int f = open("w.vel", 4);
    ASSERT_NE(f, 0);
    const std::uint8_t bytes[] = {1, 2};
    Bytes set(make_byteset(bytes));
    EXPECT_TRUE(call(cmd_write_text_line, arg_int(f), arg_text("a"), arg_text("")).as_logical());
    EXPECT_TRUE(call(cmd_write_text, arg_int(f), arg_int(-7), arg_byteset(set.get()),
                     arg_logical(true), arg_double(0.5), arg_none())
                    .as_logical());
    call(cmd_close_file, arg_int(f));
    EXPECT_EQ(get("w.vel"),
              "a\r\n\r\n-7\xD5\xE6"
              "0.5");  // byte set and omitted value skipped
}

TEST_F(FileCommands, WritingAReadOnlyFileLosesNothing) {
    put("ro.vel", "keep");
    int f = open("ro.vel", 1);
    ASSERT_NE(f, 0);
    EXPECT_FALSE(call(cmd_write_text, arg_int(f), arg_text("oops")).as_logical());
    EXPECT_EQ(read_text(f), "keep");  // the position went back to 0
    ASSERT_TRUE(call(cmd_seek_to_start, arg_int(f)).as_logical());
    EXPECT_FALSE(call(cmd_delete_data, arg_int(f), arg_int(2)).as_logical());
    call(cmd_close_file, arg_int(f));
    EXPECT_EQ(get("ro.vel"), "keep");

    ASSERT_EQ(::chmod(path("ro.vel").c_str(), 0444), 0);
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    EXPECT_EQ(open("ro.vel", 3), 0);
    EXPECT_EQ(open("ro.vel", 4), 0);
    EXPECT_EQ(get("ro.vel"), "keep");
    f = open("ro.vel", 1);
    EXPECT_EQ(read_text(f), "keep");
}

struct DeleteRow {
    int file_length;
    int position;
    int count;
    int length_after;
    int position_after;
};

class DeleteData : public FileCommands, public ::testing::WithParamInterface<DeleteRow> {};

TEST_P(DeleteData, MovesTheTailDown) {
    const DeleteRow& row = GetParam();
    std::string content;
    for (int i = 0; i < row.file_length; ++i) content += static_cast<char>('a' + i % 26);
    put("d.vel", content);
    const int f = open("d.vel");
    if (row.position > 0) {
        ASSERT_EQ(take_text(call(cmd_read_text, arg_int(f), arg_int(row.position))).size(),
                  static_cast<std::size_t>(row.position));
    }
    ASSERT_TRUE(call(cmd_delete_data, arg_int(f), arg_int(row.count)).as_logical());
    call(cmd_write_text, arg_int(f), arg_text("#"));  // marks the position
    call(cmd_close_file, arg_int(f));

    std::string expected = content;
    if (row.count > 0)
        expected.erase(static_cast<std::size_t>(row.position), static_cast<std::size_t>(row.count));
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(row.length_after));
    expected.replace(static_cast<std::size_t>(row.position_after), 1, "#");
    EXPECT_EQ(get("d.vel"), expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, DeleteData,
                         ::testing::Values(DeleteRow{8, 0, 8, 0, 0}, DeleteRow{20, 0, 8, 12, 12},
                                           DeleteRow{10, 4, 100, 4, 4}, DeleteRow{10, 4, 0, 10, 4},
                                           DeleteRow{10, 4, -3, 10, 4},
                                           // more than one 4096-byte chunk to move
                                           DeleteRow{10000, 3, 10, 9990, 9990}));

TEST_F(FileCommands, DeleteDataAtTheEndDoesNotGrowTheFile) {
    put("e.vel", "abc");
    const int f = open("e.vel");
    ASSERT_TRUE(seek_end(f));
    EXPECT_TRUE(call(cmd_delete_data, arg_int(f), arg_int(8)).as_logical());
    EXPECT_EQ(get("e.vel"), "abc");
}

TEST_F(FileCommands, NumbersNotOpenFailQuietly) {
    put("n.vel", "x");
    const int f = open("n.vel");
    ASSERT_NE(f, 0);
    call(cmd_close_all_files);
    for (int n : {f, 0, -1, 0x7FFFFFFF}) {
        EXPECT_FALSE(call(cmd_seek_to_start, arg_int(n)).as_logical());
        EXPECT_FALSE(seek_end(n));
        EXPECT_TRUE(read_gives_null(n));
        EXPECT_FALSE(call(cmd_write_text, arg_int(n), arg_text("y")).as_logical());
        EXPECT_FALSE(call(cmd_write_text_line, arg_int(n)).as_logical());
        EXPECT_FALSE(call(cmd_delete_data, arg_int(n), arg_int(1)).as_logical());
        call(cmd_close_file, arg_int(n));
    }
    // a later open never reuses the closed number
    const int g = open("n.vel");
    EXPECT_NE(g, f);
    EXPECT_EQ(get("n.vel"), "x");
}

TEST_F(FileCommands, SharingFollowsTheLockMapping) {
    put("s.vel", "data");
    const int shared = open("s.vel", 3, 1);
    ASSERT_NE(shared, 0);
    EXPECT_NE(open("s.vel", 1, 3), 0);  // deny-write readers coexist with sharers
    EXPECT_EQ(open("s.vel", 3, 4), 0);  // exclusive needs nobody else
    EXPECT_EQ(open("s.vel", 4, 2), 0);  // refused before emptying the file
    EXPECT_EQ(get("s.vel"), "data");
    call(cmd_close_all_files);
    const int exclusive = open("s.vel", 3, 4);
    ASSERT_NE(exclusive, 0);
    EXPECT_EQ(open("s.vel", 1, 1), 0);
    EXPECT_TRUE(returned_null(call(cmd_read_file, arg_text(path("s.vel").c_str()))));
}

TEST_F(FileCommands, ReadFileGivesTheWholeContent) {
    put("bin", std::string("a\0b\x1A", 4));
    const ResultRecord r = call(cmd_read_file, arg_text(path("bin").c_str()));
    Bytes set(r.as_ptr<std::uint8_t>());
    ASSERT_EQ(byteset_length(set.get()), 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(byteset_data(set.get())), 4),
              std::string("a\0b\x1A", 4));

    put("empty", "");
    EXPECT_TRUE(returned_null(call(cmd_read_file, arg_text(path("empty").c_str()))));
    EXPECT_TRUE(returned_null(call(cmd_read_file, arg_text(path("missing").c_str()))));
    EXPECT_TRUE(returned_null(call(cmd_read_file, arg_text(""))));
    EXPECT_TRUE(returned_null(call(cmd_read_file, arg_text(m_root.c_str()))));  // a folder
    EXPECT_TRUE(returned_null(call(cmd_read_file, arg_text("\\tmp\\\xCE"))));
}

TEST_F(FileCommands, CopyFileReplacesButNeverDestroys) {
    put("src.jpg", "new picture");
    put("dst.jpg", "old picture");
    const auto copy = [&](const std::string& from, const std::string& to) {
        return call(cmd_copy_file, arg_text(from.c_str()), arg_text(to.c_str())).as_logical();
    };
    EXPECT_TRUE(copy(path("src.jpg"), path("dst.jpg")));
    EXPECT_EQ(get("dst.jpg"), "new picture");
    EXPECT_TRUE(copy(path("src.jpg"), path("fresh.jpg")));
    EXPECT_EQ(get("fresh.jpg"), "new picture");

    // onto itself (also through another letter case): refused, content kept
    EXPECT_FALSE(copy(path("src.jpg"), path("SRC.JPG")));
    EXPECT_EQ(get("src.jpg"), "new picture");
    EXPECT_FALSE(copy(path("missing.jpg"), path("dst.jpg")));
    EXPECT_EQ(get("dst.jpg"), "new picture");
    EXPECT_FALSE(copy(path("src.jpg"), path("no\\such\\folder.jpg")));
    EXPECT_FALSE(copy(path("src.jpg"), ""));
    // no temporary file is left behind
    EXPECT_EQ(std::system(("test -z \"$(ls -A '" + m_root + "' | grep velcopy)\"").c_str()), 0);
}

}  // namespace
}  // namespace vel
