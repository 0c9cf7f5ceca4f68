// SPDX-License-Identifier: GPL-3.0-or-later
#include "JetImporter.h"

// glib first: mdbtools.h includes it inside extern "C".
#include <glib.h>
#include <mdbtools.h>
#include <sqlite3.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <unistd.h>
#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AppError.h"
#include "JetFormat.h"
#include "Resources.h"
#include "RichText.h"
#include "Schema.h"
#include "Tr.h"

namespace wf {

namespace {

const QString kSource = QStringLiteral("wingfolio.JetImporter");
constexpr size_t kBindSize = 8 * 1024 * 1024;  // memos are never cut short

[[noreturn]] void fail(const QString& jetPath, const QString& what) {
    throw AppError(err::DatabaseDamaged, kSource,
                   wf::tr("The old journal \"%1\" cannot be imported: %2").arg(jetPath, what));
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
    JetTable(MdbHandle* mdb, const char* name, const QString& jetPath) : mdb_(mdb), name_(name) {
        table_.reset(mdb_read_table_by_name(mdb, const_cast<gchar*>(name), MDB_TABLE));
        if (!table_ || !mdb_read_columns(table_.get())) {
            fail(jetPath, wf::tr("it has no table \"%1\".").arg(QString::fromLatin1(name)));
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
            fail(jetPath, wf::tr("the table \"%1\" has no column \"%2\".")
                              .arg(QString::fromLatin1(name_), QString::fromLatin1(column)));
        }
        for (guint i = 0; i < table_->columns->len; ++i) {
            auto* c = static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, i));
            if (g_ascii_strcasecmp(c->name, column) == 0) {
                slot.column = c;
            }
        }
    }

    bool next() { return mdb_fetch_row(table_.get()) != 0; }

    // The rows the table's definition says it holds.
    qint64 storedRows() const { return qint64(table_->num_rows); }

    QString text(const char* column) const {
        const auto& slot = columns_.at(column);
        // A short text of a Jet 4 file is read from its stored UTF-16, so
        // that characters beyond the Basic Multilingual Plane come through.
        if (slot.column != nullptr && slot.column->col_type == MDB_TEXT &&
            mdb_->f->jet_version != MDB_VER_JET3) {
            return jet::text(raw(slot));
        }
        // A NULL reads as "", as the store keeps no nulls.
        return slot.length > 0 ? QString::fromUtf8(slot.buffer.get(), slot.length) : QString();
    }

    // A date from its stored value (libmdb's own formatting gets dates
    // before 1899-12-30 wrong).
    QString date(const char* column) const {
        const auto& slot = columns_.at(column);
        if (slot.column == nullptr || slot.column->cur_value_len != 8) {
            return {};
        }
        return jet::dateText(mdb_get_double(mdb_->pg_buf, slot.column->cur_value_start));
    }

    qint64 number(const char* column) const { return text(column).trimmed().toLongLong(); }

  private:
    struct Slot {
        std::unique_ptr<char[]> buffer;
        int length = 0;
        MdbColumn* column = nullptr;
    };
    QByteArray raw(const Slot& slot) const {
        const int start = slot.column->cur_value_start;
        const int len = slot.column->cur_value_len;
        if (len <= 0 || start < 0 || start + len > int(sizeof(mdb_->pg_buf))) {
            return {};
        }
        return QByteArray(reinterpret_cast<const char*>(mdb_->pg_buf) + start, len);
    }

    MdbHandle* mdb_;
    const char* name_;
    std::unique_ptr<MdbTableDef, TableFreer> table_;
    std::map<std::string, Slot> columns_;
};

// The last AutoNumber value the old program gave out in a table, kept in
// the table's definition (4 bytes after its row count): ids above the
// highest surviving one may have been given and deleted.
qint64 lastAutoNumber(MdbHandle* mdb, const char* name) {
    std::unique_ptr<MdbTableDef, TableFreer> t(
        mdb_read_table_by_name(mdb, const_cast<gchar*>(name), MDB_TABLE));
    if (!t || mdb_read_pg(mdb, t->entry->table_pg) <= 0) {
        return 0;
    }
    return mdb_pg_get_int32(mdb, mdb->fmt->tab_num_rows_offset + 4);
}

