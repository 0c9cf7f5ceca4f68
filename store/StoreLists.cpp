// SPDX-License-Identifier: GPL-3.0-or-later
// What the lists read: the subject trees, the places, the life, year, month and first-sighting
// lists.
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

QStringList Store::areaValues(Area area) const {
    if (area == Area::World) {
        return {};
    }
    return guarded(*db_, [&] {
        QStringList out;
        const std::string col = areaColumn(area);
        // Hop from one value to the next along the area's index instead of
        // reading every sighting: a few hundred seeks, not 200,000 rows.
        SQLite::Statement q(*db_, "WITH RECURSIVE v(x) AS (SELECT min(" + col +
                                      ") FROM sighting UNION ALL SELECT (SELECT min(" + col +
                                      ") FROM sighting WHERE " + col +
                                      " > v.x) FROM v WHERE v.x IS NOT NULL) "
                                      "SELECT x FROM v WHERE x IS NOT NULL");
        while (q.executeStep()) {
            out.push_back(text(q.getColumn(0)));
        }
        return out;
    });
}

// Trees, lists and searches -------------------------------------------------

std::unordered_set<qint64> Store::sightedBirds() const {
    std::unordered_set<qint64> seen;
    if (hasAnySighting()) {
        SQLite::Statement q(*db_,
                            "SELECT b.id FROM birds b WHERE EXISTS "
                            "(SELECT 1 FROM sighting s WHERE s.birdid = b.id)");
        while (q.executeStep()) {
            seen.insert(q.getColumn(0).getInt64());
        }
    }
    return seen;
}

std::unordered_map<qint64, std::vector<ListedEntry>> Store::filedEntries(Category cat) const {
    return guarded(*db_, [&] {
        // Entries grouped by subject in one pass: small groups sort faster
        // here than one large sort in the engine.
        std::unordered_map<qint64, std::vector<ListedEntry>> entries;
        SQLite::Statement q(*db_, "SELECT subid, id, type, title FROM data WHERE catid = ?");
        q.bind(1, static_cast<int>(cat));
        while (q.executeStep()) {
            entries[q.getColumn(0).getInt64()].push_back(
                {q.getColumn(1).getInt64(), text(q.getColumn(2)), QString(), text(q.getColumn(3))});
        }
        for (auto& [subid, list] : entries) {
            std::sort(list.begin(), list.end(), [](const ListedEntry& a, const ListedEntry& b) {
                if (const int c = compareNoCase(a.type, b.type)) {
                    return c < 0;
                }
                if (const int c = compareNoCase(a.title, b.title)) {
                    return c < 0;
                }
                return a.id < b.id;
            });
        }
        return entries;
    });
}

std::vector<TreeSubject> Store::subjectTree(Category cat) const {
    // The entries grouped by subject, the birds seen, then the subjects in
    // order: three passes instead of two queries per subject.
    std::unordered_map<qint64, std::vector<ListedEntry>> entries = filedEntries(cat);
    return guarded(*db_, [&] {
        const std::unordered_set<qint64> seen =
            cat == Category::Birds ? sightedBirds() : std::unordered_set<qint64>();
        std::vector<TreeSubject> out;
        SQLite::Statement q(
            *db_, std::string("SELECT id, name FROM ") + subjectTable(cat) + " ORDER BY name, id");
        while (q.executeStep()) {
            const qint64 id = q.getColumn(0).getInt64();
            auto e = entries.find(id);
            const bool sighted = seen.count(id) > 0;
            if (e == entries.end() && !sighted) {
                continue;
            }
            TreeSubject t;
            t.id = id;
            t.name = text(q.getColumn(1));
            t.hasSightings = sighted;
            if (e != entries.end()) {
                t.entries = std::move(e->second);
                for (ListedEntry& le : t.entries) {
                    le.subject = t.name;
                }
            }
            out.push_back(std::move(t));
        }
        return out;
    });
}

