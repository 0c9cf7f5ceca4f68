// SPDX-License-Identifier: GPL-3.0-or-later
#include "Schema.h"

#include <sqlite3.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QFile>
#include <iterator>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "AppError.h"
#include "Csv.h"
#include "Store.h"
#include "Tr.h"
#include "Wildcard.h"

namespace wf::schema {

namespace {

const QString kSource = QStringLiteral("wingfolio.Store");

int collateNoCase(void*, int aLen, const void* a, int bLen, const void* b) {
    return compareNoCase(static_cast<const char*>(a), aLen, static_cast<const char*>(b), bLen);
}

void wflike(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc != 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL ||
        sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    // The compiled pattern is kept by SQLite for as long as the statement runs
    // with the same pattern.
    auto* pattern = static_cast<WildcardPattern*>(sqlite3_get_auxdata(ctx, 0));
    std::unique_ptr<WildcardPattern> fresh;
    if (pattern == nullptr) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
        fresh =
            std::make_unique<WildcardPattern>(QString::fromUtf8(p, sqlite3_value_bytes(argv[0])));
        pattern = fresh.get();
    }
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const bool result = pattern->matchesUtf8(t, sqlite3_value_bytes(argv[1]));
    if (fresh) {
        sqlite3_set_auxdata(ctx, 0, fresh.release(),
                            [](void* v) { delete static_cast<WildcardPattern*>(v); });
    }
    sqlite3_result_int(ctx, result ? 1 : 0);
}

const char* const kTables[] = {
    "CREATE TABLE birds ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " name TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE)",
    "CREATE TABLE topics ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " name TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE)",
    "CREATE TABLE data ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " catid INTEGER NOT NULL DEFAULT 0,"
    " subid INTEGER NOT NULL DEFAULT 0,"
    " type TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " title TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " fname TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    // The long columns last, so that reading the short ones never walks an
    // article's overflow pages.
    " plaintext TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " caption TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE)",
    "CREATE TABLE sighting ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " birdid INTEGER NOT NULL DEFAULT 0,"
    " date TEXT NOT NULL DEFAULT '',"
    " type TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " site TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " district TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " state TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " country TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " region TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " notes TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE)",
    "CREATE TABLE options ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " search TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " home TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " region TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " country TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " state TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " district TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE)",
    "CREATE INDEX birds_name ON birds(name)",
    "CREATE INDEX topics_name ON topics(name)",
    // Covers the trees and lists: they never read the rows themselves.
    "CREATE INDEX data_cat_sub ON data(catid, subid, type, title)",
    "CREATE INDEX data_type ON data(type)",
};

