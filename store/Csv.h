// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace wf {

struct CsvTable {
    QStringList header;
    std::vector<QStringList> rows;
};

// One record and the line of the text it starts on (from 1).
struct CsvRecord {
    QStringList fields;
    int line = 0;
};

// A quoted field that the text never closes, opened on line.
struct CsvUnclosedQuote {
    int line = 0;
};

// Reads comma-separated text with RFC 4180 quoting ("" inside quotes, line
// breaks inside quoted fields). CR LF and LF both end a record; a final
// empty line adds no record; a byte-order mark at the start is dropped.
// Raises CsvUnclosedQuote when a quoted field runs to the end of the text.
std::vector<CsvRecord> readCsvRecords(const QString& text);

// The same, forgiving: an unclosed quote takes the rest of the text. The
// first record is the header.
CsvTable parseCsv(const QString& text);

// Fields joined by commas, ended by CR LF; a field is quoted as RFC 4180
// writes it when it holds a comma, a quote, a line break or leading or
// trailing space.
QString csvLine(const QStringList& fields);
// The same, appended to out.
void appendCsvLine(QString& out, const QStringList& fields);

}  // namespace wf
