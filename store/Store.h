// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "Types.h"

namespace SQLite {
class Database;
class Statement;
}  // namespace SQLite

namespace wf {

// The journal: one SQLite file holding the tables birds, topics, data,
// sighting and options. Every operation binds its values as parameters; text
// is compared without regard to letter case (the WFNOCASE collation of every
// text column). Failures raise AppError (err::DatabaseError and friends).
class Store {
  public:
    // 2: the side tables taxonomy and sighting_detail; 3: covering sighting
    // indexes and the text index; 4: eBird name choices and records waiting
    // for review (ebird_name_map, ebird_pending).
    static constexpr int kSchemaVersion = 7;
    static constexpr const char* kFileName = "aviary.mdb";

    // Opens an existing journal. The file is checked before SQLite touches
    // it; a file that is not a journal of this program, is damaged, locked or
    // unreadable raises AppError with a description a user can read, and is
    // left as it was.
    // With quickCheck, SQLite's quick_check runs before anything is written
    // (the options row a journal lacks included); a journal that fails it is
    // refused with AppError DatabaseDamaged and never changed.
    // A journal of an older format is first copied to the Backups folder
    // beside it ("before-migration") and then brought up to date, its birds'
    // taxonomy matched against the shipped world list; progress is told how
    // far that has come.
    static std::unique_ptr<Store> open(const QString& path, bool quickCheck = false,
                                       const std::function<void(int, int)>& progress = {});
    // "ok", or the first of quick_check's findings.
    static QString quickCheck(SQLite::Database& db);

    // Creates a new journal at path (which must not exist) with the world
    // list read from worldListCsv and the default options row. The file is
    // built under a temporary name and renamed into place when complete.
    static std::unique_ptr<Store> create(const QString& path, const QString& worldListCsv);

    // An empty journal in memory, for tests and tools.
    static std::unique_ptr<Store> createInMemory();

    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const QString& path() const { return path_; }

    // Subjects ---------------------------------------------------------------
    // The subject whose name equals name ignoring letter case (the first such
    // row when there are several).
    std::optional<qint64> findSubject(Category cat, const QString& name) const;
    qint64 addSubject(Category cat, const QString& name);
    qint64 findOrAddSubject(Category cat, const QString& name);
    std::optional<QString> subjectName(Category cat, qint64 id) const;
    // All subjects of a category by name (letter case ignored), then id.
    std::vector<Subject> subjects(Category cat) const;
    void renameSubject(Category cat, qint64 id, const QString& name);
    bool deleteSubject(Category cat, qint64 id);
    // How many articles, pictures, links and (of a bird) sightings it has.
    SubjectContents contentsOf(Category cat, qint64 id) const;
    // Moves every entry (and, of a bird, every sighting) of subject `from`
    // to subject `into` and deletes `from`, all in one transaction.
    void mergeSubjects(Category cat, qint64 from, qint64 into);

    // Entries ----------------------------------------------------------------
    std::optional<Entry> entry(qint64 id) const;
    // Entries of one subject by type, then title (letter case ignored), then id.
    std::vector<Entry> entriesOf(Category cat, qint64 subid) const;
    // The same without their text (an article's plain text begins, up to
    // 400 characters), read from the short columns only.
    std::vector<EntrySummary> entrySummaries(Category cat, qint64 subid) const;
    // Appends the row and returns its new id (entry.id is ignored).
    qint64 appendEntry(const Entry& entry);
    // Changes every column of the row entry.id; false when the row is gone.
    // An article's plain text, for searching, is kept with it on every write.
    bool updateEntry(const Entry& entry);
    bool deleteEntry(qint64 id);
    int deleteEntriesOf(Category cat, qint64 subid);

    // Sightings --------------------------------------------------------------
    qint64 appendSighting(const Sighting& sighting);
    std::optional<Sighting> sighting(qint64 id) const;
    // Rewrites the sighting with s.id in place; false when there is none.
    bool updateSighting(const Sighting& s);
    // One bird's sightings, newest date first.
    std::vector<Sighting> sightingsOf(qint64 birdid) const;
    // The ids of a bird's sightings in sightingsOf's order, read from an
    // index alone; and the sightings of some ids, in the order given (an id
    // no longer there is left out).
    std::vector<qint64> sightingIdsOf(qint64 birdid) const;
    std::vector<Sighting> sightingsWithIds(const std::vector<qint64>& ids) const;
    // The date and place of each of one bird's sightings, in no set order.
    std::vector<SightingPlace> sightingPlaces(qint64 birdid) const;
    // The most recently appended sighting.
    std::optional<Sighting> lastSighting() const;
    // The most recently appended sighting that no import brought in.
    std::optional<Sighting> lastTypedSighting() const;
    bool deleteSighting(qint64 id);
    int deleteSightingsOf(qint64 birdid);
    // What the sighting's record held beyond the journal's columns.
    std::optional<SightingDetail> sightingDetail(qint64 sightingId) const;

