// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands that reach beyond its own panes: deleting,
// related entries, options, help, the link editor and the web pane.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressDialog>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>
#include <cstdio>

#include "AppError.h"
#include "BackupZip.h"
#include "Backups.h"
#include "BusyCursor.h"
#include "EntryEditor.h"
#include "FileChooser.h"
#include "JetImporter.h"
#include "PictureView.h"
#include "RichText.h"
#include "StatusPanel.h"
#include "Words.h"
#include "frmGroupOutings.h"
#include "frmHelp.h"
#include "frmLink.h"
#include "frmMain.h"
#include "frmOptions.h"
#include "frmRelated.h"
#include "frmRestore.h"

namespace wf {

void frmMain::NewLink() {
    frmLink editor(state_, *this, this);
    state_.services.dialogs.exec(editor);
}

void frmMain::RelatedEntries() {
    frmRelated dialog(state_, *this, this);
    state_.services.dialogs.exec(dialog);
}

void frmMain::mnuViewOptions_Click() {
    const DateStyle dates = words::dateStyle();
    {
        frmOptions dialog(state_, this);
        state_.services.dialogs.exec(dialog);
    }
    CountLifeLists();
    // The lists show dates: written again in the style chosen.
    if (words::dateStyle() != dates && treePane_->listName() != QLatin1String("Custom Search")) {
        cmbSearchCategory_Click();
    }
}

void frmMain::Help(int command) {
    helpAt(command == frmHelp::kHelpOnHelp ? QStringLiteral("using.html")
                                           : QStringLiteral("index.html"),
           this);
    if (command == frmHelp::kHelpOnHelp) {
        help_->searchBox()->setFocus();
    }
}

void frmMain::helpAt(const QString& page, QWidget* over) {
    if (!help_) {
        help_ = std::make_unique<frmHelp>();
    }
    help_->openPage(page, over);
}

QString frmMain::addressText() const {
    return cmbAddress_->currentText();
}

// Importing an old journal ------------------------------------------------------

void frmMain::mnuFileImport_Click() {
    const QString jet = chooseOpenFile(state_.services.dialogs, this, tr("Import Old Journal"),
                                       QStringLiteral("dlgImportFile"),
                                       tr("Access journals (*.mdb);;All files (*)"));
    if (jet.isEmpty()) {
        return;
    }
    MessageBoxes& messages = state_.services.messages;
    try {
        Store& db = state_.db();
        if (db.rowCount("data") > 0 || db.rowCount("sighting") > 0 || db.rowCount("topics") > 0) {
            messages.notify(tr("Wingfolio imports an old journal only into a new "
                               "journal that holds nothing but the world list. This "
                               "journal already holds entries or sightings."),
                            tr("Import Old Journal"), MsgIcon::Exclamation);
            return;
        }
        const QString target = state_.folder.journalPath();
        const QString fresh =
            QDir(state_.folder.dir()).filePath(QStringLiteral(".aviary.mdb.imported"));
        QFile::remove(fresh);
        QProgressDialog progress(tr("Importing the old journal..."), QString(), 0, 0, this);
        progress.setMinimumDuration(0);
        JetImportHooks hooks;
        hooks.progress = [&](const QString& table, qint64 rows) {
            progress.setLabelText(
                tr("Importing the old journal: %1, %2 rows").arg(table).arg(rows));
        };
        JetImporter::importJournal(jet, fresh, hooks);
        // The new, empty journal gives way to the imported one: kept first.
        Backups(state_.folder.dir())
            .named(state_.db(), state_.services.clock.now(), QStringLiteral("before-import"));
        stopDailyCheck();
        state_.closeDatabase();
        if (std::rename(QFile::encodeName(fresh).constData(),
                        QFile::encodeName(target).constData()) != 0) {
            QFile::remove(fresh);
        }
        state_.AppDatabase = Store::open(target);
    } catch (const AppError& e) {
        if (!state_.hasDatabase()) {
            state_.AppDatabase = Store::open(state_.folder.journalPath());
        }
        messages.notify(e.description(), tr("Import Old Journal"), MsgIcon::Exclamation);
        return;
    }
    journalReplaced();
    messages.notify(tr("The old journal has been imported."), tr("Import Old Journal"),
                    MsgIcon::Information);
}

void frmMain::journalReplaced() {
    readOptions();
    treePane_->chooseBirds();
    state_.CurrentCategory = QStringLiteral("Birds");
    fillCategories(kStartCategories);
    viewer_->setTitle(tr("Welcome to Wingfolio"));
    CountLifeLists();
}

// Backups ------------------------------------------------------------------------

void frmMain::DailyBackup(bool check) {
    StatusPanel* note = panel(QStringLiteral("Backup"));
    const QDate today = state_.services.clock.now().date();
    if (!check && Backups(state_.folder.dir()).hasDaily(today)) {
        note->hide();
        return;
    }
    note->setPanelText(check ? tr("Checking the journal...") : tr("Backing up..."));
    note->show();
    DailyCheck::Hooks hooks;
    auto shown = std::make_shared<std::atomic<int>>(-1);
    hooks.progress = [this, shown](qint64 done, qint64 total) {
        const int percent = total > 0 ? int(done * 100 / total) : 0;
        if (shown->exchange(percent) != percent) {
            QMetaObject::invokeMethod(
                this,
                [this, percent] {
                    panel(QStringLiteral("Backup"))
                        ->setPanelText(tr("Backing up: %1%").arg(percent));
                },
                Qt::QueuedConnection);
        }
    };
    hooks.finished = [this](const DailyCheck::Outcome& outcome) {
        QMetaObject::invokeMethod(
            this, [this, outcome] { dailyCheckEnded(outcome); }, Qt::QueuedConnection);
    };
    hooks.whileChecking = state_.whileChecking;
    dailyCheck_ = std::make_unique<DailyCheck>(state_.db(), state_.folder.dir(), today, check,
                                               std::move(hooks));
}

void frmMain::waitForDailyCheck() {
    if (dailyCheck_) {
        dailyCheck_->wait();
        QCoreApplication::sendPostedEvents(this);
    }
}

void frmMain::stopDailyCheck() {
    dailyCheck_.reset();
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
}

void frmMain::dailyCheckEnded(const DailyCheck::Outcome& outcome) {
    StatusPanel* note = panel(QStringLiteral("Backup"));
    if (outcome.refused()) {
        note->setPanelText(tr("The journal is damaged"));
        state_.services.messages.notify(
            tr("Wingfolio cannot go on with the journal \"%1\".\n\nThe file is "
               "damaged (%2).\n\nWingfolio will not write to it. %3")
                .arg(QDir::toNativeSeparators(state_.folder.journalPath()), outcome.verdict,
                     state_.folder.restoreAdvice()),
            QStringLiteral("Wingfolio"), MsgIcon::Critical);
        emit journalRefused();
        return;
    }
    if (!outcome.backupError.isEmpty() && !outcome.stopped) {
        note->setPanelText(tr("No backup today: ") + outcome.backupError);
        note->show();
        return;
    }
    note->hide();
}

void frmMain::mnuFileBackup_Click() {
    const QString suggested =
        QDir(QDir::homePath())
            .filePath(QStringLiteral("wingfolio-backup-%1.zip")
                          .arg(state_.services.clock.now().date().toString(Qt::ISODate)));
    const QString target =
        chooseSaveFile(state_.services.dialogs, this,
                       {tr("Back Up Journal"), QStringLiteral("dlgBackupFile"), suggested,
                        tr("Wingfolio backups (*.zip);;All files (*)"), QStringLiteral("zip")});
    if (target.isEmpty()) {
        return;
    }
    if (QFileInfo(target).absoluteFilePath() ==
        QFileInfo(state_.folder.journalPath()).absoluteFilePath()) {
        state_.services.messages.notify(tr("A backup cannot take the journal's own place."),
                                        tr("Back Up Journal"), MsgIcon::Exclamation);
        return;
    }
    qint64 pictures = 0;
    try {
        const BusyCursor busy;
        writeBackupZip(state_.db(), state_.folder.imagesDir(), target);
        pictures = QDir(state_.folder.imagesDir()).entryList(QDir::Files | QDir::NoSymLinks).size();
    } catch (const AppError& e) {
        state_.services.messages.notify(e.description(), tr("Back Up Journal"),
                                        MsgIcon::Exclamation);
        return;
    }
    state_.services.messages.notify(
        tr("The journal and its %1 have been saved in %2.")
            .arg(words::counted(pictures, tr("picture"), tr("pictures")))
            .arg(QDir::toNativeSeparators(target)),
        tr("Back Up Journal"), MsgIcon::Information);
}

void frmMain::mnuFileRestore_Click() {
    const Backups backups(state_.folder.dir());
    MessageBoxes& messages = state_.services.messages;
    std::optional<BackupInfo> chosen;
    // A zip is unpacked here first: a set like any other.
    QTemporaryDir unpacked;
    {
        frmRestore dialog(
            backups.list(),
            [this] {
                return chooseOpenFile(state_.services.dialogs, this, tr("Restore From Backup"),
                                      QStringLiteral("dlgRestoreFile"),
                                      tr("Wingfolio backups (*.zip *.mdb);;All files "
                                         "(*)"));
            },
            this);
        if (state_.services.dialogs.exec(dialog) != QDialog::Accepted) {
            return;
        }
        if (dialog.chosen() != nullptr) {
            chosen = *dialog.chosen();
        } else if (!dialog.otherFile().isEmpty()) {
            try {
                const BusyCursor busy;
                QString path = dialog.otherFile();
                if (path.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive)) {
                    unpackBackupZip(path, unpacked.path());
                    path = unpacked.path();
                }
                chosen = Backups::describe(path);
                if (!chosen) {
                    throw AppError(err::BadFileFormat, QStringLiteral("wingfolio.frmMain"),
                                   tr("%1 is not a Wingfolio journal or backup.")
                                       .arg(QDir::toNativeSeparators(dialog.otherFile())));
                }
            } catch (const AppError& e) {
                messages.notify(e.description(), tr("Restore From Backup"), MsgIcon::Exclamation);
                return;
            }
        }
    }
    if (!chosen) {
        return;
    }
    if (!messages.ask(tr("Replace the journal with the backup of %1? The journal as "
                         "it is now, with its pictures, is kept as a backup too.")
                          .arg(frmRestore::describe(*chosen)),
                      tr("Restore From Backup"))) {
        return;
    }
    const QString journal = state_.folder.journalPath();
    try {
        const BusyCursor busy;
        // The journal as it is now, kept with its pictures; then the backup
        // checked and put in its place.
        backups.named(state_.db(), state_.services.clock.now(), QStringLiteral("before-restore"));
        stopDailyCheck();
        state_.closeDatabase();
        Backups::restoreJournal(chosen->journal, chosen->images, journal,
                                state_.folder.imagesDir());
        state_.AppDatabase = Store::open(journal);
    } catch (const AppError& e) {
        if (!state_.hasDatabase()) {
            try {
                state_.AppDatabase = Store::open(journal);
            } catch (const AppError&) {
                messages.notify(e.description(), tr("Restore From Backup"), MsgIcon::Critical);
                QCoreApplication::exit(1);
                return;
            }
        }
        messages.notify(e.description(), tr("Restore From Backup"), MsgIcon::Exclamation);
        return;
    }
    journalReplaced();
    messages.notify(
        tr("The journal has been restored from the backup of %1.").arg(words::date(chosen->date)),
        tr("Restore From Backup"), MsgIcon::Information);
}

