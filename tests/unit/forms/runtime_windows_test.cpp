// The window lifecycle: events at creation, loading a window that exists,
// loading one afresh after it was destroyed, refusing a close, and a unit
// rebuilt when a property cannot change on a live widget.
#include "forms/runtime/unit_methods.h"
#include "library/call.h"
#include "runtime_fixture.h"

namespace vel::test {
namespace {

TEST_F(RuntimeTest, CreationRaisesCreatedMovedResizedInThisOrder) {
    std::vector<int> order;
    for (auto [slot_number, event] : {std::pair{2, 0}, {10, 3}, {11, 4}}) {
        g_slots[static_cast<std::size_t>(slot_number)] = [&order, event](auto) -> HandlerResult {
            order.push_back(event);
            return std::nullopt;
        };
    }
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    plat::process_pending_events();
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 3), (std::vector<int>{0, 3, 4}));
}

TEST_F(RuntimeTest, CreatedHandlerThatClosesAtOnceStopsTheOtherEvents) {
    std::vector<int> order;
    g_slots[2] = [&](auto) -> HandlerResult {
        order.push_back(0);
        rt().destroy_window(kMain);
        return std::nullopt;
    };
    int moved = 0;
    count_into(10, moved);
    EXPECT_TRUE(rt().load_window(kMain, 0, false));
    EXPECT_EQ(order, std::vector<int>{0});
    EXPECT_EQ(moved, 0);
    EXPECT_FALSE(rt().window_exists(kMain));
}

TEST_F(RuntimeTest, LoadingAnExistingWindowOnlyActivatesIt) {
    int created = 0;
    count_into(2, created);
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    plat::Widget* first = rt().window_widget(kMain);
    rt().set_property(kMain, kEdit, prop::kEditContent, -1, text_arg("typed"));
    ResultRecord again = call(cmd_load_window, arg_unit(kMain, kMainUnit, TAG_UNIT_WINDOW));
    EXPECT_TRUE(again.as_logical());
    EXPECT_EQ(created, 1);
    EXPECT_EQ(rt().window_widget(kMain), first);
    EXPECT_EQ(text_of(rt().get_property(kMain, kEdit, prop::kEditContent)), "typed");
}

TEST_F(RuntimeTest, WindowLoadedAfterDestroyHasTheResourcesPropertiesAgain) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    const std::int32_t left = as_int(rt().get_property(kMain, kMainUnit, prop::kLeft));
    rt().set_property(kMain, kMainUnit, prop::kLeft, -1, int_arg(left + 123));
    rt().set_property(kMain, kEdit, prop::kEditContent, -1, text_arg("changed"));
    rt().set_property(kMain, kEdit, prop::kWidth, -1, int_arg(11));
    rt().set_property(kMain, kMenuA, prop::kMenuChecked, -1, {1, TAG_LOGICAL});
    rt().set_property(kMain, kMenuA, prop::kMenuCaption, -1, text_arg("B"));
    rt().set_property(kMain, kCombo, prop::kComboSelection, -1, int_arg(2));
    call(cmd_destroy, arg_unit(kMain, kInner, TAG_UNIT_EDITBOX));
    call(cmd_destroy, arg_unit(kMain, kMainUnit, TAG_UNIT_WINDOW), arg_logical(true));
    ASSERT_FALSE(rt().window_exists(kMain));
    plat::process_pending_events();

    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    EXPECT_EQ(as_int(rt().get_property(kMain, kMainUnit, prop::kLeft)), left);
    EXPECT_EQ(text_of(rt().get_property(kMain, kEdit, prop::kEditContent)), "init");
    EXPECT_EQ(as_int(rt().get_property(kMain, kEdit, prop::kWidth)), 80);
    EXPECT_EQ(as_int(rt().get_property(kMain, kMenuA, prop::kMenuChecked)), 0);
    EXPECT_EQ(text_of(rt().get_property(kMain, kMenuA, prop::kMenuCaption)), "A");
    EXPECT_EQ(as_int(rt().get_property(kMain, kCombo, prop::kComboSelection)), -1);
    EXPECT_NE(rt().unit_entry(kMain, kInner), nullptr) << "the destroyed control is back";
    EXPECT_EQ(rt().unit_entry(kMain, kPanel)->children, std::vector<UnitId>{kInner});
}

