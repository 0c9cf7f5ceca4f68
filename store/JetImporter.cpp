// SPDX-License-Identifier: GPL-3.0-or-later
#include "JetImporter.h"

// glib first: mdbtools.h includes it inside extern "C".
#include <glib.h>
#include <mdbtools.h>
#include <sqlite3.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AppError.h"
#include "RichText.h"
#include "Schema.h"

namespace wf {

namespace {

const QString kSource = QStringLiteral("wingfolio.JetImporter");
constexpr size_t kBindSize = 8 * 1024 * 1024;  // memos are never cut short

[[noreturn]] void fail(const QString& jetPath, const QString& what) {
    throw AppError(
        err::DatabaseDamaged, kSource,
        QStringLiteral("The old journal \"%1\" cannot be imported: %2").arg(jetPath, what));
}

struct MdbCloser {
    void operator()(MdbHandle* h) const { mdb_close(h); }
};
struct TableFreer {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

// One table of the Jet file, its columns bound by name.
class JetTable {
  public:
    JetTable(MdbHandle* mdb, const char* name, const QString& jetPath) : name_(name) {
        table_.reset(mdb_read_table_by_name(mdb, const_cast<gchar*>(name), MDB_TABLE));
        if (!table_ || !mdb_read_columns(table_.get())) {
            fail(jetPath, QStringLiteral("it has no table \"%1\".").arg(QString::fromLatin1(name)));
        }
        mdb_rewind_table(table_.get());
    }

    // Binds a column; raises when the table does not have it.
    void bind(const char* column, const QString& jetPath) {
        auto& slot = columns_[column];
        // Not filled: only the pages a value reaches are ever touched.
        slot.buffer = std::make_unique_for_overwrite<char[]>(kBindSize);
        const int n = mdb_bind_column_by_name(table_.get(), const_cast<gchar*>(column),
                                              slot.buffer.get(), &slot.length);
        if (n < 0) {
            fail(jetPath, QStringLiteral("the table \"%1\" has no column \"%2\".")
                              .arg(QString::fromLatin1(name_), QString::fromLatin1(column)));
        }
    }

    bool next() { return mdb_fetch_row(table_.get()) != 0; }

    QString text(const char* column) const {
        const auto& slot = columns_.at(column);
        // A NULL reads as "", as the store keeps no nulls.
        return slot.length > 0 ? QString::fromUtf8(slot.buffer.get(), slot.length) : QString();
    }

    qint64 number(const char* column) const { return text(column).trimmed().toLongLong(); }

  private:
    struct Slot {
        std::unique_ptr<char[]> buffer;
        int length = 0;
    };
    const char* name_;
    std::unique_ptr<MdbTableDef, TableFreer> table_;
    std::map<std::string, Slot> columns_;
};

// Dates come as "YYYY-MM-DD HH:MM:SS"; a time of midnight means none.
QString dateText(const QString& jet) {
    if (jet.isEmpty()) {
        return {};
    }
    const QString day = jet.left(10);
    const QString time = jet.mid(11, 8);
    return time.isEmpty() || time == QLatin1String("00:00:00") ? day : day + u'T' + time;
}

// How a column's value is carried over.
enum class Kind { Integer, Text, Date };
struct Column {
    const char* name;
    Kind kind;
};

class Import {
  public:
    Import(MdbHandle* mdb, SQLite::Database& db, const QString& jetPath,
           const JetImporter::Hooks& hooks)
        : mdb_(mdb), db_(db), jetPath_(jetPath), hooks_(hooks) {}

    void run() {
        using K = Kind;
        copy("birds", {{"id", K::Integer}, {"name", K::Text}});
        copy("topics", {{"id", K::Integer}, {"name", K::Text}});
        copy("data",
             {{"id", K::Integer},
              {"catid", K::Integer},
              {"subid", K::Integer},
              {"type", K::Text},
              {"title", K::Text},
              {"caption", K::Text},
              {"fname", K::Text}},
             true);
        copy("sighting", {{"id", K::Integer},
                          {"birdid", K::Integer},
                          {"date", K::Date},
                          {"type", K::Text},
                          {"site", K::Text},
                          {"district", K::Text},
                          {"state", K::Text},
                          {"country", K::Text},
                          {"region", K::Text},
                          {"notes", K::Text}});
        copy("options", {{"search", K::Text},
                         {"home", K::Text},
                         {"region", K::Text},
                         {"country", K::Text},
                         {"state", K::Text},
                         {"district", K::Text}});
    }

