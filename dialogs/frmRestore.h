// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>
#include <functional>

#include "Backups.h"

class QListWidget;
class QPushButton;

namespace wf {

// Lists the journal's backups with their dates and what each holds; the
// one chosen is what Restore answers with. "Other File..." asks for a backup
// kept anywhere else (a zip made by Back Up Journal, or a journal file):
// the dialog closes with that file's path.
class frmRestore : public QDialog {
    Q_OBJECT
  public:
    frmRestore(const QList<BackupInfo>& backups, std::function<QString()> chooseOtherFile,
               QWidget* parent = nullptr);

    // The backup chosen when the dialog was accepted; null for another file.
    const BackupInfo* chosen() const;
    // The other file chosen, or an empty string.
    const QString& otherFile() const { return otherFile_; }
    QListWidget* lstBackups() const { return lstBackups_; }

    // "3 May 2026, 07:15 (before import): 41 birds seen, 212 sightings,
    // 14 entries, 9 pictures"
    static QString describe(const BackupInfo& b);

  private:
    QList<BackupInfo> backups_;
    std::function<QString()> chooseOtherFile_;
    QString otherFile_;
    QListWidget* lstBackups_;
    QPushButton* cmdRestore_;
};

}  // namespace wf
