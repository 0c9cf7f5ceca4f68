// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "Statistics.h"

class QComboBox;
class QLabel;
class QTabWidget;

namespace wf {

struct AppState;
class StatisticsCharts;

// View, Statistics: the totals of the journal and charts of the life list's
// growth, new species and species per year and the best places, for the
// world or an active area. Each chart can be saved as PNG or SVG.
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

  private:
    void load();
    void saveChartClicked();

    AppState& state_;
    JournalStatistics stats_;
    const StatisticsCharts* charts_ = nullptr;  // null when the module is missing
    QComboBox* cmbArea_;
    QLabel* lblTotals_;
    QTabWidget* tabs_;
};

}  // namespace wf
