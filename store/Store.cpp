// SPDX-License-Identifier: GPL-3.0-or-later
#include "Store.h"

#include <malloc.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

#include "AppError.h"
#include "Backups.h"
#include "DiskProblem.h"
#include "RawStatement.h"
#include "Resources.h"
#include "RichText.h"
#include "Schema.h"
#include "StoreRows.h"
#include "TextIndex.h"
#include "Tr.h"
#include "Wildcard.h"

namespace wf {

using namespace store_rows;

namespace {

[[noreturn]] void fileProblem(long number, const QString& description) {
    throw AppError(number, kSource, description);
}

quint32 bigEndian(const QByteArray& b, int at, int len) {
    quint32 v = 0;
    for (int i = 0; i < len; ++i) {
        v = (v << 8) | quint8(b[at + i]);
    }
    return v;
}

// Whether an interrupted save left SQLite's record of how to undo it (a hot
// rollback journal) or a write-ahead log beside the file: then the file may
// be shorter than its header says until SQLite has put it right.
bool hasHotJournal(const QString& path) {
    return QFileInfo(path + QStringLiteral("-journal")).size() > 0 ||
           QFileInfo(path + QStringLiteral("-wal")).size() > 0;
}

// Looks at the file before SQLite does, so that what is not a sound journal
// is reported without the engine ever writing to it. With sizeChecks false
// (a hot journal waits to be rolled back) the length is not judged yet.
void inspectJournalFile(const QString& path, bool sizeChecks = true) {
    const QFileInfo info(path);
    if (!info.exists()) {
        fileProblem(err::FileNotFound, wf::tr("The file does not exist."));
    }
    if (!info.isFile()) {
        fileProblem(err::PathAccess, wf::tr("It is not a file."));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fileProblem(err::PathAccess,
                    wf::tr("The file cannot be read: %1.").arg(file.errorString()));
    }
    const qint64 size = file.size();
    if (size == 0) {
        fileProblem(err::DatabaseDamaged, wf::tr("The file is empty."));
    }
    const QByteArray head = file.read(100);
    static const QByteArray kSqliteMagic("SQLite format 3\0", 16);
    static const QByteArray kJetMagic("\0\x01\0\0Standard Jet DB", 19);
    if (head.startsWith(kJetMagic)) {
        fileProblem(err::DatabaseDamaged,
                    wf::tr("It is a journal in the older Access (Jet) format, which "
                           "this version cannot open."));
    }
    if (head.size() < 100 || !head.startsWith(kSqliteMagic)) {
        fileProblem(err::DatabaseDamaged,
                    wf::tr("It is not a Wingfolio journal (not a database)."));
    }
    quint32 pageSize = bigEndian(head, 16, 2);
    if (pageSize == 1) {
        pageSize = 65536;
    }
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0) {
        fileProblem(err::DatabaseDamaged, wf::tr("The file is damaged: its header is not valid."));
    }
    const quint32 changeCounter = bigEndian(head, 24, 4);
    const quint32 pageCount = bigEndian(head, 28, 4);
    const quint32 validFor = bigEndian(head, 92, 4);
    if (!sizeChecks) {
        return;
    }
    if (size % pageSize != 0 ||
        (validFor == changeCounter && pageCount > 0 && qint64(pageCount) * pageSize > size)) {
        fileProblem(err::DatabaseDamaged,
                    wf::tr("The file is damaged: it is shorter than its contents "
                           "need (truncated)."));
    }
}

}  // namespace

const char* areaColumn(Area area) {
    switch (area) {
        case Area::Region:
            return "region";
        case Area::Country:
            return "country";
        case Area::State:
            return "state";
        case Area::District:
            return "district";
        case Area::World:
            break;
    }
    return "";
}

