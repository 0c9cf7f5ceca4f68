// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace wf {

class Store;

struct JournalSize {
    int sightings = 200000;
    int entries = 20000;
    int topics = 200;
    int places = 300;
    std::uint64_t seed = 1;
    // When above 0: the sightings come in outings of about this many (a day
    // at one place each), and one entry in ten is filed under an outing.
    int outingSize = 0;
};

// What a generation made.
struct JournalSummary {
    qint64 birds = 0;
    int topics = 0;
    int sightings = 0;
    int articles = 0;
    int pictures = 0;
    int links = 0;
    int pictureFiles = 0;  // JPEG files written into Images
    int outings = 0;
    // The file name (in Images) of every picture entry, and which of the
    // sample pictures it shows.
    std::vector<std::pair<QString, int>> pictureNames;

    QString describe() const;
};

// Fills a journal that holds the world list with sightings, entries (articles
// with realistic RTF, pictures and links) and topics, all decided by the seed.
// The same size and seed give the same journal.
JournalSummary generateJournal(Store& store, const JournalSize& size);

// Makes a new journal with the world list in dataDir and fills it, with a
// real JPEG file in Images for every picture entry: a few sample pictures of
// distinct sizes and colours (some larger than the viewer) written by the
// program's own JPEG writer, each file a hard link to one of them.
JournalSummary generateJournalFolder(const QString& dataDir, const JournalSize& size);

// The sample pictures' sizes.
extern const QSize kSamplePictureSizes[6];

}  // namespace wf
