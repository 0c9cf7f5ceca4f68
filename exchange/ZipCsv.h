// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace wf {

// What reading the CSV file in a zip archive came to: the first entry whose
// name ends in .csv. The reading is done with libzip in a module of its own
// (exchange/zip), opened the first time a zip archive is imported.
struct ZipCsv {
    enum Result {
        Read,         // bytes holds the file, name its name
        CannotOpen,   // not a zip archive, or damaged or incomplete
        CannotStat,   // name cannot be read (or is too large)
        Damaged,      // name is damaged
        NoCsv,        // the archive holds no CSV file
        Encrypted,    // name is encrypted (a password is needed)
        Unsupported,  // name is packed with a method the reader lacks
    };
    Result result = CannotOpen;
    QString name;
    QByteArray bytes;
};

// The function the module exports: void (const QString& path, ZipCsv* out).
inline constexpr const char* kZipCsvEntry = "wingfolio_read_zip_csv";

}  // namespace wf
