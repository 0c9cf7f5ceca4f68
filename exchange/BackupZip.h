// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "Backups.h"

namespace wf {

class Store;

// A backup to carry away: one zip file holding the journal (aviary.mdb) and
// its pictures (Images/...), written with libzip in the zip module. The
// file appears under its name only when whole.
void writeBackupZip(Store& journal, const QString& imagesDir, const QString& target,
                    const BackupProgress& progress = {});

// Unpacks such a zip into folder (which must exist), which then holds a
// set: aviary.mdb and Images. Only those are taken; an entry with any other
// path is left out. Raises AppError when the zip cannot be read.
void unpackBackupZip(const QString& zip, const QString& folder);

// The module's entry points.
// bool (const QString& folder, const QStringList& names, const QString& target,
//       QString* error, int* errnum)
inline constexpr const char* kWriteZipEntry = "wingfolio_write_zip";
// bool (const QString& zip, const QString& folder, QString* error)
inline constexpr const char* kUnpackZipEntry = "wingfolio_unpack_backup_zip";

}  // namespace wf
