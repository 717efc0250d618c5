// The real clock's backgrounds and its about box on a real X server: what the
// screen shows for a stored colour and picture, a colour chosen from the menu
// with the keyboard, and the about box's caption and text.
#include <algorithm>
#include <chrono>

#include "desktop/fixture.h"

namespace desk {
namespace {

using namespace std::chrono_literals;

const std::string k红色 = "\xBA\xEC\xC9\xAB";
const std::string k泰山 = "\xCC\xA9\xC9\xBD";
constexpr int kScreenHeight = 1024;
// Rows of the pop-up menu before "更换背景" (separators are skipped).
constexpr int kChangeBackgroundRow = 7;

// Places outside the dial, where the background shows.
constexpr std::pair<int, int> kCorners[] = {{3, 3}, {282, 4}, {4, 278}, {281, 279}};

bool near(Rgb a, Rgb b, int tolerance) {
    return a.distance(b) <= tolerance;
}

class BackgroundTest : public DesktopTest {
protected:
    // The clock window's image once `shows` holds for it (or the last one).
    std::optional<Image> shot_when(WindowId window,
                                   const std::function<bool(const Image&)>& shows) {
        std::optional<Image> shot;
        poll_until(
            [&] {
                shot = desktop().window_image(window);
                return shot && shows(*shot);
            },
            10s, 100ms);
        return shot;
    }

