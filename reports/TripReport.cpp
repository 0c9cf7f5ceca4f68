// SPDX-License-Identifier: GPL-3.0-or-later
#include "TripReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImageReader>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>
#include <map>
#include <set>

#include "AppError.h"
#include "RichText.h"
#include "Store.h"
#include "Tr.h"
#include "Words.h"

namespace wf {

namespace {

const QString kSource = QStringLiteral("wingfolio.TripReport");
// The largest a picture is shown on the page, in the document's pixels.
constexpr int kShownWidth = 480;
constexpr int kShownHeight = 360;

QString esc(const QString& s) {
    return s.toHtmlEscaped();
}

// How the report names a picture in its folder: a relative address.
QString pictureRef(const QString& dir, const QString& name) {
    return QString::fromUtf8(
        QUrl::toPercentEncoding(dir.isEmpty() ? name : dir + u'/' + name, "/"));
}

// The inside of the <body> of a document's HTML.
QString bodyOf(const QString& html) {
    const qsizetype body = html.indexOf(QLatin1String("<body"));
    const qsizetype start = body < 0 ? -1 : html.indexOf(u'>', body);
    const qsizetype end = html.lastIndexOf(QLatin1String("</body>"));
    if (start < 0 || end < start) {
        return html;
    }
    return html.mid(start + 1, end - start - 1);
}

QString outingHeading(const Outing& o) {
    const QString when = o.date.isValid()
                             ? words::date(o.date)
                             : QCoreApplication::translate("wf::TripReport", "no date");
    return o.site.trimmed().isEmpty() ? when : when + QStringLiteral(" \u2014 ") + o.site.trimmed();
}

}  // namespace

QString outingPlaceWords(const Outing& o) {
    QStringList parts;
    for (const QString& p : {o.site, o.district, o.state, o.country, o.region}) {
        if (!p.trimmed().isEmpty()) {
            parts << p.trimmed();
        }
    }
    return parts.join(QStringLiteral(", "));
}

QString outingEffortWords(const Outing& o) {
    QStringList effort;
    if (!o.startTime.isEmpty()) {
        effort << wf::tr("from %1").arg(o.startTime);
    }
    if (!o.durationMin.isEmpty()) {
        effort << wf::tr("%1 minutes").arg(o.durationMin);
    }
    if (!o.distanceKm.isEmpty()) {
        effort << wf::tr("%1 km").arg(o.distanceKm);
    }
    if (!o.areaHa.isEmpty()) {
        effort << wf::tr("%1 ha").arg(o.areaHa);
    }
    if (!o.observers.isEmpty()) {
        effort << wf::tr("%1 observers").arg(o.observers);
    }
    if (!o.protocol.isEmpty()) {
        effort << o.protocol;
    }
    if (o.allReported == QLatin1String("1")) {
        effort << wf::tr("all species reported");
    }
    return effort.join(QStringLiteral("; "));
}

struct TripReport::Section {
    Outing outing;
    std::vector<OutingSpecies> species;
    struct Article {
        QString title;
        QString body;  // HTML, its pictures renamed to the report's
    };
    std::vector<Article> articles;
    struct Shown {
        size_t picture;  // in pictures_
        QString caption;
    };
    std::vector<Shown> pictures;
    std::vector<std::pair<QString, QString>> links;  // title, address
};

TripReport::TripReport(const Store& store, const DataFolder& folder,
                       const std::vector<qint64>& outings)
    : folder_(folder) {
    std::set<QString> names;  // the pictures' names in the report, folded
    const auto uniqueName = [&](const QString& wanted) {
        const QFileInfo info(wanted);
        QString name = info.fileName();
        for (int n = 2; names.count(name.toCaseFolded()) > 0; ++n) {
            name =
                QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(n).arg(info.suffix());
        }
        names.insert(name.toCaseFolded());
        return name;
    };
    for (const qint64 id : outings) {
        const std::optional<Outing> o = store.outing(id);
        if (!o) {
            continue;
        }
        Section section;
        section.outing = *o;
        section.species = store.outingSpecies(id);
        for (const Entry& e : store.entriesOf(Category::Outings, id)) {
            if (e.type == kArticle) {
                QTextDocument doc;
                rtf::readRtf(e.caption, doc);
                // Pictures inside the article go into the report's folder.
                int n = 0;
                for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
                    for (auto it = b.begin(); !it.atEnd(); ++it) {
                        const QTextFragment f = it.fragment();
                        if (!f.charFormat().isImageFormat()) {
                            continue;
                        }
                        QTextImageFormat image = f.charFormat().toImageFormat();
                        const QImage shown =
                            doc.resource(QTextDocument::ImageResource, QUrl(image.name()))
                                .value<QImage>();
                        if (shown.isNull()) {
                            continue;
                        }
                        Picture p;
                        p.name = uniqueName(QStringLiteral("article-%1-%2.png").arg(e.id).arg(++n));
                        p.image = shown;
                        p.shown = QSize(int(image.width()), int(image.height()));
                        if (p.shown.isEmpty()) {
                            p.shown = shown.size();
                        }
                        image.setName(QStringLiteral("@picture/") + p.name);
                        QTextCursor c(&doc);
                        c.setPosition(f.position());
                        c.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
                        c.setCharFormat(image);
                        pictures_.push_back(std::move(p));
                    }
                }
                section.articles.push_back({e.title, bodyOf(doc.toHtml())});
            } else if (e.type == kImage) {
                const std::optional<QString> path = folder.picturePath(e.fname);
                if (!path || !QFileInfo(*path).isFile() || QFileInfo(*path).isSymLink()) {
                    continue;  // a missing file is left out, not shown broken
                }
                QImageReader reader(*path);
                reader.setAutoTransform(true);
                QSize size = reader.size();
                if (!size.isValid()) {
                    continue;
                }
                if (reader.transformation() & QImageIOHandler::TransformationRotate90) {
                    size.transpose();
                }
                Picture p;
                p.name = uniqueName(QFileInfo(*path).fileName());
                p.source = *path;
                p.shown = size.scaled(QSize(kShownWidth, kShownHeight).boundedTo(size),
                                      Qt::KeepAspectRatio);
                section.pictures.push_back({pictures_.size(), e.title});
                pictures_.push_back(std::move(p));
            } else if (e.type == kLink) {
                section.links.emplace_back(e.title, e.fname);
            }
        }
        sections_.push_back(std::move(section));
    }
}

