// Laying a form resource out as bytes. Lengths, counts and offsets are
// computed from the entries themselves; the placeholders and each unit's
// live-object slot are written as stored (0 in a compiled resource).
#include "forms/resource/byte_cursor.h"
#include "forms/resource/form_resource.h"
#include "forms/resource/property_blocks.h"

namespace vel {
namespace {

using resource_io::ByteWriter;

void write_unit_entry(const UnitEntry& u, ByteWriter& out) {
    out.u32(u.typeTag);
    out.u32(u.eventSource);
    for (auto w : u.headReserved) out.u32(w);
    out.zero_text(u.name);
    out.zero_text(u.remark);
    if (u.is_menu_item()) {
        out.u32(u.shortcut);
        out.u32(u.level);
        out.u32(u.menuFlags);
        out.zero_text(u.caption);
        out.i32(u.onClick);
        for (auto w : u.menuReserved) out.u32(w);
    } else {
        out.u32(u.liveObject);
        for (auto v : {u.left, u.top, u.width, u.height}) out.i32(v);
        out.u32(u.reserved1);
        out.u32(u.container);
        out.i32(static_cast<std::int32_t>(u.children.size()));
        for (auto c : u.children) out.u32(c);
        out.counted(u.pointer);
        out.zero_text(u.tag);
        out.u32(u.reserved2);
        out.u32(u.unitFlags);
        out.u32(u.tabOrder);
        out.i32(static_cast<std::int32_t>(u.bindings.size()));
        for (const auto& b : u.bindings) {
            out.i32(b.eventNumber);
            out.i32(b.handler);
        }
        for (auto w : u.reserved3) out.u32(w);
        resource_io::write_property_block(u.properties, out);
    }
    out.raw(u.tail);
}

void write_window_entry(const WindowEntry& w, ByteWriter& out) {
    out.u32(w.word1);
    out.u32(w.word2);
    out.counted(w.text1);
    out.counted(w.text2);

    ByteWriter entries;
    std::vector<std::uint32_t> offsets;
    for (const auto& u : w.units) {
        offsets.push_back(static_cast<std::uint32_t>(entries.size()));
        ByteWriter one;
        write_unit_entry(u, one);
        entries.u32(static_cast<std::uint32_t>(one.size()));
        entries.raw(one.bytes());
    }
    const std::size_t count = w.units.size();
    out.i32(static_cast<std::int32_t>(count));
    out.i32(static_cast<std::int32_t>(8 * count + entries.size()));
    for (const auto& u : w.units) out.u32(u.id);
    for (auto off : offsets) out.u32(off);
    out.raw(entries.bytes());
}

}  // namespace

ResourceBytes write_form_resource(const FormResource& form) {
    ByteWriter out;
    const std::size_t count = form.windows.size();
    out.i32(static_cast<std::int32_t>(8 * count));
    for (const auto& w : form.windows) out.u32(w.id);
    for (std::size_t i = 0; i < count; ++i) out.u32(0);
    for (const auto& w : form.windows) write_window_entry(w, out);
    return std::move(out.bytes());
}

}  // namespace vel
