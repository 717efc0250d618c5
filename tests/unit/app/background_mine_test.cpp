// "使用" and "更换": the user's own picture, copied from the file dialog's
// choice to image/我的背景.jpg; what happens when there is nothing to copy,
// when the copy fails, and when the chosen file is no picture.

#include "background_fixture.h"
#include "forms/appearance/background.h"
#include "forms/pictures/picture.h"

namespace vel {
namespace {

using test::BackgroundWindowTest;
using test::file_bytes;
using test::kCornerX;
using test::kCornerY;
using test::picture_pixel;
using test::write_bytes;
namespace fs = std::filesystem;

class MyBackground : public BackgroundWindowTest {
protected:
    fs::path mine() const { return image_folder() / "我的背景.jpg"; }
    // A file outside the run directory, for the dialog to choose.
    fs::path outside(const std::string& name, const std::string& bytes) const {
        const fs::path p = dir().root() / name;
        write_bytes(p, bytes);
        return p;
    }
    fs::path outside_copy_of(const std::string& supplied, const std::string& name) const {
        return outside(name, file_bytes(fs::path(VEL_IMAGE_DIR) / (supplied + ".jpg")));
    }
};

TEST_F(MyBackground, ChangeCopiesTheChoiceAndUsesIt) {
    click(test::k红色);
    const fs::path chosen = outside_copy_of("泰山", "a.jpg");
    answer_dialog(chosen);
    click(ui::clock::更换);
    ASSERT_EQ(dialog_titles.size(), 1u);
    EXPECT_EQ(dialog_titles[0],
              "\xC9\xE8\xB6\xA8\xCE\xD2\xB5\xC4\xB1\xB3\xBE\xB0");  // 设定我的背景
    EXPECT_EQ(file_bytes(mine()), file_bytes(chosen));
    EXPECT_EQ(checked_items(), std::vector<UnitId>{ui::clock::使用});
    EXPECT_EQ(dir().bytes("background.vel"), test::k我的背景);
    EXPECT_EQ(window_picture(), file_bytes(chosen));
    EXPECT_EQ(panel_picture(ui::clock::画板2), file_bytes(chosen));
    // The panels keep the colour of the last colour choice.
    EXPECT_EQ(panel_colour(ui::clock::画板2), 0x0000FFu);
    EXPECT_TRUE(boxes.empty());
}

// Whatever the face keeps between frames must follow the picture's content:
// both pictures have the same caption, 我的背景.
TEST_F(MyBackground, ChangeTwiceShowsTheSecondPicture) {
    const fs::path first = outside_copy_of("泰山", "first.jpg");
    const fs::path second = outside_copy_of("鼠", "second.jpg");
    const std::pair<int, int> places[] = {{kCornerX, kCornerY}, {280, 8}, {6, 270}};
    answer_dialog(first);
    click(ui::clock::更换);
    for (auto [x, y] : places)
        EXPECT_EQ(shown_after_a_frame(x, y), picture_pixel(first, x, y)) << x << "," << y;
    answer_dialog(second);
    click(ui::clock::更换);
    int differing = 0;
    for (auto [x, y] : places) {
        EXPECT_EQ(shown_after_a_frame(x, y), picture_pixel(second, x, y)) << x << "," << y;
        differing += picture_pixel(first, x, y) != picture_pixel(second, x, y);
    }
    EXPECT_GT(differing, 0) << "the two test pictures must differ where they are read";
}

TEST_F(MyBackground, CancellingChangesNothing) {
    click(test::k红色);
    answer_dialog(std::nullopt);
    click(ui::clock::更换);
    EXPECT_EQ(dialog_titles.size(), 1u);
    EXPECT_FALSE(fs::exists(mine()));
    EXPECT_EQ(checked_items(), std::vector<UnitId>{item(test::k红色)});
    EXPECT_EQ(dir().bytes("background.vel"), test::k红色);
    EXPECT_TRUE(boxes.empty());
}

// A copy that fails is reported, in a box that the clock does not cover, and
// changes nothing: no mark moves, the file and the window stay as they were.
TEST_F(MyBackground, AFailedCopyIsReportedAndChangesNothing) {
    struct Case {
        const char* what;
        bool remove_picture_folder;
        bool choose_missing_file;
    };
    const Case cases[] = {
        {"picture folder missing", true, false},
        {"chosen file gone", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::create_directories(image_folder());
        click(test::k红色);
        keep_on_top();
        boxes.clear();
        on_top_during_box.clear();
        fs::path chosen = outside_copy_of("泰山", "chosen.jpg");
        if (c.choose_missing_file) fs::remove(chosen);
        if (c.remove_picture_folder) fs::remove_all(image_folder());
        answer_dialog(chosen);
        click(ui::clock::更换);

        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, test::k错误);
        EXPECT_FALSE(boxes[0].text.empty());
        EXPECT_EQ(boxes[0].style & plat::kMbButtonMask, plat::kMbOk);
        EXPECT_FALSE(on_top_during_box[0]) << "the clock would cover the box";
        EXPECT_TRUE(on_top()) << "置于顶层 is checked: back on top after the box";
        EXPECT_EQ(checked_items(), std::vector<UnitId>{item(test::k红色)});
        EXPECT_EQ(dir().bytes("background.vel"), test::k红色);
        EXPECT_EQ(window_picture(), "");
        EXPECT_EQ(window_colour(), 0x0000FFu);
        EXPECT_FALSE(fs::exists(mine()));
    }
}

TEST_F(MyBackground, ChoosingMyOwnPictureCountsAsCopied) {
    fs::copy_file(fs::path(VEL_IMAGE_DIR) / "鼠.jpg", mine());
    const std::string before = file_bytes(mine());
    click(test::k红色);
    answer_dialog(mine());
    click(ui::clock::更换);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(file_bytes(mine()), before);
    EXPECT_EQ(checked_items(), std::vector<UnitId>{ui::clock::使用});
    EXPECT_EQ(dir().bytes("background.vel"), test::k我的背景);
    EXPECT_EQ(window_picture(), before);
}

// A file that is no picture the clock can draw is still copied and used; the
// face then shows the background colour, now and at the next start.
TEST_F(MyBackground, AFileThatIsNoPictureShowsTheColour) {
    const std::string jpeg = file_bytes(fs::path(VEL_IMAGE_DIR) / "泰山.jpg");
    const std::pair<const char*, std::string> cases[] = {
        {"text renamed .jpg", "this is not a picture\r\n"},
        {"truncated JPEG", jpeg.substr(0, jpeg.size() / 2)},
        {"JPEG header only", jpeg.substr(0, 20)},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        click(test::k红色);
        const fs::path chosen = outside("chosen.jpg", bytes);
        answer_dialog(chosen);
        click(ui::clock::更换);
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(file_bytes(mine()), bytes);
        EXPECT_EQ(checked_items(), std::vector<UnitId>{ui::clock::使用});
        EXPECT_EQ(shown_after_a_frame(kCornerX, kCornerY), 0x0000FFu) << "red";

        // The next start: the colours are the form's again.
        ASSERT_NO_FATAL_FAILURE(start());
        restore_background();
        EXPECT_EQ(checked_items(), std::vector<UnitId>{ui::clock::使用});
        EXPECT_EQ(window_picture(), bytes);
        EXPECT_EQ(shown_after_a_frame(kCornerX, kCornerY),
                  resolve_colour(panel_colour(ui::clock::画板2)));
    }
}

}  // namespace
}  // namespace vel
