#pragma once
// The widget behind windows and drawing panels: paints its background colour,
// then the presented image, then lets its owner paint.
#include <QWidget>

namespace plat::qt {

class Surface : public QWidget {
    Q_OBJECT
public:
    explicit Surface(QWidget* parent, Qt::WindowFlags flags = {});

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace plat::qt
