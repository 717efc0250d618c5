#include "tools/formc/description.h"

#include <cctype>
#include <map>
#include <set>

#include "app/handlers/handler_names.h"
#include "forms/resource/property_blocks.h"
#include "tools/formc/property_keys.h"

namespace formc {
namespace {

const std::map<std::string, vel::TypeTag, std::less<>> kUnitTypes = {
    {"window", vel::TAG_UNIT_WINDOW},       {"EditBox", vel::TAG_UNIT_EDITBOX},
    {"DrawPanel", vel::TAG_UNIT_DRAWPANEL}, {"Label", vel::TAG_UNIT_LABEL},
    {"Button", vel::TAG_UNIT_BUTTON},       {"ComboBox", vel::TAG_UNIT_COMBOBOX},
    {"ListBox", vel::TAG_UNIT_LISTBOX},     {"CommonDlg", vel::TAG_UNIT_COMMONDLG},
    {"Timer", vel::TAG_UNIT_TIMER}};

class Compiler {
public:
    Compiler(ValueContext& cx, vel::FormResource& out) : m_cx(cx), m_out(out) {}

    bool line(const Line& l) {
        const auto& t = l.tokens;
        const std::string& head = t[0].text;
        Args rest(t.data() + 1, t.size() - 1);
        if (l.indent == 0) {
            if (head != "window" || t.size() != 3) return fail("expected: window ID NAME");
            return finish_window() && begin_window(t[1], t[2]);
        }
        if (!m_window) return fail("unit outside a window");
        if (head == "menu") return menu(l, rest);
        if (l.indent == 2) {
            if (head == "unit") return unit(rest);
            if (!m_window->units.empty()) return fail("window words go before the units");
            return window_word(head, rest);
        }
        if (l.indent == 4 && m_unit && !m_unit->is_menu_item()) return attribute(head, rest);
        return fail("unexpected indentation");
    }

    bool finish() { return finish_window() && check_identifiers(); }
    const std::string& error() const { return m_cx.error; }
    std::vector<WindowIds>& ids() { return m_ids; }

private:
    bool fail(std::string why) {
        m_cx.error = std::move(why);
        return false;
    }

    std::optional<std::uint32_t> id(const Token& t) { return to_u32(t, m_cx); }

    bool begin_window(const Token& t, const Token& name) {
        auto wid = id(t);
        if (!wid) return false;
        if (!vel::is_window_id(*wid) || !vel::id_valid(*wid)) return fail("not a window id");
        if (name.kind != Token::word || !is_identifier(name.text))
            return fail("a window's name must be an identifier");
        for (const WindowIds& w : m_ids)
            if (w.name == name.text) return fail("duplicate window name '" + name.text + "'");
        m_window = &m_out.windows.emplace_back();
        m_window->id = *wid;
        m_unit = nullptr;
        m_ids.push_back({name.text, *wid, 0, {}, {}});
        m_names = {"kWindow", "kWindowUnit"};
        return true;
    }

    // ASCII letters, digits and '_' (no digit first); any other character
    // of UTF-8, such as the Chinese of unit names, passes to the compiler.
    static bool is_identifier(std::string_view s) {
        if (s.empty() || (s[0] >= '0' && s[0] <= '9')) return false;
        for (char c : s)
            if (static_cast<unsigned char>(c) < 0x80 &&
                !std::isalnum(static_cast<unsigned char>(c)) && c != '_')
                return false;
        return true;
    }

    bool add_name(const std::string& name, std::uint32_t uid) {
        if (!is_identifier(name)) return fail("'" + name + "' cannot name an id");
        if (!m_names.insert(name).second) return fail("duplicate name '" + name + "'");
        m_ids.back().units.emplace_back(name, uid);
        return true;
    }

    // The open `list NAME` takes the sub-items one level below its heading
    // (uid 0: a separator, which it skips).
    void join_list(std::uint32_t level, std::uint32_t uid) {
        if (m_list && level <= m_list_level) m_list = nullptr;
        if (m_list && level == m_list_level + 1 && uid != 0) m_list->push_back(uid);
    }

    std::vector<std::uint32_t>* open_list(const std::string& name) {
        auto& lists = m_ids.back().lists;
        for (auto& [n, items] : lists)
            if (n == name) return &items;
        if (!is_identifier(name) || !m_names.insert(name).second) {
            fail("'" + name + "' cannot name a list");
            return nullptr;
        }
        return &lists.emplace_back(name, std::vector<std::uint32_t>{}).second;
    }

