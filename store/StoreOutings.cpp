// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's outings: made from eBird's checklists, listed, read, and
// their species with lifers and the year's firsts.
#include <sqlite3.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QFile>
#include <algorithm>

#include "AppError.h"
#include "RawStatement.h"
#include "Store.h"
#include "Wildcard.h"

#include "StoreRows.h"

namespace wf {

using namespace store_rows;

int Store::outingsFromEbird() {
    return guarded(*db_, [&] {
        // One outing a checklist: its place from its first sighting as filed,
        // its effort from the record eBird gave.
        const int made = db_->exec(
            "INSERT INTO outing (submission_id, date, start_time, duration_min, site, district, "
            "state, country, region, latitude, longitude, protocol, observers, all_reported, "
            "distance_km, area_ha) "
            "SELECT d.submission_id, substr(s.date, 1, 10), CASE WHEN length(s.date) >= 16 THEN "
            "substr(s.date, 12, 5) ELSE '' END, d.duration_min, s.site, "
            "s.district, s.state, s.country, s.region, d.latitude, d.longitude, d.protocol, "
            "d.observers, d.all_obs_reported, d.distance_km, d.area_ha "
            "FROM (SELECT c.submission_id AS checklist, min(c.sightingid) AS first FROM "
            "sighting_detail c WHERE c.submission_id <> '' AND NOT EXISTS (SELECT 1 FROM outing "
            "o WHERE o.submission_id = c.submission_id) GROUP BY c.submission_id) g "
            "JOIN sighting s ON s.id = g.first JOIN sighting_detail d ON d.sightingid = g.first "
            "ORDER BY substr(s.date, 1, 10), g.first");
        // Its sightings, but never one the user has put in another outing.
        db_->exec(
            "INSERT INTO sighting_outing (sightingid, outingid) SELECT d.sightingid, o.id FROM "
            "sighting_detail d JOIN outing o ON o.submission_id = d.submission_id WHERE "
            "d.submission_id <> '' AND NOT EXISTS (SELECT 1 FROM sighting_outing t WHERE "
            "t.sightingid = d.sightingid)");
        return made;
    });
}

namespace {

// An outing as listed, with the number of its species its ties keep.
constexpr const char* kListedOuting = "SELECT o.id, o.date, o.site, o.species FROM outing o ";

// "2026-05-03" as a date, read without a parser: the lists read thousands.
QDate isoDate(const char* s, int bytes) {
    const auto digits = [&](int from, int n) {
        int v = 0;
        for (int i = from; i < from + n; ++i) {
            if (s[i] < '0' || s[i] > '9') {
                return -1;
            }
            v = v * 10 + (s[i] - '0');
        }
        return v;
    };
    if (bytes < 10 || s[4] != '-' || s[7] != '-') {
        return {};
    }
    const int y = digits(0, 4);
    const int m = digits(5, 2);
    const int d = digits(8, 2);
    return y < 0 || m < 0 || d < 0 ? QDate() : QDate(y, m, d);
}

// The outings a query lists, read straight from the engine: a list can hold
// tens of thousands. The query's ?1 and ?2, when it has them, are first and
// second.
std::vector<ListedOuting> readListed(sqlite3* db, const std::string& sql,
                                     const std::string& first = {},
                                     const std::string& second = {}) {
    const RawStatement statement = prepareRaw(db, sql);
    sqlite3_stmt* q = statement.get();
    // The query's two parameters, when it has them.
    if (sqlite3_bind_parameter_count(q) >= 2) {
        sqlite3_bind_text(q, 1, first.data(), int(first.size()), SQLITE_STATIC);
        sqlite3_bind_text(q, 2, second.data(), int(second.size()), SQLITE_STATIC);
    }
    std::vector<ListedOuting> out;
    forEachRow(db, q, [&] {
        const auto* date = reinterpret_cast<const char*>(sqlite3_column_text(q, 1));
        out.push_back({sqlite3_column_int64(q, 0),
                       date ? isoDate(date, sqlite3_column_bytes(q, 1)) : QDate(), rawText(q, 2),
                       sqlite3_column_int(q, 3)});
    });
    return out;
}

}  // namespace

std::vector<ListedOuting> Store::outingList() const {
    return guarded(*db_, [&] {
        return readListed(db_->getHandle(),
                          std::string(kListedOuting) + "ORDER BY o.date DESC, o.id DESC");
    });
}

std::vector<std::pair<int, int>> Store::outingYears() const {
    return guarded(*db_, [&] {
        std::vector<std::pair<int, int>> out;
        SQLite::Statement q(*db_,
                            "SELECT substr(date, 1, 4) AS y, count(*) FROM outing GROUP BY y "
                            "ORDER BY y DESC");
        while (q.executeStep()) {
            out.emplace_back(QString::fromUtf8(q.getColumn(0).getText()).toInt(),
                             q.getColumn(1).getInt());
        }
        // The undated last.
        std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
            return (a.first != 0) > (b.first != 0);
        });
        return out;
    });
}

