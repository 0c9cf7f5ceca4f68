// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmStatistics.h"
#include "Words.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "AppError.h"
#include "AppState.h"
#include "AreaBox.h"
#include "BusyCursor.h"
#include "CountryMatcher.h"
#include "FileChooser.h"
#include "MapView.h"
#include "Module.h"
#include "StatisticsCharts.h"
#include "Tr.h"
#include "WorldShapes.h"

namespace wf {

const StatisticsCharts* statisticsCharts(QString* error) {
    using Entry = const StatisticsCharts* (*)();
    QString why;
    const auto entry = moduleEntry<Entry>(QStringLiteral("charts"), kStatisticsChartsEntry, &why);
    if (entry == nullptr) {
        if (error) {
            *error = tr("The charts module cannot be loaded: ") + why;
        }
        return nullptr;
    }
    return entry();
}

frmStatistics::frmStatistics(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("frmStatistics"));
    setWindowTitle(tr("Statistics"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* areaLabel = new QLabel(tr("&Area:"), this);
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
    QPushButton* save = buttons->addButton(tr("&Save Chart..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("cmdSaveChart"));
    connect(save, &QPushButton::clicked, this, &frmStatistics::saveChartClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(cmbArea_, &QComboBox::activated, this, [this](int) { load(); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        if (tabs_->currentWidget() == mapPage_) {
            loadMap();
        }
    });
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
    lblTotals_->setText(tr("%1 species, %2 at %3; %4 in the journal.")
                            .arg(QString::number(stats_.species),
                                 words::counted(stats_.sightings, tr("sighting"), tr("sightings")),
                                 words::counted(stats_.places, tr("place"), tr("places")),
                                 words::counted(stats_.entries, tr("entry"), tr("entries"))));
    const BusyCursor busy;
    const int current = tabs_->currentIndex();
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        delete page;
    }
    QString why;
    charts_ = statisticsCharts(&why);
    if (charts_ == nullptr) {
        // The totals stand; the charts say why they are missing.
        auto* missing = new QLabel(why, tabs_);
        missing->setObjectName(QStringLiteral("lblNoCharts"));
        missing->setWordWrap(true);
        missing->setAlignment(Qt::AlignCenter);
        tabs_->addTab(missing, tr("Charts"));
        addMapTab(current);
        return;
    }
    for (const StatisticsCharts::Page& page : charts_->pages(stats_, tabs_)) {
        tabs_->addTab(page.widget, page.title);
    }
    addMapTab(current);
}

void frmStatistics::addMapTab(int current) {
    mapPage_ = makeMapPage();
    tabs_->addTab(mapPage_, tr("Map"));
    mapStale_ = true;
    tabs_->setCurrentIndex(std::max(0, current));
    if (tabs_->currentWidget() == mapPage_) {
        loadMap();
    }
}

QWidget* frmStatistics::makeMapPage() {
    auto* page = new QWidget(tabs_);
    page->setObjectName(QStringLiteral("pageMap"));
    auto* layout = new QVBoxLayout(page);
    map_ = new MapView(page);
    layout->addWidget(map_, 1);
    auto* row = new QHBoxLayout;
    chkDots_ = new QCheckBox(tr("Places as &dots"), page);
    chkDots_->setObjectName(QStringLiteral("chkDots"));
    chkDots_->setToolTip(
        tr("The places with coordinates, a dot each, instead of the countries "
           "shaded"));
    lblNotOnMap_ = new QLabel(page);
    lblNotOnMap_->setObjectName(QStringLiteral("lblNotOnMap"));
    lblNotOnMap_->setWordWrap(true);
    row->addWidget(chkDots_);
    row->addWidget(lblNotOnMap_, 1);
    layout->addLayout(row);
    connect(chkDots_, &QCheckBox::toggled, map_, &MapView::setShowDots);
    connect(map_, &MapView::countryChosen, this, [this](const QString& country) {
        chosenCountry_ = country;
        accept();
    });
    return page;
}

void frmStatistics::loadMap() {
    if (!mapStale_ || map_ == nullptr) {
        return;
    }
    mapStale_ = false;
    const auto [a, place] = chosenArea(cmbArea_);
    try {
        const BusyCursor busy;
        maps::CountryMatcher matcher(maps::WorldShapes::detailed().countries());
        for (const auto& [alias, country] : state_.db().countryAliases()) {
            matcher.addAlias(alias, country);
        }
        map_->setCountries(countryCounts(state_.db(), a, place), matcher);
        map_->setDots(placeDots(state_.db(), a, place));
    } catch (const AppError& e) {
        state_.services.messages.notify(e.description(), windowTitle(), MsgIcon::Exclamation);
        return;
    }
    const QStringList missing = map_->notOnMap();
    lblNotOnMap_->setText(
        missing.isEmpty()
            ? QString()
            : tr("%1 not on the map: %2")
                  .arg(words::counted(int(missing.size()), tr("country"), tr("countries")),
                       missing.join(QStringLiteral(", "))));
}

bool frmStatistics::saveChart(const QString& path) const {
    QWidget* page = tabs_->currentWidget();
    if (page == mapPage_ && map_ != nullptr) {
        // The map alone, legend included, without the controls below it.
        if (charts_ != nullptr) {
            return charts_->save(map_, path);
        }
        return !path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) &&
               map_->grab().save(path, "PNG");
    }
    return charts_ != nullptr && charts_->save(page, path);
}

void frmStatistics::saveChartClicked() {
    const QWidget* page = tabs_->currentWidget();
    const QString name = page && page->objectName().startsWith(QLatin1String("chart"))
                             ? page->objectName().mid(5).toLower()
                             : QStringLiteral("chart");
    const QString suggested =
        QDir(QDir::homePath()).filePath(QStringLiteral("wingfolio-%1.png").arg(name));
    QString filter;
    QString path =
        chooseSaveFile(state_.services.dialogs, this,
                       {tr("Save Chart"), QStringLiteral("dlgSaveChart"), suggested,
                        tr("PNG image (*.png);;SVG drawing (*.svg)"), QStringLiteral("png")},
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
        state_.services.messages.notify(tr("The chart could not be written to %1.").arg(path),
                                        windowTitle(), MsgIcon::Exclamation);
    }
}

}  // namespace wf
