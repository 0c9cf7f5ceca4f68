// SPDX-License-Identifier: GPL-3.0-or-later
#include "Backups.h"

#include <sqlite3.h>
#include <unistd.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#include "AppError.h"
#include "DiskProblem.h"
#include "Schema.h"
#include "Store.h"
#include "Tr.h"

namespace wf {

namespace {

const QString kSource = QStringLiteral("wingfolio.Backups");
const QLatin1String kPrefix("aviary-");
const QLatin1String kOldSuffix(".mdb");

struct BackupName {
    QDate date;  // invalid when the name is not a backup's
    QTime time;
    QString reason;  // empty for a daily backup
};

bool digits(QStringView s) {
    return !s.isEmpty() &&
           std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// "aviary-2026-12-06", "aviary-2026-12-06-131500-before-import" (a set, made
// a second time in the same second as "...-131500-2-before-import") or, as
// older versions named their copies, "aviary-2026-12-06-before-import.mdb":
// the date, the time, and the reason in lower-case letters and hyphens.
// Anything else is not a backup of the program's (the date is invalid). The
// folder is read whole and the names checked here, by hand: a name filter or
// a pattern would bring in the regular expression engine at every start.
BackupName parseBackupName(const QString& name, bool set) {
    const qsizetype dateEnd = kPrefix.size() + 10;
    const qsizetype end = set ? name.size() : name.size() - kOldSuffix.size();
    if (!name.startsWith(kPrefix) || end < dateEnd || (!set && !name.endsWith(kOldSuffix))) {
        return {};
    }
    const QStringView date = QStringView(name).mid(kPrefix.size(), 10);
    for (qsizetype i = 0; i < date.size(); ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? date[i] != u'-' : !(date[i] >= u'0' && date[i] <= u'9')) {
            return {};
        }
    }
    BackupName out{QDate::fromString(date.toString(), Qt::ISODate), {}, {}};
    QStringView rest = QStringView(name).mid(dateEnd, end - dateEnd);
    if (set && rest.size() >= 7 && rest[0] == u'-' && digits(rest.mid(1, 6)) &&
        (rest.size() == 7 || rest[7] == u'-')) {
        out.time = QTime::fromString(rest.mid(1, 6).toString(), QStringLiteral("HHmmss"));
        if (!out.time.isValid()) {
            return {};
        }
        rest = rest.mid(7);
        // A second set of the same second: its number.
        qsizetype n = 1;
        while (n < rest.size() && rest[n] >= u'0' && rest[n] <= u'9') {
            ++n;
        }
        if (n > 1 && (n == rest.size() || rest[n] == u'-')) {
            rest = rest.mid(n);
        }
    }
    if (!rest.isEmpty()) {
        if (rest.size() < 2 || rest[0] != u'-') {
            return {};
        }
        for (const QChar c : rest.mid(1)) {
            if (!((c >= u'a' && c <= u'z') || c == u'-')) {
                return {};
            }
        }
        out.reason = rest.mid(1).toString();
    }
    return out;
}

QString dailyName(QDate day) {
    return kPrefix + day.toString(Qt::ISODate);
}

// A picture file put into a set or back into Images: a hard link where the
// file system has them, else a copy made under a hidden name and renamed
// into place when whole.
void linkOrCopy(const QString& from, const QString& to) {
    const QByteArray src = QFile::encodeName(from);
    const QByteArray dst = QFile::encodeName(to);
    if (::link(src.constData(), dst.constData()) == 0) {
        return;
    }
    if (errno == EEXIST) {
        throw AppError(
            err::PathAccess, kSource,
            wf::tr("%1 is there already; it was left as it is.").arg(QDir::toNativeSeparators(to)));
    }
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        throw AppError(err::PathAccess, kSource,
                       wf::tr("The picture %1 cannot be read: %2")
                           .arg(QDir::toNativeSeparators(from), in.errorString()));
    }
    const QFileInfo target(to);
    QTemporaryFile out(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                       QStringLiteral(".XXXXXX"));
    if (!out.open()) {
        throw diskProblem(to, errno, kSource);
    }
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) {
            throw AppError(err::PathAccess, kSource,
                           wf::tr("The picture %1 cannot be read: %2")
                               .arg(QDir::toNativeSeparators(from), in.errorString()));
        }
        if (n == 0) {
            break;
        }
        if (out.write(buffer, n) != n) {
            throw diskProblem(to, errno, kSource);
        }
    }
    if (!out.flush() || ::fsync(out.handle()) != 0) {
        throw diskProblem(to, errno, kSource);
    }
    out.close();
    if (::rename(QFile::encodeName(out.fileName()).constData(), dst.constData()) != 0) {
        throw diskProblem(to, errno, kSource);
    }
    out.setAutoRemove(false);
}

