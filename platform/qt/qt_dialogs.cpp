// The common file dialog and the error box of fatal runtime errors.
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <utility>

#include "platform/qt/qt_internal.h"
#include "platform/text/error_output.h"

namespace plat {
namespace {

// "name|*.a;*.b|name2|*.c||" -> "name (*.a *.b);;name2 (*.c)".
QStringList name_filters(const QString& filter) {
    QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty()) break;
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        out << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return out;
}

FileDialogResponder& responder() {
    static FileDialogResponder r;
    return r;
}

}  // namespace

void set_file_dialog_responder(FileDialogResponder r) {
    responder() = std::move(r);
}

std::optional<std::string> run_file_dialog(const FileDialogOptions& o) {
    if (responder()) return responder()(o);
    if (!window_system_ready()) return std::nullopt;
    QFileDialog dialog(nullptr, qt::from_gbk(o.title));
    dialog.setAcceptMode(o.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(o.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList filters = name_filters(qt::from_gbk(o.filter));
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        int index = o.filter_index > 0 ? o.filter_index - 1 : 0;
        if (index < filters.size()) dialog.selectNameFilter(filters[index]);
    }
    if (!o.directory.empty()) dialog.setDirectory(qt::from_gbk(o.directory));
    if (!o.file_name.empty()) dialog.selectFile(qt::from_gbk(o.file_name));
    if (!o.default_extension.empty()) dialog.setDefaultSuffix(qt::from_gbk(o.default_extension));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return qt::to_gbk(files.first());
}

void show_error_box(std::string_view text, std::string_view caption) {
    if (!window_system_ready()) {
        write_error_output(std::string(text) + "\n");
        return;
    }
    QMessageBox box(QMessageBox::Critical, qt::from_gbk(caption), qt::from_gbk(text),
                    QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace plat
