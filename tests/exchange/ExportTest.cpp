// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>

#include "AppError.h"
#include "Csv.h"
#include "Ebird.h"
#include "EbirdFiles.h"
#include "EbirdImport.h"
#include "EbirdNames.h"
#include "Export.h"
#include "IsoCodes.h"
#include "Resources.h"
#include "Store.h"
#include "TempDir.h"

namespace wf {
namespace {

using test::TempDir;

class ExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        store = Store::create(dir.file(QStringLiteral("aviary.mdb")), worldListPath());
    }
    qint64 birdId(const char* name) { return *store->findSubject(Category::Birds, name); }
    Sighting sighting(const char* bird, QDate date, const char* site, const char* state = "",
                      const char* country = "") {
        Sighting s;
        s.birdid = birdId(bird);
        s.date = date;
        s.site = QString::fromUtf8(site);
        s.state = QString::fromUtf8(state);
        s.country = QString::fromUtf8(country);
        s.id = store->appendSighting(s);
        return s;
    }
    static std::vector<QStringList> records(const QString& text) {
        std::vector<QStringList> out;
        for (CsvRecord& r : readCsvRecords(text)) {
            out.push_back(std::move(r.fields));
        }
        return out;
    }

    TempDir dir;
    std::unique_ptr<Store> store;
};

// Import "My eBird Data", export eBird's upload format: every field that
// format holds is the original's.
TEST_F(ExportTest, RoundTripGivesBackEveryFieldTheUploadFormatHolds) {
    const QString path =
        test::writeFile(dir, QStringLiteral("MyEBirdData.csv"), test::myEbirdData());
    EbirdImport(path, IsoCodes::system()).run(*store);
    // The two records waiting for review, filed by the user.
    EbirdNames names(*store, IsoCodes::system());
    names.fileUnder("Carolina Chickadee", "Parus carolinensis", birdId("Carolina Chickadee"));
    names.addAsNewBird("Mystery Warbler", "Setophaga mysteria");
    const std::vector<CsvRecord> original = readCsvRecords(test::myEbirdData());
    const QStringList& h = original.front().fields;
    const auto col = [&](const CsvRecord& r, const char* name) {
        return r.fields.value(h.indexOf(QLatin1String(name)));
    };
    const std::vector<QStringList> out =
        records(Exporter(*store, IsoCodes::system()).ebirdRecords({}, {}, true));
    ASSERT_EQ(out.size(), 6u);
    size_t matched = 0;
    for (size_t i = 1; i < original.size(); ++i) {
        const CsvRecord& o = original[i];
        if (ebird::classify(col(o, "Common Name"), col(o, "Scientific Name")).kind !=
            ebird::Kind::Species) {
            continue;
        }
        // Filed in the order read, or later from the review: found by name.
        const auto found = std::find_if(out.begin(), out.end(), [&](const QStringList& row) {
            return !row.isEmpty() && row[0] == col(o, "Common Name");
        });
        ASSERT_NE(found, out.end()) << col(o, "Common Name").toStdString();
        const QStringList& e = *found;
        ++matched;
        SCOPED_TRACE(col(o, "Common Name").toStdString());
        ASSERT_EQ(e.size(), 19);
        EXPECT_EQ(e[0], col(o, "Common Name"));
        EXPECT_EQ(e[1] + u' ' + e[2], col(o, "Scientific Name"));
        EXPECT_EQ(e[3], col(o, "Count"));
        EXPECT_EQ(e[4], col(o, "Observation Details"));
        EXPECT_EQ(e[5], col(o, "Location"));
        EXPECT_EQ(e[6], col(o, "Latitude"));
        EXPECT_EQ(e[7], col(o, "Longitude"));
        EXPECT_EQ(QDate::fromString(e[8], QStringLiteral("MM/dd/yyyy")),
                  ebird::parseDate(col(o, "Date")));
        EXPECT_EQ(QTime::fromString(e[9], QStringLiteral("HH:mm")),
                  ebird::parseTime(col(o, "Time")));
        EXPECT_EQ(e[11] + u'-' + e[10], col(o, "State/Province"));
        EXPECT_EQ(e[12], ebird::uploadProtocol(col(o, "Protocol")));
        EXPECT_EQ(e[13], col(o, "Number of Observers"));
        EXPECT_EQ(e[14], col(o, "Duration (Min)"));
        EXPECT_EQ(e[15], col(o, "All Obs Reported") == QLatin1String("1") ? QStringLiteral("Y")
                                                                          : QStringLiteral("N"));
        EXPECT_EQ(e[16], ebird::kmToMiles(col(o, "Distance Traveled (km)")));
        EXPECT_EQ(e[17], ebird::hectaresToAcres(col(o, "Area Covered (ha)")));
        EXPECT_EQ(e[18], col(o, "Checklist Comments"));
    }
    EXPECT_EQ(matched, out.size());
}

