// SPDX-License-Identifier: GPL-3.0-or-later
#include "Csv.h"

namespace wf {

CsvTable parseCsv(const QString& text) {
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool inQuotes = false;
    bool fieldStarted = false;
    const qsizetype n = text.size();
    auto endField = [&] {
        record.push_back(field);
        field.clear();
        fieldStarted = false;
    };
    auto endRecord = [&] {
        endField();
        records.push_back(std::move(record));
        record = QStringList();
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
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
    if (fieldStarted || !field.isEmpty() || !record.isEmpty()) {
        endRecord();
    }
    CsvTable table;
    if (!records.empty()) {
        table.header = records.front();
        if (!table.header.isEmpty() && table.header.front().startsWith(QChar(0xFEFF))) {
            table.header.front().remove(0, 1);
        }
        table.rows.assign(std::make_move_iterator(records.begin() + 1),
                          std::make_move_iterator(records.end()));
    }
    return table;
}

}  // namespace wf
