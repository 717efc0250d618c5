#include "platform/qt/control_style_painter.h"

#include <QPainter>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>

namespace plat::qt {
namespace {

struct Scheme {
    QRgb frame;
    QRgb border;
};
// Frame and button border colour of schemes 1 (blue), 2 (olive), 3 (silver).
constexpr Scheme kSchemes[] = {
    {qRgb(0x7B, 0x9E, 0xBD), qRgb(0x00, 0x3C, 0x73)},
    {qRgb(0xA4, 0xB9, 0x7F), qRgb(0x37, 0x62, 0x06)},
    {qRgb(0xC6, 0xC5, 0xD7), qRgb(0x00, 0x3C, 0x74)},
};
const QColor kDisabledFace(0xF5, 0xF4, 0xEA);

QColor darker_by_0x20(const QColor& c) {
    return QColor(std::max(0, c.red() - 0x20), std::max(0, c.green() - 0x20),
                  std::max(0, c.blue() - 0x20));
}

// `c` moved toward white by `t` (0 = c, 1 = white).
QColor tint(const QColor& c, double t) {
    auto mix = [t](int v) { return static_cast<int>(v + (255 - v) * t + 0.5); };
    return QColor(mix(c.red()), mix(c.green()), mix(c.blue()));
}

void ring(QPainter* p, const QRect& r, const QColor& c) {
    if (r.width() <= 0 || r.height() <= 0) return;
    p->setPen(c);
    p->setBrush(Qt::NoBrush);
    p->drawRect(r.adjusted(0, 0, -1, -1));
}

}  // namespace

FlatStyle::FlatStyle(QStyle* base, int scheme) : QProxyStyle(base) {
    const Scheme& s = kSchemes[std::clamp(scheme, 1, 3) - 1];
    m_frame = QColor(s.frame);
    m_border = QColor(s.border);
}

const StyledKind* FlatStyle::kind_of(const QWidget* w) const {
    auto it = m_kinds.constFind(w);
    return it == m_kinds.constEnd() ? nullptr : &it.value();
}

void FlatStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    // Hot (mouse-over) faces need enter and leave repaints.
    widget->setAttribute(Qt::WA_Hover, true);
}

// Two one-pixel rings: the scheme's frame (or a darkened button face when
// disabled), then the window colour (button face when disabled or read-only).
void FlatStyle::paint_edit_frame(const QStyleOption* o, QPainter* p, bool fill) const {
    const bool enabled = o->state & State_Enabled;
    const bool read_only = o->state & State_ReadOnly;
    const QColor face = o->palette.color(QPalette::Button);
    const QColor inner = (!enabled || read_only) ? face : o->palette.color(QPalette::Base);
    p->save();
    if (fill) p->fillRect(o->rect, inner);
    ring(p, o->rect, enabled ? m_frame : darker_by_0x20(face));
    ring(p, o->rect.adjusted(1, 1, -1, -1), inner);
    p->restore();
}

void FlatStyle::paint_button_face(const QRect& r, const QStyleOption* o, QPainter* p, bool pressed,
                                  bool checked, bool focused, const QWidget* widget) const {
    const bool enabled = o->state & State_Enabled;
    const QColor face = o->palette.color(QPalette::Button);
    p->save();
    // The client area in the colour the parent paints its background with.
    const QWidget* parent = widget ? widget->parentWidget() : nullptr;
    p->fillRect(r, parent ? parent->palette().color(parent->backgroundRole())
                          : o->palette.color(QPalette::Window));
    ring(p, r, face);
    const QRect border = r.adjusted(1, 1, -1, -1);
    ring(p, border, enabled ? m_border : darker_by_0x20(face));
    const QRect inside = border.adjusted(1, 1, -1, -1);
    if (!enabled) {
        p->fillRect(inside, kDisabledFace);
        p->restore();
        return;
    }
    double top = 0.92, bottom = 0.70;  // normal
    if (pressed)
        top = 0.55, bottom = 0.80;
    else if (o->state & State_MouseOver)
        top = 0.97, bottom = 0.80;
    else if (checked)
        top = 0.65, bottom = 0.85;
    else if (focused)
        top = 0.86, bottom = 0.60;
    QLinearGradient g(inside.topLeft(), inside.bottomLeft());
    g.setColorAt(0, tint(m_frame, top));
    g.setColorAt(1, tint(m_frame, bottom));
    p->fillRect(inside, g);
    ring(p, inside.adjusted(1, 1, -1, -1),
         (pressed || checked) ? tint(m_frame, 0.45) : tint(m_frame, 0.96));
    p->restore();
}