// Journal format 2: tables beside the five, keyed by their ids, so the five
// keep their columns and every older reader of them still works.
const char* const kSideTables[] = {
    // Where a species stands in the world list: its scientific name, its
    // place in the taxonomic sequence, its order and family. Birds a user
    // added have no row.
    "CREATE TABLE taxonomy ("
    " birdid INTEGER PRIMARY KEY,"
    " scientific_name TEXT NOT NULL DEFAULT '',"
    " taxon_order INTEGER NOT NULL DEFAULT 0,"
    " bird_order TEXT NOT NULL DEFAULT '',"
    " family TEXT NOT NULL DEFAULT '',"
    " family_english TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX taxonomy_scientific ON taxonomy(scientific_name COLLATE NOCASE)",
    "CREATE INDEX taxonomy_order ON taxonomy(taxon_order)",
    // What a sighting's record held beyond the journal's columns (an eBird
    // record's count, time, place codes, effort and the names it was filed
    // under), kept exactly as read so that it can be given back.
    "CREATE TABLE sighting_detail ("
    " sightingid INTEGER PRIMARY KEY,"
    " source TEXT NOT NULL DEFAULT '',"
    " submission_id TEXT NOT NULL DEFAULT '',"
    " common_name TEXT NOT NULL DEFAULT '',"
    " scientific_name TEXT NOT NULL DEFAULT '',"
    " taxonomic_order TEXT NOT NULL DEFAULT '',"
    " count TEXT NOT NULL DEFAULT '',"
    " state_code TEXT NOT NULL DEFAULT '',"
    " county TEXT NOT NULL DEFAULT '',"
    " location_id TEXT NOT NULL DEFAULT '',"
    " location TEXT NOT NULL DEFAULT '',"
    " latitude TEXT NOT NULL DEFAULT '',"
    " longitude TEXT NOT NULL DEFAULT '',"
    " date TEXT NOT NULL DEFAULT '',"
    " time TEXT NOT NULL DEFAULT '',"
    " protocol TEXT NOT NULL DEFAULT '',"
    " duration_min TEXT NOT NULL DEFAULT '',"
    " all_obs_reported TEXT NOT NULL DEFAULT '',"
    " distance_km TEXT NOT NULL DEFAULT '',"
    " area_ha TEXT NOT NULL DEFAULT '',"
    " observers TEXT NOT NULL DEFAULT '',"
    " breeding_code TEXT NOT NULL DEFAULT '',"
    " observation_details TEXT NOT NULL DEFAULT '',"
    " checklist_comments TEXT NOT NULL DEFAULT '',"
    " ml_catalog TEXT NOT NULL DEFAULT '')",
    // A row of the five that goes takes its side rows with it, whoever
    // deletes it.
    "CREATE TRIGGER sighting_detail_gone AFTER DELETE ON sighting BEGIN"
    " DELETE FROM sighting_detail WHERE sightingid = old.id; END",
    "CREATE TRIGGER taxonomy_gone AFTER DELETE ON birds BEGIN"
    " DELETE FROM taxonomy WHERE birdid = old.id; END",
};

void createSideTables(SQLite::Database& db) {
    for (const char* sql : kSideTables) {
        db.exec(sql);
    }
}

// Journal format 3: the sighting indexes cover what the lists, the subject
// page and the statistics read (a bird's dates and places; an area's birds
// and dates), so none of them reads a sighting's row.
const char* const kSightingIndexes[] = {
    "CREATE INDEX sighting_bird ON sighting(birdid, date, site)",
    "CREATE INDEX sighting_region_bird ON sighting(region, birdid, date)",
    "CREATE INDEX sighting_country_bird ON sighting(country, birdid, date)",
    "CREATE INDEX sighting_state_bird ON sighting(state, birdid, date)",
    "CREATE INDEX sighting_district_bird ON sighting(district, birdid, date)",
};

const char* const kOldSightingIndexes[] = {
    "DROP INDEX IF EXISTS sighting_birdid",   "DROP INDEX IF EXISTS sighting_region",
    "DROP INDEX IF EXISTS sighting_country",  "DROP INDEX IF EXISTS sighting_state",
    "DROP INDEX IF EXISTS sighting_district",
};

// The articles' plain text in a trigram index, for the text search. It
// holds no copy of the text (it reads it from data when asked): a search
// asks it for the entries holding a piece of the phrase, and then matches
// each one found. The triggers keep it in step with every write, in the
// writer's transaction.
const char* const kTextIndex[] = {
    "CREATE VIRTUAL TABLE data_text USING fts5(plaintext, content='data', "
    "content_rowid='id', tokenize='trigram')",
    "CREATE TRIGGER data_text_insert AFTER INSERT ON data BEGIN"
    " INSERT INTO data_text (rowid, plaintext) VALUES (new.id, new.plaintext); END",
    "CREATE TRIGGER data_text_delete AFTER DELETE ON data BEGIN"
    " INSERT INTO data_text (data_text, rowid, plaintext)"
    " VALUES ('delete', old.id, old.plaintext); END",
    "CREATE TRIGGER data_text_update AFTER UPDATE OF id, plaintext ON data BEGIN"
    " INSERT INTO data_text (data_text, rowid, plaintext)"
    " VALUES ('delete', old.id, old.plaintext);"
    " INSERT INTO data_text (rowid, plaintext) VALUES (new.id, new.plaintext); END",
};

