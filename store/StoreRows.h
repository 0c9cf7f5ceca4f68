// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the store's files share: reading and binding rows, dates as the
// journal keeps them, and turning the engine's failures into AppError. Not
// for use outside the store.

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDate>
#include <QString>
#include <QTime>
#include <string>

#include "AppError.h"
#include "DiskProblem.h"
#include "RichText.h"
#include "Types.h"

namespace wf::store_rows {

inline const QString kSource = QStringLiteral("wingfolio.Store");

inline std::string utf8(const QString& s) {
    return s.toStdString();
}

inline QString text(const SQLite::Column& c) {
    // getText() reads a NULL as "", so no null ever reaches the program.
    return QString::fromUtf8(c.getText(), c.getBytes());
}

// What the custom search looks in for an article: its words, not its markup.
inline QString searchText(const Entry& e) {
    return e.type == kArticle ? rtf::plainText(e.caption) : QString();
}

// The outings as subjects: an id and a name made of the date, the site and
// the start time, with the id added where those leave two alike.
constexpr const char* kOutingSubjects =
    "(SELECT o.id AS id, o.date || CASE WHEN o.site <> '' THEN ' ' || o.site ELSE '' END || "
    "CASE WHEN o.start_time <> '' THEN ' ' || o.start_time ELSE '' END || CASE WHEN EXISTS "
    "(SELECT 1 FROM outing p WHERE p.date = o.date AND p.site = o.site AND p.start_time = "
    "o.start_time AND p.id <> o.id) THEN ' (' || o.id || ')' ELSE '' END AS name FROM outing o)";

// The table, or for outings the query, whose rows are a category's subjects
// with their ids and names.
inline const char* subjectTable(Category cat) {
    switch (cat) {
        case Category::Birds:
            return "birds";
        case Category::Outings:
            return kOutingSubjects;
        case Category::Topics:
            break;
    }
    return "topics";
}

// Outings are made by the sightings' commands, not named like subjects.
inline void refuseOutingSubject(Category cat) {
    if (cat == Category::Outings) {
        throw AppError(err::InvalidArgument, kSource,
                       QStringLiteral("Outings are made and removed from their own commands, "
                                      "not as subjects."));
    }
}

// Runs a store operation and turns the engine's failures into AppError.
template <typename F>
inline auto guarded(const SQLite::Database& db, F&& f) -> decltype(f()) {
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

inline QString dateText(const QDate& d, const QTime& t) {
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

inline void parseDate(const QString& s, QDate& d, QTime& t) {
    d = QDate::fromString(s.left(10), Qt::ISODate);
    t = s.size() > 10 ? QTime::fromString(s.mid(11, 8), QStringLiteral("HH:mm:ss")) : QTime();
}

// The date of a stored date text, read without building a string; null
// when there is none.
inline QDate storedDate(const SQLite::Column& c) {
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

inline Entry readEntry(SQLite::Statement& q) {
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

// A first sighting from the columns birdid, name, sighting id, date, site.
inline FirstSeen readFirstSeen(SQLite::Statement& q) {
    FirstSeen f;
    f.birdid = q.getColumn(0).getInt64();
    f.name = text(q.getColumn(1));
    f.sightingId = q.getColumn(2).getInt64();
    f.date = QDate::fromString(text(q.getColumn(3)).left(10), Qt::ISODate);
    f.site = text(q.getColumn(4));
    return f;
}

inline Sighting readSighting(SQLite::Statement& q) {
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
    if (q.getColumnCount() > 12) {
        s.latitude = text(q.getColumn(11));
        s.longitude = text(q.getColumn(12));
    }
    return s;
}

// Binds an entry's columns after its id (catid to fname) and the text the
// search reads to parameters 1 to 7.
inline void bindEntry(SQLite::Statement& q, const Entry& e, const QString& plain) {
    q.bind(1, e.catid);
    q.bind(2, static_cast<int64_t>(e.subid));
    q.bind(3, utf8(e.type));
    q.bind(4, utf8(e.title));
    q.bind(5, utf8(e.caption));
    q.bind(6, utf8(e.fname));
    q.bind(7, utf8(plain));
}

// Binds a sighting's columns after its id, in kSightingSelect's order, to
// parameters 1 to 9.
inline void bindSighting(SQLite::Statement& q, const Sighting& s) {
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

// A sighting's columns with the count and place kept beside it, for
// readSighting.
constexpr const char* kSightingSelect =
    "SELECT s.id, s.birdid, s.date, s.type, s.site, s.district, s.state, s.country, s.region, "
    "s.notes, d.count, d.latitude, d.longitude FROM sighting s LEFT JOIN sighting_detail d ON "
    "d.sightingid = s.id ";
// The source of the sightings the sighting editor writes a detail for.
constexpr const char* kTypedSource = "Wingfolio";

inline QString hoursMinutes(QTime t) {
    return t.isValid() ? t.toString(QStringLiteral("HH:mm")) : QString();
}

}  // namespace wf::store_rows