// The picture files of a folder: regular files, never a symbolic link.
QStringList pictureFiles(const QString& dir) {
    QStringList out;
    for (const QFileInfo& f :
         QDir(dir).entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::NoDotAndDotDot)) {
        if (!f.fileName().startsWith(u'.')) {
            out << f.fileName();
        }
    }
    return out;
}

void removeBackup(const QString& path) {
    if (QFileInfo(path).isDir()) {
        QDir(path).removeRecursively();
    } else {
        QFile::remove(path);
    }
}

}  // namespace

Backups::Backups(QString dataDir) : dir_(std::move(dataDir)) {}

QString Backups::folder() const {
    return QDir(dir_).filePath(QStringLiteral("Backups"));
}

QString Backups::imagesDir() const {
    return QDir(dir_).filePath(QStringLiteral("Images"));
}

void Backups::copyJournal(Store& journal, const QString& target, const BackupProgress& progress) {
    copyJournal(journal.database(), target, progress);
}

void Backups::copyJournal(SQLite::Database& journal, const QString& target,
                          const BackupProgress& progress, bool checked) {
    // A copy of a damaged journal is worth nothing: it is checked first.
    const QString verdict = checked ? QStringLiteral("ok") : Store::quickCheck(journal);
    if (verdict != QLatin1String("ok")) {
        throw AppError(err::DatabaseDamaged, kSource,
                       wf::tr("The journal is damaged (%1): no backup was made.").arg(verdict));
    }
    const QFileInfo info(target);
    if (!QDir().mkpath(info.absolutePath())) {
        throw AppError(err::PathAccess, kSource,
                       wf::tr("The folder %1 cannot be made.")
                           .arg(QDir::toNativeSeparators(info.absolutePath())));
    }
    QTemporaryFile part(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!part.open()) {
        throw diskProblem(target, errno, kSource);
    }
    part.close();
    sqlite3* copy = nullptr;
    int rc = sqlite3_open(QFile::encodeName(part.fileName()).constData(), &copy);
    if (rc == SQLITE_OK) {
        sqlite3_backup* b = sqlite3_backup_init(copy, "main", journal.getHandle(), "main");
        if (b == nullptr) {
            rc = sqlite3_errcode(copy);
        } else {
            // Step by step, so the journal is never held for long.
            try {
                do {
                    rc = sqlite3_backup_step(b, 256);
                    if (progress && (rc == SQLITE_OK || rc == SQLITE_DONE)) {
                        const int total = sqlite3_backup_pagecount(b);
                        progress(total - sqlite3_backup_remaining(b), total);
                    }
                    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                        sqlite3_sleep(20);
                    }
                } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
            } catch (...) {
                // Stopped from outside: both connections let go of.
                sqlite3_backup_finish(b);
                sqlite3_close(copy);
                throw;
            }
            sqlite3_backup_finish(b);
            rc = rc == SQLITE_DONE ? sqlite3_errcode(copy) : rc;
        }
    }
    const QString problem = copy ? QString::fromUtf8(sqlite3_errmsg(copy)) : QString();
    const int primary = rc & 0xFF;
    sqlite3_close(copy);
    if (primary == SQLITE_FULL) {
        throw diskProblem(target, ENOSPC, kSource);
    }
    if (primary == SQLITE_IOERR) {
        throw diskProblem(target, EIO, kSource);
    }
    if (rc != SQLITE_OK) {
        throw AppError(err::PathAccess, kSource,
                       wf::tr("The backup %1 could not be written: %2")
                           .arg(QDir::toNativeSeparators(target), problem));
    }
    // Whole: put in place under its own name.
    if (::rename(QFile::encodeName(part.fileName()).constData(),
                 QFile::encodeName(target).constData()) != 0) {
        throw diskProblem(target, errno, kSource);
    }
    part.setAutoRemove(false);
}

