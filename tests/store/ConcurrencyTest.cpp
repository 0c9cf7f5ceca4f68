// SPDX-License-Identifier: GPL-3.0-or-later
// Two writers on one journal wait their turn; two first starts at once make
// one journal between them.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <atomic>
#include <chrono>
#include <thread>

#include <SQLiteCpp/SQLiteCpp.h>

#include "AppError.h"
#include "DataFolder.h"
#include "Resources.h"
#include "Store.h"
#include "TempDir.h"

using namespace wf;

TEST(Writers, ASecondWriterWaitsForTheFirstInsteadOfFailing) {
    test::TempDir tmp;
    const QString path = tmp.file("aviary.mdb");
    Store::create(path, worldListPath());
    auto a = Store::open(path);
    auto b = Store::open(path);
    // Both read first (as a save does), then both write, overlapping.
    std::atomic<bool> aHolds{false};
    std::thread first([&] {
        a->inTransaction([&] {
            a->rowCount("sighting");
            Sighting s;
            s.birdid = 1;
            a->appendSighting(s);
            aHolds = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
        });
    });
    while (!aHolds) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_NO_THROW(b->inTransaction([&] {
        b->rowCount("sighting");
        Sighting s;
        s.birdid = 2;
        b->appendSighting(s);
    }));
    first.join();
    EXPECT_EQ(b->rowCount("sighting"), 2);
}

TEST(Writers, AJournalStillLockedIsToldPlainly) {
    test::TempDir tmp;
    const QString path = tmp.file("aviary.mdb");
    Store::create(path, worldListPath());
    auto a = Store::open(path);
    SQLite::Database holder(path.toStdString(), SQLite::OPEN_READWRITE);
    holder.exec("BEGIN IMMEDIATE");
    try {
        a->inTransaction([&] { a->addSubject(Category::Topics, QStringLiteral("Garden")); });
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), err::DatabaseLocked);
        EXPECT_TRUE(e.description().startsWith(QStringLiteral("The journal is busy")))
            << e.description().toStdString();
    }
    holder.exec("ROLLBACK");
    EXPECT_FALSE(a->findSubject(Category::Topics, QStringLiteral("Garden")));
}

TEST(FirstStart, TwoStartsAtOnceMakeOneJournalBetweenThem) {
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        test::TempDir tmp;
        const QString dir = tmp.file("data");
        pid_t children[2];
        for (pid_t& child : children) {
            child = ::fork();
            if (child == 0) {
                try {
                    auto store = DataFolder(dir).openJournal(worldListPath());
                    ::_exit(store->rowCount("birds") == 11131 ? 0 : 1);
                } catch (...) {
                    ::_exit(2);
                }
            }
        }
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        }
        // One journal, no temporary file left.
        EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"aviary.mdb"});
    }
}
