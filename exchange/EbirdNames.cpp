// SPDX-License-Identifier: GPL-3.0-or-later
#include "EbirdNames.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <QSet>
#include <algorithm>
#include <map>
#include <set>

#include "AppError.h"
#include "Ebird.h"
#include "IsoCodes.h"
#include "Store.h"
#include "Tr.h"

namespace wf {

namespace {

QString text(const SQLite::Column& c) {
    return QString::fromUtf8(c.getText(), c.getBytes());
}

std::string utf8(const QString& s) {
    return s.toStdString();
}

QStringList words(const QString& name) {
    QStringList out;
    for (const QString& w : name.toCaseFolded().split(u' ', Qt::SkipEmptyParts)) {
        out << ebirdNameKey(w);
    }
    return out;
}

}  // namespace

QString ebirdNameKey(const QString& name) {
    QString n = name.trimmed();
    // A trailing group in brackets, perhaps more than one.
    for (;;) {
        const QChar close = n.isEmpty() ? QChar() : n.back();
        const QChar open = close == u')' ? u'(' : close == u']' ? u'[' : QChar();
        const qsizetype at = open.isNull() ? -1 : n.lastIndexOf(open);
        if (at <= 0) {
            break;
        }
        n = n.left(at).trimmed();
    }
    // Accents come apart from their letters (and are then left out); a name
    // of plain ASCII has none.
    const bool ascii = std::all_of(n.begin(), n.end(), [](QChar c) { return c.unicode() < 0x80; });
    const QString decomposed = ascii ? n : n.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.unicode() < 0x80) {
            if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')) {
                out += c;
            } else if (c >= u'A' && c <= u'Z') {
                out += QChar(c.unicode() + 32);
            }
        } else if (c.isLetterOrNumber()) {
            out += c.toCaseFolded();
        }
    }
    return out;
}

QString ebirdCountry(const SightingDetail& record) {
    return record.stateCode.trimmed().toUpper().section(u'-', 0, 0);
}

EbirdNames::EbirdNames(Store& store, const IsoCodes& codes) : store_(store), codes_(codes) {}

EbirdNames::~EbirdNames() = default;

QString EbirdNames::pairKey(const QString& common, const QString& scientific) {
    return ebirdNameKey(common) + u'\x1f' + ebirdNameKey(scientific);
}

void EbirdNames::load() {
    byBothNames_.clear();
    chosen_.clear();
    SQLite::Database& db = store_.database();
    SQLite::Statement q(db,
                        "SELECT b.id, b.name, t.scientific_name FROM birds b "
                        "JOIN taxonomy t ON t.birdid = b.id ORDER BY b.id");
    while (q.executeStep()) {
        byBothNames_.emplace(pairKey(text(q.getColumn(1)), text(q.getColumn(2))),
                             q.getColumn(0).getInt64());
    }
    SQLite::Statement m(db,
                        "SELECT common_key, scientific_key, country, birdid FROM ebird_name_map");
    while (m.executeStep()) {
        chosen_[text(m.getColumn(0)) + u'\x1f' + text(m.getColumn(1)) + u'\x1f' +
                text(m.getColumn(2))] = m.getColumn(3).getInt64();
    }
}

std::optional<qint64> EbirdNames::resolve(const SightingDetail& record) const {
    const ebird::Taxon taxon = ebird::classify(record.commonName, record.scientificName);
    return resolve(pairKey(taxon.common, taxon.scientific), ebirdCountry(record));
}

std::optional<qint64> EbirdNames::resolve(const QString& pair, const QString& recordCountry) const {
    // The user's choice for the record's country, then for any country.
    for (const QString& country : {recordCountry, QString()}) {
        if (const auto it = chosen_.find(pair + u'\x1f' + country); it != chosen_.end()) {
            return it->second;
        }
    }
    if (const auto it = byBothNames_.find(pair); it != byBothNames_.end()) {
        return it->second;
    }
    return std::nullopt;
}

Sighting EbirdNames::sightingOf(const SightingDetail& d, qint64 birdid) const {
    return sightingOf(d, birdid, ebird::classify(d.commonName, d.scientificName).group);
}