// Deleting ---------------------------------------------------------------------

void frmMain::DeleteEntry() {
    try {
        if (viewer_->gridHasFocus()) {
            deleteOneSighting();
        } else if (state_.CurrentEntryKind == QLatin1String("A") ||
                   state_.CurrentEntryKind == QLatin1String("I") ||
                   state_.CurrentEntryKind == QLatin1String("L")) {
            deleteEntryRow();
        } else if (state_.CurrentEntryKind == QLatin1String("S")) {
            deleteAllSightings();
        } else if (state_.CurrentEntryKind == QLatin1String("O")) {
            deleteOuting();
        }
    } catch (const AppError& e) {
        state_.services.messages.notify(
            tr("Error deleting. Error # ") + QString::number(e.number()) + e.description(),
            tr("Error deleting record"), MsgIcon::Exclamation);
    }
}

void frmMain::deleteEntryRow() {
    Store& db = state_.db();
    const std::optional<Entry> e = db.entry(state_.CurrentEntryId);
    if (!e) {
        state_.services.messages.notify(tr("Error deleteing entry. Record not available"),
                                        tr("Error deleting record"), MsgIcon::Exclamation);
        return;
    }
    if (!state_.services.messages.ask(tr("Do you really want to delete the current entry?"),
                                      tr("Delete current Entry"))) {
        return;
    }
    viewer_->clear();
    if (e->type == kImage) {
        if (state_.services.messages.ask(tr("Do you want to erase the image from your computer?"),
                                         tr("Delete Image"))) {
            // Only a file inside the Images folder is ever erased.
            if (const std::optional<QString> path = state_.folder.picturePath(e->fname)) {
                QFile::remove(*path);
            }
        }
    }
    db.deleteEntry(e->id);
    removeNodeQuietly(state_.CurrentEntryKind + QString::number(state_.CurrentEntryId));
    forgetCurrentEntry();
}

