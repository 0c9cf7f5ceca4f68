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
#include "TextIndex.h"
#include "Wildcard.h"

namespace wf {

namespace {

const QString kSource = QStringLiteral("wingfolio.Store");

std::string utf8(const QString& s) {
    return s.toStdString();
}

QString text(const SQLite::Column& c) {
    // getText() reads a NULL as "", so no null ever reaches the program.
    return QString::fromUtf8(c.getText(), c.getBytes());
}

// What the custom search looks in for an article: its words, not its markup.
QString searchText(const Entry& e) {
    return e.type == kArticle ? rtf::plainText(e.caption) : QString();
}

const char* subjectTable(Category cat) {
    return cat == Category::Birds ? "birds" : "topics";
}

// Runs a store operation and turns the engine's failures into AppError.
template <typename F>
auto guarded(const SQLite::Database& db, F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const SQLite::Exception& e) {
        const int code = e.getErrorCode() & 0xFF;
        long number = err::DatabaseError;
        if (code == SQLITE_FULL || code == SQLITE_IOERR) {
            // The transaction was rolled back: what was committed stays.
            const char* file = sqlite3_db_filename(db.getHandle(), "main");
            throw diskProblem(QFile::decodeName(file ? file : ""),
                              code == SQLITE_FULL ? ENOSPC : EIO, kSource);
        }
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
            throw AppError(err::DatabaseLocked, kSource,
                           QStringLiteral("The journal is busy: another program kept it locked "
                                          "for writing too long. Nothing was changed; try again "
                                          "in a moment. (%1)")
                               .arg(QString::fromUtf8(e.what())));
        }
        if (code == SQLITE_CANTOPEN || code == SQLITE_PERM || code == SQLITE_READONLY) {
            number = err::DatabaseLocked;
        } else if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB) {
            throw AppError(err::DatabaseDamaged, kSource,
                           QStringLiteral("The journal is damaged (%1). What it shows may be "
                                          "incomplete: restore it from a backup (File, Restore "
                                          "From Backup...).")
                               .arg(QString::fromUtf8(e.what())));
        }
        throw AppError(number, kSource, QString::fromUtf8(e.what()));
    }
}

QString dateText(const QDate& d, const QTime& t) {
    if (!d.isValid()) {
        return {};
    }
    if (d.year() < 1 || d.year() > 9999) {
        return d.toString(Qt::ISODate);
    }
    // "YYYY-MM-DD" or "YYYY-MM-DDThh:mm:ss", written by hand: this runs for
    // every sighting saved or imported.
    char buf[20];
    const auto two = [&buf](int at, int v) {
        buf[at] = char('0' + v / 10);
        buf[at + 1] = char('0' + v % 10);
    };
    two(0, d.year() / 100);
    two(2, d.year() % 100);
    buf[4] = '-';
    two(5, d.month());
    buf[7] = '-';
    two(8, d.day());
    int n = 10;
    if (t.isValid()) {
        buf[10] = 'T';
        two(11, t.hour());
        buf[13] = ':';
        two(14, t.minute());
        buf[16] = ':';
        two(17, t.second());
        n = 19;
    }
    return QString::fromLatin1(buf, n);
}

void parseDate(const QString& s, QDate& d, QTime& t) {
    d = QDate::fromString(s.left(10), Qt::ISODate);
    t = s.size() > 10 ? QTime::fromString(s.mid(11, 8), QStringLiteral("HH:mm:ss")) : QTime();
}

// The date of a stored date text, read without building a string; null
// when there is none.
QDate storedDate(const SQLite::Column& c) {
    const char* p = c.getText();
    const int n = c.getBytes();
    const auto digits = [&](int at, int count) {
        int v = 0;
        for (int i = at; i < at + count; ++i) {
            if (p[i] < '0' || p[i] > '9') {
                return -1;
            }
            v = v * 10 + (p[i] - '0');
        }
        return v;
    };
    if (n >= 10 && p[4] == '-' && p[7] == '-') {
        const int y = digits(0, 4);
        const int m = digits(5, 2);
        const int d = digits(8, 2);
        if (y >= 0 && m >= 0 && d >= 0) {
            return QDate(y, m, d);
        }
    }
    return n == 0 ? QDate() : QDate::fromString(text(c).left(10), Qt::ISODate);
}

Entry readEntry(SQLite::Statement& q) {
    Entry e;
    e.id = q.getColumn(0).getInt64();
    e.catid = q.getColumn(1).getInt();
    e.subid = q.getColumn(2).getInt64();
    e.type = text(q.getColumn(3));
    e.title = text(q.getColumn(4));
    e.caption = text(q.getColumn(5));
    e.fname = text(q.getColumn(6));
    return e;
}
constexpr const char* kEntryColumns = "id, catid, subid, type, title, caption, fname";

Sighting readSighting(SQLite::Statement& q) {
    Sighting s;
    s.id = q.getColumn(0).getInt64();
    s.birdid = q.getColumn(1).getInt64();
    parseDate(text(q.getColumn(2)), s.date, s.time);
    s.type = text(q.getColumn(3));
    s.site = text(q.getColumn(4));
    s.district = text(q.getColumn(5));
    s.state = text(q.getColumn(6));
    s.country = text(q.getColumn(7));
    s.region = text(q.getColumn(8));
    s.notes = text(q.getColumn(9));
    if (q.getColumnCount() > 10) {
        s.count = text(q.getColumn(10));
    }
    return s;
}
// Binds a sighting's columns after its id, in kSightingSelect's order, to
// parameters 1 to 9.
void bindSighting(SQLite::Statement& q, const Sighting& s) {
    q.bind(1, static_cast<int64_t>(s.birdid));
    q.bind(2, utf8(dateText(s.date, s.time)));
    q.bind(3, utf8(s.type));
    q.bind(4, utf8(s.site));
    q.bind(5, utf8(s.district));
    q.bind(6, utf8(s.state));
    q.bind(7, utf8(s.country));
    q.bind(8, utf8(s.region));
    q.bind(9, utf8(s.notes));
}

// A sighting's columns with the count kept beside it, for readSighting.
constexpr const char* kSightingSelect =
    "SELECT s.id, s.birdid, s.date, s.type, s.site, s.district, s.state, s.country, s.region, "
    "s.notes, d.count FROM sighting s LEFT JOIN sighting_detail d ON d.sightingid = s.id ";