TripReport::~TripReport() = default;

int TripReport::outingCount() const {
    return int(sections_.size());
}

QString TripReport::html(const QString& picturesDir) const {
    const QLocale locale;
    const QString dir = picturesDir.isEmpty() ? QString() : picturesDir + u'/';
    QString h;
    h += QStringLiteral("<h1>%1</h1>").arg(esc(tr("Trip Report")));
    QDate first;
    QDate last;
    QStringList places;
    std::set<QString> seenPlaces;
    for (const Section& s : sections_) {
        const QDate d = s.outing.date;
        if (d.isValid()) {
            first = first.isValid() ? std::min(first, d) : d;
            last = last.isValid() ? std::max(last, d) : d;
        }
        const QString site = s.outing.site.trimmed();
        if (!site.isEmpty() && seenPlaces.insert(site.toCaseFolded()).second) {
            places << site;
        }
    }
    if (first.isValid()) {
        h += QStringLiteral("<p><b>%1</b></p>")
                 .arg(esc(first == last
                              ? words::date(first)
                              : tr("%1 to %2").arg(words::date(first), words::date(last))));
    }
    if (!places.isEmpty()) {
        h += QStringLiteral("<p>%1</p>").arg(esc(places.join(QStringLiteral(", "))));
    }
    // Every species of the report, in taxonomic order, when there are several outings.
    struct Total {
        OutingSpecies first;
        int count = 0;
        bool present = false;
        bool lifer = false;
    };
    std::vector<Total> totals;
    std::map<qint64, size_t> totalOf;
    const auto speciesTable = [&](const auto& rows, const auto& countOf, const auto& markOf,
                                  const auto& nameOf) {
        QString t = QStringLiteral("<table cellspacing='0' cellpadding='3'>");
        for (const auto& r : rows) {
            t += QStringLiteral("<tr><td>%1</td><td align='right'>%2</td><td><b>%3</b></td></tr>")
                     .arg(esc(nameOf(r)), countOf(r), esc(markOf(r)));
        }
        return t + QStringLiteral("</table>");
    };
    const auto countText = [&](int count, bool present) {
        QString text = count > 0 ? locale.toString(count) : QString();
        if (present) {
            text = text.isEmpty() ? QStringLiteral("X") : text + QStringLiteral(" + X");
        }
        return text;
    };
    for (const Section& s : sections_) {
        const Outing& o = s.outing;
        h += QStringLiteral("<h2>%1</h2>").arg(esc(outingHeading(o)));
        if (const QString place = outingPlaceWords(o); !place.isEmpty()) {
            h += QStringLiteral("<p>%1</p>").arg(esc(place));
        }
        if (const QString effort = outingEffortWords(o); !effort.isEmpty()) {
            h += QStringLiteral("<p>%1</p>").arg(esc(effort));
        }
        if (!o.notes.trimmed().isEmpty()) {
            h += QStringLiteral("<p>%1</p>").arg(esc(o.notes.trimmed()));
        }
        for (const Section::Article& a : s.articles) {
            h += QStringLiteral("<h3>%1</h3>").arg(esc(a.title));
            QString body = a.body;
            // The article's own pictures, by the report's names for them.
            for (const Picture& p : pictures_) {
                if (p.source.isEmpty()) {
                    body.replace(QLatin1String("\"@picture/") + p.name.toHtmlEscaped() + u'"',
                                 u'"' + pictureRef(picturesDir, p.name) + u'"');
                }
            }
            h += body;
        }
        int lifers = 0;
        for (const OutingSpecies& sp : s.species) {
            lifers += sp.lifer ? 1 : 0;
            auto [at, added] = totalOf.emplace(sp.birdid, totals.size());
            if (added) {
                totals.push_back({sp, 0, false, false});
            }
            Total& t = totals[at->second];
            t.count += sp.count;
            t.present = t.present || sp.present;
            t.lifer = t.lifer || sp.lifer;
        }
        h +=
            QStringLiteral("<h3>%1</h3>")
                .arg(esc(lifers > 0
                             ? tr("%1 species, %2 of them lifers").arg(s.species.size()).arg(lifers)
                             : tr("%1 species").arg(s.species.size())));
        h += speciesTable(
            s.species, [&](const OutingSpecies& sp) { return countText(sp.count, sp.present); },
            [&](const OutingSpecies& sp) {
                return sp.lifer ? tr("lifer") : sp.yearFirst ? tr("first of the year") : QString();
            },
            [](const OutingSpecies& sp) { return sp.name; });
        if (!s.pictures.empty()) {
            // Each picture with its caption under it, no heading: a heading
            // could be left alone at the foot of a page.
            for (const Section::Shown& shown : s.pictures) {
                const Picture& p = pictures_[shown.picture];
                h += QStringLiteral(
                         "<p><img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"%4\"><br>"
                         "<i>%4</i></p>")
                         .arg(pictureRef(picturesDir, p.name))
                         .arg(p.shown.width())
                         .arg(p.shown.height())
                         .arg(esc(shown.caption));
            }
        }
        if (!s.links.empty()) {
            h += QStringLiteral("<h3>%1</h3>").arg(esc(tr("Links")));
            for (const auto& [title, address] : s.links) {
                h += QStringLiteral("<p><a href=\"%1\">%2</a><br>%3</p>")
                         .arg(esc(address), esc(title), esc(address));
            }
        }
    }
    if (sections_.size() > 1) {
        std::sort(totals.begin(), totals.end(), [](const Total& a, const Total& b) {
            const int ao = a.first.taxonOrder;
            const int bo = b.first.taxonOrder;
            if ((ao == 0) != (bo == 0)) {
                return ao != 0;
            }
            return ao != bo ? ao < bo : a.first.name < b.first.name;
        });
        h += QStringLiteral("<h2>%1</h2>")
                 .arg(esc(tr("All species of the trip: %1").arg(totals.size())));
        h += speciesTable(
            totals, [&](const Total& t) { return countText(t.count, t.present); },
            [&](const Total& t) { return t.lifer ? tr("lifer") : QString(); },
            [](const Total& t) { return t.first.name; });
    }
    return h;
}

