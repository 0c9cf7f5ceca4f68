// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include "AppError.h"
#include "Store.h"

using namespace wf;

namespace {

class StoreTest : public ::testing::Test {
  protected:
    std::unique_ptr<Store> store = Store::createInMemory();

    qint64 sight(qint64 bird, QDate date, const QString& country = {}, const QString& region = {}) {
        Sighting s;
        s.birdid = bird;
        s.date = date;
        s.type = QStringLiteral("Adult");
        s.country = country;
        s.region = region;
        return store->appendSighting(s);
    }
};

// Names that would break text pasted into SQL.
const QString kAwkward[] = {
    QStringLiteral("Bird \"quoted\""),   QStringLiteral("O'Brien's Wren"),
    QStringLiteral("[Unclosed bracket"), QStringLiteral("Star * Bird"),
    QStringLiteral("100% Owl"),          QStringLiteral("x'); DROP TABLE birds; --"),
};

}  // namespace

TEST_F(StoreTest, SubjectsAreFoundIgnoringLetterCaseInEveryScript) {
    const qint64 id = store->addSubject(Category::Birds, QStringLiteral("Rüppell's Vulture"));
    EXPECT_EQ(store->findSubject(Category::Birds, QStringLiteral("RÜPPELL'S VULTURE")), id);
    EXPECT_EQ(store->findSubject(Category::Birds, QStringLiteral("rüppell's vulture")), id);
    EXPECT_FALSE(store->findSubject(Category::Birds, QStringLiteral("Ruppell's Vulture")));
    EXPECT_FALSE(store->findSubject(Category::Topics, QStringLiteral("Rüppell's Vulture")));
    // Blanks are part of the name.
    EXPECT_FALSE(store->findSubject(Category::Birds, QStringLiteral("Rüppell's Vulture ")));
}

TEST_F(StoreTest, AwkwardNamesAreStoredFoundAndCountedLikeAnyOther) {
    for (const QString& name : kAwkward) {
        SCOPED_TRACE(name.toStdString());
        const qint64 id = store->findOrAddSubject(Category::Birds, name);
        EXPECT_EQ(store->findSubject(Category::Birds, name), id);
        EXPECT_EQ(store->findOrAddSubject(Category::Birds, name.toUpper()), id);
        EXPECT_EQ(store->subjectName(Category::Birds, id), name);
        Entry e;
        e.subid = id;
        e.type = kLink;
        e.title = name;
        e.fname = name;
        const qint64 eid = store->appendEntry(e);
        EXPECT_EQ(store->entry(eid)->title, name);
        sight(id, QDate(2020, 1, 1), name);
        EXPECT_EQ(store->lifeListCount(Area::Country, name), 1);
    }
    EXPECT_EQ(store->rowCount("birds"), qint64(std::size(kAwkward)));
    EXPECT_EQ(store->lifeListCount(Area::World), int(std::size(kAwkward)));
}

TEST_F(StoreTest, NewestRowIsLastAndIdsAreNeverReused) {
    const qint64 a = store->addSubject(Category::Topics, QStringLiteral("Zebra finches"));
    const qint64 b = store->addSubject(Category::Topics, QStringLiteral("Apples"));
    EXPECT_GT(b, a);
    ASSERT_TRUE(store->deleteSubject(Category::Topics, b));
    const qint64 c = store->addSubject(Category::Topics, QStringLiteral("Cherries"));
    EXPECT_GT(c, b);
}

