// Installing and removing the flat control style. A restyled control gets
// the flat painter as its own style; the style it had before is recorded and
// given back on removal, so it then looks exactly as before. An application
// event filter restyles controls that are shown later.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <memory>
#include <optional>
#include <vector>

#include "platform/control_style.h"
#include "platform/qt/control_style_painter.h"

namespace plat {
namespace {

using qt::StyledKind;

struct Restyled {
    QPointer<QWidget> widget;
    QPointer<QStyle> own_style;  // null: the widget used the application's style
    bool had_own_style = false;
    bool had_hover = false;  // the painter turns hover repaints on
};

class NewControlWatcher : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

struct State {
    int style = 0;
    qt::FlatStyle* painter = nullptr;  // owned here
    std::unique_ptr<NewControlWatcher> watcher;
    std::vector<Restyled> controls;
};

State& state() {
    static State s;
    return s;
}

std::optional<StyledKind> kind_for(QWidget* w) {
    // Parts of composite controls keep their look: the composite is restyled.
    if (auto* parent = w->parentWidget();
        parent && (qobject_cast<QAbstractSpinBox*>(parent) || qobject_cast<QComboBox*>(parent)))
        return std::nullopt;
    if (qobject_cast<QPushButton*>(w)) return StyledKind::push_button;
    if (qobject_cast<QCheckBox*>(w)) return StyledKind::check_box;
    if (qobject_cast<QRadioButton*>(w)) return StyledKind::radio_button;
    if (qobject_cast<QGroupBox*>(w)) return StyledKind::group_box;
    if (qobject_cast<QLineEdit*>(w)) return StyledKind::edit;
    if (qobject_cast<QComboBox*>(w)) return StyledKind::combo;
    if (qobject_cast<QAbstractSpinBox*>(w)) return StyledKind::up_down;
    if (w->inherits("QComboBoxPrivateContainer")) return StyledKind::drop_list;
    return std::nullopt;
}

bool is_restyled(const QWidget* w) {
    for (const Restyled& r : state().controls)
        if (r.widget == w) return true;
    return false;
}

void restyle(QWidget* w) {
    State& s = state();
    if (!s.painter || is_restyled(w)) return;
    const std::optional<StyledKind> kind = kind_for(w);
    if (!kind) return;
    Restyled r{w, nullptr, w->testAttribute(Qt::WA_SetStyle), w->testAttribute(Qt::WA_Hover)};
    if (r.had_own_style) r.own_style = w->style();
    s.controls.push_back(r);
    s.painter->set_kind(w, *kind);
    QObject::connect(w, &QObject::destroyed, s.painter, [w] {
        auto& list = state().controls;
        if (state().painter) state().painter->forget(w);
        std::erase_if(list, [w](const Restyled& c) { return c.widget.isNull() || c.widget == w; });
    });
    w->setStyle(s.painter);
    w->update();
}

bool NewControlWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType())
        restyle(static_cast<QWidget*>(watched));
    return false;
}

// Gives every control its own look back and removes the watcher; true when
// a scheme was installed.
bool remove_restyling() {
    State& s = state();
    if (!s.watcher) return false;
    qApp->removeEventFilter(s.watcher.get());
    s.watcher.reset();
    std::vector<Restyled> controls;
    controls.swap(s.controls);
    for (Restyled& r : controls) {
        if (!r.widget) continue;
        QObject::disconnect(r.widget, &QObject::destroyed, s.painter, nullptr);
        r.widget->setStyle(r.had_own_style ? r.own_style.data() : nullptr);
        r.widget->setAttribute(Qt::WA_Hover, r.had_hover);
        r.widget->update();
    }
    delete s.painter;
    s.painter = nullptr;
    return true;
}

}  // namespace

bool set_control_style(int style) {
    State& s = state();
    s.style = style;
    if (style < 1 || style > 3) return remove_restyling();
    remove_restyling();
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
    // A fresh instance of the application's style as the painter's base, so
    // that everything it does not draw itself looks as it did.
    QStyle* base = QStyleFactory::create(QApplication::style()->name());
    if (!base) base = QStyleFactory::create(QStringLiteral("Fusion"));
    s.painter = new qt::FlatStyle(base, style);
    s.watcher = std::make_unique<NewControlWatcher>();
    for (QWidget* w : QApplication::allWidgets()) restyle(w);
    qApp->installEventFilter(s.watcher.get());
    return true;
}

int control_style() {
    return state().style;
}

int restyled_control_count() {
    return static_cast<int>(state().controls.size());
}

unsigned long long controls_look_digest() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return 0;
    // Summed per widget, so the order in which widgets are listed does not count.
    unsigned long long sum = 0;
    for (QWidget* w : QApplication::allWidgets()) {
        if (!w->isVisible() || !kind_for(w)) continue;
        const QImage image = w->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        unsigned long long digest = 1469598103934665603ull;
        for (int y = 0; y < image.height(); ++y) {
            const uchar* row = image.constScanLine(y);
            for (int i = 0; i < image.width() * 4; ++i)
                digest = (digest ^ row[i]) * 1099511628211ull;
        }
        sum += digest;
    }
    return sum;
}

}  // namespace plat
