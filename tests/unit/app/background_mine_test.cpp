// "使用" and "更换": the user's own picture, copied from the file dialog's
// choice to image/我的背景.jpg; what happens when there is nothing to copy,
// when the copy fails, when the chosen file is no picture, and what is kept
// of a large one.

#include <sys/stat.h>

#include <algorithm>
#include <utility>

#include "background_fixture.h"
#include "forms/appearance/background.h"
#include "forms/pictures/picture.h"
#include "resources/form_ids.h"

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
    // The width and height of what a unit keeps of its decoded background.
    static std::pair<int, int> kept_size(UnitId unit) {
        const Background* b = rt().live_unit(ui::clock::kWindow, unit)->background();
        const Picture* p = b ? b->kept_picture() : nullptr;
        return p ? std::pair(p->width(), p->height()) : std::pair(0, 0);
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
    // The form's preset is a filter in the name's place; the dialog reads it so.
    EXPECT_EQ(dialog_names[0], *plat::utf8_to_gbk("jpg图片|*.jpg"));
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

// A 32-bit top-down BMP whose pixels tell their place; w x h as its header
// says, with `pixels` false for the header alone.
std::string bmp(int w, int h, bool pixels = true) {
    std::string b = "BM";
    auto le32 = [&b](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b += static_cast<char>(v >> (8 * i) & 0xFF);
    };
    const std::uint32_t size = 4u * static_cast<std::uint32_t>(w) * static_cast<std::uint32_t>(h);
    le32(54 + size), le32(0), le32(54);                       // file header
    le32(40), le32(w), le32(static_cast<std::uint32_t>(-h));  // top-down
    le32(1 | 32 << 16), le32(0), le32(size), le32(0), le32(0), le32(0), le32(0);
    for (int y = 0; pixels && y < h; ++y)
        for (int x = 0; x < w; ++x) le32(static_cast<std::uint32_t>(x * 7 + y * 131 * 256));
    return b;
}

// The chosen file replaces 我的背景.jpg only when the window can show it: one
// that does not decode is refused and the previous picture stays in use. A
// copy is the user's own file whatever the original's mode, and of a picture
// larger than the clock only what it shows is kept once decoded.
TEST_F(MyBackground, ChangeKeepsOnlyAPictureThatShows) {
    const std::string jpeg = file_bytes(fs::path(VEL_IMAGE_DIR) / "泰山.jpg");
    const std::string previous = file_bytes(fs::path(VEL_IMAGE_DIR) / "鼠.jpg");
    const mode_t umask_now = ::umask(0);
    ::umask(umask_now);
    struct Row {
        const char* what;
        std::string bytes;
        fs::perms perms;
        int kept_w, kept_h;  // of the window's picture; 0 when refused
    };
    const Row rows[] = {
        {"text renamed .jpg", "this is not a picture\r\n", fs::perms::owner_all, 0, 0},
        {"PNG renamed .jpg", "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", fs::perms::owner_all, 0, 0},
        {"truncated JPEG", jpeg.substr(0, jpeg.size() / 2), fs::perms::owner_all, 0, 0},
        {"JPEG header only", jpeg.substr(0, 20), fs::perms::owner_all, 0, 0},
        {"over the pixel budget", bmp(5000, 5000, false), fs::perms::owner_all, 0, 0},
        {"read-only photo", jpeg, fs::perms::owner_read | fs::perms::group_read, 288, 288},
        {"larger than the clock", bmp(1000, 700), fs::perms::owner_all, 288, 288},
        {"narrower than the clock", bmp(100, 700), fs::perms::owner_read, 100, 288},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        write_bytes(mine(), previous);
        click(ui::clock::使用);
        boxes.clear();
        const fs::path chosen = outside("chosen.jpg", row.bytes);
        fs::permissions(chosen, row.perms);
        answer_dialog(chosen);
        click(ui::clock::更换);

        EXPECT_EQ(checked_items(), std::vector<UnitId>{ui::clock::使用});
        EXPECT_EQ(dir().bytes("background.vel"), test::k我的背景);
        if (row.kept_w == 0) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].caption, test::k错误);
            EXPECT_EQ(boxes[0].text, *plat::utf8_to_gbk("所选文件不是可用的图片，背景未更换。"));
            EXPECT_EQ(file_bytes(mine()), previous);
            EXPECT_EQ(window_picture(), previous);
            continue;
        }
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(file_bytes(mine()), row.bytes);
        EXPECT_EQ(static_cast<int>(fs::status(mine()).permissions()), 0644 & ~umask_now);
        for (auto [x, y] : {std::pair{kCornerX, kCornerY}, {90, 200}, {6, 270}})
            EXPECT_EQ(shown_after_a_frame(x, y), picture_pixel(chosen, x, y)) << x << "," << y;
        EXPECT_EQ(kept_size(ui::clock::kWindowUnit), std::pair(row.kept_w, row.kept_h));
        for (UnitId panel : {ui::clock::画板1, ui::clock::画板2})
            EXPECT_EQ(kept_size(panel), std::pair(row.kept_w, std::min(row.kept_h, 284)));
    }
}

}  // namespace
}  // namespace vel
