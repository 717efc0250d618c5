// Message boxes as a user meets them: closing one gives the keyboard back to
// the window it came from, and a text taller than the screen scrolls inside
// a box that fits on it.
#include <cctype>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "desktop/fixture.h"
#include "platform/text/gbk.h"

namespace desk {
namespace {

using namespace std::chrono_literals;

// The clock's pop-up menu: Down from no current row reaches 设定闹铃 third;
// Up reaches its last rows, 关于VEL, 关闭程序 and 使用说明.
const std::vector<std::string> kSetAlarms(3, "Down");
const std::vector<std::string> kHelp(3, "Up");

// The editor raises a box while the user types; after Return closes it the
// next keys must reach the editor again, and they end up in bell.vel.
TEST_F(DesktopTest, KeysReachTheEditorAgainAfterItsBoxCloses) {
    const std::string colon = "\xA3\xBA";  // ：
    struct Row {
        const char* what;
        int tabs;  // from the focused name box to the keys, and back after the box
        std::vector<std::string> keys;
        std::string box;  // its caption
    } rows[] = {
        {"an hour of 24", 1, {"2", "4"}, "^数据错误$"},
        {"删除 without a selection", 6, {"space"}, "^错误$"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Clock& clock = start_clock(at_time("2026-12-07 03:00:10", {{"bell.vel", ""}}));
        ASSERT_TRUE(clock.choose(kSetAlarms));
        auto editor = clock.wait_window_named("^设定闹铃$");
        ASSERT_TRUE(editor) << "no editor";
        ASSERT_TRUE(poll_until([&] { return desktop().is_active(*editor); }, 5s));
        std::vector<std::string> to_box(row.tabs, "Tab");
        to_box.insert(to_box.end(), row.keys.begin(), row.keys.end());
        ASSERT_TRUE(desktop().keys(to_box));
        auto box = clock.wait_window_named(row.box);
        ASSERT_TRUE(box) << "no box";
        ASSERT_TRUE(desktop().key_in(*box, "Return"));
        ASSERT_TRUE(poll_until([&] { return !desktop().geometry(*box); }, 5s)) << "box stays";
        EXPECT_TRUE(poll_until([&] { return desktop().is_active(*editor); }, 5s))
            << "active: " << desktop().property(0, "_NET_ACTIVE_WINDOW");
        // No click in between: the keys go wherever the focus now is.
        ASSERT_TRUE(desktop().keys(std::vector<std::string>(row.tabs, "shift+Tab")) &&
                    desktop().key("ctrl+a") && desktop().type_text("wake") &&
                    desktop().keys({"Tab", "ctrl+a"}) && desktop().type_text("6") &&
                    desktop().key("Tab") && desktop().type_text("45"));
        // The first ring, then 增加.
        ASSERT_TRUE(desktop().keys({"Tab", "Down", "Tab", "Tab", "space"}));
        EXPECT_TRUE(clock.settings_become("bell.vel", "wake" + colon + "6:45/VEL\r\n"));
        clock.stop();
    }
}

class SmallScreenTest : public DesktopTest {};

// Six characters before the last of the help's text (its full stop): a
// drag that ends on the last character's left half leaves it out.
std::string end_of_help(const fs::path& file) {
    std::string text = plat::gbk_to_utf8(read_file(file)).value_or("");
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    std::vector<std::size_t> starts;  // of the characters, last first
    for (std::size_t at = text.size(); at-- > 0 && starts.size() < 7;)
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) starts.push_back(at);
    return starts.size() < 7 ? "" : text.substr(starts[6], starts[0] - starts[6]);
}

// The text shown in a box, from its first line's top left to its lowest
// row of dark pixels; only the left half is looked at, where the button row
// has nothing.
struct TextSpan {
    int left = 0, top = 0, bottom = 0;
};
std::optional<TextSpan> text_span(const Image& box) {
    auto dark = [&](int x, int y, int w, int h) { return box.count(Rgb{}, 90, x, y, w, h) > 0; };
    TextSpan span{0, -1, -1};
    for (int y = 0; y < box.height(); ++y) {
        if (!dark(0, y, box.width() / 2, 1)) continue;
        if (span.top < 0) span.top = y;
        span.bottom = y;
    }
    if (span.top < 0) return std::nullopt;
    while (span.left < box.width() && !dark(span.left, span.top, 1, box.height() / 8)) ++span.left;
    return span;
}

// The shipped help is taller than a 1024 x 768 screen: its box fits on the
// screen with its button, and the keys and the wheel bring the end of the
// text into view. What is seen is read back by selecting the text shown,
// from the box's top left to its lowest row of text.
TEST_F(SmallScreenTest, TheHelpBoxFitsAndScrollsToTheEndOfItsText) {
    ASSERT_TRUE(use_own_desktop("1024x768x24", Session::openbox));
    Clock& clock = start_clock(at_time("2026-12-07 03:00:10"));
    const std::string end = end_of_help(clock.settings_file("help.vel"));
    ASSERT_GT(end.size(), 6u);
    ASSERT_TRUE(clock.choose(kHelp));
    auto box = clock.wait_window_named("^VEL时钟完整功能及操作说明$");
    ASSERT_TRUE(box) << "no help box";
    auto placed = desktop().geometry(*box);
    ASSERT_TRUE(placed);
    EXPECT_GE(placed->y, 0);
    EXPECT_LE(placed->y + placed->height, 768) << "the box's button row is below the screen";
    const int middle_x = placed->x + placed->width / 2, middle_y = placed->y + placed->height / 2;

    struct Row {
        const char* how;
        std::function<bool()> scroll;
        bool end_seen;
    } rows[] = {
        {"End", [&] { return desktop().key("End"); }, true},
        {"at the start", [] { return true; }, false},
        {"PageDown",
         [&] {
             return desktop().xdotool({"key", "--repeat", "10", "--delay", "30", "Next"});
         },
         true},
        {"the wheel", [&] { return desktop().click(middle_x, middle_y, 5, 20); }, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        // The keys work from the start, with the focus on the button; later
        // rows click in the text to clear what the row before selected.
        ASSERT_TRUE(&row == rows
                        ? desktop().key_in(*box, "Home")
                        : desktop().click(middle_x, placed->y + 20) && desktop().key("Home"));
        ASSERT_TRUE(row.scroll());
        // The box has drawn what the keys or the wheel did when two looks agree.
        std::optional<Image> shown, again = desktop().window_image(*box);
        poll_until(
            [&] {
                shown = std::exchange(again, desktop().window_image(*box));
                return shown && again && *shown == *again;
            },
            3s, 100ms);
        ASSERT_TRUE(shown);
        auto text = text_span(*shown);
        ASSERT_TRUE(text) << "no text in the box";
        ASSERT_TRUE(desktop().drag(placed->x + text->left + 1, placed->y + text->top + 3,
                                   placed->x + placed->width - 30, placed->y + text->bottom - 3));
        const std::string seen = desktop().selection_text("PRIMARY");
        EXPECT_GT(seen.size(), 100u) << "nothing was selected";
        EXPECT_EQ(seen.find(end) != std::string::npos, row.end_seen)
            << "\"" << end << "\" in what is seen:\n"
            << seen;
    }
}

}  // namespace
}  // namespace desk
