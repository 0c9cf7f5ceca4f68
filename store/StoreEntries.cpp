// SPDX-License-Identifier: GPL-3.0-or-later
// The entries filed under the subjects: articles, pictures and links; the entry lists and the
// custom search.
#include "Store.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

#include "AppError.h"
#include "RawStatement.h"
#include "Schema.h"
#include "TextIndex.h"
#include "Wildcard.h"

#include "StoreRows.h"

namespace wf {

using namespace store_rows;

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
        bindEntry(q, e, plain);
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
        bindEntry(q, e, plain);
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
        const auto searchIn = [&](Category cat) {
            std::string sql = "SELECT d.id, d.type, s.name, d.title FROM ";
            if (!candidates.isEmpty()) {
                sql += "data_text t JOIN data d ON d.id = t.rowid JOIN ";
            } else {
                sql += "data d JOIN ";
            }
            sql += std::string(subjectTable(cat)) +
                   " s ON s.id = d.subid WHERE d.catid = ?1 AND wflike(?2, " + column + ")";
            if (!candidates.isEmpty()) {
                sql += " AND data_text MATCH ?3";
            }
            sql += " ORDER BY d.type, d.title, d.id";
            SQLite::Statement q(*db_, sql);
            q.bind(1, static_cast<int>(cat));
            q.bind(2, utf8(QStringLiteral("*") + s.phrase + QStringLiteral("*")));
            if (!candidates.isEmpty()) {
                q.bind(3, utf8(candidates));
            }
            while (q.executeStep()) {
                out.push_back({q.getColumn(0).getInt64(), text(q.getColumn(1)),
                               text(q.getColumn(2)), text(q.getColumn(3))});
            }
        };
        searchIn(s.category);
        if (s.category == Category::Birds) {
            // What was written of an outing is found with the birds'.
            const size_t birds = out.size();
            searchIn(Category::Outings);
            if (out.size() > birds) {
                std::inplace_merge(out.begin(), out.begin() + qsizetype(birds), out.end(),
                                   [](const ListedEntry& a, const ListedEntry& b) {
                                       if (const int c = compareNoCase(a.type, b.type); c != 0) {
                                           return c < 0;
                                       }
                                       if (const int c = compareNoCase(a.title, b.title); c != 0) {
                                           return c < 0;
                                       }
                                       return a.id < b.id;
                                   });
            }
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

}  // namespace wf
