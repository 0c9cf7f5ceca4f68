// SPDX-License-Identifier: GPL-3.0-or-later
#include "Schema.h"

#include <sqlite3.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QFile>
#include <memory>
#include <set>
#include <string>

#include "AppError.h"
#include "Csv.h"
#include "Store.h"
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
    "CREATE INDEX sighting_birdid ON sighting(birdid, date)",
    "CREATE INDEX sighting_region ON sighting(region, birdid)",
    "CREATE INDEX sighting_country ON sighting(country, birdid)",
    "CREATE INDEX sighting_state ON sighting(state, birdid)",
    "CREATE INDEX sighting_district ON sighting(district, birdid)",
};

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

void registerFunctions(sqlite3* db) {
    sqlite3_create_collation_v2(db, "WFNOCASE", SQLITE_UTF8, nullptr, collateNoCase, nullptr);
    sqlite3_create_function_v2(db, "wflike", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, wflike,
                               nullptr, nullptr, nullptr);
}

void createTables(SQLite::Database& db) {
    for (const char* sql : kTables) {
        db.exec(sql);
    }
    db.exec("PRAGMA application_id = " + std::to_string(kApplicationId));
    db.exec("PRAGMA user_version = " + std::to_string(Store::kSchemaVersion));
}

void checkAndMigrate(SQLite::Database& db) {
    const int appId = db.execAndGet("PRAGMA application_id").getInt();
    if (appId != kApplicationId) {
        throw AppError(err::DatabaseDamaged, kSource,
                       QStringLiteral("It is an SQLite database, but not a Wingfolio journal."));
    }
    const int version = db.execAndGet("PRAGMA user_version").getInt();
    if (version > Store::kSchemaVersion) {
        throw AppError(err::DatabaseDamaged, kSource,
                       QStringLiteral("It was written by a newer version of Wingfolio (journal "
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
                           QStringLiteral("The journal has no table \"%1\".").arg(t.table));
        }
        for (const auto& c : t.columns) {
            if (have.count(c) == 0) {
                throw AppError(err::DatabaseDamaged, kSource,
                               QStringLiteral("The table \"%1\" of the journal has no column "
                                              "\"%2\".")
                                   .arg(t.table, QString::fromStdString(c)));
            }
        }
    }
    // Journal format 1 is the first; later formats migrate here, one step at
    // a time, each in its own transaction.
}

void loadWorldList(SQLite::Database& db, const QString& csvPath) {
    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(err::FileNotFound, kSource,
                       QStringLiteral("The world list \"%1\" cannot be read: %2")
                           .arg(csvPath, file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    const CsvTable table = parseCsv(QString::fromUtf8(bytes));
    if (table.header.indexOf(QStringLiteral("english_name")) < 0) {
        throw AppError(
            err::InvalidArgument, kSource,
            QStringLiteral("The world list \"%1\" has no column english_name.").arg(csvPath));
    }
    const qsizetype col = table.header.indexOf(QStringLiteral("english_name"));
    SQLite::Statement insert(db, "INSERT INTO birds (name) VALUES (?)");
    for (const QStringList& row : table.rows) {
        if (col >= row.size() || row[col].isEmpty()) {
            continue;
        }
        insert.bind(1, row[col].toStdString());
        insert.exec();
        insert.reset();
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
