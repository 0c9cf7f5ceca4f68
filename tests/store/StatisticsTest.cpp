// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include "QtPrinters.h"
#include "Statistics.h"
#include "Store.h"

using namespace wf;

TEST(Statistics, GrowthYearsAndPlacesOfTheWorldAndAnArea) {
    auto store = Store::createInMemory();
    const qint64 wren = store->addSubject(Category::Birds, QStringLiteral("Wren"));
    const qint64 robin = store->addSubject(Category::Birds, QStringLiteral("Robin"));
    const qint64 eider = store->addSubject(Category::Birds, QStringLiteral("Eider"));
    const auto sight = [&](qint64 bird, QDate date, const char* site, const char* country) {
        Sighting s;
        s.birdid = bird;
        s.date = date;
        s.site = QString::fromUtf8(site);
        s.country = QString::fromUtf8(country);
        store->appendSighting(s);
    };
    sight(wren, QDate(2023, 12, 31), "Fen", "UK");
    sight(robin, QDate(2023, 12, 31), "fen", "UK");  // the same place, other letter case
    sight(wren, QDate(2024, 1, 1), "Heath", "UK");
    sight(eider, QDate(2024, 6, 1), "Coast", "Norway");
    sight(robin, QDate(), "Garden", "UK");  // undated: in the totals only

    const JournalStatistics world = journalStatistics(*store, Area::World, {});
    EXPECT_EQ(world.species, 3);
    EXPECT_EQ(world.sightings, 5);
    EXPECT_EQ(world.places, 4);
    EXPECT_EQ(world.growth, (std::vector<std::pair<QDate, int>>{{QDate(2023, 12, 31), 2},
                                                                {QDate(2024, 6, 1), 3}}));
    EXPECT_EQ(world.newPerYear, (std::map<int, int>{{2023, 2}, {2024, 1}}));
    EXPECT_EQ(world.speciesPerYear, (std::map<int, int>{{2023, 2}, {2024, 2}}));
    ASSERT_EQ(world.topPlaces.size(), 4u);
    EXPECT_EQ(world.topPlaces[0], (std::pair<QString, int>{"Fen", 2}));
    EXPECT_EQ(world.topPlaces[1].first, QStringLiteral("Coast"));  // then by name

    const JournalStatistics uk = journalStatistics(*store, Area::Country, QStringLiteral("uk"));
    EXPECT_EQ(uk.species, 2);
    EXPECT_EQ(uk.newPerYear, (std::map<int, int>{{2023, 2}}));
    EXPECT_EQ(journalStatistics(*store, Area::Country, QStringLiteral("Peru")).species, 0);
}

TEST(Statistics, CountriesKeepTheirBirdsAsSightingsComeChangeAndGo) {
    auto store = Store::createInMemory();
    const qint64 wren = store->addSubject(Category::Birds, QStringLiteral("Wren"));
    const qint64 robin = store->addSubject(Category::Birds, QStringLiteral("Robin"));
    const auto sight = [&](qint64 bird, const char* country, const char* region = "") {
        Sighting s;
        s.birdid = bird;
        s.date = QDate(2024, 1, 1);
        s.country = QString::fromUtf8(country);
        s.region = QString::fromUtf8(region);
        return store->appendSighting(s);
    };
    const auto counts = [&](Area area = Area::World, const QString& place = {}) {
        QStringList out;
        for (const CountryCount& c : countryCounts(*store, area, place)) {
            out << QStringLiteral("%1 %2/%3").arg(c.country).arg(c.species).arg(c.sightings);
        }
        return out;
    };
    sight(wren, "Kenya", "Africa");
    const qint64 second = sight(wren, "kenya");  // letter case: the same country
    const qint64 robinThere = sight(robin, "Kenya", "Africa");
    sight(robin, "Peru");
    sight(wren, "");  // no country: not on the map
    EXPECT_EQ(counts(), (QStringList{"Kenya 2/3", "Peru 1/1"}));
    EXPECT_EQ(counts(Area::Region, QStringLiteral("Africa")), QStringList{"Kenya 2/2"});
    // Moved to another country, refiled under another bird, deleted.
    Sighting moved = *store->sighting(second);
    moved.country = QStringLiteral("Peru");
    ASSERT_TRUE(store->updateSighting(moved));
    EXPECT_EQ(counts(), (QStringList{"Kenya 2/2", "Peru 2/2"}));
    Sighting refiled = *store->sighting(robinThere);
    refiled.birdid = wren;
    ASSERT_TRUE(store->updateSighting(refiled));
    EXPECT_EQ(counts(), (QStringList{"Kenya 1/2", "Peru 2/2"}));
    store->deleteSighting(robinThere);
    EXPECT_EQ(counts(), (QStringList{"Kenya 1/1", "Peru 2/2"}));
    // The table agrees with the sightings themselves, row for row.
    EXPECT_EQ(store->database()
                  .execAndGet("SELECT count(*) FROM (SELECT country, birdid, count(*) AS n FROM "
                              "sighting WHERE country <> '' GROUP BY country, birdid EXCEPT "
                              "SELECT country, birdid, sightings FROM country_bird)")
                  .getInt(),
              0);
}
