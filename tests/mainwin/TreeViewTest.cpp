// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "AppError.h"
#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "NodeRef.h"
#include "SightingGrid.h"
#include "SubjectPicker.h"
#include "Twips.h"
#include "frmSight.h"

using namespace wf;
using namespace wf::test;

using TreeViewTest = MainWindowFixture;

TEST_F(TreeViewTest, StartsWithTheBirdsTreeClosedButTheRoot) {
    const qint64 emu = birdId("Emu");
    addSighting(emu, QDate(2021, 1, 1));
    addEntry(Category::Birds, birdId("Common Ostrich"), kArticle, "Legs", " ", "{\\rtf1 x}");
    frmMain& w = start();
    const NodeRef root = findNode(w.nodes(), "Birds");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), QStringLiteral("Birds of the World"));
    EXPECT_TRUE(root->isExpanded());
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0)->text(0), QStringLiteral("Common Ostrich"));
    EXPECT_FALSE(root->child(0)->isExpanded());
    EXPECT_EQ(findNode(w.nodes(), QStringLiteral("S%1").arg(emu))->text(0),
              QStringLiteral("Sightings"));
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List = 1"));

    w.menuItem("mnuEditExpand")->trigger();
    EXPECT_TRUE(root->child(1)->isExpanded());
    w.menuItem("mnuEditCollapse")->trigger();
    EXPECT_FALSE(root->child(1)->isExpanded());
    EXPECT_TRUE(root->isExpanded());
}

// A bird's entries are read when it is first opened, by the keyboard as by
// the mouse, and then show as they always did.
TEST_F(TreeViewTest, ABirdOpenedByTheKeyboardShowsItsSightingsAndEntries) {
    const qint64 emu = birdId("Emu");
    addSighting(emu, QDate(2021, 1, 1));
    const qint64 legs =
        addEntry(Category::Birds, emu, kArticle, "Legs", " ", "{\\rtf1 Long legs.}");
    frmMain& w = start();
    // Left alone, the window hands back the pages the tree was read from;
    // opening a bird reads what it needs again.
    Store& db = startup->state().db();
    const qint64 read = db.cachedBytes();
    EXPECT_GT(read, 256 * 1024);
    EXPECT_EQ(clock.fireTimers(500), 1);
    EXPECT_LT(db.cachedBytes(), 16 * 1024);  // the page a reader keeps open
    const QString key = QStringLiteral("B%1").arg(emu);
    user::click(w.tv1()->viewport(), findNode(w.nodes(), key).rect().center());
    ASSERT_EQ(w.nodes().currentKey(), key);
    EXPECT_FALSE(w.nodes().isExpanded(key));
    user::key(&w, Qt::Key_Right);
    EXPECT_TRUE(w.nodes().isExpanded(key));
    user::key(&w, Qt::Key_Down);
    user::key(&w, Qt::Key_Down);
    EXPECT_EQ(w.nodes().currentKey(), QStringLiteral("A%1").arg(legs));
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Emu : Legs"));
    EXPECT_EQ(w.nodes().childKeys(key),
              QStringList({QStringLiteral("S%1").arg(emu), QStringLiteral("A%1").arg(legs)}));
}

TEST_F(TreeViewTest, KeyedNodesRefuseDuplicatesAndFindParents) {
    frmMain& w = start();
    NodeTree& t = w.nodes();
    t.add("Birds", "A900", "new article", kArticlePicture);
    try {
        t.add("Birds", "A900", "again", kArticlePicture);
        FAIL() << "a duplicate key was accepted";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), err::DuplicateNodeKey);
    }
    EXPECT_THROW(t.add("B12345678", "A901", "x", 1), AppError);
    EXPECT_TRUE(t.remove("A900"));
    EXPECT_FALSE(t.remove("A900"));
    t.add("Birds", "A900", "back again", kArticlePicture);
    EXPECT_EQ(t.text("A900"), QStringLiteral("back again"));
}

TEST_F(TreeViewTest, ListsReplaceTheTreeAndEnableExpandOnlyUnderAllEntries) {
    frmMain& w = start();
    choose(w, "All Images");
    EXPECT_EQ(topNode(w.nodes())->text(0), QStringLiteral("Birds of the World Images"));
    EXPECT_FALSE(w.menuItem("mnuEditExpand")->isEnabled());
    choose(w, "Region Life Sightings");
    EXPECT_EQ(topNode(w.nodes())->text(0), QStringLiteral(" Life List Sightings"));
    choose(w, "All Entries");
    EXPECT_TRUE(w.menuItem("mnuEditExpand")->isEnabled());
    EXPECT_TRUE(w.menuItem("mnuEditCollapse")->isEnabled());
}

