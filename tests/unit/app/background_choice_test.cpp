// Choosing backgrounds from the clock's menu: what the window and both panels
// get, which item carries the check mark, what background.vel holds, and
// what the face shows over it.
#include <random>

#include "background_fixture.h"
#include "forms/pictures/double_size.h"
#include "forms/pictures/picture.h"
#include "platform/fs/run_folder.h"
#include "resources/form_ids.h"

namespace vel {
namespace {

using test::BackgroundWindowTest;
using test::file_bytes;
using test::kCornerX;
using test::kCornerY;
using test::picture_pixel;
namespace fs = std::filesystem;

class BackgroundChoice : public BackgroundWindowTest {};

TEST_F(BackgroundChoice, ColourThenMissingPictureKeepsTheColourWithThePictureChecked) {
    click(test::k红色);
    click(test::k牛);  // no 牛.jpg in the picture folder
    EXPECT_EQ(checked_items(), std::vector<UnitId>{item(test::k牛)});
    EXPECT_EQ(dir().bytes("background.vel"), test::k牛);
    EXPECT_EQ(window_picture(), "");
    for (UnitId panel : {ui::clock::画板1, ui::clock::画板2}) {
        EXPECT_EQ(panel_picture(panel), "");
        EXPECT_EQ(panel_colour(panel), 0x0000FFu);
    }
    EXPECT_EQ(shown_after_a_frame(kCornerX, kCornerY), 0x0000FFu);
}

TEST_F(BackgroundChoice, PictureThenWhiteRemovesThePictureEverywhere) {
    supply("泰山");
    click(test::k泰山);
    const std::string taishan = file_bytes(image_folder() / "泰山.jpg");
    EXPECT_EQ(window_picture(), taishan);
    EXPECT_EQ(panel_picture(ui::clock::画板1), taishan);
    EXPECT_EQ(panel_picture(ui::clock::画板2), taishan);
    EXPECT_EQ(shown_after_a_frame(kCornerX, kCornerY),
              picture_pixel(image_folder() / "泰山.jpg", kCornerX, kCornerY));

    click(test::k白色);
    EXPECT_EQ(window_picture(), "");
    for (UnitId panel : {ui::clock::画板1, ui::clock::画板2}) {
        EXPECT_EQ(panel_picture(panel), "");
        EXPECT_EQ(panel_colour(panel), 0xFFFFFFu);
    }
    EXPECT_EQ(window_colour(), 0xFFFFFFu);
    EXPECT_EQ(shown_after_a_frame(kCornerX, kCornerY), 0xFFFFFFu);
    EXPECT_EQ(dir().bytes("background.vel"), test::k白色);
}

// A supplied picture, seeded from an install with its record of copies, has
// its twice-size partner; once the user's file replaces it, it has none.
TEST_F(BackgroundChoice, AShippedPictureHasItsTwiceSizePartnerUntilReplaced) {
    const fs::path install = dir().root() / "install";
    fs::create_directories(install / "image");
    for (const char* name : {"泰山.jpg", "泰山@2x.jpg"})
        fs::copy_file(fs::path(VEL_IMAGE_DIR) / name, install / "image" / name);
    test::write_bytes(install / "velclock", "program");
    test::write_bytes(install / "velclock.shipped",
                      "data image/泰山.jpg\ndata image/泰山@2x.jpg\n");
    ASSERT_TRUE(
        plat::fs::prepare_user_run_folder((install / "velclock").string(), dir().root().string()));
    const auto partner_width = [&] {
        click(test::k泰山);
        const std::string bytes = window_picture();
        const auto partner = double_size_for(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 288, 288);
        return partner ? partner->width() : 0;
    };
    EXPECT_EQ(partner_width(), 576);
    fs::copy_file(fs::path(VEL_IMAGE_DIR) / "鼠.jpg", image_folder() / "泰山.jpg",
                  fs::copy_options::overwrite_existing);
    EXPECT_EQ(partner_width(), 0);
}

// background.vel holds exactly the last value, whatever its length was.
TEST_F(BackgroundChoice, TheFileHoldsExactlyTheLastChoice) {
    const std::vector<std::string> sequence = {test::k珠穆朗玛峰, test::k鼠,   test::k红色,
                                               test::k珠穆朗玛峰, test::k使用, test::k泰山};
    const std::vector<std::string> stored = {test::k珠穆朗玛峰, test::k鼠,       test::k红色,
                                             test::k珠穆朗玛峰, test::k我的背景, test::k泰山};
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        click(sequence[i]);
        EXPECT_EQ(dir().bytes("background.vel"), stored[i]) << "after choice " << i;
    }
}

// Whatever is chosen, at most one background item is checked, and it is the
// one whose value the file holds.
TEST_F(BackgroundChoice, AtMostOneItemIsCheckedAfterAnySequence) {
    supply("鼠");
    const fs::path mine = image_folder() / "我的背景.jpg";
    fs::copy_file(fs::path(VEL_IMAGE_DIR) / "兔.jpg", mine);
    answer_dialog(mine);  // "更换" with my own picture: copied onto itself
    const std::vector<UnitId> items = background_items();
    std::mt19937 random(14);
    std::uniform_int_distribution<std::size_t> pick(0, items.size() - 1);
    for (int i = 0; i < 200; ++i) {
        const UnitId chosen = items[pick(random)];
        click(chosen);
        const std::vector<UnitId> now = checked_items();
        ASSERT_EQ(now.size(), 1u) << "after choice " << i;
        const UnitId expected = chosen == ui::clock::更换 ? ui::clock::使用 : chosen;
        ASSERT_EQ(now[0], expected) << "after choice " << i;
        ASSERT_EQ(backgrounds::current_item(), expected);
        const std::string value =
            expected == ui::clock::使用 ? test::k我的背景 : caption_of(expected);
        ASSERT_EQ(dir().bytes("background.vel"), value) << "after choice " << i;
    }
    EXPECT_TRUE(boxes.empty()) << "no choice is an error";
}

}  // namespace
}  // namespace vel
