// The window unit: a top-level window built from its property block.
#include <algorithm>

#include "forms/appearance/window_look.h"
#include "forms/units/unit_factories.h"
#include "forms/units/widget_unit.h"
#include "platform/appearance.h"

namespace vel {
namespace {

// Type property indexes (the runtime's number minus 8).
enum : int {
    kTitle = 0,
    kBorder = 1,
    kBackColour = 2,
    kPicture = 3,
    kPictureMode = 4,
    kStartPosition = 10,
    kIcon = 12,
    kShowInTaskbar = 18,
    kFreeMove = 19,
    kShape = 20,
    kOnTop = 21,
};

class WindowUnit : public WidgetUnit {
public:
    WindowUnit(plat::Widget* w, const WindowProperties& p)
        : WidgetUnit(w),
          m_look(w, p.backColour, as_string(p.picture), static_cast<int>(p.pictureMode),
                 static_cast<int>(p.shape), p.alwaysOnTop != 0) {
        store(kTitle, p.title);
        store(kBorder, p.border);
        store(kBackColour, p.backColour);
        store(kPicture, as_string(p.picture));
        store(kPictureMode, p.pictureMode);
        store(5, as_string(p.music));
        store(6, p.musicPlayCount);
        store(7, p.controlBox);
        store(8, p.maxButton);
        store(9, p.minButton);
        store(kStartPosition, p.startPosition);
        store(11, p.movable);
        store(kIcon, as_string(p.icon));
        store(13, p.enterMovesFocus);
        store(14, p.escCloses);
        store(15, p.f1OpensHelp);
        store(16, p.helpFile);
        store(17, p.helpContext);
        store(kShowInTaskbar, p.showInTaskbar);
        store(kFreeMove, p.freeMove);
        store(kShape, p.shape);
        store(kOnTop, p.alwaysOnTop);
        store(22, p.keepTitleActive);
        store(23, p.className);
    }
    // The tray entry goes with the window, after its destroyed event.
    ~WindowUnit() override { plat::remove_tray_icon(m_widget); }

    void resized() override { m_look.resized(); }

    RawValue get(int property) override {
        if (property == kTitle) return RawValue{0, plat::text(m_widget)};
        return stored(property);
    }

    bool set(int property, const RawValue& v) override {
        store(property, v);
        switch (property) {
            case kTitle:
                plat::set_window_title(m_widget, v.bytes);
                break;
            case kBackColour:
                m_look.set_colour(static_cast<std::uint32_t>(v.number));
                break;
            case kPicture:
                m_look.set_picture(v.bytes);
                break;
            case kPictureMode:
                m_look.set_mode(static_cast<int>(v.number));
                break;
            case kShape:
                m_look.set_shape(static_cast<int>(v.number));
                break;
            case kOnTop:
                m_look.set_on_top(v.number != 0);
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
