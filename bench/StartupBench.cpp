// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "BenchJournal.h"

// The program's own time from start to the main window shown, with the
// splash window's 2500 ms left out (--splash-ms 0), on a new journal and on
// the large one; and its resident memory once idle. Each beside the least
// Qt Widgets program with a like window, built the same way.

namespace {

QProcessEnvironment environment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM"))) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    return env;
}

// Milliseconds from start to end of one run, or a negative number.
double runOnce(const QString& exe, const QStringList& arguments, QByteArray* output = nullptr) {
    QProcess p;
    p.setProcessEnvironment(environment());
    QElapsedTimer t;
    t.start();
    p.start(exe, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        return -1;
    }
    const double ms = double(t.nsecsElapsed()) / 1e6;
    if (output) {
        *output = p.readAllStandardOutput();
    }
    return ms;
}

QStringList programArguments(const QString& dataDir, const char* last) {
    return {QStringLiteral("--data-dir"), dataDir, QStringLiteral("--splash-ms"),
            QStringLiteral("0"), QString::fromLatin1(last)};
}

// The minimal program's best start-to-shown time over a few runs.
double minimalStartMs() {
    static const double ms = [] {
        double best = 1e300;
        for (int i = 0; i < 5; ++i) {
            const double t = runOnce(QStringLiteral(MINIMAL_QT_EXE), {});
            if (t >= 0) {
                best = std::min(best, t);
            }
        }
        return best;
    }();
    return ms;
}

// KiB of resident memory a program reports when idle.
double idleKib(const QString& exe, const QStringList& arguments) {
    QByteArray out;
    if (runOnce(exe, arguments, &out) < 0) {
        return -1;
    }
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("VmRSS:\\s*(\\d+)")).match(QString::fromLatin1(out));
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

void runProgram(benchmark::State& state, const QString& dataDir) {
    const double minimal = minimalStartMs();
    double total = 0;
    int n = 0;
    for (auto _ : state) {
        const double ms =
            runOnce(QStringLiteral(WINGFOLIO_EXE), programArguments(dataDir, "--quit-when-shown"));
        if (ms < 0) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
        state.SetIterationTime(ms / 1000);
        total += ms;
        ++n;
    }
    state.counters["minimal_ms"] = minimal;
    state.counters["times_minimal"] = n > 0 ? total / n / minimal : 0;
}

QString worldListJournal() {
    static QTemporaryDir tmp;
    static const bool made = [] {
        // The first start makes the journal.
        return runOnce(QStringLiteral(WINGFOLIO_EXE),
                       programArguments(tmp.path(), "--quit-when-shown")) >= 0;
    }();
    return made ? tmp.path() : QString();
}

}  // namespace

static void BM_StartToMainWindow_MinimalQt(benchmark::State& state) {
    for (auto _ : state) {
        const double ms = runOnce(QStringLiteral(MINIMAL_QT_EXE), {});
        if (ms < 0) {
            state.SkipWithError("the minimal program did not run");
            return;
        }
        state.SetIterationTime(ms / 1000);
    }
}
BENCHMARK(BM_StartToMainWindow_MinimalQt)->UseManualTime()->Unit(benchmark::kMillisecond);

// Target: at most 1.5 times the minimal program.
static void BM_StartToMainWindow_ExistingWorldListJournal(benchmark::State& state) {
    runProgram(state, worldListJournal());
}
BENCHMARK(BM_StartToMainWindow_ExistingWorldListJournal)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

static void BM_StartToMainWindow_LargeJournal(benchmark::State& state) {
    runProgram(state, wf::bench::bigJournalDir());
}
BENCHMARK(BM_StartToMainWindow_LargeJournal)->UseManualTime()->Unit(benchmark::kMillisecond);

// Target: at most 1.2 times the minimal program's, before the web pane is
// first used.
static void BM_IdleMemory(benchmark::State& state) {
    double program = 0;
    double minimal = 0;
    for (auto _ : state) {
        program = idleKib(QStringLiteral(WINGFOLIO_EXE),
                          programArguments(worldListJournal(), "--report-idle-memory"));
        minimal = idleKib(QStringLiteral(MINIMAL_QT_EXE), {QStringLiteral("--report-idle-memory")});
        if (program < 0 || minimal < 0) {
            state.SkipWithError("a program did not report its memory");
            return;
        }
    }
    state.counters["program_MiB"] = program / 1024;
    state.counters["minimal_MiB"] = minimal / 1024;
    state.counters["times_minimal"] = program / minimal;
}
BENCHMARK(BM_IdleMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
