// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a world map: countries shaded by a number (species seen there),
// dots for places (larger for more sightings), a legend. The same drawing
// serves the statistics window's map, its saved PNG and SVG, and the small
// maps of the subject pages.
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <vector>

class QPainter;

namespace wf::maps {

class WorldShapes;

struct Dot {
    double lon = 0;
    double lat = 0;
    int sightings = 0;
};

// The shading's classes: from the largest value, five steps of colour.
class Shading {
  public:
    explicit Shading(int largest);
    // The colour of a value; a country with none is left pale.
    QColor colour(int value) const;
    // The classes' lower bounds, for the legend (1 first).
    const std::vector<int>& bounds() const { return bounds_; }
    static QColor none();

  private:
    std::vector<int> bounds_;
};

struct MapScene {
    QHash<QString, int> values;  // shape key -> species
    std::vector<Dot> dots;
    bool shade = true;  // false: outlines and dots only
    QString legendTitle;
};

// The map units shown in target at a zoom (1: the whole world) about a
// centre (map units); y is flipped, north up.
QTransform mapTransform(const QRectF& world, const QRectF& target, double zoom, QPointF centre);

// A small map of places: the dots on the countries, zoomed to show them
// all (the whole world when they are far apart), at size device-independent
// pixels.
QImage placesMap(const std::vector<Dot>& dots, QSize size, qreal dpr = 1.0);

// Draws the scene's countries and dots with the transform, then the legend
// in the target's lower left corner when the scene shades.
void paintMap(QPainter& p, const WorldShapes& shapes, const MapScene& scene,
              const QTransform& toTarget, const QRectF& target);

}  // namespace wf::maps