// The source of the sightings the sighting editor writes a detail for.
constexpr const char* kTypedSource = "Wingfolio";

QString hoursMinutes(QTime t) {
    return t.isValid() ? t.toString(QStringLiteral("HH:mm")) : QString();
}

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
        fileProblem(err::FileNotFound, QStringLiteral("The file does not exist."));
    }
    if (!info.isFile()) {
        fileProblem(err::PathAccess, QStringLiteral("It is not a file."));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fileProblem(err::PathAccess,
                    QStringLiteral("The file cannot be read: %1.").arg(file.errorString()));
    }
    const qint64 size = file.size();
    if (size == 0) {
        fileProblem(err::DatabaseDamaged, QStringLiteral("The file is empty."));
    }
    const QByteArray head = file.read(100);
    static const QByteArray kSqliteMagic("SQLite format 3\0", 16);
    static const QByteArray kJetMagic("\0\x01\0\0Standard Jet DB", 19);
    if (head.startsWith(kJetMagic)) {
        fileProblem(err::DatabaseDamaged,
                    QStringLiteral("It is a journal in the older Access (Jet) format, which "
                                   "this version cannot open."));
    }
    if (head.size() < 100 || !head.startsWith(kSqliteMagic)) {
        fileProblem(err::DatabaseDamaged,
                    QStringLiteral("It is not a Wingfolio journal (not a database)."));
    }
    quint32 pageSize = bigEndian(head, 16, 2);
    if (pageSize == 1) {
        pageSize = 65536;
    }
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0) {
        fileProblem(err::DatabaseDamaged,
                    QStringLiteral("The file is damaged: its header is not valid."));
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
                    QStringLiteral("The file is damaged: it is shorter than its contents "
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
                           : QStringLiteral("no answer");
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
        fileProblem(err::DatabaseLocked,
                    QStringLiteral("The file cannot be opened: %1.").arg(e.what()));
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
                fileProblem(err::DatabaseDamaged,
                            QStringLiteral("The file is damaged (%1).").arg(verdict));
            }
        }
        if (sqlite3_db_readonly(db->getHandle(), "main") == 1) {
            fileProblem(err::DatabaseLocked,
                        QStringLiteral("The file is read-only; Wingfolio needs to write to it."));
        }
        schema::checkAndMigrate(*db, worldListPath(), progress, [&] {
            Backups(QFileInfo(path).absolutePath())
                .named(*db, QDateTime::currentDateTime(), QStringLiteral("before-migration"));
        });
        schema::ensureOptionsRow(*db);
    } catch (const SQLite::Exception& e) {
        const int code = e.getErrorCode() & 0xFF;
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
            fileProblem(err::DatabaseLocked,
                        QStringLiteral("The file is locked by another program."));
        }
        if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT) {
            fileProblem(err::DatabaseDamaged,
                        QStringLiteral("The file is damaged: %1.").arg(e.what()));
        }
        fileProblem(err::DatabaseError,
                    QStringLiteral("The file cannot be read: %1.").arg(e.what()));
    }
    return std::unique_ptr<Store>(new Store(std::move(db), path));
}

std::unique_ptr<Store> Store::create(const QString& path, const QString& worldListCsv) {
    if (QFileInfo::exists(path)) {
        fileProblem(err::PathAccess, QStringLiteral("The file already exists."));
    }
    const QFileInfo info(path);
    // A name of its own, so two first starts at once never touch each
    // other's file.
    QByteArray tmpName = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") +
                                           info.fileName() + QStringLiteral(".creating-XXXXXX"));
    const int fd = ::mkstemp(tmpName.data());
    if (fd < 0) {
        fileProblem(err::PathAccess, QStringLiteral("The journal cannot be created: the folder "
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
        fileProblem(err::PathAccess,
                    QStringLiteral("The journal cannot be created: %1.").arg(e.what()));
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
        fileProblem(err::PathAccess, QStringLiteral("The journal cannot be created: the file "
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

std::optional<qint64> Store::findSubject(Category cat, const QString& name) const {
    return guarded(*db_, [&]() -> std::optional<qint64> {
        SQLite::Statement q(*db_, std::string("SELECT id FROM ") + subjectTable(cat) +
                                      " WHERE name = ? ORDER BY id LIMIT 1");
        q.bind(1, utf8(name));
        if (q.executeStep()) {
            return q.getColumn(0).getInt64();
        }
        return std::nullopt;
    });
}

qint64 Store::addSubject(Category cat, const QString& name) {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            std::string("INSERT INTO ") + subjectTable(cat) + " (name) VALUES (?)");
        q.bind(1, utf8(name));
        q.exec();
        return db_->getLastInsertRowid();
    });
}

qint64 Store::findOrAddSubject(Category cat, const QString& name) {
    if (auto id = findSubject(cat, name)) {
        return *id;
    }
    return addSubject(cat, name);
}

std::optional<QString> Store::subjectName(Category cat, qint64 id) const {
    return guarded(*db_, [&]() -> std::optional<QString> {
        SQLite::Statement q(*db_,
                            std::string("SELECT name FROM ") + subjectTable(cat) + " WHERE id = ?");
        q.bind(1, static_cast<int64_t>(id));
        if (q.executeStep()) {
            return text(q.getColumn(0));
        }
        return std::nullopt;
    });
}

std::vector<Subject> Store::subjects(Category cat) const {
    return guarded(*db_, [&] {
        std::vector<Subject> out;
        SQLite::Statement q(
            *db_, std::string("SELECT id, name FROM ") + subjectTable(cat) + " ORDER BY name, id");
        while (q.executeStep()) {
            out.push_back({q.getColumn(0).getInt64(), text(q.getColumn(1))});
        }
        return out;
    });
}

void Store::renameSubject(Category cat, qint64 id, const QString& name) {
    guarded(*db_, [&] {
        SQLite::Statement q(
            *db_, std::string("UPDATE ") + subjectTable(cat) + " SET name = ? WHERE id = ?");
        q.bind(1, utf8(name));
        q.bind(2, static_cast<int64_t>(id));
        q.exec();
    });
}

bool Store::deleteSubject(Category cat, qint64 id) {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            std::string("DELETE FROM ") + subjectTable(cat) + " WHERE id = ?");
        q.bind(1, static_cast<int64_t>(id));
        return q.exec() > 0;
    });
}

