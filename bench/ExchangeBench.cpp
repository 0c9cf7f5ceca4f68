// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <memory>

#include "BenchJournal.h"
#include "Csv.h"
#include "DataFolder.h"
#include "EbirdImport.h"
#include "EbirdNames.h"
#include "Export.h"
#include "IsoCodes.h"
#include "Resources.h"
#include "Store.h"

using namespace wf;

namespace {

// "My eBird Data" with 100,000 records: 10,000 checklists of ten species
// of the world list each, in twelve places, with quoted comments. With
// renamed, one record in twenty carries one of 500 English names that are
// not the world list's (an older taxonomy's), and waits for review.
QString myEbirdData(const QString& dir, bool renamed = false) {
    const QString path = dir + (renamed ? QStringLiteral("/MyEBirdData-100k-renamed.csv")
                                        : QStringLiteral("/MyEBirdData-100k.csv"));
    if (QFile::exists(path)) {
        return path;
    }
    QFile world(worldListPath());
    world.open(QIODevice::ReadOnly);
    const CsvTable species = parseCsv(QString::fromUtf8(world.readAll()));
    const char* const places[][3] = {
        {"US-NC", "Wake", "Lake Johnson"},       {"US-NY", "New York", "Central Park"},
        {"GB-ENG", "Norfolk", "Cley Marshes"},   {"JP-13", "台東区", "上野公園"},
        {"AU-NSW", "Sydney", "Centennial Park"}, {"PE-CUS", "Cusco", "Machu Picchu"},
        {"ZA-WC", "Cape Town", "Kirstenbosch"},  {"DE-BY", "München", "Englischer Garten"},
        {"IN-RJ", "Bharatpur", "Keoladeo"},      {"BR-AM", "Manaus", "MUSA, tower"},
        {"CA-ON", "Essex", "Point Pelee"},       {"ES-AN", "Huelva", "Doñana"}};
    QRandomGenerator rng(20261206);
    QString text = QStringLiteral(
        "Submission ID,Common Name,Scientific Name,Taxonomic Order,Count,State/Province,County,"
        "Location ID,Location,Latitude,Longitude,Date,Time,Protocol,Duration (Min),"
        "All Obs Reported,Distance Traveled (km),Area Covered (ha),Number of Observers,"
        "Breeding Code,Observation Details,Checklist Comments,ML Catalog Numbers\r\n");
    for (int c = 0; c < 10000; ++c) {
        const auto& place = places[c % 12];
        const QDate date = QDate(2005, 1, 1).addDays(rng.bounded(7300));
        for (int i = 0; i < 10; ++i) {
            const int pick = rng.bounded(int(species.rows.size()));
            const QStringList& s = species.rows[size_t(pick)];
            const bool old = renamed && rng.bounded(20) == 0;
            text += csvLine({QStringLiteral("S%1").arg(c),
                             old ? QStringLiteral("Old Name %1").arg(pick % 500) : s[1],
                             s[2],
                             s[0],
                             QString::number(1 + rng.bounded(30)),
                             QString::fromUtf8(place[0]),
                             QString::fromUtf8(place[1]),
                             QStringLiteral("L%1").arg(c % 12),
                             QString::fromUtf8(place[2]),
                             QStringLiteral("35.76"),
                             QStringLiteral("-78.71"),
                             date.toString(Qt::ISODate),
                             QStringLiteral("07:15 AM"),
                             QStringLiteral("eBird - Traveling Count"),
                             QStringLiteral("90"),
                             QStringLiteral("1"),
                             QStringLiteral("2.5"),
                             QString(),
                             QStringLiteral("2"),
                             QString(),
                             i == 0 ? QStringLiteral("pair, \"courting\"") : QString(),
                             QStringLiteral("Windy"),
                             QString()});
        }
    }
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(text.toUtf8());
    return path;
}

// Files the records of file into a new journal, each iteration; with
// review, the review's list of the names waiting is read at the end.
void importInto(benchmark::State& state, const QString& file, bool review) {
    for (auto _ : state) {
        state.PauseTiming();
        auto tmp = std::make_unique<QTemporaryDir>();
        auto store = DataFolder(tmp->path()).openJournal(worldListPath());
        state.ResumeTiming();
        {
            EbirdImport import(file, IsoCodes::system());
            const EbirdImportResult r = import.run(*store);
            state.counters["added"] = r.added;
            if (review) {
                const auto waiting = EbirdNames(*store, IsoCodes::system()).waiting();
                state.counters["waiting"] = r.waiting;
                state.counters["names"] = double(waiting.size());
            }
        }
        state.PauseTiming();
        store.reset();
        tmp.reset();
        state.ResumeTiming();
    }
}

}  // namespace

// Reading, checking and filing 100,000 records (target: under 3 s).
static void BM_ImportEbird100k(benchmark::State& state) {
    QTemporaryDir data;
    importInto(state, myEbirdData(data.path()), false);
}
BENCHMARK(BM_ImportEbird100k)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same with one record in twenty under names that match no bird, and
// the review's list of them read at the end (target: under 2 s).
static void BM_ImportEbird100kWithReview(benchmark::State& state) {
    QTemporaryDir data;
    importInto(state, myEbirdData(data.path(), true), true);
}
BENCHMARK(BM_ImportEbird100kWithReview)->Unit(benchmark::kMillisecond)->Iterations(3);

// Of which reading and checking the file.
static void BM_ReadEbird100k(benchmark::State& state) {
    QTemporaryDir data;
    const QString file = myEbirdData(data.path());
    for (auto _ : state) {
        EbirdImport import(file, IsoCodes::system());
        benchmark::DoNotOptimize(import.rowCount());
    }
}
BENCHMARK(BM_ReadEbird100k)->Unit(benchmark::kMillisecond);

// Writing the 200,000 sightings of the large journal (target: under 1 s).
static void BM_ExportEbird200k(benchmark::State& state) {
    auto store = DataFolder(bench::bigJournalDir()).openJournal(worldListPath());
    QTemporaryDir tmp;
    const Exporter exporter(*store, IsoCodes::system());
    for (auto _ : state) {
        state.counters["rows"] =
            exporter.writeEbirdUpload(tmp.filePath(QStringLiteral("upload.csv")), {}, {}, true)
                .rows;
    }
}
BENCHMARK(BM_ExportEbird200k)->Unit(benchmark::kMillisecond);

static void BM_ExportSightings200k(benchmark::State& state) {
    auto store = DataFolder(bench::bigJournalDir()).openJournal(worldListPath());
    QTemporaryDir tmp;
    const Exporter exporter(*store, IsoCodes::system());
    for (auto _ : state) {
        state.counters["rows"] =
            exporter.writeSightingsCsv(tmp.filePath(QStringLiteral("sightings.csv")));
    }
}
BENCHMARK(BM_ExportSightings200k)->Unit(benchmark::kMillisecond);

static void BM_ExportLifeLists200k(benchmark::State& state) {
    auto store = DataFolder(bench::bigJournalDir()).openJournal(worldListPath());
    QTemporaryDir tmp;
    const Exporter exporter(*store, IsoCodes::system());
    const Options areas = store->options();
    for (auto _ : state) {
        state.counters["rows"] =
            exporter.writeLifeListsCsv(tmp.filePath(QStringLiteral("lists.csv")), areas);
    }
}
BENCHMARK(BM_ExportLifeLists200k)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
