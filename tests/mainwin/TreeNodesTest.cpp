// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <QIcon>
#include <functional>

#include "AppError.h"
#include "JournalGen.h"
#include "NodeModel.h"
#include "QtPrinters.h"
#include "Resources.h"
#include "Schema.h"
#include "Store.h"
#include "TreeNodes.h"

using namespace wf;

namespace {

class TreeNodesTest : public ::testing::Test {
  protected:
    std::unique_ptr<Store> store = Store::createInMemory();

    qint64 bird(const QString& name) { return store->addSubject(Category::Birds, name); }
    qint64 topic(const QString& name) { return store->addSubject(Category::Topics, name); }
    qint64 entry(Category cat, qint64 subid, const QString& type, const QString& title) {
        Entry e;
        e.catid = int(cat);
        e.subid = subid;
        e.type = type;
        e.title = title;
        e.fname = type == kArticle ? QStringLiteral(" ") : QStringLiteral("x");
        e.caption =
            type == kArticle ? QStringLiteral("{\\rtf1 text of ") + title + u'}' : QString();
        return store->appendEntry(e);
    }
    void sight(qint64 b, const QString& country = {}) {
        Sighting s;
        s.birdid = b;
        s.date = QDate(2024, 1, 1);
        s.country = country;
        store->appendSighting(s);
    }
};

// "key parent text picture" lines.
QStringList lines(const NodeList& list) {
    QStringList out;
    for (const Node& n : list.nodes) {
        out << QStringLiteral("%1 %2 %3 %4").arg(n.key, n.parent, n.text).arg(n.picture);
    }
    return out;
}

}  // namespace

TEST_F(TreeNodesTest, BirdTreeShapeAndOrder) {
    const qint64 wren = bird("wren");
    const qint64 robin = bird("Robin");
    const qint64 owl = bird("Barn Owl");
    bird("Never Seen");
    const qint64 robin2 = bird("ROBIN");
    entry(Category::Birds, wren, kLink, "z link");
    const qint64 a2 = entry(Category::Birds, wren, kArticle, "beta");
    const qint64 a1 = entry(Category::Birds, wren, kArticle, "Alpha");
    const qint64 img = entry(Category::Birds, wren, kImage, "Nest");
    entry(Category::Birds, owl, "Audio", "hoot");  // a type the tree does not show
    sight(wren);
    sight(robin);
    sight(robin2);
    const NodeList t = birdTree(*store);
    EXPECT_EQ(lines(t), QStringList({
                            "Birds  Birds of the World 0",
                            QStringLiteral("B%1 Birds Barn Owl 0").arg(owl),
                            QStringLiteral("B%1 Birds Robin 0").arg(robin),
                            QStringLiteral("S%1 B%1 Sightings 4").arg(robin),
                            QStringLiteral("B%1 Birds ROBIN 0").arg(robin2),
                            QStringLiteral("S%1 B%1 Sightings 4").arg(robin2),
                            QStringLiteral("B%1 Birds wren 0").arg(wren),
                            QStringLiteral("S%1 B%1 Sightings 4").arg(wren),
                            QStringLiteral("A%1 B%2 Alpha 1").arg(a1).arg(wren),
                            QStringLiteral("A%1 B%2 beta 1").arg(a2).arg(wren),
                            QStringLiteral("I%1 B%2 Nest 2").arg(img).arg(wren),
                            QStringLiteral("L%1 B%2 z link 3").arg(a1 - 2).arg(wren),
                        }));
    EXPECT_EQ(t.visibleKey, QStringLiteral("B%1").arg(owl));
}

TEST_F(TreeNodesTest, EmptyWorldListAndTopicTree) {
    NodeList t = birdTree(*store);
    EXPECT_EQ(lines(t), QStringList({"Birds  Birds of the World 0"}));
    EXPECT_TRUE(t.visibleKey.isEmpty());
    const qint64 trips = topic("Trips");
    topic("Empty topic");
    const qint64 b = bird("Bird with topic-numbered id");
    const qint64 a = entry(Category::Topics, trips, kArticle, "Day one");
    entry(Category::Birds, b, kArticle, "not a topic entry");
    t = topicTree(*store);
    EXPECT_EQ(lines(t), QStringList({"Topics  Other Topics 0",
                                     QStringLiteral("T%1 Topics Trips 0").arg(trips),
                                     QStringLiteral("A%1 T%2 Day one 1").arg(a).arg(trips)}));
}

