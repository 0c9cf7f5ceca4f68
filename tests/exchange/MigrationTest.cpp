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

// A journal made now, as format 6 left it: no pictures' side tables.
void makeFormatSix(SQLite::Database& db) {
    for (const char* sql :
         {"DROP TRIGGER picture_gone", "DROP TRIGGER picture_sighting_gone",
          "DROP TABLE picture_exif", "DROP TABLE picture_sighting", "PRAGMA user_version = 6"}) {
        db.exec(sql);
    }
}

// A journal made now, as format 5 left it: no outings' birds.
void makeFormatFive(SQLite::Database& db) {
    makeFormatSix(db);
    for (const char* sql :
         {"DROP TRIGGER outing_bird_added", "DROP TRIGGER outing_bird_gone",
          "DROP TRIGGER outing_tie_added", "DROP TRIGGER outing_tie_gone",
          "DROP TRIGGER outing_tie_moved", "DROP TRIGGER outing_bird_moved",
          "DROP TABLE outing_bird", "DROP INDEX outing_list",
          "ALTER TABLE outing DROP COLUMN species", "DROP TRIGGER sighting_outing_gone",
          "CREATE TRIGGER sighting_outing_gone AFTER DELETE ON sighting BEGIN"
          " DELETE FROM sighting_outing WHERE sightingid = old.id; END",
          "PRAGMA user_version = 5"}) {
        db.exec(sql);
    }
}

// The indexes of the first two formats, with no text index.
void makeFormatTwoIndexes(SQLite::Database& db) {
    makeFormatFive(db);
    for (const char* sql :
         {"DROP TRIGGER data_text_insert", "DROP TRIGGER data_text_delete",
          "DROP TRIGGER data_text_update", "DROP TABLE data_text", "DROP INDEX sighting_bird",
          "DROP INDEX sighting_region_bird", "DROP INDEX sighting_country_bird",
          "DROP INDEX sighting_state_bird", "DROP INDEX sighting_district_bird",
          "CREATE INDEX sighting_birdid ON sighting(birdid, date)",
          "CREATE INDEX sighting_region ON sighting(region, birdid)",
          "CREATE INDEX sighting_country ON sighting(country, birdid)",
          "CREATE INDEX sighting_state ON sighting(state, birdid)",
          "CREATE INDEX sighting_district ON sighting(district, birdid)",
          // Nor had they the eBird names of format 4.
          "DROP TRIGGER ebird_name_map_gone", "DROP TABLE ebird_name_map",
          "DROP TABLE ebird_pending"}) {
        db.exec(sql);
    }
}

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
    makeFormatTwoIndexes(db);
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
        SQLite::Database copy(QFile::encodeName(backups.front().journal).toStdString());
        EXPECT_EQ(copy.execAndGet("PRAGMA user_version").getInt(), 1);
    }
    // Once: the next open finds nothing to do.
    steps.clear();
    Store::open(path, false, [&](int done, int total) { steps.emplace_back(done, total); });
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(Backups(dir.path()).list().size(), 1);
}

// Format 2 to 3: the sighting indexes are replaced and the articles written
// before are found through the new text index.
TEST(Migration, TheTextIndexIsBuiltOnceForTheArticlesThereBefore) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("aviary.mdb"));
    {
        SQLite::Database db(QFile::encodeName(path).toStdString(),
                            SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        schema::registerFunctions(db.getHandle());
        schema::createTables(db);
        makeFormatTwoIndexes(db);
        db.exec("PRAGMA user_version = 2");
        db.exec("INSERT INTO birds (name) VALUES ('Grey Heron')");
        SQLite::Transaction t(db);
        SQLite::Statement q(db,
                            "INSERT INTO data (catid, subid, type, title, plaintext) VALUES (1, 1, "
                            "'Article', ?, ?)");
        for (int i = 0; i < 4500; ++i) {  // more than one batch of the build
            q.bind(1, "Note " + std::to_string(i));
            q.bind(2, i % 1000 == 7 ? "A heronry by the lake" : "Nothing much");
            q.exec();
            q.reset();
        }
        t.commit();
    }
    std::vector<std::pair<int, int>> steps;
    auto store =
        Store::open(path, false, [&](int done, int total) { steps.emplace_back(done, total); });
    ASSERT_GT(steps.size(), 3u);
    for (size_t i = 1; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].first, steps[i - 1].first + 1);
    }
    EXPECT_EQ(steps.back().first, steps.back().second);
    SQLite::Database& db = store->database();
    EXPECT_EQ(
        db.execAndGet("SELECT count(*) FROM sqlite_master WHERE name = 'sighting_birdid'").getInt(),
        0);
    EXPECT_EQ(
        db.execAndGet("SELECT count(*) FROM sqlite_master WHERE name = 'sighting_bird'").getInt(),
        1);
    const auto found =
        store->search({QStringLiteral("Article"), QStringLiteral("HERONRY"), Category::Birds});
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found.front().title, QStringLiteral("Note 1007"));
    EXPECT_EQ(
        db.execAndGet("SELECT count(*) FROM data_text WHERE data_text MATCH '\"ron\"'").getInt(),
        5);
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

