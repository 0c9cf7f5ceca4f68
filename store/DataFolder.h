// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace wf {

class Store;
struct JetImportHooks;

// The folder that holds the journal aviary.mdb and its Images folder.
class DataFolder {
  public:
    explicit DataFolder(QString dir) : dir_(std::move(dir)) {}

    // The folder to use: the one given on the command line when there is
    // one; else the program's own folder when it already holds a journal (a
    // portable copy); else the user's data folder.
    static QString choose(const QString& commandLineDir, const QString& programDir,
                          const QString& userDataDir);

    const QString& dir() const { return dir_; }
    QString journalPath() const;
    QString imagesDir() const;
    // The path of a picture's file in the Images folder, or nothing when the
    // name would lead out of it (a '/', "." or "..", an empty name). When no
    // file has exactly that name, the one file whose name equals it ignoring
    // letter case is taken (an Images folder copied from a system that
    // ignores case).
    std::optional<QString> picturePath(const QString& fname) const;

    // Opens the journal, creating the folder, a new journal with the world
    // list and the Images folder when they are missing. Raises AppError
    // (with the file or folder named in its description) when the folder
    // cannot be written or the journal cannot be opened; an existing file is
    // never changed in that case.
    // With quickCheck the journal is checked before it is written to; a
    // damaged one is refused. A journal refused for what it holds (damaged,
    // of an unknown format) is refused with a message that names the newest
    // good backup and how to restore it.
    // A journal of an older format is brought up to date (after a backup);
    // migrationProgress is told how far that has come.
    std::unique_ptr<Store> openJournal(
        const QString& worldListCsv, bool quickCheck = false,
        const std::function<void(int, int)>& migrationProgress = {}) const;

    // Whether the journal file is in the older Access (Jet) format.
    bool journalIsJet() const;
    // Imports the Jet journal: a new journal is built beside it, the Jet file
    // is renamed to aviary-jet.mdb once the new one is complete, and the new
    // one takes its name. On failure every file stays as it was.
    void importJetJournal(const JetImportHooks& hooks) const;
    QString jetBackupPath() const;

    // The newest backup that passes SQLite's quick_check and how to put it
    // back by hand, for a message refusing the journal.
    QString restoreAdvice() const;

  private:
    QString dir_;
};

}  // namespace wf
