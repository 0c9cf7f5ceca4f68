// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "DateField.h"
#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "NodeRef.h"
#include "SightingGrid.h"
#include "Statistics.h"
#include "SubjectPicker.h"
#include "Words.h"
#include "frmSight.h"

using namespace wf;
using namespace wf::test;

namespace {

class SightingEditorTest : public MainWindowFixture {
  protected:
    // Queues the editor: fill runs on it, then Save is clicked.
    void queueSave(std::function<void(QDialog&)> fill) {
        dialogs.queue([fill](QDialog& d) {
            EXPECT_EQ(d.objectName(), QStringLiteral("frmSight"));
            fill(d);
            QTest::mouseClick(d.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
        });
    }
    static void typeBird(QDialog& d, const QString& name) {
        auto* box = d.findChild<QComboBox*>("cmbBird");
        box->setFocus();
        box->lineEdit()->clear();
        box->lineEdit()->insert(name);  // as typed, without completion
    }
};

}  // namespace

TEST_F(SightingEditorTest, StartsFromTodayAndTheLastSightingsPlace) {
    Sighting s;
    s.birdid = birdId("Emu");
    s.date = QDate(2020, 1, 1);
    s.site = "Lake shore";
    s.district = "Broads";
    s.state = "Norfolk";
    s.country = "England";
    s.region = "Europe";
    s.notes = "not carried";
    journal().appendSighting(s);
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Add new Sighting"));
        EXPECT_EQ(d.findChild<QComboBox*>("cmbType")->currentText(), QStringLiteral("Adult"));
        EXPECT_EQ(d.findChild<QComboBox*>("cmbType")->count(), 5);
        EXPECT_EQ(d.findChild<DateField*>("DTPicker1")->date(), clock.now().date());
        EXPECT_EQ(d.findChild<QLineEdit*>("txtSite")->text(), QStringLiteral("Lake shore"));
        EXPECT_EQ(d.findChild<QComboBox*>("cmbCountry")->currentText(), QStringLiteral("England"));
        EXPECT_EQ(d.findChild<QComboBox*>("cmbRegion")->currentText(), QStringLiteral("Europe"));
        EXPECT_EQ(d.findChild<QComboBox*>("cmbDistrict")->count(), 1);
        EXPECT_TRUE(d.findChild<QLineEdit*>("txtNotes")->text().isEmpty());
        EXPECT_TRUE(d.findChild<QComboBox*>("cmbBird")->currentText().isEmpty());
        EXPECT_EQ(d.findChild<QComboBox*>("cmbBird")->count(), 11131);
    });
    w.toolButton("Sighting")->trigger();
    EXPECT_EQ(dialogs.shown(), QStringList{"frmSight"});
}

TEST_F(SightingEditorTest, EmptyJournalStartsEmpty) {
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        EXPECT_TRUE(d.findChild<QLineEdit*>("txtSite")->text().isEmpty());
        EXPECT_EQ(d.findChild<QComboBox*>("cmbCountry")->count(), 0);
        EXPECT_TRUE(d.findChild<QComboBox*>("cmbCountry")->currentText().isEmpty());
    });
    w.menuItem("mnuFileNewSighting")->trigger();
}

TEST_F(SightingEditorTest, NewBirdIsAddedAndTheTreeRebuilt) {
    frmMain& w = start();
    queueSave([](QDialog& d) {
        typeBird(d, "Zebra Test Finch");
        d.findChild<QComboBox*>("cmbCountry")->setEditText("Côte d'Ivoire");
    });
    // Asked whether to add it: Yes.
    dialogs.queue([](QDialog& q) { user::click(q.findChild<QPushButton*>("cmdYes")); });
    w.toolButton("Sighting")->trigger();
    Store& db = startup->state().db();
    const auto id = db.findSubject(Category::Birds, "Zebra Test Finch");
    ASSERT_TRUE(id);
    EXPECT_EQ(db.rowCount("birds"), 11132);
    ASSERT_EQ(db.sightingsOf(*id).size(), 1u);
    EXPECT_EQ(db.sightingsOf(*id)[0].country, QStringLiteral("Côte d'Ivoire"));
    EXPECT_EQ(db.sightingsOf(*id)[0].date, clock.now().date());
    EXPECT_TRUE(w.nodes().contains(QStringLiteral("S%1").arg(*id)));
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List = 1"));
    EXPECT_FALSE(startup->state().EditMode);
}

