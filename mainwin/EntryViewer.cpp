// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryViewer.h"
#include "Words.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>

#include "PictureView.h"
#include "RichText.h"
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
      grid_(new QTableWidget(gridPane)) {
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
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->hide();
    grid_->setWordWrap(false);
    connect(grid_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { emit gridRowDoubleClicked(row); });
    grid_->setTextElideMode(Qt::ElideRight);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
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
    grid_->clear();
    grid_->setColumnCount(int(columns.size()));
    for (int c = 0; c < int(columns.size()); ++c) {
        // Every header reads from the left, as most of the format asks.
        auto* header = new QTableWidgetItem(columns[size_t(c)].header);
        header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        grid_->setHorizontalHeaderItem(c, header);
        const int width = c < kGridColumns ? kGridWidths[c] : 1000;
        grid_->setColumnWidth(c, toPixels(width));
        grid_->setColumnHidden(c, width == 0);
    }
    grid_->setRowCount(0);
}

void EntryViewer::fillSightingGrid(const std::vector<Sighting>& rows) {
    grid_->setUpdatesEnabled(false);
    grid_->setRowCount(int(rows.size()));
    int r = 0;
    for (const Sighting& s : rows) {
        const QString cells[kGridColumns] = {QString::number(s.id),
                                             words::date(s.date),
                                             words::time(s.time),
                                             s.count,
                                             s.type,
                                             s.site,
                                             s.district,
                                             s.state,
                                             s.country,
                                             s.region,
                                             s.notes};
        for (int c = 0; c < kGridColumns; ++c) {
            grid_->setItem(r, c, new QTableWidgetItem(cells[c]));
        }
        ++r;
    }
    // The format's widths are the least; a column widens to its longest
    // text (header included) so that every row keeps to one line. The user
    // may still drag a column's edge.
    const QFontMetrics cells(grid_->font());
    const QFontMetrics heads(grid_->horizontalHeader()->font());
    constexpr int kPadding = 14;
    constexpr int kLongest = 640;  // a long note does not push the rest away
    for (int c = 0; c < grid_->columnCount(); ++c) {
        if (grid_->isColumnHidden(c)) {
            continue;
        }
        int widest = toPixels(c < kGridColumns ? kGridWidths[c] : 1000);
        if (const QTableWidgetItem* h = grid_->horizontalHeaderItem(c)) {
            widest = std::max(widest, heads.horizontalAdvance(h->text()) + kPadding);
        }
        for (int row = 0; row < grid_->rowCount(); ++row) {
            if (const QTableWidgetItem* item = grid_->item(row, c)) {
                widest = std::max(
                    widest, std::min(kLongest, cells.horizontalAdvance(item->text()) + kPadding));
            }
        }
        grid_->setColumnWidth(c, widest);
    }
    grid_->setUpdatesEnabled(true);
}

}  // namespace wf