TEST_F(TreeNodesTest, EntryListsAndTheirRoots) {
    const qint64 wren = bird("Wren");
    const qint64 auk = bird("Auk");
    const qint64 w1 = entry(Category::Birds, wren, kImage, "one");
    const qint64 w2 = entry(Category::Birds, wren, kImage, "two");
    const qint64 a1 = entry(Category::Birds, auk, kImage, "cliff");
    entry(Category::Birds, 999, kImage, "orphan");  // no subject row: not listed
    NodeList l = entryTypeList(*store, Category::Birds, kImage);
    EXPECT_EQ(lines(l), QStringList({"Birds  Birds of the World Images 0",
                                     QStringLiteral("I%1 Birds Auk cliff 2").arg(a1),
                                     QStringLiteral("I%1 Birds Wren one 2").arg(w1),
                                     QStringLiteral("I%1 Birds Wren two 2").arg(w2)}));
    EXPECT_EQ(l.visibleKey, QStringLiteral("I%1").arg(w2));
    l = entryTypeList(*store, Category::Birds, kArticle);
    EXPECT_EQ(lines(l), QStringList({"Birds  Birds of the World Articles 0"}));
    EXPECT_EQ(l.visibleKey, QStringLiteral("Birds"));
    const qint64 t = topic("Garden");
    const qint64 ti = entry(Category::Topics, t, kImage, "pond");
    EXPECT_EQ(lines(entryTypeList(*store, Category::Topics, kImage)),
              QStringList(
                  {"Topics  Other Images 0", QStringLiteral("I%1 Topics Garden pond 2").arg(ti)}));
    EXPECT_EQ(lines(entryTypeList(*store, Category::Topics, kLink)),
              QStringList({"Topics  Other Internet Links 0"}));

    // Two subjects of one name (letter case aside): their entries together,
    // by id, whatever their titles; then the next name.
    const qint64 robin = bird("robin");
    const qint64 robin2 = bird("ROBIN");
    const qint64 r1 = entry(Category::Birds, robin2, kLink, "z");
    const qint64 r2 = entry(Category::Birds, robin, kLink, "y");
    const qint64 r3 = entry(Category::Birds, robin2, kLink, "a");
    const qint64 x = entry(Category::Birds, bird("Sparrow"), kLink, "b");
    EXPECT_EQ(lines(entryTypeList(*store, Category::Birds, kLink)),
              QStringList({"Birds  Birds of the World Internet Links 0",
                           QStringLiteral("L%1 Birds ROBIN z 3").arg(r1),
                           QStringLiteral("L%1 Birds robin y 3").arg(r2),
                           QStringLiteral("L%1 Birds ROBIN a 3").arg(r3),
                           QStringLiteral("L%1 Birds Sparrow b 3").arg(x)}));

    // Subject ids far apart (kept by a journal from elsewhere) list alike.
    store->database().exec("INSERT INTO birds (id, name) VALUES (1000000000000, 'Zebra Finch')");
    const qint64 z = entry(Category::Birds, 1000000000000, kLink, "c");
    EXPECT_EQ(lines(entryTypeList(*store, Category::Birds, kLink)).mid(4),
              QStringList({QStringLiteral("L%1 Birds Sparrow b 3").arg(x),
                           QStringLiteral("L%1 Birds Zebra Finch c 3").arg(z)}));
}

