// SPDX-License-Identifier: GPL-3.0-or-later
// A journal with a damaged page is refused before anything is written to it,
// and the message names the newest good backup.
#include <SQLiteCpp/SQLiteCpp.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QLockFile>

#include "AppFixture.h"
#include "Schema.h"

using namespace wf;
using namespace wf::test;

namespace {

class DamageTest : public AppFixture {
  protected:
    QString journal() const { return dataDir() + "/aviary.mdb"; }
    // Writes a bad page type into the header of the table's root page.
    void damageRootPageOf(const char* table) {
        int root = 0;
        int pageSize = 0;
        {
            SQLite::Database db(journal().toStdString(), SQLite::OPEN_READONLY);
            schema::registerFunctions(db.getHandle());
            SQLite::Statement q(db, "SELECT rootpage FROM sqlite_master WHERE name = ?");
            q.bind(1, table);
            ASSERT_TRUE(q.executeStep());
            root = q.getColumn(0).getInt();
            pageSize = db.execAndGet("PRAGMA page_size").getInt();
        }
        QFile f(journal());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(qint64(root - 1) * pageSize));
        f.write("\x07", 1);  // no such b-tree page type
    }
};

}  // namespace

TEST_F(DamageTest, ADamagedJournalIsRefusedUnchangedWithTheNewestGoodBackupNamed) {
    startToMain();  // day one: the journal and its backup
    TearDown();
    damageRootPageOf("options");
    const QByteArray before = readAll(journal());
    clock.setNow(clock.now().addDays(1));  // the day's first start checks
    EXPECT_EQ(begin(), 1);
    ASSERT_FALSE(messages.shown().empty());
    const QString text = messages.last().text;
    EXPECT_TRUE(text.contains(QStringLiteral("damaged"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("The newest good backup is the set")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("aviary-2026-05-14"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("copy the set's aviary.mdb there")));
    EXPECT_EQ(readAll(journal()), before);  // no options row was put in
    EXPECT_FALSE(QFile::exists(dataDir() + "/Backups/aviary-2026-05-15"));
}

TEST_F(DamageTest, TheDaysCheckBesideTheWindowRefusesADamagedJournal) {
    startToMain();
    TearDown();
    damageRootPageOf("topics");  // nothing the start reads
    const QByteArray before = readAll(journal());
    clock.setNow(clock.now().addDays(1));
    ASSERT_EQ(begin(), Startup::kRunning);  // the window comes at once
    EXPECT_EQ(clock.fireTimers(frmSplash::kInterval), 1);
    frmMain* w = startup->mainWindow();
    ASSERT_NE(w, nullptr);
    bool refused = false;
    QObject::connect(w, &frmMain::journalRefused, [&] { refused = true; });
    w->waitForDailyCheck();
    EXPECT_TRUE(refused);
    ASSERT_FALSE(messages.shown().empty());
    const QString text = messages.last().text;
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    EXPECT_TRUE(text.contains(QStringLiteral("damaged"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("aviary-2026-05-14"))) << text.toStdString();
    // The program ends as a refused start does, the journal closed
    // untouched; no backup is made of a damaged journal.
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(startup->state().hasDatabase());
    EXPECT_FALSE(QFile::exists(dataDir() + "/Backups/aviary-2026-05-15"));
    TearDown();
    EXPECT_EQ(readAll(journal()), before);
}

TEST_F(DamageTest, AnUnknownFileFormatIsRefusedNamingTheWayBack) {
    startToMain();
    TearDown();
    {
        QFile f(journal());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(44));  // the schema format number
        f.write("\x00\x00\x00\x09", 4);
    }
    const QByteArray before = readAll(journal());
    EXPECT_EQ(begin(), 1);
    ASSERT_FALSE(messages.shown().empty());
    const QString text = messages.last().text;
    EXPECT_TRUE(text.contains(QStringLiteral("The newest good backup is the set")))
        << text.toStdString();
    EXPECT_EQ(readAll(journal()), before);
}

TEST_F(DamageTest, ALockLeftByACrashMakesTheSameDaysStartCheckToo) {
    startToMain();
    TearDown();
    damageRootPageOf("sighting");
    // A crash leaves the lock behind.
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(journal() + ".lock");
        lock.tryLock(0);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    const QByteArray before = readAll(journal());
    EXPECT_EQ(begin(), 1);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("damaged")));
    EXPECT_EQ(readAll(journal()), before);
}

TEST_F(DamageTest, DamageMetWhileReadingIsReportedNotShownAsFewerRows) {
    {
        frmMain& w = startToMain();
        Sighting s;
        s.birdid = *startup->state().db().findSubject(Category::Birds, QStringLiteral("Emu"));
        startup->state().db().appendSighting(s);
        (void)w;
    }
    TearDown();
    damageRootPageOf("birds");
    startToMain();  // same day, clean end: no check at start; the lists meet it
    bool reported = false;
    for (const MessageRequest& m : messages.shown()) {
        reported =
            reported || (m.text.startsWith(QStringLiteral("Error Loading Data. Error # 3049")) &&
                         m.text.contains(journal()));
    }
    EXPECT_TRUE(reported);
}