    bool window_word(const std::string& key, Args a) {
        if (a.size() != 1) return fail("expected one value");
        if (key == "word1" || key == "word2") {
            auto v = to_u32(a[0], m_cx);
            if (!v) return false;
            (key == "word1" ? m_window->word1 : m_window->word2) = *v;
            return true;
        }
        if (key == "text1" || key == "text2") {
            auto v = to_text(a[0], m_cx);
            if (!v) return false;
            (key == "text1" ? m_window->text1 : m_window->text2) = *v;
            return true;
        }
        return fail("unknown window word '" + key + "'");
    }

    // unit ID TYPE ["name"]
    bool unit(Args a) {
        if (a.size() < 2 || a.size() > 3) return fail("expected: unit ID TYPE [\"name\"]");
        auto uid = id(a[0]);
        if (!uid) return false;
        auto type = kUnitTypes.find(a[1].text);
        if (a[1].kind != Token::word || type == kUnitTypes.end())
            return fail("unknown unit type '" + a[1].text + "'");
        bool first = m_window->units.empty();
        bool is_window = type->second == vel::TAG_UNIT_WINDOW;
        if (first != is_window)
            return fail("a window's first unit, and only that, is its window unit");
        if (!vel::id_valid(*uid) ||
            !(is_window ? vel::is_window_unit_id(*uid) : vel::is_control_id(*uid)))
            return fail("id does not fit the unit's kind");
        m_list = nullptr;
        m_unit = &m_window->units.emplace_back();
        m_unit->id = *uid;
        m_unit->typeTag = type->second;
        if (is_window) m_ids.back().window_unit = *uid;
        if (a.size() == 3 && !add_name(a[2].text, *uid)) return false;
        m_unit->properties = vel::resource_io::default_property_block(type->second);
        if (a.size() == 3) {
            auto name = to_text(a[2], m_cx);
            if (!name) return false;
            m_unit->name = *name;
        }
        return true;
    }

    // menu ID "caption" [on HANDLER] [hidden] [disabled] [checked]
    bool menu(const Line& l, Args a) {
        if (l.indent < 2 || l.indent % 2 != 0) return fail("menu indentation must be even");
        if (a.size() < 2) return fail("expected: menu ID \"caption\" ...");
        auto uid = id(a[0]);
        if (!uid) return false;
        if (!vel::id_valid(*uid) || !vel::is_menu_item_id(*uid)) return fail("not a menu item id");
        if (m_window->units.empty()) return fail("menu items go after the window unit");
        auto caption = to_text(a[1], m_cx);
        if (!caption) return false;
        std::uint32_t level = static_cast<std::uint32_t>((l.indent - 2) / 2);
        if (level > m_last_menu_level + 1 || (!m_had_menu && level != 0))
            return fail("menu item skips a level");
        const bool separator = a[1].text == "-";
        if (!separator && !add_name(a[1].text, *uid)) return false;
        join_list(level, separator ? 0 : *uid);
        m_unit = &m_window->units.emplace_back();
        m_unit->id = *uid;
        m_unit->typeTag = vel::TAG_UNIT_MENU;
        m_unit->level = level;
        m_unit->caption = *caption;
        for (std::size_t i = 2; i < a.size(); ++i) {
            const std::string& w = a[i].text;
            if (w == "hidden")
                m_unit->menuFlags |= vel::kMenuHidden;
            else if (w == "disabled")
                m_unit->menuFlags |= vel::kMenuDisabled;
            else if (w == "checked")
                m_unit->menuFlags |= vel::kMenuChecked;
            else if (w == "list" && i + 1 < a.size()) {
                m_list = open_list(a[++i].text);
                if (!m_list) return false;
                m_list_level = level;
            } else if (w == "on" && i + 1 < a.size()) {
                auto h = handler(a[++i]);
                if (!h) return false;
                m_unit->onClick = *h;
            } else
                return fail("unknown menu word '" + w + "'");
        }
        if (*caption == "-" && m_unit->onClick != vel::kNoHandler)
            return fail("a separator has no handler");
        m_had_menu = true;
        m_last_menu_level = level;
        return true;
    }

    std::optional<vel::HandlerRef> handler(const Token& t) {
        int index = vel::handler_index(t.text);
        if (t.kind != Token::word || index < 0) {
            fail("unknown handler '" + t.text + "' (see resources/forms/handlers.def)");
            return std::nullopt;
        }
        return index;
    }