// Journal format 4: eBird names. A confirmed choice of bird for a pair of
// eBird names (for one country, or for any: country ''), used by every
// later import; and the records whose names match no bird and no choice,
// waiting for the user's review (never a sighting, never in a life list).
// For maps: country names the user maps to a country of the map
// ("England" -> "United Kingdom"), kept as typed; the places with
// coordinates, counted from an index of their own.
const char* const kCountryAliases[] = {
    "CREATE TABLE IF NOT EXISTS country_alias ("
    " alias TEXT NOT NULL PRIMARY KEY COLLATE WFNOCASE,"
    " country TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX IF NOT EXISTS sighting_detail_place ON sighting_detail(latitude, longitude) "
    "WHERE latitude <> ''",
    // Each country's birds and their sightings, kept by the sightings'
    // triggers, so that the world map reads thousands of rows, not every
    // sighting. Names that differ in letter case are one country.
    "CREATE TABLE IF NOT EXISTS country_bird ("
    " country TEXT NOT NULL COLLATE WFNOCASE,"
    " birdid INTEGER NOT NULL,"
    " sightings INTEGER NOT NULL DEFAULT 0,"
    " PRIMARY KEY (country, birdid)) WITHOUT ROWID",
    "CREATE TRIGGER IF NOT EXISTS country_bird_added AFTER INSERT ON sighting"
    " WHEN new.country <> '' BEGIN"
    " INSERT INTO country_bird (country, birdid, sightings) VALUES (new.country, new.birdid, 1)"
    " ON CONFLICT (country, birdid) DO UPDATE SET sightings = sightings + 1; END",
    "CREATE TRIGGER IF NOT EXISTS country_bird_gone AFTER DELETE ON sighting"
    " WHEN old.country <> '' BEGIN"
    " UPDATE country_bird SET sightings = sightings - 1"
    "  WHERE country = old.country AND birdid = old.birdid;"
    " DELETE FROM country_bird WHERE country = old.country AND birdid = old.birdid"
    "  AND sightings <= 0; END",
    "CREATE TRIGGER IF NOT EXISTS country_bird_moved AFTER UPDATE OF country, birdid ON sighting"
    " BEGIN"
    " UPDATE country_bird SET sightings = sightings - 1"
    "  WHERE old.country <> '' AND country = old.country AND birdid = old.birdid;"
    " DELETE FROM country_bird WHERE country = old.country AND birdid = old.birdid"
    "  AND sightings <= 0;"
    " INSERT INTO country_bird (country, birdid, sightings)"
    "  SELECT new.country, new.birdid, 1 WHERE new.country <> ''"
    "  ON CONFLICT (country, birdid) DO UPDATE SET sightings = sightings + 1; END",
};

// Outings, and the sightings tied to them.
const char* const kOutings[] = {
    "CREATE TABLE IF NOT EXISTS outing ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " date TEXT NOT NULL DEFAULT '',"
    " start_time TEXT NOT NULL DEFAULT '',"
    " duration_min TEXT NOT NULL DEFAULT '',"
    " site TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " district TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " state TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " country TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " region TEXT NOT NULL DEFAULT '' COLLATE WFNOCASE,"
    " latitude TEXT NOT NULL DEFAULT '',"
    " longitude TEXT NOT NULL DEFAULT '',"
    " protocol TEXT NOT NULL DEFAULT '',"
    " observers TEXT NOT NULL DEFAULT '',"
    " all_reported TEXT NOT NULL DEFAULT '',"
    " distance_km TEXT NOT NULL DEFAULT '',"
    " area_ha TEXT NOT NULL DEFAULT '',"
    " notes TEXT NOT NULL DEFAULT '',"
    " submission_id TEXT NOT NULL DEFAULT '')",
    "CREATE UNIQUE INDEX IF NOT EXISTS outing_submission ON outing(submission_id) "
    "WHERE submission_id <> ''",
    "CREATE INDEX IF NOT EXISTS outing_date ON outing(date, id)",
    "CREATE TABLE IF NOT EXISTS sighting_outing ("
    " sightingid INTEGER PRIMARY KEY,"
    " outingid INTEGER NOT NULL)",
    "CREATE INDEX IF NOT EXISTS sighting_outing_outing ON sighting_outing(outingid)",
    "CREATE TRIGGER IF NOT EXISTS sighting_outing_gone AFTER DELETE ON sighting BEGIN"
    " DELETE FROM sighting_outing WHERE sightingid = old.id; END",
    "CREATE TRIGGER IF NOT EXISTS outing_gone AFTER DELETE ON outing BEGIN"
    " DELETE FROM sighting_outing WHERE outingid = old.id; END",
};

