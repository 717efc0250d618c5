#pragma once
// The real clock window over a temporary run directory, with the time of day
// from a fake clock, sounds going to a fake wave device and message boxes
// answered by a script. Tests set the time, run the tick as the timer would
// and look at what was played and shown.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/clock_globals.h"
#include "app/tick/chime.h"
#include "app/tick/tick.h"
#include "forms/runtime/property_numbers.h"
#include "library/datetime/date_time.h"
#include "platform/message_box.h"
#include "resources/form_ids.h"
#include "unit/library/sound_fake_device.h"
#include "window_clock_fixture.h"

namespace vel::test {

// 2026-12-07 plus `day` days, h:m:s.ms.
inline CivilTime at(int h, int m, int s, int ms = 0, int day = 0) {
    CivilTime t;
    t.year = 2026;
    t.month = 12;
    t.day = 7 + day;
    t.hour = h;
    t.minute = m;
    t.second = s;
    t.millisecond = ms;
    return t;
}

struct Shown {
    std::string text, caption;
    bool clock_on_top;  // the clock window's top-most property while shown
};

class AlarmTest : public ClockWindowTest {
protected:
    void SetUp() override {
        ClockWindowTest::SetUp();
        set_clock_source([this] { return m_now; });
        clock::set_chime_wait([this](int ms) {
            m_waits.push_back(ms);
            advance_ms(ms);
        });
        plat::set_message_box_responder([this](const plat::MessageBoxRequest& r) {
            m_shown.push_back({r.text, r.caption, clock_on_top()});
            if (m_on_box) m_on_box(r);
            return static_cast<int>(plat::kIdOk);
        });
        clock::reset_tick();
        m_now = at(6, 0, 30);
        start();
    }
    void TearDown() override {
        ClockWindowTest::TearDown();
        plat::set_message_box_responder({});
        clock::set_chime_wait({});
        set_clock_source({});
        clock::release_globals();
    }

    void tick(const CivilTime& t) {
        m_now = t;
        on_clock_tick({});
    }
    void advance_ms(int ms) {
        // Only within a day is needed here: carry seconds and minutes.
        long total =
            ((m_now.hour * 60L + m_now.minute) * 60 + m_now.second) * 1000 + m_now.millisecond + ms;
        const int day = static_cast<int>(total / 86'400'000);
        total %= 86'400'000;
        m_now = at(static_cast<int>(total / 3'600'000), static_cast<int>(total / 60'000 % 60),
                   static_cast<int>(total / 1000 % 60), static_cast<int>(total % 1000),
                   m_now.day - 7 + day);
    }

    bool clock_on_top() {
        return (FormRuntime::instance()
                    .get_property(ui::clock::kWindow, ui::clock::kWindowUnit,
                                  prop::kWindowAlwaysOnTop)
                    .payload &
                1) != 0;
    }
    bool checked(UnitId item) {
        return (FormRuntime::instance()
                    .get_property(ui::clock::kWindow, item, prop::kMenuChecked)
                    .payload &
                1) != 0;
    }
    void set_checked(UnitId item, bool on) {
        if (checked(item) != on) choose(item);
        ASSERT_EQ(checked(item), on);
    }

    // The embedded sound whose sample data an output started with, e.g.
    // "hour08.wav"; "?" when none.
    static std::string sound_of(const std::vector<std::uint8_t>& first_write) {
        for (const EmbeddedBlob& blob : embedded_blobs()) {
            if (!blob.name) break;
            const std::string name = blob.name;
            if (name.size() < 4 || name.substr(name.size() - 4) != ".wav") continue;
            const auto bytes = embedded_bytes(name);
            const std::size_t n = first_write.size();
            for (std::size_t i = 12; i + 8 <= bytes.size();) {
                std::uint32_t size;
                std::memcpy(&size, bytes.data() + i + 4, 4);
                if (std::memcmp(bytes.data() + i, "data", 4) == 0) {
                    if (n > 0 && i + 8 + n <= bytes.size() &&
                        std::memcmp(bytes.data() + i + 8, first_write.data(), n) == 0)
                        return name;
                    break;
                }
                i += 8 + size;
            }
        }
        return "?";
    }
    // The sounds started since the last call, in order. Players open their
    // output on their own thread: wait for `expected` of them, then a little
    // for any beyond.
    std::vector<std::string> played(std::size_t expected) {
        std::vector<std::string> names;
        const int want = m_seen + static_cast<int>(expected);
        m_device.wait_for([&] { return m_device.opened() >= want; }, std::chrono::seconds(5));
        m_device.wait_for([&] { return m_device.opened() > want; }, std::chrono::milliseconds(50));
        const int opened = m_device.opened();
        m_device.wait_for(
            [&] {
                for (int i = m_seen; i < opened; ++i)
                    if (m_device.output(i).writes.empty()) return false;
                return true;
            },
            std::chrono::seconds(5));
        for (int i = m_seen; i < opened; ++i)
            names.push_back(sound_of(m_device.output(i).writes[0]));
        m_seen = opened;
        return names;
    }
    std::vector<std::string> prompts() {
        std::vector<std::string> texts;
        for (const Shown& s : m_shown) texts.push_back(s.text);
        m_shown.clear();
        return texts;
    }

    // Buffers come back only when the test says so: a ring is still playing
    // while its prompt is open.
    FakeWaveDevice m_device{false};
    InstalledDevice m_installed{m_device};
    CivilTime m_now;
    std::vector<int> m_waits;
    std::vector<Shown> m_shown;
    std::function<void(const plat::MessageBoxRequest&)> m_on_box;
    int m_seen = 0;
};

inline constexpr char k起床[] = "\xC6\xF0\xB4\xB2";
inline constexpr char k上班[] = "\xC9\xCF\xB0\xE0";
inline constexpr char kColon[] = "\xA3\xBA";  // ：
inline constexpr char k闹铃提示[] = "\xC4\xD6\xC1\xE5\xCC\xE1\xCA\xBE";

}  // namespace vel::test
