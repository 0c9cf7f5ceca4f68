// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "NodeRef.h"
#include "PictureView.h"
#include "SightingGrid.h"

using namespace wf;
using namespace wf::test;

namespace {

const QString kArticleRtf = QStringLiteral(
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\f0\\fs20 The "
    "\\b wren\\b0  sang.\\par}");

class ViewerTest : public MainWindowFixture {
  protected:
    qint64 wren = 0, article = 0, image = 0, link = 0;
    void SetUp() override {
        wren = birdId("Eurasian Wren");
        article = addEntry(Category::Birds, wren, kArticle, "Song", " ", kArticleRtf);
        image = addEntry(Category::Birds, wren, kImage, "Nest", "Eurasian Wren Nest_2.jpg");
        writeAll(dataDir() + "/guide.html", "<html><body><h1>Wren guide</h1></body></html>");
        link = addEntry(Category::Birds, wren, kLink, "Guide",
                        QUrl::fromLocalFile(dataDir() + "/guide.html").toString());
        addSighting(wren, QDate(2020, 5, 1), "Old wood");
        addSighting(wren, QDate(2024, 3, 9), "New marsh");
        addSighting(wren, QDate(2022, 1, 2), "Middle lane");
        writePicture("Eurasian Wren Nest_2.jpg", QSize(40, 30));
    }
    bool enabled(frmMain& w, const char* key) { return w.toolButton(key)->isEnabled(); }
};

// Clicks a node the way a user does, with the mouse.
void click(frmMain& w, const QString& key) {
    const NodeRef item = findNode(w.nodes(), key);
    ASSERT_NE(item, nullptr) << key.toStdString();
    w.nodes().ensureVisible(key);
    const QRect r = item.rect();
    QTest::mouseClick(w.tv1()->viewport(), Qt::LeftButton, {}, r.center());
}

}  // namespace

TEST_F(ViewerTest, ArticleShowsItsFormattedTextAndTitle) {
    frmMain& w = start();
    w.show();
    click(w, QStringLiteral("A%1").arg(article));
    EXPECT_TRUE(w.rtb()->isVisible());
    EXPECT_FALSE(w.picture()->isVisible());
    EXPECT_FALSE(w.fg1()->isVisible());
    EXPECT_EQ(w.rtb()->toPlainText(), QStringLiteral("The wren sang."));
    EXPECT_TRUE(w.rtb()->isReadOnly());
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Eurasian Wren : Song"));
    EXPECT_EQ(startup->state().CurrentEntryKind, QStringLiteral("A"));
    EXPECT_EQ(startup->state().CurrentEntryId, article);
    EXPECT_TRUE(enabled(w, "Edit"));
    EXPECT_TRUE(enabled(w, "Delete"));
    EXPECT_FALSE(enabled(w, "Related"));  // the tree shows them already
    EXPECT_TRUE(w.menuItem("mnuEditEntry")->isEnabled());
    EXPECT_EQ(w.web(), nullptr) << "the web view is made only when needed";

    choose(w, "All Articles");
    click(w, QStringLiteral("A%1").arg(article));
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Eurasian Wren Song"));
    EXPECT_TRUE(enabled(w, "Related"));  // the bird has more entries and sightings
}

TEST_F(ViewerTest, PictureIsCentredAndTitled) {
    frmMain& w = start();
    click(w, QStringLiteral("I%1").arg(image));
    ASSERT_TRUE(w.picture()->isVisible());
    EXPECT_FALSE(w.rtb()->isVisible());
    EXPECT_EQ(w.picture()->size(), QSize(40, 30));
    // Centred in the area that shows it, which lies inside pic(2).
    const QWidget* area = w.picture()->parentWidget();
    EXPECT_TRUE(w.pictureFrame()->rect().contains(
        QRect(area->mapTo(w.pictureFrame(), QPoint(0, 0)), area->size())));
    EXPECT_NEAR(w.picture()->x(), (area->width() - 40) / 2, 1);
    EXPECT_NEAR(w.picture()->y(), (area->height() - 30) / 2, 1);
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Eurasian Wren : Nest"));
    choose(w, "All Images");
    click(w, QStringLiteral("I%1").arg(image));
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Eurasian Wren Nest"));
}

