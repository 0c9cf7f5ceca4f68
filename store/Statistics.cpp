// SPDX-License-Identifier: GPL-3.0-or-later
#include "Statistics.h"

#include <sqlite3.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string_view>

#include "RawStatement.h"
#include "Store.h"
#include "Wildcard.h"

namespace wf {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Sites compared and hashed with ASCII letter case folded; a site with
// other letters is looked up by its Unicode folding (foldedSite).
struct SiteHash {
    size_t operator()(std::string_view s) const {
        size_t h = 1469598103934665603ull;
        for (const char c : s) {
            h = (h ^ static_cast<unsigned char>(lowerAscii(c))) * 1099511628211ull;
        }
        return h;
    }
};

struct SiteEqual {
    bool operator()(std::string_view a, std::string_view b) const {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(),
                          [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
    }
};

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The statement with the area's place bound to its one parameter (the
// world has none); place must outlive it.
RawStatement prepareForArea(sqlite3* db, const std::string& sql, Area area,
                            const QByteArray& place) {
    RawStatement q = prepareRaw(db, sql);
    if (area != Area::World) {
        sqlite3_bind_text(q.get(), 1, place.constData(), int(place.size()), SQLITE_STATIC);
    }
    return q;
}

std::string foldedSite(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size())).toCaseFolded().toStdString();
}

}  // namespace

JournalStatistics journalStatistics(const Store& store, Area area, const QString& place) {
    JournalStatistics st;
    SQLite::Database& db = store.database();
    // Birds by id in dense tables: which exist, each one's first date, which
    // were seen in each year and at each place.
    std::vector<char> exists;
    {
        SQLite::Statement b(db, "SELECT id FROM birds");
        while (b.executeStep()) {
            const qint64 id = b.getColumn(0).getInt64();
            if (id >= 0 && id < (qint64(1) << 26)) {
                if (size_t(id) >= exists.size()) {
                    exists.resize(size_t(id) + 1, 0);
                }
                exists[size_t(id)] = 1;
            }
        }
    }
    const size_t birdCount = exists.size();
    std::string sql = "SELECT s.birdid, s.date, s.site FROM sighting s";
    if (area != Area::World) {
        sql += std::string(" WHERE s.") + areaColumn(area) + " = ?";
    }
    // In bird order, the sightings come from an index that holds the three
    // columns (and, for an area, its birds), never from the rows. Read
    // through the engine's own calls: this loop runs once per sighting.
    sql += " ORDER BY s.birdid";
    sqlite3* handle = db.getHandle();
    const QByteArray placeUtf8 = place.toUtf8();
    const RawStatement q = prepareForArea(handle, sql, area, placeUtf8);
    sqlite3_stmt* raw = q.get();
    std::vector<char> seen(birdCount, 0);
    std::vector<std::string> firstDate(birdCount);  // "" when never dated
    // A bit for each bird (a place's set stays small enough for the cache).
    struct Marks {
        std::vector<quint64> bits;
        int count = 0;
        void mark(size_t bird, size_t size) {
            if (bits.empty()) {
                bits.assign((size + 63) / 64, 0);
            }
            quint64& word = bits[bird / 64];
            const quint64 bit = quint64(1) << (bird % 64);
            if ((word & bit) == 0) {
                word |= bit;
                ++count;
            }
        }
    };
    std::map<int, Marks> perYear;
    // The places in an open-addressed table of their indexes: one probe
    // into one array for most sightings.
    struct Place {
        std::string key;  // ASCII case folded, or Unicode folded
        std::string name;
        size_t hash = 0;
        Marks marks;
    };
    std::vector<Place> places;
    std::vector<int> probes(1024, -1);
    const auto placeOf = [&](std::string_view key, std::string_view name) -> Place& {
        const size_t hash = SiteHash()(key);
        size_t mask = probes.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const int at = probes[i];
            if (at < 0) {
                break;
            }
            Place& p = places[size_t(at)];
            if (p.hash == hash && SiteEqual()(p.key, key)) {
                return p;
            }
        }
        places.push_back({std::string(key), std::string(name), hash, {}});
        if (places.size() * 2 > probes.size()) {
            probes.assign(probes.size() * 2, -1);
            mask = probes.size() - 1;
            for (size_t at = 0; at < places.size(); ++at) {
                size_t i = places[at].hash & mask;
                while (probes[i] >= 0) {
                    i = (i + 1) & mask;
                }
                probes[i] = int(at);
            }
        } else {
            size_t i = hash & mask;
            while (probes[i] >= 0) {
                i = (i + 1) & mask;
            }
            probes[i] = int(places.size() - 1);
        }
        return places.back();
    };
    const auto textOf = [raw](int column) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(raw, column));
        return p ? std::string_view(p, size_t(sqlite3_column_bytes(raw, column)))
                 : std::string_view();
    };
    // Each bird's sightings come together: its years are marked once each.
    size_t current = size_t(-1);
    int currentYear = 0;
    forEachRow(handle, raw, [&] {
        const qint64 bird = sqlite3_column_int64(raw, 0);
        if (bird < 0 || size_t(bird) >= birdCount || !exists[size_t(bird)]) {
            return;  // a sighting of a bird that is gone
        }
        const size_t b = size_t(bird);
        if (b != current) {
            current = b;
            currentYear = 0;
        }
        const std::string_view fullDate = textOf(1);
        const std::string_view date = fullDate.substr(0, std::min<size_t>(fullDate.size(), 10));
        ++st.sightings;
        if (!seen[b]) {
            seen[b] = 1;
            ++st.species;
        }
        if (!date.empty() && (firstDate[b].empty() || date < firstDate[b])) {
            firstDate[b] = date;
        }
        if (date.size() >= 4) {
            int year = 0;
            for (size_t i = 0; i < 4; ++i) {
                year = date[i] >= '0' && date[i] <= '9' && year >= 0 ? year * 10 + (date[i] - '0')
                                                                     : -1;
            }
            if (year > 0 && year != currentYear) {
                currentYear = year;
                perYear[year].mark(b, birdCount);
            }
        }
        const std::string_view site = textOf(2);
        if (!site.empty()) {
            std::string folded;
            const std::string_view key = isAscii(site) ? site : (folded = foldedSite(site));
            placeOf(key, site).marks.mark(b, birdCount);
        }
    });
    st.places = int(places.size());
    // The growth: birds by their first date; undated ones never add to it.
    std::vector<QDate> firsts;
    for (size_t b = 0; b < birdCount; ++b) {
        if (seen[b] && !firstDate[b].empty()) {
            const QDate d = QDate::fromString(QString::fromLatin1(firstDate[b]), Qt::ISODate);
            if (d.isValid()) {
                firsts.push_back(d);
            }
        }
    }
    std::sort(firsts.begin(), firsts.end());
    int count = 0;
    for (const QDate& d : firsts) {
        ++count;
        ++st.newPerYear[d.year()];
        if (!st.growth.empty() && st.growth.back().first == d) {
            st.growth.back().second = count;
        } else {
            st.growth.emplace_back(d, count);
        }
    }
    for (const auto& [year, marks] : perYear) {
        st.speciesPerYear[year] = marks.count;
    }
    for (const Place& p : places) {
        st.topPlaces.emplace_back(QString::fromStdString(p.name), p.marks.count);
    }
    std::sort(st.topPlaces.begin(), st.topPlaces.end(), [](const auto& a, const auto& b) {
        if (a.second != b.second) {
            return a.second > b.second;
        }
        return compareNoCase(a.first, b.first) < 0;
    });
    if (st.topPlaces.size() > 10) {
        st.topPlaces.resize(10);
    }
    st.entries = int(store.rowCount("data"));
    return st;
}

