#pragma once

#include <QString>
#include <cstdint>

namespace wf {

class Store;

struct JournalSize {
    int sightings = 200000;
    int entries = 20000;
    int topics = 200;
    int places = 300;
    std::uint64_t seed = 1;
};

// Fills a journal that holds the world list with sightings, entries (articles
// with realistic RTF, pictures and links) and topics, all decided by the seed.
// The same size and seed give the same journal.
void generateJournal(Store& store, const JournalSize& size);

// Makes a new journal with the world list in dataDir and fills it.
void generateJournalFolder(const QString& dataDir, const JournalSize& size);

}  // namespace wf
