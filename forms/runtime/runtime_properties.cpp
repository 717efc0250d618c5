// Numbered properties: the menu item's four, the common 0-7 and the type's own.
#include <algorithm>
#include <array>

#include "forms/runtime/form_runtime.h"
#include "forms/runtime/property_numbers.h"
#include "forms/runtime/runtime_texts.h"
#include "forms/runtime/unit_type_info.h"
#include "library/blocks.h"
#include "library/runtime_errors.h"

namespace vel {
namespace {

constexpr int kPositionLimit = 32627;

Value int_value(std::int64_t v, TypeTag tag = TAG_INT) {
    return {static_cast<std::uint32_t>(static_cast<std::int32_t>(v)), tag};
}
Value logical_value(bool v) {
    return {v ? 1u : 0u, TAG_LOGICAL};
}
Value text_value(std::string_view text) {
    return {reinterpret_cast<std::uintptr_t>(make_text(text)), TAG_TEXT};
}
Value bytes_value(std::string_view bytes) {
    auto span = std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return {reinterpret_cast<std::uintptr_t>(make_byteset(span)), TAG_BYTESET};
}

Value convert(const RawValue& raw, int kind) {
    switch (kind_tag(kind)) {
        case TAG_TEXT:
            return text_value(raw.bytes);
        case TAG_BYTESET:
            return bytes_value(raw.bytes);
        case TAG_LOGICAL:
            return logical_value(raw.number != 0);
        default:
            return int_value(raw.number);
    }
}

std::int32_t payload_int(const Value& v) {
    return static_cast<std::int32_t>(v.payload & 0xFFFFFFFFu);
}

std::string payload_text(const Value& v) {
    const char* t = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(v.payload));
    return t ? std::string(t) : std::string();
}

std::string payload_bytes(const Value& v) {
    auto* b = reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(v.payload));
    auto span = byteset_span(b);
    return std::string(span.begin(), span.end());
}

RawValue to_raw(const Value& v, int kind) {
    switch (kind_tag(kind)) {
        case TAG_TEXT:
            return {0, payload_text(v)};
        case TAG_BYTESET:
            return {0, payload_bytes(v)};
        case TAG_LOGICAL:
            return {payload_int(v) != 0 ? 1 : 0, {}};
        default:
            return {payload_int(v), {}};
    }
}

void set_bit(std::uint32_t& flags, std::uint32_t bit, bool on) {
    flags = on ? (flags | bit) : (flags & ~bit);
}

}  // namespace

Value FormRuntime::get_property(WindowId id, UnitId unit, int number, int) {
    LiveWindow* w = live(id);
    if (!w) fatal_runtime_error(0, runtime_text::kWindowOfUnitNotLoaded);
    int index = find_unit(w->entry, unit);
    if (index < 0) fatal_runtime_error(0, runtime_text::kUnitMissing);
    const UnitEntry& e = w->entry.units[static_cast<std::size_t>(index)];
    if (e.is_menu_item()) {
        switch (number) {
            case prop::kMenuCaption:
                return text_value(e.caption);
            case prop::kMenuChecked:
                return logical_value(e.menuFlags & kMenuChecked);
            case prop::kMenuDisabled:
                return logical_value(e.menuFlags & kMenuDisabled);
            case prop::kMenuVisible:
                return logical_value(!(e.menuFlags & kMenuHidden));
            default:
                return {};
        }
    }
    LiveUnit* u = w->units[static_cast<std::size_t>(index)].get();
    plat::Widget* widget = u ? u->widget() : nullptr;
    if (number < prop::kFirstOwn) {
        plat::Rect r =
            widget ? plat::geometry(widget) : plat::Rect{e.left, e.top, e.width, e.height};
        switch (number) {
            case prop::kLeft:
                return int_value(r.left);
            case prop::kTop:
                return int_value(r.top);
            case prop::kWidth:
                return int_value(r.width);
            case prop::kHeight:
                return int_value(r.height);
            case prop::kTag:
                return text_value(e.tag);
            case prop::kVisible:
                return logical_value(widget ? plat::is_visible(widget)
                                            : (e.unitFlags & kUnitVisible));
            case prop::kDisabled:
                return logical_value(widget ? !plat::is_enabled(widget)
                                            : (e.unitFlags & kUnitDisabled));
            case prop::kPointer:
                return bytes_value(std::string_view(reinterpret_cast<const char*>(e.pointer.data()),
                                                    e.pointer.size()));
            default:
                return {};
        }
    }
    if (!u) fatal_runtime_error(0, runtime_text::kWindowNotLoaded);
    const int kind = property_kind(e.typeTag, number);
    if (kind == 0) return {};
    return convert(u->get(number), kind);
}

void FormRuntime::set_property(WindowId id, UnitId unit, int number, int, Value value, int) {
    LiveWindow* w = live(id);
    if (!w) fatal_runtime_error(0, runtime_text::kWindowOfUnitNotLoaded);
    int index = find_unit(w->entry, unit);
    if (index < 0) fatal_runtime_error(0, runtime_text::kUnitMissing);
    UnitEntry& e = w->entry.units[static_cast<std::size_t>(index)];
    if (e.is_menu_item()) {
        switch (number) {
            case prop::kMenuCaption:
                e.caption = payload_text(value);
                break;
            case prop::kMenuChecked:
                set_bit(e.menuFlags, kMenuChecked, payload_int(value) != 0);
                break;
            case prop::kMenuDisabled:
                set_bit(e.menuFlags, kMenuDisabled, payload_int(value) != 0);
                break;
            case prop::kMenuVisible:
                set_bit(e.menuFlags, kMenuHidden, payload_int(value) == 0);
                break;
            default:
                break;
        }
        return;  // menus are built afresh whenever they are shown
    }
    LiveUnit* u = w->units[static_cast<std::size_t>(index)].get();
    plat::Widget* widget = u ? u->widget() : nullptr;
    if (number < prop::kFirstOwn) {
        const int v = payload_int(value);
        switch (number) {
            case prop::kLeft:
            case prop::kTop:
            case prop::kWidth:
            case prop::kHeight: {
                // A place may be negative, a size not; the other three stay.
                const int low = number >= prop::kWidth ? 0 : -kPositionLimit;
                const int clamped = std::clamp(v, low, kPositionLimit);
                const auto side = static_cast<std::size_t>(number);
                *std::array{&e.left, &e.top, &e.width, &e.height}[side] = clamped;
                if (widget) {
                    plat::Rect r = plat::geometry(widget);
                    *std::array{&r.left, &r.top, &r.width, &r.height}[side] = clamped;
                    plat::set_geometry(widget, r);
                }
                break;
            }
            case prop::kTag:
                e.tag = payload_text(value);
                break;
            case prop::kVisible:
                set_bit(e.unitFlags, kUnitVisible, v != 0);
                if (widget) plat::set_visible(widget, v != 0);
                break;
            case prop::kDisabled:
                set_bit(e.unitFlags, kUnitDisabled, v != 0);
                if (widget) plat::set_enabled(widget, v == 0);
                break;
            case prop::kPointer: {
                std::string bytes = payload_bytes(value);
                e.pointer.assign(bytes.begin(), bytes.end());
                if (widget) plat::set_system_cursor(widget, static_cast<int>(e.system_cursor()));
                break;
            }
            default:
                break;
        }
        return;
    }
    if (!u) fatal_runtime_error(0, runtime_text::kWindowNotLoaded);
    const int kind = property_kind(e.typeTag, number);
    if (kind == 0) return;
    if (u->set(number, to_raw(value, kind))) rebuild_unit(id, static_cast<std::size_t>(index));
}

}  // namespace vel
