// Dispatch, suppression during creation, modal loops, the end of the loop,
// and the fatal error of a unit method naming a missing unit.
#include <cstdlib>

#include "forms/runtime/unit_methods.h"
#include "library/call.h"
#include "runtime_fixture.h"

namespace vel::test {
namespace {

TEST_F(RuntimeTest, EventsDuringCreationReachNoHandler) {
    int changes = 0, created = 0;
    g_slots[0] = [&](auto) -> HandlerResult {
        ++changes;
        return std::nullopt;
    };
    g_slots[2] = [&](auto) -> HandlerResult {
        ++created;
        // By now the creation is over: a write is an event again.
        EXPECT_EQ(rt().suppression(), 0);
        return std::nullopt;
    };
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    EXPECT_EQ(changes, 0);  // the edit's initial content was written while suppressed
    EXPECT_EQ(created, 1);
    EXPECT_EQ(rt().event_source_unit(), kMainUnit);
}

struct MouseRow {
    const char* name;
    HandlerResult answer;
    bool caret_moves;
};

class MouseDefaultTest : public RuntimeTest, public ::testing::WithParamInterface<MouseRow> {};

TEST_P(MouseDefaultTest, FalseStopsTheDefaultHandlingOfAClick) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    int calls = 0;
    std::vector<std::int32_t> args;
    const HandlerResult answer = GetParam().answer;
    g_slots[1] = [&](std::span<const std::int32_t> a) {
        ++calls;
        args.assign(a.begin(), a.end());
        return answer;
    };
    plat::Widget* edit = rt().unit_widget(kMain, kEdit);
    plat::set_text(edit, "abcdef");
    plat::set_selection(edit, -1, 0);  // caret after the last character
    // A click near the left edge puts the caret at the start, unless stopped.
    plat::send_mouse(edit, {plat::MouseAction::left_down, 2, 9, 0});
    plat::send_mouse(edit, {plat::MouseAction::left_up, 2, 9, 0});
    plat::process_pending_events();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(args, (std::vector<std::int32_t>{2, 9, 0}));
    EXPECT_EQ(plat::selection_start(edit) == 0, GetParam().caret_moves) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Answers, MouseDefaultTest,
                         ::testing::Values(MouseRow{"false", 0, false}, MouseRow{"true", 1, true},
                                           MouseRow{"nothing", std::nullopt, true}));

TEST_F(RuntimeTest, ModalLoadReturnsOnlyAfterTheWindowClosed) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    bool dialog_alive_in_handler = false;
    g_slots[3] = [&](auto) -> HandlerResult {
        dialog_alive_in_handler = rt().window_exists(kDialog);
        // Close it from inside its own loop, as a button would.
        plat::post([] { call(cmd_destroy, arg_unit(kDialog, kDialogUnit, TAG_UNIT_WINDOW)); });
        return std::nullopt;
    };
    ResultRecord r = call(cmd_load_window, arg_unit(kDialog, kDialogUnit, TAG_UNIT_WINDOW),
                          arg_none(), arg_logical(true));
    EXPECT_TRUE(r.as_logical());
    EXPECT_TRUE(dialog_alive_in_handler);
    EXPECT_FALSE(rt().window_exists(kDialog));
    EXPECT_EQ(rt().current_modal(), 0u);
    // The main window was disabled while the dialog ran, and is enabled again.
    EXPECT_TRUE(plat::is_enabled(rt().window_widget(kMain)));
}

TEST_F(RuntimeTest, ModalWindowDisablesTheOthersWhileItRuns) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    bool main_enabled_inside = true;
    g_slots[3] = [&](auto) -> HandlerResult {
        plat::post([&] {
            main_enabled_inside = plat::is_enabled(rt().window_widget(kMain));
            rt().post_close(kDialog);
        });
        return std::nullopt;
    };
    ASSERT_TRUE(rt().load_window(kDialog, 0, true));
    EXPECT_FALSE(main_enabled_inside);
}

TEST_F(RuntimeTest, ClosingTheLastWindowEndsTheLoop) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    plat::post([] { call(cmd_destroy, arg_unit(kMain, kMainUnit, TAG_UNIT_WINDOW)); });
    // Returns only because the runtime asked the loop to end.
    EXPECT_EQ(rt().run_message_loop(), 0);
    EXPECT_EQ(rt().live_window_count(), 0);
}

TEST_F(RuntimeTest, LoadingAnUnknownWindowFails) {
    EXPECT_FALSE(rt().load_window(0x52FFFFFF, 0, false));
    EXPECT_FALSE(rt().load_window(kDialog, 0x52000001, false));  // parent not loaded
}

TEST_F(RuntimeTest, UnitMethodOnAMissingUnitIsFatal) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    setenv("LC_ALL", "C.UTF-8", 1);  // the fatal text reaches standard error in UTF-8
    EXPECT_EXIT(call(cmd_set_focus, arg_unit(kMain, 0x16000099, TAG_UNIT_EDITBOX)),
                ::testing::ExitedWithCode(255), "指定窗口或窗口组件不存在或尚未载入");
    unsetenv("LC_ALL");
}

}  // namespace
}  // namespace vel::test