    bool attribute(const std::string& key, Args a) {
        vel::UnitEntry& u = *m_unit;
        if (key == "geometry") {
            if (a.size() != 4) return fail("expected: geometry LEFT TOP WIDTH HEIGHT");
            std::int32_t* fields[] = {&u.left, &u.top, &u.width, &u.height};
            for (int i = 0; i < 4; ++i) {
                auto v = to_i32(a[static_cast<std::size_t>(i)], m_cx);
                if (!v) return false;
                *fields[i] = *v;
            }
            return true;
        }
        if (key == "flags") {
            for (const auto& w : a) {
                if (w.text == "visible")
                    u.unitFlags |= vel::kUnitVisible;
                else if (w.text == "disabled")
                    u.unitFlags |= vel::kUnitDisabled;
                else if (w.text == "tabstop")
                    u.unitFlags |= vel::kUnitTabStop;
                else
                    return fail("unknown flag '" + w.text + "'");
            }
            return true;
        }
        if (key == "event") {
            if (a.size() != 2) return fail("expected: event NUMBER HANDLER");
            auto number = to_i32(a[0], m_cx);
            auto h = number ? handler(a[1]) : std::nullopt;
            if (!h) return false;
            u.bindings.push_back({*number, *h});
            return true;
        }
        if (key == "pointer") {
            if (a.size() == 1 && a[0].kind == Token::number) {
                auto v = to_u32(a[0], m_cx);
                if (!v) return false;
                u.pointer = {static_cast<std::uint8_t>(*v), static_cast<std::uint8_t>(*v >> 8),
                             static_cast<std::uint8_t>(*v >> 16),
                             static_cast<std::uint8_t>(*v >> 24)};
                return true;
            }
            auto b = to_block(a, m_cx);
            if (b) u.pointer = std::move(*b);
            return b.has_value();
        }
        if (a.size() == 1 && (key == "tab" || key == "container" || key == "eventSource")) {
            auto v = to_u32(a[0], m_cx);
            if (!v) return false;
            (key == "tab" ? u.tabOrder : key == "container" ? u.container : u.eventSource) = *v;
            return true;
        }
        if (a.size() == 1 && (key == "tag" || key == "remark")) {
            auto v = to_text(a[0], m_cx);
            if (!v) return false;
            (key == "tag" ? u.tag : u.remark) = *v;
            return true;
        }
        return set_property_key(u.properties, key, a, m_cx);
    }

    // Children lists follow from the containers; references must name units
    // of the same window.
    bool finish_window() {
        if (!m_window) return true;
        if (m_window->units.empty()) return fail("window has no window unit");
        for (auto& u : m_window->units) {
            // The window unit owns every other unit: placed inside one of
            // them, it would be destroyed twice with its window.
            if (vel::is_window_unit_id(u.id) && u.container != 0)
                return fail("a window unit cannot have a container");
            for (vel::UnitId ref : {u.container, u.eventSource}) {
                if (ref == 0) continue;
                int k = vel::find_unit(*m_window, ref);
                if (k < 0 || m_window->units[static_cast<std::size_t>(k)].is_menu_item())
                    return fail("unit refers to a unit that is not in its window");
            }
            if (u.container != 0) {
                int k = vel::find_unit(*m_window, u.container);
                m_window->units[static_cast<std::size_t>(k)].children.push_back(u.id);
            }
        }
        m_had_menu = false;
        m_last_menu_level = 0;
        m_list = nullptr;
        return true;
    }

    bool check_identifiers() {
        std::set<std::uint32_t> serials;
        for (const auto& w : m_out.windows) {
            if (!serials.insert(vel::id_serial(w.id)).second)
                return fail("duplicate serial number");
            for (const auto& u : w.units)
                if (!serials.insert(vel::id_serial(u.id)).second)
                    return fail("duplicate serial number in unit " + std::to_string(u.id));
        }
        return true;
    }

    ValueContext& m_cx;
    vel::FormResource& m_out;
    vel::WindowEntry* m_window = nullptr;
    vel::UnitEntry* m_unit = nullptr;
    bool m_had_menu = false;
    std::uint32_t m_last_menu_level = 0;
    std::vector<WindowIds> m_ids;
    std::set<std::string> m_names;  // taken in the current window
    std::vector<std::uint32_t>* m_list = nullptr;
    std::uint32_t m_list_level = 0;
};

}  // namespace

bool compile_description(const std::vector<Line>& lines, ValueContext& cx, vel::FormResource& out,
                         std::string& error, std::vector<WindowIds>* ids) {
    Compiler c(cx, out);
    for (const auto& l : lines) {
        if (!c.line(l)) {
            error = std::to_string(l.number) + ": " + c.error();
            return false;
        }
    }
    if (!c.finish()) {
        error = "end: " + c.error();
        return false;
    }
    if (ids) *ids = std::move(c.ids());
    return true;
}

}  // namespace formc
