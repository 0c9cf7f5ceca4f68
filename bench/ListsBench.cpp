// SPDX-License-Identifier: GPL-3.0-or-later
// The year, month and first lists, taxonomic order, the subject page and
// the statistics window on the journal of a million sightings.
#include <benchmark/benchmark.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QScrollBar>

#include "AppError.h"
#include "AppState.h"
#include "BenchJournal.h"
#include "CountryMatcher.h"
#include "MapPainter.h"
#include "MapView.h"
#include "OutingPage.h"
#include "QtServices.h"
#include "Resources.h"
#include "Statistics.h"
#include "Store.h"
#include "SubjectPage.h"
#include "ThumbnailGrid.h"
#include "TreeNodes.h"
#include "TripReport.h"
#include "WorldShapes.h"
#include "frmStatistics.h"

using namespace wf;

namespace {

struct Journal {
    QtMessageBoxes messages;
    QtClipboard clipboard;
    QtDialogRunner dialogs;
    SystemClock clock;
    AppState state{Services{messages, clipboard, dialogs, clock},
                   DataFolder(bench::millionJournalDir())};
    int year = 0;
    qint64 busiest = 0;  // the bird with the most sightings

    Journal() {
        state.AppDatabase = state.folder.openJournal(worldListPath());
        year = state.db().sightingYears().front();
        busiest = state.db()
                      .database()
                      .execAndGet(
                          "SELECT birdid FROM sighting GROUP BY birdid "
                          "ORDER BY count(*) DESC LIMIT 1")
                      .getInt64();
    }
    Store& db() { return state.db(); }
};

Journal& journal() {
    static Journal j;
    return j;
}

}  // namespace

// Target for each list: under 50 ms.
static void BM_YearList1M(benchmark::State& state) {
    Journal& j = journal();
    for (auto _ : state) {
        benchmark::DoNotOptimize(yearListNodes(j.db(), Area::World, {}, j.year, "Year List"));
    }
}
BENCHMARK(BM_YearList1M)->Unit(benchmark::kMillisecond);

static void BM_MonthList1M(benchmark::State& state) {
    Journal& j = journal();
    for (auto _ : state) {
        benchmark::DoNotOptimize(monthListNodes(j.db(), Area::World, {}, 5, "May Month List"));
    }
}
BENCHMARK(BM_MonthList1M)->Unit(benchmark::kMillisecond);

static void BM_FirstSightings1M(benchmark::State& state) {
    Journal& j = journal();
    for (auto _ : state) {
        benchmark::DoNotOptimize(firstSightingNodes(j.db(), Area::World, {}, "First Sightings"));
    }
}
BENCHMARK(BM_FirstSightings1M)->Unit(benchmark::kMillisecond);

static void BM_AreaYearList1M(benchmark::State& state) {
    Journal& j = journal();
    const Options o = j.db().options();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            yearListNodes(j.db(), Area::Country, o.country, j.year, "Year List"));
    }
}
BENCHMARK(BM_AreaYearList1M)->Unit(benchmark::kMillisecond);

static void BM_TaxonomicLifeList1M(benchmark::State& state) {
    Journal& j = journal();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            taxonomicOrder(j.db(), lifeListNodes(j.db(), Area::World, {}, "Sightings"), true));
    }
}
BENCHMARK(BM_TaxonomicLifeList1M)->Unit(benchmark::kMillisecond);

// Target: under 30 ms, for the bird with the most sightings.
static void BM_SubjectPage1M(benchmark::State& state) {
    Journal& j = journal();
    for (auto _ : state) {
        const auto page = subjectPage(j.db(), Category::Birds, j.busiest);
        benchmark::DoNotOptimize(subjectPageHtml(*page));
    }
}
BENCHMARK(BM_SubjectPage1M)->Unit(benchmark::kMillisecond);

// Of which reading the figures.
static void BM_Statistics1M(benchmark::State& state) {
    Journal& j = journal();
    for (auto _ : state) {
        benchmark::DoNotOptimize(journalStatistics(j.db(), Area::World, {}).species);
    }
}
BENCHMARK(BM_Statistics1M)->Unit(benchmark::kMillisecond);

