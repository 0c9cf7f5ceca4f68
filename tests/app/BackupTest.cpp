// SPDX-License-Identifier: GPL-3.0-or-later
// Backups without asking, by hand, and a restore that keeps what it replaces.
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "AppFixture.h"
#include "Backups.h"
#include "Keyboard.h"
#include "StatusPanel.h"
#include "frmRestore.h"

using namespace wf;
using namespace wf::test;

using BackupTest = AppFixture;

TEST(BackupRule, SevenDaysAndEightWeeksAreKept) {
    QList<QDate> days;
    for (int i = 0; i < 120; ++i) {
        days << QDate(2026, 12, 6).addDays(-i);
    }
    const QList<QDate> removed = Backups::toRemove(days);
    QList<QDate> kept;
    for (const QDate& d : days) {
        if (!removed.contains(d)) {
            kept << d;
        }
    }
    ASSERT_EQ(kept.size(), 15);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(kept[i], QDate(2026, 12, 6).addDays(-i));  // the last 7 days
    }
    // Then one a week, each the newest of its week, in 8 different weeks.
    QSet<int> weeks;
    for (int i = 7; i < 15; ++i) {
        weeks.insert(kept[i].weekNumber());
        EXPECT_TRUE(kept[i].dayOfWeek() == 7 || kept[i] == kept[6].addDays(-1));
    }
    EXPECT_EQ(weeks.size(), 8);
    EXPECT_TRUE(Backups::toRemove(days.mid(0, 5)).isEmpty());
}

TEST_F(BackupTest, EachStartMakesTheDaysCopyOnce) {
    startToMain();
    const QString today = dataDir() + "/Backups/aviary-2026-05-14.mdb";
    ASSERT_TRUE(QFile::exists(today));
    const QDateTime made = QFileInfo(today).lastModified();
    TearDown();
    clock.setNow(clock.now().addSecs(3600));
    startToMain();
    EXPECT_EQ(QFileInfo(today).lastModified(), made);  // not made again
    clock.setNow(clock.now().addDays(1));
    TearDown();
    startToMain();
    EXPECT_TRUE(QFile::exists(dataDir() + "/Backups/aviary-2026-05-15.mdb"));
    const QList<BackupInfo> list = Backups(dataDir()).list();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].date, QDate(2026, 5, 15));
    // Only whole copies under a backup's name, nothing else in the folder.
    EXPECT_EQ(QDir(dataDir() + "/Backups").entryList(QDir::Files | QDir::Hidden).size(), 2);

    // Only the program's own names are offered: a date, then a reason in
    // lower-case letters and hyphens.
    const QString dir = dataDir() + "/Backups/";
    for (const char* name : {"aviary-2026-05-15-before-import.mdb", "aviary-2026-05-15-Mine.mdb",
                             "aviary-2026-05-15-.mdb", "aviary-latest.mdb", "aviary-2026-5-15.mdb",
                             "aviary-2026-05-15.mdb.mdb"}) {
        ASSERT_TRUE(QFile::copy(today, dir + name)) << name;
    }
    const QList<BackupInfo> offered = Backups(dataDir()).list();
    ASSERT_EQ(offered.size(), 3);
    EXPECT_EQ(offered[0].reason, QString());
    EXPECT_EQ(offered[1].reason, QStringLiteral("before-import"));
    EXPECT_EQ(offered[1].date, QDate(2026, 5, 15));
    EXPECT_EQ(offered[2].date, QDate(2026, 5, 14));
}

TEST_F(BackupTest, ABackupThatFailsIsToldInTheStatusBarAndTheProgramGoesOn) {
    QDir().mkpath(dataDir());
    writeAll(dataDir() + "/Backups", "a file where the folder should be");
    frmMain& w = startToMain();
    StatusPanel* note = w.panel("Backup");
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().startsWith(QStringLiteral("No backup today: ")));
    EXPECT_TRUE(messages.shown().empty());  // no box to stop the start
    EXPECT_TRUE(w.isVisible());
}

TEST_F(BackupTest, BackUpByHandAndRestoreKeepingTheReplacedJournal) {
    frmMain& w = startToMain();
    Store& db = startup->state().db();
    Sighting s;
    s.birdid = *db.findSubject(Category::Birds, QStringLiteral("Emu"));
    s.date = QDate(2026, 5, 1);
    db.appendSighting(s);
    // By hand, to a file of the user's choosing.
    const QString mine = tmp.file("my-copy.mdb");
    dialogs.queue([&](QDialog& d) {
        auto& files = static_cast<QFileDialog&>(d);
        files.selectFile(mine);
        static_cast<QDialog&>(files).accept();
    });
    w.menuItem("mnuFileBackup")->trigger();
    ASSERT_TRUE(QFile::exists(mine));
    EXPECT_EQ(Store::open(mine)->rowCount("sighting"), 1);

    // Today's copy (made at start) has no sighting; restoring it asks first.
    db.appendSighting(s);
    messages.clear();
    dialogs.queue([](QDialog& d) {
        auto* list = d.findChild<QListWidget*>("lstBackups");
        ASSERT_EQ(list->count(), 1);
        EXPECT_TRUE(list->item(0)->text().contains(QStringLiteral("0 sightings")));
        list->setCurrentRow(0);
        user::click(d.findChild<QPushButton*>("cmdRestore"));
    });
    messages.queue(MsgAnswer::No);
    w.menuItem("mnuFileRestore")->trigger();
    EXPECT_EQ(startup->state().db().rowCount("sighting"), 2);  // No: nothing changed
    dialogs.queue([](QDialog& d) {
        d.findChild<QListWidget*>("lstBackups")->setCurrentRow(0);
        user::click(d.findChild<QPushButton*>("cmdRestore"));
    });
    messages.queue(MsgAnswer::Yes);
    w.menuItem("mnuFileRestore")->trigger();
    EXPECT_EQ(startup->state().db().rowCount("sighting"), 0);
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List "));
    // The journal it replaced is a backup too, with both sightings.
    const QList<BackupInfo> list = Backups(dataDir()).list();
    const auto replaced = std::find_if(list.begin(), list.end(), [](const BackupInfo& b) {
        return b.reason == QLatin1String("before-restore");
    });
    ASSERT_NE(replaced, list.end());
    EXPECT_EQ(replaced->sightings, 2);
}
