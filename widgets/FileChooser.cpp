// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileChooser.h"

#include <QDir>
#include <QFileDialog>

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

QString chooseOpenFile(DialogRunner& dialogs, QWidget* parent, const QString& title,
                       const QString& objectName, const QString& filter) {
    QFileDialog dialog(parent, title, QDir::homePath(), filter);
    dialog.setObjectName(objectName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialogs.exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

QStringList chooseOpenFiles(DialogRunner& dialogs, QWidget* parent, const QString& title,
                            const QString& objectName, const QString& filter) {
    QFileDialog dialog(parent, title, QDir::homePath(), filter);
    dialog.setObjectName(objectName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialogs.exec(dialog) != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles();
}

}  // namespace wf
