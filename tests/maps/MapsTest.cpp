// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped shapes decoded, country names matched to them, and a shaded
// map read back from its pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "CountryMatcher.h"
#include "MapPainter.h"
#include "WorldShapes.h"

using namespace wf::maps;

namespace {

const Country& country(const char* id) {
    const Country* c = WorldShapes::detailed().byKey(QLatin1String(id));
    EXPECT_NE(c, nullptr) << id;
    return *c;
}

// Square kilometres of a country without holes, from its equal-area
// outline (map units are on a sphere of radius 1).
double areaKm2(const Country& c) {
    double units = 0;
    for (const QPolygonF& ring : c.projected.toSubpathPolygons()) {
        double twice = 0;
        for (qsizetype i = 0; i + 1 < ring.size(); ++i) {
            twice += ring[i].x() * ring[i + 1].y() - ring[i + 1].x() * ring[i].y();
        }
        units += std::abs(twice) / 2;
    }
    return units * 6371.0 * 6371.0;
}

}  // namespace

TEST(WorldShapes, DecodeToTheirKnownPlaces) {
    const WorldShapes& world = WorldShapes::detailed();
    EXPECT_GT(world.countries().size(), 230u);
    EXPECT_EQ(WorldShapes::coarse().countries().size(), 177u);
    // Lesotho's box, from its borders; South Africa's holds it (and,
    // at this scale, reaches the Prince Edward Islands).
    const Country& ls = country("426");
    EXPECT_EQ(ls.name, QStringLiteral("Lesotho"));
    EXPECT_NEAR(ls.box.left(), 27.0, 0.3);
    EXPECT_NEAR(ls.box.right(), 29.45, 0.3);
    EXPECT_NEAR(ls.box.top(), -30.65, 0.3);  // the smaller latitude
    EXPECT_NEAR(ls.box.bottom(), -28.57, 0.3);
    const Country& za = country("710");
    EXPECT_NEAR(za.box.left(), 16.5, 0.5);
    EXPECT_TRUE(za.box.contains(ls.box));
    // Areas of the right order: the United Kingdom about 243,000 km²,
    // Russia about 17 million.
    EXPECT_NEAR(areaKm2(country("826")), 243000, 243000 * 0.25);
    const double russia = areaKm2(country("643"));
    EXPECT_GT(russia, 14e6);
    EXPECT_LT(russia, 20e6);
    // Across the 180th meridian: both of Russia's ends are Russia, and no
    // shape runs the map's width but along a pole (a line in this projection).
    EXPECT_TRUE(country("643").lonLat.contains(QPointF(-175, 66.5)));   // Chukotka's east
    EXPECT_TRUE(country("643").lonLat.contains(QPointF(170, 65)));
    for (const Country& c : world.countries()) {
        for (const QPolygonF& ring : c.lonLat.toSubpathPolygons()) {
            for (qsizetype i = 0; i + 1 < ring.size(); ++i) {
                if (std::abs(ring[i].y()) == 90 && ring[i].y() == ring[i + 1].y()) {
                    continue;
                }
                EXPECT_LE(std::abs(ring[i + 1].x() - ring[i].x()), 180) << c.name.toStdString();
            }
        }
    }
}

TEST(WorldShapes, APointIsInTheRightCountryHolesIncluded) {
    const WorldShapes& world = WorldShapes::detailed();
    const Country& za = country("710");
    const Country& ls = country("426");
    // Maseru is in Lesotho, which is a hole in South Africa.
    const QPointF maseru(27.48, -29.31);
    EXPECT_TRUE(ls.lonLat.contains(maseru));
    EXPECT_FALSE(za.lonLat.contains(maseru));
    // Johannesburg is in South Africa; the open sea is in no country.
    EXPECT_TRUE(za.lonLat.contains(QPointF(28.05, -26.2)));
    EXPECT_EQ(world.at(project(27.48, -29.31))->id, QStringLiteral("426"));
    EXPECT_EQ(world.at(project(28.05, -26.2))->id, QStringLiteral("710"));
    EXPECT_EQ(world.at(project(-30, 30)), nullptr);
}