// Journal format 6: each outing's birds and their sightings, kept by the
// ties' triggers, and the number of its species on the outing itself, so
// that the Outings list reads one row an outing. A sighting's tie goes
// before the sighting, so that its bird can still be read.
const char* const kOutingBirds[] = {
    "ALTER TABLE outing ADD COLUMN species INTEGER NOT NULL DEFAULT 0",
    // The Outings list reads this index alone, newest first; it serves the
    // lookups by date the narrower one served.
    "CREATE INDEX outing_list ON outing(date, id, site, species)",
    "DROP INDEX IF EXISTS outing_date",
    "CREATE TABLE outing_bird ("
    " outingid INTEGER NOT NULL,"
    " birdid INTEGER NOT NULL,"
    " sightings INTEGER NOT NULL DEFAULT 0,"
    " PRIMARY KEY (outingid, birdid)) WITHOUT ROWID",
    "CREATE TRIGGER outing_bird_added AFTER INSERT ON outing_bird BEGIN"
    " UPDATE outing SET species = species + 1 WHERE id = new.outingid; END",
    "CREATE TRIGGER outing_bird_gone AFTER DELETE ON outing_bird BEGIN"
    " UPDATE outing SET species = species - 1 WHERE id = old.outingid; END",
    "DROP TRIGGER IF EXISTS sighting_outing_gone",
    "CREATE TRIGGER sighting_outing_gone BEFORE DELETE ON sighting BEGIN"
    " DELETE FROM sighting_outing WHERE sightingid = old.id; END",
    "CREATE TRIGGER outing_tie_added AFTER INSERT ON sighting_outing BEGIN"
    " INSERT INTO outing_bird (outingid, birdid, sightings)"
    "  SELECT new.outingid, s.birdid, 1 FROM sighting s WHERE s.id = new.sightingid"
    "  ON CONFLICT (outingid, birdid) DO UPDATE SET sightings = sightings + 1; END",
    "CREATE TRIGGER outing_tie_gone AFTER DELETE ON sighting_outing BEGIN"
    " UPDATE outing_bird SET sightings = sightings - 1 WHERE outingid = old.outingid"
    "  AND birdid = (SELECT birdid FROM sighting WHERE id = old.sightingid);"
    " DELETE FROM outing_bird WHERE outingid = old.outingid AND sightings <= 0; END",
    "CREATE TRIGGER outing_tie_moved AFTER UPDATE OF outingid ON sighting_outing BEGIN"
    " UPDATE outing_bird SET sightings = sightings - 1 WHERE outingid = old.outingid"
    "  AND birdid = (SELECT birdid FROM sighting WHERE id = old.sightingid);"
    " DELETE FROM outing_bird WHERE outingid = old.outingid AND sightings <= 0;"
    " INSERT INTO outing_bird (outingid, birdid, sightings)"
    "  SELECT new.outingid, s.birdid, 1 FROM sighting s WHERE s.id = new.sightingid"
    "  ON CONFLICT (outingid, birdid) DO UPDATE SET sightings = sightings + 1; END",
    "CREATE TRIGGER outing_bird_moved AFTER UPDATE OF birdid ON sighting BEGIN"
    " UPDATE outing_bird SET sightings = sightings - 1 WHERE birdid = old.birdid"
    "  AND outingid = (SELECT outingid FROM sighting_outing WHERE sightingid = old.id);"
    " DELETE FROM outing_bird WHERE birdid = old.birdid AND sightings <= 0"
    "  AND outingid = (SELECT outingid FROM sighting_outing WHERE sightingid = old.id);"
    " INSERT INTO outing_bird (outingid, birdid, sightings)"
    "  SELECT t.outingid, new.birdid, 1 FROM sighting_outing t WHERE t.sightingid = new.id"
    "  ON CONFLICT (outingid, birdid) DO UPDATE SET sightings = sightings + 1; END",
};

