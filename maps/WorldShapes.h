// SPDX-License-Identifier: GPL-3.0-or-later
// The countries of the world as shapes to draw: Natural Earth's Admin 0
// countries, shipped as TopoJSON and decoded once, when a map is first
// drawn. Maps use the Equal Earth projection: equal-area, so that a large
// country's shade does not outweigh a small one's by a projection's
// stretching (as Mercator's would near the poles), with the rounded,
// familiar outline of Robinson's, and a formula that is a few lines both
// ways.
#pragma once

#include <QByteArray>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <vector>

namespace wf::maps {

struct Country {
    QString id;    // ISO 3166-1 numeric code ("826"); empty for a few disputed areas
    QString name;  // Natural Earth's English short name
    QPainterPath lonLat;     // longitude x, latitude y (degrees), odd-even filled
    QPainterPath projected;  // the same in Equal Earth units, y up
    QRectF box;              // of lonLat

    // What the map knows it by: the numeric code, or for a disputed area
    // without one, its name.
    QString key() const { return id.isEmpty() ? name : id; }
};

// Decodes a TopoJSON topology's object (arcs, quantization, delta
// encoding) into countries; empty, with why in *error, when it cannot.
std::vector<Country> decodeTopoJson(const QByteArray& json, const QString& object,
                                    QString* error = nullptr);

// Equal Earth: longitude and latitude (degrees) to map units, x in about
// [-2.71, 2.71], y in about [-1.32, 1.32], north up (y grows northwards).
QPointF project(double lon, double lat);

class WorldShapes {
  public:
    explicit WorldShapes(std::vector<Country> countries);
    // The shipped shapes: at 1:50 million (the map tab) and 1:110 million
    // (small maps). Decoded on first use.
    static const WorldShapes& detailed();
    static const WorldShapes& coarse();

    const std::vector<Country>& countries() const { return countries_; }
    const Country* byKey(const QString& key) const;
    // The country at a point in map units (a hole, a lake country, is
    // not its surroundings); null over the sea.
    const Country* at(QPointF projected) const;
    // The whole world's outline in map units.
    QRectF bounds() const { return bounds_; }

  private:
    std::vector<Country> countries_;
    QRectF bounds_;
};

}  // namespace wf::maps
