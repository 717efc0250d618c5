#pragma once
// The painter of the flat control style: a proxy over a fresh instance of
// the application's own style that draws the frames and faces of the
// restyled controls in one colour scheme and leaves everything else,
// including every other widget, to the base style.
#include <QHash>
#include <QProxyStyle>

namespace plat::qt {

enum class StyledKind {
    push_button,
    check_box,
    radio_button,
    group_box,
    edit,
    combo,
    up_down,
    drop_list
};

class FlatStyle : public QProxyStyle {
public:
    FlatStyle(QStyle* base, int scheme);

    void set_kind(const QWidget* w, StyledKind kind) { m_kinds.insert(w, kind); }
    void forget(const QWidget* w) { m_kinds.remove(w); }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
    void polish(QWidget* widget) override;
    using QProxyStyle::polish;

private:
    const StyledKind* kind_of(const QWidget* w) const;
    void paint_edit_frame(const QStyleOption* option, QPainter* p, bool fill) const;
    void paint_button_face(const QRect& r, const QStyleOption* option, QPainter* p, bool pressed,
                           bool checked, bool focused, const QWidget* widget) const;
    void paint_indicator(const QStyleOption* option, QPainter* p, bool round) const;

    QColor m_frame;
    QColor m_border;
    QHash<const QWidget*, StyledKind> m_kinds;
};

}  // namespace plat::qt
