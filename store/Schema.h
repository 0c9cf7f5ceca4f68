// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

struct sqlite3;
namespace SQLite {
class Database;
}

namespace wf::schema {

inline constexpr int kApplicationId = 0x57494E47;  // "WING"

// Registers the WFNOCASE collation and the wflike(pattern, text) function on
// a connection. Every connection to a journal needs them.
void registerFunctions(sqlite3* db);

// Creates the five tables, the side tables and their indexes in an empty
// database.
// The sighting indexes, dropped before a bulk write of many rows and made
// again after it (sorting once is quicker than a seek for every row), in the
// caller's transaction.
void dropSightingIndexes(SQLite::Database& db);
void createSightingIndexes(SQLite::Database& db);

void createTables(SQLite::Database& db);

// Told how far a migration has come: done of total steps.
using MigrationProgress = std::function<void(int done, int total)>;

// Raises AppError when db is not a journal of this program (or of a newer
// version), and brings an older journal up to date, each step in one
// transaction. The taxonomy of its birds is matched, by name ignoring case,
// against the world list worldListCsv (none when it is empty).
// beforeMigration runs once the journal is known to need it, before
// anything is changed (a backup is made there).
void checkAndMigrate(SQLite::Database& db, const QString& worldListCsv = {},
                     const MigrationProgress& progress = {},
                     const std::function<void()>& beforeMigration = {});

// Gives each bird whose name is in the world list (ignoring case) its
// scientific name, taxonomic order, order and family.
void fillTaxonomy(SQLite::Database& db, const QString& worldListCsv);

// Appends one birds row, with its taxonomy row, for each species of the
// world list CSV (taxon_order,english_name,scientific_name,order,family).
// Raises AppError when it cannot be read.
void loadWorldList(SQLite::Database& db, const QString& csvPath);

// Makes sure the options table has its one row.
void ensureOptionsRow(SQLite::Database& db);

}  // namespace wf::schema
