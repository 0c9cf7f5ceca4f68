// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QtGlobal>
#include <vector>

namespace wf {

// Subjects of category 1 live in table birds, of category 2 in table topics.
// What an entry is filed under, as data.catid holds it.
enum class Category { Birds = 1, Topics = 2, Outings = 3 };

// The category a data.catid names; a value no category has reads as Topics.
inline Category categoryOf(int catid) {
    return catid == 1 ? Category::Birds : catid == 3 ? Category::Outings : Category::Topics;
}

// The three kinds of entry, as data.type holds them.
inline const QString kArticle = QStringLiteral("Article");
inline const QString kImage = QStringLiteral("Image");
inline const QString kLink = QStringLiteral("Link");

struct Subject {
    qint64 id = 0;
    QString name;
    bool operator==(const Subject&) const = default;
};

struct Entry {
    qint64 id = 0;
    int catid = 1;
    qint64 subid = 0;
    QString type;
    QString title;
    QString caption;  // an article's text as RTF; empty for pictures and links
    QString fname;    // a picture's file name, a link's address, " " for an article
    bool operator==(const Entry&) const = default;
};

struct Sighting {
    qint64 id = 0;
    qint64 birdid = 0;
    QDate date;
    QTime time;  // null when the sighting has no time of day
    QString type;
    QString site;
    QString district;
    QString state;
    QString country;
    QString region;
    QString notes;
    // How many were seen: a number, "X" for present (as eBird writes it),
    // or empty. Kept beside the sighting, in sighting_detail.
    QString count;
    // Where, in decimal degrees, as typed or as eBird gives it; empty when
    // unknown. Kept beside the sighting too.
    QString latitude;
    QString longitude;
    bool operator==(const Sighting&) const = default;
};

// What a subject holds, for the question before it is deleted.
struct SubjectContents {
    int articles = 0;
    int pictures = 0;
    int links = 0;
    int sightings = 0;
    bool empty() const { return articles + pictures + links + sightings == 0; }
};

// Where a species stands in the world list.
struct Taxonomy {
    QString scientificName;
    qint64 taxonOrder = 0;  // 0 when unknown
    QString order;
    QString family;
    QString familyEnglish;
    bool operator==(const Taxonomy&) const = default;
};

// What a sighting's record held beyond the journal's columns, exactly as
// read (an eBird record's fields, all as text).
struct SightingDetail {
    QString source;  // "eBird"
    QString submissionId;
    QString commonName;
    QString scientificName;
    QString taxonomicOrder;
    QString count;
    QString stateCode;
    QString county;
    QString locationId;
    QString location;
    QString latitude;
    QString longitude;
    QString date;
    QString time;
    QString protocol;
    QString durationMin;
    QString allObsReported;
    QString distanceKm;
    QString areaHa;
    QString observers;
    QString breedingCode;
    QString observationDetails;
    QString checklistComments;
    QString mlCatalog;
    bool operator==(const SightingDetail&) const = default;
};

// An entry as the tree and the lists show it.
struct ListedEntry {
    qint64 id = 0;
    QString type;
    QString subject;  // the subject's name
    QString title;
    bool operator==(const ListedEntry&) const = default;
};

// An entry without its text: what a subject's page lists.
struct EntrySummary {
    qint64 id = 0;
    QString type;
    QString title;
    QString fname;
    QString textStart;  // the start of an article's plain text
};

// A subject of the tree with what is filed under it.
struct TreeSubject {
    qint64 id = 0;
    QString name;
    bool hasSightings = false;
    std::vector<ListedEntry> entries;  // by type, then title
};

// A subject of the tree without what hangs under it.
struct SubjectHead {
    qint64 id = 0;
    QString name;
    bool hasChildren = false;  // sightings, or an article, image or link
};

struct Options {
    QString search;
    QString home;
    QString region;
    QString country;
    QString state;
    QString district;
    bool operator==(const Options&) const = default;
};

// The areas of the life lists; World has no place condition.
enum class Area { World, Region, Country, State, District };

// A species and the sighting that first showed it (in some area or time).
// Where and when one sighting was made.
struct SightingPlace {
    qint64 id = 0;
    QDate date;  // null for a sighting without a date
    QString site;
};

struct FirstSeen {
    qint64 birdid = 0;
    QString name;
    qint64 sightingId = 0;
    QDate date;  // null for a sighting without a date
    QString site;
    bool operator==(const FirstSeen&) const = default;
};

// A visit: a morning at a reservoir, a checklist of eBird. Kept beside the
// sightings, which are tied to it.
struct Outing {
    qint64 id = 0;
    QDate date;
    QString startTime;    // "07:15", or empty
    QString durationMin;  // minutes, as given
    QString site;
    QString district;
    QString state;
    QString country;
    QString region;
    QString latitude;
    QString longitude;
    QString protocol;
    QString observers;
    QString allReported;  // "1" when every species seen was reported
    QString distanceKm;
    QString areaHa;
    QString notes;
    QString submissionId;  // eBird's checklist, or empty
    bool operator==(const Outing&) const = default;
};

// An outing as its list shows it.
struct ListedOuting {
    qint64 id = 0;
    QDate date;
    QString site;
    int species = 0;
};

// What a picture's file said of itself when it was imported (its EXIF).
struct PictureExif {
    QDateTime taken;   // as the camera's clock had it; invalid when not said
    QString latitude;  // decimal degrees, or empty
    QString longitude;
    QString camera;  // make and model
    QString lens;
    int orientation = 1;   // EXIF orientation, 1 (upright) to 8
    QString originalName;  // the file's name before import
    bool operator==(const PictureExif&) const = default;
};

// An outing "Group Into Outings" proposes: the sightings of a day at a site
// (its name's letter case aside) that are in no outing.
struct ProposedOuting {
    QDate date;
    QString site;
    QString district;
    QString state;
    QString country;
    QString region;
    int sightings = 0;
    int species = 0;
};

// A species of an outing: its sightings' counts added up, and whether the
// outing holds the bird's first sighting ever (a lifer) or of its year.
struct OutingSpecies {
    qint64 birdid = 0;
    QString name;
    int taxonOrder = 0;  // 0 when the world list does not place it
    int sightings = 0;
    int count = 0;         // the numbers counted
    bool present = false;  // some sighting counted "X"
    bool lifer = false;
    bool yearFirst = false;
};

// The order in which sightings were first seen: dated before undated, then
// by date, of one day the one entered first.
inline bool seenBefore(const FirstSeen& a, const FirstSeen& b) {
    if (a.date.isValid() != b.date.isValid()) {
        return a.date.isValid();
    }
    return a.date != b.date ? a.date < b.date : a.sightingId < b.sightingId;
}

// One species of a life list.
struct LifeListRow {
    qint64 birdid = 0;
    QString name;
    bool operator==(const LifeListRow&) const = default;
};

}  // namespace wf

namespace wf {

// A custom search as the search dialog leaves it: which field, what phrase,
// which category. Empty when the dialog was cancelled.
struct CustomSearch {
    QString field;
    QString phrase;
    Category category = Category::Birds;
    bool isEmpty() const { return field.isEmpty(); }
    bool operator==(const CustomSearch&) const = default;
};

}  // namespace wf