// Entries --------------------------------------------------------------------

std::optional<Entry> Store::entry(qint64 id) const {
    return guarded(*db_, [&]() -> std::optional<Entry> {
        SQLite::Statement q(*db_,
                            std::string("SELECT ") + kEntryColumns + " FROM data WHERE id = ?");
        q.bind(1, static_cast<int64_t>(id));
        if (q.executeStep()) {
            return readEntry(q);
        }
        return std::nullopt;
    });
}

std::vector<Entry> Store::entriesOf(Category cat, qint64 subid) const {
    return guarded(*db_, [&] {
        std::vector<Entry> out;
        SQLite::Statement q(*db_, std::string("SELECT ") + kEntryColumns +
                                      " FROM data WHERE catid = ? AND subid = ?"
                                      " ORDER BY type, title, id");
        q.bind(1, static_cast<int>(cat));
        q.bind(2, static_cast<int64_t>(subid));
        while (q.executeStep()) {
            out.push_back(readEntry(q));
        }
        return out;
    });
}

std::vector<EntrySummary> Store::entrySummaries(Category cat, qint64 subid) const {
    return guarded(*db_, [&] {
        std::vector<EntrySummary> out;
        SQLite::Statement q(*db_,
                            "SELECT id, type, title, fname, substr(plaintext, 1, 400) FROM data "
                            "WHERE catid = ? AND subid = ? ORDER BY type, title, id");
        q.bind(1, static_cast<int>(cat));
        q.bind(2, static_cast<int64_t>(subid));
        while (q.executeStep()) {
            out.push_back({q.getColumn(0).getInt64(), text(q.getColumn(1)), text(q.getColumn(2)),
                           text(q.getColumn(3)), text(q.getColumn(4))});
        }
        return out;
    });
}

qint64 Store::appendEntry(const Entry& e) {
    const QString plain = searchText(e);
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            "INSERT INTO data (catid, subid, type, title, caption, fname, "
                            "plaintext) VALUES (?, ?, ?, ?, ?, ?, ?)");
        q.bind(1, e.catid);
        q.bind(2, static_cast<int64_t>(e.subid));
        q.bind(3, utf8(e.type));
        q.bind(4, utf8(e.title));
        q.bind(5, utf8(e.caption));
        q.bind(6, utf8(e.fname));
        q.bind(7, utf8(plain));
        q.exec();
        return db_->getLastInsertRowid();
    });
}

bool Store::updateEntry(const Entry& e) {
    const QString plain = searchText(e);
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            "UPDATE data SET catid = ?, subid = ?, type = ?, title = ?, "
                            "caption = ?, fname = ?, plaintext = ? WHERE id = ?");
        q.bind(1, e.catid);
        q.bind(2, static_cast<int64_t>(e.subid));
        q.bind(3, utf8(e.type));
        q.bind(4, utf8(e.title));
        q.bind(5, utf8(e.caption));
        q.bind(6, utf8(e.fname));
        q.bind(7, utf8(plain));
        q.bind(8, static_cast<int64_t>(e.id));
        return q.exec() > 0;
    });
}

bool Store::deleteEntry(qint64 id) {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_, "DELETE FROM data WHERE id = ?");
        q.bind(1, static_cast<int64_t>(id));
        return q.exec() > 0;
    });
}

int Store::deleteEntriesOf(Category cat, qint64 subid) {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_, "DELETE FROM data WHERE catid = ? AND subid = ?");
        q.bind(1, static_cast<int>(cat));
        q.bind(2, static_cast<int64_t>(subid));
        return q.exec();
    });
}

// Sightings ------------------------------------------------------------------

qint64 Store::appendSighting(const Sighting& s) {
    if (s.count.isEmpty()) {
        return SightingWriter(*this).append(s);
    }
    SightingDetail d;
    d.source = QString::fromLatin1(kTypedSource);
    d.count = s.count;
    d.time = hoursMinutes(s.time);
    return SightingWriter(*this).append(s, &d);
}

bool Store::updateSighting(const Sighting& s) {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            "UPDATE sighting SET birdid = ?, date = ?, type = ?, site = ?, "
                            "district = ?, state = ?, country = ?, region = ?, notes = ? "
                            "WHERE id = ?");
        bindSighting(q, s);
        q.bind(10, static_cast<int64_t>(s.id));
        if (q.exec() != 1) {
            return false;
        }
        // The count lives beside the row; a record's own time stays as read.
        SQLite::Statement d(*db_,
                            "INSERT INTO sighting_detail (sightingid, source, count, time) "
                            "SELECT ?, ?, ?, ? WHERE ? <> '' "
                            "ON CONFLICT(sightingid) DO UPDATE SET count = excluded.count, "
                            "time = CASE WHEN source = excluded.source THEN excluded.time "
                            "ELSE time END");
        d.bind(1, static_cast<int64_t>(s.id));
        d.bind(2, kTypedSource);
        d.bind(3, utf8(s.count));
        d.bind(4, utf8(hoursMinutes(s.time)));
        d.bind(5, utf8(s.count));
        d.exec();
        if (s.count.isEmpty()) {
            SQLite::Statement clear(*db_,
                                    "UPDATE sighting_detail SET count = '' WHERE sightingid = ?");
            clear.bind(1, static_cast<int64_t>(s.id));
            clear.exec();
        }
        return true;
    });
}

std::optional<Sighting> Store::sighting(qint64 id) const {
    return guarded(*db_, [&]() -> std::optional<Sighting> {
        SQLite::Statement q(*db_, std::string(kSightingSelect) + "WHERE s.id = ?");
        q.bind(1, static_cast<int64_t>(id));
        if (q.executeStep()) {
            return readSighting(q);
        }
        return std::nullopt;
    });
}

std::vector<Sighting> Store::sightingsOf(qint64 birdid) const {
    return guarded(*db_, [&] {
        std::vector<Sighting> out;
        SQLite::Statement q(*db_, std::string(kSightingSelect) +
                                      "WHERE s.birdid = ? ORDER BY s.date DESC, s.id DESC");
        q.bind(1, static_cast<int64_t>(birdid));
        while (q.executeStep()) {
            out.push_back(readSighting(q));
        }
        return out;
    });
}

