// SPDX-License-Identifier: GPL-3.0-or-later
// What a person sees of the main window: nothing overlapped, nothing cut
// off, every pane inside the client area, at the sizes people use.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "PictureView.h"
#include "SightingGrid.h"
#include "Twips.h"

using namespace wf;
using namespace wf::test;

namespace {

class ScreenLayoutTest : public MainWindowFixture {
  protected:
    qint64 wren = 0;
    qint64 sightingBird = 0;
    QString linkPage;
    qint64 link = 0;
    qint64 article = 0;

    void SetUp() override {
        wren = birdId("Eurasian Wren");
        Sighting s;
        s.birdid = wren;
        s.date = QDate(2024, 12, 31);
        s.type = QStringLiteral("Sound Record");
        s.site = QStringLiteral("Hickling Broad reedbed boardwalk");
        s.district = QStringLiteral("North Norfolk Coast and Broads District 0");
        s.state = QStringLiteral("Norfolk State of England 0");
        s.country = QStringLiteral("England");
        s.region = QStringLiteral("Europe");
        journal().appendSighting(s);
        linkPage = tmp.file("page.html");
        writeAll(linkPage, "<html><body><h1>Wrens</h1></body></html>");
        link = addEntry(Category::Birds, wren, kLink, "Wren page",
                        QUrl::fromLocalFile(linkPage).toString());
        article = addEntry(Category::Birds, wren, kArticle, "Song", " ",
                           "{\\rtf1 A loud song for so small a bird.\\par}");
        Options o = journal().options();
        o.country = QStringLiteral("England");
        o.region = QStringLiteral("Europe");
        o.state = QStringLiteral("Norfolk State of England 0");
        o.district = QStringLiteral("North Norfolk Coast and Broads District 0");
        journal().saveOptions(o);
    }

    // The visible widgets of the right-hand side, in window coordinates.
    static QList<std::pair<QString, QRect>> rightHandSide(frmMain& w) {
        QList<std::pair<QString, QRect>> out;
        QList<QWidget*> parts = {w.lbltitle(), w.pictureFrame(), w.coolBar(), w.fg1()};
        if (w.webPane() != nullptr) {
            parts << w.webPane()->widget();
        }
        for (QWidget* part : parts) {
            if (part->isVisible()) {
                out.append(
                    {part->objectName(), QRect(part->mapTo(&w, QPoint(0, 0)), part->size())});
            }
        }
        return out;
    }

    // The client area between the toolbar and the status bar.
    static QRect clientArea(frmMain& w) {
        return QRect(w.centralWidget()->mapTo(&w, QPoint(0, 0)), w.centralWidget()->size());
    }

