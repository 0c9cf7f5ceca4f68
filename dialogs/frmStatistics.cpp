// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmStatistics.h"
#include "Words.h"

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
#include "FileChooser.h"
#include "Module.h"
#include "StatisticsCharts.h"
#include "Tr.h"

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
        return;
    }
    for (const StatisticsCharts::Page& page : charts_->pages(stats_, tabs_)) {
        tabs_->addTab(page.widget, page.title);
    }
    tabs_->setCurrentIndex(std::max(0, current));
}

bool frmStatistics::saveChart(const QString& path) const {
    return charts_ != nullptr && charts_->save(tabs_->currentWidget(), path);
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
