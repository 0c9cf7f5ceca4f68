// SPDX-License-Identifier: GPL-3.0-or-later
// The day's check and backup beside the window: saves wait for the check and
// then land; a journal that fails it takes no more writes.
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QFile>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "AppError.h"
#include "DailyCheck.h"
#include "Resources.h"
#include "Store.h"
#include "TempDir.h"

using namespace wf;
using namespace std::chrono_literals;

namespace {

struct Journal {
    test::TempDir tmp;
    QString path = tmp.file("aviary.mdb");
    std::unique_ptr<Store> store;
    Journal() {
        Store::create(path, worldListPath());
        store = Store::open(path);
    }
    Sighting emu() const {
        Sighting s;
        s.birdid = *store->findSubject(Category::Birds, QStringLiteral("Emu"));
        s.date = QDate(2026, 5, 3);
        return s;
    }
};

}  // namespace

TEST(DailyCheck, ASaveMadeWhileTheCheckRunsWaitsAndThenLands) {
    Journal j;
    std::promise<void> holding;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<DailyCheck::Outcome> ended;
    DailyCheck::Hooks hooks;
    hooks.whileChecking = [&] {
        holding.set_value();
        released.wait();
    };
    hooks.finished = [&](const DailyCheck::Outcome& o) { ended.set_value(o); };
    DailyCheck check(*j.store, j.tmp.path(), QDate(2026, 5, 14), true, hooks);
    holding.get_future().wait();
    // The check holds the journal; a save goes on waiting, far past the two
    // seconds another program would be given.
    std::atomic<bool> saved{false};
    std::thread save([&] {
        j.store->appendSighting(j.emu());
        saved = true;
    });
    std::this_thread::sleep_for(2500ms);
    EXPECT_FALSE(saved);
    release.set_value();
    save.join();
    EXPECT_TRUE(saved);
    EXPECT_EQ(j.store->rowCount("sighting"), 1);
    const DailyCheck::Outcome o = ended.get_future().get();
    EXPECT_EQ(o.verdict, QStringLiteral("ok"));
    EXPECT_FALSE(o.refused());
    EXPECT_TRUE(o.backupError.isEmpty()) << o.backupError.toStdString();
    EXPECT_TRUE(QFile::exists(j.tmp.file("Backups/aviary-2026-05-14/aviary.mdb")));
}

TEST(DailyCheck, AJournalThatFailsTheCheckTakesNoMoreWrites) {
    Journal j;
    j.store->addSubject(Category::Topics, QStringLiteral("Kept"));
    // A page of the topics table made unreadable, behind the open journal.
    int root = 0;
    int pageSize = 0;
    {
        SQLite::Statement q(j.store->database(),
                            "SELECT rootpage FROM sqlite_master WHERE name = 'topics'");
        ASSERT_TRUE(q.executeStep());
        root = q.getColumn(0).getInt();
        pageSize = j.store->database().execAndGet("PRAGMA page_size").getInt();
    }
    {
        QFile f(j.path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(qint64(root - 1) * pageSize));
        f.write("\x07", 1);
    }
    std::promise<DailyCheck::Outcome> ended;
    DailyCheck::Hooks hooks;
    hooks.finished = [&](const DailyCheck::Outcome& o) { ended.set_value(o); };
    DailyCheck check(*j.store, j.tmp.path(), QDate(2026, 5, 14), true, hooks);
    const DailyCheck::Outcome o = ended.get_future().get();
    EXPECT_TRUE(o.refused());
    EXPECT_EQ(j.store->checkState(), Store::CheckState::Refused);
    const QByteArray before = [&] {
        QFile f(j.path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    EXPECT_THROW(j.store->appendSighting(j.emu()), AppError);
    QFile f(j.path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_FALSE(QDir(j.tmp.file("Backups/aviary-2026-05-14")).exists());
}
