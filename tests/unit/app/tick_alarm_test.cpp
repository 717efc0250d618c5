// The tick as the timer runs it: which alarms ring with which sound and
// prompt, the chime, the top-most band around a prompt, and ticks that skip
// second 0 or run nested inside an open prompt.
#include <algorithm>

#include "alarm_fixture.h"
#include "app/settings/settings_file.h"
#include "library/commands/file_commands.h"
#include "resources/form_ids.h"

namespace vel::test {
namespace {

struct RingRow {
    const char* what;
    std::string file;
    std::vector<CivilTime> ticks;
    std::vector<std::string> prompts;
    std::vector<std::string> sounds;
};

class AlarmRingTest : public AlarmTest, public ::testing::WithParamInterface<RingRow> {};

TEST_P(AlarmRingTest, RingsWhatFallsDueOnce) {
    const RingRow& row = GetParam();
    dir.write("bell.vel", row.file);
    for (const CivilTime& t : row.ticks) tick(t);
    EXPECT_EQ(prompts(), row.prompts) << row.what;
    // Each player opens its output on its own thread, so two rings of one
    // minute may open in either order; the prompts above show the order.
    std::vector<std::string> sounds = played(row.sounds.size());
    std::sort(sounds.begin(), sounds.end());
    EXPECT_EQ(sounds, row.sounds) << row.what;
}

const std::string k730 = std::string(k起床) + kColon + "7:30/" + k起床 + "\r\n";
// Ticks that step over 7:30:00 without seeing second 0.
const std::vector<CivilTime> kOver730 = {at(7, 29, 59, 900), at(7, 30, 1, 100), at(7, 30, 2, 100)};

INSTANTIATE_TEST_SUITE_P(
    Lines, AlarmRingTest,
    ::testing::Values(RingRow{"7:30 get up", k730, kOver730, {k起床}, {"ring02.wav"}},
                      RingRow{"minute 05 reads 5",
                              std::string(k上班) + kColon + "7:05/" + k上班 + "\r\n",
                              {at(7, 4, 59, 900), at(7, 5, 1, 100)},
                              {k上班},
                              {"ring03.wav"}},
                      RingRow{"leading zero",
                              std::string("a") + kColon + "07:30/VEL\r\n",
                              kOver730,
                              {"a"},
                              {"ring01.wav"}},
                      RingRow{"leading space",
                              std::string("a") + kColon + " 7:30/VEL\r\n",
                              kOver730,
                              {"a"},
                              {"ring01.wav"}},
                      RingRow{"full-width 7",
                              std::string("a") + kColon + "\xA3\xB7:30/VEL\r\n",
                              kOver730,
                              {"a"},
                              {"ring01.wav"}},
                      RingRow{"hour 24 never",
                              std::string("a") + kColon + "24:0/VEL\r\n",
                              {at(23, 59, 59, 800), at(0, 0, 1, 100, 1)},
                              {},
                              {}},
                      RingRow{"unknown ring: prompt only",
                              std::string("a") + kColon + "7:30/bell\r\n",
                              kOver730,
                              {"a"},
                              {}},
                      RingRow{"same minute in file order",
                              std::string("b") + kColon + "7:30/VEL\r\n" + "a" + kColon + "7:30/" +
                                  k起床 + "\r\n",
                              kOver730,
                              {"b", "a"},
                              {"ring01.wav", "ring02.wav"}},
                      RingRow{"lines without separators never ring",
                              "\r\n\r\nhello\r\n" + std::string("x:0/") + "\r\n",
                              {at(23, 59, 59, 800), at(0, 0, 1, 100, 1)},
                              {},
                              {}},
                      RingRow{"a name holding ':' is not taken for a time",
                              std::string("a:b") + kColon + "7:30/VEL\r\n",
                              kOver730,
                              {},
                              {}},
                      RingRow{"LF only: one line, its ring is the rest",
                              std::string("a") + kColon + "7:30/VEL\nb" + kColon + "7:30/VEL\n",
                              kOver730,
                              {"a"},
                              {}},
                      RingRow{"a last line without CR LF",
                              std::string("a") + kColon + "7:30/VEL",
                              kOver730,
                              {"a"},
                              {"ring01.wav"}},
                      RingRow{"missing file", "", kOver730, {}, {}}),
    [](const auto& row_info) { return "row" + std::to_string(row_info.index); });

TEST_F(AlarmTest, NestedTicksInsideAPromptRingOnlyWhatIsNew) {
    dir.write("bell.vel",
              std::string("a") + kColon + "7:30/VEL\r\n" + "b" + kColon + "7:31/VEL\r\n");
    // While the first prompt is open the timer goes on: to 7:31:00.2.
    std::vector<CivilTime> nested = {at(7, 30, 1, 500), at(7, 30, 2, 500), at(7, 31, 0, 200)};
    m_on_box = [&](const plat::MessageBoxRequest&) {
        auto pending = std::move(nested);
        nested.clear();
        for (const CivilTime& t : pending) tick(t);
    };
    tick(at(7, 29, 59, 900));
    tick(at(7, 30, 0, 500));
    EXPECT_EQ(prompts(), (std::vector<std::string>{"a", "b"}));
    // The outer tick, resumed after its prompt, and later ones ring nothing more.
    tick(at(7, 31, 1, 200));
    EXPECT_TRUE(prompts().empty());
}

TEST_F(AlarmTest, EveryTickClosesFilesAndAnAlarmWrittenJustBeforeItsMinuteRings) {
    tick(at(7, 29, 58, 900));
    // A file a handler left open is closed by any tick, due or not.
    const std::int32_t file = open_file(settings::path("left-open"), 4);
    ASSERT_NE(file, 0);
    tick(at(7, 29, 59, 900));
    EXPECT_FALSE(call(cmd_write_text, arg_int(file), arg_text("x")).as_logical());
    dir.write("bell.vel", k730);
    tick(at(7, 30, 0, 400));
    EXPECT_EQ(prompts(), std::vector<std::string>{k起床});
}

TEST_F(AlarmTest, PromptTakesTheClockOutOfTheTopBandAndTheCheckMarkBringsItBack) {
    dir.write("bell.vel", k730);
    m_device.complete(0);
    for (const bool keep_on_top : {true, false}) {
        set_checked(ui::clock::置于顶层, keep_on_top);
        EXPECT_EQ(clock_on_top(), keep_on_top);
        bool ring_playing = false;
        m_on_box = [&](const plat::MessageBoxRequest&) {
            ring_playing = m_device.wait_for([&] { return m_device.opened() > m_seen; },
                                             std::chrono::seconds(5)) &&
                           !m_device.output(m_seen).closed;
        };
        clock::reset_tick();
        tick(at(7, 29, 59, 900));
        tick(at(7, 30, 1, 100));
        ASSERT_EQ(m_shown.size(), 1u);
        EXPECT_EQ(m_shown[0].caption, k闹铃提示);
        EXPECT_FALSE(m_shown[0].clock_on_top) << "while the prompt is open";
        EXPECT_EQ(clock_on_top(), keep_on_top) << "after it";
        EXPECT_TRUE(ring_playing) << "the ring plays while the prompt is open";
        // Closing the prompt stops the ring.
        EXPECT_TRUE(m_device.wait_for([&] { return m_device.output(m_seen).closed; },
                                      std::chrono::seconds(5)));
        EXPECT_EQ(played(1), std::vector<std::string>{"ring02.wav"});
        m_shown.clear();
    }
}

TEST_F(AlarmTest, ChimeOnTheHourAndHalfHourWhenChecked) {
    dir.write("bell.vel", std::string("a") + kColon + "14:0/VEL\r\n");
    struct Row {
        bool checked;
        CivilTime before, after;
        std::vector<std::string> sounds;
        std::vector<int> waits;
    };
    for (const Row& row : {
             Row{true,
                 at(13, 59, 59, 900),
                 at(14, 0, 1, 100),
                 {"hour15.wav", "ring01.wav"},
                 {2600}},
             Row{true,
                 at(14, 29, 59, 900),
                 at(14, 30, 1, 100),
                 {"hour15.wav", "hour25.wav"},
                 {2600}},
             Row{true, at(14, 30, 10), at(14, 30, 11), {}, {}},
             Row{false, at(13, 59, 59, 900), at(14, 0, 1, 100), {"ring01.wav"}, {}},
             Row{true, at(23, 59, 59, 800), at(0, 0, 1, 100, 1), {"hour01.wav"}, {2600}},
         }) {
        set_checked(ui::clock::半点报时, row.checked);
        clock::reset_tick();
        m_waits.clear();
        tick(row.before);
        tick(row.after);
        // With the wait faked the two players start together: which opens
        // its output first is up to their threads (the desktop test hears
        // the 2.6 s between them).
        std::vector<std::string> sounds = played(row.sounds.size());
        std::sort(sounds.begin(), sounds.end());
        EXPECT_EQ(sounds, row.sounds) << row.after.hour << ":" << row.after.minute;
        EXPECT_EQ(m_waits, row.waits);
        m_shown.clear();
    }
    EXPECT_EQ(clock::chime_sounds.size(), 26u) << "the list holds the 25 sounds after a chime";
}

TEST_F(AlarmTest, OneReadingGivesTheFaceAndTheChimeTheSameHour) {
    set_checked(ui::clock::半点报时, true);
    tick(at(7, 59, 59, 999));
    tick(at(8, 0, 0, 0));
    EXPECT_EQ(played(1), std::vector<std::string>{"hour09.wav"});
}

}  // namespace
}  // namespace vel::test
