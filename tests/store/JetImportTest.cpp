// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDate>
#include <QDir>
#include <QFile>
#include <cmath>
#include <map>

#include "AppError.h"
#include "Csv.h"
#include "JetFormat.h"
#include "JetImporter.h"
#include "QtPrinters.h"
#include "Store.h"
#include "TempDir.h"

using namespace wf;
using wf::test::readAll;
using wf::test::TempDir;
using wf::test::writeAll;

namespace {

const QString kFixture = QStringLiteral(WF_STORE_DATA "/legacy-aviary.mdb");

CsvTable expected(const char* table) {
    QFile f(QStringLiteral(WF_STORE_DATA "/legacy-aviary.expected/%1.csv").arg(table));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return parseCsv(QString::fromUtf8(f.readAll()));
}

// Every row of a table of the imported journal, in the expected CSV's shape.
std::vector<QStringList> actual(Store& store, const char* table, const QStringList& columns) {
    std::vector<QStringList> rows;
    SQLite::Statement q(store.database(),
                        ("SELECT " + columns.join(", ") + " FROM " + table +
                         (QString::fromLatin1(table) == "options" ? "" : " ORDER BY id"))
                            .toStdString());
    while (q.executeStep()) {
        QStringList row;
        for (int i = 0; i < int(columns.size()); ++i) {
            QString v = QString::fromStdString(q.getColumn(i).getString());
            if (columns[i] == "date") {
                // Stored as a day, or a day and a time of day.
                v = v.size() == 10 ? v + " 00:00:00" : v.replace(u'T', u' ');
            }
            row << v;
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST(JetImport, EveryTableEqualsTheExpectedValuesAndIdsContinue) {
    TempDir tmp;
    ASSERT_TRUE(JetImporter::isJetFile(kFixture));
    const QByteArray before = readAll(kFixture);
    std::map<QString, qint64> lastCount;
    JetImporter::Hooks hooks;
    hooks.progress = [&](const QString& table, qint64 rows) { lastCount[table] = rows; };
    JetImporter::importJournal(kFixture, tmp.file("aviary.mdb"), hooks);
    EXPECT_EQ(lastCount,
              (std::map<QString, qint64>{
                  {"birds", 12}, {"topics", 3}, {"data", 14}, {"sighting", 21}, {"options", 1}}));
    EXPECT_EQ(readAll(kFixture), before) << "the Jet file is only read";
    auto store = Store::open(tmp.file("aviary.mdb"));
    for (const char* table : {"birds", "topics", "data", "sighting", "options"}) {
        SCOPED_TRACE(table);
        const CsvTable want = expected(table);
        const auto got = actual(*store, table, want.header);
        ASSERT_EQ(got.size(), want.rows.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i], want.rows[i]) << "row " << i;
        }
    }
    // The memo of 19,414 bytes is whole; the world list is the journal's own.
    EXPECT_EQ(store->entry(8)->caption.toUtf8().size(), 19414);
    EXPECT_EQ(store->rowCount("birds"), 12);
    const qint64 next = store->addSubject(Category::Birds, "New bird");
    EXPECT_EQ(next, 14);
    const qint64 nextEntry = store->appendEntry(Entry{});
    EXPECT_EQ(nextEntry, 16);
    // Articles can be searched by their words.
    EXPECT_FALSE(store->search({"Article", "robin", Category::Birds}).empty());
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"aviary.mdb"});
}

TEST(JetImport, DamagedOrForeignFilesAreRefusedAndNothingIsLeft) {
    TempDir tmp;
    const QByteArray jet = readAll(kFixture);
    const QString cut = tmp.file("cut.mdb");
    writeAll(cut, jet.left(jet.size() / 8));
    const QString text = tmp.file("text.mdb");
    writeAll(text, "not a database");
    for (const QString& bad : {cut, text}) {
        SCOPED_TRACE(bad.toStdString());
        const QByteArray original = readAll(bad);
        try {
            JetImporter::importJournal(bad, tmp.file("aviary.mdb"));
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.description().contains(bad)) << e.description().toStdString();
        }
        EXPECT_EQ(readAll(bad), original);
        EXPECT_FALSE(QFile::exists(tmp.file("aviary.mdb")));
    }
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"cut.mdb", "text.mdb"}));
}