    void checkLooks(frmMain& w, const char* what) {
        SCOPED_TRACE(QStringLiteral("%1 at %2x%3")
                         .arg(QString::fromLatin1(what))
                         .arg(w.width())
                         .arg(w.height())
                         .toStdString());
        const auto parts = rightHandSide(w);
        for (int i = 0; i < parts.size(); ++i) {
            for (int j = i + 1; j < parts.size(); ++j) {
                // The grid and the web view share a place, one at a time.
                EXPECT_FALSE(parts[i].second.intersects(parts[j].second))
                    << parts[i].first.toStdString() << " overlaps " << parts[j].first.toStdString();
            }
        }
        const QRect client = clientArea(w);
        EXPECT_GE(client.top(), w.tbMain()->geometry().bottom());
        EXPECT_LE(client.bottom(), w.sbStatusBar()->geometry().top());
        for (QWidget* pane :
             QList<QWidget*>{w.tv1(), w.pictureFrame(), w.rtb(), w.fg1(), w.coolBar()}) {
            if (pane->isVisible()) {
                const QRect r(pane->mapTo(&w, QPoint(0, 0)), pane->size());
                EXPECT_TRUE(client.contains(r))
                    << pane->objectName().toStdString() << " leaves the client area";
            }
        }
        // Every control at least as high as it asks to be.
        for (QWidget* c : QList<QWidget*>{w.cmbSearchCategory(), w.lbltitle(), w.cmbAddress()}) {
            if (c->isVisible()) {
                EXPECT_GE(c->height(), c->sizeHint().height()) << c->objectName().toStdString();
            }
        }
        // The category box is 0.9 of the tree's width.
        EXPECT_NEAR(w.cmbSearchCategory()->width(), 0.9 * w.tv1()->width(), 2.0);
        // A status panel's text fits it whenever the bar has room for all.
        int needed = 24;  // the size grip
        for (const char* key : {"Life", "Region", "Country", "State", "District", "Date", "Time"}) {
            needed += w.panel(key)->sizeHint().width() + 10;
        }
        for (const char* key : {"Life", "Region", "Country", "State", "District", "Date", "Time"}) {
            StatusPanel* p = w.panel(key);
            EXPECT_EQ(p->toolTip(), p->text().trimmed());
            if (needed <= w.sbStatusBar()->width()) {
                EXPECT_TRUE(p->textFits())
                    << key << ": " << p->text().toStdString() << " in " << p->width() << " of "
                    << p->sizeHint().width() << ", bar " << w.sbStatusBar()->width() << " needs "
                    << needed;
            }
        }
        // Every count keeps its number, whatever the width: the names give
        // way, then the time and the date.
        for (const char* key : {"Life", "Region", "Country", "State", "District"}) {
            StatusPanel* p = w.panel(key);
            const qsizetype list = p->text().lastIndexOf(QStringLiteral(" = "));
            if (list > 0) {
                EXPECT_TRUE(p->shownText().endsWith(p->text().mid(list)))
                    << key << ": " << p->shownText().toStdString();
            }
            EXPECT_LE(p->geometry().right(), w.sbStatusBar()->width()) << key;
        }
        if (w.panel("Time")->isVisible() || w.panel("Date")->isVisible()) {
            const StatusPanel* last =
                w.panel("Time")->isVisible() ? w.panel("Time") : w.panel("Date");
            EXPECT_LE(last->geometry().right(), w.sbStatusBar()->width());
        }
        // Neighbouring panels never share pixels.
        QList<QRect> panels;
        for (const char* key : {"Life", "Region", "Country", "State", "District", "Date", "Time"}) {
            if (w.panel(key)->isVisible()) {
                panels << w.panel(key)->geometry();
            }
        }
        for (int i = 0; i < panels.size(); ++i) {
            for (int j = i + 1; j < panels.size(); ++j) {
                EXPECT_FALSE(panels[i].intersects(panels[j]));
            }
        }
    }
};

}  // namespace

TEST_F(ScreenLayoutTest, EveryKindOfEntryAtTheSizesPeopleUse) {
    frmMain& w = start();
    w.show();
    for (const QSize size : {QSize(900, 600), QSize(1600, 1000), QSize(640, 480)}) {
        w.resize(size);
        QApplication::processEvents();
        checkLooks(w, "welcome");
        w.clickNode(QStringLiteral("S%1").arg(wren));
        checkLooks(w, "sightings");
        w.clickNode(QStringLiteral("L%1").arg(link));
        checkLooks(w, "link");
        w.clickNode(QStringLiteral("A%1").arg(article));
        checkLooks(w, "article");
    }
    // Narrower still, the time and then the date give way; the counts keep
    // their numbers.
    w.resize(480, 400);
    QApplication::processEvents();
    EXPECT_FALSE(w.panel("Time")->isVisible());
    for (const char* key : {"Life", "Region", "Country", "State", "District"}) {
        const StatusPanel* p = w.panel(key);
        EXPECT_TRUE(p->shownText().endsWith(p->text().mid(p->text().lastIndexOf(" = "))))
            << p->shownText().toStdString();
    }
}

TEST_F(ScreenLayoutTest, TheFirstLayoutUsesTheRealClientArea) {
    frmMain& w = start();
    w.show();  // no resize by anyone: the first start
    QApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(900, 600));
    w.clickNode(QStringLiteral("S%1").arg(wren));
    checkLooks(w, "first start");
    const QRect client = clientArea(w);
    const QRect grid(w.fg1()->mapTo(&w, QPoint(0, 0)), w.fg1()->size());
    EXPECT_EQ(grid.bottom(), client.bottom());
}

