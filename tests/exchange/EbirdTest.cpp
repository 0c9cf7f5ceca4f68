// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include "AppError.h"
#include "Ebird.h"
#include "EbirdFiles.h"
#include "EbirdImport.h"
#include "EbirdNames.h"
#include "IsoCodes.h"
#include "Resources.h"
#include "Store.h"
#include "TempDir.h"

namespace wf {
namespace {

using test::TempDir;

TEST(EbirdNames, EachRecordIsOneSpeciesOrSkippedByKind) {
    using ebird::Kind;
    struct Case {
        const char* common;
        const char* scientific;
        Kind kind;
        const char* species;
        const char* binomial;
        const char* group;
    };
    const Case cases[] = {
        {"Mallard", "Anas platyrhynchos", Kind::Species, "Mallard", "Anas platyrhynchos", ""},
        {"Northern Flicker (Yellow-shafted)", "Colaptes auratus [auratus Group]", Kind::Species,
         "Northern Flicker", "Colaptes auratus", "(Yellow-shafted)"},
        // An intergrade between two groups is still the species.
        {"Northern Flicker (Yellow-shafted x Red-shafted)", "Colaptes auratus luteus x cafer",
         Kind::Species, "Northern Flicker", "Colaptes auratus", "(Yellow-shafted x Red-shafted)"},
        {"Red-tailed Hawk (abieticola/borealis)", "Buteo jamaicensis abieticola/borealis",
         Kind::Species, "Red-tailed Hawk", "Buteo jamaicensis", "(abieticola/borealis)"},
        {"Song Sparrow", "Melospiza melodia melodia", Kind::Species, "Song Sparrow",
         "Melospiza melodia", "melodia"},
        {"duck sp.", "Anatidae sp.", Kind::Spuh, "", "", ""},
        {"Accipiter sp.", "Accipiter sp.", Kind::Spuh, "", "", ""},
        {"Greater/Lesser Scaup", "Aythya marila/affinis", Kind::Slash, "", "", ""},
        {"Mallard x American Black Duck (hybrid)", "Anas platyrhynchos x rubripes", Kind::Hybrid,
         "", "", ""},
        {"Mallard (Domestic type)", "Anas platyrhynchos (Domestic type)", Kind::Domestic, "", "",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.common);
        const ebird::Taxon t =
            ebird::classify(QString::fromUtf8(c.common), QString::fromUtf8(c.scientific));
        EXPECT_EQ(t.kind, c.kind);
        if (c.kind == Kind::Species) {
            EXPECT_EQ(t.common, QString::fromUtf8(c.species));
            EXPECT_EQ(t.scientific, QString::fromUtf8(c.binomial));
            EXPECT_EQ(t.group, QString::fromUtf8(c.group));
        }
    }
}

TEST(EbirdNames, DatesTimesAndEffortAsTheFormatsWriteThem) {
    EXPECT_EQ(ebird::parseDate(QStringLiteral("2024-03-21")), QDate(2024, 3, 21));
    EXPECT_FALSE(ebird::parseDate(QStringLiteral("21/03/2024")).isValid());
    EXPECT_FALSE(ebird::parseDate(QStringLiteral("2024-02-30")).isValid());
    EXPECT_EQ(ebird::parseTime(QStringLiteral("07:15 AM")), QTime(7, 15));
    EXPECT_EQ(ebird::parseTime(QStringLiteral("12:05 AM")), QTime(0, 5));
    EXPECT_EQ(ebird::parseTime(QStringLiteral("8:05 pm")), QTime(20, 5));
    EXPECT_EQ(ebird::parseTime(QStringLiteral("19:40")), QTime(19, 40));
    EXPECT_FALSE(ebird::parseTime(QStringLiteral("dawn")).isValid());
    EXPECT_EQ(ebird::kmToMiles(QStringLiteral("1.609344")), QStringLiteral("1"));
    EXPECT_EQ(ebird::kmToMiles(QStringLiteral("2.5")), QStringLiteral("1.553"));
    EXPECT_EQ(ebird::hectaresToAcres(QStringLiteral("1.5")), QStringLiteral("3.707"));
    EXPECT_EQ(ebird::kmToMiles(QString()), QString());
    EXPECT_EQ(ebird::uploadProtocol(QStringLiteral("eBird - Traveling Count")),
              QStringLiteral("Traveling"));
    EXPECT_EQ(ebird::uploadProtocol(QStringLiteral("Nocturnal Flight Call Count")),
              QStringLiteral("Nocturnal Flight Call Count"));
}

TEST(IsoCodesTest, NamesAndCodesBothWays) {
    const IsoCodes& iso = IsoCodes::system();
    ASSERT_TRUE(iso.hasNames()) << "Debian's iso-codes is needed";
    EXPECT_EQ(iso.countryName(QStringLiteral("US")), QStringLiteral("United States"));
    EXPECT_EQ(iso.countryName(QStringLiteral("BO")), QStringLiteral("Bolivia"));
    EXPECT_EQ(iso.subdivisionName(QStringLiteral("US-NC")), QStringLiteral("North Carolina"));
    EXPECT_EQ(iso.subdivisionName(QStringLiteral("GB-ENG")), QStringLiteral("England"));
    EXPECT_EQ(iso.continent(QStringLiteral("US")), QStringLiteral("North America"));
    EXPECT_EQ(iso.continent(QStringLiteral("PE")), QStringLiteral("South America"));
    EXPECT_EQ(iso.continent(QStringLiteral("JP")), QStringLiteral("Asia"));
    EXPECT_EQ(iso.countryCode(QStringLiteral("united states of america")), QStringLiteral("US"));
    EXPECT_EQ(iso.countryCode(QStringLiteral("Bolivia")), QStringLiteral("BO"));
    EXPECT_EQ(iso.subdivisionCode(QStringLiteral("US"), QStringLiteral("north carolina")),
              QStringLiteral("US-NC"));
    // A code the files do not know is its own name, and comes back.
    EXPECT_EQ(iso.subdivisionName(QStringLiteral("US-ZZ")), QStringLiteral("US-ZZ"));
    EXPECT_EQ(iso.subdivisionCode(QStringLiteral("US"), QStringLiteral("US-ZZ")),
              QStringLiteral("US-ZZ"));
    EXPECT_EQ(iso.countryCode(QStringLiteral("Atlantis")), QString());
}

class EbirdImportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        store = Store::create(dir.file(QStringLiteral("aviary.mdb")), worldListPath());
    }
    qint64 birdId(const char* name) { return *store->findSubject(Category::Birds, name); }
    std::vector<Sighting> of(const char* name) { return store->sightingsOf(birdId(name)); }

