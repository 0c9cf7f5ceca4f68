// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

#include "Ebird.h"

namespace wf {

class Store;
class IsoCodes;

// A record of the file that is not one species, left out of the journal.
struct SkippedRecord {
    int line = 0;
    ebird::Kind kind = ebird::Kind::Spuh;
    QString commonName;
    QString scientificName;
    QString date;
    QString location;
    QString submissionId;
};

struct EbirdImportResult {
    int rowsRead = 0;
    int added = 0;
    int alreadyPresent = 0;
    // Records whose names match no bird and no choice made: kept for review.
    int waiting = 0;
    int waitingNames = 0;
    int outings = 0;  // made, one for each checklist new to the journal
    // Each pair of names that waits, "Common Name (Scientific name)", with
    // its records, in the order first met.
    std::vector<std::pair<QString, int>> waitingPairs;
    // Records of an earlier download that eBird has renamed since: the
    // existing sighting was updated (and re-filed when the name now means
    // another bird), never added again.
    int renamed = 0;
    int refiled = 0;
    // Records of an earlier download that this one no longer holds (of the
    // same checklists): listed, never deleted.
    std::vector<SkippedRecord> gone;
    std::vector<SkippedRecord> skipped;
    QString reportPath;     // the CSV of skipped records, when one was written
    QString reportProblem;  // why it could not be written

    // Skipped records by kind ("sp.", "slash", "hybrid", "domestic").
    std::map<QString, int> skippedByKind() const;
    // The summary a person reads at the end, several lines.
    QString summary() const;
};

// Reads "My eBird Data" (the CSV eBird's "Download My Data" gives, or the
// zip it comes in) and files each record of one species as a sighting.
// The file is read and checked whole before the journal is touched: a file
// that is neither CSV nor zip, a missing required column, an unclosed quote
// or an unreadable date raises AppError (err::BadFileFormat) that says what
// and where, and nothing is imported.
class EbirdImport {
  public:
    static const QStringList& requiredColumns();

    explicit EbirdImport(const QString& path, const IsoCodes& codes);
    ~EbirdImport();

    const QString& path() const { return path_; }
    int rowCount() const;

    // Files the records in one transaction, each under the bird both its
    // names match or the user chose for them (EbirdNames); the others wait
    // for review. A record already in the journal (the same Submission ID
    // and names, or names that map to the same bird, or eBird's rename of
    // one: the same checklist with one record fewer of the old name and one
    // more of the new, of the same count) is counted, updated, never added
    // again. progress is told rows done of all and returns false to stop;
    // then AppError err::Cancelled is raised and the journal is as it was.
    // The skipped records are listed in a CSV beside the file read
    // ("<name>-skipped.csv").
    EbirdImportResult run(Store& store, const std::function<bool(int, int)>& progress = {});

  private:
    struct Row;
    QString path_;
    const IsoCodes& codes_;
    std::vector<Row> rows_;
};

}  // namespace wf
