// SPDX-License-Identifier: GPL-3.0-or-later
// File, Import eBird Data and Export: the exchange with eBird and with other
// programs, behind the plain classes that do the work.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QVBoxLayout>
#include <optional>

#include "AppError.h"
#include "Backups.h"
#include "BusyCursor.h"
#include "DateField.h"
#include "EbirdImport.h"
#include "Export.h"
#include "FileChooser.h"
#include "IsoCodes.h"
#include "StatusPanel.h"
#include "Tr.h"
#include "Words.h"
#include "frmMain.h"
#include "frmReviewNames.h"

namespace wf {

namespace {

QString importTitle() {
    return wf::tr("Import eBird Data");
}

}  // namespace

void frmMain::mnuFileImportEbird_Click() {
    const QString file = chooseOpenFile(state_.services.dialogs, this, importTitle(),
                                        QStringLiteral("dlgImportEbirdFile"),
                                        tr("My eBird Data (*.csv *.zip);;All files (*)"));
    if (file.isEmpty()) {
        return;
    }
    MessageBoxes& messages = state_.services.messages;
    EbirdImportResult result;
    try {
        std::optional<EbirdImport> import;
        {
            const BusyCursor busy;
            // Read and checked whole before the journal is touched.
            import.emplace(file, IsoCodes::system());
            Backups(state_.folder.dir())
                .named(state_.db(), state_.services.clock.now(), QStringLiteral("before-import"));
        }
        QProgressDialog progress(tr("Importing eBird records..."), tr("Cancel"), 0,
                                 import->rowCount(), this);
        progress.setObjectName(QStringLiteral("dlgImportEbird"));
        progress.setWindowTitle(importTitle());
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(300);
        result = import->run(state_.db(), [&](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        });
    } catch (const AppError& e) {
        messages.notify(e.description(), importTitle(),
                        e.number() == err::Cancelled ? MsgIcon::Information : MsgIcon::Exclamation);
        return;
    }
    // The lists and the life-list counts as the journal now is.
    cmbSearchCategory_Click();
    CountLifeLists();
    messages.notify(result.summary(), importTitle(), MsgIcon::Information);
    if (result.waiting > 0 &&
        messages.ask(tr("%1 under %2 match no bird of the world list by both their "
                        "names. Review them now?")
                         .arg(words::counted(result.waiting, tr("record"), tr("records")),
                              words::counted(result.waitingNames, tr("name"), tr("names"))),
                     importTitle())) {
        mnuFileReviewNames_Click();
    }
}

void frmMain::mnuFileReviewNames_Click() {
    bool changed = false;
    {
        frmReviewNames review(state_, this);
        state_.services.dialogs.exec(review);
        changed = review.changed();
    }
    if (changed) {
        cmbSearchCategory_Click();
        CountLifeLists();
    }
    countWaitingNames();
}

void frmMain::countWaitingNames() {
    int waiting = 0;
    try {
        waiting = int(state_.db().rowCount("ebird_pending"));
    } catch (const AppError&) {
        waiting = 0;  // the counts are told elsewhere
    }
    menuItem(QStringLiteral("mnuFileReviewNames"))
        ->setText(waiting > 0 ? tr("Re&view eBird Names (%1)...").arg(waiting)
                              : tr("Re&view eBird Names..."));
    StatusPanel* panelWaiting = panel(QStringLiteral("Waiting"));
    // Short, so that the life-list counts keep their room.
    panelWaiting->setPanelText(tr("To review: %1").arg(waiting));
    panelWaiting->setToolTip(tr("%1 eBird records wait for their names to be reviewed "
                                "(File, Review eBird Names)")
                                 .arg(waiting));
    panelWaiting->setVisible(waiting > 0);
}

void frmMain::exportFile(ExportKind kind) {
    struct Kind {
        const char* title;
        const char* name;
        const char* filter;
    };
    static const Kind kKinds[] = {
        {QT_TR_NOOP("Export for eBird"), "ebird-upload",
         QT_TR_NOOP("eBird Record Format (*.csv);;All files (*)")},
        {QT_TR_NOOP("Export Sightings"), "sightings",
         QT_TR_NOOP("CSV files (*.csv);;All files (*)")},
        {QT_TR_NOOP("Export Life Lists"), "life-lists",
         QT_TR_NOOP("CSV files (*.csv);;All files (*)")},
    };
    const Kind& k = kKinds[int(kind)];
    const QString title = tr(k.title);
    QDate from;
    QDate to;
    bool includeImported = false;
    if (kind == ExportKind::Ebird && !askDateRange(from, to, includeImported)) {
        return;
    }
    const QString suggested =
        QDir(QDir::homePath())
            .filePath(QStringLiteral("wingfolio-%1-%2.csv")
                          .arg(QString::fromLatin1(k.name))
                          .arg(state_.services.clock.now().date().toString(Qt::ISODate)));
    const QString target = chooseSaveFile(
        state_.services.dialogs, this,
        {title, QStringLiteral("dlgExportFile"), suggested, tr(k.filter), QStringLiteral("csv")});
    if (target.isEmpty()) {
        return;
    }
    int rows = 0;
    Exporter::UploadFiles upload;
    try {
        const BusyCursor busy;
        const Exporter exporter(state_.db(), IsoCodes::system());
        switch (kind) {
            case ExportKind::Ebird:
                upload = exporter.writeEbirdUpload(target, from, to, includeImported);
                rows = upload.rows;
                break;
            case ExportKind::Sightings:
                rows = exporter.writeSightingsCsv(target);
                break;
            case ExportKind::LifeLists:
                rows = exporter.writeLifeListsCsv(target, state_.db().options());
                break;
        }
    } catch (const AppError& e) {
        state_.services.messages.notify(e.description(), title, MsgIcon::Exclamation);
        return;
    }
    QString said = tr("%1 written to %2.")
                       .arg(kind == ExportKind::LifeLists
                                ? words::counted(rows, tr("row"), tr("rows"))
                                : words::counted(rows, tr("sighting"), tr("sightings")),
                            QDir::toNativeSeparators(target));
    if (upload.files.size() > 1) {
        QStringList names;
        for (const QString& f : upload.files) {
            names << QFileInfo(f).fileName();
        }
        said = tr("%1 written to %2 files, each under 1 MB as eBird's upload asks: %3.")
                   .arg(words::counted(rows, tr("sighting"), tr("sightings")))
                   .arg(upload.files.size())
                   .arg(names.join(QStringLiteral(", ")));
    }
    if (upload.leftOut > 0) {
        said += tr("\n\n%1 imported from eBird %2 left out: %3 on eBird already.")
                    .arg(words::counted(upload.leftOut, tr("sighting"), tr("sightings")),
                         upload.leftOut == 1 ? QStringLiteral("was") : QStringLiteral("were"),
                         upload.leftOut == 1 ? tr("it is") : tr("they are"));
    }
    state_.services.messages.notify(said, title, MsgIcon::Information);
}

bool frmMain::askDateRange(QDate& from, QDate& to, bool& includeImported) {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("frmExportRange"));
    dialog.setWindowTitle(tr("Export for eBird"));
    dialog.setMinimumWidth(dialog.fontMetrics().averageCharWidth() * 56);
    auto* layout = new QVBoxLayout(&dialog);
    auto* intro = new QLabel(tr("The sightings are written in eBird Record Format, "
                                "ready for eBird's upload page."),
                             &dialog);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* only = new QCheckBox(tr("&Only sightings dated"), &dialog);
    only->setObjectName(QStringLiteral("chkRange"));
    layout->addWidget(only);
    auto* form = new QFormLayout;
    const QDate today = state_.services.clock.now().date();
    const auto [fromField, toField] = addDateRange(form, &dialog, QDate(today.year(), 1, 1), today);
    layout->addLayout(form);
    fromField->setEnabled(false);
    toField->setEnabled(false);
    auto* imported = new QCheckBox(tr("&Include sightings imported from eBird"), &dialog);
    imported->setObjectName(QStringLiteral("chkImported"));
    imported->setToolTip(
        tr("They are on eBird already: uploaded again, each would be "
           "there twice."));
    layout->addWidget(imported);
    connect(only, &QCheckBox::toggled, fromField, &QWidget::setEnabled);
    connect(only, &QCheckBox::toggled, toField, &QWidget::setEnabled);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (state_.services.dialogs.exec(dialog) != QDialog::Accepted) {
        return false;
    }
    if (only->isChecked()) {
        from = std::min(fromField->date(), toField->date());
        to = std::max(fromField->date(), toField->date());
    }
    includeImported = imported->isChecked();
    return true;
}

}  // namespace wf