    TempDir dir;
    std::unique_ptr<Store> store;
};

TEST_F(EbirdImportTest, EachSpeciesRecordBecomesASightingWithNothingLost) {
    const QString path =
        test::writeFile(dir, QStringLiteral("MyEBirdData.csv"), test::myEbirdData());
    EbirdImport import(path, IsoCodes::system());
    EXPECT_EQ(import.rowCount(), 10);
    const EbirdImportResult r = import.run(*store);
    EXPECT_EQ(r.rowsRead, 10);
    EXPECT_EQ(r.added, 4);
    EXPECT_EQ(r.alreadyPresent, 0);
    // An old genus and a species the world list lacks wait for review.
    EXPECT_EQ(r.waiting, 2);
    EXPECT_EQ(r.waitingNames, 2);
    const std::map<QString, int> kinds{{QStringLiteral("sp."), 1},
                                       {QStringLiteral("slash"), 1},
                                       {QStringLiteral("hybrid"), 1},
                                       {QStringLiteral("domestic"), 1}};
    EXPECT_EQ(r.skippedByKind(), kinds);
    EXPECT_EQ(r.skipped.front().line, 5);  // "duck sp.", after a quoted line break

    // The record's fields in the journal's columns.
    const std::vector<Sighting> mallard = of("Mallard");
    ASSERT_EQ(mallard.size(), 1u);
    const Sighting& m = mallard.front();
    EXPECT_EQ(m.date, QDate(2024, 3, 21));
    EXPECT_EQ(m.time, QTime(7, 15));
    EXPECT_EQ(m.site, QStringLiteral("Lake Johnson, west shore"));
    EXPECT_EQ(m.district, QStringLiteral("Wake"));
    EXPECT_EQ(m.state, QStringLiteral("North Carolina"));
    EXPECT_EQ(m.country, QStringLiteral("United States"));
    EXPECT_EQ(m.region, QStringLiteral("North America"));
    EXPECT_EQ(m.notes, QStringLiteral("pair, \"courting\"\nsecond line"));
    EXPECT_EQ(m.type, QString());
    // ... and the rest beside them, as read.
    const std::optional<SightingDetail> d = store->sightingDetail(m.id);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->submissionId, QStringLiteral("S100"));
    EXPECT_EQ(d->count, QStringLiteral("12"));
    EXPECT_EQ(d->time, QStringLiteral("07:15 AM"));
    EXPECT_EQ(d->latitude, QStringLiteral("35.76"));
    EXPECT_EQ(d->protocol, QStringLiteral("eBird - Traveling Count"));
    EXPECT_EQ(d->distanceKm, QStringLiteral("2.5"));
    EXPECT_EQ(d->checklistComments, QStringLiteral("Windy"));
    EXPECT_EQ(d->mlCatalog, QStringLiteral("123456"));

    // Subspecies groups and an intergrade are the species, the group first
    // in the notes; an X count is kept as X.
    const std::vector<Sighting> flicker = of("Northern Flicker");
    ASSERT_EQ(flicker.size(), 2u);
    EXPECT_EQ(flicker[0].notes, QStringLiteral("(Yellow-shafted x Red-shafted)"));
    EXPECT_EQ(flicker[1].notes, QStringLiteral("(Yellow-shafted)"));
    EXPECT_EQ(store->sightingDetail(flicker[1].id)->count, QStringLiteral("X"));
    // Neither is filed under a guess, and no bird is added.
    EXPECT_TRUE(of("Carolina Chickadee").empty());
    EXPECT_FALSE(store->findSubject(Category::Birds, "Mystery Warbler"));
    // Places outside the Latin script come through as written.
    const Sighting sparrow = of("Eurasian Tree Sparrow").front();
    EXPECT_EQ(sparrow.site, QStringLiteral("上野公園"));
    EXPECT_EQ(sparrow.district, QStringLiteral("台東区"));
    EXPECT_EQ(sparrow.state, QStringLiteral("Tokyo"));
    EXPECT_EQ(sparrow.country, QStringLiteral("Japan"));
    EXPECT_EQ(sparrow.region, QStringLiteral("Asia"));

    // What is not one species, or waits, never counts on a life list.
    EXPECT_EQ(store->lifeListCount(Area::World), 3);
    EXPECT_FALSE(store->hasSightings(birdId("Carolina Chickadee") + 1));  // Black-capped

    // The skipped records, listed beside the file read.
    EXPECT_EQ(r.reportPath, dir.file(QStringLiteral("MyEBirdData-skipped.csv")));
    const QString report = QString::fromUtf8(test::readAll(r.reportPath));
    EXPECT_TRUE(report.startsWith(QStringLiteral("Line,Kind,Common Name")));
    EXPECT_TRUE(
        report.contains(QStringLiteral("5,sp.,duck sp.,Anatidae sp.,2024-03-21,"
                                       "\"Lake Johnson, west shore\",S100")));
    EXPECT_TRUE(r.summary().contains(QStringLiteral("Sightings added: 4")));
    EXPECT_TRUE(r.summary().contains(QStringLiteral("Waiting for review: 2")));
    EXPECT_TRUE(r.summary().contains(QStringLiteral("    Mystery Warbler (Setophaga mysteria): 1")))
        << r.summary().toStdString();
    EXPECT_TRUE(r.summary().contains(QStringLiteral("1 domestic, 1 hybrid, 1 slash, 1 sp.")));
}