TEST_F(SightingEditorTest, ExistingNameInOtherCaseIsFiledUnderTheBird) {
    const qint64 emu = birdId("Emu");
    frmMain& w = start();
    choose(w, "All Images");
    queueSave([](QDialog& d) { typeBird(d, "EMU"); });
    w.toolButton("Sighting")->trigger();
    Store& db = startup->state().db();
    EXPECT_EQ(db.rowCount("birds"), 11131);
    EXPECT_EQ(db.sightingsOf(emu).size(), 1u);
    // Under another list the tree is left as it was.
    EXPECT_EQ(topNode(w.nodes())->text(0), QStringLiteral("Birds of the World Images"));
}

TEST_F(SightingEditorTest, BlankBirdNameIsRefused) {
    frmMain& w = start();
    queueSave([&](QDialog& d) {
        typeBird(d, "   ");
        QTest::mouseClick(d.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(messages.last().text, QStringLiteral("You must choose a bird name."));
        EXPECT_EQ(messages.last().title, QStringLiteral("Wingfolio"));
        EXPECT_EQ(messages.last().icon, MsgIcon::None);
        d.reject();
    });
    w.toolButton("Sighting")->trigger();
    EXPECT_EQ(startup->state().db().rowCount("sighting"), 0);
}

TEST_F(SightingEditorTest, ShownGridIsRefreshedAfterASave) {
    const qint64 emu = birdId("Emu");
    addSighting(emu, QDate(2020, 1, 1));
    frmMain& w = start();
    w.clickNode(QStringLiteral("S%1").arg(emu));
    ASSERT_EQ(w.fg1()->rowCount(), 1);
    queueSave([](QDialog& d) { typeBird(d, "Emu"); });
    w.toolButton("Sighting")->trigger();
    EXPECT_EQ(w.fg1()->rowCount(), 2);
}

TEST_F(SightingEditorTest, DatesTypedInFourLocalesAreStoredAsMeant) {
    const qint64 emu = birdId("Emu");
    const QLocale before;
    frmMain& w = start();
    const QDate may3(2026, 5, 3);
    struct Case {
        QLocale locale;
        QStringList typed;  // each makes 3 May 2026
    };
    const Case cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedKingdom),
         {"03/05/2026", "03052026", "3/5/26", "3.5.2026", "2026-05-03"}},
        {QLocale(QLocale::English, QLocale::UnitedStates),
         {"05/03/2026", "05032026", "5/3/26", "2026-05-03"}},
        {QLocale(QLocale::German, QLocale::Germany),
         {"03.05.2026", "03052026", "3.5.26", "2026-05-03"}},
        {QLocale(QLocale::Swedish, QLocale::Sweden), {"2026-05-03", "20260503", "2026 5 3"}},
    };
    int stored = 0;
    for (const Case& c : cases) {
        QLocale::setDefault(c.locale);
        dialogs.queue([&](QDialog& d) {
            auto* date = d.findChild<DateField*>("DTPicker1");
            user::focus(d.findChild<QComboBox*>("cmbBird"));
            for (const QString& typed : c.typed) {
                SCOPED_TRACE(qPrintable(c.locale.name() + u' ' + typed));
                // After Save and Next the bird box has the focus again.
                ASSERT_TRUE(d.findChild<QComboBox*>("cmbBird")->hasFocus());
                user::type(&d, QStringLiteral("Emu"));
                user::key(&d, Qt::Key_Tab);
                ASSERT_TRUE(date->hasFocus());
                user::type(&d, typed);
                // A separator never leaves the field; Tab does.
                EXPECT_TRUE(date->hasFocus());
                user::key(&d, Qt::Key_Tab);
                EXPECT_TRUE(d.findChild<QLineEdit*>("txtTime")->hasFocus());
                EXPECT_EQ(date->date(), may3);
                user::key(&d, Qt::Key_Tab, Qt::ShiftModifier);
                EXPECT_TRUE(date->hasFocus());
                user::key(&d, Qt::Key_Return, Qt::ControlModifier);  // Save and Next
                ++stored;
            }
            user::key(&d, Qt::Key_Escape);  // nothing typed since: closes at once
            EXPECT_FALSE(d.isVisible());
        });
        w.toolButton("Sighting")->trigger();
    }
    QLocale::setDefault(before);
    const std::vector<Sighting> rows = startup->state().db().sightingsOf(emu);
    ASSERT_EQ(int(rows.size()), stored);
    for (const Sighting& s : rows) {
        EXPECT_EQ(s.date, may3);
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SightingEditorTest, TwoDigitYearsAndImpossibleDatesAreNeverChangedSilently) {
    const qint64 emu = birdId("Emu");
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        auto* date = d.findChild<DateField*>("DTPicker1");
        user::focus(d.findChild<QComboBox*>("cmbBird"));
        user::type(&d, QStringLiteral("Emu"));
        user::key(&d, Qt::Key_Tab);
        user::type(&d, QStringLiteral("31022026"));
        user::key(&d, Qt::Key_Tab);
        // Left as typed and marked, and Save refuses it in place.
        EXPECT_EQ(date->text(), QStringLiteral("31/02/2026"));
        EXPECT_TRUE(date->markedInvalid());
        user::click(d.findChild<QPushButton*>("cmdSave"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(date->hasFocus());
        EXPECT_TRUE(startup->state().db().sightingsOf(emu).empty());
        // The slip corrected: a two-digit year is this century's.
        user::type(&d, QStringLiteral("150625"));
        EXPECT_FALSE(date->markedInvalid());
        user::key(&d, Qt::Key_Tab);
        EXPECT_EQ(date->text(), QStringLiteral("15/06/2025"));
        // The day mended in place: Home, Delete twice, then the new day.
        user::key(&d, Qt::Key_Tab, Qt::ShiftModifier);
        user::key(&d, Qt::Key_Home);
        user::key(&d, Qt::Key_Delete);
        user::key(&d, Qt::Key_Delete);
        user::type(&d, QStringLiteral("16"));
        EXPECT_EQ(date->text(), QStringLiteral("16/06/2025"));
        EXPECT_EQ(date->date(), QDate(2025, 6, 16));
        user::click(d.findChild<QPushButton*>("cmdSave"));
        EXPECT_FALSE(d.isVisible());
    });
    w.toolButton("Sighting")->trigger();
    QLocale::setDefault(before);
    const std::vector<Sighting> rows = startup->state().db().sightingsOf(emu);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].date, QDate(2025, 6, 16));
    EXPECT_TRUE(messages.shown().empty());  // no box: the field said it
}

