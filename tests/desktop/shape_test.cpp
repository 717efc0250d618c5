// The clock window's outline on a real X server: what the outline leaves
// out shows the window beneath (shape_helper puts a magenta window there),
// what it keeps shows the face. The outline is switched through the window's
// shape property by shape_helper, which runs the real clock windows.
#include <csignal>
#include <string>
#include <thread>

#include "desktop/fixture.h"

namespace desk {
namespace {

using namespace std::chrono_literals;

const Rgb kBeneath{255, 0, 255};
constexpr int kSide = 288;

struct Spot {
    int x, y;
};

// A 3 x 3 patch around the spot, all beneath / none beneath.
bool shows_beneath(const Image& image, Spot s) {
    return image.count(kBeneath, 24, s.x - 1, s.y - 1, 3, 3) == 9;
}
bool shows_window(const Image& image, Spot s) {
    return image.count(kBeneath, 24, s.x - 1, s.y - 1, 3, 3) == 0;
}

// The four corners of a spot given near the top-left one, at a scale.
std::vector<Spot> mirrored(Spot s, int scale) {
    const int side = kSide * scale;
    s = {s.x * scale, s.y * scale};
    return {
        {s.x, s.y}, {side - 1 - s.x, s.y}, {s.x, side - 1 - s.y}, {side - 1 - s.x, side - 1 - s.y}};
}

struct Outline {
    int shape;
    const char* name;
    std::vector<Spot> out;  // near the top-left corner; all four are checked
    std::vector<Spot> in;
};

// Ellipse: at (30, 30) the 288-pixel ellipse has not yet begun (its row 30
// starts at x = 57). Rounded square with 57-pixel corner ellipses: the
// patch at (6, 6) lies outside the corner arc and the one at (10, 10)
// inside it; a corner ellipse a tenth larger or smaller would get one of
// them wrong.
const Outline kOutlines[] = {
    {1, "ellipse", {{2, 2}, {30, 30}, {50, 20}}, {{144, 144}, {144, 3}, {3, 144}}},
    {0, "rectangle", {}, {{1, 1}, {30, 30}, {144, 144}, {144, 1}}},
    {2, "rounded", {{1, 1}, {6, 6}}, {{10, 10}, {30, 30}, {144, 1}, {1, 144}, {144, 144}}},
};

class ShapeTest : public DesktopTest {
protected:
    // Waits until the helper says `shape` has been applied and the screen
    // shows the outline's spots as expected. Gives the first spot that is
    // still wrong at the end ("" when none), and keeps the last screenshot.
    std::string wait_outline(Clock& clock, WindowId window, const Outline& o, Image& shot,
                             int scale = 1) {
        const std::string applied = "shape " + std::to_string(o.shape) + "\n";
        if (!poll_until(
                [&] { return read_file(clock.log_file()).find(applied) != std::string::npos; },
                10s))
            return "the helper did not apply it";
        std::string wrong;
        poll_until(
            [&] {
                auto image = desktop().window_image(window);
                if (!image) return false;
                shot = *image;
                wrong = first_wrong(shot, o, scale);
                return wrong.empty();
            },
            5s, 100ms);
        return wrong;
    }

    static std::string first_wrong(const Image& shot, const Outline& o, int scale) {
        auto at = [&](Spot m) {
            return std::to_string(m.x) + "," + std::to_string(m.y) + " shows " +
                   to_string(shot.at(m.x, m.y));
        };
        for (const Spot& s : o.out)
            for (const Spot& m : mirrored(s, scale))
                if (!shows_beneath(shot, m)) return "left out: " + at(m);
        for (const Spot& s : o.in)
            for (const Spot& m : mirrored(s, scale))
                if (!shows_window(shot, m)) return "kept: " + at(m);
        return {};
    }
};

TEST_F(ShapeTest, OutlinesLeaveTheirCornersToTheWindowBeneath) {
    const fs::path helper = fs::read_symlink("/proc/self/exe").parent_path() / "shape_helper";
    ClockOptions options = at_time("2026-12-07 03:00:30");
    options.program = helper;
    for (const Outline& o : kOutlines) options.args.push_back(std::to_string(o.shape));
    Clock& clock = start_clock(options);
    auto window = clock.wait_window_sized(kSide, kSide);
    ASSERT_TRUE(window) << "the clock window did not appear";

    for (std::size_t i = 0; i < std::size(kOutlines); ++i) {
        const Outline& o = kOutlines[i];
        if (i > 0) {
            ASSERT_TRUE(clock.process().send(SIGUSR1));
        }
        Image shot;
        const std::string wrong = wait_outline(clock, *window, o, shot);
        shot.save((desktop().root() / (std::string("shape-") + o.name + ".png")).string());
        EXPECT_EQ(wrong, "") << o.name << ": the outline is not as expected; see "
                             << (desktop().root() / (std::string("shape-") + o.name + ".png"));
        // The window keeps its place and size whatever its outline.
        auto g = desktop().geometry(*window);
        ASSERT_TRUE(g);
        EXPECT_EQ(g->width, kSide);
        EXPECT_EQ(g->height, kSide);
    }
}

// At scale 2 the outlines keep their corners (the spots doubled) and are
// cut at the screen's own pixels: the ellipse's edge steps by single device
// pixels, where one cut in client pixels and doubled starts every row at an
// even column.
TEST_F(ShapeTest, AtScaleTwoTheOutlinesStepBySingleDevicePixels) {
    ClockOptions options = at_time("2026-12-07 03:00:30");
    options.program = fs::read_symlink("/proc/self/exe").parent_path() / "shape_helper";
    options.env.push_back("QT_SCALE_FACTOR=2");
    options.args = {"1", "2"};  // the ellipse, then the rounded square
    Clock& clock = start_clock(options);
    auto window = clock.wait_window_sized(2 * kSide, 2 * kSide);
    ASSERT_TRUE(window) << "the clock window did not appear at 576 x 576";
    Image shots[2];
    for (int i = 0; i < 2; ++i) {
        if (i > 0) {
            ASSERT_TRUE(clock.process().send(SIGUSR1));
        }
        const Outline& o = kOutlines[2 * i];
        EXPECT_EQ(wait_outline(clock, *window, o, shots[i], 2), "") << o.name << " at scale 2";
        shots[i].save((desktop().root() / (std::string("shape-") + o.name + "-2.png")).string());
    }
    int odd = 0;
    for (int y = 0; y < kSide; ++y) {
        int x = 0;
        while (x < kSide && shots[0].count(kBeneath, 24, x, y, 1, 1) == 1) ++x;
        if (x < kSide && x % 2 == 1) ++odd;
    }
    EXPECT_GE(odd, 20) << "rows of the ellipse's top half starting at an odd column";
}

}  // namespace
}  // namespace desk