TEST_F(TreeViewTest, WindowKeepsItsLeastWidthAndTheSplitterDrags) {
    frmMain& w = start();
    w.resize(100, 600);
    EXPECT_GE(w.width(), twipsToPixels(3000, w.logicalDpiX()) - 1);
    w.resize(900, 600);
    const float before = w.splitPosition();
    QWidget* handle = w.imgSplitter();
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(1, 10));
    EXPECT_TRUE(w.picSplitter()->isVisible());
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 10), handle->mapToGlobal(QPointF(60, 10)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_FALSE(w.picSplitter()->isVisible());
    EXPECT_NEAR(w.splitPosition(), before + float(pixelsToTwips(60, w.logicalDpiX())), 1.0);

    // A drag to the far left stops at the drag limit, and the layout at 3300.
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(1, 10));
    QMouseEvent far(QEvent::MouseMove, QPointF(-2000, 10), handle->mapToGlobal(QPointF(-2000, 10)),
                    Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &far);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(-2000, 10));
    EXPECT_EQ(w.splitPosition(), 3300);
}

TEST_F(TreeViewTest, DropOfTheSplitterOnTheTreeLaysOut) {
    frmMain& w = start();
    w.resize(1000, 600);
    auto drop = [&](const QString& control, int x) {
        QMimeData mime;
        mime.setData("application/x-wingfolio-control", control.toUtf8());
        // A drop goes where the drag entered.
        QDragEnterEvent enter(QPoint(x, 20), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.tv1()->viewport(), &enter);
        QDropEvent e(QPointF(x, 20), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.tv1()->viewport(), &e);
    };
    const float before = w.splitPosition();
    drop("tv1", 200);
    EXPECT_EQ(w.splitPosition(), before);
    drop("imgSplitter", 250);
    const int xInWindow = w.tv1()->viewport()->mapTo(&w, QPoint(250, 20)).x();
    EXPECT_NEAR(w.splitPosition(), float(pixelsToTwips(xInWindow, w.logicalDpiX())), 1.0);
}

// With many birds open and the tree scrolled far down, saving an entry or a
// sighting and deleting one leave the reader where they were.
TEST_F(TreeViewTest, TheTreeKeepsItsPlaceThroughSavesAndDeletes) {
    int added = 0;
    for (qint64 id = 1; added < 60; ++id) {
        if (journal().subjectName(Category::Birds, id)) {
            addEntry(Category::Birds, id, kArticle, "Notes", " ", "{\\rtf1 notes}");
            ++added;
        }
    }
    frmMain& w = start();
    w.resize(900, 600);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    // The birds in the tree's order, and each one's article.
    const QStringList bird = w.nodes().childKeys(QStringLiteral("Birds"));
    ASSERT_EQ(bird.size(), 60);
    const auto articleOf = [&](int i) { return w.nodes().childKeys(bird[i]).value(0); };
    for (const int i : {30, 31, 33}) {
        w.tv1()->expand(w.nodes().index(bird[i]));
    }
    w.tv1()->scrollTo(w.nodes().index(bird[29]), QAbstractItemView::PositionAtTop);
    ASSERT_EQ(w.nodes().keyAt(QPoint(1, 1)), bird[29]);
    const auto stillThere = [&] {
        for (const int i : {30, 31, 33}) {
            EXPECT_TRUE(w.nodes().isExpanded(bird[i])) << i;
        }
        EXPECT_EQ(w.nodes().keyAt(QPoint(1, 1)), bird[29]);
        EXPECT_FALSE(w.nodes().isExpanded(bird[32]));
    };

    // An article retitled through the Edit button.
    const QString article = articleOf(31);
    user::click(w.tv1()->viewport(), w.nodes().rect(article).center());
    dialogs.queue([&](QDialog& d) {
        auto* title = d.findChild<QLineEdit*>("txtTitle");
        user::focus(title);
        title->selectAll();
        user::type(&d, QStringLiteral("Calls"));
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    user::click(w.tbMain()->widgetForAction(w.toolButton("Edit")));
    stillThere();
    EXPECT_EQ(w.nodes().currentKey(), article);
    EXPECT_EQ(w.nodes().text(article), QStringLiteral("Calls"));
    EXPECT_EQ(w.lbltitle()->text(), w.nodes().text(bird[31]) + QStringLiteral(" : Calls"));

    // A first sighting of an open bird: its Sightings node is new, selected
    // and shown.
    dialogs.queue([&](QDialog& d) {
        static_cast<frmSight&>(d).picker().setText(w.nodes().text(bird[33]));
        user::click(d.findChild<QPushButton*>("cmdSave"));
    });
    user::click(w.tbMain()->widgetForAction(w.toolButton("Sighting")));
    stillThere();
    const QString sightings = QStringLiteral("S") + bird[33].mid(1);
    EXPECT_EQ(w.nodes().currentKey(), sightings);
    EXPECT_TRUE(w.fg1()->isVisible());
    EXPECT_EQ(w.lbltitle()->text(), w.nodes().text(bird[33]) + " Sighting History");

    // A delete: nothing selected, the tree where it was.
    const QString other = articleOf(30);
    user::click(w.tv1()->viewport(), w.nodes().rect(other).center());
    ASSERT_EQ(w.nodes().currentKey(), other);
    messages.queue(MsgAnswer::Yes);
    user::click(w.tbMain()->widgetForAction(w.toolButton("Delete")));
    EXPECT_FALSE(w.nodes().contains(other));
    stillThere();
    EXPECT_FALSE(w.nodes().currentIsSelected());
}
