// The tray icon: one QSystemTrayIcon per owning window. The icon is a child
// of the owner's QWidget, so it goes with the window even if nobody removes
// it first.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QSystemTrayIcon>
#include <map>

#include "platform/appearance.h"
#include "platform/qt/qt_internal.h"

namespace plat {
namespace {

struct TrayEntry {
    QPointer<QSystemTrayIcon> icon;
    TrayClick on_click;
    std::string tip;  // GBK, as given
};

// Never destroyed: windows may still be released while the process exits,
// and their tray entries go with them.
std::map<Widget*, TrayEntry>& trays() {
    static auto* table = new std::map<Widget*, TrayEntry>;
    return *table;
}

TrayEntry* entry_of(Widget* owner) {
    auto it = trays().find(owner);
    if (it == trays().end()) return nullptr;
    if (!it->second.icon) {  // its window went away
        trays().erase(it);
        return nullptr;
    }
    return &it->second;
}

void deliver(Widget* owner, int kind) {
    TrayEntry* e = entry_of(owner);
    if (!e || !e->on_click) return;
    // The handler may remove the icon: call a copy.
    TrayClick click = e->on_click;
    click(kind);
}

}  // namespace

namespace qt {
QImage icon_image(const PixelView& v, std::span<const std::uint8_t> alpha) {
    QImage img(v.width, v.height, QImage::Format_ARGB32);
    const bool has_alpha = alpha.size() == static_cast<std::size_t>(v.width) * v.height;
    for (int y = 0; y < v.height; ++y) {
        const std::uint32_t* in = v.pixels + static_cast<std::ptrdiff_t>(y) * v.stride;
        auto* out = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
        for (int x = 0; x < v.width; ++x) {
            std::uint32_t c = in[x] & 0xFFFFFFu;
            if (v.layout == PixelLayout::kXBGR)
                c = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
            const std::uint32_t a =
                has_alpha ? alpha[static_cast<std::size_t>(y) * v.width + x] : 255u;
            out[x] = (a << 24) | c;
        }
    }
    return img;
}

QIcon icon_of(std::span<const IconImage> sizes) {
    QIcon icon;
    for (const IconImage& size : sizes) {
        const PixelView& v = size.image;
        if (v.pixels && v.width > 0 && v.height > 0)
            icon.addPixmap(QPixmap::fromImage(icon_image(v, size.alpha)));
    }
    return icon;
}
}  // namespace qt

// Here rather than beside the one-size form: it builds its icon as the tray's.
bool set_window_icon(Widget* w, std::span<const IconImage> sizes) {
    QWidget* q = qt::qwidget(w);
    const QIcon icon = qt::icon_of(sizes);
    if (!q || icon.isNull()) return false;
    q->setWindowIcon(icon);
    return true;
}

bool set_tray_icon(Widget* owner, std::span<const IconImage> sizes, std::string_view tip,
                   TrayClick on_click) {
    QWidget* q = qt::qwidget(owner);
    const QIcon icon = qt::icon_of(sizes);
    if (!q || icon.isNull()) return false;
    TrayEntry* e = entry_of(owner);
    if (!e) {
        TrayEntry fresh;
        fresh.icon = new QSystemTrayIcon(q);
        QObject::connect(fresh.icon, &QSystemTrayIcon::activated, fresh.icon,
                         [owner](QSystemTrayIcon::ActivationReason reason) {
                             switch (reason) {
                                 case QSystemTrayIcon::Trigger:
                                     deliver(owner, 1);
                                     break;
                                 case QSystemTrayIcon::DoubleClick:
                                     deliver(owner, 2);
                                     break;
                                 case QSystemTrayIcon::Context:
                                     deliver(owner, 3);
                                     break;
                                 default:
                                     break;  // other buttons are not reported
                             }
                         });
        e = &(trays()[owner] = std::move(fresh));
    }
    e->on_click = std::move(on_click);
    e->tip = std::string(tip);
    e->icon->setIcon(icon);
    e->icon->setToolTip(qt::from_gbk(tip));
    e->icon->show();
    return true;
}

void remove_tray_icon(Widget* owner) {
    auto it = trays().find(owner);
    if (it == trays().end()) return;
    QPointer<QSystemTrayIcon> icon = it->second.icon;
    trays().erase(it);
    if (icon) {
        icon->hide();
        delete icon.data();
    }
}

bool tray_available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool has_tray_icon(Widget* owner) {
    return entry_of(owner) != nullptr;
}

std::string tray_tip(Widget* owner) {
    const TrayEntry* e = entry_of(owner);
    return e ? e->tip : std::string();
}

std::vector<Size> tray_icon_sizes(Widget* owner) {
    std::vector<Size> sizes;
    if (const TrayEntry* e = entry_of(owner))
        for (const QSize& s : e->icon->icon().availableSizes())
            sizes.push_back({s.width(), s.height()});
    return sizes;
}

void send_tray_click(Widget* owner, int kind) {
    deliver(owner, kind);
}

}  // namespace plat