std::vector<qint64> Store::sightingIdsOf(qint64 birdid) const {
    return guarded(*db_, [&] {
        std::vector<qint64> out;
        SQLite::Statement q(*db_,
                            "SELECT id FROM sighting WHERE birdid = ? ORDER BY date DESC, id DESC");
        q.bind(1, static_cast<int64_t>(birdid));
        while (q.executeStep()) {
            out.push_back(q.getColumn(0).getInt64());
        }
        return out;
    });
}

std::vector<Sighting> Store::sightingsWithIds(const std::vector<qint64>& ids) const {
    return guarded(*db_, [&] {
        std::vector<Sighting> out;
        out.reserve(ids.size());
        SQLite::Statement q(*db_, std::string(kSightingSelect) + "WHERE s.id = ?");
        for (const qint64 id : ids) {
            q.bind(1, static_cast<int64_t>(id));
            if (q.executeStep()) {
                out.push_back(readSighting(q));
            }
            q.reset();
        }
        return out;
    });
}

std::vector<SightingPlace> Store::sightingPlaces(qint64 birdid) const {
    return guarded(*db_, [&] {
        // Read from the index on (birdid, date, site) alone.
        std::vector<SightingPlace> out;
        SQLite::Statement q(*db_, "SELECT id, date, site FROM sighting WHERE birdid = ?");
        q.bind(1, static_cast<int64_t>(birdid));
        while (q.executeStep()) {
            out.push_back(
                {q.getColumn(0).getInt64(), storedDate(q.getColumn(1)), text(q.getColumn(2))});
        }
        return out;
    });
}

std::optional<Sighting> Store::lastSighting() const {
    return guarded(*db_, [&]() -> std::optional<Sighting> {
        SQLite::Statement q(*db_, std::string(kSightingSelect) + "ORDER BY s.id DESC LIMIT 1");
        if (q.executeStep()) {
            return readSighting(q);
        }
        return std::nullopt;
    });
}

std::optional<Sighting> Store::lastTypedSighting() const {
    return guarded(*db_, [&]() -> std::optional<Sighting> {
        SQLite::Statement q(*db_, std::string(kSightingSelect) +
                                      "WHERE d.source IS NULL OR d.source <> 'eBird' "
                                      "ORDER BY s.id DESC LIMIT 1");
        if (q.executeStep()) {
            return readSighting(q);
        }
        return std::nullopt;
    });
}

SubjectContents Store::contentsOf(Category cat, qint64 id) const {
    return guarded(*db_, [&] {
        SubjectContents c;
        SQLite::Statement q(*db_,
                            "SELECT type, count(*) FROM data WHERE catid = ? AND subid = ? "
                            "GROUP BY type");
        q.bind(1, static_cast<int>(cat));
        q.bind(2, static_cast<int64_t>(id));
        while (q.executeStep()) {
            const QString type = text(q.getColumn(0));
            const int n = q.getColumn(1).getInt();
            if (type.compare(kArticle, Qt::CaseInsensitive) == 0) {
                c.articles += n;
            } else if (type.compare(kImage, Qt::CaseInsensitive) == 0) {
                c.pictures += n;
            } else {
                c.links += n;
            }
        }
        if (cat == Category::Birds) {
            SQLite::Statement n(*db_, "SELECT count(*) FROM sighting WHERE birdid = ?");
            n.bind(1, static_cast<int64_t>(id));
            n.executeStep();
            c.sightings = n.getColumn(0).getInt();
        }
        return c;
    });
}

bool Store::deleteSighting(qint64 id) {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_, "DELETE FROM sighting WHERE id = ?");
        q.bind(1, static_cast<int64_t>(id));
        return q.exec() > 0;
    });
}

int Store::deleteSightingsOf(qint64 birdid) {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_, "DELETE FROM sighting WHERE birdid = ?");
        q.bind(1, static_cast<int64_t>(birdid));
        return q.exec();
    });
}

const char* const kSightingDetailColumns =
    "source, submission_id, common_name, scientific_name, taxonomic_order, count, state_code, "
    "county, location_id, location, latitude, longitude, date, time, protocol, duration_min, "
    "all_obs_reported, distance_km, area_ha, observers, breeding_code, observation_details, "
    "checklist_comments, ml_catalog";

std::array<QString SightingDetail::*, 24> detailFields() {
    return {&SightingDetail::source,
            &SightingDetail::submissionId,
            &SightingDetail::commonName,
            &SightingDetail::scientificName,
            &SightingDetail::taxonomicOrder,
            &SightingDetail::count,
            &SightingDetail::stateCode,
            &SightingDetail::county,
            &SightingDetail::locationId,
            &SightingDetail::location,
            &SightingDetail::latitude,
            &SightingDetail::longitude,
            &SightingDetail::date,
            &SightingDetail::time,
            &SightingDetail::protocol,
            &SightingDetail::durationMin,
            &SightingDetail::allObsReported,
            &SightingDetail::distanceKm,
            &SightingDetail::areaHa,
            &SightingDetail::observers,
            &SightingDetail::breedingCode,
            &SightingDetail::observationDetails,
            &SightingDetail::checklistComments,
            &SightingDetail::mlCatalog};
}

std::optional<SightingDetail> Store::sightingDetail(qint64 sightingId) const {
    return guarded(*db_, [&]() -> std::optional<SightingDetail> {
        SQLite::Statement q(*db_, std::string("SELECT ") + kSightingDetailColumns +
                                      " FROM sighting_detail WHERE sightingid = ?");
        q.bind(1, static_cast<int64_t>(sightingId));
        if (!q.executeStep()) {
            return std::nullopt;
        }
        SightingDetail d;
        int i = 0;
        for (QString SightingDetail::*field : detailFields()) {
            d.*field = text(q.getColumn(i++));
        }
        return d;
    });
}

std::optional<Taxonomy> Store::taxonomy(qint64 birdid) const {
    return guarded(*db_, [&]() -> std::optional<Taxonomy> {
        SQLite::Statement q(*db_,
                            "SELECT scientific_name, taxon_order, bird_order, family, "
                            "family_english FROM taxonomy WHERE birdid = ?");
        q.bind(1, static_cast<int64_t>(birdid));
        if (!q.executeStep()) {
            return std::nullopt;
        }
        return Taxonomy{text(q.getColumn(0)), q.getColumn(1).getInt64(), text(q.getColumn(2)),
                        text(q.getColumn(3)), text(q.getColumn(4))};
    });
}