void Backups::makeSet(SQLite::Database& journal, const QString& imagesDir, const QString& target,
                      const BackupProgress& progress, bool checked) {
    const QFileInfo info(target);
    if (info.exists()) {
        throw AppError(err::PathAccess, kSource,
                       wf::tr("The backup %1 is there already; it was left as it is.")
                           .arg(QDir::toNativeSeparators(target)));
    }
    if (!QDir().mkpath(info.absolutePath())) {
        throw AppError(err::PathAccess, kSource,
                       wf::tr("The folder %1 cannot be made.")
                           .arg(QDir::toNativeSeparators(info.absolutePath())));
    }
    // Built under a hidden name; whatever stops it takes the part made away.
    QTemporaryDir part(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                       QStringLiteral(".XXXXXX"));
    if (!part.isValid()) {
        throw diskProblem(target, errno, kSource);
    }
    const QStringList pictures = pictureFiles(imagesDir);
    const qint64 pictureWeight = pictures.size();
    qint64 journalTotal = 0;
    copyJournal(
        journal, part.filePath(QStringLiteral("aviary.mdb")),
        [&](qint64 done, qint64 all) {
            journalTotal = all;
            if (progress) {
                progress(done, all + pictureWeight);
            }
        },
        checked);
    const QString images = part.filePath(QStringLiteral("Images"));
    if (!QDir().mkpath(images)) {
        throw diskProblem(target, errno, kSource);
    }
    qint64 done = 0;
    for (const QString& name : pictures) {
        linkOrCopy(QDir(imagesDir).filePath(name), QDir(images).filePath(name));
        if (progress) {
            progress(journalTotal + ++done, journalTotal + pictureWeight);
        }
    }
    if (::rename(QFile::encodeName(part.path()).constData(),
                 QFile::encodeName(target).constData()) != 0) {
        throw diskProblem(target, errno, kSource);
    }
    part.setAutoRemove(false);
}

QString Backups::daily(Store& journal, QDate today, const BackupProgress& progress) const {
    return daily(journal.database(), today, false, progress);
}

QString Backups::daily(SQLite::Database& journal, QDate today, bool checked,
                       const BackupProgress& progress) const {
    QString made;
    if (!hasDaily(today)) {
        made = QDir(folder()).filePath(dailyName(today));
        makeSet(journal, imagesDir(), made, progress, checked);
    }
    QList<QDate> days;
    const QDir dir(folder());
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const BackupName b = parseBackupName(f.fileName(), f.isDir());
        if (b.date.isValid() && b.reason.isEmpty() && !b.time.isValid()) {
            days << b.date;
        }
    }
    // A picture deleted in the program is freed with the last set holding it.
    for (const QDate& d : toRemove(days)) {
        removeBackup(dir.filePath(dailyName(d)));
        removeBackup(dir.filePath(dailyName(d) + kOldSuffix));
    }
    return made;
}

bool Backups::hasDaily(QDate day) const {
    const QString base = QDir(folder()).filePath(dailyName(day));
    return QFileInfo(base).isDir() || QFileInfo::exists(base + kOldSuffix);
}

QString Backups::named(Store& journal, const QDateTime& now, const QString& reason) const {
    return named(journal.database(), now, reason);
}

QString Backups::named(SQLite::Database& journal, const QDateTime& now,
                       const QString& reason) const {
    const QString stamp =
        dailyName(now.date()) + u'-' + now.time().toString(QStringLiteral("HHmmss"));
    QString name = stamp + u'-' + reason;
    for (int n = 2; QFileInfo::exists(QDir(folder()).filePath(name)); ++n) {
        name = stamp + u'-' + QString::number(n) + u'-' + reason;
    }
    return makeNamed(journal, name, {});
}

QString Backups::makeNamed(SQLite::Database& journal, const QString& name,
                           const BackupProgress& progress) const {
    const QString target = QDir(folder()).filePath(name);
    makeSet(journal, imagesDir(), target, progress);
    return target;
}

QList<QDate> Backups::toRemove(QList<QDate> days) {
    std::sort(days.begin(), days.end(), std::greater<>());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    QList<QDate> out;
    std::set<std::pair<int, int>> weeks;
    for (int i = 0; i < days.size(); ++i) {
        if (i < 7) {
            continue;  // the 7 newest days
        }
        int year = 0;
        const int week = days[i].weekNumber(&year);
        // The newest backup of each of the 8 weeks before them.
        if (weeks.size() < 8 && weeks.insert({year, week}).second) {
            continue;
        }
        out << days[i];
    }
    return out;
}

std::optional<BackupInfo> Backups::describe(const QString& path) {
    const QFileInfo f(path);
    BackupInfo b;
    b.path = f.absoluteFilePath();
    if (f.isDir()) {
        b.journal = QDir(b.path).filePath(QStringLiteral("aviary.mdb"));
        b.images = QDir(b.path).filePath(QStringLiteral("Images"));
    } else if (f.fileName() == QLatin1String("aviary.mdb") &&
               QFileInfo(f.dir().filePath(QStringLiteral("Images"))).isDir()) {
        // A set's journal, chosen as a file: the set.
        b.journal = b.path;
        b.path = f.absolutePath();
        b.images = QDir(b.path).filePath(QStringLiteral("Images"));
    } else {
        b.journal = b.path;
    }
    const BackupName parsed = parseBackupName(QFileInfo(b.path).fileName(), b.isSet());
    if (parsed.date.isValid()) {
        b.date = parsed.date;
        b.time = parsed.time;
        b.reason = parsed.reason;
    } else {
        const QDateTime modified = QFileInfo(b.journal).lastModified();
        b.date = modified.date();
        b.time = modified.time();
    }
    if (!QFileInfo(b.journal).isFile()) {
        return std::nullopt;
    }
    try {
        SQLite::Database db(QFile::encodeName(b.journal).toStdString(), SQLite::OPEN_READONLY);
        schema::registerFunctions(db.getHandle());
        b.birdsSeen = db.execAndGet("SELECT count(DISTINCT birdid) FROM sighting").getInt64();
        b.sightings = db.execAndGet("SELECT count(*) FROM sighting").getInt64();
        b.entries = db.execAndGet("SELECT count(*) FROM data").getInt64();
    } catch (const SQLite::Exception&) {
        return std::nullopt;  // not a journal: not offered
    }
    if (b.isSet()) {
        b.pictures = pictureFiles(b.images).size();
    }
    return b;
}

