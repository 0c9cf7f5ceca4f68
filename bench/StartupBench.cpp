// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include "BenchJournal.h"

// The program's own time from start to the main window shown, with the
// splash window's 2500 ms left out (--splash-ms 0), on a new journal and on
// the large one.
static void runProgram(benchmark::State& state, const QString& dataDir) {
    for (auto _ : state) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!env.contains(QStringLiteral("QT_QPA_PLATFORM"))) {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        }
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(QStringLiteral(WINGFOLIO_EXE),
                {QStringLiteral("--data-dir"), dataDir, QStringLiteral("--splash-ms"),
                 QStringLiteral("0"), QStringLiteral("--quit-when-shown")});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
}

static void BM_StartToMainWindow_LargeJournal(benchmark::State& state) {
    runProgram(state, wf::bench::bigJournalDir());
}
BENCHMARK(BM_StartToMainWindow_LargeJournal)->UseManualTime()->Unit(benchmark::kMillisecond);

static void BM_StartToMainWindow_ExistingWorldListJournal(benchmark::State& state) {
    QTemporaryDir tmp;
    {
        QProcess p;  // the first start makes the journal
        p.start(QStringLiteral(WINGFOLIO_EXE),
                {QStringLiteral("--data-dir"), tmp.path(), QStringLiteral("--splash-ms"),
                 QStringLiteral("0"), QStringLiteral("--quit-when-shown")});
        p.waitForFinished(60000);
    }
    runProgram(state, tmp.path());
}
BENCHMARK(BM_StartToMainWindow_ExistingWorldListJournal)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