TEST_F(ExportTest, OwnSightingsGoOutWithCodesFromNamesAndIncidental) {
    sighting("Mallard", QDate(2023, 5, 1), "Pond, north end", "North Carolina", "United States");
    sighting("Emu", QDate(2023, 6, 1), "Outback");  // no place names
    store->addSubject(Category::Birds, QStringLiteral("Garden Bird"));
    sighting("Garden Bird", QDate(2023, 7, 1), "Garden");  // not in the world list
    const Exporter x(*store, IsoCodes::system());
    const std::vector<QStringList> out = records(x.ebirdRecords());
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0],
              (QStringList{"Mallard", "Anas", "platyrhynchos", "X", "", "Pond, north end", "", "",
                           "05/01/2023", "", "NC", "US", "Incidental", "", "", "N", "", "", ""}));
    EXPECT_EQ(out[1][10], QString());
    EXPECT_EQ(out[1][11], QString());
    EXPECT_EQ(out[2][0], QStringLiteral("Garden Bird"));
    EXPECT_EQ(out[2][1], QString());
    // A date range keeps only what lies in it, ends included.
    EXPECT_EQ(records(x.ebirdRecords(QDate(2023, 6, 1), QDate(2023, 7, 1))).size(), 2u);
    EXPECT_EQ(records(x.ebirdRecords(QDate(2023, 6, 2), {})).size(), 1u);
}

TEST_F(ExportTest, SightingsCsvHoldsEveryColumnAndReadsBack) {
    EbirdImport(test::writeFile(dir, QStringLiteral("a.csv"), test::myEbirdData()),
                IsoCodes::system())
        .run(*store);
    Sighting own = sighting("Emu", QDate(2020, 1, 2), "Zoo \"outside\"");
    const std::vector<QStringList> out =
        records(Exporter(*store, IsoCodes::system()).sightingsCsv());
    ASSERT_EQ(out.size(), 6u);  // header and 5 sightings (two records wait for review)
    const QStringList& h = out.front();
    EXPECT_EQ(h.size(), 37);
    const QStringList& mallard = out[1];
    EXPECT_EQ(mallard[h.indexOf(QStringLiteral("Bird"))], QStringLiteral("Mallard"));
    EXPECT_EQ(mallard[h.indexOf(QStringLiteral("Scientific Name"))],
              QStringLiteral("Anas platyrhynchos"));
    EXPECT_EQ(mallard[h.indexOf(QStringLiteral("Time"))], QStringLiteral("07:15"));
    EXPECT_EQ(mallard[h.indexOf(QStringLiteral("Notes"))],
              QStringLiteral("pair, \"courting\"\nsecond line"));
    EXPECT_EQ(mallard[h.indexOf(QStringLiteral("ML Catalog Numbers"))], QStringLiteral("123456"));
    const QStringList& emu = out.back();
    EXPECT_EQ(emu[0], QString::number(own.id));
    EXPECT_EQ(emu[h.indexOf(QStringLiteral("Site"))], QStringLiteral("Zoo \"outside\""));
    EXPECT_EQ(emu[h.indexOf(QStringLiteral("Source"))], QString());
}