    // Taxonomy ---------------------------------------------------------------
    std::optional<Taxonomy> taxonomy(qint64 birdid) const;
    void setTaxonomy(qint64 birdid, const Taxonomy& taxonomy);
    // The bird whose scientific name equals name, ignoring letter case.
    std::optional<qint64> findBirdByScientificName(const QString& name) const;

    // The values used so far in one area column, sorted, each once.
    QStringList areaValues(Area area) const;

    // Trees, lists and searches ------------------------------------------
    // Every subject of the category that has an entry (of any type) or, for
    // birds, a sighting; by name (letter case ignored), then id.
    std::vector<TreeSubject> subjectTree(Category cat) const;
    // A category's entries by subject id, each subject's by type, then
    // title; their subject names left empty.
    std::unordered_map<qint64, std::vector<ListedEntry>> filedEntries(Category cat) const;
    // The same subjects, in the same order, without their entries.
    std::vector<SubjectHead> subjectHeads(Category cat) const;
    // One subject as subjectTree gives it; nothing when it has no entry and
    // no sighting.
    std::optional<TreeSubject> treeSubject(Category cat, qint64 id) const;
    // The entries of one type in a category whose subject exists, by subject
    // name, then id.
    std::vector<ListedEntry> entryList(Category cat, const QString& type) const;
    // Entries of the search's category whose field (subject name, title or an
    // article's plain text) contains the phrase, wildcards keeping their
    // meaning; by type, then title, then id.
    std::vector<ListedEntry> search(const CustomSearch& search) const;
    // Whether a text search may look its phrase up in the text index (on
    // by default); off, it reads every entry's text.
    void setTextIndexUsed(bool used) { textIndexUsed_ = used; }
    // How many entries a subject has.
    int entryCount(Category cat, qint64 subid) const;
    bool hasSightings(qint64 birdid) const;
    // Whether the journal holds a sighting at all.
    bool hasAnySighting() const;

    // Life lists -------------------------------------------------------------
    // Distinct species names seen in the area whose column equals place
    // (ignoring letter case); place is ignored for Area::World.
    int lifeListCount(Area area, const QString& place = {}) const;
    // Distinct (name, birdid) pairs, by name.
    std::vector<LifeListRow> lifeList(Area area, const QString& place = {}) const;

    // The years that have a dated sighting, newest first.
    std::vector<int> sightingYears() const;
    // Each species seen in the area (place ignored for World) with its first
    // sighting there: the earliest date, of one day the first entered, and
    // a sighting without a date only when the species has no dated one. In
    // the order first seen, those without a date last.
    std::vector<FirstSeen> firstSeen(Area area, const QString& place) const;
    // The species seen in the area in year and in month (1-12) of any
    // year; either may be 0 for any. By name, then id.
    std::vector<LifeListRow> speciesSeen(Area area, const QString& place, int year,
                                         int month) const;
    // Every bird's taxonomy, by bird id.
    std::vector<std::pair<qint64, Taxonomy>> taxonomies() const;

    // Pictures from the camera ---------------------------------------------
    void setPictureExif(qint64 dataid, const PictureExif& exif);
    std::optional<PictureExif> pictureExif(qint64 dataid) const;
    // Ties a picture entry to the sighting it shows, or to none.
    void tiePicture(qint64 dataid, std::optional<qint64> sightingId);
    std::optional<qint64> sightingOfPicture(qint64 dataid) const;
    // Each bird with a picture tied to one of its sightings (in the area),
    // at its first such sighting, in the order of those sightings.
    std::vector<FirstSeen> firstPhotographed(Area area, const QString& place) const;
    // A category's picture entries (without their text), in the order of the
    // All Images list: by subject name, then id.
    std::vector<Entry> picturesOf(Category cat) const;
    // The sightings a picture is tied to.
    std::unordered_set<qint64> photographedSightings() const;
    // The picture entries tied to a sighting, oldest first.
    std::vector<qint64> picturesOfSighting(qint64 sightingId) const;
    // The sightings of each of the days, in one read of the journal.
    std::map<QDate, std::vector<Sighting>> sightingsOnDays(const std::vector<QDate>& days) const;

