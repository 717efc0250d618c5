// Labels, buttons and edit boxes.
#include "forms/units/unit_factories.h"
#include "forms/units/widget_unit.h"

namespace vel {
namespace {

plat::Widget* make(const UnitCreation& c, plat::ControlKind kind) {
    plat::Widget* w = plat::create_control(c.parent, kind);
    if (w) place_control(w, *c.entry);
    return w;
}

class LabelUnit : public WidgetUnit {
public:
    using WidgetUnit::WidgetUnit;
    RawValue get(int property) override {
        if (property == 0) return RawValue{0, plat::text(m_widget)};
        return stored(property);
    }
    bool set(int property, const RawValue& v) override {
        if (property == 0)
            plat::set_text(m_widget, v.bytes);
        else
            store(property, v);
        return false;
    }
};

// Button properties: the caption is number 10 (index 2).
class ButtonUnit : public WidgetUnit {
public:
    using WidgetUnit::WidgetUnit;
    RawValue get(int property) override {
        if (property == 2) return RawValue{0, plat::text(m_widget)};
        return stored(property);
    }
    bool set(int property, const RawValue& v) override {
        if (property == 2)
            plat::set_text(m_widget, v.bytes);
        else
            store(property, v);
        return false;
    }
};

// Edit box indexes: 0 content, 1 border, 6 maximum length, 7 multi-line,
// 10 input mode, 11 password character, 16 selection start, 17 selection
// length. Border and multi-line are fixed when the box is made: changing
// them rebuilds it.
class EditUnit : public WidgetUnit {
public:
    EditUnit(plat::Widget* w, const EditBoxProperties& p) : WidgetUnit(w) {
        m_options.max_bytes = static_cast<int>(p.maxLength);
        m_options.input_mode = static_cast<int>(p.inputMode);
        m_options.password_char = p.passwordChar;
        m_options.multi_line = p.multiLine != 0;
        m_options.border = p.border != 0;
        plat::set_edit_options(w, m_options);
        store(1, p.border);
        store(2, p.textColour);
        store(3, p.backColour);
        store(4, as_string(p.font));
        store(5, p.hideSelection);
        store(7, p.multiLine);
        plat::set_text(w, p.content);
    }
    RawValue get(int property) override {
        switch (property) {
            case 0:
                return RawValue{0, plat::text(m_widget)};
            case 6:
                return RawValue{m_options.max_bytes, {}};
            case 10:
                return RawValue{m_options.input_mode, {}};
            case 11:
                return RawValue{m_options.password_char, {}};
            case 16:
                return RawValue{plat::selection_start(m_widget), {}};
            default:
                return stored(property);
        }
    }
    bool set(int property, const RawValue& v) override {
        switch (property) {
            case 0:
                plat::set_text(m_widget, v.bytes);
                break;  // raises content changed
            case 6:
                m_options.max_bytes = static_cast<int>(std::max<std::int64_t>(0, v.number));
                break;
            case 10:
                m_options.input_mode = static_cast<int>(v.number);
                break;
            case 11:
                m_options.password_char = static_cast<int>(v.number);
                break;
            case 16:
                plat::set_selection(m_widget, static_cast<int>(v.number), 0);
                return false;
            case 1:
            case 7: {
                const std::int64_t now = property == 7 ? (v.number != 0) : v.number;
                if (stored(property).number == now) return false;
                store(property, now);
                return true;
            }
            default:
                store(property, v);
                return false;
        }
        if (property != 0) plat::set_edit_options(m_widget, m_options);
        return false;
    }

private:
    plat::EditOptions m_options;
};

}  // namespace

std::unique_ptr<LiveUnit> create_label(const UnitCreation& c) {
    plat::Widget* w = make(c, plat::ControlKind::label);
    if (!w) return nullptr;
    auto unit = std::make_unique<LabelUnit>(w);
    if (const auto* p = std::get_if<LabelProperties>(&c.entry->properties))
        plat::set_text(w, p->caption);
    return unit;
}

std::unique_ptr<LiveUnit> create_button(const UnitCreation& c) {
    plat::Widget* w = make(c, plat::ControlKind::button);
    if (!w) return nullptr;
    auto unit = std::make_unique<ButtonUnit>(w);
    if (const auto* p = std::get_if<ButtonProperties>(&c.entry->properties))
        plat::set_text(w, p->caption);
    return unit;
}

std::unique_ptr<LiveUnit> create_edit_box(const UnitCreation& c) {
    plat::Widget* w = make(c, plat::ControlKind::edit);
    if (!w) return nullptr;
    const auto* p = std::get_if<EditBoxProperties>(&c.entry->properties);
    EditBoxProperties defaults;
    return std::make_unique<EditUnit>(w, p ? *p : defaults);
}

}  // namespace vel