TEST_F(ViewerTest, APictureLargerThanItsAreaIsScaledToFitAndCanBeZoomed) {
    const qint64 big = addEntry(Category::Birds, wren, kImage, "Wide", "wide.jpg");
    writePicture("wide.jpg", QSize(2400, 1800));
    frmMain& w = start();
    w.show();
    click(w, QStringLiteral("I%1").arg(big));
    PictureView* view = w.pictureView();
    const QWidget* area = w.picture()->parentWidget();
    // The whole photograph, its proportions kept, inside the area.
    const QSize shown = w.picture()->size();
    EXPECT_LE(shown.width(), area->width());
    EXPECT_LE(shown.height(), area->height());
    EXPECT_TRUE(shown.width() == area->width() || shown.height() == area->height());
    EXPECT_NEAR(double(shown.width()) / shown.height(), 2400.0 / 1800.0, 0.02);
    EXPECT_TRUE(view->fitting());
    // Ctrl+0 fits, Ctrl+plus and the wheel with Ctrl zoom in, actual size
    // shows every pixel with scroll bars.
    user::key(&w, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(w.picture()->width(), shown.width());
    user::key(&w, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(w.picture()->size(), shown);
    user::wheel(view->scrollArea()->viewport(), 120, Qt::ControlModifier);
    EXPECT_GT(w.picture()->width(), shown.width());
    user::key(&w, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(w.picture()->size(), shown);
    user::click(view->toolbar()->widgetForAction(view->action("Actual")));
    EXPECT_EQ(w.picture()->size(), QSize(2400, 1800));
    EXPECT_TRUE(view->scrollArea()->horizontalScrollBar()->isVisible());
    // The stored picture is untouched.
    EXPECT_EQ(view->image().size(), QSize(2400, 1800));
}

TEST_F(ViewerTest, MissingOrEscapingPictureFilesAreReported) {
    const qint64 missing = addEntry(Category::Birds, wren, kImage, "Gone", "gone.jpg");
    const qint64 escape = addEntry(Category::Birds, wren, kImage, "Escape", "../aviary.mdb");
    const qint64 broken = addEntry(Category::Birds, wren, kImage, "Broken", "broken.jpg");
    writeAll(dataDir() + "/Images/broken.jpg", "not a picture");
    frmMain& w = start();
    click(w, QStringLiteral("I%1").arg(missing));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.last().text.startsWith("Error Loading Data. Error # 53File not found"))
        << messages.last().text.toStdString();
    EXPECT_EQ(messages.last().title, QStringLiteral("Error loading Data"));
    EXPECT_EQ(messages.last().icon, MsgIcon::Exclamation);
    click(w, QStringLiteral("I%1").arg(escape));
    EXPECT_TRUE(messages.last().text.startsWith("Error Loading Data. Error # 75"));
    click(w, QStringLiteral("I%1").arg(broken));
    EXPECT_TRUE(messages.last().text.startsWith("Error Loading Data. Error # 481"));
}

TEST_F(ViewerTest, SightingsFillTheGridNewestFirst) {
    frmMain& w = start();
    click(w, QStringLiteral("S%1").arg(wren));
    ASSERT_TRUE(w.fg1()->isVisible());
    EXPECT_FALSE(w.rtb()->isVisible());
    ASSERT_EQ(w.fg1()->rowCount(), 3);
    EXPECT_EQ(w.fg1()->text(0, 5), QStringLiteral("New marsh"));
    EXPECT_EQ(w.fg1()->text(1, 5), QStringLiteral("Middle lane"));
    EXPECT_EQ(w.fg1()->text(2, 5), QStringLiteral("Old wood"));
    EXPECT_EQ(w.fg1()->text(0, 1),
              QLocale::system().toString(QDate(2024, 3, 9), QLocale::ShortFormat));
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Eurasian Wren Sighting History"));
    EXPECT_TRUE(enabled(w, "Edit"));  // a row of the grid can be corrected
    EXPECT_TRUE(enabled(w, "Delete"));
    EXPECT_FALSE(enabled(w, "Related"));
    EXPECT_TRUE(w.menuItem("mnuEditEntry")->isEnabled());
    EXPECT_EQ(startup->state().CurrentEntryKind, QStringLiteral("S"));

    choose(w, "All Sightings");
    click(w, QStringLiteral("S%1").arg(wren));
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Eurasian Wren Sighting History"));
    EXPECT_TRUE(enabled(w, "Related"));
}

TEST_F(ViewerTest, SubjectsAndRootsOnlyDisableTheCommands) {
    frmMain& w = start();
    click(w, QStringLiteral("A%1").arg(article));
    const QString title = w.lbltitle()->text();
    click(w, QStringLiteral("B%1").arg(wren));
    EXPECT_FALSE(enabled(w, "Edit"));
    EXPECT_FALSE(enabled(w, "Delete"));
    EXPECT_FALSE(w.menuItem("mnuEditDelete")->isEnabled());
    EXPECT_EQ(w.lbltitle()->text(), title);
    EXPECT_TRUE(w.rtb()->isVisible());
    click(w, QStringLiteral("Birds"));
    EXPECT_FALSE(enabled(w, "Edit"));
}

TEST_F(ViewerTest, DeletedRowIsMissingData) {
    frmMain& w = start();
    // Shown, then gone from the journal behind the window's back.
    w.nodes().ensureVisible(QStringLiteral("A%1").arg(article));
    startup->state().db().deleteEntry(article);
    click(w, QStringLiteral("A%1").arg(article));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().text, QStringLiteral("Cannot Find the Information for this item."));
    EXPECT_EQ(messages.last().title, QStringLiteral("Missing Data"));
}

TEST_F(ViewerTest, LinkOpensTheWebPaneUnderItsOwnTitle) {
    frmMain& w = start();
    click(w, QStringLiteral("A%1").arg(article));
    click(w, QStringLiteral("L%1").arg(link));
    ASSERT_NE(w.web(), nullptr);
    EXPECT_TRUE(w.web()->isVisible());
    EXPECT_TRUE(w.coolBar()->isVisible());
    EXPECT_FALSE(w.rtb()->isVisible());
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Eurasian Wren : Guide"));
    QSignalSpy loaded(w.web(), SIGNAL(loadFinished(bool)));
    EXPECT_TRUE(loaded.count() > 0 || loaded.wait(20000));
    EXPECT_EQ(w.webPane()->url(), QUrl::fromLocalFile(dataDir() + "/guide.html"));
    click(w, QStringLiteral("A%1").arg(article));
    EXPECT_FALSE(w.web()->isVisible());
    EXPECT_FALSE(w.coolBar()->isVisible());
}
