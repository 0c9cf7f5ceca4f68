// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

namespace wf {

// Reads a journal kept in the older Microsoft Jet (Access) format, Jet 3 or
// Jet 4, into a new journal of this program: every row of the five tables
// with its original id, text as UTF-8, memos whole, dates with their time of
// day, NULL text as "". The Jet file is only ever read.
struct JetImportHooks {
    // Told the rows read so far of each table, as the import goes on.
    std::function<void(const QString& table, qint64 rows)> progress;
    // For tests: raise an error once this many rows in all are written.
    qint64 failAfterRows = -1;
};

class JetImporter {
  public:
    using Hooks = JetImportHooks;

    // Whether the file's header says it is a Jet database.
    static bool isJetFile(const QString& path);

    // Imports jetPath into a new journal at targetPath, which must not exist.
    // The journal is built under a temporary name beside the target in one
    // transaction and renamed into place when complete; on any failure
    // (AppError with the file named) no file is left behind.
    static void importJournal(const QString& jetPath, const QString& targetPath,
                              const Hooks& hooks = JetImportHooks());
};

}  // namespace wf
