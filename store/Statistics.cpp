// SPDX-License-Identifier: GPL-3.0-or-later
#include "Statistics.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <algorithm>
#include <set>
#include <string_view>
#include <unordered_map>

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
    using is_transparent = void;
    size_t operator()(std::string_view s) const {
        size_t h = 1469598103934665603ull;
        for (const char c : s) {
            h = (h ^ static_cast<unsigned char>(lowerAscii(c))) * 1099511628211ull;
        }
        return h;
    }
};

struct SiteEqual {
    using is_transparent = void;
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
    // The sightings in table order (one sequential read).
    std::string sql = "SELECT s.birdid, s.date, s.site FROM sighting s";
    if (area != Area::World) {
        sql += std::string(" WHERE s.") + areaColumn(area) + " = ?";
    }
    SQLite::Statement q(db, sql);
    if (area != Area::World) {
        q.bind(1, place.toStdString());
    }
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
    struct Place {
        std::string name;
        Marks marks;
    };
    std::unordered_map<std::string, Place, SiteHash, SiteEqual> places;
    while (q.executeStep()) {
        const qint64 bird = q.getColumn(0).getInt64();
        if (bird < 0 || size_t(bird) >= birdCount || !exists[size_t(bird)]) {
            continue;  // a sighting of a bird that is gone
        }
        const size_t b = size_t(bird);
        const SQLite::Column dateColumn = q.getColumn(1);
        const std::string date(dateColumn.getText(), size_t(std::min(dateColumn.getBytes(), 10)));
        ++st.sightings;
        if (!seen[b]) {
            seen[b] = 1;
            ++st.species;
            firstDate[b] = date;
        } else if (!date.empty() && (firstDate[b].empty() || date < firstDate[b])) {
            firstDate[b] = date;
        }
        if (date.size() >= 4) {
            const int year = QByteArray::fromRawData(date.data(), 4).toInt();
            if (year > 0) {
                perYear[year].mark(b, birdCount);
            }
        }
        const SQLite::Column siteColumn = q.getColumn(2);
        if (siteColumn.getBytes() > 0) {
            const std::string_view site(siteColumn.getText(), size_t(siteColumn.getBytes()));
            std::string folded;
            const std::string_view key = isAscii(site) ? site : (folded = foldedSite(site));
            auto it = places.find(key);
            if (it == places.end()) {
                it = places.emplace(std::string(key), Place{std::string(site), {}}).first;
            }
            it->second.marks.mark(b, birdCount);
        }
    }
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
    for (const auto& [key, p] : places) {
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

}  // namespace wf
