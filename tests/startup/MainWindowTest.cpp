// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include "SightingGrid.h"
#include "frmHelp.h"

#include "AppFixture.h"
#include "NodeRef.h"
#include "Twips.h"

using namespace wf;
using namespace wf::test;

using MainWindowTest = AppFixture;

TEST_F(MainWindowTest, MenusCarryEveryItemWithItsCaptionAndShortcut) {
    frmMain& w = startToMain();
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    const Item items[] = {
        {"mnuFileNewSighting", "New &Sighting", "Ctrl+S"},
        {"mnuFileNewArticle", "New &Article", "Ctrl+T"},
        {"mnuFileNewImage", "New &Image", "Ctrl+I"},
        {"mnuFileNewLink", "New Internet &Link", "Ctrl+L"},
        {"mnuFileClose", "E&xit", "Ctrl+Q"},
        {"mnuEditEntry", "&Edit Current Entry", ""},
        {"mnuEditDelete", "&Delete Current Entry\tDel", ""},
        {"mnuEditSubject", "Edit &Subject Text", ""},
        {"mnuEditExpand", "E&xpand All Nodes", ""},
        {"mnuEditCollapse", "&Collapse All Nodes", ""},
        {"mnuViewCustom", "&Custom Search", "F3"},
        {"mnuViewWebBrowser", "&Web Browser", ""},
        {"mnuViewOptions", "&Options...", "Ctrl+O"},
        {"mnuHelpContents", "&Contents", ""},
        {"mnuHelpSearchForHelpOn", "&Search For Help On...", ""},
        {"mnuHelpKeys", "&Keys and Shortcuts", ""},
        {"mnuHelpAbout", "&About ", ""},
    };
    for (const Item& i : items) {
        SCOPED_TRACE(i.name);
        auto* a = w.findChild<QAction*>(QString::fromLatin1(i.name));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString::fromLatin1(i.caption));
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(i.shortcut)));
    }
    QStringList titles;
    for (QAction* a : w.menuBar()->actions()) {
        titles << a->text();
    }
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&View", "&Help"}));
    // Separators sit where the menus have them.
    auto* file = w.findChild<QMenu*>(QStringLiteral("mnuFile"));
    ASSERT_EQ(file->actions().size(), 16);
    EXPECT_TRUE(file->actions()[4]->isSeparator());
    EXPECT_EQ(file->actions()[5]->text(), QStringLiteral("&Back Up Journal..."));
    EXPECT_EQ(file->actions()[6]->text(), QStringLiteral("&Restore From Backup..."));
    EXPECT_EQ(file->actions()[7]->objectName(), QStringLiteral("mnuFileImport"));
    EXPECT_EQ(file->actions()[8]->text(), QStringLiteral("Import &eBird Data..."));
    EXPECT_EQ(file->actions()[9]->text(), QStringLiteral("Re&view eBird Names..."));
    // Export, a submenu of the three files it writes.
    EXPECT_EQ(file->actions()[10]->text(), QStringLiteral("Import Pi&ctures..."));
    QMenu* exports = file->actions()[11]->menu();
    ASSERT_NE(exports, nullptr);
    EXPECT_EQ(file->actions()[12]->text(), QStringLiteral("Export &Trip Report..."));
    EXPECT_EQ(file->actions()[13]->text(), QStringLiteral("Pri&nt..."));
    EXPECT_EQ(file->actions()[13]->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_EQ(exports->objectName(), QStringLiteral("mnuFileExport"));
    QStringList kinds;
    for (QAction* a : exports->actions()) {
        kinds << a->text();
    }
    EXPECT_EQ(kinds, QStringList({"For &eBird (Record Format)...", "&Sightings (CSV)...",
                                  "&Life Lists (CSV)..."}));
    EXPECT_TRUE(file->actions()[14]->isSeparator());
    EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("mnuEditEntry"))->isEnabled());
    EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("mnuEditDelete"))->isEnabled());
    EXPECT_TRUE(w.findChild<QAction*>(QStringLiteral("mnuEditExpand"))->isEnabled());
}

