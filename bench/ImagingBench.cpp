// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "cDIBSection.h"

using namespace wf;

namespace {

// A 6000 x 4000 photograph-sized bitmap of noise.
const cDIBSection& source() {
    static cDIBSection dib;
    if (dib.DIBSectionBitsPtr() == nullptr) {
        dib.Create(6000, 4000);
        dib.RandomiseBits();
    }
    return dib;
}

const QImage& sourceImage() {
    static const QImage image = source().toImage();
    return image;
}

}  // namespace

// Resample in destination megapixels a second.
static void BM_Resample(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    for (auto _ : state) {
        auto out = source().Resample(h, w);
        benchmark::DoNotOptimize(out->DIBSectionBitsPtr());
    }
    state.counters["MP/s"] = benchmark::Counter(double(w) * h / 1e6 * double(state.iterations()),
                                                benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Resample)->Args({1500, 1000})->Args({12000, 8000})->Unit(benchmark::kMillisecond);

// Qt's smooth scaling of the same picture, for comparison.
static void BM_QImageScaledSmooth(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            sourceImage().scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    state.counters["MP/s"] = benchmark::Counter(double(w) * h / 1e6 * double(state.iterations()),
                                                benchmark::Counter::kIsRate);
}
BENCHMARK(BM_QImageScaledSmooth)
    ->Args({1500, 1000})
    ->Args({12000, 8000})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    sourceImage();  // made before the timing starts
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
