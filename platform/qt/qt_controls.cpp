// Texts and the control-specific parts: edit boxes (GBK length limit, integer
// input), buttons, combo and list boxes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QValidator>

#include "platform/qt/qt_internal.h"

namespace plat {
namespace qt {
namespace {

void notify_changed(QObject* source) {
    Widget* w = widget_of(source);
    if (!w || !w->callbacks.changed) return;
    auto changed = w->callbacks.changed;  // the handler may destroy w
    changed();
}

// What the user may type into an edit box: the length limit counts GBK
// bytes (a Chinese character takes two), and input mode 3 takes only digits
// and '-'. Text written by the program is not checked, as on the original.
class EditValidator : public QValidator {
public:
    EditValidator(QObject* parent, int max_bytes, int mode)
        : QValidator(parent), m_max_bytes(max_bytes), m_mode(mode) {}
    State validate(QString& input, int&) const override {
        if (m_mode == 3) {
            for (QChar c : input)
                if (c.unicode() >= 32 && !(c.isDigit() && c.unicode() < 0x80) && c != u'-')
                    return Invalid;
        }
        if (m_max_bytes > 0 && static_cast<int>(to_gbk(input).size()) > m_max_bytes) return Invalid;
        return Acceptable;
    }

private:
    int m_max_bytes;
    int m_mode;
};

template <typename T>
T* as(Widget* w) {
    return w ? qobject_cast<T*>(w->q.data()) : nullptr;
}

// A list box reports a change of its selected item, nothing else. Qt moves
// its current row on its own (focusing an empty selection makes row 0 current
// without selecting it), and the logic's own changes are silent: so the row
// last seen is kept on the widget and a signal counts only when it differs.
constexpr char kSeenRow[] = "vel_seen_row";

int selected_row(const QListWidget* l) {
    QListWidgetItem* item = l->currentItem();
    return item && item->isSelected() ? l->row(item) : -1;
}

void remember_row(QListWidget* l) {
    l->setProperty(kSeenRow, selected_row(l));
}

void list_selection_signal(QListWidget* l) {
    const QVariant seen = l->property(kSeenRow);
    const int now = selected_row(l);
    if ((seen.isValid() ? seen.toInt() : -1) == now) return;
    l->setProperty(kSeenRow, now);
    notify_changed(l);
}

}  // namespace

void connect_signals(Widget* w) {
    QWidget* q = w->q;
    if (auto* b = qobject_cast<QPushButton*>(q)) {
        QObject::connect(b, &QPushButton::clicked, b, [b] { notify_changed(b); });
    } else if (auto* e = qobject_cast<QLineEdit*>(q)) {
        QObject::connect(e, &QLineEdit::textChanged, e, [e] { notify_changed(e); });
    } else if (auto* c = qobject_cast<QComboBox*>(q)) {
        QObject::connect(c, &QComboBox::activated, c, [c] { notify_changed(c); });
    } else if (auto* l = qobject_cast<QListWidget*>(q)) {
        QObject::connect(l, &QListWidget::currentRowChanged, l, [l] { list_selection_signal(l); });
        QObject::connect(l, &QListWidget::itemSelectionChanged, l,
                         [l] { list_selection_signal(l); });
    }
}

}  // namespace qt

void set_text(Widget* w, std::string_view text) {
    QWidget* q = qt::qwidget(w);
    if (!q) return;
    const QString s = qt::from_gbk(text);
    if (q->isWindow()) {
        q->setWindowTitle(s);
    } else if (auto* l = qobject_cast<QLabel*>(q)) {
        l->setText(s);
    } else if (auto* b = qobject_cast<QPushButton*>(q)) {
        b->setText(s);
    } else if (auto* e = qobject_cast<QLineEdit*>(q)) {
        // Every write counts as a change, even of equal text, so a handler
        // that corrects the content sees its own correction once.
        {
            QSignalBlocker quiet(e);
            e->setText(s);
        }
        qt::notify_changed(e);
    } else if (auto* c = qobject_cast<QComboBox*>(q)) {
        if (c->isEditable()) c->setEditText(s);
    }
}

std::string text(Widget* w) {
    QWidget* q = qt::qwidget(w);
    if (!q) return {};
    if (q->isWindow()) return qt::to_gbk(q->windowTitle());
    if (auto* l = qobject_cast<QLabel*>(q)) return qt::to_gbk(l->text());
    if (auto* b = qobject_cast<QPushButton*>(q)) return qt::to_gbk(b->text());
    if (auto* e = qobject_cast<QLineEdit*>(q)) return qt::to_gbk(e->text());
    if (auto* c = qobject_cast<QComboBox*>(q)) return qt::to_gbk(c->currentText());
    return {};
}

void set_edit_options(Widget* w, const EditOptions& options) {
    auto* e = qt::as<QLineEdit>(w);
    if (!e) return;
    w->edit = options;
    delete e->validator();
    if (options.max_bytes > 0 || options.input_mode == 3)
        e->setValidator(new qt::EditValidator(e, options.max_bytes, options.input_mode));
    else
        e->setValidator(nullptr);
    e->setEchoMode(options.password_char ? QLineEdit::Password : QLineEdit::Normal);
    e->setFrame(options.border);
}

void set_selection(Widget* w, int start, int length) {
    auto* e = qt::as<QLineEdit>(w);
    if (!e) return;
    const int size = static_cast<int>(e->text().size());
    if (start < 0 || start >= size) {
        e->setCursorPosition(size);  // also drops the selection
        e->deselect();
        return;
    }
    if (length <= 0) {
        e->deselect();
        e->setCursorPosition(start);
    } else {
        e->setSelection(start, std::min(length, size - start));
    }
}

int selection_start(Widget* w) {
    auto* e = qt::as<QLineEdit>(w);
    if (!e) return 0;
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

int item_count(Widget* w) {
    if (auto* c = qt::as<QComboBox>(w)) return c->count();
    if (auto* l = qt::as<QListWidget>(w)) return l->count();
    return 0;
}

std::string item_text(Widget* w, int index) {
    if (index < 0 || index >= item_count(w)) return {};
    if (auto* c = qt::as<QComboBox>(w)) return qt::to_gbk(c->itemText(index));
    if (auto* l = qt::as<QListWidget>(w)) return qt::to_gbk(l->item(index)->text());
    return {};
}

int add_item(Widget* w, std::string_view text) {
    if (auto* c = qt::as<QComboBox>(w)) {
        QSignalBlocker quiet(c);
        c->addItem(qt::from_gbk(text));
        return c->count() - 1;
    }
    if (auto* l = qt::as<QListWidget>(w)) {
        QSignalBlocker quiet(l);
        l->addItem(qt::from_gbk(text));
        qt::remember_row(l);
        return l->count() - 1;
    }
    return -1;
}

bool set_item_text(Widget* w, int index, std::string_view text) {
    if (index < 0 || index >= item_count(w)) return false;
    const QString s = qt::from_gbk(text);
    if (auto* c = qt::as<QComboBox>(w)) {
        if (c->itemText(index) != s) c->setItemText(index, s);
    } else if (auto* l = qt::as<QListWidget>(w)) {
        if (l->item(index)->text() != s) l->item(index)->setText(s);
    }
    return true;
}

bool remove_item(Widget* w, int index) {
    if (index < 0 || index >= item_count(w)) return false;
    if (auto* c = qt::as<QComboBox>(w)) {
        QSignalBlocker quiet(c);
        c->removeItem(index);
    } else if (auto* l = qt::as<QListWidget>(w)) {
        QSignalBlocker quiet(l);
        const bool was_selected = qt::selected_row(l) == index;
        delete l->takeItem(index);
        // Qt hands the selection to a neighbour; a second delete would then
        // remove an item nobody chose.
        if (was_selected) {
            l->clearSelection();
            l->setCurrentRow(-1);
        }
        qt::remember_row(l);
    }
    return true;
}

int current_index(Widget* w) {
    if (auto* c = qt::as<QComboBox>(w)) return c->currentIndex();
    if (auto* l = qt::as<QListWidget>(w)) return qt::selected_row(l);
    return -1;
}

void set_current_index(Widget* w, int index) {
    const int count = item_count(w);
    if (index >= count) index = count - 1;
    if (index < -1) index = -1;
    if (auto* c = qt::as<QComboBox>(w)) {
        QSignalBlocker quiet(c);
        c->setCurrentIndex(index);
    } else if (auto* l = qt::as<QListWidget>(w)) {
        QSignalBlocker quiet(l);
        if (index < 0) {
            l->setCurrentRow(-1);
            l->clearSelection();
        } else {
            l->setCurrentRow(index);
        }
        qt::remember_row(l);
    }
}

}  // namespace plat
