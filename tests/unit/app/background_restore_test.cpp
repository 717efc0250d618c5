// The background saved in background.vel comes back at start-up; text that is
// no stored value, and picture files the clock cannot draw, leave a clock that
// starts normally.

#include "background_fixture.h"
#include "forms/appearance/background.h"
#include "resources/form_ids.h"

namespace vel {
namespace {

using test::BackgroundWindowTest;
using test::file_bytes;
using test::kCornerX;
using test::kCornerY;
using test::write_bytes;
namespace fs = std::filesystem;

// The JPEG with the frame size in its baseline start-of-frame replaced.
std::string with_frame_size(std::string jpeg, int width, int height) {
    const std::size_t sof = jpeg.find("\xFF\xC0");
    EXPECT_NE(sof, std::string::npos) << "no baseline frame header";
    if (sof == std::string::npos) return jpeg;
    // FF C0, length (2), precision (1), height (2), width (2): big-endian.
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xFF);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

class RestoreBackground : public BackgroundWindowTest {};

TEST_F(RestoreBackground, RestoresTheStoredValueAndNothingElse) {
    supply("鼠");
    fs::copy_file(fs::path(VEL_IMAGE_DIR) / "兔.jpg", image_folder() / "我的背景.jpg");
    struct Case {
        const char* what;
        std::string stored;
        UnitId checked;  // 0: none
        std::string picture;
    };
    const std::string rat = file_bytes(image_folder() / "鼠.jpg");
    const std::string mine = file_bytes(image_folder() / "我的背景.jpg");
    const Case cases[] = {
        {"empty", "", 0, ""},
        {"a colour", test::k红色, item(test::k红色), ""},
        {"a picture", test::k鼠, item(test::k鼠), rat},
        {"my background", test::k我的背景, ui::clock::使用, mine},
        {"the item 使用, not the value", test::k使用, 0, ""},
        {"a value and a line break", test::k红色 + "\r\n", 0, ""},
        {"a value cut short", test::k红色.substr(0, 3), 0, ""},
        {"garbage", std::string("\xFF\xFE\x01\x80z", 5), 0, ""},
        {"10 MB", std::string(10u << 20, 'x'), 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(start());
        dir().write("background.vel", c.stored);
        restore_background();
        EXPECT_EQ(checked_items(),
                  c.checked ? std::vector<UnitId>{c.checked} : std::vector<UnitId>{});
        EXPECT_EQ(backgrounds::current_item(), c.checked ? c.checked : ui::clock::使用);
        EXPECT_EQ(window_picture(), c.picture);
        EXPECT_EQ(panel_picture(ui::clock::画板2), c.picture);
        EXPECT_EQ(dir().bytes("background.vel").size(), c.stored.size()) << "restoring wrote";
        draw_face();
    }
}

// After an empty file, the first choice clears the mark of "使用" (which was
// never set) and works as ever.
TEST_F(RestoreBackground, TheFirstChoiceAfterNothingRestoredWorks) {
    restore_background();
    click(test::k白色);
    EXPECT_EQ(checked_items(), std::vector<UnitId>{item(test::k白色)});
    EXPECT_EQ(dir().bytes("background.vel"), test::k白色);
}

// Picture files that are no picture the clock can draw: the choice stands,
// and the face shows the background colour around the dial.
TEST_F(RestoreBackground, PictureFilesThatDoNotDecodeShowTheColour) {
    const std::string jpeg = file_bytes(fs::path(VEL_IMAGE_DIR) / "泰山.jpg");
    const std::pair<const char*, std::string> cases[] = {
        {"truncated", jpeg.substr(0, jpeg.size() / 3)},
        {"0 bytes", ""},
        {"PNG renamed .jpg", std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) + jpeg.substr(16)},
        {"20000 x 20000 JPEG", with_frame_size(jpeg, 20000, 20000)},
        {"0 x 0 JPEG", with_frame_size(jpeg, 0, 0)},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        ASSERT_NO_FATAL_FAILURE(start());
        write_bytes(image_folder() / "泰山.jpg", bytes);
        dir().write("background.vel", test::k泰山);
        restore_background();
        EXPECT_EQ(checked_items(), std::vector<UnitId>{item(test::k泰山)});
        EXPECT_EQ(shown_after_a_frame(kCornerX, kCornerY),
                  resolve_colour(panel_colour(ui::clock::画板2)));
        click(test::k红色);
        click(test::k泰山);
        EXPECT_EQ(shown_after_a_frame(kCornerX, kCornerY), 0x0000FFu) << "red";
    }
}

}  // namespace
}  // namespace vel
