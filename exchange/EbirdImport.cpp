// SPDX-License-Identifier: GPL-3.0-or-later
#include "EbirdImport.h"
#include "Words.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <array>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "AppError.h"
#include "Csv.h"
#include "EbirdNames.h"
#include "IsoCodes.h"
#include "Module.h"
#include "Schema.h"
#include "Store.h"
#include "Tr.h"
#include "ZipCsv.h"

namespace wf {

namespace {

const QString kSource = QStringLiteral("wingfolio.EbirdImport");

// The columns of "My eBird Data" that the import reads, by header name.
enum Column {
    SubmissionId,
    CommonName,
    ScientificName,
    TaxonomicOrder,
    Count,
    StateProvince,
    County,
    LocationId,
    Location,
    Latitude,
    Longitude,
    Date,
    Time,
    Protocol,
    Duration,
    AllObs,
    Distance,
    AreaCovered,
    Observers,
    Breeding,
    ObservationDetails,
    ChecklistComments,
    MlCatalog,
    ColumnCount
};

const std::array<const char*, ColumnCount> kHeaders = {
    "Submission ID",
    "Common Name",
    "Scientific Name",
    "Taxonomic Order",
    "Count",
    "State/Province",
    "County",
    "Location ID",
    "Location",
    "Latitude",
    "Longitude",
    "Date",
    "Time",
    "Protocol",
    "Duration (Min)",
    "All Obs Reported",
    "Distance Traveled (km)",
    "Area Covered (ha)",
    "Number of Observers",
    "Breeding Code",
    "Observation Details",
    "Checklist Comments",
    "ML Catalog Numbers",
};

[[noreturn]] void bad(const QString& path, const QString& what) {
    throw AppError(err::BadFileFormat, kSource,
                   wf::tr("%1: %2\n\nNothing was imported.").arg(QFileInfo(path).fileName(), what));
}

// The CSV file inside a zip archive: the first entry whose name ends in .csv.
QByteArray csvFromZip(const QString& path) {
    using Read = void (*)(const QString&, ZipCsv*);
    QString why;
    const auto read = moduleEntry<Read>(QStringLiteral("zip"), kZipCsvEntry, &why);
    if (read == nullptr) {
        throw AppError(err::PathAccess, kSource,
                       wf::tr("%1: zip archives cannot be read, the zip module cannot be "
                              "loaded: %2\n\nNothing was imported.")
                           .arg(QFileInfo(path).fileName(), why));
    }
    ZipCsv csv;
    read(path, &csv);
    switch (csv.result) {
        case ZipCsv::Read:
            break;
        case ZipCsv::CannotOpen:
            bad(path, wf::tr("the zip archive cannot be read (it is damaged or incomplete)."));
        case ZipCsv::CannotStat:
            bad(path, wf::tr("the file %1 in the zip archive cannot be read.").arg(csv.name));
        case ZipCsv::Damaged:
            bad(path, wf::tr("the file %1 in the zip archive is damaged.").arg(csv.name));
        case ZipCsv::NoCsv:
            bad(path, wf::tr("the zip archive holds no CSV file."));
        case ZipCsv::Encrypted:
            bad(path, wf::tr("the file %1 in the zip archive is encrypted; unpack it "
                             "with its password and import the CSV file.")
                          .arg(csv.name));
        case ZipCsv::Unsupported:
            bad(path, wf::tr("the file %1 in the zip archive is packed with a method "
                             "Wingfolio cannot unpack; unpack it with another program "
                             "and import the CSV file.")
                          .arg(csv.name));
    }
    return csv.bytes;
}

QString skippedReportPath(const QString& path) {
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("-skipped.csv"));
}

}  // namespace

struct EbirdImport::Row {
    int line = 0;
    std::array<QString, ColumnCount> v;
};

const QStringList& EbirdImport::requiredColumns() {
    static const QStringList columns = {QStringLiteral("Submission ID"),
                                        QStringLiteral("Common Name"),
                                        QStringLiteral("Scientific Name"),
                                        QStringLiteral("Count"),
                                        QStringLiteral("State/Province"),
                                        QStringLiteral("Location"),
                                        QStringLiteral("Date")};
    return columns;
}