TEST_F(ScreenLayoutTest, TheGridKeepsEachRowOnOneLine) {
    frmMain& w = start();
    w.show();
    w.clickNode(QStringLiteral("S%1").arg(wren));
    SightingGrid* g = w.fg1();
    ASSERT_EQ(g->rowCount(), 1);
    EXPECT_FALSE(g->wordWrap());
    for (int c = 1; c < g->model()->columnCount(); ++c) {
        const QString text = g->text(0, c);
        EXPECT_GE(g->columnWidth(c), g->fontMetrics().horizontalAdvance(text))
            << text.toStdString();
        EXPECT_GE(g->columnWidth(c), twipsToPixels(EntryViewer::kGridWidths[c], w.logicalDpiX()));
        EXPECT_EQ(g->model()->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                  int(Qt::AlignLeft | Qt::AlignVCenter));
    }
    EXPECT_EQ(g->horizontalHeader()->sectionResizeMode(3), QHeaderView::Interactive);
}

TEST_F(ScreenLayoutTest, TheSplitterHasAGripAndTheChosenSplitComesBack) {
    frmMain& w = start();
    w.show();
    w.resize(1200, 700);
    QApplication::processEvents();
    QWidget* grip = w.imgSplitter();
    EXPECT_GE(grip->width(), 6);
    EXPECT_EQ(grip->cursor().shape(), Qt::SplitHCursor);
    // Dragged to the right by 150 pixels.
    const int before = w.tv1()->width();
    user::drag(grip, QPoint(3, 50), QPoint(153, 50));
    const int chosen = w.tv1()->width();
    EXPECT_GT(chosen, before + 100);
    // Made small, the left pane gives way; made large again, it comes back.
    w.resize(500, 600);
    QApplication::processEvents();
    EXPECT_LT(w.tv1()->width(), chosen);
    w.resize(1200, 700);
    QApplication::processEvents();
    EXPECT_EQ(w.tv1()->width(), chosen);
    const auto* other = w.findChild<QRadioButton*>("optCat(1)");
    EXPECT_LE(other->geometry().right(), other->parentWidget()->contentsRect().right());
}

// The web pane comes late, with OpenGL: the main window, made without it,
// is neither made again nor moved when the first page is shown (on a real
// display too), and the page fills the pane.
TEST_F(ScreenLayoutTest, TheWebPaneLeavesTheWindowAsItIs) {
    frmMain& w = start();
    w.show();
    QApplication::processEvents();
    const QRect geometry = w.geometry();
    const WId made = w.winId();
    EXPECT_EQ(w.web(), nullptr);
    w.clickNode(QStringLiteral("L%1").arg(link));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return w.webPane() && w.webPane()->url().isLocalFile(); }, 20000));
    QApplication::processEvents();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.geometry(), geometry);
    EXPECT_EQ(w.winId(), made);
    const QWidget* pane = w.webPane()->widget();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.web()->size() == pane->size(); }, 5000))
        << w.web()->width() << "x" << w.web()->height() << " in " << pane->width() << "x"
        << pane->height();
    w.clickNode(QStringLiteral("S%1").arg(wren));  // the grid, then the page again
    EXPECT_FALSE(w.web()->isVisible());
    w.clickNode(QStringLiteral("L%1").arg(link));
    QApplication::processEvents();
    EXPECT_TRUE(w.web()->isVisible());
    EXPECT_EQ(w.winId(), made);
    checkLooks(w, "web pane");
}

TEST_F(ScreenLayoutTest, SizePlaceAndSplitAreRememberedBetweenRuns) {
    settingsFile = tmp.file("settings.ini");
    {
        frmMain& w = start();
        w.show();
        w.resize(760, 520);
        w.move(12, 24);
        QApplication::processEvents();
        user::drag(w.imgSplitter(), QPoint(3, 50), QPoint(83, 50));
        TearDown();
    }
    const float split = [&] {
        QSettings s(settingsFile, QSettings::IniFormat);
        return s.value("MainWindow/split").toFloat();
    }();
    EXPECT_GT(split, frmMain::kDesignSplit);
    frmMain& w = startToMain();
    EXPECT_EQ(w.size(), QSize(760, 520));
    EXPECT_EQ(w.pos(), QPoint(12, 24));
    EXPECT_FLOAT_EQ(w.splitPosition(), split);
    TearDown();

    // A place on a screen that is gone: centred at the first-start size.
    {
        QSettings s(settingsFile, QSettings::IniFormat);
        s.setValue("MainWindow/geometry", QRect(9000, 9000, 700, 500));
    }
    frmMain& again = startToMain();
    EXPECT_EQ(again.size(), QSize(900, 600));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_NEAR(again.geometry().center().x(), screen.center().x(), 2);
}