void Store::setTaxonomy(qint64 birdid, const Taxonomy& t) {
    guarded(*db_, [&] {
        SQLite::Statement q(*db_,
                            "INSERT OR REPLACE INTO taxonomy (birdid, scientific_name, "
                            "taxon_order, bird_order, family, family_english) "
                            "VALUES (?, ?, ?, ?, ?, ?)");
        q.bind(1, static_cast<int64_t>(birdid));
        q.bind(2, utf8(t.scientificName));
        q.bind(3, static_cast<int64_t>(t.taxonOrder));
        q.bind(4, utf8(t.order));
        q.bind(5, utf8(t.family));
        q.bind(6, utf8(t.familyEnglish));
        q.exec();
    });
}

std::optional<qint64> Store::findBirdByScientificName(const QString& name) const {
    return guarded(*db_, [&]() -> std::optional<qint64> {
        SQLite::Statement q(*db_,
                            "SELECT t.birdid FROM taxonomy t JOIN birds b ON b.id = t.birdid "
                            "WHERE t.scientific_name = ? COLLATE NOCASE ORDER BY t.birdid "
                            "LIMIT 1");
        q.bind(1, utf8(name));
        if (q.executeStep()) {
            return q.getColumn(0).getInt64();
        }
        return std::nullopt;
    });
}

namespace {

// Binds text as UTF-8 without a further copy: keep holds the bytes until
// the statement has run.
void bindText(sqlite3_stmt* q, int i, const QString& s, QByteArray& keep) {
    if (s.isEmpty()) {
        // Most of an eBird record's fields are empty: nothing to convert.
        sqlite3_bind_text(q, i, "", 0, SQLITE_STATIC);
        return;
    }
    keep = s.toUtf8();
    sqlite3_bind_text(q, i, keep.constData(), int(keep.size()), SQLITE_STATIC);
}

void stepOnce(sqlite3* db, sqlite3_stmt* q) {
    const int rc = sqlite3_step(q);
    sqlite3_reset(q);
    sqlite3_clear_bindings(q);
    if (rc != SQLITE_DONE) {
        throw SQLite::Exception(db, rc);
    }
}

}  // namespace

struct SightingWriter::Statements {
    RawStatement sighting{nullptr, sqlite3_finalize};
    RawStatement detail{nullptr, sqlite3_finalize};
};

