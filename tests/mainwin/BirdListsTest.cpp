// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLocale>

#include "QtPrinters.h"
#include "Store.h"
#include "SubjectPage.h"
#include "TreeNodes.h"

using namespace wf;

namespace {

// A small journal with the cases the year, month and first lists meet.
class BirdListsTest : public ::testing::Test {
  protected:
    std::unique_ptr<Store> store = Store::createInMemory();
    qint64 wren = bird("Wren");
    qint64 robin = bird("Robin");
    qint64 eider = bird("Eider");
    qint64 garden = bird("Garden Bird");  // added by the user: no taxonomy

    void SetUp() override {
        store->setTaxonomy(
            wren, {"Troglodytes troglodytes", 27000, "Passeriformes", "Troglodytidae", ""});
        store->setTaxonomy(robin, {"Erithacus rubecula", 28000, "Passeriformes", "Muscicapidae",
                                   "Old World Flycatchers"});
        store->setTaxonomy(eider, {"Somateria mollissima", 600, "Anseriformes", "Anatidae",
                                   "Ducks, Geese, and Waterfowl"});
        // Two wrens on one day in different places: the one entered first is first.
        sight(wren, QDate(2023, 12, 31), "Fen", "Norfolk");
        sight(wren, QDate(2023, 12, 31), "Heath", "Suffolk");
        sight(wren, QDate(2024, 5, 1), "Fen", "Norfolk");
        // A year boundary: the robin's first is on New Year's Day.
        sight(robin, QDate(2024, 1, 1), "Garden", "Suffolk");
        sight(robin, QDate(2024, 12, 31), "Garden", "Suffolk");
        // Seen only in Norfolk; and once without a date.
        sight(eider, QDate(2022, 5, 3), "Coast", "Norfolk");
        sight(garden, QDate(), "Somewhere", "Norfolk");
    }
    qint64 bird(const char* name) { return store->addSubject(Category::Birds, name); }
    void sight(qint64 b, QDate date, const char* site, const char* state) {
        Sighting s;
        s.birdid = b;
        s.date = date;
        s.site = QString::fromUtf8(site);
        s.state = QString::fromUtf8(state);
        store->appendSighting(s);
    }
    static QStringList texts(const NodeList& list) {
        QStringList out;
        for (const Node& n : list.nodes) {
            out << n.key + u' ' + n.parent + u' ' + n.text;
        }
        return out;
    }
    QString s(qint64 id) const { return QStringLiteral("S") + QString::number(id); }
    static QString day(int y, int m, int d) {
        return QLocale().toString(QDate(y, m, d), QLocale::ShortFormat);
    }
};

}  // namespace

TEST_F(BirdListsTest, YearsAreNewestFirstAndYearListsKeepTheirBoundaries) {
    EXPECT_EQ(store->sightingYears(), (std::vector<int>{2024, 2023, 2022}));
    EXPECT_EQ(
        texts(yearListNodes(*store, Area::World, {}, 2024, "2024 Year List")),
        (QStringList{"Birds  2024 Year List", s(robin) + " Birds Robin", s(wren) + " Birds Wren"}));
    EXPECT_EQ(texts(yearListNodes(*store, Area::World, {}, 2023, "2023")),
              (QStringList{"Birds  2023", s(wren) + " Birds Wren"}));
    // An area: Suffolk saw the wren in 2023 only.
    EXPECT_EQ(texts(yearListNodes(*store, Area::State, "suffolk", 2024, "x")),
              (QStringList{"Birds  x", s(robin) + " Birds Robin"}));
    // May of any year: the wren (2024) and the eider (2022).
    EXPECT_EQ(texts(monthListNodes(*store, Area::World, {}, 5, "May")),
              (QStringList{"Birds  May", s(eider) + " Birds Eider", s(wren) + " Birds Wren"}));
    EXPECT_EQ(texts(monthListNodes(*store, Area::World, {}, 2, "Feb")), QStringList{"Birds  Feb"});
}

TEST_F(BirdListsTest, FirstSightingsInTheOrderFirstSeenUndatedLast) {
    EXPECT_EQ(texts(firstSightingNodes(*store, Area::World, {}, "First Sightings")),
              (QStringList{"Birds  First Sightings",
                           s(eider) + " Birds Eider — " + day(2022, 5, 3) + ", Coast",
                           s(wren) + " Birds Wren — " + day(2023, 12, 31) + ", Fen",
                           s(robin) + " Birds Robin — " + day(2024, 1, 1) + ", Garden",
                           s(garden) + " Birds Garden Bird — no date, Somewhere"}));
    // In Suffolk the wren was first seen at the heath.
    const std::vector<FirstSeen> suffolk = store->firstSeen(Area::State, "Suffolk");
    ASSERT_EQ(suffolk.size(), 2u);
    EXPECT_EQ(suffolk[0].site, QStringLiteral("Heath"));
    EXPECT_EQ(suffolk[1].name, QStringLiteral("Robin"));
}