// Journal format 7: what a picture's file said of itself (EXIF) when it was
// imported, and the sighting a picture shows. Both go with their entry; a
// tie goes with its sighting.
const char* const kPictures[] = {
    "CREATE TABLE picture_exif ("
    " dataid INTEGER PRIMARY KEY,"
    " taken TEXT NOT NULL DEFAULT '',"
    " latitude TEXT NOT NULL DEFAULT '',"
    " longitude TEXT NOT NULL DEFAULT '',"
    " camera TEXT NOT NULL DEFAULT '',"
    " lens TEXT NOT NULL DEFAULT '',"
    " orientation INTEGER NOT NULL DEFAULT 1,"
    " original_name TEXT NOT NULL DEFAULT '')",
    "CREATE TABLE picture_sighting ("
    " dataid INTEGER PRIMARY KEY,"
    " sightingid INTEGER NOT NULL)",
    "CREATE INDEX picture_sighting_sighting ON picture_sighting(sightingid)",
    "CREATE TRIGGER picture_gone AFTER DELETE ON data BEGIN"
    " DELETE FROM picture_exif WHERE dataid = old.id;"
    " DELETE FROM picture_sighting WHERE dataid = old.id; END",
    "CREATE TRIGGER picture_sighting_gone AFTER DELETE ON sighting BEGIN"
    " DELETE FROM picture_sighting WHERE sightingid = old.id; END",
};

// Fills the outings' birds from the ties made before (once, as the journal's
// format goes up).
const char* const kFillOutingBirds[] = {
    "INSERT INTO outing_bird (outingid, birdid, sightings) SELECT t.outingid, s.birdid, "
    "count(*) FROM sighting_outing t JOIN sighting s ON s.id = t.sightingid "
    "GROUP BY t.outingid, s.birdid",
};

// Fills the countries' birds from the sightings there before (once, as the
// journal's format goes up).
const char* const kFillCountryBirds[] = {
    "DELETE FROM country_bird",
    "INSERT INTO country_bird (country, birdid, sightings) SELECT country, birdid, count(*) "
    "FROM sighting WHERE country <> '' GROUP BY country, birdid",
};

const char* const kEbirdNames[] = {
    "CREATE TABLE ebird_name_map ("
    " common_key TEXT NOT NULL,"
    " scientific_key TEXT NOT NULL,"
    " country TEXT NOT NULL DEFAULT '',"
    " birdid INTEGER NOT NULL,"
    " common_name TEXT NOT NULL DEFAULT '',"
    " scientific_name TEXT NOT NULL DEFAULT '',"
    " PRIMARY KEY (common_key, scientific_key, country))",
    "CREATE TABLE ebird_pending ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " line INTEGER NOT NULL DEFAULT 0,"
    " source TEXT NOT NULL DEFAULT 'eBird',"
    " submission_id TEXT NOT NULL DEFAULT '',"
    " common_name TEXT NOT NULL DEFAULT '',"
    " scientific_name TEXT NOT NULL DEFAULT '',"
    " taxonomic_order TEXT NOT NULL DEFAULT '',"
    " count TEXT NOT NULL DEFAULT '',"
    " state_code TEXT NOT NULL DEFAULT '',"
    " county TEXT NOT NULL DEFAULT '',"
    " location_id TEXT NOT NULL DEFAULT '',"
    " location TEXT NOT NULL DEFAULT '',"
    " latitude TEXT NOT NULL DEFAULT '',"
    " longitude TEXT NOT NULL DEFAULT '',"
    " date TEXT NOT NULL DEFAULT '',"
    " time TEXT NOT NULL DEFAULT '',"
    " protocol TEXT NOT NULL DEFAULT '',"
    " duration_min TEXT NOT NULL DEFAULT '',"
    " all_obs_reported TEXT NOT NULL DEFAULT '',"
    " distance_km TEXT NOT NULL DEFAULT '',"
    " area_ha TEXT NOT NULL DEFAULT '',"
    " observers TEXT NOT NULL DEFAULT '',"
    " breeding_code TEXT NOT NULL DEFAULT '',"
    " observation_details TEXT NOT NULL DEFAULT '',"
    " checklist_comments TEXT NOT NULL DEFAULT '',"
    " ml_catalog TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX ebird_pending_names ON ebird_pending(common_name, scientific_name)",
    // A choice goes with its bird; a merge moves it to the bird kept.
    "CREATE TRIGGER ebird_name_map_gone AFTER DELETE ON birds BEGIN"
    " DELETE FROM ebird_name_map WHERE birdid = old.id; END",
};

