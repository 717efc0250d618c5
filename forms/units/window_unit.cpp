// The window unit: a top-level window built from its property block.
#include <algorithm>

#include "forms/appearance/tray_command.h"
#include "forms/appearance/window_look.h"
#include "forms/pictures/picture.h"
#include "forms/runtime/property_numbers.h"
#include "forms/units/unit_factories.h"
#include "forms/units/widget_unit.h"
#include "platform/appearance.h"

namespace vel {
namespace {

// The window's own icon from icon file bytes; anything else leaves the
// window without one.
void show_icon(plat::Widget* w, std::string_view bytes) {
    const std::span data(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    const std::vector<Picture> sizes = icon_sizes(data);
    if (!sizes.empty()) plat::set_window_icon(w, icon_images(sizes));
}

class WindowUnit : public WidgetUnit {
public:
    WindowUnit(plat::Widget* w, const WindowProperties& p)
        : WidgetUnit(w),
          m_look(w, p.backColour, as_string(p.picture), static_cast<int>(p.pictureMode),
                 static_cast<int>(p.shape), p.alwaysOnTop != 0) {
        store(prop::kWindowTitle, p.title);
        store(prop::kWindowBorder, p.border);
        store(prop::kWindowBackColour, p.backColour);
        store(prop::kWindowPicture, as_string(p.picture));
        store(prop::kWindowPictureMode, p.pictureMode);
        store(prop::kWindowMusic, as_string(p.music));
        store(prop::kWindowMusicPlayCount, p.musicPlayCount);
        store(prop::kWindowControlBox, p.controlBox);
        store(prop::kWindowMaxButton, p.maxButton);
        store(prop::kWindowMinButton, p.minButton);
        store(prop::kWindowStartPosition, p.startPosition);
        store(prop::kWindowMovable, p.movable);
        store(prop::kWindowIcon, as_string(p.icon));
        store(prop::kWindowEnterMovesFocus, p.enterMovesFocus);
        store(prop::kWindowEscCloses, p.escCloses);
        store(prop::kWindowF1OpensHelp, p.f1OpensHelp);
        store(prop::kWindowHelpFile, p.helpFile);
        store(prop::kWindowHelpContext, p.helpContext);
        store(prop::kWindowShowInTaskbar, p.showInTaskbar);
        store(prop::kWindowFreeMove, p.freeMove);
        store(prop::kWindowShape, p.shape);
        store(prop::kWindowAlwaysOnTop, p.alwaysOnTop);
        store(prop::kWindowKeepTitleActive, p.keepTitleActive);
        store(prop::kWindowClassName, p.className);
        show_icon(w, as_string(p.icon));
    }
    // The tray entry goes with the window, after its destroyed event.
    ~WindowUnit() override { plat::remove_tray_icon(m_widget); }

    void resized() override { m_look.resized(); }
    const Background* background() const override { return &m_look.background(); }

    RawValue get(int property) override {
        if (property == prop::kWindowTitle) return RawValue{0, plat::text(m_widget)};
        return stored(property);
    }

    bool set(int property, const RawValue& v) override {
        store(property, v);
        switch (property) {
            case prop::kWindowTitle:
                plat::set_window_title(m_widget, v.bytes);
                break;
            case prop::kWindowBackColour:
                m_look.set_colour(static_cast<std::uint32_t>(v.number));
                break;
            case prop::kWindowPicture:
                m_look.set_picture(v.bytes);
                break;
            case prop::kWindowPictureMode:
                m_look.set_mode(static_cast<int>(v.number));
                break;
            case prop::kWindowShape:
                m_look.set_shape(static_cast<int>(v.number));
                break;
            case prop::kWindowAlwaysOnTop:
                m_look.set_on_top(v.number != 0);
                break;
            case prop::kWindowIcon:
                show_icon(m_widget, v.bytes);
                break;
            default:
                break;  // kept; appearance reads them back
        }
        return false;
    }

private:
    WindowLook m_look;
};

}  // namespace

std::unique_ptr<LiveUnit> create_window_unit(const UnitCreation& c) {
    const auto* p = std::get_if<WindowProperties>(&c.entry->properties);
    WindowProperties defaults;
    if (!p) p = &defaults;
    plat::WindowOptions o;
    // A frame with a caption bar needs a border and a title or control box.
    o.caption = p->border != 0 && (!p->title.empty() || p->controlBox != 0);
    o.resizable = p->border == 1 || p->border == 3 || p->border == 5;
    o.skip_taskbar = p->showInTaskbar == 0;
    o.stays_on_top = p->alwaysOnTop != 0;
    o.title = p->title;
    plat::Widget* w = plat::create_window(o);
    if (!w) return nullptr;
    const UnitEntry& e = *c.entry;
    plat::Rect r{e.left, e.top, std::max(0, e.width), std::max(0, e.height)};
    if (p->startPosition == 1) {
        plat::Size screen = plat::screen_size();
        r.left = (screen.width - r.width) / 2;
        r.top = (screen.height - r.height) / 2;
    }
    plat::set_geometry(w, r);
    plat::set_enabled(w, (e.unitFlags & kUnitDisabled) == 0);
    if (std::uint32_t cursor = e.system_cursor())
        plat::set_system_cursor(w, static_cast<int>(cursor));
    return std::make_unique<WindowUnit>(w, *p);
}

}  // namespace vel
