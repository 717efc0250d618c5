// Message boxes on QMessageBox: application-modal and without parent, as a
// task-modal box without owner is on the original platform. The box runs its
// own event loop, so timers keep firing while it waits.
#include "platform/message_box.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <utility>
#include <vector>

#include "platform/text/error_output.h"
#include "platform/text/gbk.h"

namespace plat {
namespace {

MessageBoxResponder& responder() {
    static MessageBoxResponder r;
    return r;
}

QString to_qstring(std::string_view gbk) {
    if (auto utf8 = gbk_to_utf8(gbk))
        return QString::fromUtf8(utf8->data(), qsizetype(utf8->size()));
    // Bytes that are not GBK: show what can be shown rather than nothing.
    return QString::fromLatin1(gbk.data(), qsizetype(gbk.size()));
}

struct ButtonId {
    QMessageBox::StandardButton button;
    int id;
};

std::vector<ButtonId> buttons_for(unsigned style) {
    switch (style & kMbButtonMask) {
        case kMbOkCancel:
            return {{QMessageBox::Ok, kIdOk}, {QMessageBox::Cancel, kIdCancel}};
        case kMbAbortRetryIgnore:
            return {{QMessageBox::Abort, kIdAbort},
                    {QMessageBox::Retry, kIdRetry},
                    {QMessageBox::Ignore, kIdIgnore}};
        case kMbYesNoCancel:
            return {{QMessageBox::Yes, kIdYes},
                    {QMessageBox::No, kIdNo},
                    {QMessageBox::Cancel, kIdCancel}};
        case kMbYesNo:
            return {{QMessageBox::Yes, kIdYes}, {QMessageBox::No, kIdNo}};
        case kMbRetryCancel:
            return {{QMessageBox::Retry, kIdRetry}, {QMessageBox::Cancel, kIdCancel}};
        default:
            // Unknown button sets get the plain OK box: the text still reaches the user.
            return {{QMessageBox::Ok, kIdOk}};
    }
}

QMessageBox::Icon icon_for(unsigned style) {
    switch (style & kMbIconMask) {
        case kMbIconError:
            return QMessageBox::Critical;
        case kMbIconQuestion:
            return QMessageBox::Question;
        case kMbIconWarning:
            return QMessageBox::Warning;
        case kMbIconInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

void set_message_box_responder(MessageBoxResponder r) {
    responder() = std::move(r);
}

int message_box(std::string_view text, std::string_view caption, unsigned style) {
    if (responder())
        return responder()(MessageBoxRequest{std::string(text), std::string(caption), style});
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        write_error_output(std::string(caption) + ": " + std::string(text) + "\n");
        return kIdOk;
    }
    QMessageBox box(icon_for(style), to_qstring(caption), to_qstring(text), QMessageBox::NoButton);
    box.setWindowModality(Qt::ApplicationModal);
    // A system-modal box stays above every other window.
    if (style & kMbSystemModal) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);

    const std::vector<ButtonId> buttons = buttons_for(style);
    QMessageBox::StandardButtons set;
    for (const ButtonId& b : buttons) set |= b.button;
    box.setStandardButtons(set);
    const std::size_t default_index = (style & kMbDefaultButtonMask) >> 8;
    if (default_index < buttons.size()) box.setDefaultButton(buttons[default_index].button);
    // Esc and the window manager's close answer Cancel, or No when there is
    // no Cancel, or the only button; a box of Abort, Retry and Ignore cannot
    // be dismissed: one of them must be chosen.
    const ButtonId* dismiss = nullptr;
    for (const ButtonId& b : buttons)
        if (b.button == QMessageBox::Cancel || (!dismiss && b.button == QMessageBox::No))
            dismiss = &b;
    if (!dismiss && buttons.size() == 1) dismiss = &buttons.front();
    if (dismiss) box.setEscapeButton(dismiss->button);

    // Qt sizes the box to its text; the window manager's title bar also
    // holds its icon and buttons, and beside them a short text's box would
    // leave no room to read the caption.
    constexpr int kTitleBarButtons = 160;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
        const int width = title.horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }

    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    const QMessageBox::StandardButton pressed =
        clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
    for (const ButtonId& b : buttons)
        if (b.button == pressed) return b.id;
    return dismiss ? dismiss->id : 0;
}

}  // namespace plat
