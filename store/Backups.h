// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace SQLite {
class Database;
}

namespace wf {

class Store;

// One backup in the Backups folder: a set (a folder holding the journal and
// its pictures) or, from older versions, a copy of the journal alone.
struct BackupInfo {
    QString path;     // the set's folder, or the old copy's file
    QString journal;  // the journal in it
    QString images;   // the set's Images folder; empty for an old copy
    QDate date;
    QTime time;      // when it was made, for a set named for what came next
    QString reason;  // empty for a daily backup, else what it was made before
    // What it holds.
    qint64 birdsSeen = 0;
    qint64 sightings = 0;
    qint64 entries = 0;
    qint64 pictures = 0;  // picture files in the set
    bool isSet() const { return !images.isEmpty(); }
};

// How far a long piece of work has come: done of total.
using BackupProgress = std::function<void(qint64 done, qint64 total)>;

// Backup sets of the journal and its pictures. A set is a folder in Backups
// holding a copy of the journal, made with SQLite's online backup API
// (consistent while the program runs), and an Images folder whose files are
// hard links to the pictures (pictures are never changed in place, so a link
// costs no space; where the file system has none they are copied). A set is
// built under a hidden name and renamed into place when whole, so no
// half-made set ever bears a backup's name, and none is ever overwritten.
//
// Backups/aviary-YYYY-MM-DD is the day's set; the 7 newest days and the
// newest set of each of the 8 weeks before them are kept. Sets made before
// an import, a migration or a restore carry the time as well
// (aviary-YYYY-MM-DD-HHMMSS-before-import) and are kept. Copies of the
// journal alone, as older versions made them (aviary-YYYY-MM-DD.mdb), are
// listed, restorable and rotated like sets.
class Backups {
  public:
    explicit Backups(QString dataDir);

    QString folder() const;
    QString imagesDir() const;

    // Makes today's set unless there is one, then removes what the rule no
    // longer keeps. Returns the set made, or an empty string when today's
    // was there. Raises AppError when the set cannot be made.
    QString daily(Store& journal, QDate today, const BackupProgress& progress = {}) const;
    // With checked, the journal has just passed quick_check: it is not run
    // again before the copy.
    QString daily(SQLite::Database& journal, QDate today, bool checked,
                  const BackupProgress& progress = {}) const;
    // Whether the day's backup has been made.
    bool hasDaily(QDate day) const;
    // A set named for what is about to happen ("before-import"), with the
    // time, never replacing another.
    QString named(Store& journal, const QDateTime& now, const QString& reason) const;
    QString named(SQLite::Database& journal, const QDateTime& now, const QString& reason) const;

    // Every backup, newest first, with what it holds.
    QList<BackupInfo> list() const;
    // A backup read from anywhere: a set's folder, its aviary.mdb, or a
    // journal file. Nothing when it is no journal.
    static std::optional<BackupInfo> describe(const QString& path);

    // Of the days that have daily backups, those the rule removes.
    static QList<QDate> toRemove(QList<QDate> days);

    // Copies the journal to target, whole or not at all.
    static void copyJournal(Store& journal, const QString& target,
                            const BackupProgress& progress = {});
    static void copyJournal(SQLite::Database& journal, const QString& target,
                            const BackupProgress& progress = {}, bool checked = false);
    // Makes a set at target (a folder that must not exist) of the journal
    // and the files of imagesDir.
    static void makeSet(SQLite::Database& journal, const QString& imagesDir, const QString& target,
                        const BackupProgress& progress = {}, bool checked = false);

    // Puts the journal file `from` in the place of the journal at
    // journalPath (closed by the caller), after SQLite's quick_check has
    // passed it; then brings back into imagesDir each picture it names that
    // is missing there, from fromImages. The journal is whole at every
    // moment: the new one is copied beside it and renamed over it.
    static void restoreJournal(const QString& from, const QString& fromImages,
                               const QString& journalPath, const QString& imagesDir);
    // The pictures a journal file names that are missing from imagesDir.
    static QStringList missingPictures(const QString& journal, const QString& imagesDir);

  private:
    QString makeNamed(SQLite::Database& journal, const QString& name,
                      const BackupProgress& progress) const;
    QString dir_;
};

}  // namespace wf