TEST_F(TreeNodesTest, LifeListsAlphabeticalOncePerSpecies) {
    const qint64 wren = bird("Wren");
    const qint64 auk = bird("auk");
    for (int i = 0; i < 5; ++i) {
        sight(wren, "Côte d'Ivoire");
    }
    sight(auk, "CÔTE D'IVOIRE");
    sight(auk, "Norway \"North\"");
    NodeList l = lifeListNodes(*store, Area::Country, "côte d'ivoire", "x Life List Sightings");
    EXPECT_EQ(lines(l), QStringList({"Birds  x Life List Sightings 0",
                                     QStringLiteral("S%1 Birds auk 4").arg(auk),
                                     QStringLiteral("S%1 Birds Wren 4").arg(wren)}));
    l = lifeListNodes(*store, Area::Country, "Norway \"North\"", "n");
    EXPECT_EQ(l.nodes.size(), 2u);
    l = lifeListNodes(*store, Area::Region, "Nowhere", " Life List Sightings");
    EXPECT_EQ(lines(l), QStringList({"Birds   Life List Sightings 0"}));
    EXPECT_EQ(l.visibleKey, QStringLiteral("Birds"));
    l = lifeListNodes(*store, Area::Region, "", "");  // the empty area: sightings without one
    EXPECT_EQ(l.nodes.size(), 3u);
}

TEST_F(TreeNodesTest, SearchesEachFieldWithWildcardsAndQuotes) {
    const qint64 kf = bird("Common Kingfisher");
    const qint64 t = topic("Trips \"abroad\"");
    Entry art;
    art.subid = kf;
    art.type = kArticle;
    art.title = "Dive";
    art.fname = " ";
    art.caption =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 King\\b fish\\b0 er on 3 posts\\par}";
    const qint64 a = store->appendEntry(art);
    const qint64 l = entry(Category::Birds, kf, kLink, "Par excellence");
    const qint64 ta = entry(Category::Topics, t, kArticle, "Ferry [day 2]");
    auto keys = [&](const QString& field, const QString& phrase, Category cat = Category::Birds) {
        QStringList out;
        if (auto list = searchListNodes(*store, {field, phrase, cat})) {
            EXPECT_EQ(list->nodes.front().key, QStringLiteral("Birds"));
            EXPECT_EQ(list->nodes.front().text, QStringLiteral("Custom Search"));
            for (size_t i = 1; i < list->nodes.size(); ++i) {
                out << list->nodes[i].key;
            }
        }
        return out;
    };
    const QString A = QStringLiteral("A%1").arg(a), L = QStringLiteral("L%1").arg(l);
    EXPECT_EQ(keys("Subject", "kingfisher"), QStringList({A, L}));
    EXPECT_EQ(keys("Article", "kingfisher"), QStringList({A}));  // split by formatting
    EXPECT_TRUE(keys("Article", "fs20").isEmpty());              // markup is not text
    EXPECT_TRUE(keys("Article", "par").isEmpty());
    EXPECT_EQ(keys("Title", "par"), QStringList({L}));
    EXPECT_EQ(keys("Article", "on # posts"), QStringList({A}));
    EXPECT_EQ(keys("Title", "D?ve"), QStringList({A}));
    EXPECT_TRUE(keys("Title", "[").isEmpty());
    EXPECT_TRUE(keys("Title", " dive").isEmpty());  // blanks are kept
    EXPECT_EQ(keys("Subject", "\"abroad\"", Category::Topics),
              QStringList({QStringLiteral("A%1").arg(ta)}));
    EXPECT_EQ(keys("Title", "[[]day", Category::Topics),
              QStringList({QStringLiteral("A%1").arg(ta)}));
    EXPECT_FALSE(searchListNodes(*store, {"Title", "nothing like it", Category::Birds}));
}

namespace {

// Every node of the model, its children loaded, as "key parent text picture"
// lines in the order shown.
QStringList modelLines(NodeModel& m) {
    QStringList out;
    std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
        if (m.canFetchMore(parent)) {
            m.fetchMore(parent);
        }
        for (int i = 0; i < m.rowCount(parent); ++i) {
            const QModelIndex at = m.index(i, 0, parent);
            int picture = kNoPicture;
            for (int p = 1; p < 5; ++p) {
                const QIcon icon = at.data(Qt::DecorationRole).value<QIcon>();
                if (!icon.isNull() && icon.cacheKey() == m.picture(p).cacheKey()) {
                    picture = p;
                }
            }
            out << QStringLiteral("%1 %2 %3 %4")
                       .arg(NodeModel::keyOf(at), NodeModel::keyOf(parent), at.data().toString())
                       .arg(picture);
            walk(at);
        }
    };
    walk({});
    return out;
}