SightingWriter::SightingWriter(Store& store) : store_(store), q_(std::make_unique<Statements>()) {
    guarded(store.database(), [&] {
        sqlite3* db = store.database().getHandle();
        q_->sighting =
            prepareRaw(db,
                       "INSERT INTO sighting (birdid, date, type, site, district, state, country, "
                       "region, notes) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
        q_->detail = prepareRaw(
            db, std::string("INSERT OR REPLACE INTO sighting_detail (sightingid, ") +
                    kSightingDetailColumns +
                    ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                    "?, ?, ?, ?)");
    });
}

SightingWriter::~SightingWriter() = default;

qint64 SightingWriter::append(const Sighting& s, const SightingDetail* detail) {
    return guarded(store_.database(), [&] {
        sqlite3* db = store_.database().getHandle();
        sqlite3_stmt* q = q_->sighting.get();
        std::array<QByteArray, 24> keep;
        sqlite3_bind_int64(q, 1, s.birdid);
        bindText(q, 2, dateText(s.date, s.time), keep[0]);
        bindText(q, 3, s.type, keep[1]);
        bindText(q, 4, s.site, keep[2]);
        bindText(q, 5, s.district, keep[3]);
        bindText(q, 6, s.state, keep[4]);
        bindText(q, 7, s.country, keep[5]);
        bindText(q, 8, s.region, keep[6]);
        bindText(q, 9, s.notes, keep[7]);
        stepOnce(db, q);
        const qint64 id = sqlite3_last_insert_rowid(db);
        if (detail != nullptr) {
            sqlite3_stmt* d = q_->detail.get();
            sqlite3_bind_int64(d, 1, id);
            int i = 2;
            for (QString SightingDetail::*field : detailFields()) {
                bindText(d, i, detail->*field, keep[size_t(i - 2)]);
                ++i;
            }
            stepOnce(db, d);
        }
        return id;
    });
}

QStringList Store::areaValues(Area area) const {
    if (area == Area::World) {
        return {};
    }
    return guarded(*db_, [&] {
        QStringList out;
        const std::string col = areaColumn(area);
        // Hop from one value to the next along the area's index instead of
        // reading every sighting: a few hundred seeks, not 200,000 rows.
        SQLite::Statement q(*db_, "WITH RECURSIVE v(x) AS (SELECT min(" + col +
                                      ") FROM sighting UNION ALL SELECT (SELECT min(" + col +
                                      ") FROM sighting WHERE " + col +
                                      " > v.x) FROM v WHERE v.x IS NOT NULL) "
                                      "SELECT x FROM v WHERE x IS NOT NULL");
        while (q.executeStep()) {
            out.push_back(text(q.getColumn(0)));
        }
        return out;
    });
}

// Trees, lists and searches -------------------------------------------------

std::unordered_set<qint64> Store::sightedBirds() const {
    std::unordered_set<qint64> seen;
    if (hasAnySighting()) {
        SQLite::Statement q(*db_,
                            "SELECT b.id FROM birds b WHERE EXISTS "
                            "(SELECT 1 FROM sighting s WHERE s.birdid = b.id)");
        while (q.executeStep()) {
            seen.insert(q.getColumn(0).getInt64());
        }
    }
    return seen;
}

std::vector<TreeSubject> Store::subjectTree(Category cat) const {
    return guarded(*db_, [&] {
        // Three passes instead of two queries per subject: entries grouped by
        // subject, the birds seen, then the subjects in order. Small groups
        // sort faster here than one large sort in the engine.
        std::unordered_map<qint64, std::vector<ListedEntry>> entries;
        {
            SQLite::Statement q(*db_, "SELECT subid, id, type, title FROM data WHERE catid = ?");
            q.bind(1, static_cast<int>(cat));
            while (q.executeStep()) {
                entries[q.getColumn(0).getInt64()].push_back({q.getColumn(1).getInt64(),
                                                              text(q.getColumn(2)), QString(),
                                                              text(q.getColumn(3))});
            }
        }
        const std::unordered_set<qint64> seen =
            cat == Category::Birds ? sightedBirds() : std::unordered_set<qint64>();
        std::vector<TreeSubject> out;
        SQLite::Statement q(
            *db_, std::string("SELECT id, name FROM ") + subjectTable(cat) + " ORDER BY name, id");
        while (q.executeStep()) {
            const qint64 id = q.getColumn(0).getInt64();
            auto e = entries.find(id);
            const bool sighted = seen.count(id) > 0;
            if (e == entries.end() && !sighted) {
                continue;
            }
            TreeSubject t;
            t.id = id;
            t.name = text(q.getColumn(1));
            t.hasSightings = sighted;
            if (e != entries.end()) {
                t.entries = std::move(e->second);
                std::sort(t.entries.begin(), t.entries.end(),
                          [](const ListedEntry& a, const ListedEntry& b) {
                              if (const int c = compareNoCase(a.type, b.type)) {
                                  return c < 0;
                              }
                              if (const int c = compareNoCase(a.title, b.title)) {
                                  return c < 0;
                              }
                              return a.id < b.id;
                          });
                for (ListedEntry& le : t.entries) {
                    le.subject = t.name;
                }
            }
            out.push_back(std::move(t));
        }
        return out;
    });
}

std::vector<SubjectHead> Store::subjectHeads(Category cat) const {
    return guarded(*db_, [&] {
        // Subjects with entries, and whether one of them is of a type the
        // tree shows, from the index on (catid, subid, type) in one pass.
        std::unordered_map<qint64, bool> filed;
        {
            SQLite::Statement q(*db_,
                                "SELECT subid, max(type = 'Article' COLLATE BINARY OR type = "
                                "'Image' COLLATE BINARY OR type = 'Link' COLLATE BINARY) FROM "
                                "data WHERE catid = ? GROUP BY subid");
            q.bind(1, static_cast<int>(cat));
            while (q.executeStep()) {
                filed.emplace(q.getColumn(0).getInt64(), q.getColumn(1).getInt() != 0);
            }
        }
        const std::unordered_set<qint64> seen =
            cat == Category::Birds ? sightedBirds() : std::unordered_set<qint64>();
        std::vector<SubjectHead> out;
        if (filed.empty() && seen.empty()) {
            return out;  // a new journal: no need to read every name
        }
        SQLite::Statement q(
            *db_, std::string("SELECT id, name FROM ") + subjectTable(cat) + " ORDER BY name, id");
        while (q.executeStep()) {
            const qint64 id = q.getColumn(0).getInt64();
            const auto e = filed.find(id);
            const bool sighted = seen.count(id) > 0;
            if (e != filed.end() || sighted) {
                out.push_back(
                    {id, text(q.getColumn(1)), sighted || (e != filed.end() && e->second)});
            }
        }
        return out;
    });
}

std::optional<TreeSubject> Store::treeSubject(Category cat, qint64 id) const {
    return guarded(*db_, [&]() -> std::optional<TreeSubject> {
        TreeSubject t;
        t.id = id;
        {
            SQLite::Statement q(
                *db_, std::string("SELECT name FROM ") + subjectTable(cat) + " WHERE id = ?");
            q.bind(1, static_cast<int64_t>(id));
            if (!q.executeStep()) {
                return std::nullopt;
            }
            t.name = text(q.getColumn(0));
        }
        t.hasSightings = cat == Category::Birds && hasSightings(id);
        SQLite::Statement q(*db_,
                            "SELECT id, type, title FROM data WHERE catid = ? AND subid = ? "
                            "ORDER BY type, title, id");
        q.bind(1, static_cast<int>(cat));
        q.bind(2, static_cast<int64_t>(id));
        while (q.executeStep()) {
            t.entries.push_back(
                {q.getColumn(0).getInt64(), text(q.getColumn(1)), t.name, text(q.getColumn(2))});
        }
        if (t.entries.empty() && !t.hasSightings) {
            return std::nullopt;
        }
        return t;
    });
}

namespace {

// Subject ids to places in a list: a table when the ids are dense (as
// AUTOINCREMENT makes them), else a hash.
class IdIndex {
  public:
    void add(qint64 id, int at) { pending_.emplace_back(id, at); }
    void seal() {
        qint64 most = -1;
        for (const auto& [id, at] : pending_) {
            if (id < 0) {
                most = -1;
                break;
            }
            most = std::max(most, id);
        }
        if (most >= 0 && most < qint64(pending_.size()) * 4 + 1024) {
            table_.assign(size_t(most) + 1, -1);
            for (const auto& [id, at] : pending_) {
                table_[size_t(id)] = at;
            }
        } else {
            hash_.reserve(pending_.size());
            for (const auto& [id, at] : pending_) {
                hash_.emplace(id, at);
            }
            dense_ = false;
        }
        pending_.clear();
        pending_.shrink_to_fit();
    }
    int find(qint64 id) const {
        if (dense_) {
            return id >= 0 && size_t(id) < table_.size() ? table_[size_t(id)] : -1;
        }
        const auto it = hash_.find(id);
        return it == hash_.end() ? -1 : it->second;
    }

  private:
    std::vector<std::pair<qint64, int>> pending_;
    bool dense_ = true;
    std::vector<int> table_;
    std::unordered_map<qint64, int> hash_;
};

}  // namespace

std::vector<ListedEntry> Store::entryList(Category cat, const QString& type) const {
    return guarded(*db_, [&] {
        // Two walks of an index each, with no seeks: the subjects in name
        // order give each a place (subjects of one name share it); the
        // category's entries of the type, in the entries' index, are then
        // put in that order, and by id within a name.
        sqlite3* db = db_->getHandle();
        struct Subject {
            int group;  // subjects of one name (letter case aside) share it
            size_t nameAt;
            int nameBytes;
            QString shown;  // made for the subjects that have entries
        };
        std::vector<Subject> subjects;  // in name order
        std::string names;              // their names, UTF-8 as stored, end to end
        IdIndex subjectOf;
        {
            const RawStatement statement = prepareRaw(
                db, std::string("SELECT id, name FROM ") + subjectTable(cat) + " ORDER BY name");
            sqlite3_stmt* q = statement.get();
            forEachRow(db, q, [&] {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(q, 1));
                const int bytes = text ? sqlite3_column_bytes(q, 1) : 0;
                int group = 0;
                if (!subjects.empty()) {
                    const Subject& last = subjects.back();
                    group = last.group + (compareNoCase(text, bytes, names.data() + last.nameAt,
                                                        last.nameBytes) != 0);
                }
                subjectOf.add(sqlite3_column_int64(q, 0), int(subjects.size()));
                subjects.push_back({group, names.size(), bytes, {}});
                names.append(text ? text : "", size_t(bytes));
            });
        }
        subjectOf.seal();
        struct Row {
            int subject;
            qint64 id;
            QString title;
        };
        std::vector<Row> rows;
        {
            const RawStatement statement =
                prepareRaw(db,
                           "SELECT d.id, d.subid, d.title FROM data d INDEXED BY data_cat_sub "
                           "WHERE d.catid = ?2 AND d.type = ?1");
            sqlite3_stmt* q = statement.get();
            const QByteArray typeUtf8 = type.toUtf8();
            sqlite3_bind_text(q, 1, typeUtf8.constData(), int(typeUtf8.size()), SQLITE_STATIC);
            sqlite3_bind_int(q, 2, static_cast<int>(cat));
            qint64 subid = -1;
            int subject = -1;
            forEachRow(db, q, [&] {
                const qint64 next = sqlite3_column_int64(q, 1);
                if (next != subid) {
                    subid = next;
                    subject = subjectOf.find(subid);
                }
                if (subject >= 0) {  // an entry whose subject is gone is not listed
                    rows.push_back({subject, sqlite3_column_int64(q, 0), rawText(q, 2)});
                }
            });
        }
        // In name order by counting the rows of each name, then by id within
        // a name (a few rows each).
        const size_t groups = subjects.empty() ? 0 : size_t(subjects.back().group) + 1;
        std::vector<size_t> start(groups + 1, 0);
        for (const Row& r : rows) {
            ++start[size_t(subjects[size_t(r.subject)].group) + 1];
        }
        for (size_t g = 0; g < groups; ++g) {
            start[g + 1] += start[g];
        }
        std::vector<size_t> order(rows.size());
        {
            std::vector<size_t> next(start.begin(), start.end() - 1);
            for (size_t i = 0; i < rows.size(); ++i) {
                order[next[size_t(subjects[size_t(rows[i].subject)].group)]++] = i;
            }
        }
        for (size_t g = 0; g < groups; ++g) {
            if (start[g + 1] - start[g] > 1) {
                std::sort(order.begin() + qsizetype(start[g]),
                          order.begin() + qsizetype(start[g + 1]),
                          [&](size_t a, size_t b) { return rows[a].id < rows[b].id; });
            }
        }
        std::vector<ListedEntry> out;
        out.reserve(rows.size());
        for (const size_t i : order) {
            Row& r = rows[i];
            Subject& s = subjects[size_t(r.subject)];
            if (s.shown.isNull()) {
                s.shown = QString::fromUtf8(names.data() + s.nameAt, s.nameBytes);
            }
            out.push_back({r.id, type, s.shown, std::move(r.title)});
        }
        return out;
    });
}

