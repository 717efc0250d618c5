// A whole day of ticks on a fake clock, and alarm files no person wrote: the
// clock keeps ticking and rings exactly what is due.
#include <random>

#include "alarm_fixture.h"
#include "resources/form_ids.h"

namespace vel::test {
namespace {

TEST_F(AlarmTest, ADayOfTicksRingsEachAlarmOnceAndChimes48Times) {
    // Alarms on the hour, on the half hour, at midnight, in the last minute
    // and two in one minute.
    struct Alarm {
        const char* name;
        int hour, minute;
    };
    const std::vector<Alarm> alarms = {{"a", 0, 0},  {"b", 7, 30},  {"c", 7, 30},
                                       {"d", 12, 0}, {"e", 13, 17}, {"f", 23, 59}};
    std::string file;
    for (const Alarm& a : alarms)
        file += std::string(a.name) + kColon + std::to_string(a.hour) + ":" +
                std::to_string(a.minute) + "/VEL\r\n";
    dir.write("bell.vel", file);
    set_checked(ui::clock::半点报时, true);
    std::vector<std::string> rung;  // "name h:m" as the prompt saw the clock
    m_on_box = [&](const plat::MessageBoxRequest& r) {
        rung.push_back(r.text + " " + std::to_string(m_now.hour) + ":" +
                       std::to_string(m_now.minute));
        // The person takes a while: the clock runs on meanwhile.
        advance_ms(1500);
    };

    clock::reset_tick();
    m_now = at(0, 0, 0, 500);
    // Mostly a second apart; every seventh tick late enough to skip a second.
    std::mt19937 random(7);
    int ticks = 0;
    while (m_now.day == 7) {
        on_clock_tick({});
        ++ticks;
        advance_ms(ticks % 7 == 0 ? 1700 : 900 + static_cast<int>(random() % 200));
        if (ticks % 20000 == 0) m_device.complete(1'000'000);
    }
    std::vector<std::string> expected;
    for (const Alarm& a : alarms)
        expected.push_back(std::string(a.name) + " " + std::to_string(a.hour) + ":" +
                           std::to_string(a.minute));
    // The second of two alarms of one minute is prompted after the first
    // was closed, still within its minute.
    EXPECT_EQ(rung, expected);
    EXPECT_EQ(m_waits.size(), 48u) << "one chime every half hour";
    EXPECT_GT(ticks, 75'000);
    m_device.complete(1'000'000);
}

struct BadFile {
    const char* what;
    std::string bytes;
    std::vector<std::string> rings;  // prompts at 7:30
};

std::string random_bytes(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(random());
    return s;
}

std::string many_lines(std::size_t bytes) {
    std::string s;
    for (int i = 0; s.size() < bytes; ++i)
        s += "n" + std::to_string(i) + kColon + std::to_string(i % 24) + ":" +
             std::to_string(i % 60) + "/VEL\r\n";
    return s;
}

std::vector<std::string> rings_at_730(const std::string& bytes) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", at);
        const std::string line = bytes.substr(at, end - at);
        if (line.ends_with(std::string(kColon) + "7:30/VEL"))
            names.push_back(line.substr(0, line.find(kColon)));
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return names;
}

class BadFileTest : public AlarmTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadFileTest, TicksOnAndRingsOnlyWellFormedLinesOfTheMinute) {
    const BadFile& row = GetParam();
    dir.write("bell.vel", row.bytes);
    for (const CivilTime& t : {at(7, 29, 59, 900), at(7, 30, 1, 100), at(7, 30, 2, 100)}) tick(t);
    EXPECT_EQ(prompts(), row.rings) << row.what;
    // The editor lists it, one item per CR LF piece up to the first zero byte.
    ASSERT_TRUE(FormRuntime::instance().load_window(ui::editor::kWindow, 0, false));
    plat::Widget* list =
        FormRuntime::instance().unit_widget(ui::editor::kWindow, ui::editor::闹铃列表框);
    const std::string text = row.bytes.substr(0, row.bytes.find('\0'));
    std::size_t pieces = 0;
    for (std::size_t at = 0; at < text.size(); ++pieces) {
        const std::size_t end = text.find("\r\n", at);
        at = end == std::string::npos ? text.size() : end + 2;
    }
    EXPECT_EQ(static_cast<std::size_t>(plat::item_count(list)), pieces) << row.what;
    FormRuntime::instance().destroy_window(ui::editor::kWindow);
}

const std::string kGood = std::string("ok") + kColon + "7:30/VEL\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    ::testing::Values(
        // (Random bytes hold zero bytes: the good line after them is not read.)
        BadFile{"1 MB of random bytes", random_bytes(1 << 20, 1) + "\r\n" + kGood, {}},
        BadFile{"zero bytes", kGood + std::string(3, '\0') + kGood, {"ok"}},
        // A lead byte before a line end stays on its line; one at the start
        // of a name is part of that name.
        BadFile{"lone lead bytes", "\x81\r\n\xFE" + kGood + "\xC6\r\n" + kGood, {"\xFEok", "ok"}},
        BadFile{"LF line ends", std::string("x") + kColon + "7:30/VEL\n" + kGood, {"x"}},
        BadFile{"1 MB of well-formed lines", many_lines(1 << 20),
                rings_at_730(many_lines(1 << 20))}),
    [](const auto& row_info) { return "row" + std::to_string(row_info.index); });

}  // namespace
}  // namespace vel::test
