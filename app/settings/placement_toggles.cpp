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
#include "app/settings/setting_values.h"
#include "app/settings/settings_file.h"
#include "app/settings/toggles.h"
#include "app/window/clock_window.h"
#include "library/call.h"
#include "resources/form_ids.h"

namespace vel {
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

void toggle_embed_desktop() {
    settings::StoreFile insert(settings::kInsertFile);
    if (!cw::checked(ui::clock::嵌入桌面)) {
        ExternalRoutineTable& routines = external_routines();
        std::int64_t view = routines.call(kFindWindow, {text_word(kProgman), 0});
        view = routines.call(kGetWindow, {view, kGwChild});
        set_parent(view);
        cw::set_checked(ui::clock::嵌入桌面, true);
        insert.set(settings::k嵌入桌面);
        cw::set_logical(cw::kFreeMove, false);
        cw::set_checked(ui::clock::置于顶层, false);
        settings::StoreFile(settings::kTopFile).clear();
    } else {
        set_parent(kDesktopParent);
        cw::set_logical(cw::kFreeMove, true);
        cw::set_checked(ui::clock::嵌入桌面, false);
        insert.clear();
    }
    cw::set_logical(cw::kAlwaysOnTop, false);
    cw::set_logical(cw::kVisible, true);
}

void toggle_keep_on_top() {
    settings::StoreFile top(settings::kTopFile);
    if (!cw::checked(ui::clock::置于顶层)) {
        // Checked first so that the embed toggle takes its releasing branch,
        // whether or not the clock was embedded.
        cw::set_checked(ui::clock::嵌入桌面, true);
        toggle_embed_desktop();
        cw::set_logical(cw::kAlwaysOnTop, true);
        cw::set_checked(ui::clock::置于顶层, true);
        top.set(settings::k置于顶层);
    } else {
        cw::set_logical(cw::kAlwaysOnTop, false);
        cw::set_checked(ui::clock::置于顶层, false);
        top.clear();
    }
    cw::set_logical(cw::kVisible, true);
}

void toggle_mouse_through() {
    settings::StoreFile mouse(settings::kMouseFile);
    ExternalRoutineTable& routines = external_routines();
    const std::int64_t window = cw::handle();
    set_parent(kDesktopParent);
    if (!cw::checked(ui::clock::鼠标穿透)) {
        const std::int64_t style = routines.call(kGetWindowLong, {window, kGwlExStyle});
        routines.call(kSetWindowLong,
                      {window, kGwlExStyle, style | 0 | kWsExTransparent | kWsExLayered});
        routines.call(kSetLayered, {window, 0, kAlpha, kLwaAlpha});
        cw::set_checked(ui::clock::鼠标穿透, true);
        mouse.set(settings::k鼠标穿透);
    } else {
        // Every extended style bit goes, not only the two set above.
        routines.call(kSetWindowLong, {window, kGwlExStyle, 0});
        cw::set_checked(ui::clock::鼠标穿透, false);
        mouse.clear();
    }
    if (cw::checked(ui::clock::置于顶层)) cw::set_logical(cw::kAlwaysOnTop, true);
    if (cw::checked(ui::clock::嵌入桌面)) {
        // Unchecked first so that the embed toggle embeds the clock again.
        cw::set_checked(ui::clock::嵌入桌面, false);
        toggle_embed_desktop();
    }
}

HandlerResult on_menu_keep_on_top(std::span<const std::int32_t>) {
    toggle_keep_on_top();
    return std::nullopt;
}

HandlerResult on_menu_mouse_through(std::span<const std::int32_t>) {
    toggle_mouse_through();
    return std::nullopt;
}

HandlerResult on_menu_embed_desktop(std::span<const std::int32_t>) {
    toggle_embed_desktop();
    return std::nullopt;
}

}  // namespace vel
