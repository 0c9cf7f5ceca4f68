// SPDX-License-Identifier: GPL-3.0-or-later
#include "Csv.h"

namespace wf {

namespace {

std::vector<CsvRecord> readRecords(const QString& text, bool strict) {
    std::vector<CsvRecord> records;
    const QChar* const data = text.constData();
    const qsizetype n = text.size();
    qsizetype i = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    int line = 1;
    qsizetype width = 0;  // fields of the record before: room made at once
    // Each pass reads one record; a field without quotes is one slice of
    // the text, a quoted one is copied in runs between its doubled quotes.
    while (i < n) {
        CsvRecord record;
        record.line = line;
        record.fields.reserve(width);
        bool endOfRecord = false;
        while (!endOfRecord) {
            QString field;
            if (i < n && data[i] == u'"') {
                const int quoteLine = line;
                ++i;
                bool closed = false;
                while (i < n) {
                    qsizetype j = i;
                    while (j < n && data[j] != u'"') {
                        if (data[j] == u'\n') {
                            ++line;
                        }
                        ++j;
                    }
                    field.append(data + i, j - i);
                    if (j + 1 < n && data[j + 1] == u'"') {
                        field += u'"';
                        i = j + 2;
                        continue;
                    }
                    i = j + 1;
                    closed = j < n;
                    break;
                }
                if (!closed && strict) {
                    throw CsvUnclosedQuote{quoteLine};
                }
                // Anything after the closing quote up to the separator is
                // kept, as a forgiving reader does.
                qsizetype j = i;
                while (j < n && data[j] != u',' && data[j] != u'\n' &&
                       !(data[j] == u'\r' && j + 1 < n && data[j + 1] == u'\n')) {
                    ++j;
                }
                field.append(data + i, j - i);
                i = j;
            } else {
                qsizetype j = i;
                while (j < n && data[j] != u',' && data[j] != u'\n' &&
                       !(data[j] == u'\r' && j + 1 < n && data[j + 1] == u'\n')) {
                    ++j;
                }
                field = QString(data + i, j - i);
                i = j;
            }
            record.fields.push_back(std::move(field));
            if (i >= n) {
                endOfRecord = true;
            } else if (data[i] == u',') {
                ++i;
                if (i >= n) {
                    record.fields.push_back(QString());
                    endOfRecord = true;
                }
            } else {
                i += data[i] == u'\r' ? 2 : 1;  // CR LF or LF
                ++line;
                endOfRecord = true;
            }
        }
        width = record.fields.size();
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

std::vector<CsvRecord> readCsvRecords(const QString& text) {
    return readRecords(text, true);
}

CsvTable parseCsv(const QString& text) {
    std::vector<CsvRecord> records = readRecords(text, false);
    CsvTable table;
    if (!records.empty()) {
        table.header = std::move(records.front().fields);
        table.rows.reserve(records.size() - 1);
        for (auto it = records.begin() + 1; it != records.end(); ++it) {
            table.rows.push_back(std::move(it->fields));
        }
    }
    return table;
}

namespace {

bool needsQuotes(QStringView value) {
    if (value.isEmpty()) {
        return false;
    }
    if (value.front().isSpace() || value.back().isSpace()) {
        return true;
    }
    for (const QChar c : value) {
        if (c == u',' || c == u'"' || c == u'\n' || c == u'\r') {
            return true;
        }
    }
    return false;
}

void appendField(QString& out, const QString& value) {
    if (!needsQuotes(value)) {
        out += value;
        return;
    }
    out += u'"';
    for (const QChar c : value) {
        if (c == u'"') {
            out += u'"';
        }
        out += c;
    }
    out += u'"';
}

}  // namespace

void appendCsvLine(QString& out, const QStringList& fields) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += u',';
        }
        appendField(out, fields[i]);
    }
    out += QLatin1String("\r\n");
}

QString csvLine(const QStringList& fields) {
    QString out;
    appendCsvLine(out, fields);
    return out;
}

}  // namespace wf