    // Outings ---------------------------------------------------------------
    // Makes an outing of each eBird checklist (Submission ID) that has none
    // yet, and ties to it its sightings that have no outing; the number of
    // outings made. Importing again makes none twice.
    int outingsFromEbird();
    // Newest first, each with its species.
    std::vector<ListedOuting> outingList() const;
    // The years that have outings, newest first (0 for the undated), with
    // how many each has.
    std::vector<std::pair<int, int>> outingYears() const;
    // The outings of one year (0: the undated), newest first.
    std::vector<ListedOuting> outingsOfYear(int year) const;
    std::optional<Outing> outing(qint64 id) const;
    // In taxonomic order (names last, by name, for birds the world list
    // does not place).
    std::vector<OutingSpecies> outingSpecies(qint64 id) const;
    // The outing a sighting is tied to, if any.
    std::optional<qint64> outingOf(qint64 sightingId) const;
    // The outings of a day at a site (its name's letter case aside).
    std::vector<ListedOuting> outingsAt(QDate date, const QString& site) const;
    qint64 addOuting(const Outing& outing);
    // Ties a sighting to an outing, or to none.
    void setOutingOf(qint64 sightingId, std::optional<qint64> outingId);
    // One outing for each day and site of the dated sightings in no outing,
    // by date, then site.
    std::vector<ProposedOuting> proposedOutings() const;
    // Makes the outings chosen from proposedOutings() and ties to each the
    // sightings of its day and site that are in no outing, in one
    // transaction; the number of sightings tied.
    int groupIntoOutings(const std::vector<ProposedOuting>& chosen);
    // Deletes an outing and the entries filed under it, in one transaction;
    // its sightings stay, in no outing. Picture files stay in Images.
    void deleteOuting(qint64 id);
    // The outings dated from..to (both included), oldest first.
    std::vector<qint64> outingsBetween(QDate from, QDate to) const;
    // How many sightings an outing holds.
    int outingSightingCount(qint64 id) const;

    // Options ----------------------------------------------------------------
    Options options() const;
    void saveOptions(const Options& options);
    static Options defaultOptions();
    // The user's country aliases ("England" -> "United Kingdom"), by alias;
    // setCountryAliases replaces them all in one transaction.
    std::vector<std::pair<QString, QString>> countryAliases() const;
    void setCountryAliases(const std::vector<std::pair<QString, QString>>& aliases);

    // Counts and batches ----------------------------------------------------
    qint64 rowCount(const char* table) const;
    // Runs work inside one transaction: all of it is stored or none.
    void inTransaction(const std::function<void()>& work);
    // Hands back the memory of the pages read so far that nothing holds any
    // more (they are read from the file again when next needed), and the
    // heap they leave free to the system. For an idle window.
    void releaseMemory() const;
    // Bytes of the journal's pages kept in memory now.
    qint64 cachedBytes() const;

    // For the builders of this library.
    SQLite::Database& database() const { return *db_; }

    // The day's check of the journal, run beside the window (DailyCheck):
    // while it is Checking a save waits for it, however long it takes;
    // once Refused, nothing is written any more.
    enum class CheckState { None, Checking, Refused };
    void setCheckState(CheckState state) { checkState_ = int(state); }
    CheckState checkState() const { return CheckState(checkState_.load()); }
    // Refused: every write fails from now on (from any thread).
    void refuseWrites();

  private:
    Store(std::unique_ptr<SQLite::Database> db, QString path);
    // The ids of the birds with at least one sighting: one hop per bird along
    // the sighting index, none on a journal without sightings.
    std::unordered_set<qint64> sightedBirds() const;

    // Called by the engine while another connection holds the journal.
    static int busy(void* store, int tries);

    std::unique_ptr<SQLite::Database> db_;
    bool textIndexUsed_ = true;
    QString path_;
    std::atomic<int> checkState_{int(CheckState::None)};
};

// Appends many sightings quickly, each with what its record held beyond the
// journal's columns; its statements are prepared once. Use it inside
// Store::inTransaction.
class SightingWriter {
  public:
    explicit SightingWriter(Store& store);
    ~SightingWriter();
    SightingWriter(const SightingWriter&) = delete;
    SightingWriter& operator=(const SightingWriter&) = delete;

    // Returns the new sighting's id.
    qint64 append(const Sighting& sighting, const SightingDetail* detail = nullptr);

  private:
    struct Statements;
    Store& store_;
    std::unique_ptr<Statements> q_;
};

// The columns of sighting_detail after sightingid (ebird_pending has them
// too), and the detail's fields in their order.
extern const char* const kSightingDetailColumns;
std::array<QString SightingDetail::*, 24> detailFields();

// Column name of an area in table sighting ("region", ...); empty for World.
const char* areaColumn(Area area);

}  // namespace wf
