// SPDX-License-Identifier: GPL-3.0-or-later
// How sightings are written and read, one at a time and in bulk.
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

qint64 Store::appendSighting(const Sighting& s) {
    if (s.count.isEmpty() && s.latitude.isEmpty() && s.longitude.isEmpty()) {
        return SightingWriter(*this).append(s);
    }
    SightingDetail d;
    d.source = QString::fromLatin1(kTypedSource);
    d.count = s.count;
    d.time = hoursMinutes(s.time);
    d.latitude = s.latitude;
    d.longitude = s.longitude;
    return SightingWriter(*this).append(s, &d);
}

bool Store::updateSighting(const Sighting& s) {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            "UPDATE sighting SET birdid = ?, date = ?, type = ?, site = ?, "
                            "district = ?, state = ?, country = ?, region = ?, notes = ? "
                            "WHERE id = ?");
        bindSighting(q, s);
        q.bind(10, static_cast<int64_t>(s.id));
        if (q.exec() != 1) {
            return false;
        }
        // The count and the place live beside the row; a record's own time
        // stays as read.
        SQLite::Statement d(*db_,
                            "INSERT INTO sighting_detail (sightingid, source, count, time, "
                            "latitude, longitude) SELECT ?1, ?2, ?3, ?4, ?5, ?6 WHERE ?3 <> '' OR "
                            "?5 <> '' OR ?6 <> '' "
                            "ON CONFLICT(sightingid) DO UPDATE SET count = excluded.count, "
                            "latitude = excluded.latitude, longitude = excluded.longitude, "
                            "time = CASE WHEN source = excluded.source THEN excluded.time "
                            "ELSE time END");
        d.bind(1, static_cast<int64_t>(s.id));
        d.bind(2, kTypedSource);
        d.bind(3, utf8(s.count));
        d.bind(4, utf8(hoursMinutes(s.time)));
        d.bind(5, utf8(s.latitude));
        d.bind(6, utf8(s.longitude));
        d.exec();
        if (s.count.isEmpty() && s.latitude.isEmpty() && s.longitude.isEmpty()) {
            SQLite::Statement clear(*db_,
                                    "UPDATE sighting_detail SET count = '', latitude = '', "
                                    "longitude = '' WHERE sightingid = ?");
            clear.bind(1, static_cast<int64_t>(s.id));
            clear.exec();
        }
        return true;
    });
}

std::optional<Sighting> Store::sighting(qint64 id) const {
    return guarded(*db_, [&]() -> std::optional<Sighting> {
        SQLite::Statement q(*db_, std::string(kSightingSelect) + "WHERE s.id = ?");
        q.bind(1, static_cast<int64_t>(id));
        if (q.executeStep()) {
            return readSighting(q);
        }
        return std::nullopt;
    });
}

std::vector<Sighting> Store::sightingsOf(qint64 birdid) const {
    return guarded(*db_, [&] {
        std::vector<Sighting> out;
        SQLite::Statement q(*db_, std::string(kSightingSelect) +
                                      "WHERE s.birdid = ? ORDER BY s.date DESC, s.id DESC");
        q.bind(1, static_cast<int64_t>(birdid));
        while (q.executeStep()) {
            out.push_back(readSighting(q));
        }
        return out;
    });
}

std::vector<qint64> Store::sightingIdsOf(qint64 birdid) const {
    return guarded(*db_, [&] {
        std::vector<qint64> out;
        SQLite::Statement q(*db_,
                            "SELECT id FROM sighting WHERE birdid = ? ORDER BY date DESC, id DESC");
        q.bind(1, static_cast<int64_t>(birdid));
        while (q.executeStep()) {
            out.push_back(q.getColumn(0).getInt64());
        }
        return out;
    });
}

std::vector<Sighting> Store::sightingsWithIds(const std::vector<qint64>& ids) const {
    return guarded(*db_, [&] {
        std::vector<Sighting> out;
        out.reserve(ids.size());
        SQLite::Statement q(*db_, std::string(kSightingSelect) + "WHERE s.id = ?");
        for (const qint64 id : ids) {
            q.bind(1, static_cast<int64_t>(id));
            if (q.executeStep()) {
                out.push_back(readSighting(q));
            }
            q.reset();
        }
        return out;
    });
}