std::vector<CountryCount> countryCounts(const Store& store, Area area, const QString& place) {
    std::vector<CountryCount> out;
    SQLite::Database& db = store.database();
    // For the world, in the country index's own order: each country's
    // birds come together, read from the index alone.
    // The world's from the countries' own table; an area's from its sightings.
    std::string sql;
    if (area == Area::World) {
        sql = "SELECT country, birdid, sightings FROM country_bird ORDER BY country, birdid";
    } else {
        sql = std::string("SELECT s.country, s.birdid, count(*) FROM sighting s WHERE s.") +
              areaColumn(area) + " = ? GROUP BY s.country, s.birdid";
    }
    sqlite3* handle = db.getHandle();
    const QByteArray placeUtf8 = place.toUtf8();
    const RawStatement q = prepareForArea(handle, sql, area, placeUtf8);
    sqlite3_stmt* raw = q.get();
    std::string current;
    bool any = false;
    qint64 lastBird = -1;
    CountryCount* c = nullptr;
    forEachRow(handle, raw, [&] {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
        const std::string_view country =
            p ? std::string_view(p, size_t(sqlite3_column_bytes(raw, 0))) : std::string_view();
        if (country.empty()) {
            return;
        }
        const qint64 bird = sqlite3_column_int64(raw, 1);
        // The index orders names without regard to letter case: "kenya"
        // and "Kenya" come together, their birds in one order, and count
        // as one country.
        if (!any || !SiteEqual()(country, current)) {
            const QString name = QString::fromUtf8(country.data(), qsizetype(country.size()));
            if (!any || name.compare(out.back().country, Qt::CaseInsensitive) != 0) {
                out.push_back({name, 0, 0, {}});
                lastBird = -1;
            }
            c = &out.back();
            current = country;
            any = true;
        }
        c->sightings += sqlite3_column_int(raw, 2);
        if (bird != lastBird) {
            ++c->species;
            c->birds.push_back(bird);
            lastBird = bird;
        }
    });
    return out;
}

std::vector<PlaceDot> placeDots(const Store& store, Area area, const QString& place, qint64 bird) {
    // The whole journal's from the places' own index; an area's or a bird's
    // through their sightings.
    const bool all = area == Area::World && bird < 0;
    std::string sql =
        all ? "SELECT d.latitude, d.longitude, count(*) FROM sighting_detail d WHERE "
              "d.latitude <> '' AND d.longitude <> ''"
            : "SELECT d.latitude, d.longitude, count(*) FROM sighting s JOIN sighting_detail d "
              "ON d.sightingid = s.id WHERE d.latitude <> '' AND d.longitude <> ''";
    if (area != Area::World) {
        sql += std::string(" AND s.") + areaColumn(area) + " = ?";
    }
    if (bird >= 0) {
        sql += " AND s.birdid = ?";
    }
    sql += " GROUP BY d.latitude, d.longitude";
    SQLite::Statement q(store.database(), sql);
    int at = 1;
    if (area != Area::World) {
        q.bind(at++, place.toStdString());
    }
    if (bird >= 0) {
        q.bind(at, static_cast<int64_t>(bird));
    }
    std::vector<PlaceDot> out;
    while (q.executeStep()) {
        bool okLat = false;
        bool okLon = false;
        const double lat = QString::fromUtf8(q.getColumn(0).getText()).toDouble(&okLat);
        const double lon = QString::fromUtf8(q.getColumn(1).getText()).toDouble(&okLon);
        // Coordinates that are no place on Earth are left off the map.
        if (okLat && okLon && std::abs(lat) <= 90 && std::abs(lon) <= 180) {
            out.push_back({lat, lon, q.getColumn(2).getInt()});
        }
    }
    return out;
}

}  // namespace wf
