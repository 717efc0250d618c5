#pragma once
// The real clock window, offscreen, over a temporary run directory: tests
// write settings files, create the window (its created handler runs) and
// look at the window, its menu's check marks and the files.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <string>

#include "app/clock_externals.h"
#include "app/handlers/handler_table.h"
#include "app/window/clock_window.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/startup.h"
#include "platform/system_routines.h"
#include "platform/window_system.h"
#include "resources/embedded.h"
#include "resources/form_ids.h"
#include "settings_run_dir.h"

namespace vel::test {

namespace cw = clock_window;

class ClockWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        new_session();
        initialise_runtime(embedded_bytes("forms.bin"), clock_handler_table(),
                           clock_external_declarations());
    }
    void TearDown() override {
        FormRuntime& rt = FormRuntime::instance();
        if (rt.window_exists(ui::clock::kWindow)) rt.destroy_window(ui::clock::kWindow);
        plat::process_pending_events();
    }

    // The single-copy event is named per display: a display name of its own
    // keeps a clock from meeting the event of the one started before.
    void new_session() {
        static int serial = 0;
        m_display = ":velunit-" + std::to_string(::getpid()) + "-" + std::to_string(++serial);
        ::setenv("DISPLAY", m_display.c_str(), 1);
    }
    // Creates the clock window as start-up does.
    void start() {
        ASSERT_TRUE(FormRuntime::instance().load_window(ui::clock::kWindow, 0, false, true));
        plat::process_pending_events();
    }
    // Runs a menu item's click handler, as choosing it does.
    void choose(UnitId item) {
        EventRecord r;
        r.window = ui::clock::kWindow;
        r.unit = item;
        FormRuntime::instance().raise_event(r);
        plat::process_pending_events();
    }
    void tray(int kind) {
        EventRecord r;
        r.window = ui::clock::kWindow;
        r.unit = ui::clock::kWindowUnit;
        r.event = kEvTray;
        r.arg_count = 1;
        r.args[0] = kind;
        FormRuntime::instance().raise_event(r);
        plat::process_pending_events();
    }
    plat::win32::WindowState platform_state() {
        return plat::win32::window_state(static_cast<plat::win32::Handle>(cw::handle()));
    }
    plat::Rect geometry() {
        return plat::geometry(FormRuntime::instance().window_widget(ui::clock::kWindow));
    }

    SettingsRunDir dir;
    std::string m_display;
};

}  // namespace vel::test
