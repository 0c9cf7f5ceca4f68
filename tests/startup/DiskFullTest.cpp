// SPDX-License-Identifier: GPL-3.0-or-later
// Every save and every backup, made to fail at each of its writes with a full
// disk (ENOSPC) and with a failing one (EIO): the user is told, naming the
// disk; the journal still opens and passes integrity_check; nothing committed
// is lost; no half-made backup bears a backup's name and no temporary file
// is left; and the program goes on. The failing disk is the preloaded
// libwingfolio_faultfs (tests/support/faultfs).
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <cerrno>
#include <functional>

#include "AppError.h"
#include "BackupZip.h"
#include "Backups.h"
#include "DataFolder.h"
#include "EbirdFiles.h"
#include "EbirdImport.h"
#include "IsoCodes.h"
#include "PictureSave.h"
#include "Schema.h"
#include "Store.h"
#include "TempDir.h"
#include "TestDoubles.h"

using namespace wf;

namespace {

using Arm = void (*)(const char*, long, int);
using Count = long (*)();

struct FaultFs {
    Arm arm = reinterpret_cast<Arm>(dlsym(RTLD_DEFAULT, "wingfolio_fault_arm"));
    Count calls = reinterpret_cast<Count>(dlsym(RTLD_DEFAULT, "wingfolio_fault_calls"));
    Count failed = reinterpret_cast<Count>(dlsym(RTLD_DEFAULT, "wingfolio_fault_failed"));
    bool loaded() const { return arm != nullptr && calls != nullptr && failed != nullptr; }
    void off() const { arm(nullptr, 0, 0); }
};

// A small journal (a world list of five birds) with an article, a picture
// and a sighting, copied afresh for every attempt.
class DiskFullTest : public ::testing::Test {
  protected:
    test::TempDir tmp;
    FaultFs faults;
    QString templateDir;
    int attempt = 0;

    void SetUp() override {
        if (!faults.loaded()) {
            GTEST_SKIP() << "run with LD_PRELOAD=libwingfolio_faultfs.so (ctest does)";
        }
        templateDir = tmp.file("template");
        QDir().mkpath(templateDir + "/Images");
        const QString csv = tmp.file("world.csv");
        QFile f(csv);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            "taxon_order,english_name,scientific_name,order,family\n"
            "1,Emu,Dromaius novaehollandiae,Casuariiformes,Dromaiidae\n"
            "2,Common Ostrich,Struthio camelus,Struthioniformes,Struthionidae\n"
            "3,Mallard,Anas platyrhynchos,Anseriformes,Anatidae\n"
            "4,Atlantic Puffin,Fratercula arctica,Charadriiformes,Alcidae\n"
            "5,Black Guillemot,Cepphus grylle,Charadriiformes,Alcidae\n");
        f.close();
        auto store = Store::create(templateDir + "/aviary.mdb", csv);
        Entry article;
        article.catid = int(Category::Birds);
        article.subid = 1;
        article.type = kArticle;
        article.title = "Tall";
        article.fname = " ";
        article.caption = "{\\rtf1 A tall bird.}";
        store->appendEntry(article);
        QImage picture(32, 24, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        test::ScriptedMessageBoxes messages;
        storeNewPicture(*store, DataFolder(templateDir), Category::Birds, "Emu", "Nest", picture,
                        messages);
        Sighting s;
        s.birdid = 1;
        s.date = QDate(2026, 5, 3);
        store->appendSighting(s);
    }

    // A fresh copy of the template, as its own data folder.
    QString freshFolder() {
        const QString dir = tmp.file(QStringLiteral("run%1").arg(++attempt));
        QDir().mkpath(dir + "/Images");
        for (const QString& name : QDir(templateDir).entryList(QDir::Files)) {
            QFile::copy(templateDir + '/' + name, dir + '/' + name);
        }
        for (const QString& name : QDir(templateDir + "/Images").entryList(QDir::Files)) {
            QFile::copy(templateDir + "/Images/" + name, dir + "/Images/" + name);
        }
        return dir;
    }

    static QMap<QString, qint64> rowCounts(Store& store) {
        QMap<QString, qint64> out;
        for (const char* table : {"birds", "topics", "data", "sighting", "sighting_detail"}) {
            out[QString::fromLatin1(table)] = store.rowCount(table);
        }
        return out;
    }

    // Files left behind by a write that did not finish.
    static QStringList leftovers(const QString& dir) {
        QStringList out;
        QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo f(it.next());
            const QString name = f.fileName();
            if (name.startsWith(u'.') || name.endsWith(QLatin1String("-journal")) ||
                name.endsWith(QLatin1String(".restoring")) ||
                name.contains(QLatin1String(".zip.")) ||
                (f.isDir() && f.absolutePath().endsWith(QLatin1String("/Backups")) &&
                 !QFile::exists(f.filePath() + "/aviary.mdb"))) {
                out << f.filePath();
            }
        }
        return out;
    }