QList<BackupInfo> Backups::list() const {
    QList<BackupInfo> out;
    const QDir dir(folder());
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!parseBackupName(f.fileName(), f.isDir()).date.isValid()) {
            continue;
        }
        if (const std::optional<BackupInfo> b = describe(f.filePath())) {
            out << *b;
        }
    }
    std::sort(out.begin(), out.end(), [](const BackupInfo& a, const BackupInfo& b) {
        if (a.date != b.date) {
            return a.date > b.date;
        }
        // Of one day: the latest first; the day's own (made at its first
        // start) after those made later in the day.
        const QTime ta = a.time.isValid() ? a.time : QTime(0, 0);
        const QTime tb = b.time.isValid() ? b.time : QTime(0, 0);
        return ta != tb ? ta > tb : a.path > b.path;
    });
    return out;
}

QStringList Backups::missingPictures(const QString& journal, const QString& imagesDir) {
    QStringList out;
    QSet<QString> there;
    for (const QString& name : pictureFiles(imagesDir)) {
        there.insert(name.toCaseFolded());
    }
    try {
        SQLite::Database db(QFile::encodeName(journal).toStdString(), SQLite::OPEN_READONLY);
        schema::registerFunctions(db.getHandle());
        SQLite::Statement q(db, "SELECT DISTINCT fname FROM data WHERE type = 'Image'");
        while (q.executeStep()) {
            const QString name = QString::fromStdString(q.getColumn(0).getString());
            // Only a plain file name inside the folder is ever written.
            if (name.isEmpty() || name.contains(u'/') || name == QLatin1String(".") ||
                name == QLatin1String("..") || there.contains(name.toCaseFolded())) {
                continue;
            }
            out << name;
        }
    } catch (const SQLite::Exception& e) {
        throw AppError(err::DatabaseDamaged, kSource,
                       wf::tr("The backup %1 cannot be read: %2")
                           .arg(QDir::toNativeSeparators(journal), QString::fromUtf8(e.what())));
    }
    return out;
}

void Backups::restoreJournal(const QString& from, const QString& fromImages,
                             const QString& journalPath, const QString& imagesDir) {
    std::unique_ptr<SQLite::Database> source;
    QString verdict;
    try {
        source = std::make_unique<SQLite::Database>(QFile::encodeName(from).toStdString(),
                                                    SQLite::OPEN_READONLY);
        schema::registerFunctions(source->getHandle());
        verdict = source->execAndGet("PRAGMA application_id").getInt() == schema::kApplicationId
                      ? Store::quickCheck(*source)
                      : wf::tr("it is not a Wingfolio journal");
    } catch (const SQLite::Exception& e) {
        verdict = QString::fromUtf8(e.what());
    }
    if (verdict != QLatin1String("ok")) {
        throw AppError(err::DatabaseDamaged, kSource,
                       wf::tr("The backup %1 cannot be restored: %2. The journal was "
                              "left as it was.")
                           .arg(QDir::toNativeSeparators(from), verdict));
    }
    // The pictures first: extra files harm nothing, while a journal naming
    // pictures that are not there would.
    if (!fromImages.isEmpty()) {
        QDir().mkpath(imagesDir);
        for (const QString& name : missingPictures(from, imagesDir)) {
            const QString found = QDir(fromImages).filePath(name);
            if (QFileInfo(found).isFile() && !QFileInfo(found).isSymLink()) {
                linkOrCopy(found, QDir(imagesDir).filePath(name));
            }
        }
    }
    const QString incoming = journalPath + QStringLiteral(".restoring");
    QFile::remove(incoming);
    copyJournal(*source, incoming, {}, true);  // checked above
    source.reset();
    if (::rename(QFile::encodeName(incoming).constData(),
                 QFile::encodeName(journalPath).constData()) != 0) {
        const int why = errno;
        QFile::remove(incoming);
        throw diskProblem(journalPath, why, kSource);
    }
}

}  // namespace wf
