// SPDX-License-Identifier: GPL-3.0-or-later
// Backups without asking, by hand, and a restore that keeps what it replaces.
#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <SQLiteCpp/SQLiteCpp.h>

#include "AppFixture.h"
#include "Backups.h"
#include "Keyboard.h"
#include "Schema.h"
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

TEST_F(BackupTest, EachStartMakesTheDaysSetOnceWithItsPictures) {
    QDir().mkpath(dataDir() + "/Images");
    writeAll(dataDir() + "/Images/Emu Nest_1.jpg", "the photograph");
    startToMain();
    const QString today = dataDir() + "/Backups/aviary-2026-05-14";
    ASSERT_TRUE(QFileInfo(today).isDir());
    EXPECT_TRUE(QFile::exists(today + "/aviary.mdb"));
    // The picture is a second name of the same file: no space taken.
    EXPECT_EQ(readAll(today + "/Images/Emu Nest_1.jpg"), QByteArray("the photograph"));
    struct stat a {};
    struct stat b {};
    ASSERT_EQ(::stat(QFile::encodeName(today + "/Images/Emu Nest_1.jpg").constData(), &a), 0);
    ASSERT_EQ(::stat(QFile::encodeName(dataDir() + "/Images/Emu Nest_1.jpg").constData(), &b), 0);
    EXPECT_EQ(a.st_ino, b.st_ino);
    const QDateTime made = QFileInfo(today + "/aviary.mdb").lastModified();
    TearDown();
    clock.setNow(clock.now().addSecs(3600));
    startToMain();
    EXPECT_EQ(QFileInfo(today + "/aviary.mdb").lastModified(), made);  // not made again
    clock.setNow(clock.now().addDays(1));
    TearDown();
    startToMain();
    EXPECT_TRUE(QFileInfo(dataDir() + "/Backups/aviary-2026-05-15").isDir());
    const QList<BackupInfo> list = Backups(dataDir()).list();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].date, QDate(2026, 5, 15));
    EXPECT_EQ(list[0].pictures, 1);
    // Only whole sets under a backup's name, nothing else in the folder.
    EXPECT_EQ(QDir(dataDir() + "/Backups")
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                  .size(),
              2);

    // Only the program's own names are offered: copies of older versions,
    // sets with a time, a reason in lower-case letters and hyphens.
    const QString dir = dataDir() + "/Backups/";
    for (const char* name : {"aviary-2026-05-15-before-import.mdb", "aviary-2026-05-15-Mine.mdb",
                             "aviary-2026-05-15-.mdb", "aviary-latest.mdb", "aviary-2026-5-15.mdb",
                             "aviary-2026-05-15.mdb.mdb"}) {
        ASSERT_TRUE(QFile::copy(today + "/aviary.mdb", dir + name)) << name;
    }
    for (const char* name :
         {"aviary-2026-05-15-093000-before-restore", "aviary-2026-05-15-093000-2-before-restore",
          "aviary-2026-05-15-256100-before-restore", "aviary-2026-05-15-X"}) {
        ASSERT_TRUE(QDir().mkpath(dir + name + "/Images")) << name;
        ASSERT_TRUE(QFile::copy(today + "/aviary.mdb", dir + name + "/aviary.mdb")) << name;
    }
    const QList<BackupInfo> offered = Backups(dataDir()).list();
    QStringList names;
    for (const BackupInfo& b : offered) {
        names << QFileInfo(b.path).fileName();
    }
    EXPECT_EQ(names, (QStringList{"aviary-2026-05-15-093000-before-restore",
                                  "aviary-2026-05-15-093000-2-before-restore",
                                  "aviary-2026-05-15-before-import.mdb", "aviary-2026-05-15",
                                  "aviary-2026-05-14"}));
    ASSERT_EQ(offered.size(), 5);
    EXPECT_EQ(offered[0].reason, QStringLiteral("before-restore"));
    EXPECT_EQ(offered[0].time, QTime(9, 30));
    EXPECT_TRUE(offered[0].isSet());
    EXPECT_FALSE(offered[2].isSet());
    EXPECT_EQ(offered[2].reason, QStringLiteral("before-import"));
}

TEST_F(BackupTest, AnOldCopyIsRotatedAndRestorableLikeASet) {
    QDir().mkpath(dataDir() + "/Backups");
    startToMain();
    TearDown();
    // Old copies of the 100 days before: the rule keeps 7 days and 8 weeks.
    for (int i = 1; i <= 100; ++i) {
        ASSERT_TRUE(QFile::copy(
            dataDir() + "/Backups/aviary-2026-05-14/aviary.mdb",
            dataDir() + QStringLiteral("/Backups/aviary-%1.mdb")
                            .arg(QDate(2026, 5, 14).addDays(-i).toString(Qt::ISODate))));
    }
    clock.setNow(clock.now().addDays(1));
    startToMain();
    const QList<BackupInfo> list = Backups(dataDir()).list();
    EXPECT_EQ(list.size(), 15);  // 7 days and 8 weeks
    EXPECT_TRUE(list[0].isSet());
    EXPECT_FALSE(list.back().isSet());
}

