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
    // The reference frames for `first` and the seconds after it, by time.
    std::map<std::string, Image> references(int hour, int minute, int second, int count) {
        const fs::path helper =
            fs::read_symlink("/proc/self/exe").parent_path() / "face_frame_helper";
        ClockOptions options;
        options.program = helper;
        for (int i = 0; i < count; ++i) {
            const int t = hour * 3600 + minute * 60 + second + i;
            char text[16];
            std::snprintf(text, sizeof text, "%02d:%02d:%02d", t / 3600 % 24, t / 60 % 60, t % 60);
            options.args.push_back(text);
        }
        Clock& drawer = start_clock(options);
        std::map<std::string, Image> frames;
        if (!drawer.process().wait_exit(30s) || drawer.process().exit_code() != 0) {
            ADD_FAILURE() << "face_frame_helper failed";
            return frames;
        }
        for (const std::string& name : options.args) {
            std::string file = "frame-" + name.substr(0, 2) + name.substr(3, 2) + name.substr(6, 2);
            auto frame = Image::load_ppm((drawer.run_dir() / (file + ".ppm")).string());
            if (frame) frames.emplace(name, std::move(*frame));
        }
        EXPECT_EQ(frames.size(), options.args.size()) << "reference frames missing";
        return frames;
    }

    // The time whose reference the panel part of the window shows now, or
    // empty. A shot taken between two boxes of one tick matches none: such a
    // shot is taken again, three times at most.
    std::string shown_time(WindowId window, const std::map<std::string, Image>& frames) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            auto shot = desktop().window_image(window);
            if (!shot || frames.empty()) return {};
            const Image& any = frames.begin()->second;
            const Image panel = shot->crop(0, 0, any.width(), any.height());
            for (const auto& [time, frame] : frames)
                if (panel == frame) return time;
            last_shot = panel;
            std::this_thread::sleep_for(30ms);
        }
        return {};
    }

    Image last_shot;
};

TEST_F(FacePixelsTest, TheScreenShowsTheDrawnFrameAcrossAMinuteChange) {
    const auto frames = references(10, 9, 58, 12);
    ASSERT_FALSE(frames.empty());
    Clock& clock = start_clock(at_time("2026-12-07 10:09:58"));
    auto window = clock.wait_window();
    ASSERT_TRUE(window) << "the clock window did not appear";
    bool before = false, after = false;
    const auto deadline = std::chrono::steady_clock::now() + 8s;
    while (std::chrono::steady_clock::now() < deadline && !after) {
        const std::string time = shown_time(*window, frames);
        if (time.empty()) {
            last_shot.save((desktop().root() / "face-unmatched.png").string());
            FAIL() << "the window shows no drawn frame of 10:09:58 ... 10:10:09";
        }
        if (time < "10:10:00") before = true;
        if (before && time >= "10:10:00") after = true;
        std::this_thread::sleep_for(200ms);
    }
    EXPECT_TRUE(before) << "no frame of 10:09 was seen";
    EXPECT_TRUE(after) << "no frame of 10:10 was seen after one of 10:09";
}

TEST_F(FacePixelsTest, AWindowDraggedAcrossTheClockLeavesTheDrawnFrame) {
    const auto frames = references(3, 0, 30, 30);
    ASSERT_FALSE(frames.empty());
    Clock& clock = start_clock(at_time("2026-12-07 03:00:30"));
    auto window = clock.wait_window();
    ASSERT_TRUE(window) << "the clock window did not appear";
    ASSERT_TRUE(poll_until([&] { return !shown_time(*window, frames).empty(); }, 5s))
        << "the clock never showed a drawn frame";
    auto placed = desktop().geometry(*window);
    ASSERT_TRUE(placed);
    // A window of another program, moved across the clock in steps.
    Process other;
    ASSERT_TRUE(other.start({"xlogo", "-geometry", "120x120+0+0"}, desktop().env()));
    std::optional<WindowId> logo;
    ASSERT_TRUE(poll_until(
        [&] {
            auto found = desktop().windows_named("^xlogo$");
            if (!found.empty()) logo = found.front();
            return logo.has_value();
        },
        5s))
        << "xlogo did not appear";
    for (int step = -120; step <= placed->width; step += 24) {
        desktop().xdotool({"windowmove", std::to_string(*logo), std::to_string(placed->x + step),
                           std::to_string(placed->y + placed->height / 3)});
        std::this_thread::sleep_for(40ms);
    }
    other.stop();
    // The uncovered part is repainted from what the clock last drew.
    std::string time;
    poll_until([&] { return !(time = shown_time(*window, frames)).empty(); }, 2s);
    if (time.empty()) last_shot.save((desktop().root() / "face-after-drag.png").string());
    EXPECT_FALSE(time.empty()) << "after the drag the window shows no drawn frame";
}

}  // namespace
}  // namespace desk
