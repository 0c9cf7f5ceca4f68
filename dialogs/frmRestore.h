// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>

#include "Backups.h"

class QListWidget;
class QPushButton;

namespace wf {

// Lists the journal's backups with their dates and what each holds; the
// one chosen is what Restore answers with.
class frmRestore : public QDialog {
    Q_OBJECT
  public:
    explicit frmRestore(const QList<BackupInfo>& backups, QWidget* parent = nullptr);

    // The backup chosen when the dialog was accepted.
    const BackupInfo* chosen() const;
    QListWidget* lstBackups() const { return lstBackups_; }

  private:
    QList<BackupInfo> backups_;
    QListWidget* lstBackups_;
    QPushButton* cmdRestore_;
};

}  // namespace wf
