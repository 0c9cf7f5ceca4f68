// SPDX-License-Identifier: GPL-3.0-or-later
#include "SubjectPage.h"
#include "Words.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QPainter>
#include <QTextDocument>
#include <set>

#include "DataFolder.h"
#include "MapPainter.h"
#include "Store.h"
#include "Tr.h"
#include "Wildcard.h"

namespace wf {

namespace {

QString esc(const QString& s) {
    return s.toHtmlEscaped();
}

QString when(const FirstSeen& f) {
    const QString date = f.date.isValid() ? words::date(f.date) : tr("no date");
    return f.site.isEmpty() ? date : date + QStringLiteral(", ") + f.site;
}

}  // namespace

std::optional<SubjectPageData> subjectPage(const Store& store, Category cat, qint64 id) {
    const std::optional<QString> name = store.subjectName(cat, id);
    if (!name) {
        return std::nullopt;
    }
    SubjectPageData page;
    page.category = cat;
    page.id = id;
    page.name = *name;
    if (cat == Category::Birds) {
        page.taxonomy = store.taxonomy(id);
        const std::vector<SightingPlace> rows = store.sightingPlaces(id);
        page.sightings = int(rows.size());
        std::set<QString> places;
        for (const SightingPlace& s : rows) {
            if (!s.site.isEmpty()) {
                places.insert(s.site.toCaseFolded());
            }
            if (s.date.isValid()) {
                ++page.byMonth[size_t(s.date.month() - 1)];
            }
            const FirstSeen f{id, *name, s.id, s.date, s.site};
            // First: the earliest date, of one day the first entered;
            // last: the latest date, of one day the last entered.
            if (!page.first || seenBefore(f, *page.first)) {
                page.first = f;
            }
            if (s.date.isValid() &&
                (!page.last || !page.last->date.isValid() || seenBefore(*page.last, f))) {
                page.last = f;
            }
        }
        page.places = int(places.size());
        page.placeDots = placeDots(store, Area::World, {}, id);
    }
    for (const EntrySummary& e : store.entrySummaries(cat, id)) {
        if (e.type == kImage) {
            page.pictures.push_back({e.id, e.title, e.fname});
        } else if (e.type == kArticle) {
            const QString text = e.textStart.trimmed();
            page.articles.push_back({e.id, e.title, text.section(u'\n', 0, 0).left(200)});
        } else if (e.type == kLink) {
            page.links.push_back({e.id, e.title, e.fname});
        }
    }
    return page;
}

QString subjectPageHtml(const SubjectPageData& page) {
    QString h = QStringLiteral("<h1>%1</h1>").arg(esc(page.name));
    if (page.category == Category::Birds) {
        if (page.taxonomy) {
            const Taxonomy& t = *page.taxonomy;
            h += QStringLiteral("<p><i>%1</i>").arg(esc(t.scientificName));
            if (!t.order.isEmpty() || !t.family.isEmpty()) {
                h += tr("<br>Order %1, family %2")
                         .arg(esc(t.order), esc(t.familyEnglish.isEmpty()
                                                    ? t.family
                                                    : t.familyEnglish + " (" + t.family + ")"));
            }
            h += QStringLiteral("</p>");
        }
        if (page.sightings == 0) {
            h += tr("<p>Not seen yet.</p>");
        } else {
            h += QStringLiteral("<table cellspacing='0' cellpadding='2'>");
            h += tr("<tr><td>First seen:</td><td>%1</td></tr>").arg(esc(when(*page.first)));
            if (page.last) {
                h += tr("<tr><td>Last seen:</td><td>%1</td></tr>").arg(esc(when(*page.last)));
            }
            h += tr("<tr><td>Sightings:</td><td>%1 at %2</td></tr></table>")
                     .arg(page.sightings)
                     .arg(words::counted(page.places, tr("place"), tr("places")));
            h += tr("<h3>Sightings by month</h3><p><img src='page:months'></p>");
            if (!page.placeDots.empty()) {
                h += QStringLiteral("<h3>%1</h3><p><img src='page:map'></p>")
                         .arg(tr("Where it was seen"));
            }
        }
    }
    return h + entriesHtml(page);
}

QString entriesHtml(const SubjectPageData& page) {
    QString h;
    if (!page.pictures.empty()) {
        h += QStringLiteral("<h3>%1</h3><p>").arg(tr("Pictures"));
        for (const auto& p : page.pictures) {
            h += QStringLiteral("<a href='entry:I%1'><img src='page:thumb/%1' title='%2'></a> ")
                     .arg(p.id)
                     .arg(esc(p.title));
        }
        h += QStringLiteral("</p>");
    }
    if (!page.articles.empty()) {
        h += QStringLiteral("<h3>%1</h3>").arg(tr("Articles"));
        for (const auto& a : page.articles) {
            h += QStringLiteral("<p><a href='entry:A%1'>%2</a><br>%3</p>")
                     .arg(a.id)
                     .arg(esc(a.title), esc(a.detail));
        }
    }
    if (!page.links.empty()) {
        h += QStringLiteral("<h3>%1</h3>").arg(tr("Links"));
        for (const auto& l : page.links) {
            h += QStringLiteral("<p><a href='entry:L%1'>%2</a><br>%3</p>")
                     .arg(l.id)
                     .arg(esc(l.title), esc(l.detail));
        }
    }
    return h;
}

QImage placesMap(const std::vector<PlaceDot>& places, qreal dpr) {
    std::vector<maps::Dot> dots;
    dots.reserve(places.size());
    for (const PlaceDot& d : places) {
        dots.push_back({d.longitude, d.latitude, d.sightings});
    }
    return maps::placesMap(dots, QSize(420, 210), dpr);
}

QImage monthChart(const std::array<int, 12>& byMonth, QSize size, qreal dpr) {
    QImage image(size * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int most = std::max(1, *std::max_element(byMonth.begin(), byMonth.end()));
    const QFontMetrics fm = p.fontMetrics();
    const int labelHeight = fm.height() + 2;
    const int top = fm.height() + 2;
    const int plot = size.height() - labelHeight - top;
    const qreal slot = qreal(size.width()) / 12.0;
    const QLocale locale;
    for (int m = 0; m < 12; ++m) {
        const int n = byMonth[size_t(m)];
        const qreal h = plot * qreal(n) / most;
        const QRectF bar(m * slot + slot * 0.15, top + plot - h, slot * 0.7, h);
        p.fillRect(bar, QColor(0x3b, 0x7d, 0xb8));
        const QRectF label(m * slot, size.height() - labelHeight, slot, labelHeight);
        p.setPen(Qt::black);
        p.drawText(label, Qt::AlignCenter, locale.standaloneMonthName(m + 1, QLocale::ShortFormat));
        if (n > 0) {
            p.drawText(QRectF(m * slot, bar.top() - fm.height() - 1, slot, fm.height()),
                       Qt::AlignCenter, QString::number(n));
        }
    }
    p.setPen(QColor(0x99, 0x99, 0x99));
    p.drawLine(QPointF(0, top + plot + 0.5), QPointF(size.width(), top + plot + 0.5));
    return image;
}

PageBrowser::PageBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == QLatin1String("entry")) {
            emit entryClicked(url.path());
        }
    });
}

