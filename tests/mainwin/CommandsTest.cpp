// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>

#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "NodeRef.h"
#include "SightingGrid.h"
#include "Words.h"
#include "frmHelp.h"
#include "frmRelated.h"

using namespace wf;
using namespace wf::test;

namespace {

class CommandsTest : public MainWindowFixture {
  protected:
    qint64 emu = 0;
    void SetUp() override { emu = birdId("Emu"); }
    static QStringList children(const QTreeWidgetItem* root) {
        QStringList out;
        for (int i = 0; i < root->childCount(); ++i) {
            out << root->child(i)->data(0, Qt::UserRole).toString() + u' ' +
                       root->child(i)->text(0);
        }
        return out;
    }
};

// Clicks a node with the mouse, as a person does.
void clickNode(frmMain& w, const QString& key) {
    const NodeRef item = findNode(w.nodes(), key);
    ASSERT_NE(item, nullptr) << key.toStdString();
    w.nodes().ensureVisible(key);
    user::click(w.tv1()->viewport(), (item).rect().center());
}

void clickButton(frmMain& w, const char* key) {
    user::click(w.tbMain()->widgetForAction(w.toolButton(QString::fromLatin1(key))));
}

}  // namespace

TEST_F(CommandsTest, AfterADeleteNothingIsShownAndNoEntryIsCurrent) {
    const qint64 a1 = addEntry(Category::Birds, emu, kArticle, "First", " ", "{\\rtf1 one}");
    const qint64 a2 = addEntry(Category::Birds, emu, kArticle, "Second", " ", "{\\rtf1 two}");
    frmMain& w = start();
    w.show();
    clickNode(w, QStringLiteral("A%1").arg(a1));
    ASSERT_EQ(w.rtb()->toPlainText(), QStringLiteral("one"));
    messages.queue(MsgAnswer::Yes);
    clickButton(w, "Delete");
    EXPECT_FALSE(startup->state().db().entry(a1));
    // The neighbour is not shown as if clicked, and nothing is left to act on.
    EXPECT_TRUE(w.lbltitle()->text().isEmpty());
    EXPECT_TRUE(w.rtb()->toPlainText().isEmpty());
    EXPECT_FALSE(w.toolButton("Delete")->isEnabled());
    EXPECT_FALSE(w.toolButton("Edit")->isEnabled());
    EXPECT_FALSE(w.menuItem("mnuEditDelete")->isEnabled());
    EXPECT_TRUE(startup->state().CurrentEntryKind.isEmpty());
    // A second Delete (from the menu, had it been left on) would find nothing.
    w.menuItem("mnuEditDelete")->trigger();
    EXPECT_TRUE(startup->state().db().entry(a2));
}

