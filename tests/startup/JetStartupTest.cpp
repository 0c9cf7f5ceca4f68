// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QTextEdit>
#include <QTreeWidget>

#include "AppFixture.h"

using namespace wf;
using namespace wf::test;

namespace {

const QString kFixture = QStringLiteral(WF_STORE_DATA "/legacy-aviary.mdb");

class JetStartupTest : public AppFixture {
  protected:
    void placeJetJournal() {
        QDir().mkpath(dataDir() + "/Images");
        writeAll(dataDir() + "/aviary.mdb", readAll(kFixture));
    }
};

}  // namespace

TEST_F(JetStartupTest, DecliningLeavesTheFileAndEnds) {
    placeJetJournal();
    messages.queue(MsgAnswer::No);
    EXPECT_EQ(begin(), 0);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("This journal is stored in the older Access (Jet) format. Import it "
                             "now? The original file is kept as aviary-jet.mdb."));
    EXPECT_EQ(messages.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(readAll(dataDir() + "/aviary.mdb"), readAll(kFixture));
    EXPECT_EQ(startup->splash(), nullptr);
}

TEST_F(JetStartupTest, ImportingKeepsTheOriginalAndShowsTheJournal) {
    placeJetJournal();
    // The Images folder came from a system that ignores letter case.
    QImage pic(20, 10, QImage::Format_RGB32);
    pic.fill(Qt::white);
    ASSERT_TRUE(pic.save(dataDir() + "/Images/white stork_2.jpg", "JPG"));
    messages.queue(MsgAnswer::Yes);
    frmMain& w = startToMain();
    EXPECT_EQ(readAll(dataDir() + "/aviary-jet.mdb"), readAll(kFixture));
    Store& db = startup->state().db();
    EXPECT_EQ(db.rowCount("birds"), 12);
    EXPECT_EQ(db.rowCount("sighting"), 21);
    // The options came along: the life lists count the journal's own areas.
    EXPECT_EQ(startup->state().ActiveState, QStringLiteral("England"));
    EXPECT_TRUE(w.panel("Life")->text().startsWith(QStringLiteral("World List = ")));
    EXPECT_TRUE(w.panel("State")->text().startsWith(QStringLiteral("England List = ")));
    // Barn Owl has nothing filed: not in the tree; Eurasian Robin is.
    EXPECT_FALSE(w.nodes().contains("B5"));
    ASSERT_TRUE(w.nodes().contains("B1"));
    w.clickNode("A1");
    EXPECT_TRUE(w.rtb()->toPlainText().contains(QStringLiteral("the song starts before dawn")));
    // "White Stork_2.JPG" is found as "white stork_2.jpg".
    const auto images = db.entryList(Category::Birds, kImage);
    for (const ListedEntry& e : images) {
        if (db.entry(e.id)->fname == QLatin1String("White Stork_2.JPG")) {
            w.clickNode(QStringLiteral("I%1").arg(e.id));
            EXPECT_TRUE(w.picture()->isVisible());
            EXPECT_EQ(w.picture()->size(), QSize(20, 10));
        }
    }
}

TEST_F(JetStartupTest, ImportMenuFillsOnlyAnEmptyJournal) {
    frmMain& w = startToMain();
    auto pick = [&] {
        dialogs.queue([](QDialog& d) {
            auto& files = static_cast<QFileDialog&>(d);
            files.selectFile(kFixture);
            static_cast<QDialog&>(files).accept();
        });
        w.menuItem("mnuFileImport")->trigger();
    };
    pick();
    EXPECT_EQ(messages.last().text, QStringLiteral("The old journal has been imported."));
    EXPECT_EQ(startup->state().db().rowCount("birds"), 12);
    EXPECT_TRUE(w.nodes().contains("B1"));
    // Nothing but the journal, and the lock this run holds on it.
    EXPECT_EQ(QDir(dataDir()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"aviary.mdb", "aviary.mdb.lock"}));
    pick();
    EXPECT_EQ(messages.last().title, QStringLiteral("Import Old Journal"));
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("already holds")));
}
