// The common file dialog and the error box of fatal runtime errors.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStringList>
#include <utility>

#include "platform/fs/paths.h"
#include "platform/fs/xdg_folders.h"
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

// Whether `inner` is `outer` or lies inside it (both absolute and clean).
bool inside(const QString& inner, const QString& outer) {
    return !outer.isEmpty() &&
           (inner == outer || inner.startsWith(outer.endsWith(u'/') ? outer : outer + u'/'));
}

// The folder the dialog opens in: the one it is given when that is a
// folder, else the current one, as the Windows dialog does. The program's
// own data lives in a per-user folder that users do not browse (hidden, or
// under $XDG_DATA_HOME): rather than there, it opens in the user's
// pictures folder, or home when there is none.
QString start_folder(const std::string& gbk_directory) {
    const auto native = gbk_directory.empty() ? std::nullopt : fs::native_path(gbk_directory);
    QString folder = QDir::currentPath();
    if (native) {
        const QFileInfo given(QDir::current(), QString::fromStdString(*native));
        if (given.isDir()) folder = given.absoluteFilePath();
    }
    folder = QDir::cleanPath(folder);
    const QString data = QDir::cleanPath(QString::fromStdString(fs::user_data_folder()));
    const bool hidden = folder.contains(QStringLiteral("/."));
    if (!hidden && !inside(folder, data)) return folder;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
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
    QString name = qt::from_gbk(o.file_name);
    // A preset name "text|pattern" is a filter written in the name's place:
    // no file is called that, and a dialog with no filter of its own shows
    // the files it names.
    if (filters.isEmpty() && name.contains(u'|')) {
        filters = name_filters(name);
        name.clear();
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        int index = o.filter_index > 0 ? o.filter_index - 1 : 0;
        if (index < filters.size()) dialog.selectNameFilter(filters[index]);
    }
    dialog.setDirectory(start_folder(o.directory));
    if (!name.isEmpty()) dialog.selectFile(name);
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