TEST(WorldShapes, BadFilesDecodeToNothingWithAReason) {
    QString why;
    EXPECT_TRUE(decodeTopoJson("{not json", QStringLiteral("countries"), &why).empty());
    EXPECT_FALSE(why.isEmpty());
    EXPECT_TRUE(decodeTopoJson(R"({"type":"Topology","objects":{},"arcs":[]})",
                               QStringLiteral("countries"), &why)
                    .empty());
    EXPECT_TRUE(why.contains(QLatin1String("countries")));
    // An arc index past the end is skipped, not read.
    const auto few = decodeTopoJson(
        R"({"type":"Topology","arcs":[[[0,0],[10,0],[0,10],[-10,-10]]],
            "objects":{"c":{"type":"GeometryCollection","geometries":[
              {"type":"Polygon","arcs":[[0, 7]],"id":"1","properties":{"name":"A"}}]}}})",
        QStringLiteral("c"));
    ASSERT_EQ(few.size(), 1u);
    EXPECT_EQ(few[0].box, QRectF(-10, -10, 20, 20));  // not quantized: absolute points
}

TEST(CountryMatcher, MatchesCodesNamesAndAliases) {
    CountryMatcher m(WorldShapes::detailed().countries());
    for (const char* uk : {"GB", "gbr", "826", "United Kingdom",
                           "united kingdom of great britain and northern ireland"}) {
        EXPECT_EQ(m.match(QString::fromUtf8(uk)), QStringLiteral("826")) << uk;
    }
    EXPECT_EQ(m.match(QStringLiteral("Côte d'Ivoire")), QStringLiteral("384"));
    EXPECT_EQ(m.match(QStringLiteral("cote d'ivoire")), QStringLiteral("384"));
    EXPECT_EQ(m.match(QStringLiteral("  Bolivia ")), QStringLiteral("068"));
    EXPECT_EQ(m.match(QStringLiteral("Kosovo")), QStringLiteral("Kosovo"));  // no code
    EXPECT_TRUE(m.match(QStringLiteral("England")).isEmpty());
    EXPECT_TRUE(m.addAlias(QStringLiteral("England"), QStringLiteral("United Kingdom")));
    EXPECT_EQ(m.match(QStringLiteral("england")), QStringLiteral("826"));
    EXPECT_FALSE(m.addAlias(QStringLiteral("Narnia"), QStringLiteral("Atlantis")));
    EXPECT_TRUE(m.match(QStringLiteral("Atlantis")).isEmpty());
}

TEST(MapPainter, ShadesEachCountryByItsValue) {
    const WorldShapes& world = WorldShapes::detailed();
    MapScene scene;
    scene.values.insert(QStringLiteral("826"), 100);  // the United Kingdom
    scene.values.insert(QStringLiteral("404"), 10);   // Kenya
    QImage image(1200, 600, QImage::Format_RGB32);
    const QRectF target(0, 0, 1200, 600);
    const QTransform t = mapTransform(world.bounds(), target, 1, world.bounds().center());
    QPainter p(&image);
    paintMap(p, world, scene, t, target);
    p.end();
    const Shading shading(100);
    const auto colourAt = [&](double lon, double lat) {
        return image.pixelColor(t.map(project(lon, lat)).toPoint());
    };
    EXPECT_EQ(colourAt(-1.8, 52.6), shading.colour(100));  // England's Midlands
    EXPECT_EQ(colourAt(37.9, 0.2), shading.colour(10));    // Mount Kenya's plains
    EXPECT_EQ(colourAt(2.5, 46.5), Shading::none());       // France, not seen
    EXPECT_NE(shading.colour(100), shading.colour(10));
    EXPECT_EQ(colourAt(-30, 30), QColor(0xdd, 0xee, 0xf8));  // the Atlantic
}