Sighting EbirdNames::sightingOf(const SightingDetail& d, qint64 birdid,
                                const QString& group) const {
    // The names of a place code, looked up once per code.
    auto place = places_.find(d.stateCode);
    if (place == places_.end()) {
        const QString code = d.stateCode.trimmed().toUpper();
        const QString country = code.section(u'-', 0, 0);
        const QString subdivision = code.section(u'-', 1);
        place = places_
                    .emplace(d.stateCode,
                             std::array<QString, 3>{
                                 subdivision.isEmpty() ? QString() : codes_.subdivisionName(code),
                                 country.isEmpty() ? QString() : codes_.countryName(country),
                                 codes_.continent(country)})
                    .first;
    }
    Sighting s;
    s.birdid = birdid;
    s.date = ebird::parseDate(d.date);
    s.time = ebird::parseTime(d.time);
    s.site = d.location;
    s.district = d.county;
    s.state = place->second[0];
    s.country = place->second[1];
    s.region = place->second[2];
    s.notes = ebird::notes(group, d.observationDetails);
    return s;
}

qint64 EbirdNames::file(const SightingDetail& record, qint64 birdid) {
    return file(record, birdid, ebird::classify(record.commonName, record.scientificName).group);
}

qint64 EbirdNames::file(const SightingDetail& record, qint64 birdid, const QString& group) {
    if (!writer_) {
        writer_ = std::make_unique<SightingWriter>(store_);
    }
    return writer_->append(sightingOf(record, birdid, group), &record);
}

void EbirdNames::keepWaiting(const SightingDetail& record, int line) {
    if (!keep_) {
        keep_ = std::make_unique<SQLite::Statement>(
            store_.database(),
            std::string("INSERT INTO ebird_pending (line, ") + kSightingDetailColumns +
                ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                "?, ?)");
    }
    SQLite::Statement& q = *keep_;
    q.bind(1, line);
    int i = 2;
    for (QString SightingDetail::*f : detailFields()) {
        q.bind(i++, utf8(f == &SightingDetail::source ? QStringLiteral("eBird") : record.*f));
    }
    q.exec();
    q.reset();
}

std::vector<EbirdNames::Waiting> EbirdNames::waiting() const {
    std::vector<Waiting> out;
    SQLite::Statement q(store_.database(),
                        "SELECT common_name, scientific_name, count(*), count(DISTINCT location), "
                        "min(date), max(date), group_concat(DISTINCT upper(substr(state_code, 1, "
                        "instr(state_code || '-', '-') - 1))) FROM ebird_pending "
                        "GROUP BY common_name, scientific_name ORDER BY count(*) DESC, "
                        "common_name");
    while (q.executeStep()) {
        Waiting w;
        w.common = text(q.getColumn(0));
        w.scientific = text(q.getColumn(1));
        w.records = q.getColumn(2).getInt();
        w.places = q.getColumn(3).getInt();
        w.first = ebird::parseDate(text(q.getColumn(4)));
        w.last = ebird::parseDate(text(q.getColumn(5)));
        w.countries = text(q.getColumn(6)).split(u',', Qt::SkipEmptyParts);
        w.countries.sort();
        out.push_back(std::move(w));
    }
    return out;
}

int EbirdNames::waitingRecords() const {
    return store_.database().execAndGet("SELECT count(*) FROM ebird_pending").getInt();
}

std::vector<EbirdNames::Suggestion> EbirdNames::suggestions(const QString& common,
                                                            const QString& scientific,
                                                            int count) const {
    const ebird::Taxon taxon = ebird::classify(common, scientific);
    const QString commonKey = ebirdNameKey(taxon.common);
    const QString sciKey = ebirdNameKey(taxon.scientific);
    const QStringList sciParts = taxon.scientific.simplified().split(u' ');
    const QString epithet = sciParts.size() >= 2 ? ebirdNameKey(sciParts[1]) : QString();
    const QStringList commonWords = words(taxon.common);
    struct Scored {
        int rank;    // 0 best
        int shared;  // words shared, for rank 3
        qint64 order;
        Suggestion s;
    };
    std::vector<Scored> found;
    SQLite::Statement q(store_.database(),
                        "SELECT b.id, b.name, coalesce(t.scientific_name, ''), "
                        "coalesce(t.family, ''), coalesce(t.taxon_order, 0) FROM birds b "
                        "LEFT JOIN taxonomy t ON t.birdid = b.id");
    while (q.executeStep()) {
        const QString name = text(q.getColumn(1));
        const QString sci = text(q.getColumn(2));
        Scored sc{4,
                  0,
                  q.getColumn(4).getInt64(),
                  {q.getColumn(0).getInt64(), name, sci, text(q.getColumn(3)), {}}};
        if (!sciKey.isEmpty() && ebirdNameKey(sci) == sciKey) {
            sc.rank = 0;
            sc.s.why = wf::tr("same scientific name");
        } else if (ebirdNameKey(name) == commonKey) {
            sc.rank = 1;
            sc.s.why = wf::tr("same English name");
        } else if (!epithet.isEmpty() && sci.contains(u' ') &&
                   ebirdNameKey(sci.section(u' ', 1, 1)) == epithet) {
            sc.rank = 2;
            sc.s.why = wf::tr("same epithet in another genus");
        } else {
            const QStringList theirs = words(name);
            for (const QString& w : commonWords) {
                sc.shared += theirs.contains(w) ? 1 : 0;
            }
            if (sc.shared == 0) {
                continue;
            }
            sc.rank = 3;
            sc.s.why = wf::tr("English name shares %1 of its words").arg(sc.shared);
        }
        found.push_back(std::move(sc));
    }
    std::sort(found.begin(), found.end(), [](const Scored& a, const Scored& b) {
        if (a.rank != b.rank) {
            return a.rank < b.rank;
        }
        if (a.shared != b.shared) {
            return a.shared > b.shared;
        }
        return a.order < b.order;
    });
    std::vector<Suggestion> out;
    for (const Scored& sc : found) {
        if (int(out.size()) == count) {
            break;
        }
        out.push_back(sc.s);
    }
    return out;
}