TEST_F(SightingEditorTest, PlacesComeFromTheLastTypedSightingNeverAnImport) {
    const qint64 emu = birdId("Emu");
    Sighting home;
    home.birdid = emu;
    home.date = QDate(2026, 5, 1);
    home.site = "Home garden";
    home.country = "England";
    journal().appendSighting(home);
    Sighting crane = home;
    crane.site = "Crane Centre";
    crane.country = "Japan";
    crane.region = "Asia";
    SightingDetail imported;
    imported.source = "eBird";
    imported.submissionId = "S1";
    journal().inTransaction([&] { SightingWriter(journal()).append(crane, &imported); });
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.findChild<QLineEdit*>("txtSite")->text(), QStringLiteral("Home garden"));
        EXPECT_EQ(d.findChild<QComboBox*>("cmbCountry")->currentText(), QStringLiteral("England"));
        EXPECT_TRUE(d.findChild<QComboBox*>("cmbRegion")->currentText().isEmpty());
    });
    w.toolButton("Sighting")->trigger();
}

TEST_F(SightingEditorTest, OnlyImportedSightingsLeaveThePlaceEmpty) {
    Sighting crane;
    crane.birdid = birdId("Emu");
    crane.site = "Crane Centre";
    SightingDetail imported;
    imported.source = "eBird";
    journal().inTransaction([&] { SightingWriter(journal()).append(crane, &imported); });
    frmMain& w = start();
    dialogs.queue(
        [&](QDialog& d) { EXPECT_TRUE(d.findChild<QLineEdit*>("txtSite")->text().isEmpty()); });
    w.toolButton("Sighting")->trigger();
}