std::vector<SubjectHead> Store::subjectHeads(Category cat) const {
    return guarded(*db_, [&] {
        // Subjects with entries, and whether one of them is of a type the
        // tree shows, from the index on (catid, subid, type) in one pass.
        std::unordered_map<qint64, bool> filed;
        {
            SQLite::Statement q(*db_,
                                "SELECT subid, max(type = 'Article' COLLATE BINARY OR type = "
                                "'Image' COLLATE BINARY OR type = 'Link' COLLATE BINARY) FROM "
                                "data WHERE catid = ? GROUP BY subid");
            q.bind(1, static_cast<int>(cat));
            while (q.executeStep()) {
                filed.emplace(q.getColumn(0).getInt64(), q.getColumn(1).getInt() != 0);
            }
        }
        const std::unordered_set<qint64> seen =
            cat == Category::Birds ? sightedBirds() : std::unordered_set<qint64>();
        std::vector<SubjectHead> out;
        if (filed.empty() && seen.empty()) {
            return out;  // a new journal: no need to read every name
        }
        SQLite::Statement q(
            *db_, std::string("SELECT id, name FROM ") + subjectTable(cat) + " ORDER BY name, id");
        while (q.executeStep()) {
            const qint64 id = q.getColumn(0).getInt64();
            const auto e = filed.find(id);
            const bool sighted = seen.count(id) > 0;
            if (e != filed.end() || sighted) {
                out.push_back(
                    {id, text(q.getColumn(1)), sighted || (e != filed.end() && e->second)});
            }
        }
        return out;
    });
}

std::optional<TreeSubject> Store::treeSubject(Category cat, qint64 id) const {
    return guarded(*db_, [&]() -> std::optional<TreeSubject> {
        TreeSubject t;
        t.id = id;
        {
            SQLite::Statement q(
                *db_, std::string("SELECT name FROM ") + subjectTable(cat) + " WHERE id = ?");
            q.bind(1, static_cast<int64_t>(id));
            if (!q.executeStep()) {
                return std::nullopt;
            }
            t.name = text(q.getColumn(0));
        }
        t.hasSightings = cat == Category::Birds && hasSightings(id);
        SQLite::Statement q(*db_,
                            "SELECT id, type, title FROM data WHERE catid = ? AND subid = ? "
                            "ORDER BY type, title, id");
        q.bind(1, static_cast<int>(cat));
        q.bind(2, static_cast<int64_t>(id));
        while (q.executeStep()) {
            t.entries.push_back(
                {q.getColumn(0).getInt64(), text(q.getColumn(1)), t.name, text(q.getColumn(2))});
        }
        if (t.entries.empty() && !t.hasSightings) {
            return std::nullopt;
        }
        return t;
    });
}

bool Store::hasAnySighting() const {
    return guarded(*db_, [&] {
        return db_->execAndGet("SELECT EXISTS (SELECT 1 FROM sighting)").getInt() != 0;
    });
}

bool Store::hasSightings(qint64 birdid) const {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_, "SELECT 1 FROM sighting WHERE birdid = ? LIMIT 1");
        q.bind(1, static_cast<int64_t>(birdid));
        return q.executeStep();
    });
}

// Life lists -----------------------------------------------------------------

int Store::lifeListCount(Area area, const QString& place) const {
    return guarded(*db_, [&] {
        if (!hasAnySighting()) {
            return 0;
        }
        // The world: one hop per bird along the birds' sighting index. An
        // area: its own stretch of its index, read once (one hop per bird
        // would seek in every bird's). Two species rows of one name count
        // once.
        const std::string sql =
            area == Area::World
                ? std::string(
                      "SELECT count(DISTINCT b.name) FROM birds b WHERE EXISTS (SELECT 1 "
                      "FROM sighting s WHERE s.birdid = b.id)")
                : std::string(
                      "SELECT count(DISTINCT b.name) FROM birds b WHERE b.id IN (SELECT "
                      "s.birdid FROM sighting s WHERE s.") +
                      areaColumn(area) + " = ?)";
        SQLite::Statement q(*db_, sql);
        if (area != Area::World) {
            q.bind(1, utf8(place));
        }
        q.executeStep();
        return q.getColumn(0).getInt();
    });
}

