// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileDialog>
#include "DateField.h"

#include "AppFixture.h"
#include "Backups.h"
#include "EbirdFiles.h"
#include "Keyboard.h"

namespace wf::test {
namespace {

class ExchangeTest : public AppFixture {
  protected:
    void chooseFile(const QString& path) {
        dialogs.queue([path](QDialog& d) {
            auto& files = static_cast<QFileDialog&>(d);
            files.selectFile(path);
            static_cast<QDialog&>(files).accept();
        });
    }
    QString lastMessage() const {
        return messages.shown().empty() ? QString() : messages.shown().back().text;
    }
};

TEST_F(ExchangeTest, ImportFromTheFileMenuAddsSightingsAndCountsThem) {
    frmMain& w = startToMain();
    const QString file = writeFile(tmp, QStringLiteral("MyEBirdData.csv"), myEbirdData());
    chooseFile(file);
    w.menuItem("mnuFileImportEbird")->trigger();
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("Sightings added: 6")))
        << lastMessage().toStdString();
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("Mystery Warbler")));
    EXPECT_EQ(startup->state().db().rowCount("sighting"), 6);
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List = 5"));
    // The journal as it was before, kept.
    const QList<BackupInfo> backups = Backups(dataDir()).list();
    EXPECT_TRUE(std::any_of(backups.begin(), backups.end(), [](const BackupInfo& b) {
        return b.reason == QLatin1String("before-import") && b.sightings == 0;
    }));

    // Again: nothing new.
    chooseFile(file);
    w.menuItem("mnuFileImportEbird")->trigger();
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("Already in the journal: 6")));
    EXPECT_EQ(startup->state().db().rowCount("sighting"), 6);
    // Two imports in one second: two sets, the first not overwritten.
    QList<qint64> before;
    for (const BackupInfo& b : Backups(dataDir()).list()) {
        if (b.reason == QLatin1String("before-import")) {
            before << b.sightings;
            EXPECT_TRUE(b.isSet());
        }
    }
    std::sort(before.begin(), before.end());
    EXPECT_EQ(before, (QList<qint64>{0, 6}));

    // A file that is not right: said where, nothing imported.
    QByteArray broken = myEbirdData();
    broken.replace("2025-01-02", "yesterday");
    chooseFile(writeFile(tmp, QStringLiteral("broken.csv"), broken));
    w.menuItem("mnuFileImportEbird")->trigger();
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("line 11: the date \"yesterday\"")));
    EXPECT_EQ(startup->state().db().rowCount("sighting"), 6);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the busy cursor is gone again

    // Cancelled in the file dialog: nothing asked, nothing done.
    const size_t shown = messages.shown().size();
    w.menuItem("mnuFileImportEbird")->trigger();
    EXPECT_EQ(messages.shown().size(), shown);
}

TEST_F(ExchangeTest, ExportMenuWritesEachFile) {
    frmMain& w = startToMain();
    chooseFile(writeFile(tmp, QStringLiteral("MyEBirdData.csv"), myEbirdData()));
    w.menuItem("mnuFileImportEbird")->trigger();

    // For eBird, dates limited to 2025 in the range dialog.
    dialogs.queue([](QDialog& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("frmExportRange"));
        auto* only = d.findChild<QCheckBox*>("chkRange");
        user::click(only, QPoint(6, only->height() / 2));  // on its box
        d.findChild<DateField*>("dtFrom")->setDate(QDate(2025, 1, 1));
        d.findChild<DateField*>("dtTo")->setDate(QDate(2025, 12, 31));
        d.accept();
    });
    const QString upload = tmp.file("upload.csv");
    chooseFile(upload);
    w.menuItem("mnuFileExportEbird")->trigger();
    EXPECT_EQ(lastMessage(), QStringLiteral("3 sightings written to %1.").arg(upload));
    EXPECT_EQ(readAll(upload).count("\r\n"), 3);

    const QString sightings = tmp.file("sightings.csv");
    chooseFile(sightings);
    w.menuItem("mnuFileExportSightings")->trigger();
    EXPECT_TRUE(readAll(sightings).startsWith("Sighting ID,Bird,Scientific Name"));

    const QString lists = tmp.file("lists.csv");
    chooseFile(lists);
    w.menuItem("mnuFileExportLifeLists")->trigger();
    EXPECT_EQ(lastMessage(), QStringLiteral("5 rows written to %1.").arg(lists));
}

TEST(ExchangeCommandLine, ImportAndExportWithoutWindows) {
    TempDir tmp;
    const QString file = writeFile(tmp, QStringLiteral("MyEBirdData.csv"), myEbirdData());
    CommandLine cl = parseCommandLine({"wingfolio", "--data-dir", tmp.file("data"),
                                       "--import-ebird", file, "--export-sightings",
                                       tmp.file("s.csv"), "--export-life-list", tmp.file("l.csv")});
    ASSERT_EQ(cl.exitStatus, Startup::kRunning);
    ASSERT_TRUE(cl.exchange());
    EXPECT_EQ(runExchange(cl, DataFolder(cl.dataDir), worldListPath()), 0)
        << cl.errors.toStdString();
    EXPECT_TRUE(cl.output.contains(QStringLiteral("Sightings added: 6")));
    EXPECT_TRUE(cl.output.contains(QStringLiteral("World Life List = 5")));
    EXPECT_TRUE(cl.output.contains(QStringLiteral("Wrote 6 sightings to")));
    EXPECT_TRUE(QFile::exists(tmp.file("l.csv")));

    CommandLine range =
        parseCommandLine({"wingfolio", "--data-dir", tmp.file("data"), "--export-ebird",
                          tmp.file("e.csv"), "--from", "2025-01-01"});
    EXPECT_EQ(runExchange(range, DataFolder(range.dataDir), worldListPath()), 0);
    EXPECT_EQ(readAll(tmp.file("e.csv")).count("\r\n"), 3);

    // A bad file fails with the reason and a non-zero status.
    QByteArray broken = myEbirdData();
    broken.replace(",Location,", ",Place,");
    CommandLine bad =
        parseCommandLine({"wingfolio", "--data-dir", tmp.file("data"), "--import-ebird",
                          writeFile(tmp, QStringLiteral("b.csv"), broken)});
    EXPECT_EQ(runExchange(bad, DataFolder(bad.dataDir), worldListPath()), 1);
    EXPECT_TRUE(bad.errors.contains(QStringLiteral("no column \"Location\"")));

    // Not while the program has the journal open.
    QLockFile held(tmp.file("data/aviary.mdb.lock"));
    ASSERT_TRUE(held.tryLock(0));
    CommandLine busy = parseCommandLine(
        {"wingfolio", "--data-dir", tmp.file("data"), "--export-sightings", tmp.file("s2.csv")});
    EXPECT_EQ(runExchange(busy, DataFolder(busy.dataDir), worldListPath()), kExitJournalInUse);
    EXPECT_FALSE(QFile::exists(tmp.file("s2.csv")));

    const CommandLine wrong =
        parseCommandLine({"wingfolio", "--export-ebird", "x.csv", "--to", "31/12/2025"});
    EXPECT_EQ(wrong.exitStatus, 2);
    EXPECT_TRUE(wrong.errors.contains(QStringLiteral("--to takes a date")));
}

}  // namespace
}  // namespace wf::test