TEST_F(SightingEditorTest, SaveAndNextKeepsTheDayAndPlaceWithCountsAndTimes) {
    const qint64 emu = birdId("Emu");
    const qint64 ostrich = birdId("Common Ostrich");
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        auto* bird = d.findChild<QComboBox*>("cmbBird");
        user::focus(bird);
        user::type(&d, QStringLiteral("Emu"));
        user::key(&d, Qt::Key_Tab);              // date: today
        user::key(&d, Qt::Key_Tab);              // time
        user::type(&d, QStringLiteral("0775"));  // a slip
        user::key(&d, Qt::Key_Return, Qt::ControlModifier);
        auto* time = d.findChild<QLineEdit*>("txtTime");
        EXPECT_TRUE(time->hasFocus());  // refused in place, nothing stored
        EXPECT_TRUE(time->property("invalid").toBool());
        EXPECT_TRUE(startup->state().db().sightingsOf(emu).empty());
        user::key(&d, Qt::Key_Backspace);
        user::key(&d, Qt::Key_Backspace);
        user::type(&d, QStringLiteral("15"));
        EXPECT_FALSE(time->property("invalid").toBool());
        user::key(&d, Qt::Key_Tab);  // type
        user::key(&d, Qt::Key_Tab);  // count
        user::type(&d, QStringLiteral("3"));
        user::key(&d, Qt::Key_Tab);
        ASSERT_TRUE(d.findChild<QLineEdit*>("txtSite")->hasFocus());
        user::type(&d, QStringLiteral("Rutland Water"));
        user::focus(d.findChild<QLineEdit*>("txtNotes"));
        user::type(&d, QStringLiteral("on the lagoon"));
        user::key(&d, Qt::Key_Return, Qt::ControlModifier);
        // Stored; the next starts on the same day and at the same place.
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(bird->hasFocus());
        EXPECT_TRUE(bird->currentText().isEmpty());
        EXPECT_TRUE(d.findChild<QLineEdit*>("txtCount")->text().isEmpty());
        EXPECT_TRUE(d.findChild<QLineEdit*>("txtNotes")->text().isEmpty());
        EXPECT_EQ(d.findChild<QLineEdit*>("txtSite")->text(), QStringLiteral("Rutland Water"));
        EXPECT_EQ(d.findChild<QLineEdit*>("txtTime")->text(), QStringLiteral("0715"));
        EXPECT_EQ(d.findChild<DateField*>("DTPicker1")->date(), clock.now().date());
        // A count is a number or X; other keys do not go in.
        user::type(&d, QStringLiteral("Common Ostrich"));
        user::focus(d.findChild<QLineEdit*>("txtCount"));
        user::type(&d, QStringLiteral("ax"));
        EXPECT_EQ(d.findChild<QLineEdit*>("txtCount")->text(), QStringLiteral("x"));
        user::key(&d, Qt::Key_Return);  // Save
        EXPECT_FALSE(d.isVisible());
    });
    w.toolButton("Sighting")->trigger();
    Store& db = startup->state().db();
    const std::vector<Sighting> emus = db.sightingsOf(emu);
    ASSERT_EQ(emus.size(), 1u);
    EXPECT_EQ(emus[0].count, QStringLiteral("3"));
    EXPECT_EQ(emus[0].time, QTime(7, 15));
    EXPECT_EQ(emus[0].site, QStringLiteral("Rutland Water"));
    EXPECT_EQ(emus[0].notes, QStringLiteral("on the lagoon"));
    EXPECT_EQ(db.sightingDetail(emus[0].id)->count, QStringLiteral("3"));
    const std::vector<Sighting> ostriches = db.sightingsOf(ostrich);
    ASSERT_EQ(ostriches.size(), 1u);
    EXPECT_EQ(ostriches[0].count, QStringLiteral("X"));
    EXPECT_TRUE(ostriches[0].notes.isEmpty());
    EXPECT_EQ(ostriches[0].site, QStringLiteral("Rutland Water"));
    // The grid shows the time and the count.
    w.clickNode(QStringLiteral("S%1").arg(emu));
    ASSERT_EQ(w.fg1()->rowCount(), 1);
    EXPECT_EQ(w.fg1()->headerText(2).trimmed(), QStringLiteral("Time"));
    EXPECT_EQ(w.fg1()->text(0, 2), QLocale::system().toString(QTime(7, 15), QLocale::ShortFormat));
    EXPECT_EQ(w.fg1()->text(0, 3), QStringLiteral("3"));
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List = 2"));
}