// Alt and a letter reach each item of a menu: every item has its letter,
// and no two items of one menu share one.
TEST_F(MainWindowTest, EachMenuItemHasALetterOfItsOwn) {
    frmMain& w = startToMain();
    std::vector<QMenu*> menus;
    for (QAction* a : w.menuBar()->actions()) {
        menus.push_back(a->menu());
    }
    menus.push_back(w.findChild<QMenu*>(QStringLiteral("mnuFileExport")));
    for (QMenu* menu : menus) {
        ASSERT_NE(menu, nullptr);
        SCOPED_TRACE(menu->objectName().toStdString());
        QMap<QChar, QString> letters;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator()) {
                continue;
            }
            const QString text = a->text();
            const qsizetype amp = text.indexOf(u'&');
            ASSERT_TRUE(amp >= 0 && amp + 1 < text.size()) << text.toStdString();
            const QChar letter = text[amp + 1].toLower();
            EXPECT_FALSE(letters.contains(letter))
                << text.toStdString() << " and " << letters.value(letter).toStdString();
            letters.insert(letter, text);
        }
    }
}

// The help lists every shortcut of the menus.
TEST_F(MainWindowTest, TheHelpListsEveryShortcut) {
    frmMain& w = startToMain();
    w.menuItem("mnuHelpKeys")->trigger();
    ASSERT_NE(w.help(), nullptr);
    const QString page = w.help()->browser()->toPlainText();
    EXPECT_TRUE(page.startsWith(QStringLiteral("Keys and shortcuts")));
    for (QAction* a : w.findChildren<QAction*>()) {
        if (!a->shortcut().isEmpty()) {
            EXPECT_TRUE(page.contains(a->shortcut().toString(QKeySequence::NativeText)))
                << a->objectName().toStdString() << " "
                << a->shortcut().toString(QKeySequence::NativeText).toStdString();
        }
    }
    for (const char* key : {"F1", "Escape", "Ctrl+Return", "Shift+Insert"}) {
        EXPECT_TRUE(page.contains(QString::fromLatin1(key))) << key;
    }
    w.help()->close();
}

TEST_F(MainWindowTest, ToolbarButtonsAreKeyedInOrder) {
    frmMain& w = startToMain();
    QStringList keys, texts;
    for (QAction* a : w.tbMain()->actions()) {
        keys << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        texts << a->text();
    }
    EXPECT_EQ(keys, QStringList({"Sighting", "Article", "Image", "Link", "-", "Edit", "Delete", "-",
                                 "Related", "Internet"}));
    EXPECT_EQ(w.toolButton("Link")->text(), QStringLiteral("New Link"));
    EXPECT_EQ(w.toolButton("Related")->text(), QStringLiteral("Related Entries"));
    for (const char* key : {"Sighting", "Article", "Image", "Link", "Internet"}) {
        EXPECT_TRUE(w.toolButton(key)->isEnabled()) << key;
        EXPECT_FALSE(w.toolButton(key)->icon().isNull()) << key;
    }
    for (const char* key : {"Edit", "Delete", "Related"}) {
        EXPECT_FALSE(w.toolButton(key)->isEnabled()) << key;
    }
}

TEST_F(MainWindowTest, StatusBarPanelsAndAClockThatKeepsTime) {
    frmMain& w = startToMain();
    EXPECT_EQ(w.sbStatusBar()->objectName(), QStringLiteral("sbStatusBar"));
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List "));
    EXPECT_EQ(w.panel("Region")->text(), QStringLiteral("Region Life List "));
    EXPECT_EQ(w.panel("District")->text(), QStringLiteral("District Life List "));
    const QLocale locale = QLocale::system();
    EXPECT_EQ(w.panel("Date")->text(), locale.toString(clock.now().date(), QLocale::ShortFormat));
    clock.setNow(QDateTime(QDate(2027, 1, 2), QTime(23, 59, 0)));
    EXPECT_GE(clock.fireTimers(1000), 1);
    EXPECT_EQ(w.panel("Date")->text(), locale.toString(QDate(2027, 1, 2), QLocale::ShortFormat));
    EXPECT_EQ(w.panel("Time")->text(), locale.toString(QTime(23, 59, 0), QLocale::ShortFormat));
}

