// SPDX-License-Identifier: GPL-3.0-or-later
#include "Export.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "AppError.h"
#include "Csv.h"
#include "Ebird.h"
#include "IsoCodes.h"
#include "Store.h"
#include "Tr.h"
#include "Wildcard.h"

namespace wf {

namespace {

const QString kSource = QStringLiteral("wingfolio.Export");

// One sighting with its bird, taxonomy and record detail.
struct Row {
    Sighting s;
    bool hasBird = false;
    QString bird;
    QString scientific;
    qint64 taxonOrder = 0;
    bool hasDetail = false;
    SightingDetail d;
};

QString text(const SQLite::Column& c) {
    return QString::fromUtf8(c.getText(), c.getBytes());
}

struct Bird {
    QString name;
    QString scientific;
    qint64 taxonOrder = 0;
};

// Calls each with every sighting in id order, with its bird and, when
// withDetail, its record's detail. Birds are read once; sightings and
// details are walked side by side in id order.
template <typename Each>
void eachSighting(const Store& store, bool withDetail, Each&& each) {
    SQLite::Database& db = store.database();
    std::unordered_map<qint64, Bird> birds;
    {
        SQLite::Statement b(db,
                            "SELECT b.id, b.name, t.scientific_name, t.taxon_order FROM birds b "
                            "LEFT JOIN taxonomy t ON t.birdid = b.id");
        while (b.executeStep()) {
            birds.emplace(
                b.getColumn(0).getInt64(),
                Bird{text(b.getColumn(1)), text(b.getColumn(2)), b.getColumn(3).getInt64()});
        }
    }
    SQLite::Statement q(db,
                        "SELECT id, birdid, date, type, site, district, state, country, region, "
                        "notes FROM sighting ORDER BY id");
    std::optional<SQLite::Statement> d;
    bool detailLeft = false;
    if (withDetail) {
        d.emplace(db,
                  "SELECT sightingid, source, submission_id, common_name, scientific_name, "
                  "taxonomic_order, count, state_code, county, location_id, location, latitude, "
                  "longitude, date, time, protocol, duration_min, all_obs_reported, distance_km, "
                  "area_ha, observers, breeding_code, observation_details, checklist_comments, "
                  "ml_catalog FROM sighting_detail ORDER BY sightingid");
        detailLeft = d->executeStep();
    }
    Row r;
    while (q.executeStep()) {
        r.s.id = q.getColumn(0).getInt64();
        r.s.birdid = q.getColumn(1).getInt64();
        const QString date = text(q.getColumn(2));
        r.s.date = ebird::parseDate(date.left(10));
        r.s.time = date.size() > 10 ? ebird::parseTime(date.mid(11, 8)) : QTime();
        r.s.type = text(q.getColumn(3));
        r.s.site = text(q.getColumn(4));
        r.s.district = text(q.getColumn(5));
        r.s.state = text(q.getColumn(6));
        r.s.country = text(q.getColumn(7));
        r.s.region = text(q.getColumn(8));
        r.s.notes = text(q.getColumn(9));
        const auto bird = birds.find(r.s.birdid);
        r.hasBird = bird != birds.end();
        if (r.hasBird) {
            r.bird = bird->second.name;
            r.scientific = bird->second.scientific;
            r.taxonOrder = bird->second.taxonOrder;
        } else {
            r.bird.clear();
            r.scientific.clear();
            r.taxonOrder = 0;
        }
        while (detailLeft && d->getColumn(0).getInt64() < r.s.id) {
            detailLeft = d->executeStep();
        }
        r.hasDetail = detailLeft && d->getColumn(0).getInt64() == r.s.id;
        QString* fields[] = {&r.d.source,
                             &r.d.submissionId,
                             &r.d.commonName,
                             &r.d.scientificName,
                             &r.d.taxonomicOrder,
                             &r.d.count,
                             &r.d.stateCode,
                             &r.d.county,
                             &r.d.locationId,
                             &r.d.location,
                             &r.d.latitude,
                             &r.d.longitude,
                             &r.d.date,
                             &r.d.time,
                             &r.d.protocol,
                             &r.d.durationMin,
                             &r.d.allObsReported,
                             &r.d.distanceKm,
                             &r.d.areaHa,
                             &r.d.observers,
                             &r.d.breedingCode,
                             &r.d.observationDetails,
                             &r.d.checklistComments,
                             &r.d.mlCatalog};
        int i = 1;
        for (QString* f : fields) {
            if (r.hasDetail) {
                *f = text(d->getColumn(i++));
            } else {
                f->clear();
            }
        }
        each(r);
    }
}

bool sameText(const QString& a, const QString& b) {
    return compareNoCase(a, b) == 0;
}

// Numbers of two and four digits into buf, as dates and times are written.
void put(char* buf, int v, int digits) {
    for (int i = digits - 1; i >= 0; --i) {
        buf[i] = char('0' + v % 10);
        v /= 10;
    }
}

bool fourDigitYear(const QDate& d) {
    return d.isValid() && d.year() >= 1 && d.year() <= 9999;
}

QString dateOrEmpty(const QDate& d) {
    if (!fourDigitYear(d)) {
        return d.isValid() ? d.toString(Qt::ISODate) : QString();
    }
    char buf[10];
    put(buf, d.year(), 4);
    buf[4] = '-';
    put(buf + 5, d.month(), 2);
    buf[7] = '-';
    put(buf + 8, d.day(), 2);
    return QString::fromLatin1(buf, 10);
}

// MM/DD/YYYY, as eBird's upload format writes a date.
QString usDate(const QDate& d) {
    if (!fourDigitYear(d)) {
        return d.isValid() ? d.toString(QStringLiteral("MM/dd/yyyy")) : QString();
    }
    char buf[10];
    put(buf, d.month(), 2);
    buf[2] = '/';
    put(buf + 3, d.day(), 2);
    buf[5] = '/';
    put(buf + 6, d.year(), 4);
    return QString::fromLatin1(buf, 10);
}

QString hoursMinutes(const QTime& t) {
    if (!t.isValid()) {
        return {};
    }
    char buf[5];
    put(buf, t.hour(), 2);
    buf[2] = ':';
    put(buf + 3, t.minute(), 2);
    return QString::fromLatin1(buf, 5);
}

int writeText(const QString& path, const QString& text, int rows) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        throw AppError(err::PathAccess, kSource,
                       wf::tr("%1 cannot be written: %2").arg(path, out.errorString()));
    }
    out.write(text.toUtf8());
    if (!out.commit()) {
        throw AppError(err::PathAccess, kSource,
                       wf::tr("%1 cannot be written: %2").arg(path, out.errorString()));
    }
    return rows;
}

}  // namespace

