// SPDX-License-Identifier: GPL-3.0-or-later
#include "Statistics.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <algorithm>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "Store.h"
#include "Wildcard.h"

namespace wf {

namespace {

// A site's key with letter case folded: bytes lowered for ASCII, the
// Unicode folding for anything else.
std::string siteKey(const char* text, int bytes) {
    std::string key(text, size_t(bytes));
    bool ascii = true;
    for (char& c : key) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
        if (c >= 'A' && c <= 'Z') {
            c = char(c - 'A' + 'a');
        }
    }
    if (!ascii) {
        key = QString::fromUtf8(text, bytes).toCaseFolded().toStdString();
    }
    return key;
}

}  // namespace

JournalStatistics journalStatistics(const Store& store, Area area, const QString& place) {
    JournalStatistics st;
    SQLite::Database& db = store.database();
    // One pass in any order: each bird's first date, the birds of each year
    // and of each place.
    std::string sql =
        "SELECT s.birdid, s.date, s.site FROM sighting s JOIN birds b ON b.id = s.birdid";
    if (area != Area::World) {
        sql += std::string(" WHERE s.") + areaColumn(area) + " = ?";
    }
    SQLite::Statement q(db, sql);
    if (area != Area::World) {
        q.bind(1, place.toStdString());
    }
    std::unordered_map<qint64, std::string> firstDate;  // "" when never dated
    std::unordered_set<qint64> perYear;                 // year * 2^40 + bird
    struct Place {
        std::string name;
        std::unordered_set<qint64> birds;
    };
    std::unordered_map<std::string, Place> places;
    while (q.executeStep()) {
        const qint64 bird = q.getColumn(0).getInt64();
        const SQLite::Column dateColumn = q.getColumn(1);
        const std::string date(dateColumn.getText(), size_t(std::min(dateColumn.getBytes(), 10)));
        ++st.sightings;
        auto [it, added] = firstDate.try_emplace(bird, date);
        if (!added && !date.empty() && (it->second.empty() || date < it->second)) {
            it->second = date;
        }
        if (date.size() >= 4) {
            const qint64 year = QByteArray::fromRawData(date.data(), 4).toLongLong();
            if (year > 0) {
                perYear.insert((year << 40) | bird);
            }
        }
        const SQLite::Column siteColumn = q.getColumn(2);
        if (siteColumn.getBytes() > 0) {
            Place& p = places[siteKey(siteColumn.getText(), siteColumn.getBytes())];
            if (p.name.empty()) {
                p.name.assign(siteColumn.getText(), size_t(siteColumn.getBytes()));
            }
            p.birds.insert(bird);
        }
    }
    st.species = int(firstDate.size());
    st.places = int(places.size());
    // The growth: birds by their first date; undated ones never add to it.
    std::vector<QDate> firsts;
    firsts.reserve(firstDate.size());
    for (const auto& [bird, date] : firstDate) {
        const QDate d = QDate::fromString(QString::fromLatin1(date), Qt::ISODate);
        if (d.isValid()) {
            firsts.push_back(d);
        }
    }
    std::sort(firsts.begin(), firsts.end());
    int seen = 0;
    for (const QDate& d : firsts) {
        ++seen;
        ++st.newPerYear[d.year()];
        if (!st.growth.empty() && st.growth.back().first == d) {
            st.growth.back().second = seen;
        } else {
            st.growth.emplace_back(d, seen);
        }
    }
    for (const qint64 key : perYear) {
        ++st.speciesPerYear[int(key >> 40)];
    }
    for (const auto& [key, p] : places) {
        st.topPlaces.emplace_back(QString::fromStdString(p.name), int(p.birds.size()));
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

}  // namespace wf