EbirdImport::EbirdImport(const QString& path, const IsoCodes& codes) : path_(path), codes_(codes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(err::FileNotFound, kSource,
                       wf::tr("The file %1 cannot be read: %2\n\nNothing was imported.")
                           .arg(path, file.errorString()));
    }
    QByteArray bytes = file.readAll();
    file.close();
    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06")) {
        bytes = csvFromZip(path);
    }
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(bytes);
    if (decode.hasError() || bytes.contains('\0')) {
        bad(path, wf::tr("the file is neither a CSV file nor a zip archive."));
    }
    std::vector<CsvRecord> records;
    try {
        records = readCsvRecords(text);
    } catch (const CsvUnclosedQuote& e) {
        bad(path, wf::tr("line %1: a quoted field is never closed.").arg(e.line));
    }
    if (records.empty()) {
        bad(path, wf::tr("the file is empty."));
    }
    const QStringList header = records.front().fields;
    std::array<qsizetype, ColumnCount> at{};
    for (int c = 0; c < ColumnCount; ++c) {
        at[c] = header.indexOf(QLatin1String(kHeaders[c]));
    }
    for (const QString& required : requiredColumns()) {
        if (header.indexOf(required) < 0) {
            bad(path,
                wf::tr("the file has no column \"%1\" (is it \"My eBird Data\"?).").arg(required));
        }
    }
    rows_.reserve(records.size() - 1);
    for (size_t r = 1; r < records.size(); ++r) {
        CsvRecord& rec = records[r];
        if (rec.fields.size() == 1 && rec.fields.front().trimmed().isEmpty()) {
            continue;  // a blank line
        }
        // eBird writes every field of every record: fewer is a file cut short.
        if (rec.fields.size() < header.size()) {
            bad(path, wf::tr("line %1: the record has %2 of the %3 fields; the file "
                             "seems cut short or damaged.")
                          .arg(rec.line)
                          .arg(rec.fields.size())
                          .arg(header.size()));
        }
        Row row;
        row.line = rec.line;
        for (int c = 0; c < ColumnCount; ++c) {
            if (at[c] >= 0 && at[c] < rec.fields.size()) {
                row.v[c] = std::move(rec.fields[at[c]]);
            }
        }
        if (!ebird::parseDate(row.v[Date]).isValid()) {
            bad(path, wf::tr("line %1: the date \"%2\" cannot be read (eBird writes "
                             "YYYY-MM-DD).")
                          .arg(row.line)
                          .arg(row.v[Date]));
        }
        rows_.push_back(std::move(row));
    }
}

EbirdImport::~EbirdImport() = default;

int EbirdImport::rowCount() const {
    return int(rows_.size());
}

std::map<QString, int> EbirdImportResult::skippedByKind() const {
    std::map<QString, int> out;
    for (const SkippedRecord& s : skipped) {
        ++out[ebird::kindName(s.kind)];
    }
    return out;
}