void EbirdNames::remember(const QString& common, const QString& scientific, const QString& country,
                          qint64 birdid) {
    const ebird::Taxon taxon = ebird::classify(common, scientific);
    SQLite::Statement q(store_.database(),
                        "INSERT OR REPLACE INTO ebird_name_map (common_key, scientific_key, "
                        "country, birdid, common_name, scientific_name) VALUES (?, ?, ?, ?, ?, ?)");
    q.bind(1, utf8(ebirdNameKey(taxon.common)));
    q.bind(2, utf8(ebirdNameKey(taxon.scientific)));
    q.bind(3, utf8(country));
    q.bind(4, static_cast<int64_t>(birdid));
    q.bind(5, utf8(common));
    q.bind(6, utf8(scientific));
    q.exec();
    chosen_[pairKey(taxon.common, taxon.scientific) + u'\x1f' + country] = birdid;
}

int EbirdNames::fileWaiting(const QString& common, const QString& scientific, qint64 birdid,
                            const std::function<bool(const QString&)>& take) {
    SQLite::Database& db = store_.database();
    SQLite::Statement q(db, std::string("SELECT id, ") + kSightingDetailColumns +
                                " FROM ebird_pending WHERE common_name = ? AND "
                                "scientific_name = ? ORDER BY id");
    q.bind(1, utf8(common));
    q.bind(2, utf8(scientific));
    std::vector<std::pair<qint64, SightingDetail>> records;
    while (q.executeStep()) {
        SightingDetail d;
        int i = 1;
        for (QString SightingDetail::*f : detailFields()) {
            d.*f = text(q.getColumn(i++));
        }
        records.emplace_back(q.getColumn(0).getInt64(), std::move(d));
    }
    SQLite::Statement gone(db, "DELETE FROM ebird_pending WHERE id = ?");
    int filed = 0;
    for (const auto& [id, d] : records) {
        if (!take(ebirdCountry(d))) {
            continue;
        }
        file(d, birdid);
        gone.bind(1, static_cast<int64_t>(id));
        gone.exec();
        gone.reset();
        ++filed;
    }
    if (filed > 0) {
        store_.outingsFromEbird();  // their checklists' outings, made or joined
    }
    return filed;
}

int EbirdNames::fileUnder(const QString& common, const QString& scientific, qint64 birdid,
                          const QString& country) {
    int filed = 0;
    store_.inTransaction([&] {
        remember(common, scientific, country, birdid);
        filed = fileWaiting(common, scientific, birdid,
                            [&](const QString& c) { return country.isEmpty() || c == country; });
    });
    return filed;
}

int EbirdNames::splitByCountry(const QString& common, const QString& scientific,
                               const QStringList& countries, qint64 inThese, qint64 elsewhere) {
    int filed = 0;
    store_.inTransaction([&] {
        for (const QString& c : countries) {
            remember(common, scientific, c.toUpper(), inThese);
        }
        remember(common, scientific, QString(), elsewhere);
        filed = fileWaiting(common, scientific, inThese, [&](const QString& c) {
            return countries.contains(c, Qt::CaseInsensitive);
        });
        filed += fileWaiting(common, scientific, elsewhere, [](const QString&) { return true; });
    });
    return filed;
}

