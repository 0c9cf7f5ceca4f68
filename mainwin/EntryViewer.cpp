// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryViewer.h"

#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>

#include "PictureView.h"
#include "Pictures.h"
#include "RichText.h"
#include "SightingGrid.h"
#include "SubjectPage.h"
#include "Twips.h"
#include "Words.h"

namespace wf {

namespace {

// The title above the viewer: a title longer than the pane is shown cut
// with "…", whole in its tooltip; text() is always the whole title.
class TitleLabel : public QLabel {
  public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override {
        return {fontMetrics().horizontalAdvance(QStringLiteral("W\u2026")),
                QLabel::minimumSizeHint().height()};
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = contentsRect();
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().horizontalAdvance(text()) <= r.width()
                       ? text()
                       : fontMetrics().elidedText(text(), Qt::ElideRight, r.width()));
    }
};

}  // namespace

const QString EntryViewer::kGridFormat = QStringLiteral(
    "< |<Date  |<Time |<Count |<Type   |<Site  |<District  |State/Prov   |<Country   |<Region  "
    "|<Notes  ");
namespace {

// The grid's column names, for the translators.
[[maybe_unused]] const char* const kGridHeaders[] = {
    QT_TRANSLATE_NOOP("wf::EntryViewer", "Date"),
    QT_TRANSLATE_NOOP("wf::EntryViewer", "Time"),
    QT_TRANSLATE_NOOP("wf::EntryViewer", "Count"),
    QT_TRANSLATE_NOOP("wf::EntryViewer", "Type"),
    QT_TRANSLATE_NOOP("wf::EntryViewer", "Site"),
    QT_TRANSLATE_NOOP("wf::EntryViewer", "District"),
    QT_TRANSLATE_NOOP("wf::EntryViewer", "State/Prov"),
    QT_TRANSLATE_NOOP("wf::EntryViewer", "Country"),
    QT_TRANSLATE_NOOP("wf::EntryViewer", "Region"),
    QT_TRANSLATE_NOOP("wf::EntryViewer", "Notes"),
};

}  // namespace

const int EntryViewer::kGridWidths[kGridColumns] = {0,    1000, 700,  700,  1000, 2000,
                                                    2000, 1500, 1500, 1500, 4000};

EntryViewer::EntryViewer(QWidget* rightPane, QWidget* gridPane)
    : QObject(rightPane),
      title_(new TitleLabel(rightPane)),
      area_(new QFrame(rightPane)),
      text_(new PageBrowser(area_)),
      picture_(new QLabel(area_)),
      pictureView_(new PictureView(picture_, area_)),
      grid_(new SightingGrid(gridPane)),
      thumbnails_(new ThumbnailGrid(area_)) {
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
    connect(grid_, &SightingGrid::pictureWanted, this, &EntryViewer::gridPictureWanted);
    grid_->hide();
    thumbnails_->hide();
    connect(thumbnails_, &ThumbnailGrid::pictureChosen, this, &EntryViewer::thumbnailChosen);
}

int EntryViewer::toPixels(int twips) const {
    return twipsToPixels(twips, grid_->logicalDpiX());
}

void EntryViewer::setTitle(const QString& title) {
    title_->setText(title);
    title_->setToolTip(title);
}

void EntryViewer::showArticle(const QString& rtf) {
    thumbnails_->hide();
    grid_->hide();
    pictureView_->hide();
    area_->show();
    text_->show();
    rtf::readRtf(rtf, *text_->document());
    fitArticlePictures();
}

void EntryViewer::showImage(const QImage& image) {
    thumbnails_->hide();
    grid_->hide();
    text_->hide();
    area_->show();
    placePicture(image);
    pictureView_->show();
}

void EntryViewer::showPage(const SubjectPageData& page, const DataFolder& folder) {
    thumbnails_->hide();
    grid_->hide();
    pictureView_->hide();
    area_->show();
    text_->show();
    text_->showPage(page, folder);
}

void EntryViewer::showHtml(const QString& html, const QHash<QString, QImage>& images) {
    thumbnails_->hide();
    grid_->hide();
    pictureView_->hide();
    area_->show();
    text_->show();
    text_->showHtml(html, images);
}

void EntryViewer::showSightings(std::vector<qint64> ids, SightingGridModel::Reader read) {
    thumbnails_->hide();
    text_->hide();
    area_->hide();  // the grid takes its place
    fillSightingGrid(std::move(ids), std::move(read));
    grid_->show();
    grid_->raise();
}

void EntryViewer::showNothing() {
    thumbnails_->hide();
    text_->hide();
    area_->hide();
    grid_->hide();
}

void EntryViewer::showThumbnails(std::vector<ThumbnailModel::Item> pictures) {
    grid_->hide();
    text_->hide();
    pictureView_->hide();
    area_->show();
    thumbnails_->setGeometry(area_->contentsRect());
    thumbnails_->thumbnails()->setItems(std::move(pictures));
    thumbnails_->show();
    thumbnails_->raise();
}

void EntryViewer::hideArea() {
    area_->hide();
}

void EntryViewer::clear() {
    title_->clear();
    title_->setToolTip({});
    text_->clear();
    pictureView_->clear();
}

void EntryViewer::clearGrid() {
    grid_->sightings()->clear();
}

bool EntryViewer::gridHasFocus() const {
    const QWidget* focused = QApplication::focusWidget();
    return focused != nullptr && (focused == grid_ || grid_->isAncestorOf(focused));
}

void EntryViewer::place(const QRect& title, const QRect& area, const QRect& text,
                        const QRect& grid) {
    title_->setGeometry(title);
    area_->setGeometry(area);
    text_->setGeometry(text);
    pictureView_->setGeometry(area_->contentsRect());
    thumbnails_->setGeometry(area_->contentsRect());
    grid_->setGeometry(grid);
    if (text_->isVisible()) {
        fitArticlePictures();
    }
}

void EntryViewer::fitArticlePictures() {
    const int width = text_->viewport()->width() - int(2 * text_->document()->documentMargin()) -
                      text_->verticalScrollBar()->sizeHint().width();
    rtf::pictures::fitToWidth(*text_->document(), std::max(32, width));
}

void EntryViewer::placePicture(const QImage& image) {
    pictureView_->setGeometry(area_->contentsRect());
    pictureView_->setImage(image);
}

void EntryViewer::setUpGrid() {
    const auto columns = parseGridFormat(kGridFormat);
    QStringList headers;
    for (const auto& c : columns) {
        // Shown in the user's language; the format keeps the English names.
        // The padding the format gives a name is kept around its translation.
        const QString name = c.header.trimmed();
        const qsizetype at = c.header.indexOf(name);
        headers << (name.isEmpty() ? c.header
                                   : c.header.left(at) + tr(name.toUtf8().constData()) +
                                         c.header.mid(at + name.size()));
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