TEST_F(RuntimeTest, CloseRequestAnsweredFalseKeepsTheWindow) {
    int created = 0, asked = 0;
    count_into(2, created);
    count_into(9, asked, 0);
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    rt().post_close(kMain);
    plat::process_pending_events();
    EXPECT_EQ(asked, 1);
    ASSERT_TRUE(rt().window_exists(kMain));
    // No close is pending any more: loading it again does not rebuild it.
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    EXPECT_EQ(created, 1);

    count_into(9, asked, 1);
    rt().post_close(kMain);
    plat::process_pending_events();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(rt().window_exists(kMain));
}

TEST_F(RuntimeTest, LoadingAWindowWithAPendingCloseCreatesItAfresh) {
    int created = 0;
    count_into(2, created);
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    rt().set_property(kMain, kEdit, prop::kEditContent, -1, text_arg("old"));
    rt().post_close(kMain);
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    EXPECT_EQ(created, 2);
    EXPECT_EQ(text_of(rt().get_property(kMain, kEdit, prop::kEditContent)), "init");
    // The close posted to the old window must not reach the new one.
    plat::process_pending_events();
    EXPECT_TRUE(rt().window_exists(kMain));
    EXPECT_EQ(text_of(rt().get_property(kMain, kEdit, prop::kEditContent)), "init");
}

TEST_F(RuntimeTest, ChangingAFixedStyleRebuildsTheUnitWithItsState) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    int changes = 0;
    count_into(0, changes);
    rt().set_property(kMain, kEdit, prop::kEditContent, -1, text_arg("kept"));
    rt().set_property(kMain, kEdit, prop::kTop, -1, int_arg(33));
    plat::set_visible(rt().unit_widget(kMain, kEdit), false);
    ASSERT_EQ(changes, 1);

    rt().set_property(kMain, kEdit, prop::kEditBorder, -1, int_arg(0));  // border: none
    EXPECT_EQ(rt().suppression(), 0);
    EXPECT_EQ(changes, 1) << "the rebuilt box's content write raised an event";
    EXPECT_EQ(as_int(rt().get_property(kMain, kEdit, prop::kEditBorder)), 0);
    EXPECT_EQ(text_of(rt().get_property(kMain, kEdit, prop::kEditContent)), "kept");
    EXPECT_EQ(as_int(rt().get_property(kMain, kEdit, prop::kTop)), 33);
    EXPECT_EQ(as_int(rt().get_property(kMain, kEdit, prop::kVisible)), 0) << "still hidden";

    // The new box raises its events to the same handlers.
    rt().set_property(kMain, kEdit, prop::kEditContent, -1, text_arg("again"));
    EXPECT_EQ(changes, 2);
    int clicks = 0;
    count_into(1, clicks);
    plat::send_mouse(rt().unit_widget(kMain, kEdit), {plat::MouseAction::left_down, 1, 1, 0});
    EXPECT_EQ(clicks, 1);
}

TEST_F(RuntimeTest, RebuiltControlInsideAPanelStaysInItsPlace) {
    ASSERT_TRUE(rt().load_window(kMain, 0, false));
    rt().set_property(kMain, kInner, prop::kEditContent, -1, text_arg("inside"));
    plat::Widget* panel = rt().unit_widget(kMain, kPanel);
    ASSERT_NE(panel, nullptr);
    rt().set_property(kMain, kInner, prop::kEditMultiLine, -1, {1, TAG_LOGICAL});
    plat::process_pending_events();
    EXPECT_EQ(text_of(rt().get_property(kMain, kInner, prop::kEditContent)), "inside");
    EXPECT_EQ(as_int(rt().get_property(kMain, kInner, prop::kLeft)), 2);
    EXPECT_EQ(as_int(rt().get_property(kMain, kInner, prop::kTop)), 2);
    rt().destroy_window(kMain);
    plat::process_pending_events();
}

}  // namespace
}  // namespace vel::test