TEST_F(EbirdImportTest, AgainOrANewerDownloadAddsOnlyWhatIsNew) {
    const QByteArray first = test::myEbirdData();
    EbirdImport(test::writeFile(dir, QStringLiteral("a.csv"), first), IsoCodes::system())
        .run(*store);
    const qint64 before = store->rowCount("sighting");

    const EbirdImportResult again =
        EbirdImport(test::writeFile(dir, QStringLiteral("a.csv"), first), IsoCodes::system())
            .run(*store);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.alreadyPresent, 6);  // four filed, two still waiting
    EXPECT_EQ(again.waiting, 0);
    EXPECT_EQ(store->rowCount("sighting"), before);
    EXPECT_EQ(store->rowCount("ebird_pending"), 2);

    // A newer download holds the old records and one more, in a zip.
    const QByteArray newer =
        first +
        "S200,Mallard,Anas platyrhynchos,337,3,US-NC,Wake,L1,Home,35.8,-78.6,2025-06-01,"
        "06:00 AM,Incidental,,0,,,1,,,,,\r\n";
    const QString zip = test::writeZip(dir, QStringLiteral("ebird_1234.zip"),
                                       QStringLiteral("MyEBirdData.csv"), newer);
    const EbirdImportResult later = EbirdImport(zip, IsoCodes::system()).run(*store);
    EXPECT_EQ(later.rowsRead, 11);
    EXPECT_EQ(later.added, 1);
    EXPECT_EQ(later.alreadyPresent, 6);
    EXPECT_EQ(store->rowCount("sighting"), before + 1);
    EXPECT_EQ(of("Mallard").front().date, QDate(2025, 6, 1));
}