TEST_F(CommandsTest, SwitchingTheListDisablesTheEntryCommands) {
    const qint64 garden = journal().addSubject(Category::Topics, "Garden");
    const qint64 t = addEntry(Category::Topics, garden, kArticle, "Pond", " ", "{\\rtf1 frogs}");
    frmMain& w = start();
    w.show();
    user::click(w.findChild<QRadioButton*>("optCat(1)"), QPoint(8, 8));
    clickNode(w, QStringLiteral("A%1").arg(t));
    ASSERT_TRUE(w.toolButton("Edit")->isEnabled());
    user::click(w.findChild<QRadioButton*>("optCat(0)"), QPoint(8, 8));
    EXPECT_FALSE(w.toolButton("Edit")->isEnabled());
    EXPECT_FALSE(w.toolButton("Delete")->isEnabled());
    EXPECT_FALSE(w.menuItem("mnuEditEntry")->isEnabled());
    EXPECT_FALSE(w.menuItem("mnuEditDelete")->isEnabled());
    // Even reached by code, Edit opens nothing for the stale entry.
    w.menuItem("mnuEditEntry")->trigger();
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(CommandsTest, DeletingAPictureAsksWhetherToEraseItsFile) {
    const qint64 keep = addEntry(Category::Birds, emu, kImage, "Keep", "keep.jpg");
    const qint64 erase = addEntry(Category::Birds, emu, kImage, "Erase", "erase.jpg");
    const qint64 escape = addEntry(Category::Birds, emu, kImage, "Escape", "../aviary.mdb");
    writePicture("keep.jpg", QSize(10, 10));
    writePicture("erase.jpg", QSize(10, 10));
    frmMain& w = start();
    w.clickNode(QStringLiteral("I%1").arg(keep));
    messages.queue(MsgAnswer::Yes);
    messages.queue(MsgAnswer::No);
    w.toolButton("Delete")->trigger();
    EXPECT_EQ(messages.shown()[0].text,
              QStringLiteral("Do you really want to delete the current entry?"));
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Delete current Entry"));
    EXPECT_EQ(messages.shown()[1].title, QStringLiteral("Delete Image"));
    EXPECT_FALSE(startup->state().db().entry(keep));
    EXPECT_FALSE(w.nodes().contains(QStringLiteral("I%1").arg(keep)));
    EXPECT_TRUE(QFile::exists(dataDir() + "/Images/keep.jpg"));
    EXPECT_TRUE(w.lbltitle()->text().isEmpty());

    w.clickNode(QStringLiteral("I%1").arg(erase));
    messages.queue(MsgAnswer::Yes);
    messages.queue(MsgAnswer::Yes);
    w.menuItem("mnuEditDelete")->trigger();
    EXPECT_FALSE(QFile::exists(dataDir() + "/Images/erase.jpg"));

    // A name leading out of the Images folder is never erased.
    w.clickNode(QStringLiteral("I%1").arg(escape));
    messages.queue(MsgAnswer::Yes);
    messages.queue(MsgAnswer::Yes);
    w.toolButton("Delete")->trigger();
    EXPECT_FALSE(startup->state().db().entry(escape));
    EXPECT_TRUE(QFile::exists(dataDir() + "/aviary.mdb"));
}

TEST_F(CommandsTest, DeletingARowThatVanishedSaysSo) {
    const qint64 a = addEntry(Category::Birds, emu, kArticle, "Gone soon", " ", "{\\rtf1 x}");
    frmMain& w = start();
    w.clickNode(QStringLiteral("A%1").arg(a));
    startup->state().db().deleteEntry(a);
    w.toolButton("Delete")->trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().text, QStringLiteral("Error deleteing entry. Record not available"));
    EXPECT_EQ(messages.last().title, QStringLiteral("Error deleting record"));
}

TEST_F(CommandsTest, DeletingSightingsAllOrOneFromTheGrid) {
    addSighting(emu, QDate(2020, 1, 1), "A");
    addSighting(emu, QDate(2021, 1, 1), "B");
    const qint64 ostrich = birdId("Common Ostrich");
    addSighting(ostrich, QDate(2022, 1, 1));
    frmMain& w = start();
    ASSERT_EQ(w.panel("Life")->text(), QStringLiteral("World List = 2"));

    // One sighting, with the grid focused.
    w.clickNode(QStringLiteral("S%1").arg(emu));
    w.fg1()->setFocus();
    QApplication::setActiveWindow(&w);
    w.fg1()->setCurrentRow(0);
    messages.queue(MsgAnswer::Yes);
    w.toolButton("Delete")->trigger();
    EXPECT_EQ(messages.last().title, QStringLiteral("Delete Sighting"));
    // The question names the sighting, and Enter keeps it.
    EXPECT_EQ(messages.last().text, QStringLiteral("Delete the sighting of Emu on %1 at B?")
                                        .arg(words::date(QDate(2021, 1, 1))));
    EXPECT_EQ(messages.last().yesText, QStringLiteral("&Delete"));
    EXPECT_TRUE(messages.last().noIsDefault);
    ASSERT_EQ(w.fg1()->rowCount(), 1);
    EXPECT_EQ(w.fg1()->text(0, 5), QStringLiteral("A"));
    messages.queue(MsgAnswer::Yes);
    w.toolButton("Delete")->trigger();
    EXPECT_EQ(w.fg1()->rowCount(), 0);
    EXPECT_FALSE(w.toolButton("Delete")->isEnabled());
    EXPECT_FALSE(w.menuItem("mnuEditDelete")->isEnabled());
    EXPECT_FALSE(w.nodes().contains(QStringLiteral("S%1").arg(emu)));
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List = 2"));  // not recounted

    // All sightings of a bird, from its node.
    w.clickNode(QStringLiteral("S%1").arg(ostrich));
    w.tv1()->setFocus();
    messages.queue(MsgAnswer::Yes);
    w.toolButton("Delete")->trigger();
    EXPECT_EQ(messages.last().title, QStringLiteral("Delete All Sightings"));
    EXPECT_TRUE(
        messages.last().text.startsWith(QStringLiteral("This will delete all the sightings")));
    EXPECT_TRUE(startup->state().db().sightingsOf(ostrich).empty());
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List "));
}