TEST_F(BackupTest, ADeletedPictureComesBackWithTheSetThatHeldIt) {
    QDir().mkpath(dataDir() + "/Images");
    {
        std::unique_ptr<Store> db = DataFolder(dataDir()).openJournal(worldListPath());
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        ASSERT_TRUE(picture.save(dataDir() + "/Images/Emu Nest_1.jpg", "JPG"));
        Entry e;
        e.catid = int(Category::Birds);
        e.subid = *db->findSubject(Category::Birds, QStringLiteral("Emu"));
        e.type = kImage;
        e.title = QStringLiteral("Nest");
        e.fname = QStringLiteral("Emu Nest_1.jpg");
        ASSERT_EQ(db->appendEntry(e), 1);
    }
    const QByteArray original = readAll(dataDir() + "/Images/Emu Nest_1.jpg");
    frmMain& w = startToMain();  // the day's set holds the picture
    w.clickNode(QStringLiteral("I1"));
    // Deleted, and its file erased.
    messages.queue(MsgAnswer::Yes);
    messages.queue(MsgAnswer::Yes);
    w.toolButton("Delete")->trigger();
    ASSERT_FALSE(QFile::exists(dataDir() + "/Images/Emu Nest_1.jpg"));
    ASSERT_FALSE(startup->state().db().entry(1));
    // Restored: the entry, and the picture byte for byte.
    dialogs.queue([](QDialog& d) {
        auto* list = d.findChild<QListWidget*>("lstBackups");
        ASSERT_GE(list->count(), 1);
        EXPECT_TRUE(list->item(0)->text().contains(QStringLiteral("1 picture")))
            << list->item(0)->text().toStdString();
        list->setCurrentRow(0);
        user::click(d.findChild<QPushButton*>("cmdRestore"));
    });
    messages.queue(MsgAnswer::Yes);
    messages.clear();
    w.menuItem("mnuFileRestore")->trigger();
    ASSERT_TRUE(startup->state().db().entry(1));
    EXPECT_EQ(readAll(dataDir() + "/Images/Emu Nest_1.jpg"), original);
    messages.clear();
    w.clickNode(QStringLiteral("I1"));
    for (const MessageRequest& m : messages.shown()) {
        ADD_FAILURE() << m.text.toStdString();  // no "File not found"
    }
}

TEST_F(BackupTest, AZipBackupRestoredIntoAFreshFolderEqualsTheOriginal) {
    QDir().mkpath(dataDir() + "/Images");
    writeAll(dataDir() + "/Images/Emu Nest_1.jpg", "the first photograph");
    writeAll(dataDir() + "/Images/Emu Egg_2.jpg", QByteArray(300000, 'x'));
    frmMain& w = startToMain();
    Store& db = startup->state().db();
    const qint64 emu = *db.findSubject(Category::Birds, QStringLiteral("Emu"));
    for (const char* file : {"Emu Nest_1.jpg", "Emu Egg_2.jpg"}) {
        Entry e;
        e.catid = int(Category::Birds);
        e.subid = emu;
        e.type = kImage;
        e.title = QString::fromLatin1(file);
        e.fname = QString::fromLatin1(file);
        db.appendEntry(e);
    }
    Sighting s;
    s.birdid = emu;
    s.date = QDate(2026, 5, 1);
    s.count = QStringLiteral("2");
    db.appendSighting(s);
    // By hand, to one file the user carries away.
    const QString zip = tmp.file("carried.zip");
    dialogs.queue([&](QDialog& d) {
        auto& files = static_cast<QFileDialog&>(d);
        files.selectFile(zip);
        static_cast<QDialog&>(files).accept();
    });
    w.menuItem("mnuFileBackup")->trigger();
    ASSERT_TRUE(QFile::exists(zip));
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("its 2 pictures")))
        << messages.last().text.toStdString();
    const QString originalDir = dataDir();
    TearDown();

    // A fresh data folder, its new journal replaced by the carried backup.
    dataName = QStringLiteral("fresh");
    const QString fresh = dataDir();
    frmMain& w2 = startToMain();
    dialogs.queue([](QDialog& d) { user::click(d.findChild<QPushButton*>("cmdOther")); });
    dialogs.queue([&](QDialog& d) {
        auto& files = static_cast<QFileDialog&>(d);
        files.selectFile(zip);
        static_cast<QDialog&>(files).accept();
    });
    messages.queue(MsgAnswer::Yes);
    w2.menuItem("mnuFileRestore")->trigger();
    // Every row and every picture's bytes.
    for (const char* table : {"birds", "topics", "data", "sighting", "sighting_detail"}) {
        const auto dump = [&](const QString& file) {
            SQLite::Database d(QFile::encodeName(file).toStdString(), SQLite::OPEN_READONLY);
            schema::registerFunctions(d.getHandle());
            SQLite::Statement q(d, std::string("SELECT * FROM ") + table + " ORDER BY 1");
            QStringList rows;
            while (q.executeStep()) {
                QStringList cells;
                for (int c = 0; c < q.getColumnCount(); ++c) {
                    cells << QString::fromStdString(q.getColumn(c).getString());
                }
                rows << cells.join(u'|');
            }
            return rows;
        };
        EXPECT_EQ(dump(fresh + "/aviary.mdb"), dump(originalDir + "/aviary.mdb")) << table;
    }
    for (const char* file : {"Emu Nest_1.jpg", "Emu Egg_2.jpg"}) {
        EXPECT_EQ(readAll(fresh + "/Images/" + file), readAll(originalDir + "/Images/" + file))
            << file;
    }
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