TEST_F(EbirdImportTest, BadInputSaysWhatAndWhereAndImportsNothing) {
    const QByteArray good = test::myEbirdData();
    QByteArray noLocation = good;
    noLocation.replace(",Location,", ",Place,");
    QByteArray unclosed = good;
    unclosed.replace("Duke Forest,36.0,-78.9,2025-01-01", "\"Duke Forest,36.0,-78.9,2025-01-01");
    QByteArray badDate = good;
    badDate.replace("2025-01-02", "02/01/2025");
    struct Case {
        const char* name;
        QByteArray bytes;
        QString says;
    };
    const Case cases[] = {
        {"picture.csv", QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF\x00", 11),
         QStringLiteral("picture.csv: the file is neither a CSV file nor a zip archive.")},
        {"columns.csv", noLocation, QStringLiteral("the file has no column \"Location\"")},
        {"quote.csv", unclosed, QStringLiteral("line 10: a quoted field is never closed.")},
        {"date.csv", badDate, QStringLiteral("line 11: the date \"02/01/2025\" cannot be read")},
        {"broken.zip", QByteArray("PK\x03\x04garbage", 11),
         QStringLiteral("the zip archive cannot be read")},
        {"empty.csv", QByteArray(), QStringLiteral("the file is empty.")},
    };
    QByteArray cut = good;
    cut.chop(40);  // the last record cut mid-line
    QByteArray bom = "\xef\xbb\xbf" + good;
    QByteArray lf = good;
    lf.replace("\r\n", "\n");
    const Case more[] = {
        {"cut.csv", cut, QStringLiteral("line 12: the record has")},
    };
    for (const Case& c : more) {
        SCOPED_TRACE(c.name);
        const QString path = test::writeFile(dir, QString::fromLatin1(c.name), c.bytes);
        try {
            EbirdImport(path, IsoCodes::system()).run(*store);
            ADD_FAILURE() << "imported";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.description().contains(c.says)) << e.description().toStdString();
        }
        EXPECT_EQ(store->rowCount("sighting"), 0);
    }
    // A byte-order mark and bare LF lines are read as eBird means them.
    for (const QByteArray& bytes : {bom, lf}) {
        EbirdImport read(test::writeFile(dir, QStringLiteral("ok.csv"), bytes), IsoCodes::system());
        EXPECT_EQ(read.rowCount(), 10);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = test::writeFile(dir, QString::fromLatin1(c.name), c.bytes);
        try {
            EbirdImport(path, IsoCodes::system()).run(*store);
            ADD_FAILURE() << "imported";
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), err::BadFileFormat);
            EXPECT_TRUE(e.description().contains(c.says)) << e.description().toStdString();
            EXPECT_TRUE(e.description().contains(QStringLiteral("Nothing was imported.")));
        }
        EXPECT_EQ(store->rowCount("sighting"), 0);
    }
    // A zip whose file is encrypted says so, not "damaged".
    const QString locked = test::writeZip(dir, QStringLiteral("locked.zip"),
                                          QStringLiteral("MyEBirdData.csv"), good, "secret");
    try {
        EbirdImport(locked, IsoCodes::system());
        ADD_FAILURE() << "read";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("is encrypted")))
            << e.description().toStdString();
    }
    // A zip without a CSV in it.
    const QString zip =
        test::writeZip(dir, QStringLiteral("photos.zip"), QStringLiteral("photo.jpg"), "\xff\xd8");
    EXPECT_THROW(EbirdImport(zip, IsoCodes::system()), AppError);
}