template <size_t N>
void execAll(SQLite::Database& db, const char* const (&statements)[N]) {
    for (const char* sql : statements) {
        db.exec(sql);
    }
}

// One world-list species.
struct WorldSpecies {
    QString english;
    QString scientific;
    qint64 taxonOrder = 0;
    QString order;
    QString family;
};

std::vector<WorldSpecies> readWorldList(const QString& csvPath) {
    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(
            err::FileNotFound, kSource,
            wf::tr("The world list \"%1\" cannot be read: %2").arg(csvPath, file.errorString()));
    }
    const CsvTable table = parseCsv(QString::fromUtf8(file.readAll()));
    const auto col = [&](const char* name) { return table.header.indexOf(QLatin1String(name)); };
    const qsizetype english = col("english_name");
    if (english < 0) {
        throw AppError(err::InvalidArgument, kSource,
                       wf::tr("The world list \"%1\" has no column english_name.").arg(csvPath));
    }
    const qsizetype scientific = col("scientific_name");
    const qsizetype taxon = col("taxon_order");
    const qsizetype order = col("order");
    const qsizetype family = col("family");
    const auto at = [](const QStringList& row, qsizetype i) {
        return i >= 0 && i < row.size() ? row[i] : QString();
    };
    std::vector<WorldSpecies> out;
    out.reserve(table.rows.size());
    for (const QStringList& row : table.rows) {
        WorldSpecies s{at(row, english), at(row, scientific), at(row, taxon).toLongLong(),
                       at(row, order), at(row, family)};
        if (!s.english.isEmpty()) {
            out.push_back(std::move(s));
        }
    }
    return out;
}

void insertTaxonomy(SQLite::Statement& q, qint64 birdid, const WorldSpecies& s) {
    q.bind(1, static_cast<int64_t>(birdid));
    q.bind(2, s.scientific.toStdString());
    q.bind(3, static_cast<int64_t>(s.taxonOrder));
    q.bind(4, s.order.toStdString());
    q.bind(5, s.family.toStdString());
    q.exec();
    q.reset();
}

constexpr const char* kInsertTaxonomy =
    "INSERT OR REPLACE INTO taxonomy (birdid, scientific_name, taxon_order, bird_order, family) "
    "VALUES (?, ?, ?, ?, ?)";

// The columns this program reads in each table.
struct TableColumns {
    const char* table;
    std::set<std::string> columns;
};

const TableColumns kRequired[] = {
    {"birds", {"id", "name"}},
    {"topics", {"id", "name"}},
    {"data", {"id", "catid", "subid", "type", "title", "caption", "fname", "plaintext"}},
    {"sighting",
     {"id", "birdid", "date", "type", "site", "district", "state", "country", "region", "notes"}},
    {"options", {"id", "search", "home", "region", "country", "state", "district"}},
};

}  // namespace

void dropSightingIndexes(SQLite::Database& db) {
    for (const char* sql : kSightingIndexes) {
        // "CREATE INDEX name ON ...": the name is the third word.
        const QString name = QString::fromLatin1(sql).section(u' ', 2, 2);
        db.exec("DROP INDEX IF EXISTS " + name.toStdString());
    }
}

void createSightingIndexes(SQLite::Database& db) {
    execAll(db, kSightingIndexes);
}