std::vector<ListedOuting> Store::outingsOfYear(int year) const {
    return guarded(*db_, [&] {
        if (year == 0) {
            return readListed(db_->getHandle(), std::string(kListedOuting) +
                                                    "WHERE o.date < '0001' ORDER BY o.id DESC");
        }
        return readListed(
            db_->getHandle(),
            std::string(kListedOuting) +
                "WHERE o.date >= ?1 AND o.date < ?2 ORDER BY o.date DESC, "
                "o.id DESC",
            QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')).toStdString(),
            QStringLiteral("%1").arg(year + 1, 4, 10, QLatin1Char('0')).toStdString());
    });
}

std::optional<Outing> Store::outing(qint64 id) const {
    return guarded(*db_, [&]() -> std::optional<Outing> {
        SQLite::Statement q(*db_,
                            "SELECT id, date, start_time, duration_min, site, district, state, "
                            "country, region, latitude, longitude, protocol, observers, "
                            "all_reported, distance_km, area_ha, notes, submission_id FROM outing "
                            "WHERE id = ?");
        q.bind(1, static_cast<int64_t>(id));
        if (!q.executeStep()) {
            return std::nullopt;
        }
        Outing o;
        o.id = q.getColumn(0).getInt64();
        o.date = QDate::fromString(text(q.getColumn(1)).left(10), Qt::ISODate);
        QString* fields[] = {&o.startTime,  &o.durationMin, &o.site,      &o.district,
                             &o.state,      &o.country,     &o.region,    &o.latitude,
                             &o.longitude,  &o.protocol,    &o.observers, &o.allReported,
                             &o.distanceKm, &o.areaHa,      &o.notes,     &o.submissionId};
        int i = 2;
        for (QString* f : fields) {
            *f = text(q.getColumn(i++));
        }
        return o;
    });
}

std::optional<qint64> Store::outingOf(qint64 sightingId) const {
    return guarded(*db_, [&]() -> std::optional<qint64> {
        SQLite::Statement q(*db_, "SELECT outingid FROM sighting_outing WHERE sightingid = ?");
        q.bind(1, static_cast<int64_t>(sightingId));
        if (!q.executeStep()) {
            return std::nullopt;
        }
        return q.getColumn(0).getInt64();
    });
}

