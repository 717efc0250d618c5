// Start-up re-applies what the settings folder holds, and nothing for a file
// that holds anything else; reading never changes a file.
#include <filesystem>
#include <string>

#include "app/settings/toggles.h"
#include "forms/appearance/tray_command.h"
#include "resources/form_ids.h"
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
        for (const s::StoredSetting& row : s::kStoredSettings)
            if (row.shape != s::kNoShape && cw::checked(row.item)) shape = row.shape;
        return {cw::checked(ui::clock::半点报时), cw::checked(ui::clock::置于顶层),
                cw::checked(ui::clock::鼠标穿透), cw::checked(ui::clock::嵌入桌面), shape};
    }
};

// Offscreen there is no tray host, so a stored click-through stays off (it
// would leave no way back) and its file stays as it was; the desktop tests
// see it applied where a tray runs.
TEST_F(Restore, EachStoredValueIsAppliedAgainButClickThroughWithoutATray) {
    ASSERT_FALSE(tray_available());
    dir.write("hour.vel", std::string(s::stored(ui::clock::半点报时).on));
    dir.write("mouse.vel", std::string(s::stored(ui::clock::鼠标穿透).on));
    dir.write("insert.vel", std::string(s::stored(ui::clock::嵌入桌面).on));
    dir.write("outline.vel", std::string(s::stored(ui::clock::圆形).on));
    start();
    const Applied a = applied();
    EXPECT_TRUE(a.chime);
    EXPECT_FALSE(a.mouse);
    EXPECT_TRUE(a.embed);
    EXPECT_FALSE(a.top);
    EXPECT_EQ(a.shape, 1);
    EXPECT_EQ(cw::kWindow.get_int(cw::kShape), 1);
    EXPECT_TRUE(platform_state().embedded);
    EXPECT_FALSE(platform_state().input_transparent);
    EXPECT_EQ(dir.bytes("mouse.vel"), std::string(s::stored(ui::clock::鼠标穿透).on));
    EXPECT_FALSE(cw::kWindow.get_int(cw::kFreeMove));
}

TEST_F(Restore, AnythingButTheExactValueReadsAsOffAndStaysAsItWas) {
    const std::string top(s::stored(ui::clock::置于顶层).on);
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
        EXPECT_EQ(cw::kWindow.get_int(cw::kShape), 0) << row.what << ": the form's own shape";
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