TEST_F(MainWindowTest, SightingGridHasItsColumnsAndWidths) {
    frmMain& w = startToMain();
    SightingGrid* g = w.fg1();
    ASSERT_EQ(g->model()->columnCount(), 11);
    QStringList headers;
    for (int c = 0; c < 11; ++c) {
        headers << g->headerText(c);
    }
    EXPECT_EQ(headers,
              QStringList({" ", "Date  ", "Time ", "Count ", "Type   ", "Site  ", "District  ",
                           "State/Prov   ", "Country   ", "Region  ", "Notes  "}));
    EXPECT_TRUE(g->isColumnHidden(0));
    EXPECT_EQ(g->columnWidth(10), twipsToPixels(4000, w.logicalDpiX()));
    EXPECT_EQ(g->columnWidth(7), twipsToPixels(1500, w.logicalDpiX()));
    EXPECT_EQ(g->rowCount(), 0);
}

TEST_F(MainWindowTest, CategoryButtonsRefillTheBoxInTheirOwnOrders) {
    frmMain& w = startToMain();
    auto items = [&] {
        QStringList out;
        for (int i = 0; i < w.cmbSearchCategory()->count(); ++i) {
            out << w.cmbSearchCategory()->itemText(i);
        }
        return out;
    };
    auto click = [&](const char* name) {
        auto* b = w.findChild<QRadioButton*>(QString::fromLatin1(name));
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    };
    click("optCat(1)");
    EXPECT_EQ(startup->state().CurrentCategory, QStringLiteral("Topics"));
    EXPECT_EQ(items(), QStringList({"All Entries", "All Images", "All Articles",
                                    "All Internet Links", "Custom Search"}));
    EXPECT_EQ(w.cmbSearchCategory()->currentIndex(), 0);
    EXPECT_EQ(topNode(w.nodes())->text(0), QStringLiteral("Other Topics"));
    click("optCat(0)");
    EXPECT_EQ(startup->state().CurrentCategory, QStringLiteral("Birds"));
    EXPECT_EQ(items(),
              QStringList({"All Entries", "All Images", "All Articles", "All Internet Links",
                           "All Sightings", "Region Life Sightings", "Country Life Sightings",
                           "State Life Sightings", "District Life Sightings", "Custom Search",
                           "Year List", "Month List", "First Sightings", "Outings",
                           "Photographed Species"}));
    EXPECT_EQ(topNode(w.nodes())->text(0), QStringLiteral("Birds of the World"));
}

TEST(Twips, ConvertAtTheScreensDpi) {
    EXPECT_EQ(twipsToPixels(1500), 100);
    EXPECT_EQ(twipsToPixels(1500, 192), 200);
    EXPECT_EQ(twipsToPixels(0), 0);
    EXPECT_EQ(twipsToPixels(7), 0);
    EXPECT_EQ(twipsToPixels(8), 1);
    EXPECT_DOUBLE_EQ(pixelsToTwips(100), 1500.0);
}

TEST(Twips, GridFormatStringKeepsBlanksAndAlignment) {
    const auto cols = parseGridFormat(QStringLiteral("< |<Date  |State/Prov   |^Mid|>R"));
    ASSERT_EQ(cols.size(), 5u);
    EXPECT_EQ(cols[0].header, QStringLiteral(" "));
    EXPECT_EQ(cols[1].header, QStringLiteral("Date  "));
    EXPECT_EQ(cols[1].alignment, Qt::AlignLeft);
    EXPECT_EQ(cols[2].header, QStringLiteral("State/Prov   "));
    EXPECT_EQ(cols[2].alignment, Qt::AlignRight);
    EXPECT_EQ(cols[3].alignment, Qt::AlignHCenter);
}
