// Labels, buttons and edit boxes.
#include "forms/runtime/property_numbers.h"
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
        if (property == prop::kLabelCaption) return RawValue{0, plat::text(m_widget)};
        return stored(property);
    }
    bool set(int property, const RawValue& v) override {
        if (property == prop::kLabelCaption)
            plat::set_text(m_widget, v.bytes);
        else
            store(property, v);
        return false;
    }
};

class ButtonUnit : public WidgetUnit {
public:
    using WidgetUnit::WidgetUnit;
    RawValue get(int property) override {
        if (property == prop::kButtonCaption) return RawValue{0, plat::text(m_widget)};
        return stored(property);
    }
    bool set(int property, const RawValue& v) override {
        if (property == prop::kButtonCaption)
            plat::set_text(m_widget, v.bytes);
        else
            store(property, v);
        return false;
    }
};

// Border and multi-line are fixed when the box is made: changing them
// rebuilds it.
class EditUnit : public WidgetUnit {
public:
    EditUnit(plat::Widget* w, const EditBoxProperties& p) : WidgetUnit(w) {
        m_options.max_bytes = static_cast<int>(p.maxLength);
        m_options.input_mode = static_cast<int>(p.inputMode);
        m_options.password_char = p.passwordChar;
        m_options.multi_line = p.multiLine != 0;
        m_options.border = p.border != 0;
        plat::set_edit_options(w, m_options);
        store(prop::kEditBorder, p.border);
        store(prop::kEditTextColour, p.textColour);
        store(prop::kEditBackColour, p.backColour);
        store(prop::kEditFont, as_string(p.font));
        store(prop::kEditHideSelection, p.hideSelection);
        store(prop::kEditMultiLine, p.multiLine);
        plat::set_text(w, p.content);
    }
    RawValue get(int property) override {
        switch (property) {
            case prop::kEditContent:
                return RawValue{0, plat::text(m_widget)};
            case prop::kEditMaxLength:
                return RawValue{m_options.max_bytes, {}};
            case prop::kEditInputMode:
                return RawValue{m_options.input_mode, {}};
            case prop::kEditPasswordChar:
                return RawValue{m_options.password_char, {}};
            case prop::kEditSelectionStart:
                return RawValue{plat::selection_start(m_widget), {}};
            default:
                return stored(property);
        }
    }
    bool set(int property, const RawValue& v) override {
        switch (property) {
            case prop::kEditContent:
                plat::set_text(m_widget, v.bytes);
                break;  // raises content changed
            case prop::kEditMaxLength:
                m_options.max_bytes = static_cast<int>(std::max<std::int64_t>(0, v.number));
                break;
            case prop::kEditInputMode:
                m_options.input_mode = static_cast<int>(v.number);
                break;
            case prop::kEditPasswordChar:
                m_options.password_char = static_cast<int>(v.number);
                break;
            case prop::kEditSelectionStart:
                plat::set_selection(m_widget, static_cast<int>(v.number), 0);
                return false;
            case prop::kEditBorder:
            case prop::kEditMultiLine: {
                const std::int64_t now =
                    property == prop::kEditMultiLine ? (v.number != 0) : v.number;
                if (stored(property).number == now) return false;
                store(property, now);
                return true;
            }
            default:
                store(property, v);
                return false;
        }
        if (property != prop::kEditContent) plat::set_edit_options(m_widget, m_options);
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