std::vector<SightingPlace> Store::sightingPlaces(qint64 birdid) const {
    return guarded(*db_, [&] {
        // Read from the index on (birdid, date, site) alone.
        std::vector<SightingPlace> out;
        SQLite::Statement q(*db_, "SELECT id, date, site FROM sighting WHERE birdid = ?");
        q.bind(1, static_cast<int64_t>(birdid));
        while (q.executeStep()) {
            out.push_back(
                {q.getColumn(0).getInt64(), storedDate(q.getColumn(1)), text(q.getColumn(2))});
        }
        return out;
    });
}

std::optional<Sighting> Store::lastSighting() const {
    return guarded(*db_, [&]() -> std::optional<Sighting> {
        SQLite::Statement q(*db_, std::string(kSightingSelect) + "ORDER BY s.id DESC LIMIT 1");
        if (q.executeStep()) {
            return readSighting(q);
        }
        return std::nullopt;
    });
}

std::optional<Sighting> Store::lastTypedSighting() const {
    return guarded(*db_, [&]() -> std::optional<Sighting> {
        SQLite::Statement q(*db_, std::string(kSightingSelect) +
                                      "WHERE d.source IS NULL OR d.source <> 'eBird' "
                                      "ORDER BY s.id DESC LIMIT 1");
        if (q.executeStep()) {
            return readSighting(q);
        }
        return std::nullopt;
    });
}

SubjectContents Store::contentsOf(Category cat, qint64 id) const {
    return guarded(*db_, [&] {
        SubjectContents c;
        SQLite::Statement q(*db_,
                            "SELECT type, count(*) FROM data WHERE catid = ? AND subid = ? "
                            "GROUP BY type");
        q.bind(1, static_cast<int>(cat));
        q.bind(2, static_cast<int64_t>(id));
        while (q.executeStep()) {
            const QString type = text(q.getColumn(0));
            const int n = q.getColumn(1).getInt();
            if (type.compare(kArticle, Qt::CaseInsensitive) == 0) {
                c.articles += n;
            } else if (type.compare(kImage, Qt::CaseInsensitive) == 0) {
                c.pictures += n;
            } else {
                c.links += n;
            }
        }
        if (cat == Category::Birds) {
            SQLite::Statement n(*db_, "SELECT count(*) FROM sighting WHERE birdid = ?");
            n.bind(1, static_cast<int64_t>(id));
            n.executeStep();
            c.sightings = n.getColumn(0).getInt();
        }
        return c;
    });
}

bool Store::deleteSighting(qint64 id) {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_, "DELETE FROM sighting WHERE id = ?");
        q.bind(1, static_cast<int64_t>(id));
        return q.exec() > 0;
    });
}

int Store::deleteSightingsOf(qint64 birdid) {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_, "DELETE FROM sighting WHERE birdid = ?");
        q.bind(1, static_cast<int64_t>(birdid));
        return q.exec();
    });
}

const char* const kSightingDetailColumns =
    "source, submission_id, common_name, scientific_name, taxonomic_order, count, state_code, "
    "county, location_id, location, latitude, longitude, date, time, protocol, duration_min, "
    "all_obs_reported, distance_km, area_ha, observers, breeding_code, observation_details, "
    "checklist_comments, ml_catalog";

std::array<QString SightingDetail::*, 24> detailFields() {
    return {&SightingDetail::source,
            &SightingDetail::submissionId,
            &SightingDetail::commonName,
            &SightingDetail::scientificName,
            &SightingDetail::taxonomicOrder,
            &SightingDetail::count,
            &SightingDetail::stateCode,
            &SightingDetail::county,
            &SightingDetail::locationId,
            &SightingDetail::location,
            &SightingDetail::latitude,
            &SightingDetail::longitude,
            &SightingDetail::date,
            &SightingDetail::time,
            &SightingDetail::protocol,
            &SightingDetail::durationMin,
            &SightingDetail::allObsReported,
            &SightingDetail::distanceKm,
            &SightingDetail::areaHa,
            &SightingDetail::observers,
            &SightingDetail::breedingCode,
            &SightingDetail::observationDetails,
            &SightingDetail::checklistComments,
            &SightingDetail::mlCatalog};
}

