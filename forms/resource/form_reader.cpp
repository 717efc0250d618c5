// Reading a form resource from its bytes. Every length is checked against
// what is left of its block before anything is read or reserved, so a
// damaged resource gives an error result, never a read past the end.
#include "forms/resource/byte_cursor.h"
#include "forms/resource/form_resource.h"
#include "forms/resource/property_blocks.h"

namespace vel {
namespace {

using resource_io::ByteReader;

template <std::size_t N>
void read_words(std::array<std::uint32_t, N>& words, ByteReader& in) {
    for (auto& w : words) w = in.u32();
}

// A count of `unit`-byte records that must fit in what is left.
std::size_t read_count(ByteReader& in, std::size_t unit) {
    std::int32_t n = in.i32();
    if (in.failed()) return 0;
    if (n < 0 || static_cast<std::size_t>(n) > in.remaining() / unit) {
        in.fail("count runs past the end of its block");
        return 0;
    }
    return static_cast<std::size_t>(n);
}

void read_menu_part(UnitEntry& u, ByteReader& in) {
    u.shortcut = in.u32();
    u.level = in.u32();
    u.menuFlags = in.u32();
    u.caption = in.zero_text();
    u.onClick = in.i32();
    read_words(u.menuReserved, in);
}

void read_placed_part(UnitEntry& u, ByteReader& in) {
    u.liveObject = in.u32();
    u.left = in.i32();
    u.top = in.i32();
    u.width = in.i32();
    u.height = in.i32();
    u.reserved1 = in.u32();
    u.container = in.u32();
    std::size_t children = read_count(in, 4);
    u.children.reserve(children);
    for (std::size_t i = 0; i < children; ++i) u.children.push_back(in.u32());
    u.pointer = in.counted_block();
    u.tag = in.zero_text();
    u.reserved2 = in.u32();
    u.unitFlags = in.u32();
    u.tabOrder = in.u32();
    std::size_t events = read_count(in, 8);
    u.bindings.reserve(events);
    for (std::size_t i = 0; i < events; ++i) {
        EventBinding b;
        b.eventNumber = in.i32();
        b.handler = in.i32();
        u.bindings.push_back(b);
    }
    read_words(u.reserved3, in);
    if (!in.failed()) u.properties = resource_io::read_property_block(u.typeTag, in);
}

void read_unit_entry(UnitEntry& u, ByteReader& in) {
    u.typeTag = in.u32();
    u.eventSource = in.u32();
    read_words(u.headReserved, in);
    u.name = in.zero_text();
    u.remark = in.zero_text();
    if (u.is_menu_item())
        read_menu_part(u, in);
    else
        read_placed_part(u, in);
    if (in.failed()) return;
    auto rest = in.bytes(in.remaining());
    u.tail.assign(rest.begin(), rest.end());
}

// The unit table: U identifiers, U offsets, then the length-prefixed entries.
void read_unit_table(WindowEntry& w, std::size_t count, ByteReader& table) {
    std::vector<std::uint32_t> offsets(count);
    w.units.resize(count);
    for (auto& u : w.units) u.id = table.u32();
    for (auto& off : offsets) off = table.u32();
    if (table.failed()) return;
    auto area = table.bytes(table.remaining());
    const std::size_t area_at = table.absolute() - area.size();
    for (std::size_t k = 0; k < count; ++k) {
        std::size_t off = offsets[k];
        if (off > area.size() || area.size() - off < 4) {
            table.fail("unit offset runs past the end of the unit table",
                       area_at - 4 * (count - k));
            return;
        }
        ByteReader length_in(area.subspan(off, 4));
        std::size_t length = length_in.u32();
        if (length > area.size() - off - 4) {
            table.fail("unit entry runs past the end of the unit table", area_at + off);
            return;
        }
        ByteReader entry(area.subspan(off + 4, length), area_at + off + 4);
        read_unit_entry(w.units[k], entry);
        if (entry.failed()) {
            table.fail(entry.reason(), entry.fail_offset());
            return;
        }
    }
}

bool read_window_entry(WindowEntry& w, ByteReader& in, std::string& error, std::size_t& at) {
    w.word1 = in.u32();
    w.word2 = in.u32();
    w.text1 = in.counted_text();
    w.text2 = in.counted_text();
    std::int32_t unit_count = in.i32();
    std::int32_t table_bytes = in.i32();
    if (in.failed()) return false;
    if (unit_count < 1 || table_bytes < 0) {
        in.fail("bad unit count");
        return false;
    }
    const std::size_t table_at = in.absolute();
    auto table_span = in.bytes(static_cast<std::size_t>(table_bytes));
    if (in.failed()) return false;
    if (static_cast<std::size_t>(unit_count) > table_span.size() / 8) {
        in.fail("unit table runs past its end");
        return false;
    }
    ByteReader table(table_span, table_at);
    read_unit_table(w, static_cast<std::size_t>(unit_count), table);
    if (table.failed()) {
        error = table.reason();
        at = table.fail_offset();
        return false;
    }
    const UnitEntry& first = w.units.front();
    if (first.is_menu_item() || first.typeTag != TAG_UNIT_WINDOW) {
        error = "first unit is not the window unit";
        at = table_at;
        return false;
    }
    return true;
}

FormReadResult failure(std::string reason, std::size_t at) {
    FormReadResult r;
    r.error = std::move(reason);
    r.errorOffset = at;
    return r;
}

}  // namespace

FormReadResult read_form_resource(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    std::int32_t table_bytes = in.i32();
    if (in.failed()) return failure(std::string(in.reason()), 0);
    if (table_bytes < 0 || table_bytes % 8 != 0) return failure("bad window table size", 0);
    if (static_cast<std::size_t>(table_bytes) > in.remaining())
        return failure("window table runs past its end", 0);
    const std::size_t count = static_cast<std::size_t>(table_bytes) / 8;

    FormResource form;
    form.windows.resize(count);
    for (auto& w : form.windows) w.id = in.u32();
    for (std::size_t i = 0; i < count; ++i) in.u32();  // the loader's own slots
    for (auto& w : form.windows) {
        std::string error;
        std::size_t at = 0;
        if (!read_window_entry(w, in, error, at)) {
            if (in.failed()) return failure(std::string(in.reason()), in.fail_offset());
            return failure(error, at);
        }
    }
    FormReadResult r;
    r.resource = std::move(form);
    return r;
}

}  // namespace vel