void Store::releaseMemory() const {
    sqlite3_db_release_memory(db_->getHandle());
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

qint64 Store::cachedBytes() const {
    int current = 0;
    int highest = 0;
    sqlite3_db_status(db_->getHandle(), SQLITE_DBSTATUS_CACHE_USED, &current, &highest, 0);
    return current;
}

Store::Store(std::unique_ptr<SQLite::Database> db, QString path)
    : db_(std::move(db)), path_(std::move(path)) {
    sqlite3_busy_handler(db_->getHandle(), &Store::busy, this);
}

int Store::busy(void* store, int tries) {
    const auto* self = static_cast<const Store*>(store);
    constexpr int kStepMs = 5;
    switch (self->checkState()) {
        case CheckState::Checking:
            break;  // the day's check ends before long: wait for it
        case CheckState::Refused:
            return 0;
        case CheckState::None:
            // Another program: two seconds, then the save is given up.
            if (tries * kStepMs >= 2000) {
                return 0;
            }
            break;
    }
    sqlite3_sleep(kStepMs);
    return 1;
}

void Store::refuseWrites() {
    setCheckState(CheckState::Refused);
    sqlite3_exec(db_->getHandle(), "PRAGMA query_only = 1", nullptr, nullptr, nullptr);
}

Store::~Store() = default;

QString Store::quickCheck(SQLite::Database& db) {
    SQLite::Statement q(db, "PRAGMA quick_check(1)");
    return q.executeStep() ? QString::fromStdString(q.getColumn(0).getString())
                           : wf::tr("no answer");
}

std::unique_ptr<Store> Store::open(const QString& path, bool quickCheck,
                                   const std::function<void(int, int)>& progress) {
    // After a crash during a save, SQLite restores the file from its hot
    // journal on the first read; the file is judged once that is done.
    const bool hot = hasHotJournal(path);
    inspectJournalFile(path, !hot);
    std::unique_ptr<SQLite::Database> db;
    try {
        db = std::make_unique<SQLite::Database>(QFile::encodeName(path).toStdString(),
                                                SQLite::OPEN_READWRITE, 2000);
    } catch (const SQLite::Exception& e) {
        fileProblem(err::DatabaseLocked, wf::tr("The file cannot be opened: %1.").arg(e.what()));
    }
    schema::registerFunctions(db->getHandle());
    try {
        db->exec("PRAGMA cache_size = -32768");  // 32 MiB of pages
        // A rollback journal, synced in full: a save is on the disk when it
        // returns, an interrupted one is undone at the next open, and the
        // journal is one file whenever the program is closed.
        db->exec("PRAGMA journal_mode = DELETE");
        db->exec("PRAGMA synchronous = FULL");
        // The first read: the engine checks the header and takes a shared lock.
        db->execAndGet("SELECT count(*) FROM sqlite_master");
        if (hot) {
            inspectJournalFile(path);  // rolled back by now: judged in full
        }
        if (quickCheck) {
            const QString verdict = Store::quickCheck(*db);
            if (verdict != QLatin1String("ok")) {
                fileProblem(err::DatabaseDamaged, wf::tr("The file is damaged (%1).").arg(verdict));
            }
        }
        if (sqlite3_db_readonly(db->getHandle(), "main") == 1) {
            fileProblem(err::DatabaseLocked,
                        wf::tr("The file is read-only; Wingfolio needs to write to it."));
        }
        schema::checkAndMigrate(*db, worldListPath(), progress, [&] {
            Backups(QFileInfo(path).absolutePath())
                .named(*db, QDateTime::currentDateTime(), QStringLiteral("before-migration"));
        });
        schema::ensureOptionsRow(*db);
    } catch (const SQLite::Exception& e) {
        const int code = e.getErrorCode() & 0xFF;
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
            fileProblem(err::DatabaseLocked, wf::tr("The file is locked by another program."));
        }
        if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT) {
            fileProblem(err::DatabaseDamaged, wf::tr("The file is damaged: %1.").arg(e.what()));
        }
        fileProblem(err::DatabaseError, wf::tr("The file cannot be read: %1.").arg(e.what()));
    }
    return std::unique_ptr<Store>(new Store(std::move(db), path));
}

std::unique_ptr<Store> Store::create(const QString& path, const QString& worldListCsv) {
    if (QFileInfo::exists(path)) {
        fileProblem(err::PathAccess, wf::tr("The file already exists."));
    }
    const QFileInfo info(path);
    // A name of its own, so two first starts at once never touch each
    // other's file.
    QByteArray tmpName = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") +
                                           info.fileName() + QStringLiteral(".creating-XXXXXX"));
    const int fd = ::mkstemp(tmpName.data());
    if (fd < 0) {
        fileProblem(err::PathAccess, wf::tr("The journal cannot be created: the folder "
                                            "cannot be written."));
    }
    ::close(fd);
    const QString tmp = QFile::decodeName(tmpName);
    const auto removeTemp = [&] {
        QFile::remove(tmp);
        QFile::remove(tmp + QStringLiteral("-journal"));
    };
    try {
        {
            SQLite::Database db(tmpName.toStdString(),
                                SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            schema::registerFunctions(db.getHandle());
            SQLite::Transaction t(db);
            schema::createTables(db);
            schema::loadWorldList(db, worldListCsv);
            schema::ensureOptionsRow(db);
            t.commit();
        }
    } catch (const SQLite::Exception& e) {
        removeTemp();
        fileProblem(err::PathAccess, wf::tr("The journal cannot be created: %1.").arg(e.what()));
    } catch (...) {
        removeTemp();
        throw;
    }
    // Put in place only if no journal is there: link() refuses an existing
    // name, so of two starts at once one wins and the other opens its journal.
    const QByteArray target = QFile::encodeName(path);
    bool placed = ::link(tmpName.constData(), target.constData()) == 0;
    int why = errno;
    if (!placed && why != EEXIST && !QFileInfo::exists(path)) {
        // A file system without hard links (a memory stick, say): renamed.
        placed = ::rename(tmpName.constData(), target.constData()) == 0;
        why = errno;
    }
    removeTemp();
    if (!placed && why != EEXIST) {
        fileProblem(err::PathAccess, wf::tr("The journal cannot be created: the file "
                                            "cannot be put in place."));
    }
    return open(path);
}

