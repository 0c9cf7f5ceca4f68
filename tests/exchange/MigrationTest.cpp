// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>

#include "Backups.h"
#include "Resources.h"
#include "Schema.h"
#include "Store.h"
#include "TempDir.h"

namespace wf {
namespace {

using test::TempDir;

// A journal of the first format: the five tables and nothing beside them.
void makeFormatOneJournal(const QString& path) {
    SQLite::Database db(QFile::encodeName(path).toStdString(),
                        SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    schema::registerFunctions(db.getHandle());
    schema::createTables(db);
    db.exec("DROP TRIGGER sighting_detail_gone");
    db.exec("DROP TRIGGER taxonomy_gone");
    db.exec("DROP TABLE taxonomy");
    db.exec("DROP TABLE sighting_detail");
    db.exec("PRAGMA user_version = 1");
    db.exec("INSERT INTO birds (name) VALUES ('mallard'), ('EMU'), ('My Garden Bird')");
    db.exec("INSERT INTO sighting (birdid, date, site) VALUES (1, '2020-01-01', 'Pond')");
}

TEST(Migration, AnOlderJournalIsBackedUpThenGivenItsTaxonomyOnce) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("aviary.mdb"));
    makeFormatOneJournal(path);
    std::vector<std::pair<int, int>> steps;
    {
        auto store =
            Store::open(path, false, [&](int done, int total) { steps.emplace_back(done, total); });
        EXPECT_FALSE(steps.empty());
        EXPECT_EQ(steps.back().first, steps.back().second);
        // Matched by name, ignoring case; a bird the world list lacks has none.
        const std::optional<Taxonomy> mallard = store->taxonomy(1);
        ASSERT_TRUE(mallard);
        EXPECT_EQ(mallard->scientificName, QStringLiteral("Anas platyrhynchos"));
        EXPECT_EQ(mallard->taxonOrder, 544);
        EXPECT_EQ(mallard->order, QStringLiteral("Anseriformes"));
        EXPECT_EQ(mallard->family, QStringLiteral("Anatidae"));
        EXPECT_EQ(store->taxonomy(2)->scientificName, QStringLiteral("Dromaius novaehollandiae"));
        EXPECT_FALSE(store->taxonomy(3));
        EXPECT_EQ(store->findBirdByScientificName(QStringLiteral("anas PLATYRHYNCHOS")), 1);
        EXPECT_EQ(store->rowCount("sighting"), 1);
        EXPECT_EQ(store->database().execAndGet("PRAGMA user_version").getInt(),
                  Store::kSchemaVersion);
    }
    // The journal as it was, kept first.
    const QList<BackupInfo> backups = Backups(dir.path()).list();
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(backups.front().reason, QStringLiteral("before-migration"));
    {
        SQLite::Database copy(QFile::encodeName(backups.front().path).toStdString());
        EXPECT_EQ(copy.execAndGet("PRAGMA user_version").getInt(), 1);
    }
    // Once: the next open finds nothing to do.
    steps.clear();
    Store::open(path, false, [&](int done, int total) { steps.emplace_back(done, total); });
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(Backups(dir.path()).list().size(), 1);
}

TEST(Migration, ANewJournalHasTheWholeWorldListsTaxonomy) {
    TempDir dir;
    auto store = Store::create(dir.file(QStringLiteral("aviary.mdb")), worldListPath());
    EXPECT_EQ(store->rowCount("taxonomy"), store->rowCount("birds"));
    const qint64 emu = *store->findSubject(Category::Birds, QStringLiteral("Emu"));
    EXPECT_EQ(store->taxonomy(emu)->family, QStringLiteral("Casuariidae"));
    // A bird deleted takes its taxonomy with it.
    store->deleteSubject(Category::Birds, emu);
    EXPECT_FALSE(store->taxonomy(emu));
    EXPECT_TRUE(Backups(dir.path()).list().isEmpty());
}

}  // namespace
}  // namespace wf