TEST_F(CommandsTest, RelatedEntriesListTheSubjectAndShowWhatIsClicked) {
    const qint64 img = addEntry(Category::Birds, emu, kImage, "Nest", "nest.jpg");
    const qint64 art = addEntry(Category::Birds, emu, kArticle, "Zeal", " ", "{\\rtf1 words}");
    const qint64 lnk = addEntry(Category::Birds, emu, kLink, "Guide", "https://x.example/");
    writePicture("nest.jpg", QSize(12, 12));
    addSighting(emu, QDate(2020, 2, 2));
    frmMain& w = start();
    choose(w, "All Images");
    w.clickNode(QStringLiteral("I%1").arg(img));
    ASSERT_TRUE(w.toolButton("Related")->isEnabled());
    dialogs.queue([&](QDialog& d) {
        auto& r = static_cast<frmRelated&>(d);
        QTreeWidgetItem* root = r.tv2()->topLevelItem(0);
        EXPECT_EQ(root->text(0), QStringLiteral("Related Entries"));
        EXPECT_EQ(children(root),
                  QStringList({QStringLiteral("A%1 Zeal").arg(art),
                               QStringLiteral("I%1 Emu Nest").arg(img),
                               QStringLiteral("L%1 Guide").arg(lnk),
                               QStringLiteral("S%1 Emu Sighting History").arg(emu)}));
        r.clickNode("Birds");  // the root changes nothing
        EXPECT_TRUE(d.isVisible());
        r.clickNode(QStringLiteral("A%1").arg(art));
        EXPECT_FALSE(d.isVisible());
    });
    w.toolButton("Related")->trigger();
    EXPECT_EQ(w.rtb()->toPlainText(), QStringLiteral("words"));
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Emu : Zeal"));
    EXPECT_FALSE(w.toolButton("Edit")->isEnabled());
    EXPECT_FALSE(w.toolButton("Delete")->isEnabled());

    // From a sightings node: the entries, no history node; a vanished row.
    choose(w, "All Sightings");
    w.clickNode(QStringLiteral("S%1").arg(emu));
    dialogs.queue([&](QDialog& d) {
        auto& r = static_cast<frmRelated&>(d);
        EXPECT_EQ(r.tv2()->topLevelItem(0)->childCount(), 3);
        startup->state().db().deleteEntry(lnk);
        r.clickNode(QStringLiteral("L%1").arg(lnk));
        EXPECT_EQ(messages.last().text,
                  QStringLiteral("Cannot Find the Information for this item."));
        EXPECT_TRUE(d.isVisible());
        r.clickNode(QStringLiteral("I%1").arg(img));
        EXPECT_FALSE(d.isVisible());
    });
    w.toolButton("Related")->trigger();
    EXPECT_TRUE(w.picture()->isVisible());
}

