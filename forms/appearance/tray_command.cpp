#include "forms/appearance/tray_command.h"

#include <optional>
#include <string>

#include "forms/pictures/picture_table.h"
#include "forms/runtime/event_record.h"
#include "forms/runtime/form_runtime.h"
#include "forms/runtime/runtime_texts.h"
#include "library/blocks.h"
#include "library/runtime_errors.h"
#include "platform/appearance.h"

namespace vel {
namespace {

std::optional<Picture> icon_from_bytes(std::span<const std::uint8_t> bytes, int size) {
    const PictureKind kind = sniff_picture(bytes);
    if (kind != PictureKind::icon && kind != PictureKind::cursor) return std::nullopt;
    DecodeResult r = decode_icon(bytes, size);
    if (!r || r.picture->image.empty()) return std::nullopt;
    return std::move(r.picture);
}

// The icon an argument stands for, in the file's entries nearest the tray's
// size and twice that (for high-density screens; one when they are the same
// entry): none for an empty or unusable one.
std::vector<Picture> icon_argument(int count, const ArgRecord* args) {
    if (count < 2) return {};
    const ArgRecord& a = args[1];
    if (a.tag == TAG_BYTESET) return icon_sizes(byteset_span(a.as_ptr<const std::uint8_t>()));
    if (a.tag != TAG_TEXT || !*a.as_text()) return {};
    // The file goes through the picture loader; only its icon is kept.
    const int number = load_picture_file(a.as_text());
    std::vector<Picture> icon;
    if (const Picture* p = picture_table().find(number);
        p && (p->kind == PictureKind::icon || p->kind == PictureKind::cursor))
        icon.push_back(*p);
    picture_table().remove(number);
    return icon;
}

}  // namespace

std::vector<Picture> icon_sizes(std::span<const std::uint8_t> bytes, int size) {
    std::vector<Picture> sizes;
    for (const int wanted : {size, 2 * size}) {
        std::optional<Picture> p = icon_from_bytes(bytes, wanted);
        if (p && (sizes.empty() || p->width() != sizes.front().width()))
            sizes.push_back(std::move(*p));
    }
    return sizes;
}

std::vector<plat::IconImage> icon_images(const std::vector<Picture>& sizes) {
    std::vector<plat::IconImage> images;
    for (const Picture& p : sizes)
        images.push_back(
            {{p.image.data(), p.width(), p.height(), p.width(), plat::PixelLayout::kXRGB},
             p.alpha});
    return images;
}

void cmd_set_tray_icon(ResultRecord*, int count, const ArgRecord* args) {
    if (count < 1) fatal_runtime_error(0, runtime_text::kUnitMissing);
    FormRuntime& rt = FormRuntime::instance();
    const WindowId window = args[0].lo;
    rt.require_unit(window, args[0].hi);
    plat::Widget* w = rt.window_widget(window);
    if (!w) return;
    const std::vector<Picture> icon = icon_argument(count, args);
    if (icon.empty()) {
        plat::remove_tray_icon(w);
        return;
    }
    std::string tip = count >= 3 && args[2].tag == TAG_TEXT ? args[2].as_text() : "";
    if (tip.size() > static_cast<std::size_t>(kTrayTipBytes)) tip.resize(kTrayTipBytes);
    // Clicks reach the window unit while the window exists.
    const UnitId unit = args[0].hi;
    plat::set_tray_icon(w, icon_images(icon), tip, [window, unit](int kind) {
        FormRuntime& runtime = FormRuntime::instance();
        if (!runtime.unit_entry(window, unit)) return;
        EventRecord r;
        r.window = window;
        r.unit = unit;
        r.event = kEvTray;
        r.arg_count = 1;
        r.args[0] = kind;
        runtime.raise_event(r);
    });
}

bool tray_available() {
    return plat::tray_available();
}

}  // namespace vel