void frmMain::deleteOuting() {
    Store& db = state_.db();
    const qint64 id = state_.CurrentEntryId;
    const std::optional<Outing> o = db.outing(id);
    if (!o) {
        return;
    }
    const SubjectContents filed = db.contentsOf(Category::Outings, id);
    const int sightings = db.outingSightingCount(id);
    QString when = o->date.isValid() ? words::date(o->date) : tr("no date");
    if (!o->site.trimmed().isEmpty()) {
        when += tr(" at ") + o->site.trimmed();
    }
    QString question = tr("Delete the outing of %1?").arg(when);
    if (sightings == 1) {
        question += u' ' + tr("Its sighting stays in the journal, in no outing.");
    } else if (sightings > 1) {
        question += u' ' + tr("Its %1 sightings stay in the journal, in no outing.")
                               .arg(QLocale().toString(sightings));
    }
    if (!filed.empty()) {
        question += u' ' + tr("Filed under it, and deleted with it: %1.")
                               .arg(entry_editor::contentsInWords(filed));
    }
    if (!state_.services.messages.confirm(question, tr("Delete Outing"), tr("&Delete"),
                                          tr("&Cancel"))) {
        return;
    }
    db.deleteOuting(id);
    viewer_->clear();
    removeNodeQuietly(QStringLiteral("O") + QString::number(id));
    forgetCurrentEntry();
}

