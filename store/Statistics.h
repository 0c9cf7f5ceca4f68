// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <map>
#include <utility>
#include <vector>

#include "Types.h"

namespace wf {

class Store;

// What the statistics window shows for the world or one area.
struct JournalStatistics {
    int species = 0;  // distinct birds seen
    int sightings = 0;
    int places = 0;   // distinct sites (letter case ignored)
    int entries = 0;  // articles, pictures and links in the whole journal
    // Each date on which the list grew, with the species seen by its end.
    std::vector<std::pair<QDate, int>> growth;
    std::map<int, int> newPerYear;      // species first seen in each year
    std::map<int, int> speciesPerYear;  // species seen in each year
    // The places with the most species, most first (then by name), at most ten.
    std::vector<std::pair<QString, int>> topPlaces;
};

// Species and sightings in one country as the sightings name it.
struct CountryCount {
    QString country;  // as typed; names that differ only in letter case are one
    int species = 0;
    int sightings = 0;
    std::vector<qint64> birds;  // its species, in order: names of one country join them
};

// A place with coordinates (from eBird records, or typed with a sighting),
// and its sightings.
struct PlaceDot {
    double latitude = 0;
    double longitude = 0;
    int sightings = 0;
};

// The places with coordinates of the area's sightings (World: place
// ignored), of one bird when bird >= 0.
std::vector<PlaceDot> placeDots(const Store& store, Area area, const QString& place,
                                qint64 bird = -1);

// The countries of the area's sightings (World: place ignored), by name;
// sightings without a country are left out.
std::vector<CountryCount> countryCounts(const Store& store, Area area, const QString& place);

// Reads the statistics of the area (World: place ignored). Sightings
// without a date count in the totals but not by year or in the growth.
JournalStatistics journalStatistics(const Store& store, Area area, const QString& place);

}  // namespace wf
