#include "platform/fs/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

class Paths : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vel-paths-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_root = pattern;
    }
    void TearDown() override {
        std::string cmd = "rm -rf '" + m_root + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    void make_dir(const std::string& rel) {
        ASSERT_EQ(::mkdir((m_root + "/" + rel).c_str(), 0755), 0);
    }
    void make_file(const std::string& rel) { std::ofstream(m_root + "/" + rel) << "x"; }
    // The root as the logic writes it: backslashes (ASCII, so GBK as it is).
    std::string windows_root() const {
        std::string r = m_root;
        for (char& c : r)
            if (c == '/') c = '\\';
        return r;
    }
    std::string m_root;
};

TEST_F(Paths, SettingsFileIsFoundUnderAnotherLetterCase) {
    make_dir("VEL文件");
    make_file("VEL文件/coordinate.vel");
    const std::string gbk = windows_root() + "\\vel\xCE\xC4\xBC\xFE\\coordinate.VEL";
    EXPECT_EQ(plat::fs::native_path(gbk), m_root + "/VEL文件/coordinate.vel");
}

TEST_F(Paths, TrailByte5CIsNotASeparator) {
    make_dir("乗");  // GBK 81 5C
    make_file("乗/a.txt");
    const std::string gbk = windows_root() + "\\\x81\x5C\\A.TXT";
    EXPECT_EQ(plat::fs::native_path(gbk), m_root + "/乗/a.txt");
}

TEST_F(Paths, ExactNameWinsOverCaseVariants) {
    make_file("Top.vel");
    make_file("top.vel");
    EXPECT_EQ(plat::fs::native_path(m_root + "/top.vel"), m_root + "/top.vel");
    EXPECT_EQ(plat::fs::native_path(m_root + "/Top.vel"), m_root + "/Top.vel");
    // Neither spelling exists: the smallest match, whatever the directory order.
    EXPECT_EQ(plat::fs::native_path(m_root + "/TOP.VEL"), m_root + "/Top.vel");
}

TEST_F(Paths, MissingComponentsKeepTheirNames) {
    make_dir("Data");
    // The file does not exist yet (about to be created): its name is kept.
    EXPECT_EQ(plat::fs::native_path(windows_root() + "\\DATA\\Bell.vel"),
              m_root + "/Data/Bell.vel");
    // A missing folder: nothing below it is looked up.
    EXPECT_EQ(plat::fs::native_path(windows_root() + "\\gone\\x"), m_root + "/gone/x");
}

TEST(PathsEdge, UndecodablePathGivesNothing) {
    EXPECT_FALSE(plat::fs::native_path("\\tmp\\\xC4"));
    EXPECT_FALSE(plat::fs::native_path("\\tmp\\\x81\x20x"));
}

TEST(PathsEdge, ExecutablePathNamesThisProgram) {
    const std::string path = plat::fs::executable_path();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_NE(path.find("test_platform"), std::string::npos);
}

}  // namespace
