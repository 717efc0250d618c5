// "关于VEL" and "使用说明": the file's text up to its end mark in a box with
// the right caption, the clock out of the top-most band while it is open.
#include <algorithm>
#include <fstream>
#include <functional>
#include <tuple>

#include "background_fixture.h"
#include "resources/form_ids.h"

namespace vel {
namespace {

using test::BackgroundWindowTest;
namespace fs = std::filesystem;

const std::string kAboutCaption = "\xB9\xD8\xD3\xDAVEL";  // 关于VEL
// VEL时钟完整功能及操作说明
const std::string kHelpCaption =
    "VEL\xCA\xB1\xD6\xD3\xCD\xEA\xD5\xFB\xB9\xA6\xC4\xDC\xBC\xB0\xB2\xD9\xD7\xF7\xCB\xB5\xC3\xF7";
const std::string kHelpItem = "\xCA\xB9\xD3\xC3\xCB\xB5\xC3\xF7";  // 使用说明

class AboutHelp : public BackgroundWindowTest {
public:
    void write_text(const std::string& name, const std::string& bytes) { dir().write(name, bytes); }
    void click_item(const std::string& caption) { click(caption); }
    using BackgroundWindowTest::boxes;
};

// Each file is shown in its box as read, and read as stored up to its end
// mark, however long: the box scrolls a text taller than the screen.
void expect_shown(AboutHelp& test, const std::string& file_text,
                  const std::function<void(const std::string& shown)>& check) {
    for (const auto& [file, item_caption, caption] :
         {std::tuple{"about.vel", kAboutCaption, kAboutCaption},
          std::tuple{"help.vel", kHelpItem, kHelpCaption}}) {
        SCOPED_TRACE(file);
        test.write_text(file, file_text);
        test.boxes.clear();
        test.click_item(item_caption);
        ASSERT_EQ(test.boxes.size(), 1u);
        EXPECT_EQ(test.boxes[0].caption, caption);
        EXPECT_EQ(test.boxes[0].style & plat::kMbButtonMask, plat::kMbOk);
        check(test.boxes[0].text);
    }
}

TEST_F(AboutHelp, ShowsTheWholeTextUpToItsEndMark) {
    const std::string text = "VEL\xCA\xB1\xD6\xD3 1.0\r\nsecond line";  // VEL时钟 1.0
    std::string lines;
    for (int i = 0; lines.size() < (1u << 20); ++i) lines += "line " + std::to_string(i) + "\r\n";
    const std::string one_line(1u << 20, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {text, text},
        {lines, lines},
        {one_line, one_line},
        {"", ""},
        {std::string("before\0after", 12), "before"},
        {"before\x1A"
         "after",
         "before"},
    };
    for (const auto& [stored, shown] : cases) {
        expect_shown(*this, stored, [&](const std::string& got) { EXPECT_EQ(got, shown); });
        EXPECT_EQ(dir().bytes("help.vel"), stored) << "the program never writes it";
    }
    fs::remove(dir().file("about.vel"));
    boxes.clear();
    click(kAboutCaption);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "") << "missing";
}

TEST_F(AboutHelp, TheClockLeavesTheTopWhileTheBoxIsOpen) {
    dir().write("about.vel", "VEL");
    click(kAboutCaption);
    ASSERT_EQ(on_top_during_box.size(), 1u);
    EXPECT_FALSE(on_top_during_box[0]);
    EXPECT_FALSE(on_top()) << "置于顶层 is not checked: it stays off the top";

    keep_on_top();
    click(kHelpItem);
    ASSERT_EQ(on_top_during_box.size(), 2u);
    EXPECT_FALSE(on_top_during_box[1]);
    EXPECT_TRUE(on_top()) << "置于顶层 is checked: back on top";
}

// The texts supplied beside the program: GBK with CR LF line ends, and the
// help names every item of the clock's menu.
TEST_F(AboutHelp, SuppliedTextsAreGbkWithCrLfAndTheHelpNamesEveryItem) {
    const fs::path supplied = fs::path(VEL_IMAGE_DIR).parent_path() / "VEL文件";
    for (const char* name : {"about.vel", "help.vel"}) {
        SCOPED_TRACE(name);
        std::ifstream in(supplied / name, std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        ASSERT_GT(bytes.size(), 100u);
        EXPECT_EQ(bytes.find('\0'), std::string::npos);
        EXPECT_EQ(bytes.find('\x1A'), std::string::npos);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if (b == 0x0A) {
                EXPECT_TRUE(i > 0 && bytes[i - 1] == 0x0D) << "bare LF at " << i;
            }
            if (b >= 0x81 && b <= 0xFE) {  // a GBK lead byte and its trail byte
                ASSERT_LT(i + 1, bytes.size());
                const auto t = static_cast<unsigned char>(bytes[++i]);
                EXPECT_TRUE(t >= 0x40 && t <= 0xFE && t != 0x7F) << "bad trail byte at " << i;
            } else {
                EXPECT_LT(b, 0x80) << "stray byte at " << i;
            }
        }
        if (std::string(name) == "help.vel") {
            const WindowEntry* w = find_window(rt().form(), ui::clock::kWindow);
            for (const UnitEntry& u : w->units) {
                // The leaves of the menu, and the groups of backgrounds.
                if (!u.is_menu_item() || u.caption == "-" || (u.menuFlags & kMenuHidden)) continue;
                // The pictures and the colours are named by their groups.
                const auto& pictures = ui::clock::pictures;
                if (std::find(pictures.begin(), pictures.end(), u.id) != pictures.end()) continue;
                const auto& colours = backgrounds::kColours;
                if (std::any_of(colours.begin(), colours.end(),
                                [&](const auto& c) { return c.item == u.id; }))
                    continue;
                EXPECT_NE(bytes.find(u.caption), std::string::npos) << "help omits item " << u.id;
            }
        }
    }
}

}  // namespace
}  // namespace vel