void frmMain::mnuEditGroupOutings_Click() {
    MessageBoxes& messages = state_.services.messages;
    const QString caption = tr("Group Into Outings");
    try {
        std::vector<ProposedOuting> proposed;
        {
            const BusyCursor busy;
            proposed = state_.db().proposedOutings();
        }
        if (proposed.empty()) {
            messages.notify(tr("Every dated sighting is in an outing already."), caption,
                            MsgIcon::Information);
            return;
        }
        frmGroupOutings dialog(std::move(proposed), this);
        if (state_.services.dialogs.exec(dialog) != QDialog::Accepted) {
            return;
        }
        const std::vector<ProposedOuting> chosen = dialog.chosen();
        int tied = 0;
        {
            const BusyCursor busy;
            tied = state_.db().groupIntoOutings(chosen);
        }
        if (treePane_->listName() == QLatin1String("Outings")) {
            cmbSearchCategory_Click();
        }
        messages.notify(tr("%1 made, with %2.")
                            .arg(words::counted(qint64(chosen.size()), tr("outing"), tr("outings")),
                                 words::counted(tied, tr("sighting"), tr("sightings"))),
                        caption, MsgIcon::Information);
    } catch (const AppError& e) {
        messages.notify(tr("The outings could not be made. Error # ") +
                            QString::number(e.number()) + e.description(),
                        caption, MsgIcon::Exclamation);
    }
}

void frmMain::deleteAllSightings() {
    if (!state_.services.messages.ask(
            tr("This will delete all the sightings for this bird. If you want to "
               "delete only one sighting, click the sighting in the right hand "
               "window, then click on DELETE. Do you wish to delete all sightings "
               "now?"),
            tr("Delete All Sightings"))) {
        return;
    }
    state_.db().deleteSightingsOf(state_.CurrentEntryId);
    viewer_->setTitle({});
    removeNodeQuietly(QStringLiteral("S") + QString::number(state_.CurrentEntryId));
    viewer_->clearGrid();
    forgetCurrentEntry();
    CountLifeLists();
}

