// SPDX-License-Identifier: GPL-3.0-or-later
#include "Backups.h"

#include <sqlite3.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <map>
#include <set>

#include "AppError.h"
#include "Schema.h"
#include "Store.h"

namespace wf {

namespace {

const QString kSource = QStringLiteral("wingfolio.Backups");

struct BackupName {
    QDate date;
    QString reason;  // empty for a daily copy
};

// "aviary-2026-12-06.mdb" or "aviary-2026-12-06-before-import.mdb": the date,
// and the reason in lower-case letters and hyphens. Anything else is not a
// backup of the program's (the date is invalid). The folder is read whole
// and the names checked here, by hand: a name filter or a pattern would bring
// in the regular expression engine at every start, for the daily backup.
BackupName parseBackupName(const QString& name) {
    static const QLatin1String prefix("aviary-");
    static const QLatin1String suffix(".mdb");
    const qsizetype dateEnd = prefix.size() + 10;
    if (!name.startsWith(prefix) || !name.endsWith(suffix) ||
        name.size() < dateEnd + suffix.size()) {
        return {};
    }
    const QStringView date = QStringView(name).mid(prefix.size(), 10);
    for (qsizetype i = 0; i < date.size(); ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? date[i] != u'-' : !(date[i] >= u'0' && date[i] <= u'9')) {
            return {};
        }
    }
    const QStringView rest = QStringView(name).mid(dateEnd, name.size() - dateEnd - suffix.size());
    if (!rest.isEmpty()) {
        if (rest.size() < 2 || rest[0] != u'-') {
            return {};
        }
        for (const QChar c : rest.mid(1)) {
            if (!((c >= u'a' && c <= u'z') || c == u'-')) {
                return {};
            }
        }
    }
    return {QDate::fromString(date.toString(), Qt::ISODate),
            rest.isEmpty() ? QString() : rest.mid(1).toString()};
}

}  // namespace

Backups::Backups(QString dataDir) : dir_(std::move(dataDir)) {}

QString Backups::folder() const {
    return QDir(dir_).filePath(QStringLiteral("Backups"));
}

void Backups::copyJournal(Store& journal, const QString& target) {
    copyJournal(journal.database(), target);
}

void Backups::copyJournal(SQLite::Database& journal, const QString& target) {
    // A copy of a damaged journal is worth nothing: it is checked first.
    const QString verdict = Store::quickCheck(journal);
    if (verdict != QLatin1String("ok")) {
        throw AppError(
            err::DatabaseDamaged, kSource,
            QStringLiteral("The journal is damaged (%1): no backup was made.").arg(verdict));
    }
    const QFileInfo info(target);
    if (!QDir().mkpath(info.absolutePath())) {
        throw AppError(err::PathAccess, kSource,
                       QStringLiteral("The folder %1 cannot be made.").arg(info.absolutePath()));
    }
    QTemporaryFile part(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!part.open()) {
        throw AppError(err::PathAccess, kSource,
                       QStringLiteral("A backup cannot be written in %1: %2")
                           .arg(info.absolutePath(), part.errorString()));
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
            do {
                rc = sqlite3_backup_step(b, 256);
                if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                    sqlite3_sleep(20);
                }
            } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
            sqlite3_backup_finish(b);
            rc = rc == SQLITE_DONE ? sqlite3_errcode(copy) : rc;
        }
    }
    const QString problem = copy ? QString::fromUtf8(sqlite3_errmsg(copy)) : QString();
    sqlite3_close(copy);
    if (rc != SQLITE_OK) {
        throw AppError(
            err::PathAccess, kSource,
            QStringLiteral("The backup %1 could not be written: %2").arg(target, problem));
    }
    // Whole: put in place under its own name.
    QFile::remove(target);
    if (!QFile::rename(part.fileName(), target)) {
        throw AppError(err::PathAccess, kSource,
                       QStringLiteral("The backup %1 could not be put in place.").arg(target));
    }
    part.setAutoRemove(false);
}

QString Backups::daily(Store& journal, QDate today) const {
    const QString target =
        QDir(folder()).filePath(QStringLiteral("aviary-%1.mdb").arg(today.toString(Qt::ISODate)));
    QString made;
    if (!QFileInfo::exists(target)) {
        copyJournal(journal, target);
        made = target;
    }
    QList<QDate> days;
    for (const QString& name : QDir(folder()).entryList(QDir::Files)) {
        const BackupName b = parseBackupName(name);
        if (b.date.isValid() && b.reason.isEmpty()) {
            days << b.date;
        }
    }
    for (const QDate& d : toRemove(days)) {
        QFile::remove(
            QDir(folder()).filePath(QStringLiteral("aviary-%1.mdb").arg(d.toString(Qt::ISODate))));
    }
    return made;
}

bool Backups::hasDaily(QDate day) const {
    return QFileInfo::exists(
        QDir(folder()).filePath(QStringLiteral("aviary-%1.mdb").arg(day.toString(Qt::ISODate))));
}

QString Backups::named(Store& journal, QDate today, const QString& reason) const {
    return named(journal.database(), today, reason);
}

QString Backups::named(SQLite::Database& journal, QDate today, const QString& reason) const {
    QString target = QDir(folder()).filePath(
        QStringLiteral("aviary-%1-%2.mdb").arg(today.toString(Qt::ISODate), reason));
    copyJournal(journal, target);
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
        // The newest copy of each of the 8 weeks before them.
        if (weeks.size() < 8 && weeks.insert({year, week}).second) {
            continue;
        }
        out << days[i];
    }
    return out;
}

QList<BackupInfo> Backups::list() const {
    QList<BackupInfo> out;
    const QDir dir(folder());
    for (const QString& name : dir.entryList(QDir::Files)) {
        const BackupName parsed = parseBackupName(name);
        if (!parsed.date.isValid()) {
            continue;
        }
        BackupInfo b;
        b.path = dir.filePath(name);
        b.date = parsed.date;
        b.reason = parsed.reason;
        try {
            SQLite::Database db(QFile::encodeName(b.path).toStdString(), SQLite::OPEN_READONLY);
            schema::registerFunctions(db.getHandle());
            b.birdsSeen = db.execAndGet("SELECT count(DISTINCT birdid) FROM sighting").getInt64();
            b.sightings = db.execAndGet("SELECT count(*) FROM sighting").getInt64();
            b.entries = db.execAndGet("SELECT count(*) FROM data").getInt64();
        } catch (const SQLite::Exception&) {
            continue;  // not a journal: not offered
        }
        out << b;
    }
    std::sort(out.begin(), out.end(), [](const BackupInfo& a, const BackupInfo& b) {
        return a.date != b.date ? a.date > b.date : a.path > b.path;
    });
    return out;
}

}  // namespace wf
