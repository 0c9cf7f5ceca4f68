// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>

#include "AppFixture.h"
#include "Keyboard.h"
#include "MapPainter.h"
#include "MapView.h"
#include "NodeRef.h"
#include "SubjectPage.h"
#include "Words.h"
#include "frmStatistics.h"

namespace wf::test {
namespace {

class BirdListsViewTest : public AppFixture {
  protected:
    void sight(const char* bird, QDate date, const char* site, const char* country) {
        Store& db = startup->state().db();
        Sighting s;
        s.birdid = *db.findSubject(Category::Birds, QString::fromUtf8(bird));
        s.date = date;
        s.site = QString::fromUtf8(site);
        s.country = QString::fromUtf8(country);
        db.appendSighting(s);
    }
    static QStringList children(const NodeRef& item) {
        QStringList out;
        for (int i = 0; i < item->childCount(); ++i) {
            out << item->child(i)->text(0);
        }
        return out;
    }
    void pick(QComboBox* box, const QString& text) {
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
};

TEST_F(BirdListsViewTest, YearMonthAndFirstListsWithTheirBoxes) {
    settingsFile = tmp.file("settings.ini");
    frmMain& w = startToMain();
    sight("Mallard", QDate(2023, 4, 2), "Pond", "Peru");
    sight("Emu", QDate(2024, 4, 9), "Outback", "Australia");
    sight("Mallard", QDate(2024, 6, 1), "Lake", "Australia");
    startup->state().ActiveCountry = QStringLiteral("Australia");

    EXPECT_FALSE(w.cmbPeriod()->isVisible());
    choose(w, "Year List");
    ASSERT_TRUE(w.cmbPeriod()->isVisible());
    ASSERT_TRUE(w.cmbArea()->isVisible());
    // The search frame grew: the tree starts below the new boxes.
    EXPECT_GE(w.tv1()->geometry().top(),
              w.cmbArea()->mapTo(&w, QPoint(0, w.cmbArea()->height())).y() -
                  w.tv1()->parentWidget()->mapTo(&w, QPoint(0, 0)).y());
    QStringList years;
    for (int i = 0; i < w.cmbPeriod()->count(); ++i) {
        years << w.cmbPeriod()->itemText(i);
    }
    EXPECT_EQ(years, QStringList({"2024", "2023"}));
    const NodeRef root = topNode(w.nodes());
    EXPECT_EQ(root->text(0), QStringLiteral("2024 Year List"));
    EXPECT_EQ(children(root), QStringList({"Emu", "Mallard"}));
    pick(w.cmbPeriod(), "2023");
    EXPECT_EQ(children(topNode(w.nodes())), QStringList({"Mallard"}));

    // An active area narrows it.
    QStringList areas;
    for (int i = 0; i < w.cmbArea()->count(); ++i) {
        areas << w.cmbArea()->itemText(i);
    }
    EXPECT_EQ(areas, QStringList({"World", "Australia"}));
    pick(w.cmbArea(), "Australia");
    EXPECT_EQ(topNode(w.nodes())->text(0), QStringLiteral("Australia 2023 Year List"));
    EXPECT_EQ(topNode(w.nodes())->childCount(), 0);

    choose(w, "Month List");
    pick(w.cmbPeriod(), QLocale().standaloneMonthName(4));
    EXPECT_EQ(children(topNode(w.nodes())), QStringList({"Emu"}));  // still Australia

    choose(w, "First Sightings");
    EXPECT_FALSE(w.cmbPeriod()->isVisible());
    pick(w.cmbArea(), "World");
    const QStringList first = children(topNode(w.nodes()));
    ASSERT_EQ(first.size(), 2);
    EXPECT_TRUE(first[0].startsWith(QStringLiteral("Mallard \u2014 ")));
    EXPECT_TRUE(first[0].endsWith(QStringLiteral(", Pond")));
    // A click shows the bird's history under its own name.
    user::click(w.tv1()->viewport(), (topNode(w.nodes())->child(0)).rect().center());
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Mallard Sighting History"));

    choose(w, "All Entries");
    EXPECT_FALSE(w.cmbArea()->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // busy only while loading
}

TEST_F(BirdListsViewTest, TaxonomicOrderIsAViewChoiceKeptBetweenRuns) {
    settingsFile = tmp.file("settings.ini");
    frmMain& w = startToMain();
    sight("Mallard", QDate(2023, 4, 2), "Pond", "Peru");
    sight("Emu", QDate(2024, 4, 9), "Outback", "Australia");
    QAction* sort = w.menuItem("mnuViewTaxonomic");
    ASSERT_TRUE(sort->isCheckable());
    EXPECT_FALSE(sort->isChecked());  // by name, as always, until chosen
    choose(w, "All Sightings");
    EXPECT_EQ(children(topNode(w.nodes())), QStringList({"Emu", "Mallard"}));
    sort->trigger();
    // The emu's family comes first in the world list, then the ducks.
    const NodeRef root = topNode(w.nodes());
    EXPECT_EQ(children(root), QStringList({"Casuariidae", "Anatidae"}));
    EXPECT_EQ(children(root->child(1)), QStringList({"Mallard"}));
    EXPECT_TRUE(root->child(1)->isExpanded());
    // A family node is not an entry: nothing to edit or delete.
    user::click(w.tv1()->viewport(), (root->child(0)).rect().center());
    EXPECT_FALSE(w.menuItem("mnuEditDelete")->isEnabled());

    choose(w, "All Entries");
    EXPECT_EQ(children(topNode(w.nodes())), QStringList({"Casuariidae", "Anatidae"}));
    // A new bird in the tree goes under its family.
    w.close();
    startup.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frmMain& again = startToMain();
    EXPECT_TRUE(again.menuItem("mnuViewTaxonomic")->isChecked());
    EXPECT_EQ(children(topNode(again.nodes())), QStringList({"Casuariidae", "Anatidae"}));
}

TEST_F(BirdListsViewTest, F4ShowsTheSubjectPageAndItsLinksOpenEntries) {
    frmMain& w = startToMain();
    sight("Mallard", QDate(2023, 4, 2), "Pond", "Peru");
    Store& db = startup->state().db();
    Entry a;
    a.catid = 1;
    a.subid = *db.findSubject(Category::Birds, QStringLiteral("Mallard"));
    a.type = kArticle;
    a.title = QStringLiteral("Eclipse plumage");
    a.fname = QStringLiteral(" ");
    a.caption = QStringLiteral("{\\rtf1 Drakes moult in summer.}");
    const qint64 article = db.appendEntry(a);
    choose(w, "All Sightings");
    const NodeRef mallard = topNode(w.nodes())->child(0);
    user::click(w.tv1()->viewport(), (mallard).rect().center());
    user::key(&w, Qt::Key_F4);
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Mallard"));
    ASSERT_TRUE(w.rtb()->isVisible());
    const QString page = w.rtb()->toPlainText();
    EXPECT_TRUE(page.contains(QStringLiteral("Anas platyrhynchos")));
    EXPECT_TRUE(page.contains(QStringLiteral("First seen:")));
    EXPECT_TRUE(page.contains(QStringLiteral("Drakes moult in summer.")));
    // A click on the article's title opens it.
    QTextCursor found = w.rtb()->document()->find(QStringLiteral("Eclipse plumage"));
    ASSERT_FALSE(found.isNull());
    found.setPosition(found.selectionStart() + 2);
    const QPoint at = w.rtb()->cursorRect(found).center();
    user::click(w.rtb()->viewport(), at);
    EXPECT_EQ(startup->state().CurrentEntryId, article);
    EXPECT_TRUE(w.rtb()->toPlainText().startsWith(QStringLiteral("Drakes moult")));

    // Nothing chosen: the command says what it needs.
    choose(w, "All Entries");
    w.nodes().setCurrent({});
    user::key(&w, Qt::Key_F4);
    EXPECT_EQ(messages.shown().back().title, QStringLiteral("Subject Page"));
}

TEST_F(BirdListsViewTest, StatisticsWindowShowsTotalsChartsAndSavesThem) {
    frmMain& w = startToMain();
    sight("Mallard", QDate(2023, 4, 2), "Pond", "Peru");
    sight("Emu", QDate(2024, 4, 9), "Outback", "Australia");
    sight("Mallard", QDate(2024, 6, 1), "Outback", "Australia");
    startup->state().ActiveCountry = QStringLiteral("Australia");
    const QString png = tmp.file("growth.png");
    const QString svg = tmp.file("places.svg");
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("frmStatistics"));
        auto* totals = d.findChild<QLabel*>("lblTotals");
        EXPECT_EQ(totals->text(),
                  QStringLiteral("2 species, 3 sightings at 2 places; 0 entries in the journal."));
        auto* tabs = d.findChild<QTabWidget*>("tabCharts");
        ASSERT_EQ(tabs->count(), 5);  // four charts and the map
        // Saved as PNG through the file dialog.
        user::click(d.findChild<QPushButton*>("cmdSaveChart"));
        // An area: Australia only.
        auto* area = d.findChild<QComboBox*>("cmbArea");
        area->setCurrentIndex(area->findText(QStringLiteral("Australia")));
        emit area->activated(area->currentIndex());
        EXPECT_TRUE(
            totals->text().startsWith(QStringLiteral("2 species, 2 sightings at 1 place;")));
        tabs->setCurrentIndex(3);
        EXPECT_TRUE(static_cast<frmStatistics&>(d).saveChart(svg));
        d.reject();
    });
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("dlgSaveChart"));
        auto& files = static_cast<QFileDialog&>(d);
        files.selectFile(png);
        static_cast<QDialog&>(files).accept();
    });
    w.menuItem("mnuViewStatistics")->trigger();
    EXPECT_FALSE(QImage(png).isNull());
    EXPECT_TRUE(readAll(svg).contains("<svg"));
}

