// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapView.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <set>

#include "CountryMatcher.h"
#include "WorldShapes.h"

namespace wf {

MapView::MapView(QWidget* parent) : QWidget(parent), shapes_(maps::WorldShapes::detailed()) {
    setObjectName(QStringLiteral("mapWorld"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);  // + and - zoom, the arrows move
    setMinimumSize(320, 180);
    centre_ = shapes_.bounds().center();
    scene_.legendTitle = tr("Species");
}

void MapView::setCountries(const std::vector<CountryCount>& countries,
                           const maps::CountryMatcher& matcher) {
    counts_.clear();
    notOnMap_.clear();
    scene_.values.clear();
    // Names of one country ("UK", "United Kingdom") join: their species
    // are counted once.
    QHash<QString, std::set<qint64>> birds;
    for (const CountryCount& c : countries) {
        const QString key = matcher.match(c.country);
        if (key.isEmpty()) {
            notOnMap_ << c.country;
            continue;
        }
        Counts& n = counts_[key];
        if (n.name.isEmpty()) {
            const maps::Country* shape = shapes_.byKey(key);
            n.name = shape ? shape->name : c.country;
        }
        n.sightings += c.sightings;
        if (c.sightings > n.typedSightings) {
            n.typed = c.country;
            n.typedSightings = c.sightings;
        }
        birds[key].insert(c.birds.begin(), c.birds.end());
    }
    for (auto it = counts_.begin(); it != counts_.end(); ++it) {
        it->species = int(birds.value(it.key()).size());
        scene_.values.insert(it.key(), it->species);
    }
    update();
}

void MapView::setDots(const std::vector<PlaceDot>& places) {
    scene_.dots.clear();
    scene_.dots.reserve(places.size());
    for (const PlaceDot& d : places) {
        scene_.dots.push_back({d.longitude, d.latitude, d.sightings});
    }
    update();
}

void MapView::setShowDots(bool dots) {
    scene_.shade = !dots;
    update();
}

QTransform MapView::transform(const QRectF& target) const {
    return maps::mapTransform(shapes_.bounds(), target, zoom_, centre_);
}

void MapView::render(QPainter& p, const QRectF& target) const {
    maps::MapScene scene = scene_;
    if (scene.shade) {
        scene.dots.clear();
    }
    maps::paintMap(p, shapes_, scene, transform(target), target);
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    render(p, rect());
}

QPointF MapView::pointOf(double lon, double lat) const {
    return transform(rect()).map(maps::project(lon, lat));
}

const MapView::Counts* MapView::countsAt(QPoint at) const {
    const maps::Country* c = shapes_.at(transform(rect()).inverted().map(QPointF(at)));
    if (!c) {
        return nullptr;
    }
    const auto it = counts_.constFind(c->key());
    return it == counts_.constEnd() ? nullptr : &*it;
}

QString MapView::textAt(QPoint at) const {
    const maps::Country* c = shapes_.at(transform(rect()).inverted().map(QPointF(at)));
    if (!c) {
        return {};
    }
    const QLocale locale;
    const Counts n = counts_.value(c->key());
    return tr("%1: %2 species, %3 sightings")
        .arg(c->name, locale.toString(n.species), locale.toString(n.sightings));
}

void MapView::wheelEvent(QWheelEvent* event) {
    // About the pointer: the point under it stays under it.
    const QPointF at = event->position();
    const QPointF before = transform(rect()).inverted().map(at);
    const double factor = std::pow(1.0015, event->angleDelta().y());
    zoom_ = std::clamp(zoom_ * factor, 1.0, 40.0);
    const QPointF after = transform(rect()).inverted().map(at);
    centre_ += before - after;
    if (zoom_ == 1.0) {
        centre_ = shapes_.bounds().center();
    }
    update();
    event->accept();
}

void MapView::keyPressEvent(QKeyEvent* event) {
    // + and - zoom about the centre, the arrows move a tenth of the view.
    const QTransform t = transform(rect());
    const double stepX = width() / 10.0 / t.m11();
    const double stepY = height() / 10.0 / -t.m22();
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            zoom_ = std::min(zoom_ * 1.5, 40.0);
            break;
        case Qt::Key_Minus:
            zoom_ = std::max(zoom_ / 1.5, 1.0);
            if (zoom_ == 1.0) {
                centre_ = shapes_.bounds().center();
            }
            break;
        case Qt::Key_Left:
            centre_.rx() -= stepX;
            break;
        case Qt::Key_Right:
            centre_.rx() += stepX;
            break;
        case Qt::Key_Up:
            centre_.ry() += stepY;
            break;
        case Qt::Key_Down:
            centre_.ry() -= stepY;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    update();
    event->accept();
}

void MapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = event->position().toPoint();
        pressedCentre_ = centre_;
        dragged_ = false;
    }
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        const QPoint moved = event->position().toPoint() - pressed_;
        if (moved.manhattanLength() > 3) {
            dragged_ = true;
        }
        if (dragged_) {
            const QTransform t = transform(rect());
            centre_ = pressedCentre_ - QPointF(moved.x() / t.m11(), moved.y() / t.m22());
            update();
        }
        return;
    }
    const QString text = textAt(event->position().toPoint());
    setToolTip(text);
    if (!text.isEmpty()) {
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
    } else {
        QToolTip::hideText();
    }
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || dragged_) {
        return;
    }
    if (const Counts* n = countsAt(event->position().toPoint()); n && n->species > 0) {
        emit countryChosen(n->typed);
    }
}

}  // namespace wf