std::vector<ListedEntry> Store::search(const CustomSearch& s) const {
    return guarded(*db_, [&] {
        std::vector<ListedEntry> out;
        const bool inText =
            s.field != QLatin1String("Subject") && s.field != QLatin1String("Title");
        const char* column = s.field == QLatin1String("Subject") ? "s.name"
                             : s.field == QLatin1String("Title") ? "d.title"
                                                                 : "d.plaintext";
        // The text index picks the entries that may hold the phrase; the
        // match below decides each, so the rows are those of a full read.
        const QString candidates = inText && textIndexUsed_ ? textIndexQuery(s.phrase) : QString();
        std::string sql = "SELECT d.id, d.type, s.name, d.title FROM ";
        if (!candidates.isEmpty()) {
            sql += "data_text t JOIN data d ON d.id = t.rowid JOIN ";
        } else {
            sql += "data d JOIN ";
        }
        sql += std::string(subjectTable(s.category)) +
               " s ON s.id = d.subid WHERE d.catid = ?1 AND wflike(?2, " + column + ")";
        if (!candidates.isEmpty()) {
            sql += " AND data_text MATCH ?3";
        }
        sql += " ORDER BY d.type, d.title, d.id";
        SQLite::Statement q(*db_, sql);
        q.bind(1, static_cast<int>(s.category));
        q.bind(2, utf8(QStringLiteral("*") + s.phrase + QStringLiteral("*")));
        if (!candidates.isEmpty()) {
            q.bind(3, utf8(candidates));
        }
        while (q.executeStep()) {
            out.push_back({q.getColumn(0).getInt64(), text(q.getColumn(1)), text(q.getColumn(2)),
                           text(q.getColumn(3))});
        }
        return out;
    });
}

int Store::entryCount(Category cat, qint64 subid) const {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_, "SELECT count(*) FROM data WHERE catid = ? AND subid = ?");
        q.bind(1, static_cast<int>(cat));
        q.bind(2, static_cast<int64_t>(subid));
        q.executeStep();
        return q.getColumn(0).getInt();
    });
}

bool Store::hasAnySighting() const {
    return guarded(*db_, [&] {
        return db_->execAndGet("SELECT EXISTS (SELECT 1 FROM sighting)").getInt() != 0;
    });
}

bool Store::hasSightings(qint64 birdid) const {
    return guarded(*db_, [&] {
        SQLite::Statement q(*db_, "SELECT 1 FROM sighting WHERE birdid = ? LIMIT 1");
        q.bind(1, static_cast<int64_t>(birdid));
        return q.executeStep();
    });
}

// Life lists -----------------------------------------------------------------

int Store::lifeListCount(Area area, const QString& place) const {
    return guarded(*db_, [&] {
        if (!hasAnySighting()) {
            return 0;
        }
        // One hop per bird along a sighting index; two species rows of one
        // name count once.
        std::string sql =
            "SELECT count(DISTINCT b.name) FROM birds b WHERE EXISTS (SELECT 1 FROM "
            "sighting s WHERE s.birdid = b.id";
        if (area != Area::World) {
            sql += std::string(" AND s.") + areaColumn(area) + " = ?";
        }
        sql += ")";
        SQLite::Statement q(*db_, sql);
        if (area != Area::World) {
            q.bind(1, utf8(place));
        }
        q.executeStep();
        return q.getColumn(0).getInt();
    });
}

