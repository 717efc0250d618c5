// Numbered properties: clamping, menu flags, the edit box's content and caret.
#include <string>

#include "library/blocks.h"
#include "runtime_fixture.h"

namespace vel::test {
namespace {

struct ClampRow {
    UnitId unit;
    int number;
    std::int32_t written;
    std::int32_t applied;
};

class ClampTest : public RuntimeTest, public ::testing::WithParamInterface<ClampRow> {};

TEST_P(ClampTest, StoresAndAppliesTheClampedValue) {
    const ClampRow row = GetParam();
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    rt().set_property(kMain, row.unit, row.number, -1, int_arg(row.written));
    EXPECT_EQ(as_int(rt().get_property(kMain, row.unit, row.number)), row.applied);
}

INSTANTIATE_TEST_SUITE_P(Geometry, ClampTest,
                         ::testing::Values(ClampRow{kEdit, prop::kLeft, 40000, 32627},
                                           ClampRow{kEdit, prop::kTop, -40000, -32627},
                                           ClampRow{kEdit, prop::kWidth, -5, 0},
                                           ClampRow{kEdit, prop::kHeight, -1, 0},
                                           ClampRow{kEdit, prop::kLeft, -12, -12},
                                           ClampRow{kMainUnit, prop::kWidth, -5, 0}));

TEST_F(RuntimeTest, ControlPositionIsInTheWindowsClientArea) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    rt().set_property(kMain, kMainUnit, prop::kLeft, -1, int_arg(300));
    EXPECT_EQ(as_int(rt().get_property(kMain, kMainUnit, prop::kLeft)), 300);
    // Moving the window leaves its control's coordinates alone.
    EXPECT_EQ(as_int(rt().get_property(kMain, kEdit, prop::kLeft)), 5);
    EXPECT_EQ(as_int(rt().get_property(kMain, kEdit, prop::kTop)), 6);
}

TEST_F(RuntimeTest, EditHandlerThatCorrectsTheContentSeesItsCorrection) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    std::vector<std::string> seen;
    g_slots[0] = [&](std::span<const std::int32_t>) -> HandlerResult {
        Text content(
            reinterpret_cast<char*>(rt().get_property(kMain, kEdit, prop::kEditContent).payload));
        seen.emplace_back(view(content));
        // Like the hour box: too long a value loses its last character.
        if (seen.back().size() > 2) {
            std::string shorter = seen.back().substr(0, seen.back().size() - 1);
            rt().set_property(kMain, kEdit, prop::kEditContent, -1, text_arg(shorter.c_str()));
        }
        return std::nullopt;
    };
    rt().set_property(kMain, kEdit, prop::kEditContent, -1, text_arg("1234"));
    EXPECT_EQ(seen, (std::vector<std::string>{"1234", "123", "12"}));
}

TEST_F(RuntimeTest, SelectionStartMinusOnePutsTheCaretAtTheEnd) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    rt().set_property(kMain, kEdit, prop::kEditContent, -1, text_arg("abcdef"));
    rt().set_property(kMain, kEdit, prop::kEditSelectionStart, -1, int_arg(2));
    EXPECT_EQ(as_int(rt().get_property(kMain, kEdit, prop::kEditSelectionStart)), 2);
    rt().set_property(kMain, kEdit, prop::kEditSelectionStart, -1, int_arg(-1));
    EXPECT_EQ(as_int(rt().get_property(kMain, kEdit, prop::kEditSelectionStart)), 6);
}

TEST_F(RuntimeTest, GbkContentSurvivesTheWidget) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    const char gbk[] = "\xC6\xF0\xB4\xB2";  // 起床
    rt().set_property(kMain, kEdit, prop::kEditContent, -1, text_arg(gbk));
    Text back(reinterpret_cast<char*>(rt().get_property(kMain, kEdit, prop::kEditContent).payload));
    EXPECT_EQ(view(back), std::string_view(gbk));
}

}  // namespace
}  // namespace vel::test
