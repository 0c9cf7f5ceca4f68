// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include "Types.h"

namespace wf {

class Store;
class IsoCodes;

// The journal's sightings and life lists written out for other programs:
// eBird's upload format, a CSV of every sighting, a CSV of the life lists.
// Every file is UTF-8 and replaces its target only when written whole;
// AppError (err::PathAccess) when it cannot be.
class Exporter {
  public:
    Exporter(const Store& store, const IsoCodes& codes);

    // eBird Record Format (extended): no header, 19 columns, one row per
    // sighting of a species dated from..to (either may be null: open). The
    // sightings imported from eBird are on eBird already: uploaded again
    // they would be there twice, so they are left out (counted in *leftOut)
    // unless includeImported; one that is written gives back what its
    // record held.
    QString ebirdRecords(QDate from = {}, QDate to = {}, bool includeImported = false,
                         int* leftOut = nullptr) const;
    // One row per sighting with every column of the journal and of its
    // record's detail, under a header row.
    QString sightingsCsv() const;
    // For the world and each area of areas that is set (region, country,
    // state, district): each species with its scientific name, taxonomic
    // order, first date and place, last date and number of sightings.
    QString lifeListsCsv(const Options& areas) const;

    // eBird's upload takes at most 1 MB a file: larger output is written as
    // numbered files beside path ("upload-1.csv", "upload-2.csv"), each
    // under kUploadLimit bytes, rows whole.
    static constexpr qint64 kUploadLimit = 1000 * 1000;
    struct UploadFiles {
        int rows = 0;
        int leftOut = 0;
        QStringList files;
    };
    UploadFiles writeEbirdUpload(const QString& path, QDate from = {}, QDate to = {},
                                 bool includeImported = false) const;

    // The same, written to path; returns the number of data rows.
    int writeSightingsCsv(const QString& path) const;
    int writeLifeListsCsv(const QString& path, const Options& areas) const;

  private:
    const Store& store_;
    const IsoCodes& codes_;
    mutable int rows_ = 0;
};

}  // namespace wf
