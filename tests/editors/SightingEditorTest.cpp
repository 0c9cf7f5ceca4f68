// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "DateField.h"
#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "NodeRef.h"
#include "SubjectPicker.h"
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
        EXPECT_EQ(d.findChild<QDateEdit*>("DTPicker1")->date(), clock.now().date());
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

TEST_F(SightingEditorTest, ADateIsTypedDayMonthYearAndTabLeavesTheField) {
    const qint64 emu = birdId("Emu");
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    frmMain& w = start();
    dialogs.queue([&](QDialog& d) {
        auto* date = d.findChild<QDateEdit*>("DTPicker1");
        ASSERT_EQ(date->displayFormat(), QStringLiteral("dd/MM/yyyy"));
        user::focus(d.findChild<QComboBox*>("cmbBird"));
        user::type(&d, QStringLiteral("Emu"));
        user::key(&d, Qt::Key_Tab);
        ASSERT_TRUE(date->hasFocus());
        user::type(&d, QStringLiteral("21032024"));
        EXPECT_EQ(date->date(), QDate(2024, 3, 21));
        // Left goes back a section, and typing replaces it.
        user::key(&d, Qt::Key_Left);
        user::key(&d, Qt::Key_Left);
        user::type(&d, QStringLiteral("04"));
        EXPECT_EQ(date->date(), QDate(2024, 3, 4));
        user::key(&d, Qt::Key_Tab);
        EXPECT_TRUE(d.findChild<QComboBox*>("cmbType")->hasFocus());
        user::key(&d, Qt::Key_Tab);
        EXPECT_TRUE(d.findChild<QLineEdit*>("txtSite")->hasFocus());
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    w.toolButton("Sighting")->trigger();
    QLocale::setDefault(before);
    const std::vector<Sighting> rows = startup->state().db().sightingsOf(emu);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].date, QDate(2024, 3, 4));
}

TEST_F(SightingEditorTest, ADateInTheFutureIsQuestioned) {
    const qint64 emu = birdId("Emu");
    frmMain& w = start();
    const QDate tomorrow = clock.now().date().addDays(1);
    dialogs.queue([&](QDialog& d) {
        typeBird(d, "Emu");
        d.findChild<QDateEdit*>("DTPicker1")->setDate(tomorrow);
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
    ASSERT_EQ(w.fg1()->item(0, 3)->text(), QStringLiteral("Marsh"));
    // A double-click on the row opens the editor filled with it.
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Edit Sighting"));
        EXPECT_EQ(d.findChild<QComboBox*>("cmbBird")->currentText(), QStringLiteral("Emu"));
        EXPECT_EQ(d.findChild<QDateEdit*>("DTPicker1")->date(), QDate(2020, 1, 1));
        auto* site = d.findChild<QLineEdit*>("txtSite");
        EXPECT_EQ(site->text(), QStringLiteral("Marsh"));
        user::focus(site);
        site->selectAll();
        user::type(&d, QStringLiteral("Salt marsh"));
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    const QRect cell = w.fg1()->visualRect(w.fg1()->model()->index(0, 3));
    user::doubleClick(w.fg1()->viewport(), cell.center());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(startup->state().db().sighting(first)->site, QStringLiteral("Salt marsh"));
    EXPECT_EQ(startup->state().db().rowCount("sighting"), 2);  // changed, not added
    EXPECT_EQ(w.fg1()->item(0, 3)->text(), QStringLiteral("Salt marsh"));
    // Edit Entry with a row of the grid current: the bird itself is corrected.
    w.fg1()->setCurrentCell(0, 1);
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