NodeList lazyTree(const Store& store, Category cat) {
    NodeList list = subjectTreeHeads(store, cat);
    list.children = [&store, cat](const QString& key) {
        return subjectChildNodes(store, cat, key);
    };
    list.parentOf = [&store, cat](const QString& key) { return treeParentKey(store, cat, key); };
    return list;
}

}  // namespace

// The subjects first and each one's children when opened show exactly what
// the whole tree shows: keys, parents, texts, pictures and order.
TEST_F(TreeNodesTest, TheLazyTreeOpenedShowsTheWholeTree) {
    JournalSize size;
    size.sightings = 3000;
    size.entries = 900;
    size.topics = 40;
    auto world = Store::createInMemory();
    schema::loadWorldList(world->database(), worldListPath());
    generateJournal(*world, size);
    const qint64 owl = world->addSubject(Category::Birds, QStringLiteral("Owl of odd entries"));
    Entry odd;
    odd.catid = 1;
    odd.subid = owl;
    odd.type = QStringLiteral("Audio");  // a type the tree does not show
    world->appendEntry(odd);
    for (const Category cat : {Category::Birds, Category::Topics}) {
        NodeModel model;
        model.reset(lazyTree(*world, cat));
        EXPECT_TRUE(model.hasLazyNodes());
        const NodeList whole = cat == Category::Birds ? birdTree(*world) : topicTree(*world);
        EXPECT_EQ(modelLines(model), lines(whole));
        EXPECT_FALSE(model.hasLazyNodes());
    }
    // The owl shows, without an expander.
    NodeModel model;
    model.reset(lazyTree(*world, Category::Birds));
    const QModelIndex at = model.find(QStringLiteral("B%1").arg(owl));
    ASSERT_TRUE(at.isValid());
    EXPECT_FALSE(model.hasChildren(at));
}

TEST_F(TreeNodesTest, ANodeLookedForOrAddedUnderAClosedSubjectLoadsItFirst) {
    const qint64 wren = bird("Wren");
    const qint64 a = entry(Category::Birds, wren, kArticle, "Song");
    sight(wren);
    NodeModel model;
    model.reset(lazyTree(*store, Category::Birds));
    const QString wrenKey = QStringLiteral("B%1").arg(wren);
    EXPECT_FALSE(model.loaded(QStringLiteral("A%1").arg(a)).isValid());
    // Found by key: its subject's children are read.
    const QModelIndex found = model.find(QStringLiteral("A%1").arg(a));
    ASSERT_TRUE(found.isValid());
    EXPECT_EQ(NodeModel::keyOf(found.parent()), wrenKey);
    EXPECT_EQ(model.rowCount(found.parent()), 2);  // Sightings, Song
    EXPECT_FALSE(model.find(QStringLiteral("A999")).isValid());

    // An entry just written, added under a subject not opened yet: it comes
    // once, with the text it was added with.
    const qint64 b = entry(Category::Birds, wren, kImage, "Nest");
    model.reset(lazyTree(*store, Category::Birds));
    model.add(wrenKey, QStringLiteral("I%1").arg(b), QStringLiteral("Nest"), kImagePicture);
    EXPECT_EQ(model.rowCount(model.find(wrenKey)), 3);
    // Added again, it is a duplicate.
    try {
        model.add(wrenKey, QStringLiteral("I%1").arg(b), QStringLiteral("Nest"), kImagePicture);
        FAIL() << "a duplicate key was accepted";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), err::DuplicateNodeKey);
    }
    EXPECT_TRUE(model.remove(wrenKey));
    EXPECT_FALSE(model.find(QStringLiteral("A%1").arg(a)).isValid());
    EXPECT_FALSE(model.find(QStringLiteral("I%1").arg(b)).isValid());
}
