// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window's charts on Qt Charts, built as the charts module.
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDateTimeAxis>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QPainter>
#include <QSvgGenerator>
#include <QValueAxis>

#include "StatisticsCharts.h"
#include "Tr.h"

namespace wf {

namespace {

QChartView* chartView(QChart* chart, const QString& name, QWidget* parent) {
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(480, 300);
    return view;
}

// A count axis from 0 to most whose ticks fall on whole numbers.
void countAxis(QValueAxis* axis, int most) {
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setRange(0, std::max(1, most));
    if (most <= 10) {
        axis->setTickCount(std::max(1, most) + 1);
    } else {
        axis->applyNiceNumbers();
    }
}

// Puts series on chart with a count axis of most on the side given and the
// other axis on the other side.
void plot(QChart* chart, QAbstractSeries* series, QAbstractAxis* other, int most,
          Qt::Alignment countSide) {
    chart->addSeries(series);
    auto* counts = new QValueAxis;
    countAxis(counts, most);
    const Qt::Alignment otherSide = countSide == Qt::AlignLeft ? Qt::AlignBottom : Qt::AlignLeft;
    chart->addAxis(other, otherSide);
    series->attachAxis(other);
    chart->addAxis(counts, countSide);
    series->attachAxis(counts);
}

// A bar chart of one value per year.
QChart* yearChart(const std::map<int, int>& perYear, const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    auto* set = new QBarSet(title);
    QStringList years;
    int most = 0;
    for (const auto& [year, n] : perYear) {
        *set << n;
        years << QString::number(year);
        most = std::max(most, n);
    }
    auto* series = new QBarSeries;
    series->append(set);
    series->setLabelsVisible(perYear.size() <= 25);
    auto* x = new QBarCategoryAxis;
    x->append(years);
    plot(chart, series, x, most, Qt::AlignLeft);
    return chart;
}

// The life list's growth: species by date.
QChart* growthChart(const JournalStatistics& stats) {
    auto* growth = new QChart;
    growth->setTitle(tr("Life list growth"));
    auto* line = new QLineSeries;
    int species = 0;
    for (const auto& [date, n] : stats.growth) {
        const qint64 ms = date.startOfDay().toMSecsSinceEpoch();
        line->append(qreal(ms), species);  // a step: flat until the day it grew
        line->append(qreal(ms), n);
        species = n;
    }
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("yyyy"));
    if (!stats.growth.empty()) {
        const QDate from = stats.growth.front().first;
        const QDate to = stats.growth.back().first;
        x->setRange(from.startOfDay(), to.startOfDay());
        if (from.daysTo(to) < 3 * 365) {
            x->setFormat(QStringLiteral("MMM yyyy"));  // years alone would repeat
        }
    }
    plot(growth, line, x, species, Qt::AlignLeft);
    return growth;
}

// The best places, most species on top.
QChart* placesChart(const JournalStatistics& stats) {
    auto* places = new QChart;
    places->setTitle(tr("Places with the most species"));
    auto* set = new QBarSet(tr("Species"));
    QStringList names;
    int most = 0;
    for (auto it = stats.topPlaces.rbegin(); it != stats.topPlaces.rend(); ++it) {
        *set << it->second;
        names << it->first;
        most = std::max(most, it->second);
    }
    auto* bars = new QHorizontalBarSeries;
    bars->append(set);
    bars->setLabelsVisible(true);
    auto* placeAxis = new QBarCategoryAxis;
    placeAxis->append(names);
    plot(places, bars, placeAxis, most, Qt::AlignBottom);
    return places;
}

class QtStatisticsCharts final : public StatisticsCharts {
    Q_DECLARE_TR_FUNCTIONS(wf::QtStatisticsCharts)

  public:
    std::vector<Page> pages(const JournalStatistics& stats, QWidget* parent) const override {
        return {
            {chartView(growthChart(stats), QStringLiteral("chartGrowth"), parent), tr("Growth")},
            {chartView(yearChart(stats.newPerYear, tr("New species per year")),
                       QStringLiteral("chartNewPerYear"), parent),
             tr("New per Year")},
            {chartView(yearChart(stats.speciesPerYear, tr("Species per year")),
                       QStringLiteral("chartSpeciesPerYear"), parent),
             tr("Species per Year")},
            {chartView(placesChart(stats), QStringLiteral("chartPlaces"), parent),
             tr("Top Places")},
        };
    }

    bool save(QWidget* page, const QString& path) const override {
        // A chart, or any other page (the map) drawn as on screen.
        if (page == nullptr) {
            return false;
        }
        auto* view = qobject_cast<QChartView*>(page);
        if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
            QSvgGenerator svg;
            svg.setFileName(path);
            svg.setSize(page->size());
            svg.setViewBox(QRect(QPoint(0, 0), page->size()));
            svg.setTitle(view ? view->chart()->title() : page->objectName());
            QPainter painter;
            if (!painter.begin(&svg)) {
                return false;
            }
            page->render(&painter);
            return painter.end();
        }
        return page->grab().save(path, "PNG");
    }
};

}  // namespace

}  // namespace wf

extern "C" Q_DECL_EXPORT const wf::StatisticsCharts* wingfolio_statistics_charts() {
    static const wf::QtStatisticsCharts charts;
    return &charts;
}