void registerFunctions(sqlite3* db) {
    sqlite3_create_collation_v2(db, "WFNOCASE", SQLITE_UTF8, nullptr, collateNoCase, nullptr);
    sqlite3_create_function_v2(db, "wflike", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, wflike,
                               nullptr, nullptr, nullptr);
}

void createTables(SQLite::Database& db) {
    for (const char* sql : kTables) {
        db.exec(sql);
    }
    createSideTables(db);
    execAll(db, kSightingIndexes);
    execAll(db, kTextIndex);
    execAll(db, kEbirdNames);
    execAll(db, kCountryAliases);
    execAll(db, kOutings);
    execAll(db, kOutingBirds);
    execAll(db, kPictures);
    db.exec("PRAGMA application_id = " + std::to_string(kApplicationId));
    db.exec("PRAGMA user_version = " + std::to_string(Store::kSchemaVersion));
}

void checkAndMigrate(SQLite::Database& db, const QString& worldListCsv,
                     const MigrationProgress& progress,
                     const std::function<void()>& beforeMigration) {
    const int appId = db.execAndGet("PRAGMA application_id").getInt();
    if (appId != kApplicationId) {
        throw AppError(err::DatabaseDamaged, kSource,
                       wf::tr("It is an SQLite database, but not a Wingfolio journal."));
    }
    const int version = db.execAndGet("PRAGMA user_version").getInt();
    if (version > Store::kSchemaVersion) {
        throw AppError(err::DatabaseDamaged, kSource,
                       wf::tr("It was written by a newer version of Wingfolio (journal "
                              "format %1; this version reads up to %2).")
                           .arg(version)
                           .arg(Store::kSchemaVersion));
    }
    for (const auto& t : kRequired) {
        SQLite::Statement q(db, std::string("PRAGMA table_info(") + t.table + ")");
        std::set<std::string> have;
        while (q.executeStep()) {
            have.insert(q.getColumn(1).getString());
        }
        if (have.empty()) {
            throw AppError(err::DatabaseDamaged, kSource,
                           wf::tr("The journal has no table \"%1\".").arg(t.table));
        }
        for (const auto& c : t.columns) {
            if (have.count(c) == 0) {
                throw AppError(err::DatabaseDamaged, kSource,
                               wf::tr("The table \"%1\" of the journal has no column "
                                      "\"%2\".")
                                   .arg(t.table, QString::fromStdString(c)));
            }
        }
    }
    // Each format after the first is reached from the one before, in one
    // transaction: an interrupted migration leaves the journal as it was.
    if (version < Store::kSchemaVersion && beforeMigration) {
        beforeMigration();
    }
    // The steps of every format still to reach, counted first so that one
    // progress runs across them all.
    constexpr int kTextBatch = 2000;
    const qint64 entries = version < 3 ? db.execAndGet("SELECT count(*) FROM data").getInt64() : 0;
    const int textSteps = int((entries + kTextBatch - 1) / kTextBatch);
    const int total = (version < 2 ? 2 : 0) +
                      (version < 3 ? int(std::size(kSightingIndexes)) + 1 + textSteps : 0) +
                      (version < 4 ? 1 : 0) + (version < 5 ? 1 : 0) + (version < 6 ? 1 : 0) +
                      (version < 7 ? 1 : 0);
    int done = 0;
    const auto step = [&] {
        ++done;
        if (progress) {
            progress(done, total);
        }
    };
    if (version < Store::kSchemaVersion && progress) {
        progress(0, total);
    }
    if (version < 2) {
        SQLite::Transaction t(db);
        createSideTables(db);
        step();
        fillTaxonomy(db, worldListCsv);
        db.exec("PRAGMA user_version = 2");
        t.commit();
        step();
    }
    if (version < 3) {
        SQLite::Transaction t(db);
        execAll(db, kOldSightingIndexes);
        for (const char* sql : kSightingIndexes) {
            db.exec(sql);
            step();
        }
        execAll(db, kTextIndex);
        step();
        SQLite::Statement fill(db,
                               "INSERT INTO data_text (rowid, plaintext) SELECT id, plaintext "
                               "FROM data WHERE id > ? ORDER BY id LIMIT " +
                                   std::to_string(kTextBatch));
        SQLite::Statement last(db,
                               "SELECT max(id) FROM (SELECT id FROM data WHERE id > ? ORDER BY "
                               "id LIMIT " +
                                   std::to_string(kTextBatch) + ")");
        int64_t after = std::numeric_limits<int64_t>::min();
        for (int i = 0; i < textSteps; ++i) {
            last.bind(1, after);
            last.executeStep();
            const int64_t next = last.getColumn(0).getInt64();
            last.reset();
            fill.bind(1, after);
            fill.exec();
            fill.reset();
            after = next;
            step();
        }
        // The batches left the index in pieces: merged, a lookup reads one.
        db.exec("INSERT INTO data_text (data_text) VALUES ('optimize')");
        db.exec("PRAGMA user_version = 3");
        t.commit();
    }
    if (version < 4) {
        SQLite::Transaction t(db);
        execAll(db, kEbirdNames);
        db.exec("PRAGMA user_version = 4");
        t.commit();
        step();
    }
    if (version < 5) {
        SQLite::Transaction t(db);
        execAll(db, kCountryAliases);
        execAll(db, kFillCountryBirds);
        execAll(db, kOutings);
        db.exec("PRAGMA user_version = 5");
        t.commit();
        step();
    }
    if (version < 6) {
        SQLite::Transaction t(db);
        // The outings' tables first, should a journal of format 5 lack them
        // (made before they joined it): each is made only when missing.
        execAll(db, kOutings);
        execAll(db, kOutingBirds);
        execAll(db, kFillOutingBirds);
        db.exec("PRAGMA user_version = 6");
        t.commit();
        step();
    }
    if (version < 7) {
        SQLite::Transaction t(db);
        execAll(db, kPictures);
        db.exec("PRAGMA user_version = 7");
        t.commit();
        step();
    }
}

