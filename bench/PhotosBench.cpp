// SPDX-License-Identifier: GPL-3.0-or-later
// Importing pictures from the camera: 200 files of 24 megapixels with their
// EXIF, looked at (thumbnails included) on worker threads as the window does,
// proposed and stored. Target: under 15 s.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentMap>

#include "CameraJpeg.h"
#include "PhotoImport.h"
#include "Store.h"

using namespace wf;

namespace {

constexpr int kFiles = 200;

// The camera's files, made once and kept in the temporary folder.
QString cameraFolder() {
    const QString dir = QDir::temp().filePath(QStringLiteral("wingfolio-bench-camera-v1"));
    if (QDir(dir).entryList(QDir::Files).size() == kFiles) {
        return dir;
    }
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    QImage scene(6000, 4000, QImage::Format_RGB32);
    QPainter paint(&scene);
    QLinearGradient sky(0, 0, 6000, 4000);
    sky.setColorAt(0, QColor(0x6f, 0xa8, 0xdc));
    sky.setColorAt(1, QColor(0xd9, 0xc9, 0x9a));
    paint.fillRect(scene.rect(), sky);
    for (int i = 0; i < 400; ++i) {  // some detail for the encoder to keep
        paint.setPen(QColor::fromHsv((i * 37) % 360, 120, 160));
        paint.drawLine((i * 131) % 6000, (i * 71) % 4000, (i * 17) % 6000, (i * 193) % 4000);
    }
    paint.end();
    const QByteArray jpeg = test::jpegWithExif(scene, {});
    for (int i = 0; i < kFiles; ++i) {
        test::CameraExif x;
        x.taken = QDateTime(QDate(2026, 5, 3), QTime(6, 0)).addSecs(i * 30);
        x.hasGps = true;
        x.latitude = 52.65 + i * 0.0001;
        x.longitude = -0.64;
        x.orientation = i % 3 == 0 ? 6 : 1;
        QFile f(QDir(dir).filePath(QStringLiteral("IMG_%1.JPG").arg(1000 + i)));
        f.open(QIODevice::WriteOnly);
        f.write(test::withExif(jpeg.mid(0), x));
    }
    return dir;
}

}  // namespace

static void BM_ImportPictures200(benchmark::State& state) {
    const QString camera = cameraFolder();
    const QStringList files = PhotoImport::filesIn({camera});
    qint64 bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir data;
        auto store = Store::createInMemory();
        const qint64 bird = store->addSubject(Category::Birds, QStringLiteral("Western Osprey"));
        Sighting s;
        s.birdid = bird;
        s.date = QDate(2026, 5, 3);
        store->appendSighting(s);
        state.ResumeTiming();
        const QList<PhotoFile> looked = QtConcurrent::blockingMapped(files, &PhotoFile::inspect);
        std::vector<PhotoChoice> choices =
            PhotoImport::propose(*store, std::vector<PhotoFile>(looked.begin(), looked.end()));
        const int stored = PhotoImport::store(*store, DataFolder(data.path()), choices);
        if (stored != kFiles) {
            state.SkipWithError("not every file was stored");
        }
        state.PauseTiming();
        bytes = 0;
        for (const QFileInfo& f :
             QDir(data.path() + QStringLiteral("/Images")).entryInfoList(QDir::Files)) {
            bytes += f.size();
        }
        state.ResumeTiming();
    }
    state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_ImportPictures200)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
