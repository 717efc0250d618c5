// The control style on real widgets (off screen): restyling changes the
// look, and switching it off gives every control its exact look back, also
// for controls that were created while the style was on.
#include <gtest/gtest.h>

#include "library/call.h"
#include "library/commands/system.h"
#include "platform/control_style.h"
#include "platform/window_system.h"

namespace vel {
namespace {

class ControlStyle : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(plat::init_window_system());
        window = plat::create_window({});
        plat::set_geometry(window, {10, 10, 300, 200});
        button = plat::create_control(window, plat::ControlKind::button);
        plat::set_geometry(button, {10, 10, 90, 28});
        plat::set_text(button, "OK");
        edit = plat::create_control(window, plat::ControlKind::edit);
        plat::set_geometry(edit, {10, 50, 120, 24});
        plat::set_text(edit, "12");
        plat::set_visible(button, true);
        plat::set_visible(edit, true);
        plat::set_visible(window, true);
        plat::process_pending_events();
    }
    void TearDown() override {
        call(cmd_set_control_style, arg_int(0));
        plat::destroy_widget(window);
        plat::process_pending_events();
    }
    plat::Widget* window = nullptr;
    plat::Widget* button = nullptr;
    plat::Widget* edit = nullptr;
};

TEST_F(ControlStyle, SchemeThenNoneRestoresTheLook) {
    const auto before = plat::controls_look_digest();
    ASSERT_NE(before, 0u);
    EXPECT_TRUE(call(cmd_set_control_style, arg_int(3)).as_logical());
    EXPECT_EQ(plat::restyled_control_count(), 2);
    const auto silver = plat::controls_look_digest();
    EXPECT_NE(silver, before);
    // Another scheme replaces the first one rather than stacking on it.
    EXPECT_TRUE(call(cmd_set_control_style, arg_int(1)).as_logical());
    EXPECT_EQ(plat::restyled_control_count(), 2);
    EXPECT_NE(plat::controls_look_digest(), silver);
    EXPECT_TRUE(call(cmd_set_control_style, arg_int(0)).as_logical());
    EXPECT_EQ(plat::restyled_control_count(), 0);
    EXPECT_EQ(plat::controls_look_digest(), before);
    // Nothing installed: removing again reports false.
    EXPECT_FALSE(call(cmd_set_control_style, arg_int(0)).as_logical());
}

TEST_F(ControlStyle, ControlsShownLaterAreRestyledAndRestored) {
    EXPECT_TRUE(call(cmd_set_control_style, arg_int(2)).as_logical());
    plat::Widget* later = plat::create_control(window, plat::ControlKind::button);
    plat::set_geometry(later, {150, 10, 90, 28});
    plat::set_text(later, "Later");
    plat::set_visible(later, true);
    plat::process_pending_events();
    EXPECT_EQ(plat::restyled_control_count(), 3);
    // Destroyed controls are forgotten.
    plat::destroy_widget(later);
    plat::process_pending_events();
    EXPECT_EQ(plat::restyled_control_count(), 2);
    EXPECT_TRUE(call(cmd_set_control_style, arg_int(-1)).as_logical());
    EXPECT_EQ(plat::control_style(), -1);
}

TEST_F(ControlStyle, OtherControlKindsAreLeftAlone) {
    plat::Widget* list = plat::create_control(window, plat::ControlKind::list);
    plat::Widget* label = plat::create_control(window, plat::ControlKind::label);
    plat::set_visible(list, true);
    plat::set_visible(label, true);
    EXPECT_TRUE(call(cmd_set_control_style, arg_int(3)).as_logical());
    EXPECT_EQ(plat::restyled_control_count(), 2);
}

}  // namespace
}  // namespace vel
