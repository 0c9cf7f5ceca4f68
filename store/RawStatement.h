// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sqlite3.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QString>
#include <memory>
#include <string>

namespace wf {

// A statement used through the engine's own calls, where a loop runs once
// per row of a large read.
using RawStatement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

// Prepares sql; raises SQLite::Exception when it cannot.
inline RawStatement prepareRaw(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* q = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &q, nullptr);
    RawStatement out(q, sqlite3_finalize);
    if (rc != SQLITE_OK) {
        throw SQLite::Exception(db, rc);
    }
    return out;
}

// Steps q to its end, calling row() at each row; raises SQLite::Exception
// when a step fails.
template <typename F>
void forEachRow(sqlite3* db, sqlite3_stmt* q, F&& row) {
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(q)) == SQLITE_ROW) {
        row();
    }
    if (rc != SQLITE_DONE) {
        throw SQLite::Exception(db, rc);
    }
}

// A text column of the current row ("" for NULL).
inline QString rawText(sqlite3_stmt* q, int column) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(q, column));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(q, column)) : QString();
}

}  // namespace wf