std::unique_ptr<QTextDocument> TripReport::document() const {
    auto doc = std::make_unique<QTextDocument>();
    QFont font = doc->defaultFont();
    font.setPointSizeF(10.5);
    doc->setDefaultFont(font);
    const QString dir = QStringLiteral("report-pictures");
    for (const Picture& p : pictures_) {
        QImage image = p.image;
        if (image.isNull()) {
            QImageReader reader(p.source);
            reader.setAutoTransform(true);
            // Read at twice the size it is shown: sharp on paper, light in memory.
            const QSize full = reader.size();
            if (full.isValid()) {
                QSize wanted = p.shown * 2;
                if (reader.transformation() & QImageIOHandler::TransformationRotate90) {
                    wanted.transpose();
                }
                reader.setScaledSize(full.scaled(wanted.boundedTo(full), Qt::KeepAspectRatio));
            }
            image = reader.read();
        }
        if (!image.isNull()) {
            doc->addResource(QTextDocument::ImageResource, QUrl(pictureRef(dir, p.name)), image);
        }
    }
    doc->setHtml(html(dir));
    return doc;
}

void TripReport::writePdf(const QString& path) const {
    const std::unique_ptr<QTextDocument> doc = document();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw AppError(err::PathAccess, kSource,
                       tr("The report cannot be written to %1: %2").arg(path, file.errorString()));
    }
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(tr("Trip Report"));
        pdf.setCreator(QStringLiteral("Wingfolio"));
        pdf.setPageSize(QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                      ? QPageSize::Letter
                                      : QPageSize::A4));
        pdf.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
        doc->print(&pdf);
    }
    if (!file.commit()) {
        throw AppError(err::PathAccess, kSource,
                       tr("The report cannot be written to %1: %2").arg(path, file.errorString()));
    }
}

