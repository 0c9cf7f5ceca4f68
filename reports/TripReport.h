// SPDX-License-Identifier: GPL-3.0-or-later
// The trip report: one outing, or every outing of a stretch of days, as a
// document to print or save: when and where, the narrative (the articles
// filed under the outings, formatted), the species with counts and lifers,
// and the pictures with their captions.
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

#include "DataFolder.h"
#include "Types.h"

class QTextDocument;

namespace wf {

class Store;

// "Rutland Water, Rutland, England": the outing's place, its empty parts left out.
QString outingPlaceWords(const Outing& o);
// "from 07:15; 90 minutes; 4.2 km; 2 observers; Traveling; all species
// reported": the outing's time and effort as given, or empty.
QString outingEffortWords(const Outing& o);

class TripReport {
    Q_DECLARE_TR_FUNCTIONS(wf::TripReport)
  public:
    // Reads the outings (in the order given) and what is filed under them;
    // raises AppError when the journal cannot be read.
    TripReport(const Store& store, const DataFolder& folder, const std::vector<qint64>& outings);
    ~TripReport();

    int outingCount() const;
    // The report as HTML, its pictures named picturesDir + "/" + a file name.
    QString html(const QString& picturesDir) const;
    // The report laid out, with its pictures in the document.
    std::unique_ptr<QTextDocument> document() const;
    // Writes the report as PDF (A4). Raises AppError when the file cannot
    // be written.
    void writePdf(const QString& path) const;
    // Writes the report as a web page, with its pictures in a folder beside
    // it named after the page ("trip.html" and "trip_files"): the journal's
    // JPEG files copied as they are. Raises AppError when a file cannot be
    // written.
    void writeHtml(const QString& path) const;
    // The folder of pictures writeHtml puts beside path.
    static QString picturesFolderFor(const QString& path);

  private:
    struct Picture {
        QString name;    // in the report's picture folder
        QString source;  // the journal's file, copied as it is; empty for an image
        QImage image;    // a picture from an article, written as PNG
        QSize shown;     // its size on the page
    };
    struct Section;

    std::vector<Section> sections_;
    std::vector<Picture> pictures_;
    const DataFolder folder_;
};

}  // namespace wf