TEST_F(BirdListsViewTest, MapShadesCountriesNamesTheMissingAndAClickListsACountry) {
    frmMain& w = startToMain();
    sight("Mallard", QDate(2023, 4, 2), "Rutland Water", "United Kingdom");
    sight("Emu", QDate(2023, 4, 3), "Minsmere", "GB");  // its code, as eBird gives it
    sight("Mallard", QDate(2023, 4, 4), "Minsmere", "GB");
    sight("Common Ostrich", QDate(2024, 1, 9), "Naivasha", "Kenya");
    sight("Emu", QDate(2024, 2, 1), "Leeds", "England");
    sight("Emu", QDate(2024, 2, 2), "Poseidonia", "Atlantis");
    startup->state().db().setCountryAliases({});
    dialogs.queue([&](QDialog& d) {
        auto* tabs = d.findChild<QTabWidget*>("tabCharts");
        auto* page = d.findChild<QWidget*>("pageMap");
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(tabs->tabText(tabs->indexOf(page)), QStringLiteral("Map"));
        tabs->setCurrentWidget(page);
        QApplication::processEvents();
        auto* map = d.findChild<MapView*>("mapWorld");
        // Countries no shape stands for are named, never dropped.
        EXPECT_EQ(d.findChild<QLabel*>("lblNotOnMap")->text(),
                  QStringLiteral("2 countries not on the map: Atlantis, England"));
        // The shading, read back: two species in the United Kingdom, one in Kenya.
        const QImage shown = map->grab().toImage();
        const maps::Shading shading(2);
        const QPointF uk = map->pointOf(-1.8, 52.6);
        const QPointF kenya = map->pointOf(37.9, 0.2);
        EXPECT_EQ(shown.pixelColor(uk.toPoint()), shading.colour(2));
        EXPECT_EQ(shown.pixelColor(kenya.toPoint()), shading.colour(1));
        EXPECT_EQ(shown.pixelColor(map->pointOf(2.5, 46.5).toPoint()), maps::Shading::none());
        EXPECT_EQ(map->textAt(uk.toPoint()),
                  QStringLiteral("United Kingdom: 2 species, 3 sightings"));
        // The wheel zooms about the pointer: the United Kingdom stays under it.
        user::wheel(map, 240, Qt::NoModifier, uk.toPoint());
        EXPECT_GT(map->zoom(), 1.0);
        EXPECT_NEAR(map->pointOf(-1.8, 52.6).x(), uk.x(), 1.0);
        // Saved as the charts are: the map alone, as PNG or SVG.
        auto& stats = static_cast<frmStatistics&>(d);
        EXPECT_TRUE(stats.saveChart(tmp.file("map.png")));
        EXPECT_EQ(QImage(tmp.file("map.png")).size(), map->size());
        EXPECT_TRUE(stats.saveChart(tmp.file("map.svg")));
        EXPECT_TRUE(readAll(tmp.file("map.svg")).contains("<svg"));
        // From the keyboard: + and - zoom.
        user::focus(map);
        const double wheeled = map->zoom();
        user::key(&d, Qt::Key_Plus);
        EXPECT_GT(map->zoom(), wheeled);
        user::key(&d, Qt::Key_Minus);
        EXPECT_NEAR(map->zoom(), wheeled, 1e-9);
        // A click on Kenya closes the window with Kenya chosen.
        user::click(map, map->pointOf(37.9, 0.2).toPoint());
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    w.menuItem("mnuViewStatistics")->trigger();
    // The main window shows Kenya's life list.
    EXPECT_EQ(w.cmbSearchCategory()->currentData().toString(),
              QStringLiteral("Country Life Sightings"));
    const QModelIndex root = w.tv1()->model()->index(0, 0);
    EXPECT_EQ(root.data().toString(), QStringLiteral("Kenya Life List Sightings"));
    ASSERT_EQ(w.tv1()->model()->rowCount(root), 1);
    EXPECT_EQ(w.tv1()->model()->index(0, 0, root).data().toString(),
              QStringLiteral("Common Ostrich"));
}

TEST_F(BirdListsViewTest, CountryNamesTypedInOptionsPutSightingsOnTheMap) {
    frmMain& w = startToMain();
    sight("Emu", QDate(2024, 2, 1), "Leeds", "England");
    // A slip first: a country the map does not know is refused, and nothing stored.
    dialogs.queue([&](QDialog& d) {
        auto* aliases = d.findChild<QPlainTextEdit*>("txtAliases");
        user::focus(aliases);
        user::type(&d, QStringLiteral("England = Englandia"));
        user::click(d.findChild<QPushButton*>("cmdSave"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(messages.last().text.contains(QStringLiteral("Englandia")));
        // Corrected: the whole line is selected, typed again.
        user::type(&d, QStringLiteral("England = United Kingdom"));
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    w.menuItem("mnuViewOptions")->trigger();
    const auto stored = startup->state().db().countryAliases();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0],
              std::make_pair(QStringLiteral("England"), QStringLiteral("United Kingdom")));
    dialogs.queue([&](QDialog& d) {
        auto* tabs = d.findChild<QTabWidget*>("tabCharts");
        tabs->setCurrentWidget(d.findChild<QWidget*>("pageMap"));
        auto* map = d.findChild<MapView*>("mapWorld");
        EXPECT_TRUE(d.findChild<QLabel*>("lblNotOnMap")->text().isEmpty());
        EXPECT_EQ(map->textAt(map->pointOf(-1.8, 52.6).toPoint()),
                  QStringLiteral("United Kingdom: 1 species, 1 sightings"));
        d.reject();
    });
    w.menuItem("mnuViewStatistics")->trigger();
}

TEST_F(BirdListsViewTest, ABirdsPageMapsThePlacesWithCoordinates) {
    startToMain();  // the journal as the program opens it
    Store& db = startup->state().db();
    const qint64 bird = *db.findSubject(Category::Birds, QStringLiteral("Emu"));
    SightingWriter writer(db);
    for (const auto& [lat, lon] : {std::pair{"-33.9", "151.2"}, std::pair{"-33.9", "151.2"},
                                   std::pair{"-12.4", "130.8"}, std::pair{"", ""}}) {
        Sighting s;
        s.birdid = bird;
        s.date = QDate(2024, 3, 1);
        s.country = QStringLiteral("Australia");
        SightingDetail d;
        d.source = QStringLiteral("eBird");
        d.latitude = QString::fromLatin1(lat);
        d.longitude = QString::fromLatin1(lon);
        writer.append(s, &d);
    }
    const std::vector<PlaceDot> dots = placeDots(db, Area::World, {}, bird);
    ASSERT_EQ(dots.size(), 2u);  // Sydney twice, Darwin once; the record without none
    const auto page = subjectPage(db, Category::Birds, bird);
    ASSERT_TRUE(page);
    EXPECT_TRUE(subjectPageHtml(*page).contains(QStringLiteral("page:map")));
    // Zoomed to Australia: both places far apart on a 420-pixel map.
    const QImage map = placesMap(page->placeDots);
    ASSERT_EQ(map.size(), QSize(420, 210));
    int red = 0;
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x) {
            const QColor c = map.pixelColor(x, y);
            red += c.red() > 180 && c.green() < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(red, 20);
}

TEST_F(BirdListsViewTest, OutingsAreListedNewestFirstAndShowTheirSpecies) {
    frmMain& w = startToMain();
    Store& db = startup->state().db();
    SightingWriter writer(db);
    const auto record = [&](const char* bird, QDate date, const char* checklist, const char* site,
                            const char* count) {
        Sighting s;
        s.birdid = *db.findSubject(Category::Birds, QString::fromUtf8(bird));
        s.date = date;
        s.site = QString::fromUtf8(site);
        SightingDetail d;
        d.source = QStringLiteral("eBird");
        d.submissionId = QString::fromUtf8(checklist);
        d.count = QString::fromUtf8(count);
        d.durationMin = QStringLiteral("90");
        d.latitude = QStringLiteral("52.65");
        d.longitude = QStringLiteral("-0.64");
        writer.append(s, &d);
    };
    record("Mallard", QDate(2025, 5, 3), "S1", "Rutland Water", "12");
    record("Emu", QDate(2025, 5, 3), "S1", "Rutland Water", "X");
    record("Mallard", QDate(2026, 5, 3), "S2", "Rutland Water", "3");
    ASSERT_EQ(db.outingsFromEbird(), 2);
    choose(w, QStringLiteral("Outings"));
    const QModelIndex root = w.tv1()->model()->index(0, 0);
    EXPECT_EQ(root.data().toString(), QStringLiteral("Outings"));
    // A node a year, newest first: the newest open, the other read when opened.
    ASSERT_EQ(w.tv1()->model()->rowCount(root), 2);
    const QModelIndex y2026 = w.tv1()->model()->index(0, 0, root);
    const QModelIndex y2025 = w.tv1()->model()->index(1, 0, root);
    EXPECT_EQ(y2026.data().toString(), QStringLiteral("2026 (1 outing)"));
    EXPECT_TRUE(w.tv1()->isExpanded(y2026));
    EXPECT_FALSE(w.tv1()->isExpanded(y2025));
    const QModelIndex newest = w.tv1()->model()->index(0, 0, y2026);
    EXPECT_EQ(newest.data().toString(),
              words::date(QDate(2026, 5, 3)) + QStringLiteral(" \u2014 Rutland Water (1 species)"));
    // A click shows the outing's page: the older one has both lifers.
    w.show();
    user::focus(w.tv1());
    w.tv1()->setCurrentIndex(y2025);
    user::key(&w, Qt::Key_Right);  // opens the year, as a reader does
    ASSERT_EQ(w.tv1()->model()->rowCount(y2025), 1);
    const QModelIndex older = w.tv1()->model()->index(0, 0, y2025);
    w.tv1()->setCurrentIndex(older);
    emit w.tv1()->clicked(older);
    const QString page = w.findChild<QTextEdit*>(QStringLiteral("rtb"))->toPlainText();
    EXPECT_TRUE(page.contains(QStringLiteral("2 species, 2 of them lifers"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("90 minutes")));
    EXPECT_TRUE(page.contains(QStringLiteral("Mallard")));
    EXPECT_FALSE(w.toolButton(QStringLiteral("Edit"))->isEnabled());
    // The newer one: the Mallard again, first of its year only.
    w.tv1()->setCurrentIndex(newest);
    emit w.tv1()->clicked(newest);
    const QString again = w.findChild<QTextEdit*>(QStringLiteral("rtb"))->toPlainText();
    EXPECT_TRUE(again.contains(QStringLiteral("first of the year")));
    EXPECT_FALSE(again.contains(QStringLiteral("lifer")));
    // F4 on a row of a bird's sightings opens the outing of that sighting.
    w.show();
    choose(w, QStringLiteral("All Entries"));
    const qint64 emu = *db.findSubject(Category::Birds, QStringLiteral("Emu"));
    w.clickNode(QStringLiteral("S%1").arg(emu));
    ASSERT_EQ(w.fg1()->rowCount(), 1);
    user::click(w.fg1()->viewport(), w.fg1()->visualRect(w.fg1()->model()->index(0, 1)).center());
    user::key(&w, Qt::Key_F4);
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lbltitle"))->text(),
              words::date(QDate(2025, 5, 3)) + QStringLiteral(" \u2014 Rutland Water (2 species)"));
}

}  // namespace
}  // namespace wf::test