std::vector<LifeListRow> Store::lifeList(Area area, const QString& place) const {
    return guarded(*db_, [&] {
        std::vector<LifeListRow> out;
        std::string sql =
            "SELECT b.name, b.id FROM birds b WHERE EXISTS (SELECT 1 FROM sighting s "
            "WHERE s.birdid = b.id";
        if (area != Area::World) {
            sql += std::string(" AND s.") + areaColumn(area) + " = ?";
        }
        sql += ") ORDER BY b.name, b.id";
        SQLite::Statement q(*db_, sql);
        if (area != Area::World) {
            q.bind(1, utf8(place));
        }
        while (q.executeStep()) {
            out.push_back({q.getColumn(1).getInt64(), text(q.getColumn(0))});
        }
        return out;
    });
}

std::vector<int> Store::sightingYears() const {
    return guarded(*db_, [&] {
        std::vector<int> out;
        SQLite::Statement q(*db_,
                            "SELECT DISTINCT substr(date, 1, 4) FROM sighting WHERE date <> '' "
                            "ORDER BY 1 DESC");
        while (q.executeStep()) {
            bool ok = false;
            const int y = QString::fromStdString(q.getColumn(0).getString()).toInt(&ok);
            if (ok) {
                out.push_back(y);
            }
        }
        return out;
    });
}

std::vector<FirstSeen> Store::firstSeen(Area area, const QString& place) const {
    return guarded(*db_, [&] {
        // One hop per bird along the sighting index (birdid, date, id): the
        // first dated sighting, else the first entered.
        const std::string where = area == Area::World
                                      ? std::string()
                                      : std::string(" AND f.") + areaColumn(area) + " = ?1";
        const std::string sql =
            "SELECT b.id, b.name, s.id, s.date, s.site FROM birds b JOIN sighting s ON s.id = "
            "coalesce((SELECT f.id FROM sighting f WHERE f.birdid = b.id AND f.date <> ''" +
            where +
            " ORDER BY f.date, f.id LIMIT 1), (SELECT f.id FROM sighting f WHERE f.birdid = b.id" +
            where + " ORDER BY f.id LIMIT 1))";
        SQLite::Statement q(*db_, sql);
        if (area != Area::World) {
            q.bind(1, utf8(place));
        }
        std::vector<FirstSeen> out;
        while (q.executeStep()) {
            FirstSeen f;
            f.birdid = q.getColumn(0).getInt64();
            f.name = text(q.getColumn(1));
            f.sightingId = q.getColumn(2).getInt64();
            f.date = QDate::fromString(text(q.getColumn(3)).left(10), Qt::ISODate);
            f.site = text(q.getColumn(4));
            out.push_back(std::move(f));
        }
        std::sort(out.begin(), out.end(), seenBefore);
        return out;
    });
}

std::vector<LifeListRow> Store::speciesSeen(Area area, const QString& place, int year,
                                            int month) const {
    return guarded(*db_, [&] {
        // For each bird, does one of its sightings match? The index on
        // (birdid, date) answers that with one hop per bird.
        std::string sql =
            "SELECT b.id, b.name FROM birds b WHERE EXISTS (SELECT 1 FROM sighting s WHERE "
            "s.birdid = b.id";
        if (year > 0) {
            sql += " AND s.date >= ?2 AND s.date < ?3";
        }
        if (month > 0) {
            sql += " AND substr(s.date, 6, 2) = ?4";
        }
        if (area != Area::World) {
            sql += std::string(" AND s.") + areaColumn(area) + " = ?1";
        }
        sql += ") ORDER BY b.name, b.id";
        SQLite::Statement q(*db_, sql);
        if (area != Area::World) {
            q.bind(1, utf8(place));
        }
        if (year > 0) {
            q.bind(2, QString::number(year).rightJustified(4, u'0').toStdString());
            q.bind(3, QString::number(year + 1).rightJustified(4, u'0').toStdString());
        }
        if (month > 0) {
            q.bind(4, QString::number(month).rightJustified(2, u'0').toStdString());
        }
        std::vector<LifeListRow> out;
        while (q.executeStep()) {
            out.push_back({q.getColumn(0).getInt64(), text(q.getColumn(1))});
        }
        return out;
    });
}

std::vector<std::pair<qint64, Taxonomy>> Store::taxonomies() const {
    return guarded(*db_, [&] {
        std::vector<std::pair<qint64, Taxonomy>> out;
        SQLite::Statement q(*db_,
                            "SELECT birdid, scientific_name, taxon_order, bird_order, family, "
                            "family_english FROM taxonomy");
        while (q.executeStep()) {
            out.emplace_back(
                q.getColumn(0).getInt64(),
                Taxonomy{text(q.getColumn(1)), q.getColumn(2).getInt64(), text(q.getColumn(3)),
                         text(q.getColumn(4)), text(q.getColumn(5))});
        }
        return out;
    });
}

// Options --------------------------------------------------------------------

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
    static const char* const known[] = {"birds",           "topics",        "data",
                                        "sighting",        "options",       "taxonomy",
                                        "sighting_detail", "ebird_pending", "ebird_name_map"};
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

void Store::mergeSubjects(Category cat, qint64 from, qint64 into) {
    inTransaction([&] {
        guarded(*db_, [&] {
            SQLite::Statement entries(*db_,
                                      "UPDATE data SET subid = ? WHERE catid = ? AND subid = ?");
            entries.bind(1, static_cast<int64_t>(into));
            entries.bind(2, int(cat));
            entries.bind(3, static_cast<int64_t>(from));
            entries.exec();
            if (cat == Category::Birds) {
                SQLite::Statement sightings(*db_,
                                            "UPDATE sighting SET birdid = ? WHERE birdid = ?");
                sightings.bind(1, static_cast<int64_t>(into));
                sightings.bind(2, static_cast<int64_t>(from));
                sightings.exec();
                // The eBird names chosen for the one now go to the other.
                SQLite::Statement names(
                    *db_, "UPDATE OR REPLACE ebird_name_map SET birdid = ? WHERE birdid = ?");
                names.bind(1, static_cast<int64_t>(into));
                names.bind(2, static_cast<int64_t>(from));
                names.exec();
            }
        });
        deleteSubject(cat, from);
    });
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