// The map's shading: species and sightings by country.
static void BM_CountryCounts1M(benchmark::State& state) {
    Journal& j = journal();
    for (auto _ : state) {
        benchmark::DoNotOptimize(countryCounts(j.db(), Area::World, {}));
    }
}
BENCHMARK(BM_CountryCounts1M)->Unit(benchmark::kMillisecond);

// Target: the shapes decoded once in under 50 ms (the finer and the coarser).
static void BM_DecodeShapes(benchmark::State& state) {
    for (auto _ : state) {
        for (const char* name :
             {":/wingfolio/maps/countries-50m.json", ":/wingfolio/maps/countries-110m.json"}) {
            QFile file(QString::fromLatin1(name));
            file.open(QIODevice::ReadOnly);
            benchmark::DoNotOptimize(
                maps::decodeTopoJson(file.readAll(), QStringLiteral("countries")));
        }
    }
}
BENCHMARK(BM_DecodeShapes)->Unit(benchmark::kMillisecond);

// Target: the map tab drawn in under 100 ms, shading and dots: the
// figures read, the names matched, the map painted at 900 by 500.
static void BM_MapTab1M(benchmark::State& state) {
    Journal& j = journal();
    const maps::WorldShapes& world = maps::WorldShapes::detailed();
    QImage image(900, 500, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const maps::CountryMatcher matcher(world.countries());
        MapView view;
        view.resize(image.size());
        view.setCountries(countryCounts(j.db(), Area::World, {}), matcher);
        view.setDots(placeDots(j.db(), Area::World, {}));
        for (const bool asDots : {false, true}) {
            view.setShowDots(asDots);
            QPainter p(&image);
            view.render(p, QRectF(QPointF(0, 0), QSizeF(image.size())));
        }
    }
}
BENCHMARK(BM_MapTab1M)->Unit(benchmark::kMillisecond);

// Of which the places with coordinates.
static void BM_PlaceDots1M(benchmark::State& state) {
    Journal& j = journal();
    for (auto _ : state) {
        benchmark::DoNotOptimize(placeDots(j.db(), Area::World, {}));
    }
}
BENCHMARK(BM_PlaceDots1M)->Unit(benchmark::kMillisecond);

// Of which painting the shaded map.
static void BM_PaintMap(benchmark::State& state) {
    const maps::WorldShapes& world = maps::WorldShapes::detailed();
    QImage image(900, 500, QImage::Format_ARGB32_Premultiplied);
    maps::MapScene scene;
    for (const maps::Country& c : world.countries()) {
        scene.values.insert(c.key(), int(c.name.size()));
    }
    const QRectF target(QPointF(0, 0), QSizeF(image.size()));
    for (auto _ : state) {
        QPainter p(&image);
        maps::paintMap(p, world, scene,
                       maps::mapTransform(world.bounds(), target, 1, world.bounds().center()),
                       target);
    }
}
BENCHMARK(BM_PaintMap)->Unit(benchmark::kMillisecond);

// Target: a subject page's map in under 20 ms, for the bird with the most
// sightings.
static void BM_SubjectPageMap1M(benchmark::State& state) {
    Journal& j = journal();
    for (auto _ : state) {
        benchmark::DoNotOptimize(placesMap(placeDots(j.db(), Area::World, {}, j.busiest)));
    }
}
BENCHMARK(BM_SubjectPageMap1M)->Unit(benchmark::kMillisecond);

