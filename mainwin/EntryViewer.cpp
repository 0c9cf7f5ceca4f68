// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryViewer.h"
#include "Words.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>

#include "PictureView.h"
#include "RichText.h"
#include "SightingGrid.h"
#include "SubjectPage.h"
#include "Twips.h"

namespace wf {

const QString EntryViewer::kGridFormat = QStringLiteral(
    "< |<Date  |<Time |<Count |<Type   |<Site  |<District  |State/Prov   |<Country   |<Region  "
    "|<Notes  ");
const int EntryViewer::kGridWidths[kGridColumns] = {0,    1000, 700,  700,  1000, 2000,
                                                    2000, 1500, 1500, 1500, 4000};

EntryViewer::EntryViewer(QWidget* rightPane, QWidget* gridPane)
    : QObject(rightPane),
      title_(new QLabel(rightPane)),
      area_(new QFrame(rightPane)),
      text_(new PageBrowser(area_)),
      picture_(new QLabel(area_)),
      pictureView_(new PictureView(picture_, area_)),
      grid_(new SightingGrid(gridPane)) {
    title_->setObjectName(QStringLiteral("lbltitle"));
    QFont titleFont = title_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    area_->setObjectName(QStringLiteral("pic(2)"));
    area_->setFrameShape(QFrame::StyledPanel);
    text_->setObjectName(QStringLiteral("rtb"));
    text_->setReadOnly(true);
    connect(text_, &PageBrowser::entryClicked, this, &EntryViewer::entryClicked);
    picture_->setObjectName(QStringLiteral("pic(3)"));
    pictureView_->hide();

    grid_->setObjectName(QStringLiteral("fg1"));
    connect(grid_, &SightingGrid::rowActivated, this, &EntryViewer::gridRowDoubleClicked);
    grid_->hide();
}

int EntryViewer::toPixels(int twips) const {
    return twipsToPixels(twips, grid_->logicalDpiX());
}

void EntryViewer::placePicture(const QImage& image) {
    pictureView_->setGeometry(area_->contentsRect());
    pictureView_->setImage(image);
}

void EntryViewer::setUpGrid() {
    const auto columns = parseGridFormat(kGridFormat);
    QStringList headers;
    for (const auto& c : columns) {
        headers << c.header;
    }
    grid_->sightings()->clear();
    grid_->sightings()->setHeaders(headers);
    for (int c = 0; c < int(columns.size()); ++c) {
        const int width = c < kGridColumns ? kGridWidths[c] : 1000;
        grid_->setColumnWidth(c, toPixels(width));
        grid_->setColumnHidden(c, width == 0);
    }
}

void EntryViewer::fillSightingGrid(std::vector<qint64> ids, SightingGridModel::Reader read) {
    grid_->sightings()->setSightings(std::move(ids), std::move(read));
    // The format's widths are the least; a column widens to its longest
    // text (header included) so that every row keeps to one line. The user
    // may still drag a column's edge.
    std::vector<int> least;
    for (int c = 0; c < grid_->sightings()->columnCount(); ++c) {
        least.push_back(toPixels(c < kGridColumns ? kGridWidths[c] : 1000));
    }
    grid_->fitColumns(least);
}

}  // namespace wf