qint64 EbirdNames::addAsNewBird(const QString& common, const QString& scientific) {
    const ebird::Taxon taxon = ebird::classify(common, scientific);
    qint64 birdid = 0;
    store_.inTransaction([&] {
        birdid = store_.addSubject(Category::Birds, taxon.common);
        store_.setTaxonomy(birdid, Taxonomy{taxon.scientific, 0, {}, {}, {}});
        remember(common, scientific, QString(), birdid);
        fileWaiting(common, scientific, birdid, [](const QString&) { return true; });
    });
    return birdid;
}

std::vector<EbirdNames::Choice> EbirdNames::choices() const {
    std::vector<Choice> out;
    SQLite::Statement q(store_.database(),
                        "SELECT m.common_name, m.scientific_name, m.country, m.birdid, b.name, "
                        "m.common_key, m.scientific_key FROM ebird_name_map m JOIN birds b ON "
                        "b.id = m.birdid ORDER BY m.common_name, m.country");
    // The sightings each choice covers: the records of its names (and
    // country) filed under its bird.
    SQLite::Statement covered(store_.database(),
                              "SELECT d.common_name, d.scientific_name, d.state_code FROM "
                              "sighting_detail d JOIN sighting s ON s.id = d.sightingid WHERE "
                              "d.source = 'eBird' AND s.birdid = ?");
    while (q.executeStep()) {
        Choice c{text(q.getColumn(0)),      text(q.getColumn(1)), text(q.getColumn(2)),
                 q.getColumn(3).getInt64(), text(q.getColumn(4)), 0};
        const QString key = text(q.getColumn(5)) + u'\x1f' + text(q.getColumn(6));
        covered.bind(1, static_cast<int64_t>(c.birdid));
        while (covered.executeStep()) {
            SightingDetail d;
            d.commonName = text(covered.getColumn(0));
            d.scientificName = text(covered.getColumn(1));
            d.stateCode = text(covered.getColumn(2));
            const ebird::Taxon t = ebird::classify(d.commonName, d.scientificName);
            if (pairKey(t.common, t.scientific) == key &&
                (c.country.isEmpty() || ebirdCountry(d) == c.country)) {
                ++c.sightings;
            }
        }
        covered.reset();
        out.push_back(std::move(c));
    }
    return out;
}

int EbirdNames::changeChoice(const Choice& choice, qint64 birdid) {
    load();
    int moved = 0;
    store_.inTransaction([&] {
        const ebird::Taxon taxon = ebird::classify(choice.common, choice.scientific);
        const QString key = pairKey(taxon.common, taxon.scientific);
        // The countries other choices of these names keep for themselves.
        std::set<QString> ownCountries;
        for (const auto& [k, id] : chosen_) {
            (void)id;
            if (k.startsWith(key + u'\x1f')) {
                const QString c = k.mid(key.size() + 1);
                if (!c.isEmpty() && c != choice.country) {
                    ownCountries.insert(c);
                }
            }
        }
        SQLite::Database& db = store_.database();
        SQLite::Statement q(db,
                            "SELECT s.id, d.common_name, d.scientific_name, d.state_code FROM "
                            "sighting s JOIN sighting_detail d ON d.sightingid = s.id WHERE "
                            "d.source = 'eBird' AND s.birdid = ?");
        q.bind(1, static_cast<int64_t>(choice.birdid));
        std::vector<qint64> ids;
        while (q.executeStep()) {
            SightingDetail d;
            d.commonName = text(q.getColumn(1));
            d.scientificName = text(q.getColumn(2));
            d.stateCode = text(q.getColumn(3));
            const ebird::Taxon t = ebird::classify(d.commonName, d.scientificName);
            const QString country = ebirdCountry(d);
            const bool mine = choice.country.isEmpty() ? ownCountries.count(country) == 0
                                                       : country == choice.country;
            if (pairKey(t.common, t.scientific) == key && mine) {
                ids.push_back(q.getColumn(0).getInt64());
            }
        }
        SQLite::Statement move(db, "UPDATE sighting SET birdid = ? WHERE id = ?");
        for (const qint64 id : ids) {
            move.bind(1, static_cast<int64_t>(birdid));
            move.bind(2, static_cast<int64_t>(id));
            move.exec();
            move.reset();
        }
        moved = int(ids.size());
        remember(choice.common, choice.scientific, choice.country, birdid);
    });
    return moved;
}

}  // namespace wf