TEST_F(CommandsTest, RelatedForATopicHasNoSightingHistory) {
    const qint64 t = journal().addSubject(Category::Topics, "Garden");
    const qint64 a = addEntry(Category::Topics, t, kArticle, "Pond", " ", "{\\rtf1 x}");
    addEntry(Category::Topics, t, kLink, "Shop", "https://shop.example/");
    frmMain& w = start();
    auto* topics = w.findChild<QRadioButton*>("optCat(1)");
    QTest::mouseClick(topics, Qt::LeftButton, {}, QPoint(8, topics->height() / 2));
    choose(w, "All Articles");
    w.clickNode(QStringLiteral("A%1").arg(a));
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(static_cast<frmRelated&>(d).tv2()->topLevelItem(0)->childCount(), 2);
        d.reject();
    });
    w.toolButton("Related")->trigger();
    EXPECT_EQ(dialogs.shown(), QStringList{"frmRelated"});
}

TEST_F(CommandsTest, OptionsSavedOrCancelledAndTheCountsFollow) {
    Sighting s;
    s.birdid = emu;
    s.country = "wales";
    journal().appendSighting(s);
    frmMain& w = start();
    EXPECT_EQ(w.panel("Country")->text(), QStringLiteral("Country Life List "));
    dialogs.queue([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Options"));
        // The boxes of both groups line up.
        const auto left = [&](const char* name) {
            auto* box = d.findChild<QLineEdit*>(name);
            return box->mapTo(&d, QPoint(0, 0)).x();
        };
        EXPECT_EQ(left("txtRegion"), left("txtSearch"));
        EXPECT_EQ(left("txtDistrict"), left("txtHome"));
        d.findChild<QLineEdit*>("txtCountry")->setText("Wales");
        d.findChild<QLineEdit*>("txtHome")->setText("https://home.example/");
        d.reject();
    });
    w.menuItem("mnuViewOptions")->trigger();
    EXPECT_EQ(w.panel("Country")->text(), QStringLiteral("Country Life List "));
    EXPECT_NE(startup->state().HomeUrl, QStringLiteral("https://home.example/"));
    dialogs.queue([](QDialog& d) {
        d.findChild<QLineEdit*>("txtCountry")->setText("Wales");
        d.findChild<QLineEdit*>("txtHome")->setText("https://home.example/");
        QTest::mouseClick(d.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
    });
    w.menuItem("mnuViewOptions")->trigger();
    EXPECT_EQ(w.panel("Country")->text(), QStringLiteral("Wales List = 1"));
    EXPECT_EQ(startup->state().HomeUrl, QStringLiteral("https://home.example/"));
    EXPECT_EQ(startup->state().db().options().country, QStringLiteral("Wales"));
}

TEST_F(CommandsTest, HelpContentsAndSearch) {
    frmMain& w = start();
    w.menuItem("mnuHelpContents")->trigger();
    ASSERT_NE(w.help(), nullptr);
    EXPECT_TRUE(w.help()->isVisible());
    EXPECT_TRUE(w.help()->browser()->toPlainText().contains("Contents"));
    w.menuItem("mnuHelpSearchForHelpOn")->trigger();
    EXPECT_TRUE(w.help()->browser()->toPlainText().contains("Using this help"));
    w.help()->searchBox()->setText("life list");
    ASSERT_GE(w.help()->results()->count(), 1);
    QTest::mouseClick(w.help()->results()->viewport(), Qt::LeftButton, {},
                      w.help()->results()->visualItemRect(w.help()->results()->item(0)).center());
    EXPECT_FALSE(w.help()->browser()->toPlainText().isEmpty());
}

TEST_F(CommandsTest, CommandsAreReachedByTheirShortcuts) {
    frmMain& w = start();
    QApplication::setActiveWindow(&w);
    w.activateWindow();
    dialogs.queue([](QDialog& d) { d.reject(); });
    QTest::keyClick(&w, Qt::Key_T, Qt::ControlModifier);
    dialogs.queue([](QDialog& d) { d.reject(); });
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    dialogs.queue([](QDialog& d) { d.reject(); });
    QTest::keyClick(&w, Qt::Key_F3);
    EXPECT_EQ(dialogs.shown(), QStringList({"frmText", "frmSight", "frmSearch"}));
}

// The Delete key asks as the toolbar's Delete does: in the tree for the
// entry, in the sightings grid for the sighting of the current row.
TEST_F(CommandsTest, TheDeleteKeyDeletesInTheTreeAndInTheGrid) {
    const qint64 a = addEntry(Category::Birds, emu, kArticle, "Legs", " ", "{\\rtf1 long}");
    addSighting(emu, QDate(2021, 1, 1), "Lake");
    const qint64 marsh = addSighting(emu, QDate(2020, 1, 1), "Marsh");
    frmMain& w = start();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    clickNode(w, QStringLiteral("A%1").arg(a));
    messages.queue(MsgAnswer::No);
    user::key(&w, Qt::Key_Delete);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("Do you really want to delete the current entry?"));
    EXPECT_TRUE(startup->state().db().entry(a));
    messages.queue(MsgAnswer::Yes);
    user::key(&w, Qt::Key_Delete);
    EXPECT_FALSE(startup->state().db().entry(a));

    clickNode(w, QStringLiteral("S%1").arg(emu));
    ASSERT_EQ(w.fg1()->rowCount(), 2);
    user::click(w.fg1()->viewport(), w.fg1()->visualRect(w.fg1()->model()->index(1, 5)).center());
    messages.queue(MsgAnswer::Yes);
    user::key(&w, Qt::Key_Delete);
    EXPECT_EQ(messages.last().title, QStringLiteral("Delete Sighting"));
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("Marsh")));
    EXPECT_FALSE(startup->state().db().sighting(marsh));
    EXPECT_EQ(w.fg1()->rowCount(), 1);
    // Enter on the row left opens it to be corrected.
    dialogs.queue([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Edit Sighting"));
        d.reject();
    });
    user::key(&w, Qt::Key_Return);
    EXPECT_EQ(dialogs.shown().size(), 1u);
    // Delete typed in a text box stays a key of that box.
    w.menuItem("mnuViewWebBrowser")->trigger();
    user::focus(w.cmbAddress());
    const size_t asked = messages.shown().size();
    user::key(&w, Qt::Key_Delete);
    EXPECT_EQ(messages.shown().size(), asked);
}