TEST_F(EbirdImportTest, CancelLeavesTheJournalAsItWas) {
    const QString path = test::writeFile(dir, QStringLiteral("a.csv"), test::myEbirdData());
    const qint64 birds = store->rowCount("birds");
    try {
        EbirdImport(path, IsoCodes::system()).run(*store, [](int done, int) { return done == 0; });
        ADD_FAILURE() << "not cancelled";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), err::Cancelled);
    }
    EXPECT_EQ(store->rowCount("sighting"), 0);
    EXPECT_EQ(store->rowCount("sighting_detail"), 0);
    EXPECT_EQ(store->rowCount("birds"), birds);
    EXPECT_EQ(store->rowCount("ebird_pending"), 0);
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("a-skipped.csv"))));
}

TEST_F(EbirdImportTest, DeletingASightingTakesItsDetailWithIt) {
    EbirdImport(test::writeFile(dir, QStringLiteral("a.csv"), test::myEbirdData()),
                IsoCodes::system())
        .run(*store);
    const qint64 id = of("Mallard").front().id;
    ASSERT_TRUE(store->sightingDetail(id));
    store->deleteSighting(id);
    EXPECT_FALSE(store->sightingDetail(id));
    // Deleted, it can be imported again.
    const EbirdImportResult again =
        EbirdImport(dir.file(QStringLiteral("a.csv")), IsoCodes::system()).run(*store);
    EXPECT_EQ(again.added, 1);
}

// A file of records written here: the header, then one record per line of
// Submission ID, Common Name, Scientific Name, Count, State/Province, Date.
QByteArray download(const QStringList& records) {
    QByteArray out =
        "Submission ID,Common Name,Scientific Name,Taxonomic Order,Count,State/Province,County,"
        "Location ID,Location,Latitude,Longitude,Date,Time,Protocol,Duration (Min),"
        "All Obs Reported,Distance Traveled (km),Area Covered (ha),Number of Observers,"
        "Breeding Code,Observation Details,Checklist Comments,ML Catalog Numbers\n";
    for (const QString& r : records) {
        const QStringList f = r.split(u'|');
        out += QStringLiteral("%1,%2,%3,1,%4,%5,,L1,Somewhere,,,%6,,Incidental,,0,,,1,,,,\n")
                   .arg(f[0], f[1], f[2], f[3], f[4], f[5])
                   .toUtf8();
    }
    return out;
}