TEST_F(StoreTest, OrderAndDistinctIgnoreLetterCase) {
    const qint64 r1 = store->addSubject(Category::Birds, QStringLiteral("robin"));
    const qint64 r2 = store->addSubject(Category::Birds, QStringLiteral("ROBIN"));
    store->addSubject(Category::Birds, QStringLiteral("Raven"));
    store->addSubject(Category::Birds, QStringLiteral("Éider"));
    store->addSubject(Category::Birds, QStringLiteral("eagle"));
    QStringList names;
    for (const auto& s : store->subjects(Category::Birds)) {
        names << s.name;
    }
    EXPECT_EQ(names, QStringList({"eagle", "Raven", "robin", "ROBIN", "Éider"}));

    sight(r1, QDate(2021, 3, 1), QStringLiteral("Norway"));
    sight(r2, QDate(2021, 3, 2), QStringLiteral("NORWAY"));
    sight(r2, QDate(2021, 3, 3), QStringLiteral("norway"));
    // Two rows with one name (letter case ignored) count once.
    EXPECT_EQ(store->lifeListCount(Area::World), 1);
    EXPECT_EQ(store->lifeListCount(Area::Country, QStringLiteral("nOrWaY")), 1);
    // The list keeps one node per (name, id) pair.
    EXPECT_EQ(store->lifeList(Area::Country, QStringLiteral("Norway")).size(), 2u);
    EXPECT_EQ(store->areaValues(Area::Country).size(), 1);
}

TEST_F(StoreTest, LifeListsByArea) {
    const qint64 owl = store->addSubject(Category::Birds, QStringLiteral("Barn Owl"));
    const qint64 kite = store->addSubject(Category::Birds, QStringLiteral("Red Kite"));
    store->addSubject(Category::Birds, QStringLiteral("Never Seen"));
    for (int i = 0; i < 5; ++i) {
        sight(owl, QDate(2019, 1, 1 + i), QStringLiteral("Côte d'Ivoire"),
              QStringLiteral("Africa"));
    }
    sight(kite, QDate(2019, 2, 1), QStringLiteral("Wales"), QString());
    EXPECT_EQ(store->lifeListCount(Area::World), 2);
    EXPECT_EQ(store->lifeListCount(Area::Country, QStringLiteral("Côte d'Ivoire")), 1);
    EXPECT_EQ(store->lifeListCount(Area::Region, QStringLiteral("")), 1);  // the empty area
    EXPECT_EQ(store->lifeListCount(Area::State, QStringLiteral("Nowhere")), 0);
    const auto world = store->lifeList(Area::World);
    ASSERT_EQ(world.size(), 2u);
    EXPECT_EQ(world[0], (LifeListRow{owl, QStringLiteral("Barn Owl")}));
    EXPECT_EQ(world[1], (LifeListRow{kite, QStringLiteral("Red Kite")}));
}

TEST_F(StoreTest, EntriesOfASubjectByTypeThenTitle) {
    const qint64 bird = store->addSubject(Category::Birds, QStringLiteral("Wren"));
    auto add = [&](const QString& type, const QString& title, int cat = 1) {
        Entry e;
        e.catid = cat;
        e.subid = bird;
        e.type = type;
        e.title = title;
        e.fname = type == kArticle ? QStringLiteral(" ") : QStringLiteral("x");
        return store->appendEntry(e);
    };
    add(kLink, QStringLiteral("b link"));
    add(kImage, QStringLiteral("Nest"));
    add(kArticle, QStringLiteral("zeal"));
    add(kArticle, QStringLiteral("Anatomy"));
    add(kLink, QStringLiteral("A link"));
    add(kArticle, QStringLiteral("Topic article"), 2);
    QStringList got;
    for (const auto& e : store->entriesOf(Category::Birds, bird)) {
        got << e.type + ":" + e.title;
    }
    EXPECT_EQ(got, QStringList({"Article:Anatomy", "Article:zeal", "Image:Nest", "Link:A link",
                                "Link:b link"}));
    EXPECT_EQ(store->entriesOf(Category::Topics, bird).size(), 1u);
    EXPECT_EQ(store->deleteEntriesOf(Category::Birds, bird), 5);
    EXPECT_TRUE(store->entriesOf(Category::Birds, bird).empty());
}

