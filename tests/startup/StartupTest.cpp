// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <sys/wait.h>
#include <unistd.h>
#include <QLockFile>

#include "AppFixture.h"
#include "NodeRef.h"

using namespace wf;
using namespace wf::test;

using StartupTest = AppFixture;

TEST_F(StartupTest, SplashHandsOverToTheMainWindowWhenItsTimerFires) {
    ASSERT_EQ(begin(), Startup::kRunning);
    QPointer<frmSplash> splash = startup->splash();
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(startup->mainWindow(), nullptr);
    ASSERT_EQ(clock.timers().size(), 1u);
    EXPECT_EQ(clock.timers()[0]->interval(), 2500);

    ASSERT_EQ(clock.fireTimers(2500), 1);
    ASSERT_NE(startup->mainWindow(), nullptr);
    EXPECT_TRUE(startup->mainWindow()->isVisible());
    EXPECT_EQ(startup->mainWindow()->windowTitle(), QStringLiteral("Wingfolio"));
    EXPECT_TRUE(splash.isNull() || !splash->isVisible());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
    // The splash timer fires once only.
    EXPECT_EQ(clock.fireTimers(2500), 0);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(StartupTest, MainWindowStartsOnAllEntriesInMyBirds) {
    frmMain& w = startToMain();
    EXPECT_EQ(w.cmbSearchCategory()->currentText(), QStringLiteral("All Entries"));
    EXPECT_EQ(w.cmbSearchCategory()->count(), 15);  // ..., the outings, the photographed
    EXPECT_EQ(w.cmbSearchCategory()->itemText(4), QStringLiteral("Custom Search"));
    EXPECT_TRUE(w.findChild<QRadioButton*>(QStringLiteral("optCat(0)"))->isChecked());
    EXPECT_EQ(w.findChild<QRadioButton*>(QStringLiteral("optCat(1)"))->text(),
              QStringLiteral("In Other Topics"));
    ASSERT_EQ(int(w.nodes().childKeys({}).size()), 1);
    EXPECT_EQ(topNode(w.nodes())->text(0), QStringLiteral("Birds of the World"));
    EXPECT_EQ(w.lbltitle()->text(), QStringLiteral("Welcome to Wingfolio"));
    EXPECT_EQ(startup->state().CurrentCategory, QStringLiteral("Birds"));
    EXPECT_FALSE(startup->state().EditMode);
}

TEST_F(StartupTest, FirstStartMakesTheJournalAndASecondStartChangesNothing) {
    startToMain();
    EXPECT_EQ(startup->state().db().rowCount("birds"), 11131);
    EXPECT_TRUE(QDir(dataDir() + "/Images").exists());
    TearDown();
    const QByteArray before = readAll(dataDir() + "/aviary.mdb");
    startToMain();
    EXPECT_EQ(startup->state().db().rowCount("birds"), 11131);
    EXPECT_EQ(startup->state().db().rowCount("options"), 1);
    TearDown();
    EXPECT_EQ(readAll(dataDir() + "/aviary.mdb"), before);
}

TEST_F(StartupTest, OptionsRowFillsTheSharedStateAndTheLifeListCounts) {
    {
        auto store = DataFolder(dataDir()).openJournal(worldListPath());
        store->saveOptions({QStringLiteral("https://s.example/"),
                            QStringLiteral("https://h.example/"), QStringLiteral("Europe"),
                            QStringLiteral("Côte d'Ivoire"), QStringLiteral("Norfolk"),
                            QStringLiteral("Broads \"East\"")});
        const qint64 a = *store->findSubject(Category::Birds, QStringLiteral("Common Ostrich"));
        const qint64 b = *store->findSubject(Category::Birds, QStringLiteral("Emu"));
        Sighting s;
        s.birdid = a;
        s.state = QStringLiteral("NORFOLK");
        s.district = QStringLiteral("Broads \"East\"");
        store->appendSighting(s);
        store->appendSighting(s);
        s.birdid = b;
        s.state = QStringLiteral("Suffolk");
        store->appendSighting(s);
    }
    frmMain& w = startToMain();
    const AppState& st = startup->state();
    EXPECT_EQ(st.SearchUrl, QStringLiteral("https://s.example/"));
    EXPECT_EQ(st.HomeUrl, QStringLiteral("https://h.example/"));
    EXPECT_EQ(st.ActiveRegion, QStringLiteral("Europe"));
    EXPECT_EQ(st.ActiveCountry, QStringLiteral("Côte d'Ivoire"));
    EXPECT_EQ(st.ActiveState, QStringLiteral("Norfolk"));
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List = 2"));
    EXPECT_EQ(w.panel("State")->text(), QStringLiteral("Norfolk List = 1"));
    EXPECT_EQ(w.panel("District")->text(), QStringLiteral("Broads \"East\" List = 2"));
    EXPECT_EQ(w.panel("Region")->text(), QStringLiteral("Region Life List "));
    EXPECT_EQ(w.panel("Country")->text(), QStringLiteral("Country Life List "));
}

namespace {

struct BadFile {
    const char* name;
    QByteArray bytes;
    const char* words;
};

}  // namespace

TEST_F(StartupTest, BadJournalFilesGiveAMessageAndAnErrorExitAndStayUnchanged) {
    // A sound journal, to cut short.
    QByteArray good;
    { auto store = DataFolder(tmp.file("good")).openJournal(worldListPath()); }
    good = readAll(tmp.file("good/aviary.mdb"));
    const BadFile files[] = {
        {"text", "Dear diary, saw a wren today.\n", "not a Wingfolio journal"},
        {"empty", "", "empty"},
        {"truncated", good.left(good.size() / 3), "truncated"},
    };
    for (const BadFile& f : files) {
        SCOPED_TRACE(f.name);
        QDir().mkpath(dataDir());
        const QString path = dataDir() + "/aviary.mdb";
        writeAll(path, f.bytes);
        messages.clear();
        EXPECT_GT(begin(), 0);
        ASSERT_FALSE(messages.shown().empty());
        const MessageRequest& m = messages.shown().front();
        EXPECT_TRUE(m.text.contains(path)) << m.text.toStdString();
        EXPECT_TRUE(m.text.contains(QString::fromLatin1(f.words))) << m.text.toStdString();
        EXPECT_EQ(m.title, QStringLiteral("Wingfolio"));
        EXPECT_EQ(startup->splash(), nullptr);
        EXPECT_EQ(readAll(path), f.bytes);
        EXPECT_EQ(QDir(dataDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"aviary.mdb"});
    }
}

TEST_F(StartupTest, ClosingTheMainWindowClosesOtherWindowsBeforeTheDatabase) {
    frmMain& w = startToMain();
    AppState& st = startup->state();
    QDialog dialog(&w);
    bool databaseOpenWhenDialogClosed = false;
    QObject::connect(&dialog, &QDialog::finished,
                     [&] { databaseOpenWhenDialogClosed = st.hasDatabase(); });
    dialog.show();
    ASSERT_TRUE(dialog.isVisible());
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(databaseOpenWhenDialogClosed);
    EXPECT_FALSE(st.hasDatabase());
}

TEST_F(StartupTest, ExitMenuClosesTheProgram) {
    frmMain& w = startToMain();
    w.findChild<QAction*>(QStringLiteral("mnuFileClose"))->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(startup->state().hasDatabase());
}

TEST(CommandLineTest, OptionsAndMistakes) {
    CommandLine cl = parseCommandLine({"wingfolio", "--data-dir", "/tmp/x"});
    EXPECT_EQ(cl.exitStatus, Startup::kRunning);
    EXPECT_EQ(cl.dataDir, QStringLiteral("/tmp/x"));
    EXPECT_EQ(cl.splashMs, 2500);
    EXPECT_EQ(parseCommandLine({"wingfolio", "--version"}).exitStatus, 0);
    const CommandLine help = parseCommandLine({"/usr/bin/wingfolio", "--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_TRUE(help.output.startsWith(QStringLiteral("Usage: wingfolio [options]")))
        << help.output.toStdString();
    EXPECT_TRUE(help.output.contains(QStringLiteral("--data-dir <folder>")));
    EXPECT_EQ(parseCommandLine({"wingfolio", "--version"}).output,
              QStringLiteral("Wingfolio " WINGFOLIO_VERSION "\n"));
    EXPECT_TRUE(parseCommandLine({"wingfolio", "--bogus"}).errors.contains("bogus"));
    EXPECT_EQ(parseCommandLine({"wingfolio", "--bogus"}).exitStatus, 2);
    EXPECT_EQ(parseCommandLine({"wingfolio", "stray"}).exitStatus, 2);
    EXPECT_EQ(parseCommandLine({"wingfolio", "--splash-ms", "0"}).splashMs, 0);
}

TEST_F(StartupTest, ASecondCopyOnTheSameJournalEndsTouchingNothing) {
    startToMain();
    const QByteArray before = readAll(dataDir() + "/aviary.mdb");
    Startup second(services, DataFolder(dataDir()), worldListPath(), frmSplash::kInterval);
    EXPECT_EQ(second.begin(), kExitJournalInUse);
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_TRUE(messages.last().text.contains(
        QStringLiteral("is already open in another window of Wingfolio")));
    EXPECT_TRUE(messages.last().text.contains(dataDir() + "/aviary.mdb"));
    EXPECT_FALSE(second.state().hasDatabase());
    EXPECT_EQ(readAll(dataDir() + "/aviary.mdb"), before);
    // Once the first copy has ended the journal is free again.
    TearDown();
    EXPECT_EQ(begin(), Startup::kRunning);
}

TEST_F(StartupTest, ALockLeftByACrashedRunIsTakenOver) {
    QDir().mkpath(dataDir());
    const QString lockPath = dataDir() + "/aviary.mdb.lock";
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(lockPath);
        lock.tryLock(0);
        _exit(0);  // ends without unlocking, as a crash would
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(QFile::exists(lockPath));
    EXPECT_EQ(begin(), Startup::kRunning);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(StartupTest, LifeListsAreCountedOnceTheWindowIsOnScreen) {
    {
        std::unique_ptr<Store> store = DataFolder(dataDir()).openJournal(worldListPath());
        Sighting s;
        s.birdid = *store->findSubject(Category::Birds, QStringLiteral("Common Ostrich"));
        s.date = QDate(2024, 5, 3);
        store->appendSighting(s);
    }
    ASSERT_EQ(begin(), Startup::kRunning);
    ASSERT_EQ(clock.fireTimers(frmSplash::kInterval), 1);
    frmMain& w = *startup->mainWindow();
    // The window shows first, with the lists' names; their counts follow.
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("Life List"));
    for (int i = 0; i < 200 && w.panel("Life")->text() == QLatin1String("Life List"); ++i) {
        QTest::qWait(5);
    }
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List = 1"));
    w.waitForDailyCheck();
}
