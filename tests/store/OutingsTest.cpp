// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "AppError.h"
#include "Store.h"

using namespace wf;

namespace {

class OutingsTest : public ::testing::Test {
  protected:
    std::unique_ptr<Store> store = Store::createInMemory();
    qint64 wren = store->addSubject(Category::Birds, QStringLiteral("Wren"));
    qint64 robin = store->addSubject(Category::Birds, QStringLiteral("Robin"));

    qint64 sight(qint64 bird, QDate date, const QString& site) {
        Sighting s;
        s.birdid = bird;
        s.date = date;
        s.site = site;
        s.country = QStringLiteral("England");
        return store->appendSighting(s);
    }

    qint64 outing(QDate date, const QString& site, const QString& start = {}) {
        Outing o;
        o.date = date;
        o.site = site;
        o.startTime = start;
        return store->addOuting(o);
    }

    qint64 file(qint64 outingId, const QString& title, const QString& text) {
        Entry e;
        e.catid = int(Category::Outings);
        e.subid = outingId;
        e.type = kArticle;
        e.title = title;
        e.caption = QStringLiteral("{\\rtf1 %1}").arg(text);
        e.fname = QStringLiteral(" ");
        return store->appendEntry(e);
    }
};

const QDate kMay3(2026, 5, 3);

TEST_F(OutingsTest, OutingsAreSubjectsNamedByDateSiteAndTimeThatTwoNeverShare) {
    const qint64 a = outing(kMay3, QStringLiteral("Rutland Water"));
    const qint64 b = outing(kMay3, QStringLiteral("Rutland Water"), QStringLiteral("07:15"));
    const qint64 c = outing(kMay3, QStringLiteral("Rutland Water"), QStringLiteral("07:15"));
    const qint64 d = outing(QDate(2026, 5, 1), QString());
    QStringList names;
    for (const Subject& s : store->subjects(Category::Outings)) {
        names << s.name;
    }
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("2026-05-01"), QStringLiteral("2026-05-03 Rutland Water"),
                           QStringLiteral("2026-05-03 Rutland Water 07:15 (%1)").arg(b),
                           QStringLiteral("2026-05-03 Rutland Water 07:15 (%1)").arg(c)}));
    EXPECT_EQ(store->findSubject(Category::Outings, QStringLiteral("2026-05-03 Rutland Water")), a);
    EXPECT_EQ(store->subjectName(Category::Outings, d), QStringLiteral("2026-05-01"));
    // Outings come from the sightings: they are not added or renamed as subjects.
    EXPECT_THROW(store->addSubject(Category::Outings, QStringLiteral("x")), AppError);
    EXPECT_THROW(store->renameSubject(Category::Outings, a, QStringLiteral("x")), AppError);
    EXPECT_THROW(store->deleteSubject(Category::Outings, a), AppError);
}

TEST_F(OutingsTest, EntriesFiledUnderAnOutingAreListedAndFoundWithTheBirds) {
    const qint64 trip = outing(kMay3, QStringLiteral("Rutland Water"));
    const qint64 note = file(trip, QStringLiteral("Ospreys"), QStringLiteral("Two ospreys fished"));
    Entry birdNote;
    birdNote.catid = 1;
    birdNote.subid = wren;
    birdNote.type = kArticle;
    birdNote.title = QStringLiteral("Wren song");
    birdNote.caption = QStringLiteral("{\\rtf1 A wren sang near the ospreys}");
    const qint64 sang = store->appendEntry(birdNote);
    EXPECT_EQ(store->entryCount(Category::Outings, trip), 1);
    const auto filed = store->filedEntries(Category::Outings);
    ASSERT_EQ(filed.count(trip), 1u);
    EXPECT_EQ(filed.at(trip).front().id, note);
    // The search among the birds finds the outing's words too, in the
    // order of type and title.
    const std::vector<ListedEntry> found =
        store->search({QStringLiteral("Text"), QStringLiteral("ospreys"), Category::Birds});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].id, note);
    EXPECT_EQ(found[0].subject, QStringLiteral("2026-05-03 Rutland Water"));
    EXPECT_EQ(found[1].id, sang);
    // Topics keep to themselves.
    EXPECT_TRUE(store->search({QStringLiteral("Text"), QStringLiteral("ospreys"), Category::Topics})
                    .empty());
}

TEST_F(OutingsTest, SightingsOutsideOutingsAreGroupedByDayAndSiteAsChosen) {
    const qint64 s1 = sight(wren, kMay3, QStringLiteral("Rutland Water"));
    const qint64 s2 = sight(robin, kMay3, QStringLiteral("RUTLAND WATER"));
    const qint64 s3 = sight(robin, kMay3, QStringLiteral("Eyebrook"));
    const qint64 s4 = sight(wren, QDate(2026, 5, 4), QStringLiteral("Rutland Water"));
    sight(wren, QDate(), QStringLiteral("Rutland Water"));  // undated: no outing
    // One already in an outing stays there.
    const qint64 kept = outing(kMay3, QStringLiteral("Rutland Water"));
    const qint64 s5 = sight(wren, kMay3, QStringLiteral("Rutland Water"));
    store->setOutingOf(s5, kept);

    const std::vector<ProposedOuting> proposed = store->proposedOutings();
    ASSERT_EQ(proposed.size(), 3u);
    EXPECT_EQ(proposed[0].site, QStringLiteral("Eyebrook"));
    EXPECT_EQ(proposed[1].date, kMay3);
    EXPECT_EQ(proposed[1].sightings, 2);  // letter case aside, one site
    EXPECT_EQ(proposed[1].species, 2);
    EXPECT_EQ(proposed[1].country, QStringLiteral("England"));
    EXPECT_EQ(proposed[2].date, QDate(2026, 5, 4));

    // The user leaves Eyebrook out.
    EXPECT_EQ(store->groupIntoOutings({proposed[1], proposed[2]}), 3);
    EXPECT_EQ(store->outingOf(s1), store->outingOf(s2));
    EXPECT_NE(store->outingOf(s1), kept);
    EXPECT_FALSE(store->outingOf(s3));
    EXPECT_TRUE(store->outingOf(s4));
    EXPECT_EQ(store->outingOf(s5), kept);
    const std::vector<ListedOuting> list = store->outingList();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].date, QDate(2026, 5, 4));
    // Asked again: only what is left.
    ASSERT_EQ(store->proposedOutings().size(), 1u);
    EXPECT_EQ(store->proposedOutings()[0].site, QStringLiteral("Eyebrook"));
}

TEST_F(OutingsTest, DeletingAnOutingTakesItsEntriesAndLeavesItsSightings) {
    const qint64 trip = outing(kMay3, QStringLiteral("Rutland Water"));
    const qint64 other = outing(kMay3, QStringLiteral("Eyebrook"));
    const qint64 seen = sight(wren, kMay3, QStringLiteral("Rutland Water"));
    store->setOutingOf(seen, trip);
    file(trip, QStringLiteral("Ospreys"), QStringLiteral("fished"));
    const qint64 kept = file(other, QStringLiteral("Terns"), QStringLiteral("flew"));
    EXPECT_EQ(store->outingSightingCount(trip), 1);
    store->deleteOuting(trip);
    EXPECT_FALSE(store->outing(trip));
    EXPECT_EQ(store->entryCount(Category::Outings, trip), 0);
    EXPECT_TRUE(store->entry(kept));
    EXPECT_TRUE(store->sighting(seen));
    EXPECT_FALSE(store->outingOf(seen));
    EXPECT_EQ(store->rowCount("outing_bird"), 0);
}

}  // namespace
