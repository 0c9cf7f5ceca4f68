// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include "DateField.h"
#include "SightingGrid.h"

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
    // The summary, then the offer to review the names that matched no bird.
    ASSERT_GE(messages.shown().size(), 2u);
    const QString summary = messages.shown()[messages.shown().size() - 2].text;
    EXPECT_TRUE(summary.contains(QStringLiteral("Sightings added: 4"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("Waiting for review: 2")));
    EXPECT_TRUE(lastMessage().endsWith(QStringLiteral("Review them now?")));
    EXPECT_EQ(startup->state().db().rowCount("sighting"), 4);
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List = 3"));
    EXPECT_EQ(w.menuItem("mnuFileReviewNames")->text(),
              QStringLiteral("Re&view eBird Names (2)..."));
    EXPECT_FALSE(w.panel("Waiting")->isHidden());

    // The review, as a person makes it: the chickadee filed under the
    // English name's bird, the warbler added as a new bird.
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("frmReviewNames"));
        auto* table = d.findChild<QTableWidget*>("tblWaiting");
        ASSERT_EQ(table->rowCount(), 2);
        EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("Carolina Chickadee"));
        auto* list = d.findChild<QListWidget*>("lstSuggestions");
        ASSERT_GE(list->count(), 1);
        EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("Carolina Chickadee")))
            << list->item(0)->text().toStdString();
        user::click(list->viewport(), list->visualItemRect(list->item(0)).center());
        user::click(d.findChild<QPushButton*>("cmdFile"));
        ASSERT_EQ(table->rowCount(), 1);
        EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("Mystery Warbler"));
        // A slip typed in the bird box is said, and nothing is filed.
        auto* bird = d.findChild<QComboBox*>("cmbBird");
        user::focus(bird);
        user::type(&d, QStringLiteral("Mystery Warblr"));
        user::key(&d, Qt::Key_Return);
        EXPECT_TRUE(lastMessage().contains(QStringLiteral("is not in the world list")));
        EXPECT_EQ(table->rowCount(), 1);
        messages.queue(MsgAnswer::Yes);
        user::click(d.findChild<QPushButton*>("cmdNew"));
        EXPECT_EQ(table->rowCount(), 0);
        user::key(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    w.menuItem("mnuFileReviewNames")->trigger();
    EXPECT_EQ(startup->state().db().rowCount("sighting"), 6);
    EXPECT_EQ(w.panel("Life")->text(), QStringLiteral("World List = 5"));
    EXPECT_EQ(w.menuItem("mnuFileReviewNames")->text(), QStringLiteral("Re&view eBird Names..."));
    EXPECT_TRUE(w.panel("Waiting")->isHidden());
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
    EXPECT_EQ(before, (QList<qint64>{0, 6}));  // before the first and before the second

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
    // One sighting of the user's own.
    Sighting own;
    own.birdid = *startup->state().db().findSubject(Category::Birds, QStringLiteral("Emu"));
    own.date = QDate(2025, 3, 1);
    startup->state().db().appendSighting(own);

    // For eBird, dates limited to 2025 in the range dialog: what came from
    // eBird is left out, and said so.
    const auto range = [](bool includeImported) {
        return [includeImported](QDialog& d) {
            EXPECT_EQ(d.objectName(), QStringLiteral("frmExportRange"));
            auto* only = d.findChild<QCheckBox*>("chkRange");
            user::click(only, QPoint(6, only->height() / 2));  // on its box
            // The dates typed as a person types them: Tab into each field.
            user::key(&d, Qt::Key_Tab);
            EXPECT_TRUE(d.findChild<DateField*>("dtFrom")->hasFocus());
            user::type(&d, QStringLiteral("2025-01-01"));
            user::key(&d, Qt::Key_Tab);
            EXPECT_TRUE(d.findChild<DateField*>("dtTo")->hasFocus());
            user::type(&d, QStringLiteral("2025-12-31"));
            user::key(&d, Qt::Key_Tab);
            EXPECT_EQ(d.findChild<DateField*>("dtFrom")->date(), QDate(2025, 1, 1));
            EXPECT_EQ(d.findChild<DateField*>("dtTo")->date(), QDate(2025, 12, 31));
            if (includeImported) {
                auto* imported = d.findChild<QCheckBox*>("chkImported");
                user::click(imported, QPoint(6, imported->height() / 2));
            }
            d.accept();
        };
    };
    dialogs.queue(range(false));
    const QString upload = tmp.file("upload.csv");
    chooseFile(upload);
    w.menuItem("mnuFileExportEbird")->trigger();
    EXPECT_EQ(lastMessage(), QStringLiteral("1 sighting written to %1.\n\n1 sighting imported "
                                            "from eBird was left out: it is on eBird "
                                            "already.")
                                 .arg(upload));
    EXPECT_EQ(readAll(upload).count("\r\n"), 1);
    dialogs.queue(range(true));
    const QString all = tmp.file("upload-all.csv");
    chooseFile(all);
    w.menuItem("mnuFileExportEbird")->trigger();
    EXPECT_EQ(lastMessage(), QStringLiteral("2 sightings written to %1.").arg(all));
    EXPECT_EQ(readAll(all).count("\r\n"), 2);

    const QString sightings = tmp.file("sightings.csv");
    chooseFile(sightings);
    w.menuItem("mnuFileExportSightings")->trigger();
    EXPECT_TRUE(readAll(sightings).startsWith("Sighting ID,Bird,Scientific Name"));

    const QString lists = tmp.file("lists.csv");
    chooseFile(lists);
    w.menuItem("mnuFileExportLifeLists")->trigger();
    EXPECT_EQ(lastMessage(), QStringLiteral("4 rows written to %1.").arg(lists));
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
    EXPECT_TRUE(cl.output.contains(QStringLiteral("Sightings added: 4")));
    EXPECT_TRUE(cl.output.contains(QStringLiteral("Waiting for review: 2")));
    EXPECT_TRUE(cl.output.contains(QStringLiteral("World Life List = 3")));
    EXPECT_TRUE(cl.output.contains(QStringLiteral("Wrote 4 sightings to")));
    EXPECT_TRUE(QFile::exists(tmp.file("l.csv")));

    CommandLine range =
        parseCommandLine({"wingfolio", "--data-dir", tmp.file("data"), "--export-ebird",
                          tmp.file("e.csv"), "--from", "2025-01-01"});
    EXPECT_EQ(runExchange(range, DataFolder(range.dataDir), worldListPath()), 0);
    EXPECT_EQ(readAll(tmp.file("e.csv")).count("\r\n"), 0);  // all came from eBird
    EXPECT_TRUE(range.output.contains(QStringLiteral("Left out 1 sightings imported from eBird")))
        << range.output.toStdString();
    CommandLine again =
        parseCommandLine({"wingfolio", "--data-dir", tmp.file("data"), "--export-ebird",
                          tmp.file("e.csv"), "--from", "2025-01-01", "--include-imported"});
    EXPECT_EQ(runExchange(again, DataFolder(again.dataDir), worldListPath()), 0);
    EXPECT_EQ(readAll(tmp.file("e.csv")).count("\r\n"), 1);

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
