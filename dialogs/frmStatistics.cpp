// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmStatistics.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include "AppError.h"
#include "AppState.h"
#include "AreaBox.h"
#include "BusyCursor.h"
#include "FileChooser.h"

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
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(years);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    countAxis(y, most);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    return chart;
}

}  // namespace

frmStatistics::frmStatistics(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("frmStatistics"));
    setWindowTitle(QStringLiteral("Statistics"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* areaLabel = new QLabel(QStringLiteral("&Area:"), this);
    cmbArea_ = new QComboBox(this);
    cmbArea_->setObjectName(QStringLiteral("cmbArea"));
    areaLabel->setBuddy(cmbArea_);
    fillAreaBox(cmbArea_, state);
    top->addWidget(areaLabel);
    top->addWidget(cmbArea_);
    top->addStretch(1);
    layout->addLayout(top);
    lblTotals_ = new QLabel(this);
    lblTotals_->setObjectName(QStringLiteral("lblTotals"));
    layout->addWidget(lblTotals_);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabCharts"));
    layout->addWidget(tabs_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* save =
        buttons->addButton(QStringLiteral("&Save Chart..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("cmdSaveChart"));
    connect(save, &QPushButton::clicked, this, &frmStatistics::saveChartClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(cmbArea_, &QComboBox::activated, this, [this](int) { load(); });
    resize(760, 560);
    load();
}

void frmStatistics::load() {
    const auto [a, place] = chosenArea(cmbArea_);
    try {
        const BusyCursor busy;
        stats_ = journalStatistics(state_.db(), a, place);
    } catch (const AppError& e) {
        state_.services.messages.notify(e.description(), windowTitle(), MsgIcon::Exclamation);
        return;
    }
    lblTotals_->setText(QStringLiteral("%1 species, %2 sightings at %3 places; %4 entries in "
                                       "the journal.")
                            .arg(stats_.species)
                            .arg(stats_.sightings)
                            .arg(stats_.places)
                            .arg(stats_.entries));
    const BusyCursor busy;
    const int current = tabs_->currentIndex();
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        delete page;
    }

    // The life list's growth: species by date.
    auto* growth = new QChart;
    growth->setTitle(QStringLiteral("Life list growth"));
    auto* line = new QLineSeries;
    int species = 0;
    for (const auto& [date, n] : stats_.growth) {
        const qint64 ms = date.startOfDay().toMSecsSinceEpoch();
        line->append(qreal(ms), species);  // a step: flat until the day it grew
        line->append(qreal(ms), n);
        species = n;
    }
    growth->addSeries(line);
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("yyyy"));
    if (!stats_.growth.empty()) {
        const QDate from = stats_.growth.front().first;
        const QDate to = stats_.growth.back().first;
        x->setRange(from.startOfDay(), to.startOfDay());
        if (from.daysTo(to) < 3 * 365) {
            x->setFormat(QStringLiteral("MMM yyyy"));  // years alone would repeat
        }
    }
    growth->addAxis(x, Qt::AlignBottom);
    line->attachAxis(x);
    auto* y = new QValueAxis;
    countAxis(y, species);
    growth->addAxis(y, Qt::AlignLeft);
    line->attachAxis(y);
    tabs_->addTab(chartView(growth, QStringLiteral("chartGrowth"), tabs_),
                  QStringLiteral("Growth"));
    tabs_->addTab(chartView(yearChart(stats_.newPerYear, QStringLiteral("New species per year")),
                            QStringLiteral("chartNewPerYear"), tabs_),
                  QStringLiteral("New per Year"));
    tabs_->addTab(chartView(yearChart(stats_.speciesPerYear, QStringLiteral("Species per year")),
                            QStringLiteral("chartSpeciesPerYear"), tabs_),
                  QStringLiteral("Species per Year"));

    // The best places, most species on top.
    auto* places = new QChart;
    places->setTitle(QStringLiteral("Places with the most species"));
    auto* set = new QBarSet(QStringLiteral("Species"));
    QStringList names;
    int most = 0;
    for (auto it = stats_.topPlaces.rbegin(); it != stats_.topPlaces.rend(); ++it) {
        *set << it->second;
        names << it->first;
        most = std::max(most, it->second);
    }
    auto* bars = new QHorizontalBarSeries;
    bars->append(set);
    bars->setLabelsVisible(true);
    places->addSeries(bars);
    auto* placeAxis = new QBarCategoryAxis;
    placeAxis->append(names);
    places->addAxis(placeAxis, Qt::AlignLeft);
    bars->attachAxis(placeAxis);
    auto* counts = new QValueAxis;
    countAxis(counts, most);
    places->addAxis(counts, Qt::AlignBottom);
    bars->attachAxis(counts);
    tabs_->addTab(chartView(places, QStringLiteral("chartPlaces"), tabs_),
                  QStringLiteral("Top Places"));
    tabs_->setCurrentIndex(std::max(0, current));
}

bool frmStatistics::saveChart(const QString& path) const {
    auto* view = qobject_cast<QChartView*>(tabs_->currentWidget());
    if (view == nullptr) {
        return false;
    }
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(view->size());
        svg.setViewBox(QRect(QPoint(0, 0), view->size()));
        svg.setTitle(view->chart()->title());
        QPainter painter;
        if (!painter.begin(&svg)) {
            return false;
        }
        view->render(&painter);
        return painter.end();
    }
    return view->grab().save(path, "PNG");
}

void frmStatistics::saveChartClicked() {
    auto* view = qobject_cast<QChartView*>(tabs_->currentWidget());
    const QString name = view ? view->objectName().mid(5).toLower() : QStringLiteral("chart");
    const QString suggested =
        QDir(QDir::homePath()).filePath(QStringLiteral("wingfolio-%1.png").arg(name));
    QString filter;
    QString path = chooseSaveFile(
        state_.services.dialogs, this,
        {QStringLiteral("Save Chart"), QStringLiteral("dlgSaveChart"), suggested,
         QStringLiteral("PNG image (*.png);;SVG drawing (*.svg)"), QStringLiteral("png")},
        &filter);
    if (path.isEmpty()) {
        return;
    }
    if (filter.contains(QLatin1String("SVG")) &&
        !path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        const QFileInfo file(path);
        path = file.dir().filePath(file.completeBaseName() + QStringLiteral(".svg"));
    }
    if (!saveChart(path)) {
        state_.services.messages.notify(
            QStringLiteral("The chart could not be written to %1.").arg(path), windowTitle(),
            MsgIcon::Exclamation);
    }
}

}  // namespace wf
