// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "BenchJournal.h"
#include "DataFolder.h"
#include "JetImporter.h"
#include "Resources.h"
#include "Store.h"

using namespace wf;

// A new journal: tables, the 11,131 species of the world list, options.
static void BM_CreateJournal(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir tmp;
        state.ResumeTiming();
        auto store = DataFolder(tmp.path()).openJournal(worldListPath());
        benchmark::DoNotOptimize(store);
    }
}
BENCHMARK(BM_CreateJournal)->Unit(benchmark::kMillisecond);

// Opening the large journal: checks, schema, options row.
static void BM_OpenLargeJournal(benchmark::State& state) {
    const DataFolder folder(bench::bigJournalDir());
    for (auto _ : state) {
        auto store = folder.openJournal(worldListPath());
        benchmark::DoNotOptimize(store->options());
    }
}
BENCHMARK(BM_OpenLargeJournal)->Unit(benchmark::kMillisecond);

// The five life-list counts of the status bar on the large journal.
static void BM_LifeListCounts(benchmark::State& state) {
    auto store = DataFolder(bench::bigJournalDir()).openJournal(worldListPath());
    const Options o = store->options();
    for (auto _ : state) {
        benchmark::DoNotOptimize(store->lifeListCount(Area::World));
        benchmark::DoNotOptimize(store->lifeListCount(Area::Region, o.region));
        benchmark::DoNotOptimize(store->lifeListCount(Area::Country, o.country));
        benchmark::DoNotOptimize(store->lifeListCount(Area::State, o.state));
        benchmark::DoNotOptimize(store->lifeListCount(Area::District, o.district));
    }
}
BENCHMARK(BM_LifeListCounts)->Unit(benchmark::kMillisecond);

// Each count on its own.
static void BM_LifeListCount(benchmark::State& state) {
    auto store = DataFolder(bench::bigJournalDir()).openJournal(worldListPath());
    const Options o = store->options();
    const Area area = Area(state.range(0));
    const QString places[] = {QString(), o.region, o.country, o.state, o.district};
    for (auto _ : state) {
        benchmark::DoNotOptimize(store->lifeListCount(area, places[state.range(0)]));
    }
}
BENCHMARK(BM_LifeListCount)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The queries behind the tree and the lists.
static void BM_SubjectTreeQuery(benchmark::State& state) {
    auto store = DataFolder(bench::bigJournalDir()).openJournal(worldListPath());
    for (auto _ : state) {
        benchmark::DoNotOptimize(store->subjectTree(Category::Birds));
    }
}
BENCHMARK(BM_SubjectTreeQuery)->Unit(benchmark::kMillisecond);

static void BM_EntryListQuery(benchmark::State& state) {
    auto store = DataFolder(bench::bigJournalDir()).openJournal(worldListPath());
    for (auto _ : state) {
        benchmark::DoNotOptimize(store->entryList(Category::Birds, kArticle));
    }
}
BENCHMARK(BM_EntryListQuery)->Unit(benchmark::kMillisecond);

// Importing the old-format (Jet) journal of the tests: 71 rows in five tables.
static void BM_ImportJetJournal(benchmark::State& state) {
    const QString fixture = QStringLiteral(WF_STORE_DATA "/legacy-aviary.mdb");
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir tmp;
        state.ResumeTiming();
        JetImporter::importJournal(fixture, tmp.filePath(QStringLiteral("aviary.mdb")));
    }
    state.counters["rows/s"] =
        benchmark::Counter(71.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportJetJournal)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
