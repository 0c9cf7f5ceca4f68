// SPDX-License-Identifier: GPL-3.0-or-later
#include "EbirdImport.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <array>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "AppError.h"
#include "Csv.h"
#include "IsoCodes.h"
#include "Module.h"
#include "Store.h"
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
    throw AppError(
        err::BadFileFormat, kSource,
        QStringLiteral("%1: %2\n\nNothing was imported.").arg(QFileInfo(path).fileName(), what));
}

// The CSV file inside a zip archive: the first entry whose name ends in .csv.
QByteArray csvFromZip(const QString& path) {
    using Read = void (*)(const QString&, ZipCsv*);
    QString why;
    const auto read = moduleEntry<Read>(QStringLiteral("zip"), kZipCsvEntry, &why);
    if (read == nullptr) {
        throw AppError(err::PathAccess, kSource,
                       QStringLiteral("%1: zip archives cannot be read, the zip module cannot be "
                                      "loaded: %2\n\nNothing was imported.")
                           .arg(QFileInfo(path).fileName(), why));
    }
    ZipCsv csv;
    read(path, &csv);
    switch (csv.result) {
        case ZipCsv::Read:
            break;
        case ZipCsv::CannotOpen:
            bad(path,
                QStringLiteral("the zip archive cannot be read (it is damaged or incomplete)."));
        case ZipCsv::CannotStat:
            bad(path,
                QStringLiteral("the file %1 in the zip archive cannot be read.").arg(csv.name));
        case ZipCsv::Damaged:
            bad(path, QStringLiteral("the file %1 in the zip archive is damaged.").arg(csv.name));
        case ZipCsv::NoCsv:
            bad(path, QStringLiteral("the zip archive holds no CSV file."));
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
                       QStringLiteral("The file %1 cannot be read: %2\n\nNothing was imported.")
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
        bad(path, QStringLiteral("the file is neither a CSV file nor a zip archive."));
    }
    std::vector<CsvRecord> records;
    try {
        records = readCsvRecords(text);
    } catch (const CsvUnclosedQuote& e) {
        bad(path, QStringLiteral("line %1: a quoted field is never closed.").arg(e.line));
    }
    if (records.empty()) {
        bad(path, QStringLiteral("the file is empty."));
    }
    const QStringList header = records.front().fields;
    std::array<qsizetype, ColumnCount> at{};
    for (int c = 0; c < ColumnCount; ++c) {
        at[c] = header.indexOf(QLatin1String(kHeaders[c]));
    }
    for (const QString& required : requiredColumns()) {
        if (header.indexOf(required) < 0) {
            bad(path, QStringLiteral("the file has no column \"%1\" (is it \"My eBird Data\"?).")
                          .arg(required));
        }
    }
    rows_.reserve(records.size() - 1);
    for (size_t r = 1; r < records.size(); ++r) {
        CsvRecord& rec = records[r];
        if (rec.fields.size() == 1 && rec.fields.front().trimmed().isEmpty()) {
            continue;  // a blank line
        }
        Row row;
        row.line = rec.line;
        for (int c = 0; c < ColumnCount; ++c) {
            if (at[c] >= 0 && at[c] < rec.fields.size()) {
                row.v[c] = std::move(rec.fields[at[c]]);
            }
        }
        if (!ebird::parseDate(row.v[Date]).isValid()) {
            bad(path, QStringLiteral("line %1: the date \"%2\" cannot be read (eBird writes "
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
    // The new birds by name, the first ten of a long list.
    constexpr qsizetype kNamed = 10;
    QString named = newBirds.mid(0, kNamed).join(QStringLiteral(", "));
    if (newBirds.size() > kNamed) {
        named += QStringLiteral(" and %1 more").arg(newBirds.size() - kNamed);
    }
    QStringList lines;
    lines << QStringLiteral("Records read: %1").arg(rowsRead)
          << QStringLiteral("Sightings added: %1").arg(added)
          << QStringLiteral("Already in the journal: %1").arg(alreadyPresent)
          << QStringLiteral("New birds: %1%2")
                 .arg(newBirds.size())
                 .arg(named.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(named));
    if (skipped.empty()) {
        lines << QStringLiteral("Skipped (not one species): 0");
    } else {
        QStringList kinds;
        for (const auto& [kind, n] : skippedByKind()) {
            kinds << QStringLiteral("%1 %2").arg(n).arg(kind);
        }
        lines << QStringLiteral("Skipped (not one species): %1").arg(skipped.size())
              << QStringLiteral("    %1").arg(kinds.join(QStringLiteral(", ")));
        if (!reportPath.isEmpty()) {
            lines << QStringLiteral("The skipped records are listed in:") << reportPath;
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
    store.inTransaction([&] {
        // What the journal knows: birds by scientific and by English name
        // (the first of each), and the records already filed.
        std::unordered_map<QString, qint64> byScientific;
        std::unordered_map<QString, qint64> byName;
        {
            SQLite::Statement q(db,
                                "SELECT t.birdid, t.scientific_name FROM taxonomy t "
                                "JOIN birds b ON b.id = t.birdid ORDER BY t.birdid");
            while (q.executeStep()) {
                byScientific.emplace(QString::fromUtf8(q.getColumn(1).getText()).toCaseFolded(),
                                     q.getColumn(0).getInt64());
            }
            SQLite::Statement b(db, "SELECT id, name FROM birds ORDER BY id");
            while (b.executeStep()) {
                byName.emplace(QString::fromUtf8(b.getColumn(1).getText()).toCaseFolded(),
                               b.getColumn(0).getInt64());
            }
        }
        std::unordered_set<QString> present;
        {
            SQLite::Statement q(db,
                                "SELECT submission_id, scientific_name FROM sighting_detail "
                                "WHERE submission_id <> ''");
            while (q.executeStep()) {
                present.insert(QString::fromUtf8(q.getColumn(0).getText()) + u'\x1f' +
                               QString::fromUtf8(q.getColumn(1).getText()));
            }
        }
        SightingWriter writer(store);
        std::unordered_map<QString, std::array<QString, 3>> places;
        const int total = rowCount();
        for (int i = 0; i < total; ++i) {
            if (progress && (i % 500) == 0 && !progress(i, total)) {
                throw AppError(err::Cancelled, kSource,
                               QStringLiteral("The import was cancelled; nothing was imported."));
            }
            const Row& row = rows_[size_t(i)];
            const auto& v = row.v;
            const ebird::Taxon taxon = ebird::classify(v[CommonName], v[ScientificName]);
            if (taxon.kind != ebird::Kind::Species) {
                result.skipped.push_back({row.line, taxon.kind, v[CommonName], v[ScientificName],
                                          v[Date], v[Location], v[SubmissionId]});
                continue;
            }
            const QString key = v[SubmissionId] + u'\x1f' + v[ScientificName];
            if (!present.insert(key).second) {
                ++result.alreadyPresent;
                continue;
            }
            qint64 birdid = 0;
            if (const auto it = byScientific.find(taxon.scientific.toCaseFolded());
                it != byScientific.end()) {
                birdid = it->second;
            } else if (const auto n = byName.find(taxon.common.toCaseFolded()); n != byName.end()) {
                birdid = n->second;
            } else {
                birdid = store.addSubject(Category::Birds, taxon.common);
                store.setTaxonomy(birdid, Taxonomy{taxon.scientific, 0, {}, {}, {}});
                byScientific.emplace(taxon.scientific.toCaseFolded(), birdid);
                byName.emplace(taxon.common.toCaseFolded(), birdid);
                result.newBirds << taxon.common;
            }
            // The names of a place code, looked up once per code.
            auto placeIt = places.find(v[StateProvince]);
            if (placeIt == places.end()) {
                const QString code = v[StateProvince].trimmed().toUpper();
                const QString country = code.section(u'-', 0, 0);
                const QString subdivision = code.section(u'-', 1);
                placeIt =
                    places
                        .emplace(
                            v[StateProvince],
                            std::array<QString, 3>{
                                subdivision.isEmpty() ? QString() : codes_.subdivisionName(code),
                                country.isEmpty() ? QString() : codes_.countryName(country),
                                codes_.continent(country)})
                        .first;
            }
            Sighting s;
            s.birdid = birdid;
            s.date = ebird::parseDate(v[Date]);
            s.time = ebird::parseTime(v[Time]);
            s.site = v[Location];
            s.district = v[County];
            s.state = placeIt->second[0];
            s.country = placeIt->second[1];
            s.region = placeIt->second[2];
            s.notes = ebird::notes(taxon.group, v[ObservationDetails]);
            const SightingDetail d{QStringLiteral("eBird"),
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
            writer.append(s, &d);
            ++result.added;
        }
        if (progress && !progress(total, total)) {
            throw AppError(err::Cancelled, kSource,
                           QStringLiteral("The import was cancelled; nothing was imported."));
        }
    });
    result.newBirds.sort(Qt::CaseInsensitive);
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
                QStringLiteral("The list of skipped records could not be written to %1.")
                    .arg(report);
        }
    }
    return result;
}

}  // namespace wf
