// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's pictures from the camera: what their files said of
// themselves, and the sightings they show.
#include <sqlite3.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

#include "AppError.h"
#include "Store.h"

#include "StoreRows.h"

namespace wf {

using namespace store_rows;

void Store::setPictureExif(qint64 dataid, const PictureExif& x) {
    guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            "INSERT INTO picture_exif (dataid, taken, latitude, longitude, camera, "
                            "lens, orientation, original_name) VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON "
                            "CONFLICT(dataid) DO UPDATE SET taken = excluded.taken, latitude = "
                            "excluded.latitude, longitude = excluded.longitude, camera = "
                            "excluded.camera, lens = excluded.lens, orientation = "
                            "excluded.orientation, original_name = excluded.original_name");
        q.bind(1, static_cast<int64_t>(dataid));
        q.bind(2, utf8(x.taken.isValid() ? x.taken.toString(Qt::ISODate) : QString()));
        q.bind(3, utf8(x.latitude));
        q.bind(4, utf8(x.longitude));
        q.bind(5, utf8(x.camera));
        q.bind(6, utf8(x.lens));
        q.bind(7, x.orientation);
        q.bind(8, utf8(x.originalName));
        q.exec();
    });
}

std::optional<PictureExif> Store::pictureExif(qint64 dataid) const {
    return guarded(*db_, [&]() -> std::optional<PictureExif> {
        SQLite::Statement q(*db_,
                            "SELECT taken, latitude, longitude, camera, lens, orientation, "
                            "original_name FROM picture_exif WHERE dataid = ?");
        q.bind(1, static_cast<int64_t>(dataid));
        if (!q.executeStep()) {
            return std::nullopt;
        }
        PictureExif x;
        x.taken = QDateTime::fromString(text(q.getColumn(0)), Qt::ISODate);
        x.latitude = text(q.getColumn(1));
        x.longitude = text(q.getColumn(2));
        x.camera = text(q.getColumn(3));
        x.lens = text(q.getColumn(4));
        x.orientation = q.getColumn(5).getInt();
        x.originalName = text(q.getColumn(6));
        return x;
    });
}

void Store::tiePicture(qint64 dataid, std::optional<qint64> sightingId) {
    guarded(*db_, [&] {
        if (!sightingId) {
            SQLite::Statement q(*db_, "DELETE FROM picture_sighting WHERE dataid = ?");
            q.bind(1, static_cast<int64_t>(dataid));
            q.exec();
            return;
        }
        SQLite::Statement q(*db_,
                            "INSERT INTO picture_sighting (dataid, sightingid) VALUES (?, ?) ON "
                            "CONFLICT(dataid) DO UPDATE SET sightingid = excluded.sightingid");
        q.bind(1, static_cast<int64_t>(dataid));
        q.bind(2, static_cast<int64_t>(*sightingId));
        q.exec();
    });
}

std::optional<qint64> Store::sightingOfPicture(qint64 dataid) const {
    return guarded(*db_, [&]() -> std::optional<qint64> {
        SQLite::Statement q(*db_, "SELECT sightingid FROM picture_sighting WHERE dataid = ?");
        q.bind(1, static_cast<int64_t>(dataid));
        if (!q.executeStep()) {
            return std::nullopt;
        }
        return q.getColumn(0).getInt64();
    });
}

std::vector<FirstSeen> Store::firstPhotographed(Area area, const QString& place) const {
    return guarded(*db_, [&] {
        std::string sql =
            "SELECT s.birdid, b.name, s.id, s.date, s.site FROM picture_sighting p JOIN sighting s "
            "ON s.id = p.sightingid JOIN birds b ON b.id = s.birdid";
        if (area != Area::World) {
            sql += std::string(" WHERE s.") + areaColumn(area) + " = ?1";
        }
        SQLite::Statement q(*db_, sql);
        if (area != Area::World) {
            q.bind(1, utf8(place));
        }
        std::map<qint64, FirstSeen> first;
        while (q.executeStep()) {
            FirstSeen f = readFirstSeen(q);
            auto [at, added] = first.emplace(f.birdid, f);
            if (!added && seenBefore(f, at->second)) {
                at->second = std::move(f);
            }
        }
        std::vector<FirstSeen> out;
        out.reserve(first.size());
        for (auto& [bird, f] : first) {
            out.push_back(std::move(f));
        }
        std::sort(out.begin(), out.end(), seenBefore);
        return out;
    });
}

std::vector<Entry> Store::picturesOf(Category cat) const {
    return guarded(*db_, [&] {
        std::vector<Entry> out;
        SQLite::Statement q(*db_, std::string("SELECT d.id, d.subid, d.title, d.fname FROM data d "
                                              "JOIN ") +
                                      subjectTable(cat) +
                                      " s ON s.id = d.subid WHERE d.catid = ? AND d.type = ? "
                                      "ORDER BY s.name, d.id");
        q.bind(1, int(cat));
        q.bind(2, utf8(kImage));
        while (q.executeStep()) {
            Entry e;
            e.id = q.getColumn(0).getInt64();
            e.catid = int(cat);
            e.subid = q.getColumn(1).getInt64();
            e.type = kImage;
            e.title = text(q.getColumn(2));
            e.fname = text(q.getColumn(3));
            out.push_back(std::move(e));
        }
        return out;
    });
}

std::unordered_set<qint64> Store::photographedSightings() const {
    return guarded(*db_, [&] {
        std::unordered_set<qint64> out;
        SQLite::Statement q(*db_, "SELECT DISTINCT sightingid FROM picture_sighting");
        while (q.executeStep()) {
            out.insert(q.getColumn(0).getInt64());
        }
        return out;
    });
}

std::vector<qint64> Store::picturesOfSighting(qint64 sightingId) const {
    return guarded(*db_, [&] {
        std::vector<qint64> out;
        SQLite::Statement q(*db_,
                            "SELECT dataid FROM picture_sighting WHERE sightingid = ? ORDER BY "
                            "dataid");
        q.bind(1, static_cast<int64_t>(sightingId));
        while (q.executeStep()) {
            out.push_back(q.getColumn(0).getInt64());
        }
        return out;
    });
}

std::map<QDate, std::vector<Sighting>> Store::sightingsOnDays(
    const std::vector<QDate>& days) const {
    return guarded(*db_, [&] {
        std::map<QDate, std::vector<Sighting>> out;
        QJsonArray wanted;
        for (const QDate d : days) {
            if (d.isValid()) {
                wanted.append(d.toString(Qt::ISODate));
            }
        }
        if (wanted.isEmpty()) {
            return out;
        }
        // The days as one parameter: a single read of the sightings, however
        // many days are asked for.
        SQLite::Statement q(*db_, std::string(kSightingSelect) +
                                      "WHERE substr(s.date, 1, 10) IN (SELECT value FROM "
                                      "json_each(?)) ORDER BY s.date, s.id");
        q.bind(1, QJsonDocument(wanted).toJson(QJsonDocument::Compact).toStdString());
        while (q.executeStep()) {
            Sighting s = readSighting(q);
            out[s.date].push_back(std::move(s));
        }
        return out;
    });
}

}  // namespace wf
