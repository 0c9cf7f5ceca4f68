// SPDX-License-Identifier: GPL-3.0-or-later
#include "Csv.h"

namespace wf {

namespace {

std::vector<CsvRecord> readRecords(const QString& text, bool strict) {
    std::vector<CsvRecord> records;
    QStringList record;
    QString field;
    bool inQuotes = false;
    bool fieldStarted = false;
    int line = 1;
    int recordLine = 1;
    int quoteLine = 0;
    qsizetype i = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    const qsizetype n = text.size();
    auto endField = [&] {
        record.push_back(field);
        field.clear();
        fieldStarted = false;
    };
    auto endRecord = [&] {
        endField();
        records.push_back({std::move(record), recordLine});
        record = QStringList();
        recordLine = line;
    };
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\n') {
            ++line;
        }
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == u'"' && !fieldStarted && field.isEmpty()) {
            inQuotes = true;
            fieldStarted = true;
            quoteLine = line;
        } else if (c == u',') {
            endField();
        } else if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
            // CR LF: the LF ends the record.
        } else if (c == u'\n') {
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (inQuotes && strict) {
        throw CsvUnclosedQuote{quoteLine};
    }
    if (fieldStarted || !field.isEmpty() || !record.isEmpty()) {
        endRecord();
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

QString csvField(const QString& value) {
    bool quote = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    for (const QChar c : value) {
        if (c == u',' || c == u'"' || c == u'\n' || c == u'\r') {
            quote = true;
            break;
        }
    }
    if (!quote) {
        return value;
    }
    QString out = value;
    out.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

QString csvLine(const QStringList& fields) {
    QString out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += u',';
        }
        out += csvField(fields[i]);
    }
    out += QStringLiteral("\r\n");
    return out;
}

}  // namespace wf