Exporter::Exporter(const Store& store, const IsoCodes& codes) : store_(store), codes_(codes) {}

QString Exporter::ebirdRecords(QDate from, QDate to, bool includeImported, int* leftOut) const {
    QString out;
    std::unordered_map<QString, std::pair<QString, QString>> placeCodes;
    rows_ = 0;
    int left = 0;
    eachSighting(store_, true, [&](const Row& r) {
        if (!r.hasBird || (from.isValid() && (!r.s.date.isValid() || r.s.date < from)) ||
            (to.isValid() && (!r.s.date.isValid() || r.s.date > to))) {
            return;
        }
        if (!includeImported && r.hasDetail && r.d.source == QLatin1String("eBird")) {
            ++left;
            return;
        }
        // The names the record was filed under while it is still filed under
        // that species; else the bird's own.
        QString common = r.bird;
        QString scientific = r.scientific;
        QString comments = r.s.notes;
        if (r.hasDetail && !r.d.commonName.isEmpty()) {
            const ebird::Taxon taxon = ebird::classify(r.d.commonName, r.d.scientificName);
            if (sameText(taxon.scientific, r.scientific) || sameText(taxon.common, r.bird)) {
                common = r.d.commonName;
                scientific = r.d.scientificName;
                if (r.s.notes == ebird::notes(taxon.group, r.d.observationDetails)) {
                    comments = r.d.observationDetails;
                }
            }
        }
        // Codes for the place's names (looked up once per place), the
        // record's own while they still name the same place.
        const QString placeKey = r.s.country + u'\x1f' + r.s.state;
        auto known = placeCodes.find(placeKey);
        if (known == placeCodes.end()) {
            const QString cc = codes_.countryCode(r.s.country);
            const QString sc = cc.isEmpty() || r.s.state.isEmpty()
                                   ? QString()
                                   : codes_.subdivisionCode(cc, r.s.state).section(u'-', 1);
            known = placeCodes.emplace(placeKey, std::pair{cc, sc}).first;
        }
        QString country = known->second.first;
        QString state;
        const QString recorded = r.d.stateCode.trimmed().toUpper();
        if (r.hasDetail && !recorded.isEmpty() &&
            sameText(codes_.countryName(recorded.section(u'-', 0, 0)), r.s.country) &&
            (recorded.section(u'-', 1).isEmpty()
                 ? r.s.state.isEmpty()
                 : sameText(codes_.subdivisionName(recorded), r.s.state))) {
            country = recorded.section(u'-', 0, 0);
            state = recorded.section(u'-', 1);
        } else {
            state = known->second.second;
        }
        QString allObs;
        if (r.d.allObsReported == QLatin1String("1")) {
            allObs = QStringLiteral("Y");
        } else if (r.d.allObsReported == QLatin1String("0") || r.d.allObsReported.isEmpty()) {
            allObs = QStringLiteral("N");
        } else {
            allObs = r.d.allObsReported;
        }
        appendCsvLine(
            out, {common, scientific.section(u' ', 0, 0), scientific.section(u' ', 1),
                  r.hasDetail && !r.d.count.isEmpty() ? r.d.count : QStringLiteral("X"), comments,
                  r.s.site, r.d.latitude, r.d.longitude, usDate(r.s.date), hoursMinutes(r.s.time),
                  state, country,
                  r.d.protocol.isEmpty() ? QStringLiteral("Incidental")
                                         : ebird::uploadProtocol(r.d.protocol),
                  r.d.observers, r.d.durationMin, allObs, ebird::kmToMiles(r.d.distanceKm),
                  ebird::hectaresToAcres(r.d.areaHa), r.d.checklistComments});
        ++rows_;
    });
    if (leftOut != nullptr) {
        *leftOut = left;
    }
    return out;
}

