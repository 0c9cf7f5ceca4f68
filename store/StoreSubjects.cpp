// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's subjects: birds and topics, their names, merging, and the birds' taxonomy.
#include "Store.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

#include "AppError.h"
#include "RawStatement.h"
#include "Schema.h"
#include "TextIndex.h"
#include "Wildcard.h"

#include "StoreRows.h"

namespace wf {

using namespace store_rows;

std::optional<qint64> Store::findSubject(Category cat, const QString& name) const {
    return guarded(*db_, [&]() -> std::optional<qint64> {
        SQLite::Statement q(*db_, std::string("SELECT id FROM ") + subjectTable(cat) +
                                      " WHERE name = ? ORDER BY id LIMIT 1");
        q.bind(1, utf8(name));
        if (q.executeStep()) {
            return q.getColumn(0).getInt64();
        }
        return std::nullopt;
    });
}

qint64 Store::addSubject(Category cat, const QString& name) {
    refuseOutingSubject(cat);
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            std::string("INSERT INTO ") + subjectTable(cat) + " (name) VALUES (?)");
        q.bind(1, utf8(name));
        q.exec();
        return db_->getLastInsertRowid();
    });
}

qint64 Store::findOrAddSubject(Category cat, const QString& name) {
    if (auto id = findSubject(cat, name)) {
        return *id;
    }
    return addSubject(cat, name);
}

std::optional<QString> Store::subjectName(Category cat, qint64 id) const {
    return guarded(*db_, [&]() -> std::optional<QString> {
        SQLite::Statement q(*db_,
                            std::string("SELECT name FROM ") + subjectTable(cat) + " WHERE id = ?");
        q.bind(1, static_cast<int64_t>(id));
        if (q.executeStep()) {
            return text(q.getColumn(0));
        }
        return std::nullopt;
    });
}

std::vector<Subject> Store::subjects(Category cat) const {
    return guarded(*db_, [&] {
        std::vector<Subject> out;
        SQLite::Statement q(
            *db_, std::string("SELECT id, name FROM ") + subjectTable(cat) + " ORDER BY name, id");
        while (q.executeStep()) {
            out.push_back({q.getColumn(0).getInt64(), text(q.getColumn(1))});
        }
        return out;
    });
}

void Store::renameSubject(Category cat, qint64 id, const QString& name) {
    refuseOutingSubject(cat);
    guarded(*db_, [&] {
        SQLite::Statement q(
            *db_, std::string("UPDATE ") + subjectTable(cat) + " SET name = ? WHERE id = ?");
        q.bind(1, utf8(name));
        q.bind(2, static_cast<int64_t>(id));
        q.exec();
    });
}

bool Store::deleteSubject(Category cat, qint64 id) {
    refuseOutingSubject(cat);
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            std::string("DELETE FROM ") + subjectTable(cat) + " WHERE id = ?");
        q.bind(1, static_cast<int64_t>(id));
        return q.exec() > 0;
    });
}

// Entries --------------------------------------------------------------------

std::optional<Taxonomy> Store::taxonomy(qint64 birdid) const {
    return guarded(*db_, [&]() -> std::optional<Taxonomy> {
        SQLite::Statement q(*db_,
                            "SELECT scientific_name, taxon_order, bird_order, family, "
                            "family_english FROM taxonomy WHERE birdid = ?");
        q.bind(1, static_cast<int64_t>(birdid));
        if (!q.executeStep()) {
            return std::nullopt;
        }
        return Taxonomy{text(q.getColumn(0)), q.getColumn(1).getInt64(), text(q.getColumn(2)),
                        text(q.getColumn(3)), text(q.getColumn(4))};
    });
}

void Store::setTaxonomy(qint64 birdid, const Taxonomy& t) {
    guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            "INSERT OR REPLACE INTO taxonomy (birdid, scientific_name, "
                            "taxon_order, bird_order, family, family_english) "
                            "VALUES (?, ?, ?, ?, ?, ?)");
        q.bind(1, static_cast<int64_t>(birdid));
        q.bind(2, utf8(t.scientificName));
        q.bind(3, static_cast<int64_t>(t.taxonOrder));
        q.bind(4, utf8(t.order));
        q.bind(5, utf8(t.family));
        q.bind(6, utf8(t.familyEnglish));
        q.exec();
    });
}

std::optional<qint64> Store::findBirdByScientificName(const QString& name) const {
    return guarded(*db_, [&]() -> std::optional<qint64> {
        SQLite::Statement q(*db_,
                            "SELECT t.birdid FROM taxonomy t JOIN birds b ON b.id = t.birdid "
                            "WHERE t.scientific_name = ? COLLATE NOCASE ORDER BY t.birdid "
                            "LIMIT 1");
        q.bind(1, utf8(name));
        if (q.executeStep()) {
            return q.getColumn(0).getInt64();
        }
        return std::nullopt;
    });
}

std::vector<std::pair<qint64, Taxonomy>> Store::taxonomies() const {
    return guarded(*db_, [&] {
        std::vector<std::pair<qint64, Taxonomy>> out;
        SQLite::Statement q(*db_,
                            "SELECT birdid, scientific_name, taxon_order, bird_order, family, "
                            "family_english FROM taxonomy");
        while (q.executeStep()) {
            out.emplace_back(
                q.getColumn(0).getInt64(),
                Taxonomy{text(q.getColumn(1)), q.getColumn(2).getInt64(), text(q.getColumn(3)),
                         text(q.getColumn(4)), text(q.getColumn(5))});
        }
        return out;
    });
}

// Options --------------------------------------------------------------------

void Store::mergeSubjects(Category cat, qint64 from, qint64 into) {
    refuseOutingSubject(cat);
    inTransaction([&] {
        guarded(*db_, [&] {
            SQLite::Statement entries(*db_,
                                      "UPDATE data SET subid = ? WHERE catid = ? AND subid = ?");
            entries.bind(1, static_cast<int64_t>(into));
            entries.bind(2, int(cat));
            entries.bind(3, static_cast<int64_t>(from));
            entries.exec();
            if (cat == Category::Birds) {
                SQLite::Statement sightings(*db_,
                                            "UPDATE sighting SET birdid = ? WHERE birdid = ?");
                sightings.bind(1, static_cast<int64_t>(into));
                sightings.bind(2, static_cast<int64_t>(from));
                sightings.exec();
                // The eBird names chosen for the one now go to the other.
                SQLite::Statement names(
                    *db_, "UPDATE OR REPLACE ebird_name_map SET birdid = ? WHERE birdid = ?");
                names.bind(1, static_cast<int64_t>(into));
                names.bind(2, static_cast<int64_t>(from));
                names.exec();
            }
        });
        deleteSubject(cat, from);
    });
}

}  // namespace wf
