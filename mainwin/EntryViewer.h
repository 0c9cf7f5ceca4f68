// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "SightingGrid.h"
#include "ThumbnailGrid.h"
#include "Types.h"

class QFrame;
class QImage;
class QLabel;
class QWidget;

namespace wf {

class DataFolder;
class PageBrowser;
struct SubjectPageData;
class PictureView;
class SightingGrid;

// The right-hand side of the main window as it shows an entry: the title,
// the viewing area (an article's formatted text, a subject's page or a
// picture) and the grid of a bird's sightings. It makes and fills these;
// the window places them and decides what a click shows.
class EntryViewer : public QObject {
    Q_OBJECT
  public:
    // The grid's columns as the format string gives them, and their least
    // widths in twips.
    static const QString kGridFormat;
    static constexpr int kGridColumns = 11;
    static const int kGridWidths[kGridColumns];

    // The title and the viewing area go in rightPane, the grid in gridPane.
    EntryViewer(QWidget* rightPane, QWidget* gridPane);

    QLabel* title() const { return title_; }
    QFrame* area() const { return area_; }
    PageBrowser* text() const { return text_; }
    QLabel* picture() const { return picture_; }
    PictureView* pictureView() const { return pictureView_; }
    SightingGrid* grid() const { return grid_; }
    ThumbnailGrid* thumbnails() const { return thumbnails_; }

    // What the viewer shows; each hides what the one before showed.
    void setTitle(const QString& title);
    // An article's RTF in the text view, its pictures at most its width.
    void showArticle(const QString& rtf);
    // A picture, centred in the viewing area, or scaled down to fit it.
    void showImage(const QImage& image);
    // A subject's page in the text view, its pictures read from folder.
    void showPage(const SubjectPageData& page, const DataFolder& folder);
    // A page of HTML with the images it names ("page:map" ...).
    void showHtml(const QString& html, const QHash<QString, QImage>& images);
    // A bird's sightings (ids, newest first) in the grid, read with `read`.
    void showSightings(std::vector<qint64> ids, SightingGridModel::Reader read);
    // Pictures as a grid of thumbnails in the viewing area.
    void showThumbnails(std::vector<ThumbnailModel::Item> pictures);
    // Nothing in the viewing area or the grid (the web pane takes the place).
    void showNothing();
    // The viewing area hidden, the grid left as it is.
    void hideArea();
    // The title, the text and the picture emptied (after a delete).
    void clear();
    // The grid's rows dropped.
    void clearGrid();
    // Whether the grid or something in it has the keyboard's focus.
    bool gridHasFocus() const;
    // Places the title, the viewing area (with the text's rectangle inside
    // it) and the grid.
    void place(const QRect& title, const QRect& area, const QRect& text, const QRect& grid);
    // The article's pictures shown at most as wide as the text view.
    void fitArticlePictures();
    // The grid's columns, empty.
    void setUpGrid();

  signals:
    void gridRowDoubleClicked(int row);
    void gridPictureWanted(int row);
    // A thumbnail opened (Enter or a double-click): its picture entry.
    void thumbnailChosen(qint64 id);
    // A link on a subject page to an entry ("A7", "I3", ...).
    void entryClicked(const QString& key);

  private:
    int toPixels(int twips) const;
    // A picture, centred in the viewing area, or scaled down to fit it.
    void placePicture(const QImage& image);
    // One row per sighting id, in the order given, each read with `read`
    // when first shown; each column at least its width and as wide as its
    // longest text (notes capped).
    void fillSightingGrid(std::vector<qint64> ids, SightingGridModel::Reader read);

    QLabel* title_;
    QFrame* area_;
    PageBrowser* text_;
    QLabel* picture_;
    PictureView* pictureView_;
    SightingGrid* grid_;
    ThumbnailGrid* thumbnails_;
};

}  // namespace wf