TEST_F(StoreTest, EntryRoundTripUpdateAndPlainText) {
    Entry e;
    e.catid = 2;
    e.subid = store->addSubject(Category::Topics, QStringLiteral("Trips"));
    e.type = kArticle;
    e.title = QStringLiteral("Day one");
    e.caption =
        QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 hel\\b lo\\b0\\par}");
    e.fname = QStringLiteral(" ");
    e.id = store->appendEntry(e);
    EXPECT_EQ(store->entry(e.id), e);
    auto plain = [&] {
        SQLite::Statement q(store->database(), "SELECT plaintext FROM data WHERE id = ?");
        q.bind(1, static_cast<int64_t>(e.id));
        q.executeStep();
        return QString::fromStdString(q.getColumn(0).getString());
    };
    EXPECT_EQ(plain(), QStringLiteral("hello"));
    e.caption = QStringLiteral("{\\rtf1 good\\line bye}");
    EXPECT_TRUE(store->updateEntry(e));
    EXPECT_EQ(store->entry(e.id), e);
    EXPECT_EQ(plain(), QStringLiteral("good\nbye"));
    e.type = kLink;  // only articles carry search text
    EXPECT_TRUE(store->updateEntry(e));
    EXPECT_EQ(plain(), QString());
    EXPECT_TRUE(store->deleteEntry(e.id));
    EXPECT_FALSE(store->entry(e.id));
    EXPECT_FALSE(store->updateEntry(e));
    EXPECT_FALSE(store->deleteEntry(e.id));
}

TEST_F(StoreTest, NoNullTextIsReadBack) {
    // Rows written with only some columns set read back empty text.
    store->database().exec("INSERT INTO data (catid, subid) VALUES (1, 1)");
    store->database().exec("INSERT INTO sighting (birdid) VALUES (1)");
    const auto e = store->entry(1);
    ASSERT_TRUE(e);
    EXPECT_FALSE(e->title.isNull());
    EXPECT_TRUE(e->caption.isEmpty());
    const auto s = store->sighting(1);
    ASSERT_TRUE(s);
    EXPECT_FALSE(s->notes.isNull());
    EXPECT_FALSE(s->date.isValid());
    // NULL is refused outright.
    EXPECT_THROW(store->database().exec("INSERT INTO birds (name) VALUES (NULL)"),
                 SQLite::Exception);
}

TEST_F(StoreTest, SightingsNewestFirstWithTimesKept) {
    const qint64 bird = store->addSubject(Category::Birds, QStringLiteral("Swift"));
    sight(bird, QDate(2001, 5, 1));
    sight(bird, QDate(1899, 12, 31));
    Sighting late;
    late.birdid = bird;
    late.date = QDate(2024, 6, 30);
    late.time = QTime(5, 45, 10);
    late.notes = QStringLiteral("dawn \"chorus\"");
    late.id = store->appendSighting(late);
    const auto all = store->sightingsOf(bird);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0], late);
    EXPECT_EQ(all[1].date, QDate(2001, 5, 1));
    EXPECT_EQ(all[2].date, QDate(1899, 12, 31));
    EXPECT_EQ(store->lastSighting(), late);
    EXPECT_TRUE(store->deleteSighting(late.id));
    EXPECT_EQ(store->deleteSightingsOf(bird), 2);
    EXPECT_FALSE(store->lastSighting());
}

TEST_F(StoreTest, OptionsRowIsReadAndSaved) {
    EXPECT_EQ(store->options(), Store::defaultOptions());
    EXPECT_EQ(store->rowCount("options"), 1);
    Options o{QStringLiteral("https://search.example/?q="),
              QStringLiteral("https://home.example/"),
              QStringLiteral("Europe"),
              QStringLiteral("Côte d'Ivoire"),
              QStringLiteral("\"Quoted\" State"),
              QString()};
    store->saveOptions(o);
    EXPECT_EQ(store->options(), o);
    EXPECT_EQ(store->rowCount("options"), 1);
}

TEST_F(StoreTest, WildcardFunctionIsAvailableToQueries) {
    store->addSubject(Category::Birds, QStringLiteral("Robin"));
    store->addSubject(Category::Birds, QStringLiteral("Robin, American"));
    store->addSubject(Category::Birds, QStringLiteral("Rock Dove"));
    auto count = [&](const QString& pattern) {
        SQLite::Statement q(store->database(), "SELECT count(*) FROM birds WHERE wflike(?, name)");
        q.bind(1, pattern.toStdString());
        q.executeStep();
        return q.getColumn(0).getInt();
    };
    EXPECT_EQ(count(QStringLiteral("ro*")), 3);
    EXPECT_EQ(count(QStringLiteral("robin")), 1);
    EXPECT_EQ(count(QStringLiteral("R[!o]*")), 0);
    EXPECT_EQ(count(QStringLiteral("Ro[")), 0);
}

