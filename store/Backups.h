// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace SQLite {
class Database;
}

namespace wf {

class Store;

// One copy of the journal in the Backups folder.
struct BackupInfo {
    QString path;
    QDate date;
    QString reason;  // empty for a daily copy, else what it was made before
    // What it holds.
    qint64 birdsSeen = 0;
    qint64 sightings = 0;
    qint64 entries = 0;
};

// Copies of the journal, made with SQLite's online backup API (consistent
// while the program runs) under a temporary name and renamed into place
// when whole, so no half-written copy ever bears a backup's name. Pictures
// are not copied: they are never changed in place.
//
// Backups/aviary-YYYY-MM-DD.mdb is the day's copy; the 7 newest days and
// the newest copy of each of the 8 weeks before them are kept. Copies made
// before an import or a restore are named for it and kept.
class Backups {
  public:
    explicit Backups(QString dataDir);

    QString folder() const;

    // Makes today's copy unless there is one, then removes what the rule no
    // longer keeps. Returns the copy made, or an empty string when today's
    // was there. Raises AppError when the copy cannot be made.
    QString daily(Store& journal, QDate today) const;
    // Whether the day's copy has been made.
    bool hasDaily(QDate day) const;
    // A copy named for what is about to happen ("before-import").
    QString named(Store& journal, QDate today, const QString& reason) const;
    QString named(SQLite::Database& journal, QDate today, const QString& reason) const;

    // Every copy, newest first, with what it holds.
    QList<BackupInfo> list() const;

    // Of the days that have daily copies, those the rule removes.
    static QList<QDate> toRemove(QList<QDate> days);

    // Copies the journal to target, whole or not at all.
    static void copyJournal(Store& journal, const QString& target);
    static void copyJournal(SQLite::Database& journal, const QString& target);

  private:
    QString dir_;
};

}  // namespace wf
