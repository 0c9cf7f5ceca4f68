// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window's world map: countries shaded by the species seen
// there, or the places as dots; the wheel zooms about the pointer, a drag
// pans, hovering names a country and its counts, a click chooses it.
#pragma once

#include <QHash>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "MapPainter.h"
#include "Statistics.h"

namespace wf {

namespace maps {
class CountryMatcher;
class WorldShapes;
}  // namespace maps

class MapView : public QWidget {
    Q_OBJECT
  public:
    explicit MapView(QWidget* parent = nullptr);

    // The area's countries as the sightings name them, matched to shapes;
    // those that match none are listed by notOnMap.
    void setCountries(const std::vector<CountryCount>& countries,
                      const maps::CountryMatcher& matcher);
    void setDots(const std::vector<PlaceDot>& places);
    // Shading (the default) or dots only.
    void setShowDots(bool dots);
    bool showsDots() const { return !scene_.shade; }

    QStringList notOnMap() const { return notOnMap_; }
    // What hovering over a point of the widget says: "United Kingdom: 214
    // species, 1,902 sightings"; empty over the sea.
    QString textAt(QPoint at) const;
    // The widget's point over a longitude and latitude, as drawn now.
    QPointF pointOf(double lon, double lat) const;
    // Draws the map, legend included, as on screen.
    void render(QPainter& p, const QRectF& target) const;
    double zoom() const { return zoom_; }

  signals:
    // A country clicked: the name its sightings give it (the most used
    // when they give several).
    void countryChosen(const QString& country);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct Counts {
        QString name;  // the map's name for it
        QString typed;
        int typedSightings = 0;
        int species = 0;
        int sightings = 0;
    };
    QTransform transform(const QRectF& target) const;
    const Counts* countsAt(QPoint at) const;

    const maps::WorldShapes& shapes_;
    maps::MapScene scene_;
    QHash<QString, Counts> counts_;  // shape key -> counts
    QStringList notOnMap_;
    double zoom_ = 1;
    QPointF centre_;
    QPoint pressed_;
    QPointF pressedCentre_;
    bool dragged_ = false;
};

}  // namespace wf
