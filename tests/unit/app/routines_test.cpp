// The routines behind the external declarations, found the way the logic
// finds them (through the external routine table) and applied to a real
// (off-screen) window of the program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "app/clock_externals.h"
#include "library/call.h"
#include "platform/routine_tables.h"
#include "platform/system_routines.h"
#include "platform/window_system.h"

namespace plat {
namespace {

using namespace win32;

using enum vel::ExternalIndex;

std::int64_t text(const char* t) {
    return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(t));
}

class Routines : public ::testing::Test {
protected:
    void SetUp() override {
        register_system_libraries();
        table.declare(vel::clock_external_declarations());
        ASSERT_TRUE(init_window_system());
        window = create_window({});
        set_geometry(window, {0, 0, 288, 288});
        set_visible(window, true);
        process_pending_events();
        handle = static_cast<std::int64_t>(native_handle(window));
        ASSERT_NE(handle, 0);
    }
    void TearDown() override {
        table.unload_all();
        destroy_widget(window);
    }
    vel::ExternalRoutineTable table;
    Widget* window = nullptr;
    std::int64_t handle = 0;
};

TEST_F(Routines, EveryDeclarationResolvesWithItsArgumentCount) {
    const int library = load_library("user32.dll");
    ASSERT_NE(library, 0);
    const std::pair<const char*, int> user32[] = {
        {"FindWindowA", 2},    {"GetWindow", 2},      {"SetParent", 2},
        {"GetWindowLongA", 2}, {"SetWindowLongA", 3}, {"SetLayeredWindowAttributes", 4}};
    for (auto [name, count] : user32) {
        const BuiltinRoutine* r = find_routine(library, name);
        ASSERT_NE(r, nullptr) << name;
        EXPECT_EQ(r->arg_count, count) << name;
        EXPECT_EQ(find_routine_by_ordinal(library, r->ordinal), r);
    }
    unload_library(library);
    // The events are kernel routines, found before the window library is tried.
    const int kernel = load_library("Kernel32.dll");
    EXPECT_NE(find_routine(kernel, "OpenEventA"), nullptr);
    EXPECT_NE(find_routine(kernel, "CreateEventA"), nullptr);
    EXPECT_EQ(find_routine(kernel, "SetParent"), nullptr);
    unload_library(kernel);
}

TEST_F(Routines, SingleCopyEventThroughTheTable) {
    const std::string name = "VEL\xCA\xB1\xD6\xD3 test " + std::to_string(getpid());
    EXPECT_EQ(table.call(kOpenEvent, {0x1F0003, 0, text(name.c_str())}), 0);
    EXPECT_NE(table.call(kCreateEvent, {0, 0, 0, text(name.c_str())}), 0);
    EXPECT_NE(table.call(kOpenEvent, {0x1F0003, 0, text(name.c_str())}), 0);
    EXPECT_EQ(table.call(kOpenEvent, {0x1F0003, 0, 0}), 0);
}

TEST_F(Routines, EmbedInTheDesktopAndBack) {
    // Without a desktop window the stand-ins take its place.
    const std::int64_t progman = table.call(kFindWindow, {text("Progman"), 0});
    ASSERT_NE(progman, 0);
    EXPECT_EQ(table.call(kFindWindow, {text("NoSuchClass"), 0}), 0);
    const std::int64_t view = table.call(kGetWindow, {progman, kGwChild});
    ASSERT_NE(view, 0);
    EXPECT_EQ(table.call(kGetWindow, {progman, 4}), 0);

    EXPECT_EQ(table.call(kSetParent, {handle, view}), kDesktopHandle);
    EXPECT_TRUE(window_state(static_cast<Handle>(handle)).embedded);
    // Embedding twice keeps it embedded; the previous parent is the view.
    EXPECT_EQ(table.call(kSetParent, {handle, view}), view);
    EXPECT_EQ(table.call(kSetParent, {handle, kDesktopHandle}), view);
    EXPECT_FALSE(window_state(static_cast<Handle>(handle)).embedded);
    table.call(kSetParent, {handle, view});
    EXPECT_EQ(table.call(kSetParent, {handle, 0}), view);
    EXPECT_FALSE(window_state(static_cast<Handle>(handle)).embedded);
    // Not a window of ours: nothing happens.
    EXPECT_EQ(table.call(kSetParent, {0x12345, view}), 0);
}

TEST_F(Routines, ClickThroughAndLayeredOpacity) {
    EXPECT_EQ(table.call(kGetWindowLong, {handle, kGwlExStyle}), 0);
    // Alpha before the layered bit is refused.
    EXPECT_EQ(table.call(kSetLayered, {handle, 0, 144, kLwaAlpha}), 0);
    const std::int64_t style = kWsExTransparent | kWsExLayered;
    EXPECT_EQ(table.call(kSetWindowLong, {handle, kGwlExStyle, style}), 0);
    EXPECT_EQ(table.call(kGetWindowLong, {handle, kGwlExStyle}), style);
    EXPECT_EQ(table.call(kSetLayered, {handle, 0, 144, kLwaAlpha}), 1);
    WindowState s = window_state(static_cast<Handle>(handle));
    EXPECT_TRUE(s.input_transparent);
    EXPECT_NEAR(s.opacity, 144 / 255.0, 0.002);
    // Clearing every bit brings input and full opacity back.
    EXPECT_EQ(table.call(kSetWindowLong, {handle, kGwlExStyle, 0}), style);
    s = window_state(static_cast<Handle>(handle));
    EXPECT_FALSE(s.input_transparent);
    EXPECT_DOUBLE_EQ(s.opacity, 1.0);
    // Other indexes and other windows are not ours to change.
    EXPECT_EQ(table.call(kSetWindowLong, {handle, -16, 5}), 0);
    EXPECT_EQ(table.call(kGetWindowLong, {handle, -16}), 0);
    EXPECT_EQ(table.call(kGetWindowLong, {0x12345, kGwlExStyle}), 0);
    EXPECT_EQ(table.call(kSetLayered, {0x12345, 0, 144, kLwaAlpha}), 0);
}

TEST(ExternalDeclarations, TheClockDeclaresEight) {
    const auto d = vel::clock_external_declarations();
    ASSERT_EQ(d.size(), 8u);
    EXPECT_EQ(d[0].library, "user32.dll");
    EXPECT_EQ(d[0].routine, "FindWindowA");
    EXPECT_EQ(d[7].routine, "SetLayeredWindowAttributes");
    EXPECT_TRUE(d[7].library.empty());
}

}  // namespace
}  // namespace plat
