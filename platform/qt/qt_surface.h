#pragma once
// The widget behind windows and drawing panels: paints its owner's attached
// pixels and its background colour beyond them, then lets its owner paint.
#include <QWidget>

namespace plat::qt {

class Surface : public QWidget {
    Q_OBJECT
public:
    explicit Surface(QWidget* parent, Qt::WindowFlags flags = {});

    // None while its window sends its pixels to the X server itself: Qt
    // then keeps no backing store for it.
    QPaintEngine* paintEngine() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace plat::qt
