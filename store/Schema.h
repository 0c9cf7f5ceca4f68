// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct sqlite3;
namespace SQLite {
class Database;
}

namespace wf::schema {

inline constexpr int kApplicationId = 0x57494E47;  // "WING"

// Registers the WFNOCASE collation and the wflike(pattern, text) function on
// a connection. Every connection to a journal needs them.
void registerFunctions(sqlite3* db);

// Creates the five tables and their indexes in an empty database.
void createTables(SQLite::Database& db);

// Raises AppError when db is not a journal of this program (or of a newer
// version), and brings an older journal up to date.
void checkAndMigrate(SQLite::Database& db);

// Appends one birds row for each species of the world list CSV
// (taxon_order,english_name,...). Raises AppError when it cannot be read.
void loadWorldList(SQLite::Database& db, const QString& csvPath);

// Makes sure the options table has its one row.
void ensureOptionsRow(SQLite::Database& db);

}  // namespace wf::schema