std::optional<SightingDetail> Store::sightingDetail(qint64 sightingId) const {
    return guarded(*db_, [&]() -> std::optional<SightingDetail> {
        SQLite::Statement q(*db_, std::string("SELECT ") + kSightingDetailColumns +
                                      " FROM sighting_detail WHERE sightingid = ?");
        q.bind(1, static_cast<int64_t>(sightingId));
        if (!q.executeStep()) {
            return std::nullopt;
        }
        SightingDetail d;
        int i = 0;
        for (QString SightingDetail::*field : detailFields()) {
            d.*field = text(q.getColumn(i++));
        }
        return d;
    });
}

namespace {

// Binds text as UTF-8 without a further copy: keep holds the bytes until
// the statement has run.
void bindText(sqlite3_stmt* q, int i, const QString& s, QByteArray& keep) {
    if (s.isEmpty()) {
        // Most of an eBird record's fields are empty: nothing to convert.
        sqlite3_bind_text(q, i, "", 0, SQLITE_STATIC);
        return;
    }
    keep = s.toUtf8();
    sqlite3_bind_text(q, i, keep.constData(), int(keep.size()), SQLITE_STATIC);
}

void stepOnce(sqlite3* db, sqlite3_stmt* q) {
    const int rc = sqlite3_step(q);
    sqlite3_reset(q);
    sqlite3_clear_bindings(q);
    if (rc != SQLITE_DONE) {
        throw SQLite::Exception(db, rc);
    }
}

}  // namespace

struct SightingWriter::Statements {
    RawStatement sighting{nullptr, sqlite3_finalize};
    RawStatement detail{nullptr, sqlite3_finalize};
};

SightingWriter::SightingWriter(Store& store) : store_(store), q_(std::make_unique<Statements>()) {
    guarded(store.database(), [&] {
        sqlite3* db = store.database().getHandle();
        q_->sighting =
            prepareRaw(db,
                       "INSERT INTO sighting (birdid, date, type, site, district, state, country, "
                       "region, notes) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
        q_->detail = prepareRaw(
            db, std::string("INSERT OR REPLACE INTO sighting_detail (sightingid, ") +
                    kSightingDetailColumns +
                    ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                    "?, ?, ?, ?)");
    });
}

SightingWriter::~SightingWriter() = default;

qint64 SightingWriter::append(const Sighting& s, const SightingDetail* detail) {
    return guarded(store_.database(), [&] {
        sqlite3* db = store_.database().getHandle();
        sqlite3_stmt* q = q_->sighting.get();
        std::array<QByteArray, 24> keep;
        sqlite3_bind_int64(q, 1, s.birdid);
        bindText(q, 2, dateText(s.date, s.time), keep[0]);
        bindText(q, 3, s.type, keep[1]);
        bindText(q, 4, s.site, keep[2]);
        bindText(q, 5, s.district, keep[3]);
        bindText(q, 6, s.state, keep[4]);
        bindText(q, 7, s.country, keep[5]);
        bindText(q, 8, s.region, keep[6]);
        bindText(q, 9, s.notes, keep[7]);
        stepOnce(db, q);
        const qint64 id = sqlite3_last_insert_rowid(db);
        if (detail != nullptr) {
            sqlite3_stmt* d = q_->detail.get();
            sqlite3_bind_int64(d, 1, id);
            int i = 2;
            for (QString SightingDetail::*field : detailFields()) {
                bindText(d, i, detail->*field, keep[size_t(i - 2)]);
                ++i;
            }
            stepOnce(db, d);
        }
        return id;
    });
}

}  // namespace wf