TEST_F(EbirdImportTest, ARecordIsFiledOnlyWhereBothNamesAgree) {
    const EbirdImportResult r =
        EbirdImport(test::writeFile(dir, QStringLiteral("a.csv"),
                                    download({
                                        // both names, in other case, with accents and a group
                                        "S1|mallard|ANAS PLATYRHYNCHOS|2|US-NY|2024-05-01",
                                        "S1|Northern Flicker (Red-shafted)|Colaptes auratus "
                                        "[cafer Group]|1|US-NY|2024-05-01",
                                        // the older Yellow Warbler: AviList's Mangrove Warbler
                                        "S2|Yellow Warbler|Setophaga petechia|1|US-NY|2024-05-02",
                                        // English name alone
                                        "S2|Mallard|Anas boschas|1|US-NY|2024-05-02",
                                        // eBird 2025's name, not in the world list
                                        "S3|Western Warbling Vireo|Vireo swainsoni|1|US-CA|"
                                        "2024-05-03",
                                        // names that name nothing
                                        "S3|||1|US-CA|2024-05-03",
                                    })),
                    IsoCodes::system())
            .run(*store);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(r.waiting, 3);
    EXPECT_EQ(r.skippedByKind(), (std::map<QString, int>{{QStringLiteral("no name"), 1}}));
    EXPECT_EQ(of("Mallard").size(), 1u);
    EXPECT_EQ(of("Northern Flicker").size(), 1u);
    EXPECT_TRUE(of("Mangrove Warbler").empty());
    EXPECT_TRUE(of("American Yellow Warbler").empty());
    EXPECT_EQ(store->rowCount("birds"), 11131);  // no bird added without the user

    // The review: suggestions for the Mangrove Warbler case.
    EbirdNames names(*store, IsoCodes::system());
    const auto waiting = names.waiting();
    ASSERT_EQ(waiting.size(), 3u);
    const auto s = names.suggestions("Yellow Warbler", "Setophaga petechia");
    ASSERT_GE(s.size(), 2u);
    EXPECT_EQ(s[0].name, QStringLiteral("Mangrove Warbler"));
    EXPECT_EQ(s[0].why, QStringLiteral("same scientific name"));
    EXPECT_EQ(s[0].family, QStringLiteral("Parulidae"));
    EXPECT_TRUE(std::any_of(s.begin(), s.end(), [](const EbirdNames::Suggestion& x) {
        return x.name == QLatin1String("American Yellow Warbler");
    }));
    const auto mallard = names.suggestions("Mallard", "Anas boschas");
    ASSERT_FALSE(mallard.empty());
    EXPECT_EQ(mallard[0].name, QStringLiteral("Mallard"));
    EXPECT_EQ(mallard[0].why, QStringLiteral("same English name"));
    // Filed under the bird the user picks, and remembered for later imports.
    EXPECT_EQ(
        names.fileUnder("Yellow Warbler", "Setophaga petechia", birdId("American Yellow Warbler")),
        1);
    EXPECT_EQ(of("American Yellow Warbler").size(), 1u);
    const EbirdImportResult later =
        EbirdImport(test::writeFile(dir, QStringLiteral("b.csv"),
                                    download({"S9|Yellow Warbler|Setophaga petechia|4|US-NY|"
                                              "2025-05-02"})),
                    IsoCodes::system())
            .run(*store);
    EXPECT_EQ(later.added, 1);
    EXPECT_EQ(of("American Yellow Warbler").size(), 2u);
    // A new bird only when asked for.
    const qint64 vireo = names.addAsNewBird("Western Warbling Vireo", "Vireo swainsoni");
    EXPECT_EQ(store->sightingsOf(vireo).size(), 1u);
    EXPECT_EQ(store->taxonomy(vireo)->scientificName, QStringLiteral("Vireo swainsoni"));
    EXPECT_EQ(names.waitingRecords(), 1);  // Mallard, Anas boschas: left for later
    // A choice changed re-files what it covered.
    const auto choices = names.choices();
    const auto yellow = std::find_if(choices.begin(), choices.end(), [](const auto& c) {
        return c.common == QLatin1String("Yellow Warbler");
    });
    ASSERT_NE(yellow, choices.end());
    EXPECT_EQ(yellow->sightings, 2);
    EXPECT_EQ(names.changeChoice(*yellow, birdId("Mangrove Warbler")), 2);
    EXPECT_TRUE(of("American Yellow Warbler").empty());
    EXPECT_EQ(of("Mangrove Warbler").size(), 2u);
}

TEST_F(EbirdImportTest, ALargeImportMakesTheSightingIndexesAgain) {
    QStringList many;
    for (int i = 0; i < 20001; ++i) {
        many << QStringLiteral("S%1|Mallard|Anas platyrhynchos|1|US-NY|2024-05-01").arg(i);
    }
    const EbirdImportResult r =
        EbirdImport(test::writeFile(dir, QStringLiteral("many.csv"), download(many)),
                    IsoCodes::system())
            .run(*store);
    EXPECT_EQ(r.added, 20001);
    EXPECT_EQ(store->database()
                  .execAndGet("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND "
                              "tbl_name = 'sighting'")
                  .getInt(),
              5);
    EXPECT_EQ(store->database().execAndGet("PRAGMA integrity_check").getString(), "ok");
    EXPECT_EQ(store->sightingsOf(birdId("Mallard")).size(), 20001u);
}

