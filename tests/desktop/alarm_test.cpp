// The chime, an alarm and the alarm editor on a real desktop: what the
// private sound server plays is recorded, the prompt is answered with a key,
// and the editor is driven by the keyboard alone.
#include <unistd.h>

#include <string>
#include <vector>

#include "desktop/fixture.h"

namespace desk {
namespace {

using namespace std::chrono_literals;

const std::string kChimeOn = "\xB0\xEB\xB5\xE3\xB1\xA8\xCA\xB1";  // 半点报时
const std::string kColon = "\xA3\xBA";                            // ：
const std::string k起床 = "\xC6\xF0\xB4\xB2";
const std::string k狗叫 = "\xB9\xB7\xBD\xD0";  // a ring of 24 s
// The clock's pop-up menu: Down from no current row reaches 设定闹铃 third.
const std::vector<std::string> kSetAlarms(3, "Down");

class AlarmDesktopTest : public DesktopTest {};

TEST_F(AlarmDesktopTest, HalfHourChimeIsTheHourThenTheHalfHourSound) {
    auto recording = desktop().record();
    ASSERT_TRUE(recording);
    Clock& clock = start_clock(at_time("2026-12-07 07:29:58", {{"hour.vel", kChimeOn}}));
    ASSERT_TRUE(clock.wait_window());
    // The sound library is loaded for the first sound, not at start-up.
    const fs::path maps = "/proc/" + std::to_string(clock.pid()) + "/maps";
    EXPECT_EQ(read_file(maps).find("libpulse"), std::string::npos) << "loaded before any sound";
    sleep(7);  // past 7:30:00, the announcement and the half-hour sound
    EXPECT_NE(read_file(maps).find("libpulse"), std::string::npos) << "not loaded for the chime";
    auto wav = recording->stop();
    ASSERT_TRUE(wav);
    // The announcement sounds from 0.08 s to 2.42 s of its recording, the
    // half-hour sound from its start for 0.87 s, 2.6 s after the first began.
    const auto first = wav->first_sound(0.01);
    const auto last = wav->last_sound(0.01);
    ASSERT_TRUE(first && last) << "nothing was heard";
    EXPECT_NEAR(*last - *first, 2.6 + 0.87 - 0.08, 0.3) << "hour, then half hour";
    EXPECT_LT(wav->rms(*first + 2.37, *first + 2.45), 0.01) << "a gap between the two";
    EXPECT_GT(wav->rms(*first + 2.65, *first + 3.15), 0.01) << "the half-hour sound";
}

TEST_F(AlarmDesktopTest, AlarmRingsWithItsPromptWhileTheFaceGoesOnAndReturnStopsIt) {
    auto recording = desktop().record();
    ASSERT_TRUE(recording);
    // The clock in the corner, clear of the prompt in the middle.
    Clock& clock = start_clock(at_time(
        "2026-12-07 07:30:57",
        {{"bell.vel", k起床 + kColon + "7:31/" + k狗叫 + "\r\n"}, {"coordinate.vel", "0,0"}}));
    auto window = clock.wait_window();
    ASSERT_TRUE(window);
    auto prompt = clock.wait_window_named("^闹铃提示$", 15s);
    ASSERT_TRUE(prompt) << "no prompt";
    auto box = desktop().geometry(*prompt);
    ASSERT_TRUE(box);
    // Its caption needs room beside the title bar's icon and buttons.
    EXPECT_GE(box->width, 200) << "the prompt is too narrow to show its caption";
    sleep(1);
    auto face = desktop().window_image(*window);
    ASSERT_TRUE(face);
    EXPECT_TRUE(poll_until(
        [&] {
            auto now = desktop().window_image(*window);
            return now && !(*now == *face);
        },
        3s, 200ms))
        << "the face stood still while the prompt was open";
    ASSERT_TRUE(desktop().key_in(*prompt, "Return"));
    EXPECT_TRUE(poll_until(
        [&] { return !desktop().geometry(*prompt) || !desktop().geometry(*prompt)->viewable; }, 5s))
        << "Return did not close the prompt";
    sleep(2);
    auto wav = recording->stop();
    ASSERT_TRUE(wav);
    const auto first = wav->first_sound(0.01);
    const auto last = wav->last_sound(0.01);
    ASSERT_TRUE(first && last) << "the ring was not heard";
    EXPECT_GT(*last - *first, 0.8) << "the ring plays while the prompt is open";
    EXPECT_LT(*last, wav->seconds() - 1.5) << "the ring stopped when the prompt closed";
    EXPECT_TRUE(clock.process().running());
}

TEST_F(AlarmDesktopTest, EditorDrivenByTheKeyboardAddsTheLine) {
    Clock& clock = start_clock(at_time("2026-12-07 03:00:10", {{"bell.vel", ""}}));
    ASSERT_TRUE(clock.choose(kSetAlarms)) << "no menu";
    auto editor = clock.wait_window_named("^设定闹铃$");
    ASSERT_TRUE(editor) << "no editor";
    // The editor opens active, with the focus in the name box (End moves
    // nothing there); Tab goes hour, minute, ring, modify, add.
    EXPECT_TRUE(poll_until([&] { return desktop().is_active(*editor); }, 5s))
        << "the active window is not the editor: " << desktop().property(0, "_NET_ACTIVE_WINDOW");
    ASSERT_TRUE(desktop().key("End") && desktop().type_text("wake") && desktop().key("Tab") &&
                desktop().type_text("6") && desktop().key("Tab") && desktop().type_text("45"));
    // The first ring, "VEL", then 增加.
    ASSERT_TRUE(desktop().keys({"Tab", "Down", "Tab", "Tab", "space"}));
    EXPECT_TRUE(clock.settings_become("bell.vel", "wake" + kColon + "6:45/VEL\r\n"));
}

}  // namespace
}  // namespace desk