TEST(Migration, TheCountriesBirdsAreCountedOnceFromTheSightingsThere) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("aviary.mdb"));
    {
        SQLite::Database db(QFile::encodeName(path).toStdString(),
                            SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        schema::registerFunctions(db.getHandle());
        schema::createTables(db);
        db.exec("INSERT INTO birds (name) VALUES ('Wren'), ('Robin')");
        db.exec(
            "INSERT INTO sighting (birdid, date, country) VALUES (1, '2020-01-01', 'Kenya'), "
            "(1, '2020-01-02', 'KENYA'), (2, '2020-01-03', 'Peru'), (2, '2020-01-04', '')");
        // As a journal of the format before: no table of them.
        makeFormatFive(db);
        db.exec("DROP TABLE country_bird");
        db.exec("DROP TRIGGER country_bird_added");
        db.exec("DROP TRIGGER country_bird_gone");
        db.exec("DROP TRIGGER country_bird_moved");
        db.exec("PRAGMA user_version = 4");
    }
    auto store = Store::open(path, false, {});
    EXPECT_EQ(store->database().execAndGet("PRAGMA user_version").getInt(), Store::kSchemaVersion);
    EXPECT_EQ(store->database()
                  .execAndGet("SELECT group_concat(country || ' ' || birdid || ' ' || "
                              "sightings, ', ') FROM country_bird")
                  .getString(),
              "Kenya 1 2, Peru 2 1");
    // And kept from then on.
    Sighting s;
    s.birdid = 2;
    s.country = QStringLiteral("Kenya");
    store->appendSighting(s);
    EXPECT_EQ(store->database().execAndGet("SELECT count(*) FROM country_bird").getInt(), 3);
}

// Format 5 to 6: the outings' species are counted once from their ties, and
// kept from then on however a sighting changes.
TEST(Migration, TheOutingsSpeciesAreCountedOnceThenKeptByEveryChange) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("aviary.mdb"));
    {
        SQLite::Database db(QFile::encodeName(path).toStdString(),
                            SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        schema::registerFunctions(db.getHandle());
        schema::createTables(db);
        makeFormatFive(db);
        db.exec("INSERT INTO birds (name) VALUES ('Wren'), ('Robin'), ('Dunnock')");
        db.exec(
            "INSERT INTO sighting (birdid, date, site) VALUES (1, '2020-01-01', 'Pond'), "
            "(1, '2020-01-01', 'Pond'), (2, '2020-01-01', 'Pond'), (3, '2020-01-02', 'Wood')");
        db.exec(
            "INSERT INTO outing (date, site) VALUES ('2020-01-01', 'Pond'), "
            "('2020-01-02', 'Wood')");
        db.exec("INSERT INTO sighting_outing VALUES (1, 1), (2, 1), (3, 1), (4, 2)");
    }
    auto store = Store::open(path, false, {});
    EXPECT_EQ(store->database().execAndGet("PRAGMA user_version").getInt(), Store::kSchemaVersion);
    const auto species = [&] {
        QStringList out;
        for (const ListedOuting& o : store->outingList()) {
            out << QStringLiteral("%1:%2").arg(o.site).arg(o.species);
        }
        return out.join(u' ');
    };
    EXPECT_EQ(species(), QStringLiteral("Wood:1 Pond:2"));
    store->setOutingOf(3, 2);  // the robin moves to the wood
    EXPECT_EQ(species(), QStringLiteral("Wood:2 Pond:1"));
    store->deleteSighting(1);  // one wren of two goes: the pond keeps the bird
    EXPECT_EQ(species(), QStringLiteral("Wood:2 Pond:1"));
    store->deleteSighting(2);
    EXPECT_EQ(species(), QStringLiteral("Wood:2 Pond:0"));
    store->mergeSubjects(Category::Birds, 3, 2);  // the dunnock was a robin
    EXPECT_EQ(species(), QStringLiteral("Wood:1 Pond:0"));
    store->setOutingOf(4, std::nullopt);
    EXPECT_EQ(species(), QStringLiteral("Wood:1 Pond:0"));
    EXPECT_EQ(store->database().execAndGet("SELECT count(*) FROM outing_bird").getInt(), 1);
}

}  // namespace
}  // namespace wf