TEST(JetImport, InterruptedImportLeavesNoHalfJournal) {
    TempDir tmp;
    JetImporter::Hooks hooks;
    hooks.failAfterRows = 25;
    EXPECT_THROW(JetImporter::importJournal(kFixture, tmp.file("aviary.mdb"), hooks), AppError);
    EXPECT_TRUE(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

namespace {

// The rows of each table of a journal, or nothing when it cannot be opened.
std::map<std::string, qint64> rowCounts(const QString& path) {
    std::map<std::string, qint64> out;
    auto store = Store::open(path);
    for (const char* t : {"birds", "topics", "data", "sighting", "options"}) {
        out[t] = store->rowCount(t);
    }
    return out;
}

}  // namespace

TEST(JetFormat, DatesBeforeAndAfterTheEpochWithTheirTimes) {
    EXPECT_EQ(jet::dateText(-1.25), QStringLiteral("1899-12-29T06:00:00"));
    EXPECT_EQ(jet::dateText(-18109.0), QStringLiteral("1850-06-01"));
    EXPECT_EQ(jet::dateText(0.0), QStringLiteral("1899-12-30"));
    const double may16 = QDate(1899, 12, 30).daysTo(QDate(1999, 5, 16));
    EXPECT_EQ(jet::dateText(may16 + 6.5 / 24), QStringLiteral("1999-05-16T06:30:00"));
    EXPECT_EQ(jet::dateText(may16 + 0.9999999), QStringLiteral("1999-05-17"));
    EXPECT_TRUE(jet::dateText(std::nan("")).isEmpty());
}

TEST(JetFormat, StoredTextWithSurrogatePairsCompressedOrNot) {
    // "A🐦B" compressed: A, switch to UTF-16, the pair, switch back, B.
    const QByteArray compressed(
        "\xff\xfe"
        "A\x00\x3d\xd8\x26\xdc\x00"
        "B",
        10);
    EXPECT_EQ(jet::text(compressed), QString::fromUtf8("A🐦B"));
    const QByteArray plain("R\x00\xfc\x00\x3d\xd8\x26\xdc", 8);
    EXPECT_EQ(jet::text(plain), QString::fromUtf8("Rü🐦"));
    // A lone half is mended; an odd last byte is dropped.
    EXPECT_EQ(jet::text(QByteArray("\x3d\xd8x\x00", 4)), QString(QChar(0xFFFD)) + u'x');
    EXPECT_EQ(jet::text(QByteArray("a\x00z", 3)), QStringLiteral("a"));
    EXPECT_EQ(jet::text(QByteArray("\xff\xfe"
                                   "abc",
                                   5)),
              QStringLiteral("abc"));
}

// A cut or overwritten copy either imports whole or is refused, naming the
// file; never a partial journal.
TEST(JetImport, CutOrOverwrittenCopiesImportWholeOrNotAtAll) {
    TempDir tmp;
    const QByteArray jet = readAll(kFixture);
    const auto full = [&] {
        JetImporter::importJournal(kFixture, tmp.file("full.mdb"));
        return rowCounts(tmp.file("full.mdb"));
    }();
    constexpr int kPage = 4096;
    int refused = 0;
    // Every third page (a whole import per page is slow under the sanitizers).
    for (int page = 1; page < jet.size() / kPage; page += 3) {
        for (const bool cut : {true, false}) {
            SCOPED_TRACE((cut ? "cut at page " : "page overwritten ") + std::to_string(page));
            QByteArray bad = jet;
            if (cut) {
                bad.truncate(page * kPage);
            } else {
                bad.replace(page * kPage + 16, 64, QByteArray(64, '\x5a'));
            }
            const QString path = tmp.file("bad.mdb");
            writeAll(path, bad);
            const QString target = tmp.file("aviary.mdb");
            try {
                JetImporter::importJournal(path, target);
                EXPECT_EQ(rowCounts(target), full);
                QFile::remove(target);
            } catch (const AppError& e) {
                ++refused;
                EXPECT_TRUE(e.description().contains(path)) << e.description().toStdString();
                EXPECT_FALSE(QFile::exists(target));
            }
        }
    }
    EXPECT_GT(refused, 8);
}

TEST(JetImport, NewIdsContinueAfterTheOldProgramsLastAutoNumber) {
    TempDir tmp;
    QByteArray jet = readAll(kFixture);
    // The birds table's definition (page 24) says id 20 was the last given,
    // though ids 14 to 20 were deleted again.
    const int at = 24 * 4096 + 20;
    ASSERT_EQ(quint8(jet[at]), 13);
    jet[at] = char(20);
    writeAll(tmp.file("old.mdb"), jet);
    JetImporter::importJournal(tmp.file("old.mdb"), tmp.file("aviary.mdb"));
    auto store = Store::open(tmp.file("aviary.mdb"));
    EXPECT_EQ(store->addSubject(Category::Birds, QStringLiteral("New Bird")), 21);
    EXPECT_EQ(store->addSubject(Category::Topics, QStringLiteral("New Topic")), 4);
}
