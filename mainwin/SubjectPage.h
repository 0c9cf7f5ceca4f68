// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QHash>
#include <QImage>
#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <array>
#include <optional>
#include <vector>

#include "Statistics.h"
#include "Types.h"

namespace wf {

class Store;
class DataFolder;

// What a subject's page shows: for a bird its taxonomy and sightings, for
// every subject its pictures, articles and links.
struct SubjectPageData {
    Category category = Category::Birds;
    qint64 id = 0;
    QString name;
    std::optional<Taxonomy> taxonomy;
    int sightings = 0;
    int places = 0;  // distinct sites
    std::optional<FirstSeen> first;
    std::optional<FirstSeen> last;
    std::array<int, 12> byMonth{};    // sightings in January .. December
    std::vector<PlaceDot> placeDots;  // the places with coordinates
    struct Item {
        qint64 id = 0;
        QString title;
        QString detail;  // an article's first line, a picture's file, a link's address
    };
    std::vector<Item> pictures;
    std::vector<Item> articles;
    std::vector<Item> links;
};

// Reads the page of one subject; nothing when the subject is gone.
std::optional<SubjectPageData> subjectPage(const Store& store, Category cat, qint64 id);

// The page as HTML. Links are "entry:A12", "entry:I5", "entry:L3"; the
// month chart is the image "page:months", the map of places "page:map", a
// picture's thumbnail "page:thumb/5".
QString subjectPageHtml(const SubjectPageData& page);

// The page's pictures, articles and links, as subjectPageHtml ends with them.
QString entriesHtml(const SubjectPageData& page);

// The thumbnails of the page's pictures, as entriesHtml names them; a grey
// stand-in for a file that cannot be read.
QHash<QString, QImage> thumbnailImages(const SubjectPageData& page, const DataFolder& folder,
                                       qreal dpr);

// The map of a bird's places, a dot each.
QImage placesMap(const std::vector<PlaceDot>& places, qreal dpr = 1.0);

// The bar chart of sightings by month, at the given size.
QImage monthChart(const std::array<int, 12>& byMonth, QSize size, qreal dpr = 1.0);

// A text view that also shows a subject page: it serves the page's images
// from memory and tells of a click on an entry's link.
class PageBrowser : public QTextBrowser {
    Q_OBJECT
  public:
    explicit PageBrowser(QWidget* parent = nullptr);
    // Shows the page, with the pictures of its entries read from folder.
    void showPage(const SubjectPageData& page, const DataFolder& folder);
    // Any page, with the images it names.
    void showHtml(const QString& html, const QHash<QString, QImage>& images);
    QVariant loadResource(int type, const QUrl& name) override;
    // The images of the page shown, by name.
    const QHash<QUrl, QImage>& images() const { return images_; }

  signals:
    // "A12", "I5" or "L3".
    void entryClicked(const QString& key);

  private:
    QHash<QUrl, QImage> images_;
};

}  // namespace wf
