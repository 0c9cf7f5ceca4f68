// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>

#include "Csv.h"
#include "Resources.h"
#include "SubjectCompleter.h"

using namespace wf;

namespace {

const SubjectCompleter& worldList() {
    static const SubjectCompleter c = [] {
        QFile f(worldListPath());
        f.open(QIODevice::ReadOnly);
        QStringList names;
        for (const QStringList& row : parseCsv(QString::fromUtf8(f.readAll())).rows) {
            names << row[1];
        }
        return SubjectCompleter(names);
    }();
    return c;
}

}  // namespace

// One keystroke of the subject picker over the world list: a plain prefix
// (binary search) and one holding a wildcard (a walk of the whole list).
static void BM_PickerKeystroke(benchmark::State& state) {
    static const QString texts[] = {QStringLiteral("rob"), QStringLiteral("zzz"),
                                    QStringLiteral("r?b"), QStringLiteral("*owl")};
    const QString& text = texts[state.range(0)];
    for (auto _ : state) {
        benchmark::DoNotOptimize(worldList().completion(text, int(text.size())));
    }
    state.SetLabel(text.toStdString());
}
BENCHMARK(BM_PickerKeystroke)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

static void BM_PickerLeave(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(worldList().exactItem(QStringLiteral("RÜPPELL'S VULTURE")));
    }
}
BENCHMARK(BM_PickerLeave)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    worldList();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
