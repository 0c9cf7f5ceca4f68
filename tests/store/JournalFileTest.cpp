// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QFileInfo>

#include "AppError.h"
#include "DataFolder.h"
#include "Resources.h"
#include "Store.h"
#include "TempDir.h"

using namespace wf;
using wf::test::readAll;
using wf::test::TempDir;
using wf::test::writeAll;

TEST(NewJournal, HoldsTheWorldListOneOptionsRowAndAnImagesFolder) {
    TempDir tmp;
    const DataFolder folder(tmp.file("nested/data"));
    {
        auto store = folder.openJournal(worldListPath());
        EXPECT_EQ(store->rowCount("birds"), 11131);
        EXPECT_EQ(store->rowCount("options"), 1);
        EXPECT_EQ(store->rowCount("topics"), 0);
        EXPECT_EQ(store->options(), Store::defaultOptions());
        // The world list keeps its letters and its order of ids.
        const auto vulture =
            store->findSubject(Category::Birds, QStringLiteral("RÜPPELL'S VULTURE"));
        ASSERT_TRUE(vulture);
        EXPECT_EQ(store->subjectName(Category::Birds, *vulture),
                  QStringLiteral("Rüppell's Vulture"));
        EXPECT_EQ(store->subjectName(Category::Birds, 1), QStringLiteral("Somali Ostrich"));
    }
    EXPECT_TRUE(QFileInfo(folder.imagesDir()).isDir());
    EXPECT_TRUE(QDir(folder.dir()).entryList(QDir::Hidden | QDir::Files).contains("aviary.mdb"));
    EXPECT_EQ(QDir(folder.dir()).entryList(QDir::Hidden | QDir::Files).size(), 1)
        << "no temporary file is left behind";

    // A second start opens the same file and changes nothing.
    const QByteArray before = readAll(folder.journalPath());
    {
        auto store = folder.openJournal(worldListPath());
        EXPECT_EQ(store->rowCount("birds"), 11131);
        EXPECT_EQ(store->rowCount("options"), 1);
    }
    EXPECT_EQ(readAll(folder.journalPath()), before);
}

TEST(NewJournal, UnwritableFolderIsReportedNotCrashed) {
    TempDir tmp;
    writeAll(tmp.file("file"), "x");
    // A data folder below a plain file can never be made.
    const DataFolder folder(tmp.file("file/data"));
    try {
        folder.openJournal(worldListPath());
        FAIL() << "expected an error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), err::PathAccess);
        EXPECT_TRUE(e.description().contains(tmp.file("file/data")));
    }
}

TEST(NewJournal, MissingWorldListLeavesNoFile) {
    TempDir tmp;
    const DataFolder folder(tmp.path());
    EXPECT_THROW(folder.openJournal(tmp.file("no-such.csv")), AppError);
    EXPECT_FALSE(QFileInfo::exists(folder.journalPath()));
    EXPECT_TRUE(QDir(tmp.path()).entryList(QDir::Hidden | QDir::Files).isEmpty());
}

TEST(DataFolderChoice, CommandLineThenPortableCopyThenUserFolder) {
    TempDir tmp;
    QDir().mkpath(tmp.file("prog"));
    EXPECT_EQ(DataFolder::choose({}, tmp.file("prog"), tmp.file("user")), tmp.file("user"));
    writeAll(tmp.file("prog/aviary.mdb"), "");
    EXPECT_EQ(DataFolder::choose({}, tmp.file("prog"), tmp.file("user")), tmp.file("prog"));
    EXPECT_EQ(DataFolder::choose(tmp.file("cli"), tmp.file("prog"), tmp.file("user")),
              tmp.file("cli"));
}

namespace {

// Opening a bad file must raise the error and leave every byte as it was.
void expectRefusedAndUnchanged(const QString& path, long number, const QString& words) {
    const QByteArray before = readAll(path);
    try {
        DataFolder(QFileInfo(path).absolutePath()).openJournal(worldListPath());
        ADD_FAILURE() << "expected an error for " << path.toStdString();
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), number) << e.description().toStdString();
        EXPECT_TRUE(e.description().contains(path)) << e.description().toStdString();
        EXPECT_TRUE(e.description().contains(words)) << e.description().toStdString();
    }
    EXPECT_EQ(readAll(path), before);
    EXPECT_FALSE(QFileInfo::exists(path + "-journal"));
}

QByteArray validJournalBytes(const TempDir& tmp) {
    const QString dir = tmp.file("good");
    { auto store = DataFolder(dir).openJournal(worldListPath()); }
    return readAll(DataFolder(dir).journalPath());
}

}  // namespace

TEST(BadJournal, TextEmptyAndTruncatedFilesAreRefusedUntouched) {
    TempDir tmp;
    const QString path = tmp.file("aviary.mdb");

    writeAll(path, "These are my notes, not a database.\n");
    expectRefusedAndUnchanged(path, err::DatabaseDamaged, "not a Wingfolio journal");

    writeAll(path, "");
    expectRefusedAndUnchanged(path, err::DatabaseDamaged, "empty");

    const QByteArray good = validJournalBytes(tmp);
    ASSERT_GT(good.size(), 8192);
    writeAll(path, good.left(good.size() / 2));
    expectRefusedAndUnchanged(path, err::DatabaseDamaged, "truncated");

    writeAll(path, good.left(good.size() - 100));
    expectRefusedAndUnchanged(path, err::DatabaseDamaged, "truncated");

    writeAll(path, good.left(50));
    expectRefusedAndUnchanged(path, err::DatabaseDamaged, "not a Wingfolio journal");

    writeAll(path, QByteArray("\0\x01\0\0Standard Jet DB", 19) + QByteArray(2000, '\0'));
    expectRefusedAndUnchanged(path, err::DatabaseDamaged, "Access (Jet)");
}

TEST(BadJournal, ForeignSqliteDatabaseIsRefused) {
    TempDir tmp;
    const QString path = tmp.file("aviary.mdb");
    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec("CREATE TABLE birds (id INTEGER, name TEXT)");
    }
    expectRefusedAndUnchanged(path, err::DatabaseDamaged, "not a Wingfolio journal");
}

TEST(BadJournal, JournalMissingATableOrFromANewerVersionIsRefused) {
    TempDir tmp;
    const QString path = tmp.file("aviary.mdb");
    writeAll(path, validJournalBytes(tmp));
    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("PRAGMA user_version = 99");
    }
    expectRefusedAndUnchanged(path, err::DatabaseDamaged, "newer version");
    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("PRAGMA user_version = 1");
        db.exec("DROP TABLE topics");
    }
    expectRefusedAndUnchanged(path, err::DatabaseDamaged, "topics");
}

TEST(BadJournal, LockedFileIsReported) {
    TempDir tmp;
    const QString path = tmp.file("aviary.mdb");
    writeAll(path, validJournalBytes(tmp));
    SQLite::Database other(path.toStdString(), SQLite::OPEN_READWRITE);
    other.exec("BEGIN EXCLUSIVE");
    try {
        Store::open(path);
        FAIL() << "expected an error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), err::DatabaseLocked);
        EXPECT_TRUE(e.description().contains("locked")) << e.description().toStdString();
    }
    other.exec("ROLLBACK");
}

TEST(BadJournal, MissingOptionsRowGetsAFreshDefaultRow) {
    TempDir tmp;
    const QString path = tmp.file("aviary.mdb");
    writeAll(path, validJournalBytes(tmp));
    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("DELETE FROM options");
    }
    auto store = Store::open(path);
    EXPECT_EQ(store->rowCount("options"), 1);
    EXPECT_EQ(store->options(), Store::defaultOptions());
}