QString EbirdImportResult::summary() const {
    QStringList lines;
    lines << wf::tr("Records read: %1").arg(rowsRead) << wf::tr("Sightings added: %1").arg(added)
          << wf::tr("Already in the journal: %1").arg(alreadyPresent)
          << wf::tr("Outings made (one a checklist): %1").arg(outings);
    if (renamed > 0) {
        lines << wf::tr(
                     "Renamed on eBird since: %1 (updated, %2 filed under another "
                     "bird)")
                     .arg(renamed)
                     .arg(refiled);
    }
    lines << wf::tr("Waiting for review: %1%2")
                 .arg(waiting)
                 .arg(waiting > 0
                          ? wf::tr(" records of %1 (File, Review eBird Names)")
                                .arg(words::counted(waitingNames, wf::tr("name"), wf::tr("names")))
                          : QString());
    constexpr size_t kPairsNamed = 10;
    for (size_t i = 0; i < waitingPairs.size() && i < kPairsNamed; ++i) {
        lines
            << QStringLiteral("    %1: %2").arg(waitingPairs[i].first).arg(waitingPairs[i].second);
    }
    if (waitingPairs.size() > kPairsNamed) {
        lines << wf::tr("    and %1 more").arg(waitingPairs.size() - kPairsNamed);
    }
    if (!gone.empty()) {
        constexpr size_t kNamed = 5;
        lines << wf::tr("No longer in this download (kept in the journal): %1").arg(gone.size());
        for (size_t i = 0; i < gone.size() && i < kNamed; ++i) {
            lines << QStringLiteral("    %1, %2, %3 (%4)")
                         .arg(gone[i].commonName, gone[i].date, gone[i].location,
                              gone[i].submissionId);
        }
        if (gone.size() > kNamed) {
            lines << wf::tr("    and %1 more").arg(gone.size() - kNamed);
        }
    }
    if (skipped.empty()) {
        lines << wf::tr("Skipped (not one species): 0");
    } else {
        QStringList kinds;
        for (const auto& [kind, n] : skippedByKind()) {
            kinds << QStringLiteral("%1 %2").arg(n).arg(kind);
        }
        lines << wf::tr("Skipped (not one species): %1").arg(skipped.size())
              << QStringLiteral("    %1").arg(kinds.join(QStringLiteral(", ")));
        if (!reportPath.isEmpty()) {
            lines << wf::tr("The skipped records are listed in:") << reportPath;
        } else if (!reportProblem.isEmpty()) {
            lines << reportProblem;
        }
    }
    return lines.join(u'\n');
}