TEST_F(SightingEditorTest, ANameNotInTheWorldListIsQuestionedWithTheNearestNames) {
    frmMain& w = start();
    Store* db = nullptr;
    QStringList offered;
    dialogs.queue([&](QDialog& d) {
        db = &startup->state().db();
        user::focus(d.findChild<QComboBox*>("cmbBird"));
        user::type(&d, QStringLiteral("Comon Ostrich"));
        user::click(d.findChild<QPushButton*>("cmdSave"));
        // No: back to the box, nothing stored.
        EXPECT_TRUE(d.isVisible());
        auto* bird = d.findChild<QComboBox*>("cmbBird");
        EXPECT_TRUE(d.focusWidget() == bird || d.focusWidget() == bird->lineEdit())
            << d.focusWidget()->metaObject()->className() << " "
            << d.focusWidget()->objectName().toStdString();
        EXPECT_EQ(db->rowCount("sighting"), 0);
        user::click(d.findChild<QPushButton*>("cmdSave"));
        EXPECT_FALSE(d.isVisible());
    });
    dialogs.queue([&](QDialog& q) {
        EXPECT_EQ(q.findChild<QLabel*>("lblQuestion")->text(),
                  QStringLiteral("\u201cComon Ostrich\u201d is not in the world list. Add it as a "
                                 "new bird?"));
        auto* list = q.findChild<QListWidget*>("lstNearest");
        for (int i = 0; i < list->count(); ++i) {
            offered << list->item(i)->text();
        }
        user::key(&q, Qt::Key_Return);  // No is the default
    });
    dialogs.queue([&](QDialog& q) {
        // The nearest name, picked from the list with the keyboard.
        auto* list = q.findChild<QListWidget*>("lstNearest");
        user::focus(list);
        list->setCurrentRow(0);
        user::key(&q, Qt::Key_Return);
    });
    w.toolButton("Sighting")->trigger();
    ASSERT_FALSE(offered.isEmpty());
    EXPECT_LE(offered.size(), 5);
    EXPECT_EQ(offered.front(), QStringLiteral("Common Ostrich"));
    EXPECT_EQ(db->rowCount("birds"), 11131);  // no bird added
    EXPECT_EQ(db->sightingsOf(birdId("Common Ostrich")).size(), 1u);

    // Yes adds it.
    dialogs.queue([&](QDialog& d) {
        user::focus(d.findChild<QComboBox*>("cmbBird"));
        user::type(&d, QStringLiteral("Zebra Test Finch"));
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    dialogs.queue([&](QDialog& q) { user::click(q.findChild<QPushButton*>("cmdYes")); });
    w.toolButton("Sighting")->trigger();
    EXPECT_EQ(db->rowCount("birds"), 11132);
    EXPECT_TRUE(db->findSubject(Category::Birds, "Zebra Test Finch"));
}

TEST_F(SightingEditorTest, ClosingWithChangesAsksBeforeDiscardingThem) {
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        user::key(&d, Qt::Key_Escape);  // nothing changed: closes at once
        EXPECT_FALSE(d.isVisible());
    });
    w.toolButton("Sighting")->trigger();
    EXPECT_TRUE(messages.shown().empty());
    dialogs.queue([&](QDialog& d) {
        user::focus(d.findChild<QLineEdit*>("txtNotes"));
        user::type(&d, QStringLiteral("a pair"));
        messages.queue(MsgAnswer::No);
        user::key(&d, Qt::Key_Escape);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().text, QStringLiteral("Discard your changes?"));
        EXPECT_EQ(messages.last().yesText, QStringLiteral("&Discard"));
        EXPECT_EQ(messages.last().noText, QStringLiteral("&Keep Editing"));
        EXPECT_TRUE(messages.last().noIsDefault);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.findChild<QLineEdit*>("txtNotes")->text(), QStringLiteral("a pair"));
        messages.queue(MsgAnswer::No);
        user::click(d.findChild<QPushButton*>("cmdClose"));
        EXPECT_TRUE(d.isVisible());
        messages.queue(MsgAnswer::Yes);
        d.close();  // the close box
        EXPECT_FALSE(d.isVisible());
    });
    w.toolButton("Sighting")->trigger();
    EXPECT_EQ(messages.shown().size(), 3u);
    EXPECT_EQ(startup->state().db().rowCount("sighting"), 0);
}

