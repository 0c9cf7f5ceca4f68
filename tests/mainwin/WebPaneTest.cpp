// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "Keyboard.h"
#include "MainWindowFixture.h"
#include "NodeRef.h"
#include "SightingGrid.h"

using namespace wf;
using namespace wf::test;

namespace {

// Pages served from files, so no test needs the internet.
class WebPaneTest : public MainWindowFixture {
  protected:
    QString page(const QString& name, const QString& body) {
        const QString path = tmp.file(name);
        writeAll(path,
                 ("<html><head><title>" + name + "</title></head><body>" + body + "</body></html>")
                     .toUtf8());
        return QUrl::fromLocalFile(path).toString();
    }
    bool waitForUrl(frmMain& w, const QString& url) {
        return QTest::qWaitFor([&] { return w.web() && w.webPane()->url().toString() == url; },
                               20000);
    }
    void press(frmMain& w, const char* key) {
        w.toolbar1()->findChild<QAction*>(QString::fromLatin1(key))->trigger();
    }
};

}  // namespace

TEST_F(WebPaneTest, HomeSearchAndTheAddressBoxFollowingThePage) {
    const QString b = page("b.html", "<p>second page</p>");
    const QString a = page("a.html", "<a id='next' href='b.html'>next</a>");
    const QString s = page("s.html", "<p>search engine</p>");
    {
        Options o = journal().options();
        o.home = a;
        o.search = s;
        journal().saveOptions(o);
    }
    frmMain& w = start();
    EXPECT_EQ(w.web(), nullptr);
    press(w, "Home");
    ASSERT_TRUE(waitForUrl(w, a));
    // (A QTRY_ macro would end the test quietly on failure: it reports to QTest.)
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.cmbAddress()->currentText() == a; }, 20000))
        << w.cmbAddress()->currentText().toStdString();
    // A link clicked inside the page moves the address box along.
    QSignalSpy loaded(w.web(), SIGNAL(loadFinished(bool)));
    if (loaded.isEmpty()) {
        loaded.wait(20000);
    }
    w.webPane()->runJavaScript("document.getElementById('next').click();");
    ASSERT_TRUE(waitForUrl(w, b));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.cmbAddress()->currentText() == b; }, 20000))
        << w.cmbAddress()->currentText().toStdString();
    // Search shows the pane even when hidden.
    w.showRelatedEntry("A0");  // nothing to show; the pane stays as it is
    press(w, "Search");
    EXPECT_TRUE(w.web()->isVisible());
    EXPECT_TRUE(waitForUrl(w, s));
    press(w, "Back");
    EXPECT_TRUE(waitForUrl(w, b));
}

TEST_F(WebPaneTest, EnterLoadsAndListsEveryAddressTyped) {
    const QString a = page("a.html", "<p>a</p>");
    frmMain& w = start();
    w.menuItem("mnuViewWebBrowser")->trigger();
    EXPECT_TRUE(w.coolBar()->isVisible());
    user::click(w.cmbAddress());
    ASSERT_TRUE(w.cmbAddress()->hasFocus());
    for (int i = 0; i < 2; ++i) {
        w.cmbAddress()->lineEdit()->selectAll();
        user::type(&w, a);
        user::key(&w, Qt::Key_Return);
        EXPECT_EQ(w.cmbAddress()->currentText(), a);
    }
    EXPECT_EQ(w.cmbAddress()->count(), 2);
    EXPECT_EQ(w.cmbAddress()->itemText(0), a);
    EXPECT_EQ(w.cmbAddress()->itemText(1), a);
    EXPECT_TRUE(waitForUrl(w, a));
    // Back with no history leaves the pane as it was.
    press(w, "Back");
    press(w, "Back");
    EXPECT_TRUE(w.web()->isVisible());
}

TEST_F(WebPaneTest, InternetHidesTheGridAndTheMenuDoesNot) {
    const qint64 emu = birdId("Emu");
    addSighting(emu, QDate(2020, 1, 1));
    frmMain& w = start();
    w.clickNode(QStringLiteral("S%1").arg(emu));
    ASSERT_TRUE(w.fg1()->isVisible());
    w.menuItem("mnuViewWebBrowser")->trigger();
    EXPECT_TRUE(w.web()->isVisible());
    EXPECT_TRUE(w.fg1()->isVisible());
    w.toolButton("Internet")->trigger();
    EXPECT_FALSE(w.fg1()->isVisible());
    EXPECT_TRUE(w.coolBar()->isVisible());
}

