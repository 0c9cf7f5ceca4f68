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

JournalStatistics journalStatistics(const Store& store, Area area, const QString& place) {
    JournalStatistics st;
    SQLite::Database& db = store.database();
    std::string sql =
        "SELECT s.birdid, s.date, s.site FROM sighting s JOIN birds b ON b.id = s.birdid";
    if (area != Area::World) {
        sql += std::string(" WHERE s.") + areaColumn(area) + " = ?";
    }
    // In the order seen: dated by date and id, the undated after them.
    sql += " ORDER BY s.date = '', s.date, s.id";
    SQLite::Statement q(db, sql);
    if (area != Area::World) {
        q.bind(1, place.toStdString());
    }
    std::unordered_set<qint64> seen;
    std::map<int, std::unordered_set<qint64>> perYear;
    std::unordered_map<QString, std::pair<QString, std::unordered_set<qint64>>> atPlace;
    while (q.executeStep()) {
        const qint64 bird = q.getColumn(0).getInt64();
        const char* dateText = q.getColumn(1).getText();
        const QDate date = QDate::fromString(QString::fromLatin1(dateText).left(10), Qt::ISODate);
        const QString site = QString::fromUtf8(q.getColumn(2).getText());
        ++st.sightings;
        const bool isNew = seen.insert(bird).second;
        if (date.isValid()) {
            perYear[date.year()].insert(bird);
            if (isNew) {
                ++st.newPerYear[date.year()];
                if (!st.growth.empty() && st.growth.back().first == date) {
                    st.growth.back().second = int(seen.size());
                } else {
                    st.growth.emplace_back(date, int(seen.size()));
                }
            }
        }
        if (!site.isEmpty()) {
            auto& p = atPlace[site.toCaseFolded()];
            if (p.first.isEmpty()) {
                p.first = site;
            }
            p.second.insert(bird);
        }
    }
    st.species = int(seen.size());
    st.places = int(atPlace.size());
    for (const auto& [year, birds] : perYear) {
        st.speciesPerYear[year] = int(birds.size());
    }
    for (const auto& [key, p] : atPlace) {
        st.topPlaces.emplace_back(p.first, int(p.second.size()));
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