QString Exporter::sightingsCsv() const {
    QString out = csvLine({QStringLiteral("Sighting ID"),
                           QStringLiteral("Bird"),
                           QStringLiteral("Scientific Name"),
                           QStringLiteral("Taxonomic Order"),
                           QStringLiteral("Date"),
                           QStringLiteral("Time"),
                           QStringLiteral("Type"),
                           QStringLiteral("Site"),
                           QStringLiteral("District"),
                           QStringLiteral("State"),
                           QStringLiteral("Country"),
                           QStringLiteral("Region"),
                           QStringLiteral("Notes"),
                           QStringLiteral("Source"),
                           QStringLiteral("Submission ID"),
                           QStringLiteral("Record Common Name"),
                           QStringLiteral("Record Scientific Name"),
                           QStringLiteral("Record Taxonomic Order"),
                           QStringLiteral("Count"),
                           QStringLiteral("State/Province Code"),
                           QStringLiteral("County"),
                           QStringLiteral("Location ID"),
                           QStringLiteral("Location"),
                           QStringLiteral("Latitude"),
                           QStringLiteral("Longitude"),
                           QStringLiteral("Record Date"),
                           QStringLiteral("Record Time"),
                           QStringLiteral("Protocol"),
                           QStringLiteral("Duration (Min)"),
                           QStringLiteral("All Obs Reported"),
                           QStringLiteral("Distance Traveled (km)"),
                           QStringLiteral("Area Covered (ha)"),
                           QStringLiteral("Number of Observers"),
                           QStringLiteral("Breeding Code"),
                           QStringLiteral("Observation Details"),
                           QStringLiteral("Checklist Comments"),
                           QStringLiteral("ML Catalog Numbers")});
    rows_ = 0;
    eachSighting(store_, true, [&](const Row& r) {
        const SightingDetail& d = r.d;
        appendCsvLine(out, {QString::number(r.s.id),
                            r.bird,
                            r.scientific,
                            r.taxonOrder > 0 ? QString::number(r.taxonOrder) : QString(),
                            dateOrEmpty(r.s.date),
                            hoursMinutes(r.s.time),
                            r.s.type,
                            r.s.site,
                            r.s.district,
                            r.s.state,
                            r.s.country,
                            r.s.region,
                            r.s.notes,
                            d.source,
                            d.submissionId,
                            d.commonName,
                            d.scientificName,
                            d.taxonomicOrder,
                            d.count,
                            d.stateCode,
                            d.county,
                            d.locationId,
                            d.location,
                            d.latitude,
                            d.longitude,
                            d.date,
                            d.time,
                            d.protocol,
                            d.durationMin,
                            d.allObsReported,
                            d.distanceKm,
                            d.areaHa,
                            d.observers,
                            d.breedingCode,
                            d.observationDetails,
                            d.checklistComments,
                            d.mlCatalog});
        ++rows_;
    });
    return out;
}