  private:
    // Copies every row of a table, ids included. With searchText the
    // article's words go to the search column (the RTF is kept exactly).
    void copy(const char* table, const std::vector<Column>& columns, bool searchText = false) {
        JetTable t(mdb_, table, jetPath_);
        std::string names, marks;
        for (const Column& c : columns) {
            t.bind(c.name, jetPath_);
            names += (names.empty() ? "" : ", ") + std::string(c.name);
            marks += marks.empty() ? "?" : ", ?";
        }
        if (searchText) {
            names += ", plaintext";
            marks += ", ?";
        }
        SQLite::Statement q(
            db_, std::string("INSERT INTO ") + table + " (" + names + ") VALUES (" + marks + ")");
        const QString tableName = QString::fromLatin1(table);
        qint64 rows = 0;
        while (t.next()) {
            int i = 1;
            for (const Column& c : columns) {
                switch (c.kind) {
                    case Kind::Integer:
                        q.bind(i++, static_cast<int64_t>(t.number(c.name)));
                        break;
                    case Kind::Text:
                        q.bind(i++, t.text(c.name).toStdString());
                        break;
                    case Kind::Date:
                        q.bind(i++, dateText(t.text(c.name)).toStdString());
                        break;
                }
            }
            if (searchText) {
                q.bind(i, t.text("type") == QLatin1String("Article")
                              ? rtf::plainText(t.text("caption")).toStdString()
                              : std::string());
            }
            q.exec();
            q.reset();
            ++rows;
            ++total_;
            if (hooks_.failAfterRows >= 0 && total_ > hooks_.failAfterRows) {
                throw AppError(err::DatabaseError, kSource, QStringLiteral("Import stopped."));
            }
            if (hooks_.progress && rows % 500 == 0) {
                hooks_.progress(tableName, rows);
            }
        }
        if (hooks_.progress) {
            hooks_.progress(tableName, rows);
        }
    }

    MdbHandle* mdb_;
    SQLite::Database& db_;
    QString jetPath_;
    const JetImporter::Hooks& hooks_;
    qint64 total_ = 0;
};

}  // namespace

bool JetImporter::isJetFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray head = f.read(32);
    return head.size() >= 19 && head.mid(4, 15) == QByteArray("Standard Jet DB") &&
           head.left(4) == QByteArray("\0\x01\0\0", 4);
}

void JetImporter::importJournal(const QString& jetPath, const QString& targetPath,
                                const Hooks& hooks) {
    if (QFileInfo::exists(targetPath)) {
        throw AppError(err::PathAccess, kSource,
                       QStringLiteral("The journal \"%1\" exists already.").arg(targetPath));
    }
    if (!isJetFile(jetPath)) {
        fail(jetPath, QStringLiteral("it is not an Access (Jet) database."));
    }
    const std::unique_ptr<MdbHandle, MdbCloser> mdb(
        mdb_open(QFile::encodeName(jetPath).constData(), MDB_NOFLAGS));
    if (!mdb) {
        fail(jetPath, QStringLiteral("the file cannot be read as an Access database."));
    }
    if (mdb_read_catalog(mdb.get(), MDB_ANY) == nullptr) {
        fail(jetPath, QStringLiteral("the file is damaged (its catalogue cannot be read)."));
    }
    mdb_set_bind_size(mdb.get(), kBindSize);
    mdb_set_date_fmt(mdb.get(), "%Y-%m-%d %H:%M:%S");

    const QFileInfo target(targetPath);
    const QString tmp = target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".importing");
    auto removeTemp = [&] {
        QFile::remove(tmp);
        QFile::remove(tmp + QStringLiteral("-journal"));
    };
    removeTemp();
    try {
        {
            SQLite::Database db(QFile::encodeName(tmp).toStdString(),
                                SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            schema::registerFunctions(db.getHandle());
            SQLite::Transaction t(db);
            schema::createTables(db);  // the journal's own world list, not the shipped one
            Import(mdb.get(), db, jetPath, hooks).run();
            schema::ensureOptionsRow(db);
            t.commit();
        }
        if (!QFile::rename(tmp, targetPath)) {
            throw AppError(err::PathAccess, kSource,
                           QStringLiteral("The imported journal cannot be put in place as \"%1\".")
                               .arg(targetPath));
        }
    } catch (const SQLite::Exception& e) {
        removeTemp();
        fail(jetPath, QString::fromUtf8(e.what()));
    } catch (...) {
        removeTemp();
        throw;
    }
}

}  // namespace wf