void frmMain::deleteOneSighting() {
    if (fg1()->rowCount() == 0) {
        return;
    }
    const int row = std::max(fg1()->currentRow(), 0);
    Store& db = state_.db();
    const std::optional<Sighting> s = db.sighting(fg1()->sightingId(row));
    if (!s) {
        return;
    }
    const QString bird = db.subjectName(Category::Birds, s->birdid).value_or(QString());
    if (!state_.services.messages.confirm(
            tr("Delete the sighting of %1?")
                .arg(entry_editor::sightingWords(bird, s->date, s->site)),
            tr("Delete Sighting"), tr("&Delete"), tr("&Cancel"))) {
        return;
    }
    db.deleteSighting(s->id);
    viewer_->clearGrid();
    std::vector<qint64> rest = db.sightingIdsOf(state_.CurrentEntryId);
    if (rest.empty()) {
        removeNodeQuietly(state_.CurrentEntryKind + QString::number(state_.CurrentEntryId));
        forgetCurrentEntry();
        return;
    }
    // The grid stays where it was, the row after the deleted one current.
    const int scrolled = fg1()->verticalScrollBar()->value();
    setUpGrid();
    const int left = int(rest.size());
    FillSightingGrid(std::move(rest));
    fg1()->setCurrentRow(std::min(row, left - 1));
    fg1()->verticalScrollBar()->setValue(scrolled);
}

// Related entries ----------------------------------------------------------------

bool frmMain::showRelatedEntry(const QString& key) {
    // What the window shows no longer matches its current entry.
    toolButton(QStringLiteral("Edit"))->setEnabled(false);
    toolButton(QStringLiteral("Delete"))->setEnabled(false);
    bool ok = false;
    const qint64 id = key.mid(1).toLongLong(&ok);
    if (key.isEmpty() || !ok) {
        return false;
    }
    const Store& db = state_.db();
    try {
        if (key.front() == u'S') {
            std::vector<qint64> rows = db.sightingIdsOf(id);
            if (rows.empty()) {
                return false;
            }
            const QString bird = db.subjectName(Category::Birds, id).value_or(QString());
            showSightings(std::move(rows), bird, bird);
            viewer_->setTitle(bird + tr(" Sighting History"));
            return true;
        }
        const std::optional<Entry> e = db.entry(id);
        if (!e) {
            return false;
        }
        const QString subject = db.subjectName(categoryOf(e->catid), e->subid).value_or(QString());
        const QString title = subject + QStringLiteral(" : ") + e->title;
        if (key.front() == u'A') {
            showArticle(*e, title, subject);
            viewer_->setTitle(title);
        } else if (key.front() == u'I') {
            showImage(*e, title, subject);
            viewer_->setTitle(title);
        } else if (key.front() == u'L') {
            showLink(*e, title, subject);
            viewer_->setTitle(title);
        }
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
    }
    return true;
}

// The web pane ----------------------------------------------------------------

void frmMain::navigate(const QString& address) {
    if (address.trimmed().isEmpty()) {
        return;
    }
    // An address typed without a scheme is a web address, as in any browser.
    if (WebPane* web = ensureWeb()) {
        web->load(QUrl::fromUserInput(address));
    }
}

void frmMain::Internet_Click() {
    if (cmbAddress_->currentText() == QLatin1String("http:///")) {
        navigate(state_.HomeUrl);
    }
    showWeb(true);
    viewer_->showNothing();  // the grid too gives way to the page
}

void frmMain::mnuViewWebBrowser_Click() {
    showWeb(true);
    if (cmbAddress_->currentText() == QLatin1String("http:///")) {
        navigate(state_.HomeUrl);
    }
}

void frmMain::Toolbar1_ButtonClick(const QString& key) {
    // Failed navigations and Back without history show nothing.
    WebPane* view = ensureWeb();
    if (view == nullptr) {
        return;
    }
    if (key == QLatin1String("Back")) {
        if (view->canGoBack()) {
            view->back();
        }
    } else if (key == QLatin1String("Forward")) {
        if (view->canGoForward()) {
            view->forward();
        }
    } else if (key == QLatin1String("Stop")) {
        view->stop();
    } else if (key == QLatin1String("Refresh")) {
        view->reload();
    } else if (key == QLatin1String("Home")) {
        navigate(state_.HomeUrl);
    } else if (key == QLatin1String("Search")) {
        showWeb(true);
        navigate(state_.SearchUrl);
    }
}

void frmMain::cmbAddress_Enter() {
    const QString address = cmbAddress_->currentText();
    navigate(address);
    cmbAddress_->addItem(address);
    cmbAddress_->setEditText(address);
}

}  // namespace wf