TEST_F(WebPaneTest, AddressWithoutSchemeIsAWebAddress) {
    frmMain& w = start();
    w.menuItem("mnuViewWebBrowser")->trigger();
    user::click(w.cmbAddress());
    user::type(&w, QStringLiteral("example.invalid"));
    user::key(&w, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.webPane()->url().isEmpty(); }, 10000));
    EXPECT_EQ(w.webPane()->url().scheme(), QStringLiteral("http"));
}

TEST_F(WebPaneTest, LinkEditorStartsFromThePageAndSavesNewAndEdited) {
    const QString a = page("a.html", "<p>a</p>");
    const qint64 emu = birdId("Emu");
    addSighting(emu, QDate(2020, 1, 1));
    frmMain& w = start();
    w.menuItem("mnuViewWebBrowser")->trigger();
    w.cmbAddress()->setEditText(a);
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Add a New Internet Link"));
        EXPECT_EQ(d.findChild<QLineEdit*>("txtLink")->text(), a);
        d.findChild<QComboBox*>("cmbSub")->lineEdit()->setText("Emu");
        QTest::mouseClick(d.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
        EXPECT_EQ(messages.last().text,
                  QStringLiteral("You must enter a title for the Internet Link."));
        EXPECT_EQ(messages.last().title, QStringLiteral("Please Enter a Title"));
        EXPECT_EQ(messages.last().icon, MsgIcon::Information);
        d.findChild<QLineEdit*>("txtTitle")->setText("Guide");
        QTest::mouseClick(d.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    w.toolButton("Link")->trigger();
    const auto links = startup->state().db().entryList(Category::Birds, kLink);
    ASSERT_EQ(links.size(), 1u);
    const qint64 id = links[0].id;
    EXPECT_EQ(startup->state().db().entry(id)->fname, a);
    EXPECT_EQ(findNode(w.nodes(), QStringLiteral("L%1").arg(id))->parent(),
              findNode(w.nodes(), QStringLiteral("B%1").arg(emu)));
    // The link just saved is selected and shown under its own title.
    EXPECT_EQ(w.nodes().currentKey(), QStringLiteral("L%1").arg(id));
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Emu : Guide"));

    w.clickNode(QStringLiteral("L%1").arg(id));
    w.cmbAddress()->setEditText("https://other.example/");
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Editing Current Link"));
        EXPECT_EQ(d.findChild<QLineEdit*>("txtLink")->text(), a);
        d.findChild<QLineEdit*>("txtLink")->setText("");
        QTest::mouseClick(d.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
    });
    w.toolButton("Edit")->trigger();
    EXPECT_EQ(startup->state().db().entry(id)->fname, QString());
    EXPECT_FALSE(startup->state().EditMode);
}

// Run as root (as in a container), the web engine would refuse its sandbox
// and end the program at the first link; the pane runs without it instead
// and says so.
TEST_F(WebPaneTest, RunAsRootTheFirstLinkOpensWithoutTheSandbox) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only as root";
    }
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");  // as a user's shell has it
    const QString a = page("a.html", "<p>a</p>");
    const qint64 link = addEntry(Category::Birds, birdId("Emu"), kLink, "Guide", a);
    frmMain& w = start();
    w.show();
    w.clickNode(QStringLiteral("L%1").arg(link));
    ASSERT_NE(w.web(), nullptr);
    EXPECT_TRUE(waitForUrl(w, a));
    QSignalSpy loaded(w.web(), SIGNAL(loadFinished(bool)));
    EXPECT_TRUE(loaded.count() > 0 || loaded.wait(20000));
    EXPECT_TRUE(w.panel("Web")->isVisible());
    EXPECT_EQ(w.panel("Web")->text(),
              QStringLiteral("The web pane runs without the web engine's sandbox."));
    clock.fireTimers(10000);
    EXPECT_FALSE(w.panel("Web")->isVisible());
}