EbirdImportResult EbirdImport::run(Store& store, const std::function<bool(int, int)>& progress) {
    EbirdImportResult result;
    result.rowsRead = rowCount();
    SQLite::Database& db = store.database();
    // Room for the whole import in the page cache, so that pages are not
    // written out (and synced) before the commit.
    db.exec("PRAGMA cache_size = -262144");
    struct RestoreCache {
        SQLite::Database& db;
        ~RestoreCache() {
            try {
                db.exec("PRAGMA cache_size = -32768");
            } catch (const SQLite::Exception&) {
            }
        }
    } restoreCache{db};
    const auto cancelled = [] {
        return AppError(err::Cancelled, kSource,
                        wf::tr("The import was cancelled; nothing was imported."));
    };
    store.inTransaction([&] {
        EbirdNames names(store, codes_);
        names.load();
        // The records of earlier downloads, by checklist.
        struct Existing {
            qint64 id = 0;
            qint64 birdid = 0;
            QString common;
            QString scientific;
            QString pair;
            QString count;
            QString date;
            QString location;
            bool matched = false;
        };
        std::unordered_map<QString, std::vector<Existing>> bySubmission;
        {
            SQLite::Statement q(db,
                                "SELECT s.id, s.birdid, d.submission_id, d.common_name, "
                                "d.scientific_name, d.count, d.date, d.location FROM "
                                "sighting_detail d JOIN sighting s ON s.id = d.sightingid WHERE "
                                "d.source = 'eBird' ORDER BY s.id");
            while (q.executeStep()) {
                Existing e;
                e.id = q.getColumn(0).getInt64();
                e.birdid = q.getColumn(1).getInt64();
                e.common = QString::fromUtf8(q.getColumn(3).getText());
                e.scientific = QString::fromUtf8(q.getColumn(4).getText());
                const ebird::Taxon t = ebird::classify(e.common, e.scientific);
                e.pair = EbirdNames::pairKey(t.common, t.scientific);
                e.count = QString::fromUtf8(q.getColumn(5).getText());
                e.date = QString::fromUtf8(q.getColumn(6).getText());
                e.location = QString::fromUtf8(q.getColumn(7).getText());
                bySubmission[QString::fromUtf8(q.getColumn(2).getText())].push_back(std::move(e));
            }
        }
        std::unordered_set<QString> waiting;
        {
            SQLite::Statement q(db,
                                "SELECT submission_id, common_name, scientific_name FROM "
                                "ebird_pending");
            while (q.executeStep()) {
                waiting.insert(QString::fromUtf8(q.getColumn(0).getText()) + u'\x1f' +
                               QString::fromUtf8(q.getColumn(1).getText()) + u'\x1f' +
                               QString::fromUtf8(q.getColumn(2).getText()));
            }
        }
        // The file's records of one species, by checklist in the file's order.
        struct Record {
            int line = 0;
            SightingDetail d;
            QString group;
            QString pair;
            std::optional<qint64> birdid;
            bool done = false;
        };
        std::vector<Record> records;
        records.reserve(rows_.size());
        std::vector<QString> order;
        std::unordered_map<QString, std::vector<size_t>> inSubmission;
        const int total = rowCount();
        for (int i = 0; i < total; ++i) {
            if (progress && (i % 500) == 0 && !progress(i, total)) {
                throw cancelled();
            }
            const Row& row = rows_[size_t(i)];
            const auto& v = row.v;
            const ebird::Taxon taxon = ebird::classify(v[CommonName], v[ScientificName]);
            if (taxon.kind != ebird::Kind::Species) {
                result.skipped.push_back({row.line, taxon.kind, v[CommonName], v[ScientificName],
                                          v[Date], v[Location], v[SubmissionId]});
                continue;
            }
            Record r;
            r.line = row.line;
            r.d = SightingDetail{QStringLiteral("eBird"),
                                 v[SubmissionId],
                                 v[CommonName],
                                 v[ScientificName],
                                 v[TaxonomicOrder],
                                 v[Count],
                                 v[StateProvince],
                                 v[County],
                                 v[LocationId],
                                 v[Location],
                                 v[Latitude],
                                 v[Longitude],
                                 v[Date],
                                 v[Time],
                                 v[Protocol],
                                 v[Duration],
                                 v[AllObs],
                                 v[Distance],
                                 v[AreaCovered],
                                 v[Observers],
                                 v[Breeding],
                                 v[ObservationDetails],
                                 v[ChecklistComments],
                                 v[MlCatalog]};
            r.group = taxon.group;
            r.pair = EbirdNames::pairKey(taxon.common, taxon.scientific);
            r.birdid = names.resolve(r.pair, names.hasChoices() ? ebirdCountry(r.d) : QString());
            auto [it, fresh] = inSubmission.try_emplace(v[SubmissionId]);
            if (fresh) {
                order.push_back(v[SubmissionId]);
            }
            it->second.push_back(records.size());
            records.push_back(std::move(r));
        }
        // Many records into few sightings: the sighting indexes are made
        // again after the rows are in, sorted once, rather than sought into
        // for every row.
        const bool bulk =
            records.size() >= 20000 && qint64(records.size()) > store.rowCount("sighting");
        if (bulk) {
            schema::dropSightingIndexes(db);
        }
        SQLite::Statement rename(db,
                                 "UPDATE sighting_detail SET common_name = ?, scientific_name = "
                                 "?, taxonomic_order = ? WHERE sightingid = ?");
        SQLite::Statement refile(db, "UPDATE sighting SET birdid = ? WHERE id = ?");
        const auto updateNames = [&](const Existing& e, const Record& r) {
            rename.bind(1, r.d.commonName.toStdString());
            rename.bind(2, r.d.scientificName.toStdString());
            rename.bind(3, r.d.taxonomicOrder.toStdString());
            rename.bind(4, static_cast<int64_t>(e.id));
            rename.exec();
            rename.reset();
        };
        const auto moveTo = [&](Existing& e, qint64 birdid) {
            if (e.birdid == birdid) {
                return false;
            }
            refile.bind(1, static_cast<int64_t>(birdid));
            refile.bind(2, static_cast<int64_t>(e.id));
            refile.exec();
            refile.reset();
            e.birdid = birdid;
            return true;
        };
        std::unordered_set<QString> waitingNames;
        std::unordered_map<QString, size_t> pairIndex;
        for (const QString& submission : order) {
            const std::vector<size_t>& mine = inSubmission[submission];
            std::vector<Existing>& earlier = bySubmission[submission];
            std::unordered_set<QString> pairsNow;
            for (const size_t i : mine) {
                pairsNow.insert(records[i].pair);
            }
            // The same record: the same names...
            for (const size_t i : mine) {
                Record& r = records[i];
                for (Existing& e : earlier) {
                    if (!e.matched && e.pair == r.pair) {
                        e.matched = r.done = true;
                        ++result.alreadyPresent;
                        if (r.birdid && moveTo(e, *r.birdid)) {
                            ++result.refiled;  // a choice made since files it elsewhere
                        }
                        break;
                    }
                }
            }
            // ...or names of the same bird...
            for (const size_t i : mine) {
                Record& r = records[i];
                for (Existing& e : earlier) {
                    if (!r.done && r.birdid && !e.matched && e.birdid == *r.birdid) {
                        e.matched = r.done = true;
                        updateNames(e, r);
                        ++result.alreadyPresent;
                        ++result.renamed;
                    }
                }
            }
            // ...or eBird's rename: an old name gone, a new one there, of the
            // same count.
            for (const size_t i : mine) {
                Record& r = records[i];
                for (Existing& e : earlier) {
                    if (!r.done && !e.matched && pairsNow.count(e.pair) == 0 &&
                        e.count == r.d.count) {
                        e.matched = r.done = true;
                        updateNames(e, r);
                        if (r.birdid && moveTo(e, *r.birdid)) {
                            ++result.refiled;
                        }
                        ++result.alreadyPresent;
                        ++result.renamed;
                    }
                }
            }
            for (const size_t i : mine) {
                Record& r = records[i];
                if (r.done) {
                    continue;
                }
                if (r.birdid) {
                    names.file(r.d, *r.birdid, r.group);
                    ++result.added;
                    continue;
                }
                const QString key =
                    r.d.submissionId + u'\x1f' + r.d.commonName + u'\x1f' + r.d.scientificName;
                if (!waiting.insert(key).second) {
                    ++result.alreadyPresent;  // waiting since an earlier import
                    continue;
                }
                names.keepWaiting(r.d, r.line);
                ++result.waiting;
                const QString shown =
                    QStringLiteral("%1 (%2)").arg(r.d.commonName, r.d.scientificName);
                if (waitingNames.insert(r.pair).second) {
                    result.waitingPairs.emplace_back(shown, 0);
                    pairIndex[r.pair] = result.waitingPairs.size() - 1;
                }
                ++result.waitingPairs[pairIndex[r.pair]].second;
            }
            for (const Existing& e : earlier) {
                if (!e.matched && !submission.isEmpty()) {
                    result.gone.push_back({0, ebird::Kind::Species, e.common, e.scientific, e.date,
                                           e.location, submission});
                }
            }
        }
        result.waitingNames = int(waitingNames.size());
        if (bulk) {
            schema::createSightingIndexes(db);
        }
        result.outings = store.outingsFromEbird();
        if (progress && !progress(total, total)) {
            throw cancelled();
        }
    });
    if (!result.skipped.empty()) {
        const QString report = skippedReportPath(path_);
        QSaveFile out(report);
        if (out.open(QIODevice::WriteOnly)) {
            QString text = csvLine({QStringLiteral("Line"), QStringLiteral("Kind"),
                                    QStringLiteral("Common Name"),
                                    QStringLiteral("Scientific Name"), QStringLiteral("Date"),
                                    QStringLiteral("Location"), QStringLiteral("Submission ID")});
            for (const SkippedRecord& s : result.skipped) {
                text += csvLine({QString::number(s.line), ebird::kindName(s.kind), s.commonName,
                                 s.scientificName, s.date, s.location, s.submissionId});
            }
            out.write(text.toUtf8());
            if (out.commit()) {
                result.reportPath = report;
            }
        }
        if (result.reportPath.isEmpty()) {
            result.reportProblem =
                wf::tr("The list of skipped records could not be written to %1.").arg(report);
        }
    }
    return result;
}

}  // namespace wf
