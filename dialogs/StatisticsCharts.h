// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "Statistics.h"

class QWidget;

namespace wf {

// The charts of the statistics window. They are drawn with Qt Charts, which
// lives in a module of its own (dialogs/charts) so that only opening the
// window loads it.
class StatisticsCharts {
  public:
    struct Page {
        QWidget* widget;  // named chartGrowth, chartNewPerYear, ...
        QString title;    // for its tab
    };

    virtual ~StatisticsCharts() = default;
    // The life list's growth, the new species and the species per year, and
    // the places with the most species, each a page made as a child of
    // parent.
    virtual std::vector<Page> pages(const JournalStatistics& stats, QWidget* parent) const = 0;
    // Writes the chart on one of those pages to path: SVG when the name ends
    // in .svg, else PNG. False when it cannot be written.
    virtual bool save(QWidget* page, const QString& path) const = 0;
};

// The function the module exports: const StatisticsCharts* ().
inline constexpr const char* kStatisticsChartsEntry = "wingfolio_statistics_charts";

// Loads the module (once); null, with why in *error, when it cannot be.
const StatisticsCharts* statisticsCharts(QString* error);

}  // namespace wf
