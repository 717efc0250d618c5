#pragma once
// The widget behind windows and drawing panels: paints its owner's attached
// pixels and its background colour beyond them, then lets its owner paint.
#include <QWidget>

namespace plat::qt {

class Surface : public QWidget {
    Q_OBJECT
public:
    explicit Surface(QWidget* parent, Qt::WindowFlags flags = {});

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace plat::qt
