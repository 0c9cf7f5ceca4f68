// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorldShapes.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPolygonF>
#include <cmath>

namespace wf::maps {

namespace {

constexpr double kA1 = 1.340264;
constexpr double kA2 = -0.081106;
constexpr double kA3 = 0.000893;
constexpr double kA4 = 0.003796;

using Ring = std::vector<QPointF>;

// The arcs decoded once: absolute longitude and latitude.
std::vector<Ring> decodeArcs(const QJsonObject& topology) {
    const QJsonObject transform = topology.value(QLatin1String("transform")).toObject();
    const QJsonArray scale = transform.value(QLatin1String("scale")).toArray();
    const QJsonArray translate = transform.value(QLatin1String("translate")).toArray();
    const bool quantized = scale.size() == 2 && translate.size() == 2;
    const double sx = quantized ? scale[0].toDouble() : 1;
    const double sy = quantized ? scale[1].toDouble() : 1;
    const double tx = quantized ? translate[0].toDouble() : 0;
    const double ty = quantized ? translate[1].toDouble() : 0;
    std::vector<Ring> arcs;
    const QJsonArray all = topology.value(QLatin1String("arcs")).toArray();
    arcs.reserve(size_t(all.size()));
    for (const QJsonValue& a : all) {
        const QJsonArray points = a.toArray();
        Ring ring;
        ring.reserve(size_t(points.size()));
        double x = 0;
        double y = 0;
        for (const QJsonValue& p : points) {
            const QJsonArray xy = p.toArray();
            if (xy.size() < 2) {
                continue;
            }
            if (quantized) {
                // Delta encoded: each point is the step from the last.
                x += xy[0].toDouble();
                y += xy[1].toDouble();
                ring.emplace_back(x * sx + tx, y * sy + ty);
            } else {
                ring.emplace_back(xy[0].toDouble(), xy[1].toDouble());
            }
        }
        arcs.push_back(std::move(ring));
    }
    return arcs;
}

// A ring from its arcs: ~i is arc i backwards; each arc after the first
// starts where the last ended, so its first point is not repeated.
Ring ringOf(const QJsonArray& indexes, const std::vector<Ring>& arcs) {
    Ring ring;
    for (const QJsonValue& v : indexes) {
        const int i = v.toInt();
        const bool reversed = i < 0;
        const size_t at = size_t(reversed ? ~i : i);
        if (at >= arcs.size()) {
            continue;
        }
        const Ring& arc = arcs[at];
        const size_t n = arc.size();
        for (size_t k = ring.empty() ? 0 : 1; k < n; ++k) {
            ring.push_back(arc[reversed ? n - 1 - k : k]);
        }
    }
    return ring;
}

void addPolygon(Country& c, const QPolygonF& lonLat) {
    if (lonLat.size() < 3) {
        return;
    }
    c.lonLat.addPolygon(lonLat);
    c.lonLat.closeSubpath();
    // Along a cut at the 180th meridian the map's edge is curved: the
    // straight cut is drawn through a point every two degrees.
    QPolygonF projected;
    projected.reserve(lonLat.size());
    for (qsizetype k = 0; k < lonLat.size(); ++k) {
        const QPointF& a = lonLat[k];
        projected << project(a.x(), a.y());
        const QPointF& b = lonLat[(k + 1) % lonLat.size()];
        if (std::abs(std::abs(a.x()) - 180) < 1e-9 && a.x() == b.x()) {
            const int steps = int(std::abs(b.y() - a.y()) / 2);
            for (int i = 1; i < steps; ++i) {
                projected << project(a.x(), a.y() + (b.y() - a.y()) * i / steps);
            }
        }
    }
    c.projected.addPolygon(projected);
    c.projected.closeSubpath();
}

void addRing(Country& c, const Ring& ring) {
    if (ring.size() < 3) {
        return;
    }
    // A ring that crosses the 180th meridian jumps from one edge of the
    // map to the other: its longitudes are made continuous, and the ring
    // cut at the meridian into the pieces on either side.
    QPolygonF unwrapped;
    unwrapped.reserve(qsizetype(ring.size()) + 2);
    double shift = 0;
    for (size_t k = 0; k < ring.size(); ++k) {
        if (k > 0) {
            const double step = ring[k].x() - ring[k - 1].x();
            shift += step > 180 ? -360 : step < -180 ? 360 : 0;
        }
        unwrapped << QPointF(ring[k].x() + shift, ring[k].y());
    }
    if (shift == 0 && unwrapped.boundingRect().left() >= -180 &&
        unwrapped.boundingRect().right() <= 180) {
        addPolygon(c, unwrapped);
        return;
    }
    if (std::abs(unwrapped.back().x() - unwrapped.front().x()) > 180) {
        // Round a pole (Antarctica): closed along it.
        const double pole = unwrapped.front().y() < 0 ? -90 : 90;
        unwrapped << QPointF(unwrapped.back().x(), pole) << QPointF(unwrapped.front().x(), pole);
    }
    QPainterPath whole;
    whole.addPolygon(unwrapped);
    whole.closeSubpath();
    QPainterPath world;
    world.addRect(QRectF(-180, -90, 360, 180));
    for (const double by : {-720.0, -360.0, 0.0, 360.0, 720.0}) {
        const QPainterPath piece = whole.translated(by, 0).intersected(world);
        for (const QPolygonF& polygon : piece.toSubpathPolygons()) {
            QPolygonF open = polygon;
            if (open.size() > 1 && open.front() == open.back()) {
                open.removeLast();
            }
            addPolygon(c, open);
        }
    }
}

std::vector<Country> shipped(const char* resource) {
    QFile file(QString::fromLatin1(resource));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return decodeTopoJson(file.readAll(), QStringLiteral("countries"));
}

}  // namespace

QPointF project(double lon, double lat) {
    constexpr double kPi = 3.14159265358979323846;
    const double lambda = lon * kPi / 180;
    const double phi = lat * kPi / 180;
    const double theta = std::asin(std::sqrt(3.0) / 2 * std::sin(phi));
    const double t2 = theta * theta;
    const double t6 = t2 * t2 * t2;
    const double x = 2 * std::sqrt(3.0) * lambda * std::cos(theta) /
                     (3 * (9 * kA4 * t6 * t2 + 7 * kA3 * t6 + 3 * kA2 * t2 + kA1));
    const double y = theta * (kA4 * t6 * t2 + kA3 * t6 + kA2 * t2 + kA1);
    return {x, y};
}

std::vector<Country> decodeTopoJson(const QByteArray& json, const QString& object,
                                    QString* error) {
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    const QJsonObject topology = doc.object();
    if (parse.error != QJsonParseError::NoError ||
        topology.value(QLatin1String("type")).toString() != QLatin1String("Topology")) {
        if (error) {
            *error = parse.error != QJsonParseError::NoError ? parse.errorString()
                                                             : QStringLiteral("not a topology");
        }
        return {};
    }
    const QJsonObject collection =
        topology.value(QLatin1String("objects")).toObject().value(object).toObject();
    if (collection.isEmpty()) {
        if (error) {
            *error = QStringLiteral("no object \"%1\"").arg(object);
        }
        return {};
    }
    const std::vector<Ring> arcs = decodeArcs(topology);
    std::vector<Country> out;
    for (const QJsonValue& g : collection.value(QLatin1String("geometries")).toArray()) {
        const QJsonObject geometry = g.toObject();
        const QString type = geometry.value(QLatin1String("type")).toString();
        const QJsonArray parts = geometry.value(QLatin1String("arcs")).toArray();
        Country c;
        const QJsonValue id = geometry.value(QLatin1String("id"));
        c.id = id.isString() ? id.toString() : id.isDouble() ? QString::number(id.toInt()) : QString();
        c.name = geometry.value(QLatin1String("properties"))
                     .toObject()
                     .value(QLatin1String("name"))
                     .toString();
        c.lonLat.setFillRule(Qt::OddEvenFill);
        c.projected.setFillRule(Qt::OddEvenFill);
        if (type == QLatin1String("Polygon")) {
            for (const QJsonValue& ring : parts) {
                addRing(c, ringOf(ring.toArray(), arcs));
            }
        } else if (type == QLatin1String("MultiPolygon")) {
            for (const QJsonValue& polygon : parts) {
                for (const QJsonValue& ring : polygon.toArray()) {
                    addRing(c, ringOf(ring.toArray(), arcs));
                }
            }
        }
        if (c.lonLat.isEmpty()) {
            continue;
        }
        c.box = c.lonLat.boundingRect();
        out.push_back(std::move(c));
    }
    return out;
}

WorldShapes::WorldShapes(std::vector<Country> countries) : countries_(std::move(countries)) {
    for (const Country& c : countries_) {
        bounds_ = bounds_.united(c.projected.boundingRect());
    }
}

const WorldShapes& WorldShapes::detailed() {
    static const WorldShapes shapes(shipped(":/wingfolio/maps/countries-50m.json"));
    return shapes;
}

const WorldShapes& WorldShapes::coarse() {
    static const WorldShapes shapes(shipped(":/wingfolio/maps/countries-110m.json"));
    return shapes;
}

const Country* WorldShapes::byKey(const QString& key) const {
    for (const Country& c : countries_) {
        if (c.key() == key) {
            return &c;
        }
    }
    return nullptr;
}

const Country* WorldShapes::at(QPointF projected) const {
    for (const Country& c : countries_) {
        if (c.projected.controlPointRect().contains(projected) && c.projected.contains(projected)) {
            return &c;
        }
    }
    return nullptr;
}

}  // namespace wf::maps