// F1 opens the help at the page of the window it is pressed in, centred on
// that window and whole on its screen; Escape closes it.
TEST_F(CommandsTest, F1OpensTheHelpOfTheWindowAndEscapeClosesIt) {
    frmMain& w = start();
    w.setGeometry(40, 40, 700, 480);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    user::focus(w.tv1());
    user::key(&w, Qt::Key_F1);
    ASSERT_NE(w.help(), nullptr);
    ASSERT_TRUE(w.help()->isVisible());
    EXPECT_EQ(w.help()->browser()->source().fileName(), QStringLiteral("mainwindow.html"));
    const QRect screen = w.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w.help()->frameGeometry())) << w.help()->frameGeometry().y();
    // Centred across the window (the small test screen leaves no room to
    // centre it up and down as well).
    EXPECT_LE(std::abs(w.help()->geometry().center().x() - w.geometry().center().x()), 4);
    user::key(w.help(), Qt::Key_Escape);
    EXPECT_FALSE(w.help()->isVisible());

    // In an editor: its own page; Escape there closes the help, not the editor.
    dialogs.queue([&](QDialog& d) {
        user::focus(d.findChild<QLineEdit*>("txtTitle"));
        user::key(&d, Qt::Key_F1);
        EXPECT_TRUE(w.help()->isVisible());
        EXPECT_EQ(w.help()->browser()->source().fileName(), QStringLiteral("editors.html"));
        user::key(w.help(), Qt::Key_Escape);
        EXPECT_FALSE(w.help()->isVisible());
        EXPECT_TRUE(d.isVisible());
        d.reject();
    });
    w.toolButton("Article")->trigger();
    EXPECT_EQ(dialogs.shown().size(), 1u);
}