std::vector<OutingSpecies> Store::outingSpecies(qint64 id) const {
    return guarded(*db_, [&] {
        std::vector<OutingSpecies> out;
        std::vector<std::vector<qint64>> sightingIds;
        {
            SQLite::Statement q(
                *db_,
                "SELECT s.birdid, b.name, coalesce(x.taxon_order, 0), s.id, coalesce(d.count, '') "
                "FROM sighting_outing t JOIN sighting s ON s.id = t.sightingid JOIN birds b ON "
                "b.id = s.birdid LEFT JOIN taxonomy x ON x.birdid = b.id LEFT JOIN "
                "sighting_detail d ON d.sightingid = s.id WHERE t.outingid = ? ORDER BY s.birdid");
            q.bind(1, static_cast<int64_t>(id));
            while (q.executeStep()) {
                const qint64 bird = q.getColumn(0).getInt64();
                if (out.empty() || out.back().birdid != bird) {
                    OutingSpecies sp;
                    sp.birdid = bird;
                    sp.name = text(q.getColumn(1));
                    sp.taxonOrder = q.getColumn(2).getInt();
                    out.push_back(sp);
                    sightingIds.emplace_back();
                }
                OutingSpecies& sp = out.back();
                ++sp.sightings;
                sightingIds.back().push_back(q.getColumn(3).getInt64());
                const QString count = text(q.getColumn(4)).trimmed();
                bool number = false;
                const int n = count.toInt(&number);
                if (number) {
                    sp.count += n;
                } else if (count.compare(QLatin1String("X"), Qt::CaseInsensitive) == 0) {
                    sp.present = true;
                }
            }
        }
        // A bird's first sighting ever, and of a year, in the order of the
        // First Sightings list: dated first, by date, of a day the first entered.
        SQLite::Statement first(*db_,
                                "SELECT id FROM sighting WHERE birdid = ? ORDER BY date = '', "
                                "substr(date, 1, 10), id LIMIT 1");
        SQLite::Statement firstOfYear(*db_,
                                      "SELECT id FROM sighting WHERE birdid = ? AND "
                                      "substr(date, 1, 4) = ? ORDER BY substr(date, 1, 10), id "
                                      "LIMIT 1");
        SQLite::Statement year(*db_, "SELECT substr(date, 1, 4) FROM sighting WHERE id = ?");
        for (size_t i = 0; i < out.size(); ++i) {
            OutingSpecies& sp = out[i];
            const std::vector<qint64>& mine = sightingIds[i];
            const auto isMine = [&](qint64 sighting) {
                return std::find(mine.begin(), mine.end(), sighting) != mine.end();
            };
            first.bind(1, static_cast<int64_t>(sp.birdid));
            if (first.executeStep()) {
                sp.lifer = isMine(first.getColumn(0).getInt64());
            }
            first.reset();
            for (const qint64 s : mine) {
                year.bind(1, static_cast<int64_t>(s));
                const std::string y = year.executeStep() ? year.getColumn(0).getString() : "";
                year.reset();
                if (y.size() != 4) {
                    continue;
                }
                firstOfYear.bind(1, static_cast<int64_t>(sp.birdid));
                firstOfYear.bind(2, y);
                if (firstOfYear.executeStep() && isMine(firstOfYear.getColumn(0).getInt64())) {
                    sp.yearFirst = true;
                }
                firstOfYear.reset();
                if (sp.yearFirst) {
                    break;
                }
            }
        }
        std::sort(out.begin(), out.end(), [](const OutingSpecies& a, const OutingSpecies& b) {
            if ((a.taxonOrder == 0) != (b.taxonOrder == 0)) {
                return a.taxonOrder != 0;
            }
            if (a.taxonOrder != b.taxonOrder) {
                return a.taxonOrder < b.taxonOrder;
            }
            return compareNoCase(a.name, b.name) < 0;
        });
        return out;
    });
}

std::vector<ListedOuting> Store::outingsAt(QDate date, const QString& site) const {
    return guarded(*db_, [&] {
        return readListed(
            db_->getHandle(),
            std::string(kListedOuting) + "WHERE o.date = ?1 AND o.site = ?2 ORDER BY o.id",
            utf8(date.toString(Qt::ISODate)), utf8(site));
    });
}

qint64 Store::addOuting(const Outing& o) {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            "INSERT INTO outing (date, start_time, duration_min, site, district, "
                            "state, country, region, latitude, longitude, protocol, observers, "
                            "all_reported, distance_km, area_ha, notes, submission_id) VALUES (?, "
                            "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        q.bind(1, utf8(o.date.isValid() ? o.date.toString(Qt::ISODate) : QString()));
        const QString* fields[] = {&o.startTime,  &o.durationMin, &o.site,      &o.district,
                                   &o.state,      &o.country,     &o.region,    &o.latitude,
                                   &o.longitude,  &o.protocol,    &o.observers, &o.allReported,
                                   &o.distanceKm, &o.areaHa,      &o.notes,     &o.submissionId};
        int i = 2;
        for (const QString* f : fields) {
            q.bind(i++, utf8(*f));
        }
        q.exec();
        return static_cast<qint64>(db_->getLastInsertRowid());
    });
}

void Store::setOutingOf(qint64 sightingId, std::optional<qint64> outingId) {
    guarded(*db_, [&] {
        if (!outingId) {
            SQLite::Statement q(*db_, "DELETE FROM sighting_outing WHERE sightingid = ?");
            q.bind(1, static_cast<int64_t>(sightingId));
            q.exec();
            return;
        }
        SQLite::Statement q(*db_,
                            "INSERT INTO sighting_outing (sightingid, outingid) VALUES (?, ?) "
                            "ON CONFLICT(sightingid) DO UPDATE SET outingid = excluded.outingid");
        q.bind(1, static_cast<int64_t>(sightingId));
        q.bind(2, static_cast<int64_t>(*outingId));
        q.exec();
    });
}