QString Exporter::lifeListsCsv(const Options& areas) const {
    struct Seen {
        qint64 birdid = 0;
        QString name;
        QString scientific;
        qint64 taxonOrder = 0;
        QDate first;
        qint64 firstId = 0;
        QString firstPlace;
        QDate last;
        int count = 0;
    };
    struct List {
        QString area;
        QString place;
        const QString Sighting::*column;
        std::map<qint64, Seen> seen;
    };
    std::vector<List> lists;
    lists.push_back({QStringLiteral("World"), QString(), nullptr, {}});
    const std::pair<const char*, QString Options::*> kAreas[] = {{"Region", &Options::region},
                                                                 {"Country", &Options::country},
                                                                 {"State", &Options::state},
                                                                 {"District", &Options::district}};
    const QString Sighting::*kColumns[] = {&Sighting::region, &Sighting::country, &Sighting::state,
                                           &Sighting::district};
    for (size_t i = 0; i < 4; ++i) {
        if (!(areas.*kAreas[i].second).isEmpty()) {
            lists.push_back(
                {QString::fromLatin1(kAreas[i].first), areas.*kAreas[i].second, kColumns[i], {}});
        }
    }
    eachSighting(store_, false, [&](const Row& r) {
        if (!r.hasBird) {
            return;
        }
        for (List& list : lists) {
            if (list.column != nullptr && !sameText(r.s.*list.column, list.place)) {
                continue;
            }
            Seen& s = list.seen[r.s.birdid];
            if (s.count == 0) {
                s.birdid = r.s.birdid;
                s.name = r.bird;
                s.scientific = r.scientific;
                s.taxonOrder = r.taxonOrder;
                s.firstId = r.s.id;
                s.first = r.s.date;
                s.firstPlace = r.s.site;
            } else if (r.s.date.isValid() && (!s.first.isValid() || r.s.date < s.first)) {
                // The earliest date; of one day, the sighting entered first.
                s.first = r.s.date;
                s.firstPlace = r.s.site;
            }
            if (r.s.date.isValid() && (!s.last.isValid() || r.s.date > s.last)) {
                s.last = r.s.date;
            }
            ++s.count;
        }
    });
    QString out =
        csvLine({QStringLiteral("Area"), QStringLiteral("Place"), QStringLiteral("Common Name"),
                 QStringLiteral("Scientific Name"), QStringLiteral("Taxonomic Order"),
                 QStringLiteral("First Date"), QStringLiteral("First Place"),
                 QStringLiteral("Last Date"), QStringLiteral("Sightings")});
    rows_ = 0;
    for (const List& list : lists) {
        std::vector<const Seen*> species;
        species.reserve(list.seen.size());
        for (const auto& [id, s] : list.seen) {
            species.push_back(&s);
        }
        std::stable_sort(species.begin(), species.end(), [](const Seen* a, const Seen* b) {
            const int c = compareNoCase(a->name, b->name);
            return c != 0 ? c < 0 : a->birdid < b->birdid;
        });
        for (const Seen* s : species) {
            appendCsvLine(out, {list.area, list.place, s->name, s->scientific,
                                s->taxonOrder > 0 ? QString::number(s->taxonOrder) : QString(),
                                dateOrEmpty(s->first), s->firstPlace, dateOrEmpty(s->last),
                                QString::number(s->count)});
            ++rows_;
        }
    }
    return out;
}

Exporter::UploadFiles Exporter::writeEbirdUpload(const QString& path, QDate from, QDate to,
                                                 bool includeImported) const {
    UploadFiles out;
    const QByteArray bytes = ebirdRecords(from, to, includeImported, &out.leftOut).toUtf8();
    out.rows = rows_;
    if (bytes.size() < kUploadLimit) {
        writeText(path, QString::fromUtf8(bytes), rows_);
        out.files << path;
        return out;
    }
    // Whole rows, as many as fit under the limit in each file.
    const QFileInfo info(path);
    const QString stem = info.dir().filePath(info.completeBaseName());
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size()) {
            const qsizetype next = bytes.indexOf('\n', end);
            const qsizetype rowEnd = next < 0 ? bytes.size() : next + 1;
            if (rowEnd - start >= kUploadLimit && end > start) {
                break;
            }
            end = rowEnd;
        }
        const QString part =
            QStringLiteral("%1-%2%3").arg(stem).arg(out.files.size() + 1).arg(suffix);
        writeText(part, QString::fromUtf8(bytes.mid(start, end - start)), 0);
        out.files << part;
        start = end;
    }
    return out;
}

int Exporter::writeSightingsCsv(const QString& path) const {
    const QString text = sightingsCsv();
    return writeText(path, text, rows_);
}

int Exporter::writeLifeListsCsv(const QString& path, const Options& areas) const {
    const QString text = lifeListsCsv(areas);
    return writeText(path, text, rows_);
}

}  // namespace wf