QHash<QString, QImage> thumbnailImages(const SubjectPageData& page, const DataFolder& folder,
                                       qreal dpr) {
    QHash<QString, QImage> images;
    for (const auto& picture : page.pictures) {
        QImage thumb;
        const std::optional<QString> path = folder.picturePath(picture.detail);
        if (path && !QFileInfo(*path).isSymLink()) {
            QImageReader reader(*path);
            reader.setAutoTransform(true);
            const QSize full = reader.size();
            if (full.isValid()) {
                reader.setScaledSize(full.scaled(QSize(120, 120) * dpr, Qt::KeepAspectRatio));
            }
            thumb = reader.read();
        }
        if (thumb.isNull()) {
            thumb = QImage(QSize(120, 90) * dpr, QImage::Format_RGB32);
            thumb.fill(QColor(0xdd, 0xdd, 0xdd));
        }
        thumb.setDevicePixelRatio(dpr);
        images.insert(QStringLiteral("page:thumb/%1").arg(picture.id), thumb);
    }
    return images;
}

void PageBrowser::showPage(const SubjectPageData& page, const DataFolder& folder) {
    const qreal dpr = devicePixelRatioF();
    QHash<QString, QImage> images = thumbnailImages(page, folder, dpr);
    images.insert(QStringLiteral("page:months"), monthChart(page.byMonth, QSize(420, 140), dpr));
    if (!page.placeDots.empty()) {
        images.insert(QStringLiteral("page:map"), placesMap(page.placeDots, dpr));
    }
    showHtml(subjectPageHtml(page), images);
}

void PageBrowser::showHtml(const QString& html, const QHash<QString, QImage>& images) {
    images_.clear();
    for (auto it = images.begin(); it != images.end(); ++it) {
        if (!it.value().isNull()) {
            images_.insert(QUrl(it.key()), it.value());
        }
    }
    setHtml(html);
}

QVariant PageBrowser::loadResource(int type, const QUrl& name) {
    if (type == QTextDocument::ImageResource) {
        if (const auto it = images_.constFind(name); it != images_.cend()) {
            return *it;
        }
    }
    // Never a file named by the text: an article's pictures are in its
    // document already, and nothing else is shown.
    return QTextEdit::loadResource(type, name);
}

}  // namespace wf