    std::optional<Geometry> open_menu(Clock& clock, WindowId window) {
        auto g = desktop().geometry(window);
        if (!g) return std::nullopt;
        const auto before = desktop().windows_of_pid(clock.pid());
        if (!desktop().click(g->x + g->width / 2, g->y + g->height / 2, 3)) return std::nullopt;
        std::optional<Geometry> menu;
        poll_until(
            [&] {
                for (WindowId w : desktop().windows_of_pid(clock.pid()))
                    if (std::find(before.begin(), before.end(), w) == before.end())
                        menu = desktop().geometry(w);
                return menu.has_value();
            },
            10s, 50ms);
        return menu;
    }
};

TEST_F(BackgroundTest, AStoredColourShowsAroundTheDial) {
    Clock& clock = start_clock(with_files({{"background.vel", k红色}}));
    auto window = clock.wait_window();
    ASSERT_TRUE(window) << "the clock window did not appear";
    auto shot = shot_when(*window, [](const Image& s) { return near(s.at(3, 3), {255, 0, 0}, 8); });
    ASSERT_TRUE(shot);
    shot->save(desktop().root() / "background-red.png");
    for (auto [x, y] : kCorners) EXPECT_TRUE(near(shot->at(x, y), {255, 0, 0}, 8)) << x << "," << y;
}

TEST_F(BackgroundTest, AStoredPictureShowsItsPixels) {
    Clock& clock = start_clock(with_files({{"background.vel", k泰山}}));
    auto window = clock.wait_window();
    ASSERT_TRUE(window) << "the clock window did not appear";
    auto picture = Image::load((clock.run_dir() / "image" / "泰山.jpg").string());
    ASSERT_TRUE(picture) << "泰山.jpg did not load";
    auto matches = [&](const Image& s) {
        for (auto [x, y] : kCorners)
            if (!near(s.at(x, y), picture->at(x, y), 6)) return false;
        return true;
    };
    auto shot = shot_when(*window, matches);
    ASSERT_TRUE(shot);
    shot->save(desktop().root() / "background-taishan.png");
    for (auto [x, y] : kCorners) {
        const Rgb want = picture->at(x, y), got = shot->at(x, y);
        EXPECT_TRUE(near(got, want, 6))
            << x << "," << y << ": " << got.r << " " << got.g << " " << got.b << " for " << want.r
            << " " << want.g << " " << want.b;
    }
}

TEST_F(BackgroundTest, AColourChosenWithTheKeyboardIsStoredAndShown) {
    Clock& clock = start_clock(with_files({{"background.vel", ""}}));
    auto window = clock.wait_window();
    ASSERT_TRUE(window) << "the clock window did not appear";
    ASSERT_TRUE(open_menu(clock, *window));
    // The first Down enters the menu at its first row; Right opens a
    // sub-menu at its first row: 我的背景, then 颜色背景 with 黑色, 白色, 红色.
    for (int i = 0; i <= kChangeBackgroundRow; ++i) ASSERT_TRUE(desktop().key("Down"));
    for (const char* key : {"Right", "Down", "Right", "Down", "Down", "Return"})
        ASSERT_TRUE(desktop().key(key));
    const fs::path stored = clock.settings_file("background.vel");
    EXPECT_TRUE(poll_until([&] { return read_file(stored) == k红色; }, 10s, 50ms))
        << "background.vel holds '" << read_file(stored) << "'";
    auto shot = shot_when(*window, [](const Image& s) { return near(s.at(3, 3), {255, 0, 0}, 8); });
    ASSERT_TRUE(shot);
    for (auto [x, y] : kCorners) EXPECT_TRUE(near(shot->at(x, y), {255, 0, 0}, 8)) << x << "," << y;
}

// "关于VEL" is the last row of the menu: Up from no current row reaches it.
// The box grows with the file's text: thirty lines of it make it tall.
TEST_F(BackgroundTest, AboutShowsTheFilesTextCaptionedAboutVel) {
    std::string text = "VEL\xCA\xB1\xD6\xD3 1.0";  // VEL时钟 1.0
    for (int i = 1; i < 30; ++i) text += "\r\nabout line " + std::to_string(i);
    Clock& clock = start_clock(with_files({{"background.vel", ""}, {"about.vel", text}}));
    auto window = clock.wait_window();
    ASSERT_TRUE(window) << "the clock window did not appear";
    ASSERT_TRUE(open_menu(clock, *window));
    ASSERT_TRUE(desktop().key("Up"));
    ASSERT_TRUE(desktop().key("Return"));
    auto box = clock.wait_window_named("^关于VEL$");
    ASSERT_TRUE(box) << "no box captioned 关于VEL";
    auto g = desktop().geometry(*box);
    ASSERT_TRUE(g);
    EXPECT_GT(g->height, 30 * 10) << "thirty lines of text";
    auto shot = desktop().window_image(*box);
    ASSERT_TRUE(shot);
    shot->save(desktop().root() / "about-box.png");
    EXPECT_GT(shot->count({0, 0, 0}, 100, 0, 0, shot->width(), shot->height() - 50), 30 * 20)
        << "dark text on the box";
    ASSERT_TRUE(desktop().key_in(*box, "Return"));
    EXPECT_TRUE(clock.process().running());
}

// A text far longer than the screen: the box stays within the screen.
TEST_F(BackgroundTest, AnAboutTextLongerThanTheScreenKeepsTheBoxOnIt) {
    std::string text;
    for (int i = 0; text.size() < (1u << 20); ++i) text += "line " + std::to_string(i) + "\r\n";
    Clock& clock = start_clock(with_files({{"background.vel", ""}, {"about.vel", text}}));
    auto window = clock.wait_window();
    ASSERT_TRUE(window) << "the clock window did not appear";
    ASSERT_TRUE(open_menu(clock, *window));
    ASSERT_TRUE(desktop().key("Up"));
    ASSERT_TRUE(desktop().key("Return"));
    auto box = clock.wait_window_named("^关于VEL$", 30s);
    ASSERT_TRUE(box) << "no box captioned 关于VEL";
    auto g = desktop().geometry(*box);
    ASSERT_TRUE(g);
    EXPECT_LE(g->height, kScreenHeight);
    EXPECT_GE(g->y, 0);
    ASSERT_TRUE(desktop().key_in(*box, "Return"));
    EXPECT_TRUE(clock.process().running());
}

}  // namespace
}  // namespace desk