TEST_F(BirdListsTest, TaxonomicOrderGroupsBirdsUnderFamiliesOtherLast) {
    const NodeList list = taxonomicOrder(
        *store, lifeListNodes(*store, Area::World, {}, "Birds of the World Sightings"), true);
    EXPECT_EQ(texts(list),
              (QStringList{"Birds  Birds of the World Sightings",
                           "FAnatidae Birds Ducks, Geese, and Waterfowl (Anatidae)",
                           s(eider) + " FAnatidae Eider", "FTroglodytidae Birds Troglodytidae",
                           s(wren) + " FTroglodytidae Wren",
                           "FMuscicapidae Birds Old World Flycatchers (Muscicapidae)",
                           s(robin) + " FMuscicapidae Robin", "FOther Birds Other",
                           s(garden) + " FOther Garden Bird"}));
    EXPECT_EQ(list.openKeys.size(), 4u);  // a list shows its families open
    // In the tree a bird keeps what hangs under it, and families start closed.
    const NodeList tree = taxonomicOrder(*store, birdTree(*store), false);
    EXPECT_TRUE(tree.openKeys.empty());
    EXPECT_EQ(tree.visibleKey, QStringLiteral("FAnatidae"));
    const QStringList t = texts(tree);
    const qsizetype wrenAt = t.indexOf(QStringLiteral("B%1 FTroglodytidae Wren").arg(wren));
    ASSERT_GE(wrenAt, 0);
    EXPECT_EQ(t[wrenAt + 1], QStringLiteral("S%1 B%1 Sightings").arg(wren));
}

TEST_F(BirdListsTest, SubjectPageGathersWhatTheJournalHoldsOnABird) {
    Entry a;
    a.catid = 1;
    a.subid = wren;
    a.type = kArticle;
    a.title = QStringLiteral("Song");
    a.fname = QStringLiteral(" ");
    a.caption = QStringLiteral("{\\rtf1 Loud for its size.\\par Second line.}");
    const qint64 article = store->appendEntry(a);
    Entry l = a;
    l.type = kLink;
    l.title = QStringLiteral("Wren <page>");
    l.fname = QStringLiteral("https://example.org/wren");
    l.caption.clear();
    const qint64 link = store->appendEntry(l);

    const std::optional<SubjectPageData> page = subjectPage(*store, Category::Birds, wren);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->name, QStringLiteral("Wren"));
    EXPECT_EQ(page->taxonomy->family, QStringLiteral("Troglodytidae"));
    EXPECT_EQ(page->sightings, 3);
    EXPECT_EQ(page->places, 2);
    EXPECT_EQ(page->first->site, QStringLiteral("Fen"));  // of one day, the first entered
    EXPECT_EQ(page->first->date, QDate(2023, 12, 31));
    EXPECT_EQ(page->last->date, QDate(2024, 5, 1));
    std::array<int, 12> months{};
    months[11] = 2;
    months[4] = 1;
    EXPECT_EQ(page->byMonth, months);
    ASSERT_EQ(page->articles.size(), 1u);
    EXPECT_EQ(page->articles[0].detail, QStringLiteral("Loud for its size."));
    const QString html = subjectPageHtml(*page);
    EXPECT_TRUE(html.contains(QStringLiteral("<i>Troglodytes troglodytes</i>")));
    EXPECT_TRUE(html.contains(QStringLiteral("href='entry:A%1'").arg(article)));
    EXPECT_TRUE(html.contains(QStringLiteral("href='entry:L%1'>Wren &lt;page&gt;").arg(link)));
    EXPECT_TRUE(html.contains(QStringLiteral("page:months")));

    // Only an undated sighting: first seen without a date, no last.
    const std::optional<SubjectPageData> undated = subjectPage(*store, Category::Birds, garden);
    EXPECT_FALSE(undated->first->date.isValid());
    EXPECT_FALSE(undated->last);
    EXPECT_FALSE(undated->taxonomy);
    // A topic's page has no bird parts; a subject that is gone has none.
    const qint64 t = store->addSubject(Category::Topics, QStringLiteral("Field kit"));
    const QString topic = subjectPageHtml(*subjectPage(*store, Category::Topics, t));
    EXPECT_FALSE(topic.contains(QStringLiteral("seen")));
    EXPECT_FALSE(subjectPage(*store, Category::Topics, t + 100));
    // The month chart is drawn at the size asked, tallest month fullest.
    EXPECT_EQ(monthChart(months, QSize(240, 100)).size(), QSize(240, 100));
}