TEST_F(SightingEditorTest, ADateInTheFutureIsQuestioned) {
    const qint64 emu = birdId("Emu");
    frmMain& w = start();
    const QDate tomorrow = clock.now().date().addDays(1);
    dialogs.queue([&](QDialog& d) {
        user::focus(d.findChild<QComboBox*>("cmbBird"));
        user::type(&d, QStringLiteral("Emu"));
        user::key(&d, Qt::Key_Tab);  // into the date, selected whole
        ASSERT_TRUE(d.findChild<DateField*>("DTPicker1")->hasFocus());
        user::type(&d, tomorrow.toString(Qt::ISODate));
        messages.queue(MsgAnswer::No);
        user::click(d.findChild<QPushButton*>("cmdSave"));
        EXPECT_EQ(messages.last().text,
                  QStringLiteral("The date is in the future. Save it anyway?"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(startup->state().db().sightingsOf(emu).empty());
        messages.queue(MsgAnswer::Yes);
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    w.toolButton("Sighting")->trigger();
    ASSERT_EQ(startup->state().db().sightingsOf(emu).size(), 1u);
    EXPECT_EQ(startup->state().db().sightingsOf(emu)[0].date, tomorrow);
}

TEST(DateFieldFormat, FollowsTheLocalesOrder) {
    EXPECT_EQ(DateField::displayFormatFor(QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("MM/dd/yyyy"));
    EXPECT_EQ(DateField::displayFormatFor(QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(DateField::displayFormatFor(QLocale(QLocale::Swedish, QLocale::Sweden)),
              QStringLiteral("yyyy-MM-dd"));
}

TEST_F(SightingEditorTest, ASightingIsCorrectedInPlaceFromTheGrid) {
    const qint64 emu = birdId("Emu");
    const qint64 ostrich = birdId("Common Ostrich");
    const qint64 first = addSighting(emu, QDate(2020, 1, 1), "Marsh");
    addSighting(emu, QDate(2019, 1, 1), "Lake");
    frmMain& w = start();
    w.show();
    w.clickNode(QStringLiteral("S%1").arg(emu));
    ASSERT_EQ(w.fg1()->rowCount(), 2);
    ASSERT_EQ(w.fg1()->text(0, 5), QStringLiteral("Marsh"));
    // A double-click on the row opens the editor filled with it.
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Edit Sighting"));
        EXPECT_EQ(d.findChild<QLabel*>("lblHeading")->text(),
                  QStringLiteral("Sighting of Emu on ") + words::date(QDate(2020, 1, 1)));
        EXPECT_FALSE(d.findChild<QPushButton*>("cmdSaveNext")->isVisible());
        EXPECT_EQ(d.findChild<QComboBox*>("cmbBird")->currentText(), QStringLiteral("Emu"));
        EXPECT_EQ(d.findChild<DateField*>("DTPicker1")->date(), QDate(2020, 1, 1));
        auto* site = d.findChild<QLineEdit*>("txtSite");
        EXPECT_EQ(site->text(), QStringLiteral("Marsh"));
        user::focus(site);
        site->selectAll();
        user::type(&d, QStringLiteral("Salt marsh"));
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    const QRect cell = w.fg1()->visualRect(w.fg1()->model()->index(0, 5));
    user::doubleClick(w.fg1()->viewport(), cell.center());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(startup->state().db().sighting(first)->site, QStringLiteral("Salt marsh"));
    EXPECT_EQ(startup->state().db().rowCount("sighting"), 2);  // changed, not added
    EXPECT_EQ(w.fg1()->text(0, 5), QStringLiteral("Salt marsh"));
    // Edit Entry with a row of the grid current: the bird itself is corrected.
    w.fg1()->setCurrentRow(0);
    dialogs.queue([&](QDialog& d) {
        auto& e = static_cast<frmSight&>(d);
        e.picker().setText(QStringLiteral("Common Ostrich"));
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    ASSERT_TRUE(w.toolButton("Edit")->isEnabled());
    w.toolButton("Edit")->trigger();
    EXPECT_EQ(startup->state().db().sighting(first)->birdid, ostrich);
    EXPECT_EQ(w.fg1()->rowCount(), 1);
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List = 2"));
}

TEST_F(SightingEditorTest, CoordinatesAreTypedCheckedAndKeptWithTheSighting) {
    const qint64 emu = birdId("Emu");
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        typeBird(d, "Emu");
        auto* lat = d.findChild<QLineEdit*>("txtLatitude");
        auto* lon = d.findChild<QLineEdit*>("txtLongitude");
        // Below the region, in the form's order.
        user::focus(d.findChild<QComboBox*>("cmbRegion"));
        user::key(&d, Qt::Key_Tab);
        EXPECT_TRUE(lat->hasFocus());
        user::key(&d, Qt::Key_Tab);
        EXPECT_TRUE(lon->hasFocus());
        user::key(&d, Qt::Key_Tab);
        EXPECT_TRUE(d.findChild<QComboBox*>("cmbOuting")->hasFocus());
        user::key(&d, Qt::Key_Tab);
        EXPECT_TRUE(d.findChild<QLineEdit*>("txtNotes")->hasFocus());
        // A slip: 95 degrees north is no place; the box says so and keeps the focus.
        user::focus(lat);
        user::type(&d, QStringLiteral("95"));
        user::focus(lon);
        user::type(&d, QStringLiteral("151,21"));  // a decimal comma is read too
        user::click(d.findChild<QPushButton*>("cmdSave"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(lat->hasFocus());
        EXPECT_TRUE(lat->toolTip().contains(QStringLiteral("latitude")));
        lat->selectAll();
        user::type(&d, QStringLiteral("-33.87"));
        user::click(d.findChild<QPushButton*>("cmdSave"));
        EXPECT_FALSE(d.isVisible());
    });
    w.toolButton("Sighting")->trigger();
    Store& db = startup->state().db();
    ASSERT_EQ(db.sightingsOf(emu).size(), 1u);
    const Sighting s = db.sightingsOf(emu)[0];
    EXPECT_EQ(s.latitude, QStringLiteral("-33.87"));
    EXPECT_EQ(s.longitude, QStringLiteral("151.21"));
    ASSERT_EQ(placeDots(db, Area::World, {}, emu).size(), 1u);
    // Corrected in Edit Sighting (a double-click on its row): cleared, the
    // place is forgotten.
    w.show();
    w.clickNode(QStringLiteral("S%1").arg(emu));
    ASSERT_EQ(w.fg1()->rowCount(), 1);
    dialogs.queue([&](QDialog& d) {
        auto* lat = d.findChild<QLineEdit*>("txtLatitude");
        EXPECT_EQ(lat->text(), QStringLiteral("-33.87"));
        lat->clear();
        d.findChild<QLineEdit*>("txtLongitude")->clear();
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    user::doubleClick(w.fg1()->viewport(),
                      w.fg1()->visualRect(w.fg1()->model()->index(0, 5)).center());
    EXPECT_TRUE(db.sighting(s.id)->latitude.isEmpty());
    EXPECT_TRUE(placeDots(db, Area::World, {}, emu).empty());
}

TEST_F(SightingEditorTest, SightingsGoIntoAnOutingThatSaveAndNextKeeps) {
    const qint64 emu = birdId("Emu");
    const qint64 mallard = birdId("Mallard");
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        auto* outing = d.findChild<QComboBox*>("cmbOuting");
        // No outing yet on this day at this site: none, or a new one.
        ASSERT_EQ(outing->count(), 2);
        EXPECT_EQ(outing->currentText(), QStringLiteral("None"));
        d.findChild<QLineEdit*>("txtSite")->setText(QStringLiteral("Rutland Water"));
        user::focus(outing);
        user::key(&d, Qt::Key_Down);
        EXPECT_EQ(outing->currentText(), QStringLiteral("New outing"));
        typeBird(d, "Emu");
        user::key(&d, Qt::Key_Return, Qt::ControlModifier);  // Save and Next
        // The next sighting goes into the outing just made.
        EXPECT_EQ(outing->count(), 3);
        EXPECT_TRUE(outing->currentText().contains(QStringLiteral("Rutland Water")));
        typeBird(d, "Mallard");
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    w.toolButton("Sighting")->trigger();
    Store& db = startup->state().db();
    ASSERT_EQ(db.outingList().size(), 1u);
    const ListedOuting made = db.outingList().front();
    EXPECT_EQ(made.site, QStringLiteral("Rutland Water"));
    EXPECT_EQ(made.species, 2);
    const qint64 mallardSighting = db.sightingsOf(mallard).front().id;
    EXPECT_EQ(db.outingOf(db.sightingsOf(emu).front().id), made.id);
    EXPECT_EQ(db.outingOf(mallardSighting), made.id);
    // Edit Sighting takes the Mallard out of it: the outing has the Emu only.
    w.show();
    w.clickNode(QStringLiteral("S%1").arg(mallard));
    dialogs.queue([&](QDialog& d) {
        auto* outing = d.findChild<QComboBox*>("cmbOuting");
        EXPECT_TRUE(outing->currentText().contains(QStringLiteral("Rutland Water")));
        outing->setCurrentIndex(outing->findData(qint64(0)));
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    user::doubleClick(w.fg1()->viewport(),
                      w.fg1()->visualRect(w.fg1()->model()->index(0, 5)).center());
    EXPECT_FALSE(db.outingOf(mallardSighting));
    EXPECT_EQ(db.outingList().front().species, 1);
}
