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

// Reads comma-separated text with RFC 4180 quoting ("" inside quotes, line
// breaks inside quoted fields). The first record is the header. CR LF and LF
// both end a record; a final empty line adds no row.
CsvTable parseCsv(const QString& text);

}  // namespace wf
