// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "Types.h"

namespace SQLite {
class Statement;
}

namespace wf {

class IsoCodes;
class SightingWriter;
class Store;

// A name as eBird records are matched by it: letter case, accents, hyphens,
// apostrophes, blanks and a trailing group in brackets ("Yellow Warbler
// (Northern)", "[aestiva Group]") make no difference.
QString ebirdNameKey(const QString& name);

// The country code of an eBird record ("US" of "US-NY").
QString ebirdCountry(const SightingDetail& record);

// Which bird an eBird record goes under. A record is filed under a bird only
// when its scientific name and its English name both match that bird, or
// when the user has chosen a bird for that pair of names before (for the
// record's country, or for any). Anything else waits for the user's review
// in ebird_pending: it is no sighting and in no life list until then.
class EbirdNames {
  public:
    EbirdNames(Store& store, const IsoCodes& codes);
    ~EbirdNames();
    EbirdNames(const EbirdNames&) = delete;
    EbirdNames& operator=(const EbirdNames&) = delete;

    // Reads the birds and the choices made (once, before an import).
    void load();
    std::optional<qint64> resolve(const SightingDetail& record) const;
    // Whether the user has chosen a bird for any pair of names.
    bool hasChoices() const { return !chosen_.empty(); }
    // The same for a record whose names' key (pairKey) is known already.
    std::optional<qint64> resolve(const QString& pair, const QString& country) const;
    // "name key \x1f scientific key" of a record's species names.
    static QString pairKey(const QString& common, const QString& scientific);

    // The sighting a record makes under a bird: its place named from the
    // record's codes, its group and details as notes.
    Sighting sightingOf(const SightingDetail& record, qint64 birdid) const;
    // The same when the group its names were filed under is known.
    Sighting sightingOf(const SightingDetail& record, qint64 birdid, const QString& group) const;
    // Files a record (whose source is "eBird") as a sighting, within the
    // caller's transaction.
    qint64 file(const SightingDetail& record, qint64 birdid);
    qint64 file(const SightingDetail& record, qint64 birdid, const QString& group);
    // Keeps a record for review (within the caller's transaction).
    void keepWaiting(const SightingDetail& record, int line);

    // Review -----------------------------------------------------------
    // One pair of names whose records wait.
    struct Waiting {
        QString common;
        QString scientific;
        int records = 0;
        int places = 0;
        QDate first;
        QDate last;
        QStringList countries;  // the records' country codes, sorted
    };
    // Every waiting pair, the most records first.
    std::vector<Waiting> waiting() const;
    int waitingRecords() const;

    struct Suggestion {
        qint64 birdid = 0;
        QString name;
        QString scientific;
        QString family;
        QString why;  // "same scientific name", ...
    };
    // The birds a pair of names may mean: the same scientific name, the
    // same English name, the same epithet in another genus, English names
    // sharing words (the most words first); each bird once, at most count.
    std::vector<Suggestion> suggestions(const QString& common, const QString& scientific,
                                        int count = 8) const;

    // Files the pair's waiting records (of one country, or all) under the
    // bird and keeps the choice for later imports. Returns the records
    // filed. All in one transaction.
    int fileUnder(const QString& common, const QString& scientific, qint64 birdid,
                  const QString& country = {});
    // Records in these countries under one bird, the rest under another.
    int splitByCountry(const QString& common, const QString& scientific,
                       const QStringList& countries, qint64 inThese, qint64 elsewhere);
    // Adds the pair as a new bird of the world list and files its records.
    qint64 addAsNewBird(const QString& common, const QString& scientific);

    // A choice made, as listed afterwards.
    struct Choice {
        QString common;
        QString scientific;
        QString country;  // empty: any
        qint64 birdid = 0;
        QString birdName;
        int sightings = 0;  // the sightings it filed
    };
    std::vector<Choice> choices() const;
    // Changes a choice to another bird: the sightings it covered move too.
    // Returns how many moved.
    int changeChoice(const Choice& choice, qint64 birdid);

  private:
    void remember(const QString& common, const QString& scientific, const QString& country,
                  qint64 birdid);
    int fileWaiting(const QString& common, const QString& scientific, qint64 birdid,
                    const std::function<bool(const QString& country)>& take);

    Store& store_;
    const IsoCodes& codes_;
    // Prepared once, for the many records of an import.
    std::unique_ptr<SightingWriter> writer_;
    std::unique_ptr<SQLite::Statement> keep_;
    std::unordered_map<QString, qint64> byBothNames_;  // name key \x1f scientific key
    std::unordered_map<QString, qint64> chosen_;       // ... \x1f country
    mutable std::unordered_map<QString, std::array<QString, 3>> places_;
};

}  // namespace wf