static void BM_SightingScan1M(benchmark::State& state) {
    Journal& j = journal();
    for (auto _ : state) {
        SQLite::Statement q(j.db().database(), "SELECT birdid, date, site FROM sighting");
        qint64 n = 0;
        while (q.executeStep()) {
            n += q.getColumn(2).getBytes();
        }
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_SightingScan1M)->Unit(benchmark::kMillisecond);

// Target: under 300 ms, the window with its four charts.
static void BM_StatisticsWindow1M(benchmark::State& state) {
    Journal& j = journal();
    for (auto _ : state) {
        frmStatistics window(j.state);
        benchmark::DoNotOptimize(window.statistics().species);
    }
}
BENCHMARK(BM_StatisticsWindow1M)->Unit(benchmark::kMillisecond);

// Outings: the list under 50 ms, an outing's page under 30 ms, a trip
// report of some 500 sightings written as PDF under 1 s.
static void BM_OutingsList1M(benchmark::State& state) {
    Journal& j = journal();
    for (auto _ : state) {
        benchmark::DoNotOptimize(outingListNodes(j.db()).nodes.size());
    }
}
BENCHMARK(BM_OutingsList1M)->Unit(benchmark::kMillisecond);

// An outing of the busiest bird, with an entry filed under it when one has.
static qint64 benchOuting(Store& db) {
    return db.database()
        .execAndGet(
            "SELECT t.outingid FROM sighting_outing t JOIN sighting s ON s.id = t.sightingid "
            "WHERE s.birdid = (SELECT birdid FROM sighting GROUP BY birdid ORDER BY count(*) "
            "DESC LIMIT 1) ORDER BY (SELECT count(*) FROM data WHERE catid = 3 AND subid = "
            "t.outingid) DESC, t.outingid LIMIT 1")
        .getInt64();
}

static void BM_OutingPage1M(benchmark::State& state) {
    Journal& j = journal();
    const qint64 id = benchOuting(j.db());
    for (auto _ : state) {
        const std::optional<OutingPageData> page = outingPage(j.db(), id);
        benchmark::DoNotOptimize(outingPageHtml(*page).size());
    }
    state.counters["species"] = double(outingPage(j.db(), id)->species.size());
}
BENCHMARK(BM_OutingPage1M)->Unit(benchmark::kMillisecond);

static void BM_TripReportPdf1M(benchmark::State& state) {
    Journal& j = journal();
    // Outings from a day on, until some 500 sightings are in them.
    std::vector<qint64> outings;
    int sightings = 0;
    SQLite::Statement q(j.db().database(),
                        "SELECT id FROM outing WHERE date >= '2012-01-01' ORDER BY date, id");
    while (sightings < 500 && q.executeStep()) {
        outings.push_back(q.getColumn(0).getInt64());
        sightings += j.db().outingSightingCount(outings.back());
    }
    const QString pdf = QDir::temp().filePath(QStringLiteral("wingfolio-bench-trip.pdf"));
    for (auto _ : state) {
        const TripReport report(j.db(), j.state.folder, outings);
        report.writePdf(pdf);
    }
    state.counters["outings"] = double(outings.size());
    state.counters["sightings"] = sightings;
    QFile::remove(pdf);
}
BENCHMARK(BM_TripReportPdf1M)->Unit(benchmark::kMillisecond);

// The thumbnail grid of 5,000 pictures, their thumbnails in the cache:
// every frame of a scroll a page at a time under 16 ms.
static void BM_ThumbnailScroll5000(benchmark::State& state) {
    const DataFolder folder(bench::bigJournalDir());
    std::vector<ThumbnailModel::Item> items;
    try {
        auto store = folder.openJournal(worldListPath());
        for (const Category cat : {Category::Birds, Category::Topics}) {
            for (const Entry& e : store->picturesOf(cat)) {
                if (items.size() < 5000) {
                    items.push_back(
                        {e.id, e.title, folder.picturePath(e.fname).value_or(QString())});
                }
            }
        }
    } catch (const AppError& e) {
        state.SkipWithError(e.description().toStdString().c_str());
        return;
    }
    // The cache filled first, as a second showing finds it.
    const ThumbnailCache cache(ThumbnailCache::defaultFolder());
    for (const ThumbnailModel::Item& item : items) {
        cache.thumbnail(item.path);
    }
    ThumbnailGrid grid;
    grid.resize(900, 600);
    grid.show();
    grid.thumbnails()->setItems(items);
    QCoreApplication::processEvents();
    QScrollBar* bar = grid.verticalScrollBar();
    double slowest = 0;
    for (auto _ : state) {
        QElapsedTimer frame;
        frame.start();
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        grid.viewport()->repaint();
        QCoreApplication::processEvents();
        const double ms = double(frame.nsecsElapsed()) / 1e6;
        slowest = std::max(slowest, ms);
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["pictures"] = double(items.size());
    state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_ThumbnailScroll5000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
