// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QFile>
#include <map>

#include "AppError.h"
#include "Csv.h"
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