void fillTaxonomy(SQLite::Database& db, const QString& worldListCsv) {
    if (worldListCsv.isEmpty()) {
        return;
    }
    const std::vector<WorldSpecies> world = readWorldList(worldListCsv);
    std::unordered_map<QString, const WorldSpecies*> byName;
    byName.reserve(world.size());
    for (const WorldSpecies& s : world) {
        byName.emplace(s.english.toCaseFolded(), &s);
    }
    SQLite::Statement birds(db, "SELECT id, name FROM birds ORDER BY id");
    SQLite::Statement insert(db, kInsertTaxonomy);
    while (birds.executeStep()) {
        const QString name = QString::fromStdString(birds.getColumn(1).getString());
        const auto it = byName.find(name.toCaseFolded());
        if (it != byName.end()) {
            insertTaxonomy(insert, birds.getColumn(0).getInt64(), *it->second);
        }
    }
}

void loadWorldList(SQLite::Database& db, const QString& csvPath) {
    SQLite::Statement insert(db, "INSERT INTO birds (name) VALUES (?)");
    SQLite::Statement taxonomy(db, kInsertTaxonomy);
    for (const WorldSpecies& s : readWorldList(csvPath)) {
        insert.bind(1, s.english.toStdString());
        insert.exec();
        insert.reset();
        insertTaxonomy(taxonomy, db.getLastInsertRowid(), s);
    }
}

void ensureOptionsRow(SQLite::Database& db) {
    if (db.execAndGet("SELECT count(*) FROM options").getInt64() > 0) {
        return;
    }
    const Options o = Store::defaultOptions();
    SQLite::Statement q(db,
                        "INSERT INTO options (search, home, region, country, state, district) "
                        "VALUES (?, ?, ?, ?, ?, ?)");
    q.bind(1, o.search.toStdString());
    q.bind(2, o.home.toStdString());
    q.bind(3, o.region.toStdString());
    q.bind(4, o.country.toStdString());
    q.bind(5, o.state.toStdString());
    q.bind(6, o.district.toStdString());
    q.exec();
}

}  // namespace wf::schema
