// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "Statistics.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTabWidget;

namespace wf {

struct AppState;
class StatisticsCharts;
class MapView;

// View, Statistics: the totals of the journal and charts of the life list's
// growth, new species and species per year and the best places, for the
// world or an active area, and a world map of where the species were seen.
// Each chart and the map can be saved as PNG or SVG.
class frmStatistics : public QDialog {
    Q_OBJECT
  public:
    explicit frmStatistics(AppState& state, QWidget* parent = nullptr);

    QComboBox* cmbArea() const { return cmbArea_; }
    QLabel* lblTotals() const { return lblTotals_; }
    QTabWidget* tabCharts() const { return tabs_; }
    const JournalStatistics& statistics() const { return stats_; }
    // The chart on show, written to path: SVG when the name ends in .svg,
    // else PNG. False when it cannot be written.
    bool saveChart(const QString& path) const;
    // The map, made when its tab is first shown (and again for another area).
    MapView* map() const { return map_; }
    QLabel* lblNotOnMap() const { return lblNotOnMap_; }
    // The country clicked on the map (the window then closes): its life
    // list is shown in the main window.
    QString chosenCountry() const { return chosenCountry_; }

  private:
    void load();
    void saveChartClicked();
    QWidget* makeMapPage();
    void loadMap();
    void addMapTab(int current);

    AppState& state_;
    JournalStatistics stats_;
    const StatisticsCharts* charts_ = nullptr;  // null when the module is missing
    QComboBox* cmbArea_;
    QLabel* lblTotals_;
    QTabWidget* tabs_;
    QWidget* mapPage_ = nullptr;
    MapView* map_ = nullptr;
    QLabel* lblNotOnMap_ = nullptr;
    QCheckBox* chkDots_ = nullptr;
    bool mapStale_ = true;
    QString chosenCountry_;
};

}  // namespace wf
