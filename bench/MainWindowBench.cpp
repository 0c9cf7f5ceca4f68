// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "BenchJournal.h"
#include "BenchProgram.h"
#include "EbirdNames.h"
#include "IsoCodes.h"
#include "QtServices.h"
#include "Resources.h"
#include "Store.h"
#include "TreeNodes.h"
#include "frmMain.h"
#include "frmReviewNames.h"
#include "frmSight.h"
#include "frmText.h"

using namespace wf;

namespace {

using bench::Program;

// The program's main window on the large journal, made once.
Program& program() {
    static Program p(bench::bigJournalDir());
    return p;
}

// The bird whose number of sightings is closest to n.
qint64 birdWithSightings(Store& db, int n) {
    SQLite::Statement q(db.database(),
                        "SELECT birdid FROM sighting GROUP BY birdid ORDER BY abs(count(*) - ?) "
                        "LIMIT 1");
    q.bind(1, n);
    q.executeStep();
    return q.getColumn(0).getInt64();
}

}  // namespace

static void BM_BirdTreeNodes(benchmark::State& state) {
    Store& db = program().db();
    for (auto _ : state) {
        benchmark::DoNotOptimize(birdTree(db));
    }
}
BENCHMARK(BM_BirdTreeNodes)->Unit(benchmark::kMillisecond);

static void BM_SubjectTreeRows(benchmark::State& state) {
    Store& db = program().db();
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.subjectTree(Category::Birds));
    }
}
BENCHMARK(BM_SubjectTreeRows)->Unit(benchmark::kMillisecond);

static void BM_LoadTree(benchmark::State& state) {
    frmMain& w = *program().window;
    for (auto _ : state) {
        w.LoadTree();
    }
    state.counters["nodes"] = double(w.nodes().childKeys(QStringLiteral("Birds")).size());
}
BENCHMARK(BM_LoadTree)->Unit(benchmark::kMillisecond);

static void BM_LoadTopicTree(benchmark::State& state) {
    frmMain& w = *program().window;
    for (auto _ : state) {
        w.LoadTopicTree();
    }
}
BENCHMARK(BM_LoadTopicTree)->Unit(benchmark::kMillisecond);

static void BM_EntryList(benchmark::State& state) {
    static const QString types[] = {kArticle, kImage, kLink};
    Program& p = program();
    const QString type = types[state.range(0)];
    for (auto _ : state) {
        p.window->nodes().show(entryTypeList(p.db(), Category::Birds, type));
    }
    state.SetLabel(type.toStdString());
}
BENCHMARK(BM_EntryList)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

static void BM_LifeList(benchmark::State& state) {
    Program& p = program();
    const Area area = Area(state.range(0));
    const QString places[] = {QString(), p.state.ActiveRegion, p.state.ActiveCountry,
                              p.state.ActiveState, p.state.ActiveDistrict};
    for (auto _ : state) {
        p.window->nodes().show(lifeListNodes(p.db(), area, places[state.range(0)], "list"));
    }
}
BENCHMARK(BM_LifeList)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

static void BM_CountLifeLists(benchmark::State& state) {
    Program& p = program();
    for (auto _ : state) {
        benchmark::DoNotOptimize(p.db().lifeListCount(Area::World));
        benchmark::DoNotOptimize(p.db().lifeListCount(Area::Region, p.state.ActiveRegion));
        benchmark::DoNotOptimize(p.db().lifeListCount(Area::Country, p.state.ActiveCountry));
        benchmark::DoNotOptimize(p.db().lifeListCount(Area::State, p.state.ActiveState));
        benchmark::DoNotOptimize(p.db().lifeListCount(Area::District, p.state.ActiveDistrict));
    }
}
BENCHMARK(BM_CountLifeLists)->Unit(benchmark::kMillisecond);

static void BM_CustomSearch(benchmark::State& state) {
    static const char* fields[] = {"Subject", "Title", "Article"};
    Program& p = program();
    const CustomSearch search{QString::fromLatin1(fields[state.range(0)]), QStringLiteral("flock"),
                              Category::Birds};
    size_t found = 0;
    for (auto _ : state) {
        if (auto list = searchListNodes(p.db(), search)) {
            found = list->nodes.size();
            p.window->nodes().show(*list);
        }
    }
    state.SetLabel(fields[state.range(0)]);
    state.counters["found"] = double(found);
}
BENCHMARK(BM_CustomSearch)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

