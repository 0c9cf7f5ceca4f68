// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

#include "JournalGen.h"

namespace wf::bench {

// The large journal of the benchmarks (the world list, 200,000 sightings,
// 20,000 entries), made once and kept in the temporary folder between runs.
inline QString bigJournalDir() {
    const QString dir = QDir::temp().filePath(QStringLiteral("wingfolio-bench-journal-v4"));
    if (!QFileInfo::exists(dir + QStringLiteral("/aviary.mdb"))) {
        QDir(dir).removeRecursively();
        generateJournalFolder(dir, JournalSize{});
    }
    return dir;
}

// The journal of a million sightings in some 40,000 outings and 100,000
// entries, made once (it takes a few minutes) and kept in the temporary
// folder between runs.
inline QString millionJournalDir() {
    const QString dir = QDir::temp().filePath(QStringLiteral("wingfolio-bench-journal-1m-v3"));
    if (!QFileInfo::exists(dir + QStringLiteral("/aviary.mdb"))) {
        QDir(dir).removeRecursively();
        JournalSize size;
        size.sightings = 1000000;
        size.entries = 100000;
        size.places = 1500;
        size.outingSize = 25;
        generateJournalFolder(dir, size);
    }
    return dir;
}

}  // namespace wf::bench