void FlatStyle::paint_indicator(const QStyleOption* o, QPainter* p, bool round) const {
    const bool enabled = o->state & State_Enabled;
    const QColor face = o->palette.color(QPalette::Button);
    const QColor edge = enabled ? m_border : darker_by_0x20(face);
    const QRect r = o->rect.adjusted(0, 0, -1, -1);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    const bool sunken = o->state & State_Sunken;
    g.setColorAt(0, enabled ? tint(m_frame, sunken ? 0.6 : 0.97) : kDisabledFace);
    g.setColorAt(
        1, enabled ? tint(m_frame, (o->state & State_MouseOver) ? 0.75 : 0.85) : kDisabledFace);
    p->save();
    p->setRenderHint(QPainter::Antialiasing, round);
    p->setPen(edge);
    p->setBrush(g);
    if (round) {
        p->drawEllipse(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
        if (o->state & State_On) {
            p->setBrush(edge);
            p->drawEllipse(QRectF(r).adjusted(3.5, 3.5, -3.5, -3.5));
        }
    } else {
        p->drawRect(r);
        if (o->state & State_NoChange) {
            p->fillRect(r.adjusted(3, 3, -2, -2), tint(edge, 0.4));
        } else if (o->state & State_On) {
            QPen pen(edge, 2);
            p->setPen(pen);
            const QRectF c = QRectF(r).adjusted(3, 3, -3, -3);
            const QPointF tick[] = {{c.left(), c.center().y()},
                                    {c.left() + c.width() * 0.4, c.bottom()},
                                    {c.right(), c.top()}};
            p->drawPolyline(tick, 3);
        }
    }
    p->restore();
}

void FlatStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    const StyledKind* kind = kind_of(widget);
    if (kind) {
        switch (element) {
            case PE_PanelLineEdit:
                if (*kind == StyledKind::edit) {
                    auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
                    // Only an edit with a border is restyled.
                    if (frame && frame->lineWidth > 0)
                        return paint_edit_frame(option, painter, true);
                }
                break;
            case PE_FrameLineEdit:
                if (*kind == StyledKind::edit) return paint_edit_frame(option, painter, false);
                break;
            case PE_PanelButtonCommand:
                if (*kind == StyledKind::push_button) {
                    auto* b = qstyleoption_cast<const QStyleOptionButton*>(option);
                    const bool focused = (option->state & State_HasFocus) ||
                                         (b && (b->features & QStyleOptionButton::DefaultButton));
                    return paint_button_face(option->rect, option, painter,
                                             option->state & State_Sunken, option->state & State_On,
                                             focused, widget);
                }
                break;
            case PE_IndicatorCheckBox:
                if (*kind == StyledKind::check_box) return paint_indicator(option, painter, false);
                break;
            case PE_IndicatorRadioButton:
                if (*kind == StyledKind::radio_button)
                    return paint_indicator(option, painter, true);
                break;
            case PE_FrameGroupBox:
                if (*kind == StyledKind::group_box) {
                    painter->save();
                    ring(painter, option->rect, m_frame);
                    painter->restore();
                    return;
                }
                break;
            default:
                break;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FlatStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    const StyledKind* kind = kind_of(widget);
    if (kind && *kind == StyledKind::drop_list && element == CE_ShapedFrame)
        return paint_edit_frame(option, painter, false);
    QProxyStyle::drawControl(element, option, painter, widget);
}

void FlatStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
    const StyledKind* kind = kind_of(widget);
    const bool combo = kind && *kind == StyledKind::combo && control == CC_ComboBox;
    const bool spin = kind && *kind == StyledKind::up_down && control == CC_SpinBox;
    if (!combo && !spin) return QProxyStyle::drawComplexControl(control, option, painter, widget);

    paint_edit_frame(option, painter, true);
    const bool enabled = option->state & State_Enabled;
    auto button = [&](SubControl sc, PrimitiveElement arrow) {
        const QRect r = subControlRect(control, option, sc, widget);
        if (!r.isValid()) return;
        const bool pressed = (option->activeSubControls & sc) && (option->state & State_Sunken);
        QStyleOption o = *option;
        o.rect = r;
        if (!(option->activeSubControls & sc)) o.state &= ~State_MouseOver;
        paint_button_face(r, &o, painter, pressed, false, false, nullptr);
        o.rect = r.adjusted(3, 3, -3, -3);
        o.palette.setColor(QPalette::ButtonText, enabled ? m_border : darker_by_0x20(m_frame));
        QProxyStyle::drawPrimitive(arrow, &o, painter, widget);
    };
    if (combo) {
        button(SC_ComboBoxArrow, PE_IndicatorArrowDown);
    } else {
        button(SC_SpinBoxUp, PE_IndicatorArrowUp);
        button(SC_SpinBoxDown, PE_IndicatorArrowDown);
    }
}

}  // namespace plat::qt