static void BM_ClickBirdWith500Sightings(benchmark::State& state) {
    Program& p = program();
    const qint64 bird = birdWithSightings(p.db(), 500);
    p.window->LoadTree();
    const QString key = QStringLiteral("S%1").arg(bird);
    for (auto _ : state) {
        p.window->clickNode(key);
    }
    state.counters["sightings"] = double(p.db().sightingsOf(bird).size());
}
BENCHMARK(BM_ClickBirdWith500Sightings)->Unit(benchmark::kMillisecond);

// The sightings grid of the bird seen most often on the million-sighting
// journal, from the click to the grid painted.
static void BM_SightingsGridOfTheBusiestBird1M(benchmark::State& state) {
    static Program p(bench::millionJournalDir());
    SQLite::Statement q(p.db().database(),
                        "SELECT birdid FROM sighting GROUP BY birdid ORDER BY count(*) DESC "
                        "LIMIT 1");
    q.executeStep();
    const qint64 bird = q.getColumn(0).getInt64();
    p.window->LoadTree();
    const QString key = QStringLiteral("S%1").arg(bird);
    for (auto _ : state) {
        p.window->clickNode(key);
        p.window->fg1()->repaint();
        state.PauseTiming();
        p.window->clickNode(QStringLiteral("Birds"));
        state.ResumeTiming();
    }
    state.counters["sightings"] = double(p.db().sightingsOf(bird).size());
}
BENCHMARK(BM_SightingsGridOfTheBusiestBird1M)->Unit(benchmark::kMillisecond);

// The same bird's sightings read from the journal, without the window.
static void BM_SightingsOfTheBusiestBird1M(benchmark::State& state) {
    const std::unique_ptr<Store> db = Store::open(bench::millionJournalDir() + "/aviary.mdb");
    SQLite::Statement q(db->database(),
                        "SELECT birdid FROM sighting GROUP BY birdid ORDER BY count(*) DESC "
                        "LIMIT 1");
    q.executeStep();
    const qint64 bird = q.getColumn(0).getInt64();
    for (auto _ : state) {
        benchmark::DoNotOptimize(db->sightingsOf(bird));
    }
}
BENCHMARK(BM_SightingsOfTheBusiestBird1M)->Unit(benchmark::kMillisecond);

// Opening the editors, whose pickers hold the whole world list.
static void BM_OpenSightingEditor(benchmark::State& state) {
    Program& p = program();
    for (auto _ : state) {
        frmSight editor(p.state, *p.window);
        benchmark::DoNotOptimize(&editor);
    }
}
BENCHMARK(BM_OpenSightingEditor)->Unit(benchmark::kMillisecond);

static void BM_OpenArticleEditor(benchmark::State& state) {
    Program& p = program();
    for (auto _ : state) {
        frmText editor(p.state, *p.window);
        benchmark::DoNotOptimize(&editor);
    }
}
BENCHMARK(BM_OpenArticleEditor)->Unit(benchmark::kMillisecond);

// Review eBird Names opened on 500 waiting pairs of names (target: under
// 200 ms to a shown dialog, the first pair's suggestions listed).
static void BM_ReviewDialogWith500Names(benchmark::State& state) {
    QTemporaryDir tmp;
    Program p(tmp.path());
    {
        EbirdNames names(p.db(), IsoCodes::system());
        p.db().inTransaction([&] {
            for (int i = 0; i < 500; ++i) {
                SightingDetail d;
                d.submissionId = QStringLiteral("S%1").arg(i);
                d.commonName = QStringLiteral("Old Warbler Name %1").arg(i);
                d.scientificName = QStringLiteral("Setophaga vetus%1").arg(i);
                d.stateCode = QStringLiteral("US-NY");
                d.date = QStringLiteral("2024-05-01");
                d.location = QStringLiteral("Central Park");
                names.keepWaiting(d, i + 2);
                names.keepWaiting(d, i + 2);
            }
        });
    }
    for (auto _ : state) {
        frmReviewNames review(p.state, p.window.get());
        review.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(review.isVisible());
    }
}
BENCHMARK(BM_ReviewDialogWith500Names)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    program().window.reset();
    benchmark::Shutdown();
    return 0;
}
