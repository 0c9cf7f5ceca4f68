// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFolder.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include "Backups.h"
#include "Schema.h"

#include <QDir>
#include <QFileInfo>

#include "AppError.h"
#include "JetImporter.h"
#include "Store.h"
#include "Tr.h"

namespace wf {

namespace {
const QString kSource = QStringLiteral("wingfolio.DataFolder");
}

QString DataFolder::choose(const QString& commandLineDir, const QString& programDir,
                           const QString& userDataDir) {
    if (!commandLineDir.isEmpty()) {
        return QDir(commandLineDir).absolutePath();
    }
    if (!programDir.isEmpty() && QFileInfo::exists(QDir(programDir).filePath(Store::kFileName))) {
        return QDir(programDir).absolutePath();
    }
    return QDir(userDataDir).absolutePath();
}

QString DataFolder::journalPath() const {
    return QDir(dir_).filePath(Store::kFileName);
}

QString DataFolder::imagesDir() const {
    return QDir(dir_).filePath(QStringLiteral("Images"));
}

std::optional<QString> DataFolder::picturePath(const QString& fname) const {
    if (fname.isEmpty() || fname == QLatin1String(".") || fname == QLatin1String("..") ||
        fname.contains(u'/') || fname.contains(QChar(0))) {
        return std::nullopt;
    }
    const QString exact = imagesDir() + u'/' + fname;
    if (QFileInfo::exists(exact) || QFileInfo(exact).isSymLink()) {
        return exact;
    }
    // A symbolic link is never taken for a picture, however its name is cased.
    const QStringList near =
        QDir(imagesDir()).entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    QString found;
    int matches = 0;
    for (const QString& name : near) {
        if (name.compare(fname, Qt::CaseInsensitive) == 0) {
            found = name;
            ++matches;
        }
    }
    return matches == 1 ? imagesDir() + u'/' + found : exact;
}

bool DataFolder::journalIsJet() const {
    return JetImporter::isJetFile(journalPath());
}

QString DataFolder::jetBackupPath() const {
    return QDir(dir_).filePath(QStringLiteral("aviary-jet.mdb"));
}

void DataFolder::importJetJournal(const JetImportHooks& hooks) const {
    const QString jet = journalPath();
    const QString backup = jetBackupPath();
    if (QFileInfo::exists(backup)) {
        throw AppError(err::PathAccess, kSource,
                       wf::tr("The old journal cannot be kept as \"%1\": a file of that "
                              "name exists already.")
                           .arg(QDir::toNativeSeparators(backup)));
    }
    const QString fresh = QDir(dir_).filePath(QStringLiteral(".aviary.mdb.imported"));
    QFile::remove(fresh);
    JetImporter::importJournal(jet, fresh, hooks);
    // Only now that the new journal is complete does the old one move aside.
    if (!QFile::rename(jet, backup)) {
        QFile::remove(fresh);
        throw AppError(err::PathAccess, kSource,
                       wf::tr("The old journal cannot be renamed to \"%1\".")
                           .arg(QDir::toNativeSeparators(backup)));
    }
    if (!QFile::rename(fresh, jet)) {
        QFile::rename(backup, jet);
        QFile::remove(fresh);
        throw AppError(err::PathAccess, kSource,
                       wf::tr("The imported journal cannot be put in place."));
    }
    QDir().mkpath(imagesDir());
}

QString DataFolder::restoreAdvice() const {
    // The newest backup that is whole, and how to bring it back by hand
    // (the program does not start on a journal it refuses).
    for (const BackupInfo& b : Backups(dir_).list()) {
        try {
            SQLite::Database copy(QFile::encodeName(b.journal).toStdString(),
                                  SQLite::OPEN_READONLY);
            schema::registerFunctions(copy.getHandle());
            if (Store::quickCheck(copy) != QLatin1String("ok")) {
                continue;
            }
        } catch (const SQLite::Exception&) {
            continue;
        }
        if (b.isSet()) {
            return wf::tr(
                       "The newest good backup is the set %1. To restore it, move the "
                       "refused aviary.mdb out of the data folder %2, copy the set's "
                       "aviary.mdb there, copy the files of the set's Images folder into %3 "
                       "(keeping those already there), then start Wingfolio again.")
                .arg(QDir::toNativeSeparators(b.path), QDir::toNativeSeparators(dir_),
                     QDir::toNativeSeparators(imagesDir()));
        }
        return wf::tr(
                   "The newest good backup is %1. To restore it, move the refused "
                   "aviary.mdb out of the data folder %2 and copy the backup there as "
                   "aviary.mdb, then start Wingfolio again.")
            .arg(QDir::toNativeSeparators(b.path), QDir::toNativeSeparators(dir_));
    }
    return wf::tr("There is no good backup of it in %1.")
        .arg(QDir::toNativeSeparators(Backups(dir_).folder()));
}

std::unique_ptr<Store> DataFolder::openJournal(
    const QString& worldListCsv, bool quickCheck,
    const std::function<void(int, int)>& migrationProgress) const {
    const QString path = journalPath();
    auto wrap = [&](const AppError& e) {
        return AppError(e.number(), e.source(),
                        wf::tr("Wingfolio cannot open the journal \"%1\".\n\n%2")
                            .arg(QDir::toNativeSeparators(path), e.description()));
    };
    std::unique_ptr<Store> store;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        try {
            store = Store::open(path, quickCheck, migrationProgress);
        } catch (const AppError& e) {
            // A file in use is not refused for what it holds.
            if (e.number() == err::DatabaseLocked) {
                throw wrap(e);
            }
            throw AppError(e.number(), e.source(),
                           wrap(e).description() +
                               wf::tr("\n\nWingfolio will not write "
                                      "to it. ") +
                               restoreAdvice());
        }
    } else {
        if (!QDir().mkpath(dir_)) {
            throw AppError(err::PathAccess, kSource,
                           wf::tr("Wingfolio cannot create its data folder \"%1\". "
                                  "Choose a folder you can write to with --data-dir.")
                               .arg(QDir::toNativeSeparators(dir_)));
        }
        try {
            store = Store::create(path, worldListCsv);
        } catch (const AppError& e) {
            throw AppError(e.number(), e.source(),
                           wf::tr("Wingfolio cannot create a new journal in the data "
                                  "folder \"%1\".\n\n%2")
                               .arg(QDir::toNativeSeparators(dir_), e.description()));
        }
    }
    if (!QDir().mkpath(imagesDir())) {
        throw AppError(err::PathAccess, kSource,
                       wf::tr("Wingfolio cannot create the picture folder \"%1\".")
                           .arg(QDir::toNativeSeparators(imagesDir())));
    }
    return store;
}

}  // namespace wf