TEST_F(EbirdImportTest, ASplitByCountryFilesEachCountrysRecordsUnderItsBird) {
    EbirdImport(test::writeFile(dir, QStringLiteral("a.csv"),
                                download({"S1|Herring Gull|Larus argentatus|3|US-NY|2024-01-01",
                                          "S2|Herring Gull|Larus argentatus|5|CA-ON|2024-01-02",
                                          "S3|Herring Gull|Larus argentatus|7|GB-ENG|2024-01-03"})),
                IsoCodes::system())
        .run(*store);
    // "Herring Gull" is not an AviList name: all three wait.
    EbirdNames names(*store, IsoCodes::system());
    ASSERT_EQ(names.waitingRecords(), 3);
    const qint64 american = birdId("American Herring Gull");
    const qint64 european = birdId("European Herring Gull");
    EXPECT_EQ(
        names.splitByCountry("Herring Gull", "Larus argentatus", {"US", "CA"}, american, european),
        3);
    EXPECT_EQ(store->sightingsOf(american).size(), 2u);
    EXPECT_EQ(store->sightingsOf(european).size(), 1u);
    // A later import follows the split.
    const EbirdImportResult later =
        EbirdImport(test::writeFile(dir, QStringLiteral("b.csv"),
                                    download({"S4|Herring Gull|Larus argentatus|1|US-ME|2025-01-01",
                                              "S5|Herring Gull|Larus argentatus|1|FR-IDF|"
                                              "2025-01-02"})),
                    IsoCodes::system())
            .run(*store);
    EXPECT_EQ(later.added, 2);
    EXPECT_EQ(store->sightingsOf(american).size(), 3u);
    EXPECT_EQ(store->sightingsOf(european).size(), 2u);
}

