// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QImageReader>
#include <set>

#include "DataFolder.h"
#include "JournalGen.h"
#include "Resources.h"
#include "Store.h"
#include "TempDir.h"

using namespace wf;

// Every picture entry of a generated journal has a real JPEG behind it, in
// a few sizes, some larger than the viewer; the summary counts what was made.
TEST(JournalGen, PictureEntriesHaveRealJpegFiles) {
    test::TempDir tmp;
    const QString dir = tmp.file("journal");
    JournalSize size;
    size.sightings = 40;
    size.entries = 80;
    size.topics = 3;
    size.places = 4;
    const JournalSummary made = generateJournalFolder(dir, size);
    EXPECT_EQ(made.articles + made.pictures + made.links, 80);
    EXPECT_EQ(made.sightings, 40);
    ASSERT_GT(made.pictures, 6);
    EXPECT_EQ(made.pictureFiles, made.pictures);
    EXPECT_TRUE(made.describe().contains(QStringLiteral("%1 JPEG files").arg(made.pictures)));

    auto store = DataFolder(dir).openJournal(worldListPath());
    std::set<std::pair<int, int>> sizes;
    int larger = 0;
    for (const Category cat : {Category::Birds, Category::Topics}) {
        for (const auto& row : store->entryList(cat, kImage)) {
            const std::optional<Entry> e = store->entry(row.id);
            ASSERT_TRUE(e);
            QImageReader reader(QDir(dir).filePath(QStringLiteral("Images/") + e->fname));
            EXPECT_EQ(reader.format(), QByteArray("jpeg")) << e->fname.toStdString();
            const QImage img = reader.read();
            ASSERT_FALSE(img.isNull()) << e->fname.toStdString();
            sizes.emplace(img.width(), img.height());
            larger += img.width() > 900 || img.height() > 600;
        }
    }
    EXPECT_GE(sizes.size(), 4u);
    EXPECT_GT(larger, 0);
    // Only the journal and its pictures are left in the folder.
    QStringList left = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    left.sort();
    EXPECT_EQ(left, (QStringList{"Images", "aviary.mdb"}));
}

// With outings, every sighting is in one, of its own day and place, and some
// entries are filed under them.
TEST(JournalGen, OutingsHoldSightingsOfOneDayAndPlace) {
    test::TempDir tmp;
    const QString dir = tmp.file(QStringLiteral("data"));
    JournalSize size;
    size.sightings = 600;
    size.entries = 200;
    size.topics = 3;
    size.places = 5;
    size.outingSize = 10;
    const JournalSummary made = generateJournalFolder(dir, size);
    auto store = DataFolder(dir).openJournal(worldListPath());
    EXPECT_EQ(store->rowCount("outing"), made.outings);
    EXPECT_GT(made.outings, 20);
    EXPECT_LT(made.outings, 150);
    EXPECT_EQ(store->rowCount("sighting_outing"), 600);
    EXPECT_EQ(store->database()
                  .execAndGet("SELECT count(*) FROM sighting s JOIN sighting_outing t ON "
                              "t.sightingid = s.id JOIN outing o ON o.id = t.outingid WHERE "
                              "substr(s.date, 1, 10) <> o.date OR s.site <> o.site")
                  .getInt(),
              0);
    EXPECT_FALSE(store->filedEntries(Category::Outings).empty());
    int species = 0;
    for (const ListedOuting& o : store->outingList()) {
        species += o.species;
    }
    EXPECT_GT(species, made.outings);
}