// libmdb tells of damage (a page past the end of the file, a bad row) only
// on standard error: while the import runs, what it writes there is caught.
class ErrorCatcher {
  public:
    ErrorCatcher() {
        if (file_.open()) {
            std::fflush(stderr);
            saved_ = ::dup(STDERR_FILENO);
            if (saved_ >= 0) {
                ::dup2(file_.handle(), STDERR_FILENO);
            }
        }
    }
    ~ErrorCatcher() { restore(); }
    // What was written, the catcher given up.
    QString restore() {
        if (saved_ >= 0) {
            std::fflush(stderr);
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
            saved_ = -1;
            file_.seek(0);
            caught_ = QString::fromLocal8Bit(file_.readAll()).trimmed();
        }
        return caught_;
    }

  private:
    QTemporaryFile file_;
    int saved_ = -1;
    QString caught_;
};

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
                        q.bind(i++, t.date(c.name).toStdString());
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
                throw AppError(err::DatabaseError, kSource, wf::tr("Import stopped."));
            }
            if (hooks_.progress && rows % 500 == 0) {
                hooks_.progress(tableName, rows);
            }
        }
        if (hooks_.progress) {
            hooks_.progress(tableName, rows);
        }
        // A damaged or cut-short file yields fewer rows than it says it holds.
        if (rows != t.storedRows()) {
            fail(jetPath_, wf::tr("the table \"%1\" is damaged: %2 of its %3 rows can be "
                                  "read.")
                               .arg(tableName)
                               .arg(rows)
                               .arg(t.storedRows()));
        }
        if (rows == 0 && tableName == QLatin1String("options")) {
            fail(jetPath_, wf::tr("it holds no readable options row."));
        }
        if (columns.front().kind == Kind::Integer && qstrcmp(columns.front().name, "id") == 0) {
            // New ids continue after every id the old program gave out.
            const qint64 last = lastAutoNumber(mdb_, table);
            SQLite::Statement seq(db_,
                                  "UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = ?");
            seq.bind(1, static_cast<int64_t>(last));
            seq.bind(2, table);
            if (seq.exec() == 0 && last > 0) {
                SQLite::Statement add(db_, "INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)");
                add.bind(1, table);
                add.bind(2, static_cast<int64_t>(last));
                add.exec();
            }
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
                       wf::tr("The journal \"%1\" exists already.").arg(targetPath));
    }
    if (!isJetFile(jetPath)) {
        fail(jetPath, wf::tr("it is not an Access (Jet) database."));
    }
    ErrorCatcher errors;  // from the first page read to the last
    const std::unique_ptr<MdbHandle, MdbCloser> mdb(
        mdb_open(QFile::encodeName(jetPath).constData(), MDB_NOFLAGS));
    if (!mdb) {
        fail(jetPath, wf::tr("the file cannot be read as an Access database."));
    }
    if (mdb_read_catalog(mdb.get(), MDB_ANY) == nullptr) {
        fail(jetPath, wf::tr("the file is damaged (its catalogue cannot be read)."));
    }
    mdb_set_bind_size(mdb.get(), kBindSize);
    mdb_set_date_fmt(mdb.get(), "%Y-%m-%d %H:%M:%S");
    // Memos are converted by libmdb: as UTF-16 (with its surrogate pairs),
    // not as UCS-2, which has no characters beyond the BMP.
    if (const iconv_t utf16 = iconv_open("UTF-8", "UTF-16LE"); utf16 != iconv_t(-1)) {
        if (mdb->iconv_out != iconv_t(-1)) {
            iconv_close(mdb->iconv_out);
        }
        mdb->iconv_out = utf16;
    }

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
            // Its birds placed in the shipped world list's taxonomy.
            schema::fillTaxonomy(db, worldListPath());
            if (const QString said = errors.restore(); !said.isEmpty()) {
                fail(jetPath, wf::tr("the file is damaged (%1).").arg(said.section(u'\n', 0, 0)));
            }
            schema::ensureOptionsRow(db);
            t.commit();
        }
        if (!QFile::rename(tmp, targetPath)) {
            throw AppError(
                err::PathAccess, kSource,
                wf::tr("The imported journal cannot be put in place as \"%1\".").arg(targetPath));
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