std::vector<ProposedOuting> Store::proposedOutings() const {
    return guarded(*db_, [&] {
        std::vector<ProposedOuting> out;
        SQLite::Statement q(
            *db_,
            "SELECT substr(s.date, 1, 10) AS day, min(s.site), min(s.district), min(s.state), "
            "min(s.country), min(s.region), count(*), count(DISTINCT s.birdid) FROM sighting s "
            "WHERE s.date <> '' AND NOT EXISTS (SELECT 1 FROM sighting_outing t WHERE "
            "t.sightingid = s.id) GROUP BY day, s.site ORDER BY day, s.site");
        while (q.executeStep()) {
            ProposedOuting p;
            p.date = QDate::fromString(text(q.getColumn(0)), Qt::ISODate);
            if (!p.date.isValid()) {
                continue;
            }
            p.site = text(q.getColumn(1));
            p.district = text(q.getColumn(2));
            p.state = text(q.getColumn(3));
            p.country = text(q.getColumn(4));
            p.region = text(q.getColumn(5));
            p.sightings = q.getColumn(6).getInt();
            p.species = q.getColumn(7).getInt();
            out.push_back(std::move(p));
        }
        return out;
    });
}

int Store::groupIntoOutings(const std::vector<ProposedOuting>& chosen) {
    int tied = 0;
    inTransaction([&] {
        guarded(*db_, [&] {
            db_->exec(
                "CREATE TEMP TABLE IF NOT EXISTS outing_group (day TEXT NOT NULL, site TEXT NOT "
                "NULL COLLATE WFNOCASE, outingid INTEGER NOT NULL, PRIMARY KEY (day, site))");
            db_->exec("DELETE FROM temp.outing_group");
            SQLite::Statement add(*db_,
                                  "INSERT OR IGNORE INTO temp.outing_group (day, site, outingid) "
                                  "VALUES (?, ?, ?)");
            for (const ProposedOuting& p : chosen) {
                Outing o;
                o.date = p.date;
                o.site = p.site;
                o.district = p.district;
                o.state = p.state;
                o.country = p.country;
                o.region = p.region;
                const qint64 id = addOuting(o);
                add.bind(1, utf8(p.date.toString(Qt::ISODate)));
                add.bind(2, utf8(p.site));
                add.bind(3, static_cast<int64_t>(id));
                add.exec();
                add.reset();
            }
            tied = db_->exec(
                "INSERT INTO sighting_outing (sightingid, outingid) SELECT s.id, g.outingid FROM "
                "sighting s JOIN temp.outing_group g ON g.day = substr(s.date, 1, 10) AND g.site "
                "= s.site WHERE NOT EXISTS (SELECT 1 FROM sighting_outing t WHERE t.sightingid = "
                "s.id)");
            // An outing whose sightings went elsewhere meanwhile is not kept empty.
            db_->exec(
                "DELETE FROM outing WHERE id IN (SELECT outingid FROM temp.outing_group) AND NOT "
                "EXISTS (SELECT 1 FROM sighting_outing t WHERE t.outingid = outing.id)");
            db_->exec("DELETE FROM temp.outing_group");
        });
    });
    return tied;
}

void Store::deleteOuting(qint64 id) {
    inTransaction([&] {
        guarded(*db_, [&] {
            SQLite::Statement entries(*db_, "DELETE FROM data WHERE catid = ? AND subid = ?");
            entries.bind(1, int(Category::Outings));
            entries.bind(2, static_cast<int64_t>(id));
            entries.exec();
            SQLite::Statement outing(*db_, "DELETE FROM outing WHERE id = ?");
            outing.bind(1, static_cast<int64_t>(id));
            outing.exec();
        });
    });
}

int Store::outingSightingCount(qint64 id) const {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_, "SELECT count(*) FROM sighting_outing WHERE outingid = ?");
        q.bind(1, static_cast<int64_t>(id));
        q.executeStep();
        return q.getColumn(0).getInt();
    });
}

std::vector<qint64> Store::outingsBetween(QDate from, QDate to) const {
    return guarded(*db_, [&] {
        std::vector<qint64> out;
        SQLite::Statement q(*db_,
                            "SELECT id FROM outing WHERE date >= ? AND date <= ? AND date <> '' "
                            "ORDER BY date, start_time, id");
        q.bind(1, utf8(from.toString(Qt::ISODate)));
        q.bind(2, utf8(to.toString(Qt::ISODate)));
        while (q.executeStep()) {
            out.push_back(q.getColumn(0).getInt64());
        }
        return out;
    });
}

}  // namespace wf