QString TripReport::picturesFolderFor(const QString& path) {
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("_files"));
}

void TripReport::writeHtml(const QString& path) const {
    const QString folder = picturesFolderFor(path);
    const QString folderName = QFileInfo(folder).fileName();
    if (!pictures_.empty() && !QDir().mkpath(folder)) {
        throw AppError(err::PathAccess, kSource,
                       tr("The folder %1 cannot be made for the report's pictures.").arg(folder));
    }
    for (const Picture& p : pictures_) {
        const QString target = QDir(folder).filePath(p.name);
        QFile::remove(target);  // a report written again replaces its pictures
        const bool written =
            p.source.isEmpty() ? p.image.save(target, "PNG") : QFile::copy(p.source, target);
        if (!written) {
            throw AppError(err::PathAccess, kSource,
                           tr("The picture %1 cannot be written.").arg(target));
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw AppError(err::PathAccess, kSource,
                       tr("The report cannot be written to %1: %2").arg(path, file.errorString()));
    }
    const QString page =
        QStringLiteral(
            "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title>"
            "<style>body{font-family:sans-serif;max-width:50em;margin:2em auto;"
            "padding:0 1em}img{max-width:100%;height:auto}</style></head><body>\n"
            "%2\n</body></html>\n")
            .arg(esc(tr("Trip Report")), html(folderName));
    file.write(page.toUtf8());
    if (!file.commit()) {
        throw AppError(err::PathAccess, kSource,
                       tr("The report cannot be written to %1: %2").arg(path, file.errorString()));
    }
}

}  // namespace wf
