// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QMimeData>
#include <QUrl>

#include "Services.h"

namespace wf {

QString chooseSaveFile(DialogRunner& dialogs, QWidget* parent, const SaveFileRequest& request,
                       QString* filter) {
    QFileDialog dialog(parent, request.title, request.suggested, request.filter);
    dialog.setObjectName(request.objectName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.suffix);
    dialog.selectFile(request.suggested);
    if (dialogs.exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    if (filter != nullptr) {
        *filter = dialog.selectedNameFilter();
    }
    return dialog.selectedFiles().front();
}

namespace {

// The program's dialog for opening existing files, one or many, starting in
// the home folder; what was chosen, nothing when cancelled.
QStringList runOpenDialog(DialogRunner& dialogs, QWidget* parent, const QString& title,
                          const QString& objectName, const QString& filter,
                          QFileDialog::FileMode mode) {
    QFileDialog dialog(parent, title, QDir::homePath(), filter);
    dialog.setObjectName(objectName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(mode);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialogs.exec(dialog) != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles();
}

}  // namespace

QString chooseOpenFile(DialogRunner& dialogs, QWidget* parent, const QString& title,
                       const QString& objectName, const QString& filter) {
    return runOpenDialog(dialogs, parent, title, objectName, filter, QFileDialog::ExistingFile)
        .value(0);
}

QStringList chooseOpenFiles(DialogRunner& dialogs, QWidget* parent, const QString& title,
                            const QString& objectName, const QString& filter) {
    return runOpenDialog(dialogs, parent, title, objectName, filter, QFileDialog::ExistingFiles);
}

QStringList localFiles(const QMimeData* data) {
    QStringList out;
    if (data == nullptr || !data->hasUrls()) {
        return out;
    }
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) {
            return {};  // web addresses are not files to import
        }
        out << url.toLocalFile();
    }
    return out;
}

}  // namespace wf
