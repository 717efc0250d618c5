// A small program of ours for the desktop tests of the system routines: two
// windows (a lower one that counts clicks, an upper one with a push button
// and an edit) and a line protocol on standard input. Every answer is one
// line on standard output. The routines are called the way the clock calls
// them: through the external routine table.
//
//   embed | unembed | through | solid     -> "ok"
//   style N                              -> "ok 1|0"
//   clicks                               -> "clicks LOWER UPPER"
//   create NAME | open NAME              -> "event HANDLE"
//   autostart NAME PATH METHOD           -> "ok 1|0"
//   unautostart NAME                     -> "ok 1|0"
//   box STYLE                            -> "box ID" once the box is closed
#include <cstdio>
#include <deque>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>

#include "app/clock_externals.h"
#include "library/call.h"
#include "library/commands/system.h"
#include "platform/message_box.h"
#include "platform/named_event.h"
#include "platform/system_routines.h"
#include "platform/window_system.h"

namespace {

using enum vel::ExternalIndex;

std::mutex g_lock;
std::deque<std::string> g_lines;
int g_clicks_lower = 0, g_clicks_upper = 0;

std::int64_t text(const char* t) {
    return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(t));
}

void answer(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void handle(const std::string& line, std::int64_t upper) {
    auto& table = vel::external_routines();
    std::istringstream in(line);
    std::string command, arg;
    in >> command;
    if (command == "embed") {
        const std::int64_t progman = table.call(kFindWindow, {text("progman"), 0});
        const std::int64_t view = table.call(kGetWindow, {progman, 5});
        table.call(kSetParent, {upper, view});
        answer("ok");
    } else if (command == "unembed") {
        table.call(kSetParent, {upper, 0x10014});
        answer("ok");
    } else if (command == "through") {
        const std::int64_t style = table.call(kGetWindowLong, {upper, -20}) | 0x20 | 0x80000;
        table.call(kSetWindowLong, {upper, -20, style});
        table.call(kSetLayered, {upper, 0, 144, 2});
        answer("ok");
    } else if (command == "solid") {
        table.call(kSetWindowLong, {upper, -20, 0});
        answer("ok");
    } else if (command == "style") {
        int n = 0;
        in >> n;
        answer("ok " +
               std::to_string(vel::call(vel::cmd_set_control_style, vel::arg_int(n)).as_int()));
    } else if (command == "clicks") {
        answer("clicks " + std::to_string(g_clicks_lower) + " " + std::to_string(g_clicks_upper));
    } else if (command == "create" || command == "open") {
        in >> arg;
        const std::int64_t h = command == "create"
                                   ? table.call(kCreateEvent, {0, 0, 0, text(arg.c_str())})
                                   : table.call(kOpenEvent, {0x1F0003, 0, text(arg.c_str())});
        answer("event " + std::to_string(h));
    } else if (command == "autostart") {
        std::string name, path;
        int method = 0;
        in >> name >> path >> method;
        const auto r = vel::call(vel::cmd_set_autostart, vel::arg_text(name.c_str()),
                                 vel::arg_text(path.c_str()), vel::arg_int(method));
        answer("ok " + std::to_string(r.as_int()));
    } else if (command == "unautostart") {
        in >> arg;
        answer("ok " +
               std::to_string(
                   vel::call(vel::cmd_remove_autostart, vel::arg_text(arg.c_str())).as_int()));
    } else if (command == "box") {
        unsigned style = 0;
        in >> style;
        answer("box " + std::to_string(plat::message_box("question", "box-under-test", style)));
    } else if (command == "quit") {
        plat::quit_message_loop(0);
    } else {
        answer("unknown");
    }
}

plat::Widget* make_window(plat::Rect r, int* clicks) {
    plat::Widget* w = plat::create_window({});
    plat::set_geometry(w, r);
    plat::set_background_colour(w, clicks == &g_clicks_lower ? 0x00FF0000 : 0x0000FF00);
    plat::WidgetCallbacks callbacks;
    callbacks.mouse = [clicks](const plat::MouseEvent& e) {
        if (e.action == plat::MouseAction::left_down) ++*clicks;
        return true;
    };
    plat::set_callbacks(w, callbacks);
    return w;
}

}  // namespace

int main() {
    if (!plat::init_window_system()) return 2;
    plat::register_system_libraries();
    vel::external_routines().declare(vel::clock_external_declarations());

    plat::Widget* lower = make_window({100, 100, 400, 300}, &g_clicks_lower);
    plat::Widget* upper = make_window({150, 150, 240, 160}, &g_clicks_upper);
    plat::Widget* button = plat::create_control(upper, plat::ControlKind::button);
    plat::set_geometry(button, {20, 20, 100, 30});
    plat::set_text(button, "OK");
    plat::Widget* edit = plat::create_control(upper, plat::ControlKind::edit);
    plat::set_geometry(edit, {20, 70, 140, 26});
    plat::set_text(edit, "12:30");
    for (plat::Widget* w : {button, edit, lower, upper}) plat::set_visible(w, true);

    std::thread reader([] {
        std::string line;
        while (std::getline(std::cin, line)) {
            std::lock_guard guard(g_lock);
            g_lines.push_back(line);
        }
        std::lock_guard guard(g_lock);
        g_lines.push_back("quit");
    });
    reader.detach();

    bool announced = false;
    plat::start_timer(20, [&] {
        if (!announced) {
            announced = true;
            answer("ready " + std::to_string(plat::native_handle(lower)) + " " +
                   std::to_string(plat::native_handle(upper)));
        }
        std::deque<std::string> lines;
        {
            std::lock_guard guard(g_lock);
            lines.swap(g_lines);
        }
        for (const std::string& l : lines)
            handle(l, static_cast<std::int64_t>(plat::native_handle(upper)));
    });
    const int code = plat::run_message_loop();
    std::fflush(stdout);
    std::_Exit(code);  // the reader thread may still block on standard input
}