    // Runs op on a fresh folder once to count its writes, then once for each
    // write with that write failing; checks each failure as a user would
    // meet it. op returns what the journal should hold after it succeeds
    // (its own rows included), which a failure must not have.
    void failEachWrite(const char* what,
                       const std::function<void(Store&, const QString& dir)>& op) {
        SCOPED_TRACE(what);
        long writes = 0;
        {
            const QString dir = freshFolder();
            auto store = Store::open(dir + "/aviary.mdb");
            faults.arm(QFile::encodeName(dir).constData(), 0, 0);
            op(*store, dir);
            writes = faults.calls();
            faults.off();
        }
        ASSERT_GT(writes, 0) << what << " wrote nothing under the folder";
        for (const int errnum : {ENOSPC, EIO}) {
            for (long n = 1; n <= writes; ++n) {
                SCOPED_TRACE(QStringLiteral("%1, write %2 of %3 failing with %4")
                                 .arg(QString::fromLatin1(what))
                                 .arg(n)
                                 .arg(writes)
                                 .arg(errnum == ENOSPC ? "ENOSPC" : "EIO")
                                 .toStdString());
                const QString dir = freshFolder();
                QMap<QString, qint64> before;
                {
                    auto store = Store::open(dir + "/aviary.mdb");
                    before = rowCounts(*store);
                    faults.arm(QFile::encodeName(dir).constData(), n, errnum);
                    bool told = false;
                    try {
                        op(*store, dir);
                    } catch (const AppError& e) {
                        told = true;
                        // Said plainly, with the disk named.
                        EXPECT_TRUE(e.number() == err::DiskFull || e.number() == err::DeviceIO ||
                                    e.number() == err::JpegWriter)
                            << e.number() << " " << e.description().toStdString();
                        EXPECT_TRUE(e.description().contains(QStringLiteral("the disk")) ||
                                    e.description().contains(QStringLiteral("The disk")))
                            << e.description().toStdString();
                    }
                    const long failed = faults.failed();
                    faults.off();
                    if (failed == 0) {
                        continue;  // this run wrote less (a link instead of a copy)
                    }
                    EXPECT_TRUE(told) << "a failed write was reported as success";
                    // The program goes on with the same journal.
                    EXPECT_EQ(rowCounts(*store), before);
                }
                // And the journal opens again, whole, with every row it had.
                auto again = Store::open(dir + "/aviary.mdb", true);
                EXPECT_EQ(again->database().execAndGet("PRAGMA integrity_check").getString(), "ok");
                EXPECT_EQ(rowCounts(*again), before);
                again.reset();
                EXPECT_EQ(leftovers(dir), QStringList());
                if (HasFailure()) {
                    return;  // one attempt's story is enough
                }
            }
        }
    }
};

Entry newEntry(const QString& type, const QString& title, const QString& fname,
               const QString& caption = {}) {
    Entry e;
    e.catid = int(Category::Birds);
    e.type = type;
    e.title = title;
    e.fname = fname;
    e.caption = caption;
    return e;
}

}  // namespace

TEST_F(DiskFullTest, EachKindOfEntry) {
    failEachWrite("an article", [](Store& db, const QString&) {
        db.inTransaction([&] {
            Entry e = newEntry(kArticle, "Courtship", " ", "{\\rtf1 Dancing on the shore.}");
            e.subid = db.findOrAddSubject(Category::Birds, "A New Bird");
            db.appendEntry(e);
        });
    });
    failEachWrite("a link", [](Store& db, const QString&) {
        db.inTransaction([&] {
            Entry e = newEntry(kLink, "Page", "https://example.org/emu");
            e.subid = db.findOrAddSubject(Category::Birds, "Emu");
            db.appendEntry(e);
        });
    });
    failEachWrite("a picture", [](Store& db, const QString& dir) {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::red);
        test::ScriptedMessageBoxes messages;
        storeNewPicture(db, DataFolder(dir), Category::Birds, "Emu", "Egg", picture, messages);
    });
    failEachWrite("an edited entry", [](Store& db, const QString&) {
        Entry e = *db.entry(1);
        e.title = "Taller";
        db.updateEntry(e);
    });
}

TEST_F(DiskFullTest, ASightingAndASubjectEdit) {
    failEachWrite("a sighting", [](Store& db, const QString&) {
        Sighting s;
        s.birdid = 2;
        s.date = QDate(2026, 5, 4);
        s.count = "3";
        s.site = "Rutland Water";
        db.inTransaction([&] { db.appendSighting(s); });
    });
    failEachWrite("a renamed subject", [](Store& db, const QString&) {
        db.renameSubject(Category::Birds, 2, "Ostrich");
    });
    failEachWrite("merged subjects",
                  [](Store& db, const QString&) { db.mergeSubjects(Category::Birds, 1, 3); });
}

TEST_F(DiskFullTest, AnImport) {
    const QString file =
        test::writeFile(tmp, QStringLiteral("MyEBirdData.csv"), test::myEbirdData());
    failEachWrite("an eBird import", [&](Store& db, const QString& dir) {
        EbirdImport import(file, IsoCodes::system());
        Backups(dir).named(db, QDateTime(QDate(2026, 5, 14), QTime(7, 30)),
                           QStringLiteral("before-import"));
        import.run(db);
    });
}

TEST_F(DiskFullTest, EveryBackup) {
    failEachWrite("the day's set", [](Store& db, const QString& dir) {
        Backups(dir).daily(db, QDate(2026, 5, 14));
    });
    failEachWrite("a set before an import", [](Store& db, const QString& dir) {
        Backups(dir).named(db, QDateTime(QDate(2026, 5, 14), QTime(7, 30)),
                           QStringLiteral("before-import"));
    });
    failEachWrite("a zip carried away", [](Store& db, const QString& dir) {
        writeBackupZip(db, dir + "/Images", dir + "/carried.zip");
    });
}
