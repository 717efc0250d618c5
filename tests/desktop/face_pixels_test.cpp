// What the X server shows of the clock window is, pixel for pixel, the frame
// the face routine draws for the time shown (face_frame_helper draws the
// references off the screen): across a minute change, and after another
// window was dragged across the clock and the uncovered part repainted.
#include <chrono>
#include <map>
#include <string>
#include <thread>

#include "desktop/fixture.h"

namespace desk {
namespace {

using namespace std::chrono_literals;

class FacePixelsTest : public DesktopTest {
protected:
    // Draws the reference frames for the `count` seconds from
    // hour:minute:second, then starts the clock at the first of them; its
    // window, or none when a reference is missing.
    std::optional<WindowId> start_at(int hour, int minute, int second, int count) {
        ClockOptions drawing;
        drawing.program = fs::read_symlink("/proc/self/exe").parent_path() / "face_frame_helper";
        for (int i = 0; i < count; ++i) {
            const int t = hour * 3600 + minute * 60 + second + i;
            char text[16];
            std::snprintf(text, sizeof text, "%02d:%02d:%02d", t / 3600 % 24, t / 60 % 60, t % 60);
            drawing.args.push_back(text);
        }
        Clock& drawer = start_clock(drawing);
        if (!drawer.process().wait_exit(30s)) return std::nullopt;
        for (const std::string& time : drawing.args)
            if (auto frame =
                    Image::load_ppm((drawer.run_dir() / ("frame-" + time + ".ppm")).string()))
                frames.emplace(time, std::move(*frame));
        if (frames.size() != drawing.args.size()) return std::nullopt;
        char when[32];
        std::snprintf(when, sizeof when, "2026-12-07 %02d:%02d:%02d", hour, minute, second);
        return start_clock(at_time(when)).wait_window();
    }

    // The time whose reference the panel part of the window shows now, or
    // empty (the shot is then saved for a look). A shot taken between two
    // boxes of one tick matches none: such a shot is taken again, three
    // times at most.
    std::string shown_time(WindowId window) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            auto shot = desktop().window_image(window);
            if (!shot || frames.empty()) return {};
            const Image& any = frames.begin()->second;
            const Image panel = shot->crop(0, 0, any.width(), any.height());
            for (const auto& [time, frame] : frames)
                if (panel == frame) return time;
            if (attempt == 2) panel.save((desktop().root() / "face-unmatched.png").string());
            std::this_thread::sleep_for(30ms);
        }
        return {};
    }

    std::map<std::string, Image> frames;
};

TEST_F(FacePixelsTest, TheScreenShowsTheDrawnFrameAcrossAMinuteChange) {
    auto window = start_at(10, 9, 58, 12);
    ASSERT_TRUE(window) << "no reference frames or no clock window";
    bool before = false, after = false;
    const auto deadline = std::chrono::steady_clock::now() + 8s;
    while (std::chrono::steady_clock::now() < deadline && !after) {
        const std::string time = shown_time(*window);
        if (time.empty()) FAIL() << "the window shows no drawn frame of 10:09:58 ... 10:10:09";
        if (time < "10:10:00") before = true;
        if (before && time >= "10:10:00") after = true;
        std::this_thread::sleep_for(200ms);
    }
    EXPECT_TRUE(after) << "no frame of 10:10 was seen after one of 10:09";
}

TEST_F(FacePixelsTest, AWindowDraggedAcrossTheClockLeavesTheDrawnFrame) {
    auto window = start_at(3, 0, 30, 30);
    ASSERT_TRUE(window) << "no reference frames or no clock window";
    ASSERT_TRUE(poll_until([&] { return !shown_time(*window).empty(); }, 5s))
        << "the clock never showed a drawn frame";
    auto placed = desktop().geometry(*window);
    ASSERT_TRUE(placed);
    // A window of another program, moved across the clock in steps.
    Process other;
    ASSERT_TRUE(other.start({"xlogo", "-geometry", "120x120+0+0"}, desktop().env()));
    auto logo = desktop().wait_window([&] { return desktop().windows_named("^xlogo$"); }, 5s);
    ASSERT_TRUE(logo) << "xlogo did not appear";
    for (int step = -120; step <= placed->width; step += 24) {
        desktop().xdotool({"windowmove", std::to_string(*logo), std::to_string(placed->x + step),
                           std::to_string(placed->y + placed->height / 3)});
        std::this_thread::sleep_for(40ms);
    }
    other.stop();
    // The uncovered part is repainted from what the clock last drew.
    EXPECT_TRUE(poll_until([&] { return !shown_time(*window).empty(); }, 2s))
        << "after the drag the window shows no drawn frame";
}

}  // namespace
}  // namespace desk
