// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmRestore.h"
#include "Words.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "Artwork.h"

namespace wf {

QString frmRestore::describe(const BackupInfo& b) {
    QString text = words::date(b.date);
    if (b.time.isValid()) {
        text += QStringLiteral(", ") + words::time(b.time);
    }
    if (!b.reason.isEmpty()) {
        text += QStringLiteral(" (%1)").arg(QString(b.reason).replace(u'-', u' '));
    }
    text += tr(": %1 seen, %2, %3")
                .arg(words::counted(b.birdsSeen, tr("bird"), tr("birds")),
                     words::counted(b.sightings, tr("sighting"), tr("sightings")),
                     words::counted(b.entries, tr("entry"), tr("entries")));
    text += b.isSet()
                ? QStringLiteral(", ") + words::counted(b.pictures, tr("picture"), tr("pictures"))
                : tr(", without pictures");
    return text;
}

frmRestore::frmRestore(const QList<BackupInfo>& backups, std::function<QString()> chooseOtherFile,
                       QWidget* parent)
    : QDialog(parent),
      backups_(backups),
      chooseOtherFile_(std::move(chooseOtherFile)),
      lstBackups_(new QListWidget(this)),
      cmdRestore_(new QPushButton(tr("&Restore"), this)) {
    setObjectName(QStringLiteral("frmRestore"));
    setWindowTitle(tr("Restore From Backup"));
    setWindowIcon(artwork::appIcon());
    lstBackups_->setObjectName(QStringLiteral("lstBackups"));
    lstBackups_->setMinimumSize(640, 220);
    // A long line wraps rather than hide its end behind a scroll bar.
    lstBackups_->setWordWrap(true);
    lstBackups_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const BackupInfo& b : backups_) {
        lstBackups_->addItem(describe(b));
    }
    auto* caption = new QLabel(backups_.isEmpty() ? tr("There are no backups of this journal yet.")
                                                  : tr("Choose the backup to bring back:"),
                               this);
    cmdRestore_->setObjectName(QStringLiteral("cmdRestore"));
    cmdRestore_->setDefault(true);
    cmdRestore_->setEnabled(false);
    auto* cmdCancel = new QPushButton(tr("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    auto* cmdOther = new QPushButton(tr("&Other File..."), this);
    cmdOther->setObjectName(QStringLiteral("cmdOther"));
    cmdOther->setAutoDefault(false);
    cmdOther->setToolTip(
        tr("Restore a backup kept elsewhere: a zip made by Back Up "
           "Journal, or a journal file"));
    connect(cmdOther, &QPushButton::clicked, this, [this] {
        const QString file = chooseOtherFile_ ? chooseOtherFile_() : QString();
        if (!file.isEmpty()) {
            otherFile_ = file;
            lstBackups_->setCurrentRow(-1);
            accept();
        }
    });
    connect(lstBackups_, &QListWidget::currentRowChanged, this,
            [this](int row) { cmdRestore_->setEnabled(row >= 0); });
    connect(lstBackups_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(cmdRestore_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOther);
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
