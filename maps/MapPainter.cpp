// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "WorldShapes.h"

namespace wf::maps {

namespace {

// Greens from light to dark, readable in print and for most colour vision.
const QColor kSteps[] = {QColor(0xc7, 0xe9, 0xc0), QColor(0xa1, 0xd9, 0x9b),
                         QColor(0x74, 0xc4, 0x76), QColor(0x31, 0xa3, 0x54),
                         QColor(0x00, 0x6d, 0x2c)};

}  // namespace

Shading::Shading(int largest) {
    // Five classes of equal width, from 1 up; fewer when the largest is small.
    const int top = std::max(1, largest);
    for (int i = 0; i < 5; ++i) {
        const int b = 1 + int(std::floor(double(top) * i / 5));
        if (bounds_.empty() || b > bounds_.back()) {
            bounds_.push_back(b);
        }
    }
}

QColor Shading::none() {
    return QColor(0xee, 0xee, 0xe8);
}

QColor Shading::colour(int value) const {
    if (value <= 0) {
        return none();
    }
    size_t step = 0;
    for (size_t i = 0; i < bounds_.size(); ++i) {
        if (value >= bounds_[i]) {
            step = i;
        }
    }
    // Fewer classes use the darker end, so that the top is always dark.
    return kSteps[step + (5 - bounds_.size())];
}

QTransform mapTransform(const QRectF& world, const QRectF& target, double zoom, QPointF centre) {
    const double scale =
        std::min(target.width() / world.width(), target.height() / world.height()) * zoom;
    QTransform t;
    t.translate(target.center().x(), target.center().y());
    t.scale(scale, -scale);
    t.translate(-centre.x(), -centre.y());
    return t;
}

void paintMap(QPainter& p, const WorldShapes& shapes, const MapScene& scene,
              const QTransform& toTarget, const QRectF& target) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(target, QColor(0xdd, 0xee, 0xf8));  // the sea
    p.setClipRect(target);
    int largest = 0;
    for (const int v : scene.values) {
        largest = std::max(largest, v);
    }
    const Shading shading(largest);
    const QRectF visible = toTarget.inverted().mapRect(target);
    QPen outline(QColor(0x80, 0x80, 0x80));
    outline.setWidthF(0.6);
    outline.setCosmetic(true);
    p.setPen(outline);
    p.setTransform(toTarget, true);
    for (const Country& c : shapes.countries()) {
        if (!c.projected.controlPointRect().intersects(visible)) {
            continue;
        }
        p.setBrush(scene.shade ? shading.colour(scene.values.value(c.key())) : Shading::none());
        p.drawPath(c.projected);
    }
    p.resetTransform();
    p.setTransform(QTransform());
    if (!scene.dots.empty()) {
        int most = 1;
        for (const Dot& d : scene.dots) {
            most = std::max(most, d.sightings);
        }
        p.setPen(QPen(QColor(0x7a, 0x1f, 0x1f), 1));
        p.setBrush(QColor(0xd7, 0x30, 0x27, 190));
        for (const Dot& d : scene.dots) {
            const QPointF at = toTarget.map(project(d.lon, d.lat));
            // The area grows with the sightings: from 3 to 10 pixels across.
            const double r = 1.5 + 3.5 * std::sqrt(double(d.sightings) / most);
            p.drawEllipse(at, r, r);
        }
    }
    if (scene.shade && largest > 0) {
        const QFontMetrics fm = p.fontMetrics();
        const int row = fm.height() + 2;
        const auto& b = shading.bounds();
        QStringList labels;
        for (size_t i = 0; i < b.size(); ++i) {
            const int upper = i + 1 < b.size() ? b[i + 1] - 1 : largest;
            labels << (upper > b[i] ? QStringLiteral("%1\u2013%2").arg(b[i]).arg(upper)
                                    : QString::number(b[i]));
        }
        int width = fm.horizontalAdvance(scene.legendTitle);
        for (const QString& l : labels) {
            width = std::max(width, 18 + fm.horizontalAdvance(l));
        }
        const QRectF box(target.left() + 8, target.bottom() - 8 - row * (labels.size() + 1) - 8,
                         width + 16, row * (labels.size() + 1) + 8);
        p.setPen(QColor(0xa0, 0xa0, 0xa0));
        p.setBrush(QColor(255, 255, 255, 220));
        p.drawRect(box);
        p.setPen(Qt::black);
        p.drawText(QPointF(box.left() + 8, box.top() + 4 + fm.ascent()), scene.legendTitle);
        for (qsizetype i = 0; i < labels.size(); ++i) {
            const double y = box.top() + 4 + row * (i + 1);
            p.setPen(QColor(0x80, 0x80, 0x80));
            p.setBrush(shading.colour(b[size_t(i)]));
            p.drawRect(QRectF(box.left() + 8, y + 2, 12, fm.height() - 4));
            p.setPen(Qt::black);
            p.drawText(QPointF(box.left() + 26, y + fm.ascent()), labels[i]);
        }
    }
    p.restore();
}

QImage placesMap(const std::vector<Dot>& dots, QSize size, qreal dpr) {
    QImage image(size * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    const WorldShapes& world = WorldShapes::coarse();
    QRectF around;
    for (const Dot& d : dots) {
        const QPointF at = project(d.lon, d.lat);
        around =
            around.isNull() ? QRectF(at, QSizeF(0, 0)) : around.united(QRectF(at, QSizeF(0, 0)));
    }
    // Room around the places: a country's worth at least.
    around = around.marginsAdded(QMarginsF(0.08, 0.06, 0.08, 0.06));
    const QRectF bounds = world.bounds();
    const double zoom = dots.empty() ? 1.0
                                     : std::clamp(std::min(bounds.width() / around.width(),
                                                           bounds.height() / around.height()),
                                                  1.0, 12.0);
    const QPointF centre = zoom == 1.0 ? bounds.center() : around.center();
    const QRectF target(QPointF(0, 0), QSizeF(size));
    const bool fine = zoom >= 3;  // close up, the finer shapes
    MapScene scene;
    scene.shade = false;
    scene.dots = dots;
    QPainter p(&image);
    paintMap(p, fine ? WorldShapes::detailed() : world, scene,
             mapTransform(bounds, target, zoom, centre), target);
    return image;
}

}  // namespace wf::maps
