// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include "Backups.h"
#include "BenchJournal.h"
#include "Store.h"

// The program's own time from start to the main window shown (its first
// frame painted), with the splash window's 2500 ms left out (--splash-ms 0),
// on a new journal and on the large one; and its resident memory once idle.
// Each beside the least Qt Widgets program with a like window, built the
// same way and timed the same way.

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

// Milliseconds from start until the program says its window is shown (its
// first frame painted), leaving out how long it then takes to end; or a
// negative number when it never says so or does not end cleanly.
double runUntilShown(const QString& exe, const QStringList& arguments) {
    QProcess p;
    p.setProcessEnvironment(environment());
    QElapsedTimer t;
    t.start();
    p.start(exe, arguments);
    double ms = -1;
    QByteArray out;
    while (ms < 0 && p.waitForReadyRead(60000)) {
        out += p.readAllStandardOutput();
        if (out.contains("shown\n")) {
            ms = double(t.nsecsElapsed()) / 1e6;
        }
    }
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        return -1;
    }
    return ms;
}

QStringList programArguments(const QString& dataDir, const char* last) {
    return {QStringLiteral("--data-dir"), dataDir, QStringLiteral("--splash-ms"),
            QStringLiteral("0"), QString::fromLatin1(last)};
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

// Makes today's backup set of the journal, so that a start is an ordinary
// one: the day's first start checks and backs up the journal beside the
// window (timed on its own below).
void backUpToday(const QString& dataDir) {
    const QString today = QDir(dataDir).filePath(QStringLiteral("Backups/aviary-") +
                                                 QDate::currentDate().toString(Qt::ISODate));
    if (!QFileInfo(today).isDir()) {
        runOnce(QStringLiteral(WINGFOLIO_EXE), programArguments(dataDir, "--report-idle-memory"));
    }
}

// Each iteration starts the minimal program and then the journal, so that
// both see the same machine; the ratio is of their mean times.
void runProgram(benchmark::State& state, const QString& dataDir) {
    backUpToday(dataDir);
    double total = 0;
    double minimalTotal = 0;
    int n = 0;
    for (auto _ : state) {
        const double minimal = runUntilShown(QStringLiteral(MINIMAL_QT_EXE), {});
        const double ms = runUntilShown(QStringLiteral(WINGFOLIO_EXE),
                                        programArguments(dataDir, "--quit-when-shown"));
        if (ms < 0 || minimal < 0) {
            state.SkipWithError("a program did not start and end cleanly");
            return;
        }
        state.SetIterationTime(ms / 1000);
        total += ms;
        minimalTotal += minimal;
        ++n;
    }
    state.counters["minimal_ms"] = n > 0 ? minimalTotal / n : 0;
    state.counters["times_minimal"] = minimalTotal > 0 ? total / minimalTotal : 0;
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
        const double ms = runUntilShown(QStringLiteral(MINIMAL_QT_EXE), {});
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

// The day's first start: its check and backup run beside the window. Timed
// in turn with an ordinary start of the same journal (today's backup set
// there); the ratio is of the two means. Target: at most 1.2.
void runFirstOfTheDay(benchmark::State& state, const QString& dataDir) {
    const QString today = QDir(dataDir).filePath(QStringLiteral("Backups/aviary-") +
                                                 QDate::currentDate().toString(Qt::ISODate));
    double first = 0;
    double ordinary = 0;
    int n = 0;
    for (auto _ : state) {
        // An ordinary start needs today's set: the first run makes it.
        if (!QFileInfo(today).isDir()) {
            runOnce(QStringLiteral(WINGFOLIO_EXE),
                    programArguments(dataDir, "--report-idle-memory"));
        }
        const double plain = runUntilShown(QStringLiteral(WINGFOLIO_EXE),
                                           programArguments(dataDir, "--quit-when-shown"));
        QDir(today).removeRecursively();
        const double ms = runUntilShown(QStringLiteral(WINGFOLIO_EXE),
                                        programArguments(dataDir, "--quit-when-shown"));
        if (ms < 0 || plain < 0) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
        state.SetIterationTime(ms / 1000);
        first += ms;
        ordinary += plain;
        ++n;
    }
    state.counters["ordinary_ms"] = n > 0 ? ordinary / n : 0;
    state.counters["times_ordinary"] = ordinary > 0 ? first / ordinary : 0;
}

static void BM_FirstStartOfTheDay_LargeJournal(benchmark::State& state) {
    runFirstOfTheDay(state, wf::bench::bigJournalDir());
}
BENCHMARK(BM_FirstStartOfTheDay_LargeJournal)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

static void BM_FirstStartOfTheDay_MillionJournal(benchmark::State& state) {
    runFirstOfTheDay(state, wf::bench::millionJournalDir());
}
BENCHMARK(BM_FirstStartOfTheDay_MillionJournal)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// What the day's first start did on the window's thread before the check and
// backup moved beside it: quick_check and the day's set, timed whole.
static void BM_DayCheckAndBackupSet(benchmark::State& state) {
    const QString dataDir =
        state.range(0) == 1 ? wf::bench::millionJournalDir() : wf::bench::bigJournalDir();
    QTemporaryDir tmp;
    for (auto _ : state) {
        auto store = wf::Store::open(dataDir + QStringLiteral("/aviary.mdb"));
        QElapsedTimer t;
        t.start();
        const QString verdict = wf::Store::quickCheck(store->database());
        wf::Backups::makeSet(store->database(), dataDir + QStringLiteral("/Images"),
                             tmp.filePath(QStringLiteral("set")), {}, true);
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        QDir(tmp.filePath(QStringLiteral("set"))).removeRecursively();
        if (verdict != QLatin1String("ok")) {
            state.SkipWithError("the journal failed its check");
            return;
        }
    }
}
BENCHMARK(BM_DayCheckAndBackupSet)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

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