TEST_F(StoreTest, TransactionsStoreAllOrNothing) {
    EXPECT_THROW(store->inTransaction([&] {
        store->addSubject(Category::Topics, QStringLiteral("Lost"));
        throw AppError(err::InvalidArgument, QStringLiteral("test"), QStringLiteral("stop"));
    }),
                 AppError);
    EXPECT_EQ(store->rowCount("topics"), 0);
    store->inTransaction([&] { store->addSubject(Category::Topics, QStringLiteral("Kept")); });
    EXPECT_EQ(store->rowCount("topics"), 1);
    EXPECT_THROW(store->rowCount("sqlite_master"), AppError);
}

TEST_F(StoreTest, ACountIsKeptBesideTheSightingAndAnImportNeverSetsThePlace) {
    const qint64 robin = store->addSubject(Category::Birds, "Robin");
    Sighting typed;
    typed.birdid = robin;
    typed.date = QDate(2026, 5, 3);
    typed.time = QTime(7, 15);
    typed.site = "Home";
    typed.count = "3";
    const qint64 first = store->appendSighting(typed);
    EXPECT_EQ(store->sighting(first)->count, QStringLiteral("3"));
    EXPECT_EQ(store->sightingDetail(first)->source, QStringLiteral("Wingfolio"));
    EXPECT_EQ(store->sightingDetail(first)->time, QStringLiteral("07:15"));
    // An imported record keeps its own detail; a count changed in the
    // editor is the one change made to it.
    Sighting crane = typed;
    crane.site = "Crane Centre";
    crane.count.clear();
    SightingDetail record;
    record.source = "eBird";
    record.count = "12";
    record.time = "06:30 AM";
    qint64 imported = 0;
    store->inTransaction([&] { imported = SightingWriter(*store).append(crane, &record); });
    EXPECT_EQ(store->lastSighting()->id, imported);
    EXPECT_EQ(store->lastTypedSighting()->id, first);
    Sighting edited = *store->sighting(imported);
    EXPECT_EQ(edited.count, QStringLiteral("12"));
    edited.count = "14";
    ASSERT_TRUE(store->updateSighting(edited));
    EXPECT_EQ(store->sightingDetail(imported)->count, QStringLiteral("14"));
    EXPECT_EQ(store->sightingDetail(imported)->time, QStringLiteral("06:30 AM"));
    EXPECT_EQ(store->sightingDetail(imported)->source, QStringLiteral("eBird"));
    // A count cleared is cleared; a sighting without one gets no detail.
    Sighting plain = typed;
    plain.count.clear();
    const qint64 bare = store->appendSighting(plain);
    EXPECT_FALSE(store->sightingDetail(bare));
    Sighting firstAgain = *store->sighting(first);
    firstAgain.count.clear();
    ASSERT_TRUE(store->updateSighting(firstAgain));
    EXPECT_TRUE(store->sighting(first)->count.isEmpty());
    EXPECT_EQ(store->lastTypedSighting()->id, bare);
}

TEST_F(StoreTest, ASubjectsContentsAreCountedByKind) {
    const qint64 robin = store->addSubject(Category::Birds, "Robin");
    for (const QString& type : {kArticle, kArticle, kImage, kLink}) {
        Entry e;
        e.catid = int(Category::Birds);
        e.subid = robin;
        e.type = type;
        e.title = "t";
        store->appendEntry(e);
    }
    Sighting s;
    s.birdid = robin;
    store->appendSighting(s);
    const SubjectContents c = store->contentsOf(Category::Birds, robin);
    EXPECT_EQ(c.articles, 2);
    EXPECT_EQ(c.pictures, 1);
    EXPECT_EQ(c.links, 1);
    EXPECT_EQ(c.sightings, 1);
    EXPECT_TRUE(store->contentsOf(Category::Topics, robin).empty());
}