TEST_F(ExportTest, LifeListsGiveFirstAndLastSeenForTheWorldAndEachArea) {
    Sighting s = sighting("Mallard", QDate(2021, 4, 2), "Second pond", "Kent", "United Kingdom");
    s.region = QStringLiteral("Europe");
    store->updateSighting(s);
    // Two on one day in different places: the one entered first is first.
    sighting("Emu", QDate(2021, 4, 1), "Park A", "Kent", "United Kingdom");
    sighting("Emu", QDate(2021, 4, 1), "Park B", "Essex", "United Kingdom");
    sighting("Emu", QDate(2022, 1, 1), "Park C", "Kent", "United Kingdom");
    sighting("Mallard", QDate(2020, 12, 31), "First pond", "Essex", "United Kingdom");
    sighting("Mallard", QDate(), "Undated pond", "Kent", "United Kingdom");
    Options areas;
    areas.region = QStringLiteral("Europe");
    areas.state = QStringLiteral("kent");  // letter case ignored, as the life lists do
    const std::vector<QStringList> out =
        records(Exporter(*store, IsoCodes::system()).lifeListsCsv(areas));
    ASSERT_EQ(out.size(), 1u + 2 + 1 + 2);
    EXPECT_EQ(out[0],
              (QStringList{"Area", "Place", "Common Name", "Scientific Name", "Taxonomic Order",
                           "First Date", "First Place", "Last Date", "Sightings"}));
    EXPECT_EQ(out[1], (QStringList{"World", "", "Emu", "Dromaius novaehollandiae", "13",
                                   "2021-04-01", "Park A", "2022-01-01", "3"}));
    EXPECT_EQ(out[2], (QStringList{"World", "", "Mallard", "Anas platyrhynchos", "544",
                                   "2020-12-31", "First pond", "2021-04-02", "3"}));
    EXPECT_EQ(out[3][0] + out[3][1] + out[3][2], QStringLiteral("RegionEuropeMallard"));
    EXPECT_EQ(out[3][8], QStringLiteral("1"));
    EXPECT_EQ(out[4], (QStringList{"State", "kent", "Emu", "Dromaius novaehollandiae", "13",
                                   "2021-04-01", "Park A", "2022-01-01", "2"}));
    EXPECT_EQ(out[5][5], QStringLiteral("2021-04-02"));  // the undated one is never first
    EXPECT_EQ(out[5][8], QStringLiteral("2"));
}

TEST_F(ExportTest, FilesAreWrittenWholeOrNotAtAll) {
    sighting("Mallard", QDate(2023, 5, 1), "Pond");
    const Exporter x(*store, IsoCodes::system());
    const QString path = dir.file(QStringLiteral("out.csv"));
    EXPECT_EQ(x.writeEbirdUpload(path).rows, 1);
    EXPECT_EQ(QString::fromUtf8(test::readAll(path)), x.ebirdRecords());
    EXPECT_THROW(x.writeSightingsCsv(dir.file(QStringLiteral("no/such/folder/s.csv"))), AppError);
}

TEST_F(ExportTest, TheUploadLeavesOutWhatCameFromEbirdAndKeepsEachFileUnderOneMegabyte) {
    EbirdImport(test::writeFile(dir, QStringLiteral("a.csv"), test::myEbirdData()),
                IsoCodes::system())
        .run(*store);
    sighting("Emu", QDate(2020, 1, 2), "Zoo");
    const Exporter x(*store, IsoCodes::system());
    int left = 0;
    EXPECT_EQ(records(x.ebirdRecords({}, {}, false, &left)).size(), 1u);  // the Emu alone
    EXPECT_EQ(left, 4);
    EXPECT_EQ(records(x.ebirdRecords({}, {}, true)).size(), 5u);
    const Exporter::UploadFiles small = x.writeEbirdUpload(dir.file(QStringLiteral("up.csv")));
    EXPECT_EQ(small.leftOut, 4);
    EXPECT_EQ(small.files, QStringList{dir.file(QStringLiteral("up.csv"))});
    // Many own sightings: numbered files, each under the limit, rows whole.
    store->inTransaction([&] {
        Sighting s;
        s.birdid = birdId("Mallard");
        s.date = QDate(2024, 1, 1);
        s.site = QString(60, u'x');
        s.notes = QString(200, u'n');
        for (int i = 0; i < 4000; ++i) {
            store->appendSighting(s);
        }
    });
    const Exporter::UploadFiles big = x.writeEbirdUpload(dir.file(QStringLiteral("big.csv")));
    ASSERT_GE(big.files.size(), 2);
    EXPECT_EQ(big.files.front(), dir.file(QStringLiteral("big-1.csv")));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("big.csv"))));
    size_t rows = 0;
    for (const QString& f : big.files) {
        const QByteArray bytes = test::readAll(f);
        EXPECT_LT(bytes.size(), Exporter::kUploadLimit) << f.toStdString();
        EXPECT_TRUE(bytes.endsWith('\n')) << f.toStdString();
        rows += records(QString::fromUtf8(bytes)).size();
    }
    EXPECT_EQ(int(rows), big.rows);
    EXPECT_EQ(big.rows, 4001);
}

}  // namespace
}  // namespace wf