std::vector<LifeListRow> Store::lifeList(Area area, const QString& place) const {
    return guarded(*db_, [&] {
        std::vector<LifeListRow> out;
        std::string sql =
            "SELECT b.name, b.id FROM birds b WHERE EXISTS (SELECT 1 FROM sighting s "
            "WHERE s.birdid = b.id";
        if (area != Area::World) {
            sql += std::string(" AND s.") + areaColumn(area) + " = ?";
        }
        sql += ") ORDER BY b.name, b.id";
        SQLite::Statement q(*db_, sql);
        if (area != Area::World) {
            q.bind(1, utf8(place));
        }
        while (q.executeStep()) {
            out.push_back({q.getColumn(1).getInt64(), text(q.getColumn(0))});
        }
        return out;
    });
}

std::vector<int> Store::sightingYears() const {
    return guarded(*db_, [&] {
        std::vector<int> out;
        SQLite::Statement q(*db_,
                            "SELECT DISTINCT substr(date, 1, 4) FROM sighting WHERE date <> '' "
                            "ORDER BY 1 DESC");
        while (q.executeStep()) {
            bool ok = false;
            const int y = QString::fromStdString(q.getColumn(0).getString()).toInt(&ok);
            if (ok) {
                out.push_back(y);
            }
        }
        return out;
    });
}

std::vector<FirstSeen> Store::firstSeen(Area area, const QString& place) const {
    return guarded(*db_, [&] {
        // One hop per bird along the sighting index (birdid, date, id): the
        // first dated sighting, else the first entered.
        const std::string where = area == Area::World
                                      ? std::string()
                                      : std::string(" AND f.") + areaColumn(area) + " = ?1";
        const std::string sql =
            "SELECT b.id, b.name, s.id, s.date, s.site FROM birds b JOIN sighting s ON s.id = "
            "coalesce((SELECT f.id FROM sighting f WHERE f.birdid = b.id AND f.date <> ''" +
            where +
            " ORDER BY f.date, f.id LIMIT 1), (SELECT f.id FROM sighting f WHERE f.birdid = b.id" +
            where + " ORDER BY f.id LIMIT 1))";
        SQLite::Statement q(*db_, sql);
        if (area != Area::World) {
            q.bind(1, utf8(place));
        }
        std::vector<FirstSeen> out;
        while (q.executeStep()) {
            out.push_back(readFirstSeen(q));
        }
        std::sort(out.begin(), out.end(), seenBefore);
        return out;
    });
}

std::vector<LifeListRow> Store::speciesSeen(Area area, const QString& place, int year,
                                            int month) const {
    return guarded(*db_, [&] {
        // For each bird, does one of its sightings match? The index on
        // (birdid, date) answers that with one hop per bird.
        std::string sql =
            "SELECT b.id, b.name FROM birds b WHERE EXISTS (SELECT 1 FROM sighting s WHERE "
            "s.birdid = b.id";
        if (year > 0) {
            sql += " AND s.date >= ?2 AND s.date < ?3";
        }
        if (month > 0) {
            sql += " AND substr(s.date, 6, 2) = ?4";
        }
        if (area != Area::World) {
            sql += std::string(" AND s.") + areaColumn(area) + " = ?1";
        }
        sql += ") ORDER BY b.name, b.id";
        SQLite::Statement q(*db_, sql);
        if (area != Area::World) {
            q.bind(1, utf8(place));
        }
        if (year > 0) {
            q.bind(2, QString::number(year).rightJustified(4, u'0').toStdString());
            q.bind(3, QString::number(year + 1).rightJustified(4, u'0').toStdString());
        }
        if (month > 0) {
            q.bind(4, QString::number(month).rightJustified(2, u'0').toStdString());
        }
        std::vector<LifeListRow> out;
        while (q.executeStep()) {
            out.push_back({q.getColumn(0).getInt64(), text(q.getColumn(1))});
        }
        return out;
    });
}

}  // namespace wf
