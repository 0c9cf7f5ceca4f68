// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QMimeData;
class QWidget;

namespace wf {

class DialogRunner;

// What a save dialog asks and names.
struct SaveFileRequest {
    QString title;
    QString objectName;  // so that tests can tell the dialogs apart
    QString suggested;   // the path it starts on
    QString filter;      // "CSV files (*.csv);;All files (*)"
    QString suffix;      // added to a name typed without one
};

// Runs the program's save dialog through the dialog service. Returns the
// chosen path, or an empty string when cancelled; filter receives the
// name filter chosen, when asked for.
QString chooseSaveFile(DialogRunner& dialogs, QWidget* parent, const SaveFileRequest& request,
                       QString* filter = nullptr);

// Runs the program's dialog for opening an existing file, starting in the
// home folder; the chosen path, or an empty string when cancelled.
QString chooseOpenFile(DialogRunner& dialogs, QWidget* parent, const QString& title,
                       const QString& objectName, const QString& filter);

// The same for any number of files; none when cancelled.
QStringList chooseOpenFiles(DialogRunner& dialogs, QWidget* parent, const QString& title,
                            const QString& objectName, const QString& filter);

// The local files a drag from a file manager carries; none when it carries
// anything else.
QStringList localFiles(const QMimeData* data);

}  // namespace wf
