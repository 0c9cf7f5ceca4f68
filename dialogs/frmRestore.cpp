// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmRestore.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "Artwork.h"

namespace wf {

frmRestore::frmRestore(const QList<BackupInfo>& backups, QWidget* parent)
    : QDialog(parent),
      backups_(backups),
      lstBackups_(new QListWidget(this)),
      cmdRestore_(new QPushButton(QStringLiteral("&Restore"), this)) {
    setObjectName(QStringLiteral("frmRestore"));
    setWindowTitle(QStringLiteral("Restore From Backup"));
    setWindowIcon(artwork::appIcon());
    lstBackups_->setObjectName(QStringLiteral("lstBackups"));
    lstBackups_->setMinimumSize(520, 220);
    const QLocale locale;
    for (const BackupInfo& b : backups_) {
        QString text = locale.toString(b.date, QLocale::LongFormat);
        if (!b.reason.isEmpty()) {
            text += QStringLiteral(" (%1)").arg(QString(b.reason).replace(u'-', u' '));
        }
        text += QStringLiteral(": %1 birds seen, %2 sightings, %3 entries")
                    .arg(b.birdsSeen)
                    .arg(b.sightings)
                    .arg(b.entries);
        lstBackups_->addItem(text);
    }
    auto* caption =
        new QLabel(backups_.isEmpty() ? QStringLiteral("There are no backups of this journal yet.")
                                      : QStringLiteral("Choose the backup to bring back:"),
                   this);
    cmdRestore_->setObjectName(QStringLiteral("cmdRestore"));
    cmdRestore_->setDefault(true);
    cmdRestore_->setEnabled(false);
    auto* cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(lstBackups_, &QListWidget::currentRowChanged, this,
            [this](int row) { cmdRestore_->setEnabled(row >= 0); });
    connect(lstBackups_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(cmdRestore_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdRestore_);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(lstBackups_, 1);
    layout->addLayout(buttons);
}

const BackupInfo* frmRestore::chosen() const {
    const int row = lstBackups_->currentRow();
    return row >= 0 && row < backups_.size() ? &backups_[row] : nullptr;
}

}  // namespace wf
