// SPDX-License-Identifier: GPL-3.0-or-later
#include "BackupZip.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "AppError.h"
#include "DiskProblem.h"
#include "Module.h"
#include "Store.h"
#include "Tr.h"

namespace wf {

namespace {

const QString kSource = QStringLiteral("wingfolio.BackupZip");

}  // namespace

void writeBackupZip(Store& journal, const QString& imagesDir, const QString& target,
                    const BackupProgress& progress) {
    using Write = bool (*)(const QString&, const QStringList&, const QString&, QString*, int*);
    QString why;
    const auto write = moduleEntry<Write>(QStringLiteral("zip"), kWriteZipEntry, &why);
    if (write == nullptr) {
        throw AppError(err::FileNotFound, kSource,
                       wf::tr("Zip files cannot be written: %1").arg(why));
    }
    // The set first, beside the target (links cost nothing), then zipped.
    const QFileInfo out(target);
    QTemporaryDir work(out.absolutePath() + QStringLiteral("/.wingfolio-backup-XXXXXX"));
    if (!work.isValid()) {
        throw diskProblem(target, errno, kSource);
    }
    const QString set = work.filePath(QStringLiteral("set"));
    Backups::makeSet(journal.database(), imagesDir, set, progress);
    QStringList names{QStringLiteral("aviary.mdb")};
    for (const QString& picture : QDir(set + QStringLiteral("/Images")).entryList(QDir::Files)) {
        names << QStringLiteral("Images/") + picture;
    }
    QString error;
    int errnum = 0;
    if (!write(set, names, target, &error, &errnum)) {
        if (errnum != 0) {
            throw diskProblem(target, errnum, kSource);
        }
        throw AppError(err::PathAccess, kSource,
                       wf::tr("The backup %1 could not be written: %2")
                           .arg(QDir::toNativeSeparators(target), error));
    }
}

void unpackBackupZip(const QString& zip, const QString& folder) {
    using Unpack = bool (*)(const QString&, const QString&, QString*);
    QString why;
    const auto unpack = moduleEntry<Unpack>(QStringLiteral("zip"), kUnpackZipEntry, &why);
    if (unpack == nullptr) {
        throw AppError(err::FileNotFound, kSource, wf::tr("Zip files cannot be read: %1").arg(why));
    }
    QString error;
    if (!unpack(zip, folder, &error)) {
        throw AppError(
            err::BadFileFormat, kSource,
            wf::tr("The backup %1 cannot be read: %2").arg(QDir::toNativeSeparators(zip), error));
    }
}

}  // namespace wf