std::unique_ptr<Store> Store::createInMemory() {
    auto db = std::make_unique<SQLite::Database>(":memory:",
                                                 SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    schema::registerFunctions(db->getHandle());
    schema::createTables(*db);
    schema::ensureOptionsRow(*db);
    return std::unique_ptr<Store>(new Store(std::move(db), QStringLiteral(":memory:")));
}

// Subjects -------------------------------------------------------------------

std::vector<std::pair<QString, QString>> Store::countryAliases() const {
    return guarded(*db_, [&] {
        std::vector<std::pair<QString, QString>> out;
        SQLite::Statement q(*db_, "SELECT alias, country FROM country_alias ORDER BY alias");
        while (q.executeStep()) {
            out.emplace_back(text(q.getColumn(0)), text(q.getColumn(1)));
        }
        return out;
    });
}

void Store::setCountryAliases(const std::vector<std::pair<QString, QString>>& aliases) {
    guarded(*db_, [&] {
        SQLite::Transaction t(*db_);
        db_->exec("DELETE FROM country_alias");
        SQLite::Statement q(*db_,
                            "INSERT OR REPLACE INTO country_alias (alias, country) VALUES (?, ?)");
        for (const auto& [alias, country] : aliases) {
            q.bind(1, utf8(alias));
            q.bind(2, utf8(country));
            q.exec();
            q.reset();
        }
        t.commit();
    });
}

Options Store::defaultOptions() {
    Options o;
    o.search = QStringLiteral("https://duckduckgo.com/");
    o.home = QStringLiteral("https://avibase.bsc-eoc.org/");
    return o;
}

Options Store::options() const {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            "SELECT search, home, region, country, state, district FROM options "
                            "ORDER BY id LIMIT 1");
        Options o;
        if (q.executeStep()) {
            o.search = text(q.getColumn(0));
            o.home = text(q.getColumn(1));
            o.region = text(q.getColumn(2));
            o.country = text(q.getColumn(3));
            o.state = text(q.getColumn(4));
            o.district = text(q.getColumn(5));
        }
        return o;
    });
}

void Store::saveOptions(const Options& o) {
    guarded(*db_, [&] {
        schema::ensureOptionsRow(*db_);
        SQLite::Statement q(*db_,
                            "UPDATE options SET search = ?, home = ?, region = ?, country = ?, "
                            "state = ?, district = ? WHERE id = (SELECT min(id) FROM options)");
        q.bind(1, utf8(o.search));
        q.bind(2, utf8(o.home));
        q.bind(3, utf8(o.region));
        q.bind(4, utf8(o.country));
        q.bind(5, utf8(o.state));
        q.bind(6, utf8(o.district));
        q.exec();
    });
}

// Counts and batches ---------------------------------------------------------

qint64 Store::rowCount(const char* table) const {
    static const char* const known[] = {
        "birds",           "topics",          "data",          "sighting",       "options",
        "taxonomy",        "sighting_detail", "ebird_pending", "ebird_name_map", "outing",
        "sighting_outing", "country_bird",    "country_alias", "outing_bird",    "picture_exif",
        "picture_sighting"};
    for (const char* t : known) {
        if (qstrcmp(t, table) == 0) {
            return guarded(*db_, [&] {
                return db_->execAndGet(std::string("SELECT count(*) FROM ") + t).getInt64();
            });
        }
    }
    throw AppError(err::InvalidArgument, kSource,
                   QStringLiteral("There is no table \"%1\".").arg(QString::fromUtf8(table)));
}

void Store::inTransaction(const std::function<void()>& work) {
    guarded(*db_, [&] {
        // Taken for writing at once: a second writer then waits its turn
        // (the busy timeout) instead of failing when it first writes.
        SQLite::Transaction t(*db_, SQLite::TransactionBehavior::IMMEDIATE);
        work();
        t.commit();
    });
}

}  // namespace wf
