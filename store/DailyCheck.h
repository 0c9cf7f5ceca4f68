// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <atomic>
#include <functional>
#include <thread>

#include "Backups.h"

namespace wf {

class Store;

// The day's first start checks the journal (SQLite's quick_check) and makes
// the day's backup set. Both run here, on a thread of their own with a
// connection of their own, so the window answers at once. While the check
// holds the journal a save waits for it (Store::CheckState); a journal that
// fails it takes no more writes, and the caller is told so it can refuse the
// journal as a start would.
class DailyCheck {
  public:
    struct Outcome {
        bool checked = false;
        QString verdict;       // quick_check's answer ("ok") when checked
        QString backup;        // the set made, or empty
        QString backupError;   // why no set was made, or empty
        bool stopped = false;  // the program ended first
        bool refused() const { return checked && verdict != QLatin1String("ok"); }
    };
    struct Hooks {
        // On the check's thread: how far the backup has come.
        BackupProgress progress;
        // On the check's thread, once, at the end.
        std::function<void(const Outcome&)> finished;
        // On the check's thread while the check holds the journal (tests).
        std::function<void()> whileChecking;
    };

    // Starts at once. With check, the journal is checked before its backup.
    DailyCheck(Store& journal, QString dataDir, QDate today, bool check, Hooks hooks);
    // Stops the backup at its next step (its part made is removed) and waits.
    ~DailyCheck();
    DailyCheck(const DailyCheck&) = delete;
    DailyCheck& operator=(const DailyCheck&) = delete;

    // Waits for the end.
    void wait();
    bool done() const { return done_; }

  private:
    void run(QString path, QString dataDir, QDate today, bool check);

    Store& journal_;
    Hooks hooks_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

}  // namespace wf
