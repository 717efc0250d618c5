// Lookups in a read resource, and the logical-font record of font properties.
#include <algorithm>
#include <cstring>
#include <utility>

#include "forms/resource/byte_cursor.h"
#include "forms/resource/form_resource.h"

namespace vel {

HandlerRef UnitEntry::handler_for(std::int32_t event_number) const {
    for (const auto& b : bindings)
        if (b.eventNumber == event_number) return b.handler;
    return kNoHandler;
}

std::uint32_t UnitEntry::system_cursor() const {
    if (pointer.size() != 4) return 0;
    return std::uint32_t{pointer[0]} | std::uint32_t{pointer[1]} << 8 |
           std::uint32_t{pointer[2]} << 16 | std::uint32_t{pointer[3]} << 24;
}

const WindowEntry* find_window(const FormResource& form, WindowId id) {
    for (const auto& w : form.windows)
        if (w.id == id) return &w;
    return nullptr;
}

WindowEntry* find_window(FormResource& form, WindowId id) {
    return const_cast<WindowEntry*>(find_window(std::as_const(form), id));
}

const UnitEntry* unit_at(const WindowEntry& window, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= window.units.size()) return nullptr;
    return &window.units[static_cast<std::size_t>(index)];
}

UnitEntry* unit_at(WindowEntry& window, int index) {
    return const_cast<UnitEntry*>(unit_at(std::as_const(window), index));
}

int find_unit(const WindowEntry& window, UnitId id) {
    for (std::size_t i = 0; i < window.units.size(); ++i)
        if (window.units[i].id == id) return static_cast<int>(i);
    return -1;
}

int find_menu_item(const WindowEntry& window, std::string_view caption) {
    for (std::size_t i = 0; i < window.units.size(); ++i)
        if (window.units[i].is_menu_item() && window.units[i].caption == caption)
            return static_cast<int>(i);
    return -1;
}

std::optional<LogFont> decode_log_font(std::span<const std::uint8_t> record) {
    if (record.size() != kLogFontBytes) return std::nullopt;
    resource_io::ByteReader in(record);
    LogFont f;
    f.height = in.i32();
    f.width = in.i32();
    f.escapement = in.i32();
    f.orientation = in.i32();
    f.weight = in.i32();
    for (auto* b : {&f.italic, &f.underline, &f.strikeOut, &f.charSet, &f.outPrecision,
                    &f.clipPrecision, &f.quality, &f.pitchAndFamily})
        *b = in.bytes(1)[0];
    auto face = in.bytes(32);
    // A face name that fills all 32 bytes has no terminator: keep 31.
    auto end = std::find(face.begin(), face.begin() + 31, 0);
    f.faceName.assign(face.begin(), end);
    return f;
}

ResourceBytes encode_log_font(const LogFont& font) {
    resource_io::ByteWriter out;
    for (auto v : {font.height, font.width, font.escapement, font.orientation, font.weight})
        out.i32(v);
    for (auto b : {font.italic, font.underline, font.strikeOut, font.charSet, font.outPrecision,
                   font.clipPrecision, font.quality, font.pitchAndFamily})
        out.bytes().push_back(b);
    std::uint8_t face[32] = {};
    std::string_view name = font.faceName;
    name = name.substr(0, std::min<std::size_t>(name.find('\0'), 31));
    std::memcpy(face, name.data(), name.size());
    out.raw(face);
    return std::move(out.bytes());
}

}  // namespace vel
