// Keep on top, embed in the desktop and let mouse clicks through: the three
// toggles that change where the clock window lives and how it takes input.
//
//   state     "嵌入桌面"  "置于顶层"  parent            on top  free move
//   normal    no          no          the desktop       false   true
//   embedded  yes         no          its icon view     false   false
//   on top    no          yes         the desktop       true    true
//
// Click-through is independent of these: its toggle detaches the window,
// changes its style and puts the state back.
#include <cstdint>

#include "app/clock_externals.h"
#include "app/settings/settings_file.h"
#include "app/settings/toggles.h"
#include "resources/form_ids.h"

namespace vel::settings {
namespace {

namespace cw = clock_window;

constexpr std::int64_t kGwChild = 5;
constexpr std::int64_t kGwlExStyle = -20;
constexpr std::int64_t kWsExTransparent = 0x20;
constexpr std::int64_t kWsExLayered = 0x80000;
constexpr std::int64_t kLwaAlpha = 2;
constexpr std::int64_t kAlpha = 144;
// The parent that makes a window top-level again.
constexpr std::int64_t kDesktopParent = 0x10014;
constexpr char kProgman[] = "progman";

std::int64_t text_word(const char* text) {
    return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(text));
}

void set_parent(std::int64_t parent) {
    external_routines().call(kSetParent, {cw::handle(), parent});
}

}  // namespace

bool apply_embed_desktop(bool on) {
    if (on) {
        ExternalRoutineTable& routines = external_routines();
        std::int64_t view = routines.call(kFindWindow, {text_word(kProgman), 0});
        view = routines.call(kGetWindow, {view, kGwChild});
        set_parent(view);
        cw::kWindow.set_flag(cw::kFreeMove, false);
        cw::set_checked(ui::clock::置于顶层, false);
        StoreFile(stored(ui::clock::置于顶层).file).clear();
    } else {
        set_parent(kDesktopParent);
        cw::kWindow.set_flag(cw::kFreeMove, true);
    }
    cw::kWindow.set_flag(cw::kAlwaysOnTop, false);
    cw::kWindow.set_flag(cw::kVisible, true);
    return true;
}

bool apply_keep_on_top(bool on) {
    if (on) {
        // Checked first so that the embed toggle takes its releasing branch,
        // whether or not the clock was embedded.
        cw::set_checked(ui::clock::嵌入桌面, true);
        choose(stored(ui::clock::嵌入桌面));
    }
    cw::kWindow.set_flag(cw::kAlwaysOnTop, on);
    cw::kWindow.set_flag(cw::kVisible, true);
    return true;
}

bool apply_mouse_through(bool on) {
    ExternalRoutineTable& routines = external_routines();
    const std::int64_t window = cw::handle();
    set_parent(kDesktopParent);
    if (on) {
        const std::int64_t style = routines.call(kGetWindowLong, {window, kGwlExStyle});
        routines.call(kSetWindowLong,
                      {window, kGwlExStyle, style | 0 | kWsExTransparent | kWsExLayered});
        routines.call(kSetLayered, {window, 0, kAlpha, kLwaAlpha});
    } else {
        // Every extended style bit goes, not only the two set above.
        routines.call(kSetWindowLong, {window, kGwlExStyle, 0});
    }
    if (cw::checked(ui::clock::置于顶层)) cw::kWindow.set_flag(cw::kAlwaysOnTop, true);
    if (cw::checked(ui::clock::嵌入桌面)) {
        // Unchecked first so that the embed toggle embeds the clock again.
        cw::set_checked(ui::clock::嵌入桌面, false);
        choose(stored(ui::clock::嵌入桌面));
    }
    return true;
}

}  // namespace vel::settings
