// Start-up re-applies what the settings folder holds, and nothing for a file
// that holds anything else; reading never changes a file.
#include <filesystem>
#include <string>

#include "app/settings/setting_values.h"
#include "window_clock_fixture.h"

namespace vel::test {
namespace {

namespace s = settings;

struct Applied {
    bool chime, top, mouse, embed;
    int shape;  // -1: no shape item checked
};

class Restore : public ClockWindowTest {
protected:
    Applied applied() {
        int shape = -1;
        if (cw::checked(ui::clock::正方形)) shape = 0;
        if (cw::checked(ui::clock::圆形)) shape = 1;
        if (cw::checked(ui::clock::圆角方形)) shape = 2;
        return {cw::checked(ui::clock::半点报时), cw::checked(ui::clock::置于顶层),
                cw::checked(ui::clock::鼠标穿透), cw::checked(ui::clock::嵌入桌面), shape};
    }
};

TEST_F(Restore, EachStoredValueIsAppliedAgain) {
    dir.write("hour.vel", std::string(s::k半点报时));
    dir.write("mouse.vel", std::string(s::k鼠标穿透));
    dir.write("insert.vel", std::string(s::k嵌入桌面));
    dir.write("outline.vel", std::string(s::k圆形));
    start();
    const Applied a = applied();
    EXPECT_TRUE(a.chime);
    EXPECT_TRUE(a.mouse);
    EXPECT_TRUE(a.embed);
    EXPECT_FALSE(a.top);
    EXPECT_EQ(a.shape, 1);
    EXPECT_EQ(cw::get(cw::kShape), 1);
    EXPECT_TRUE(platform_state().embedded);
    EXPECT_TRUE(platform_state().input_transparent);
    EXPECT_FALSE(cw::get(cw::kFreeMove));
}

TEST_F(Restore, AnythingButTheExactValueReadsAsOffAndStaysAsItWas) {
    const std::string top(s::k置于顶层);
    const struct {
        const char* what;
        std::string content;
    } rows[] = {
        {"trailing line break", top + "\r\n"},
        {"byte-order mark", "\xEF\xBB\xBF" + top},
        {"binary bytes", std::string("\0\x01\x02\xFF", 4) + top},
        {"garbage", "on"},
        {"10 MB", top + std::string(10 * 1024 * 1024, 'x')},
    };
    for (const auto& row : rows) {
        for (const char* file : {"top.vel", "hour.vel", "mouse.vel", "insert.vel", "outline.vel"})
            dir.write(file, row.content);
        new_session();
        start();
        const Applied a = applied();
        EXPECT_FALSE(a.chime || a.top || a.mouse || a.embed) << row.what;
        EXPECT_EQ(a.shape, -1) << row.what;
        EXPECT_EQ(cw::get(cw::kShape), 0) << row.what << ": the form's own shape";
        for (const char* file : {"top.vel", "hour.vel", "mouse.vel", "insert.vel", "outline.vel"})
            EXPECT_TRUE(dir.bytes(file) == row.content) << row.what << ": " << file << " changed";
        FormRuntime::instance().destroy_window(ui::clock::kWindow);
        plat::process_pending_events();
    }
}

TEST_F(Restore, FolderInAFilesPlaceReadsAsOff) {
    std::filesystem::create_directory(dir.file("top.vel"));
    std::filesystem::create_directory(dir.file("coordinate.vel"));
    start();
    EXPECT_FALSE(cw::checked(ui::clock::置于顶层));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("top.vel")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("coordinate.vel")));
}

}  // namespace
}  // namespace vel::test