TEST_F(EbirdImportTest, ARenameOnEbirdIsNeverAddedTwiceAndAGoneRecordIsListed) {
    EbirdImport(test::writeFile(dir, QStringLiteral("a.csv"),
                                download({"S1|Mallard|Anas platyrhynchos|2|US-NY|2024-05-01",
                                          "S1|Common Ostrich|Struthio camelus|1|US-NY|2024-05-01",
                                          "S1|Emu|Dromaius novaehollandiae|4|US-NY|2024-05-01"})),
                IsoCodes::system())
        .run(*store);
    ASSERT_EQ(store->rowCount("sighting"), 3);
    // eBird renamed the ostrich (same count, one fewer of the old name, one
    // more of the new) and the emu record is gone.
    const EbirdImportResult r =
        EbirdImport(test::writeFile(dir, QStringLiteral("b.csv"),
                                    download({"S1|Mallard|Anas platyrhynchos|2|US-NY|2024-05-01",
                                              "S1|Somali Ostrich|Struthio molybdophanes|1|US-NY|"
                                              "2024-05-01"})),
                    IsoCodes::system())
            .run(*store);
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(r.alreadyPresent, 2);
    EXPECT_EQ(r.renamed, 1);
    EXPECT_EQ(r.refiled, 1);
    EXPECT_EQ(store->rowCount("sighting"), 3);  // nothing added, nothing deleted
    EXPECT_TRUE(of("Common Ostrich").empty());
    ASSERT_EQ(of("Somali Ostrich").size(), 1u);
    EXPECT_EQ(store->sightingDetail(of("Somali Ostrich").front().id)->commonName,
              QStringLiteral("Somali Ostrich"));
    ASSERT_EQ(r.gone.size(), 1u);
    EXPECT_EQ(r.gone.front().commonName, QStringLiteral("Emu"));
    EXPECT_EQ(of("Emu").size(), 1u);
    EXPECT_TRUE(r.summary().contains(QStringLiteral("No longer in this download")));
}

}  // namespace
TEST_F(EbirdImportTest, EachChecklistBecomesOneOutingWithItsEffortOnce) {
    const QString path = test::writeFile(dir, QStringLiteral("a.csv"), test::myEbirdData());
    const EbirdImportResult r = EbirdImport(path, IsoCodes::system()).run(*store);
    // One outing for each checklist with a sighting filed: S100 (its
    // Mallard and Flicker), S101 (the Flicker again) and S104; the others'
    // records wait or were skipped.
    EXPECT_EQ(r.outings, 3);
    EXPECT_TRUE(r.summary().contains(QStringLiteral("Outings made (one a checklist): 3")));
    const std::vector<ListedOuting> list = store->outingList();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].date, QDate(2025, 4, 5));  // newest first
    EXPECT_EQ(list[1].date, QDate(2024, 12, 31));
    EXPECT_EQ(list[2].date, QDate(2024, 3, 21));
    EXPECT_EQ(list[2].site, QStringLiteral("Lake Johnson, west shore"));
    EXPECT_EQ(list[2].species, 2);
    const Outing lake = *store->outing(list[2].id);
    EXPECT_EQ(lake.submissionId, QStringLiteral("S100"));
    EXPECT_EQ(lake.startTime, QStringLiteral("07:15"));
    EXPECT_EQ(lake.durationMin, QStringLiteral("90"));
    EXPECT_EQ(lake.protocol, QStringLiteral("eBird - Traveling Count"));
    EXPECT_EQ(lake.distanceKm, QStringLiteral("2.5"));
    EXPECT_EQ(lake.observers, QStringLiteral("2"));
    EXPECT_EQ(lake.latitude, QStringLiteral("35.76"));
    // Its species, each its lifer here, as the First Sightings list has it;
    // the Flicker of S101 is no lifer there.
    const std::vector<OutingSpecies> species = store->outingSpecies(lake.id);
    ASSERT_EQ(species.size(), 2u);
    EXPECT_EQ(species[0].name, QStringLiteral("Mallard"));  // taxonomic order
    EXPECT_EQ(species[0].count, 12);
    EXPECT_TRUE(species[1].present);  // counted "X"
    for (const FirstSeen& f : store->firstSeen(Area::World, {})) {
        for (const OutingSpecies& s : species) {
            if (s.birdid == f.birdid) {
                EXPECT_TRUE(s.lifer) << s.name.toStdString();
                EXPECT_EQ(store->outingOf(f.sightingId), lake.id);
            }
        }
    }
    const std::vector<OutingSpecies> home = store->outingSpecies(list[1].id);
    ASSERT_EQ(home.size(), 1u);
    EXPECT_FALSE(home[0].lifer);
    EXPECT_FALSE(home[0].yearFirst);  // the year's first was in March
    // Again: no outing twice; a newer download's new checklist makes one more.
    EXPECT_EQ(EbirdImport(path, IsoCodes::system()).run(*store).outings, 0);
    EXPECT_EQ(store->rowCount("outing"), 3);
    const QString newer = test::writeFile(
        dir, QStringLiteral("b.csv"),
        test::myEbirdData() +
            "S200,Mallard,Anas platyrhynchos,337,3,US-NC,Wake,L1,Home,35.8,-78.6,2025-06-01,"
            "06:00 AM,Incidental,,0,,,1,,,,,\r\n");
    EXPECT_EQ(EbirdImport(newer, IsoCodes::system()).run(*store).outings, 1);
    // A later Mallard is no lifer; the first of its year it is.
    const std::vector<OutingSpecies> later = store->outingSpecies(store->outingList()[0].id);
    ASSERT_EQ(later.size(), 1u);
    EXPECT_FALSE(later[0].lifer);
    EXPECT_TRUE(later[0].yearFirst);
    // A waiting record filed after review joins its checklist's outing.
    const qint64 outings = store->rowCount("outing");
    EbirdNames names(*store, IsoCodes::system());
    EXPECT_EQ(
        names.fileUnder(QStringLiteral("Carolina Chickadee"), QStringLiteral("Parus carolinensis"),
                        birdId("Carolina Chickadee"), QString()),
        1);
    EXPECT_EQ(store->rowCount("outing"), outings + 1);
    EXPECT_EQ(store->outingList()[2].date, QDate(2025, 1, 1));  // after S200 and S104
    // A sighting deleted leaves its outing.
    const qint64 mallard = store->sightingsOf(birdId("Mallard")).front().id;
    ASSERT_TRUE(store->outingOf(mallard));
    store->deleteSighting(mallard);
    EXPECT_FALSE(store->outingOf(mallard));
}

}  // namespace wf
