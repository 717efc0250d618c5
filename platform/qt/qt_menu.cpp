// Pop-up menus built afresh from the caller's tree each time they are shown.
#include <QAction>
#include <QMenu>

#include "platform/qt/qt_internal.h"

namespace plat {
namespace {

void fill(QMenu* menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& e : entries) {
        if (e.caption == "-") {
            menu->addSeparator();
        } else if (!e.children.empty()) {
            QMenu* sub = menu->addMenu(qt::from_gbk(e.caption));
            sub->setEnabled(!e.disabled);
            fill(sub, e.children);
        } else {
            QAction* a = menu->addAction(qt::from_gbk(e.caption));
            a->setCheckable(e.checked);
            a->setChecked(e.checked);
            a->setEnabled(!e.disabled);
            a->setData(e.command);
        }
    }
}

}  // namespace

int popup_menu(Widget* owner, const std::vector<MenuEntry>& entries, Point at, bool align_right) {
    if (!window_system_ready() || entries.empty()) return 0;
    QMenu menu(qt::qwidget(owner));
    fill(&menu, entries);
    QPoint where(at.x, at.y);
    if (align_right) where.rx() -= menu.sizeHint().width();
    QAction* chosen = menu.exec(where);
    return chosen ? chosen->data().toInt() : 0;
}

}  // namespace plat
