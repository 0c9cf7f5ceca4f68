// SPDX-License-Identifier: GPL-3.0-or-later
#include "Startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <cstdio>

#include "AppError.h"
#include "Backups.h"
#include "JetImporter.h"
#include "Tr.h"
#include "frmMain.h"
#include "frmSplash.h"

namespace wf {

Startup::Startup(Services services, DataFolder folder, QString worldListCsv, int splashMs)
    : state_(services, std::move(folder)),
      worldListCsv_(std::move(worldListCsv)),
      splashMs_(splashMs) {}

Startup::~Startup() = default;

int Startup::begin() {
    state_.EditMode = false;
    state_.CurrentCategory = QStringLiteral("Birds");
    if (!lockJournal()) {
        return kExitJournalInUse;
    }
    if (state_.folder.journalIsJet()) {
        if (!state_.services.messages.ask(
                tr("This journal is stored in the older Access (Jet) format. Import it "
                   "now? The original file is kept as aviary-jet.mdb."),
                QStringLiteral("Wingfolio"), MsgIcon::Question)) {
            lock_.reset();
            return 0;  // the file is left as it is
        }
        if (!importJet()) {
            lock_.reset();
            return 1;
        }
    }
    try {
        // Checked before anything is written after a run that did not end
        // cleanly; once a day (the day's first start, before its backup) the
        // check runs beside the window instead, which saves wait for.
        const bool check = staleLock_;
        checkBeside_ = !staleLock_ &&
                       !Backups(state_.folder.dir()).hasDaily(state_.services.clock.now().date());
        // A journal of an older format is brought up to date once, with a
        // progress window while that runs.
        std::unique_ptr<QProgressDialog> migrating;
        state_.AppDatabase =
            state_.folder.openJournal(worldListCsv_, check, [&](int done, int total) {
                if (!migrating) {
                    migrating = std::make_unique<QProgressDialog>(
                        tr("Bringing the journal up to date..."), QString(), 0, total);
                    migrating->setObjectName(QStringLiteral("dlgMigrate"));
                    migrating->setWindowTitle(QStringLiteral("Wingfolio"));
                    migrating->setMinimumDuration(0);
                    migrating->show();
                }
                migrating->setValue(done);
                QCoreApplication::processEvents();
            });
    } catch (const AppError& e) {
        state_.services.messages.notify(e.description(), QStringLiteral("Wingfolio"),
                                        MsgIcon::Critical);
        lock_.reset();
        return 1;
    }
    splash_ = std::make_unique<frmSplash>(
        state_.services.clock, [this] { showMain(); }, [this] { unloadSplash(); }, splashMs_);
    splash_->showSplash();
    return kRunning;
}

bool Startup::lockJournal() {
    QDir().mkpath(state_.folder.dir());
    lock_ = std::make_unique<QLockFile>(state_.folder.journalPath() + QStringLiteral(".lock"));
    // A program may run for days: only a lock whose process is gone is stale.
    lock_->setStaleLockTime(0);
    const bool leftBehind =
        QFileInfo::exists(lock_->fileName()) ||
        QFileInfo(state_.folder.journalPath() + QStringLiteral(".lock")).exists();
    if (lock_->tryLock(0)) {
        staleLock_ = leftBehind;  // the last run ended without unlocking
        return true;
    }
    QString text;
    if (lock_->error() == QLockFile::LockFailedError) {
        text = tr("The journal %1 is already open in another window of Wingfolio. "
                  "Use that window, or close it and start Wingfolio again.")
                   .arg(QDir::toNativeSeparators(state_.folder.journalPath()));
    } else {
        text = tr("Wingfolio cannot make its lock file beside the journal %1: the "
                  "folder cannot be written.")
                   .arg(QDir::toNativeSeparators(state_.folder.journalPath()));
    }
    lock_.reset();
    state_.services.messages.notify(text, QStringLiteral("Wingfolio"), MsgIcon::Critical);
    return false;
}

bool Startup::importJet() {
    QProgressDialog progress(tr("Importing the old journal..."), QString(), 0, 0);
    progress.setObjectName(QStringLiteral("dlgImport"));
    progress.setWindowTitle(QStringLiteral("Wingfolio"));
    progress.setMinimumDuration(0);
    progress.show();
    JetImportHooks hooks;
    hooks.progress = [&](const QString& table, qint64 rows) {
        progress.setLabelText(tr("Importing the old journal: %1, %2 rows").arg(table).arg(rows));
        QCoreApplication::processEvents();
    };
    try {
        state_.folder.importJetJournal(hooks);
    } catch (const AppError& e) {
        state_.services.messages.notify(e.description(), QStringLiteral("Wingfolio"),
                                        MsgIcon::Critical);
        return false;
    }
    return true;
}

void Startup::showMain() {
    main_ = std::make_unique<frmMain>(state_);
    QObject::connect(main_.get(), &frmMain::journalRefused, main_.get(), [this] {
        // As a start refuses it: the program ends, the journal untouched.
        main_->close();
        QCoreApplication::exit(1);
    });
    main_->show();
    main_->DailyBackup(checkBeside_);
    if (onMainShown_) {
        onMainShown_();
    }
}

void Startup::unloadSplash() {
    if (splash_) {
        // The splash is inside its own timer's callback: let the event loop
        // delete it once that has returned.
        splash_->hide();
        splash_.release()->deleteLater();
    }
}

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine cl;
    QCommandLineParser p;
    p.setApplicationDescription(
        tr("Wingfolio, a journal for bird watchers: sightings and life lists, articles, pictures "
           "and web links filed under birds and other topics."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  tr("Shows this help and ends."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     tr("Shows the version and ends."));
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        tr("Keeps the journal (aviary.mdb) and its Images folder in <folder> "
           "instead of the usual data folder. A new journal is made there when "
           "it holds none."),
        QStringLiteral("folder"));
    QCommandLineOption splashMs(QStringLiteral("splash-ms"),
                                tr("How long the splash window shows (ms)."), QStringLiteral("ms"),
                                QStringLiteral("2500"));
    splashMs.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption quit(QStringLiteral("quit-when-shown"),
                            tr("Prints \"shown\" and ends once the main window is first painted."));
    quit.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption idleMemory(QStringLiteral("report-idle-memory"),
                                  tr("Prints the resident memory of the idle main "
                                     "window and ends."));
    idleMemory.setFlags(QCommandLineOption::HiddenFromHelp);
    const QCommandLineOption importEbird(
        QStringLiteral("import-ebird"),
        tr("Imports eBird's \"My eBird Data\" (the .csv or the .zip it comes in) "
           "into the journal without opening a window, prints a summary and ends."),
        QStringLiteral("file"));
    const QCommandLineOption exportEbird(
        QStringLiteral("export-ebird"),
        tr("Writes the sightings in eBird Record Format (extended), for upload to "
           "eBird, and ends."),
        QStringLiteral("file"));
    const QCommandLineOption from(QStringLiteral("from"),
                                  tr("With --export-ebird: only sightings from this "
                                     "date on (YYYY-MM-DD)."),
                                  QStringLiteral("date"));
    const QCommandLineOption to(QStringLiteral("to"),
                                tr("With --export-ebird: only sightings up to this "
                                   "date (YYYY-MM-DD)."),
                                QStringLiteral("date"));
    const QCommandLineOption includeImported(
        QStringLiteral("include-imported"),
        tr("With --export-ebird: also the sightings imported from eBird (left out "
           "otherwise: they are on eBird already)."));
    const QCommandLineOption exportSightings(
        QStringLiteral("export-sightings"),
        tr("Writes every sighting, with all its columns, as CSV and ends."),
        QStringLiteral("file"));
    const QCommandLineOption exportLifeList(
        QStringLiteral("export-life-list"),
        tr("Writes the life lists of the world and of the active areas as CSV and "
           "ends."),
        QStringLiteral("file"));
    const QCommandLineOption translation(
        QStringLiteral("translation"),
        tr("Shows the program in the translation of <file> (a .qm file made by lrelease) "
           "instead of the one for the language of the system."),
        QStringLiteral("file"));
    p.addOptions({help, version, dataDir, importEbird, exportEbird, from, to, includeImported,
                  exportSightings, exportLifeList, translation, splashMs, quit, idleMemory});
    if (!p.parse(arguments)) {
        cl.errors = tr("wingfolio: %1\nTry 'wingfolio --help'.\n").arg(p.errorText());
        cl.exitStatus = 2;
        return cl;
    }
    if (p.isSet(help)) {
        // The parser names the program after the running application, which
        // does not exist yet: the usage line gets the command's own name.
        QString text = p.helpText();
        const qsizetype options = text.indexOf(QStringLiteral(" [options]"));
        if (text.startsWith(QStringLiteral("Usage: ")) && options > 0) {
            text.replace(0, options, QStringLiteral("Usage: wingfolio"));
        }
        cl.output = text;
        cl.exitStatus = 0;
        return cl;
    }
    if (p.isSet(version)) {
        cl.output = tr("Wingfolio %1\n").arg(QStringLiteral(WINGFOLIO_VERSION));
        cl.exitStatus = 0;
        return cl;
    }
    if (!p.positionalArguments().isEmpty()) {
        cl.errors = tr("wingfolio: unexpected argument '%1'\nTry 'wingfolio --help'.\n")
                        .arg(p.positionalArguments().front());
        cl.exitStatus = 2;
        return cl;
    }
    cl.dataDir = p.value(dataDir);
    cl.importEbird = p.value(importEbird);
    cl.exportEbird = p.value(exportEbird);
    cl.includeImported = p.isSet(includeImported);
    cl.exportSightings = p.value(exportSightings);
    cl.exportLifeList = p.value(exportLifeList);
    for (const auto& [option, date] : {std::pair{&from, &cl.from}, std::pair{&to, &cl.to}}) {
        if (p.isSet(*option)) {
            *date = QDate::fromString(p.value(*option), Qt::ISODate);
            if (!date->isValid()) {
                cl.errors = tr("wingfolio: --%1 takes a date as YYYY-MM-DD, not "
                               "'%2'\nTry 'wingfolio --help'.\n")
                                .arg(option->names().front(), p.value(*option));
                cl.exitStatus = 2;
                return cl;
            }
        }
    }
    bool ok = false;
    const int ms = p.value(splashMs).toInt(&ok);
    cl.splashMs = ok && ms >= 0 ? ms : 2500;
    cl.quitWhenShown = p.isSet(quit);
    cl.reportIdleMemory = p.isSet(idleMemory);
    return cl;
}

}  // namespace wf
