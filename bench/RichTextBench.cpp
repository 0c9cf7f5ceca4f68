// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "RichText.h"

namespace rtf = wf::rtf;

namespace {

// A field-notes article of about the given size in RTF bytes: paragraphs of
// plain, bold, italic and coloured sentences with some accented words.
QString makeArticle(qsizetype bytes) {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat plain;
    plain.setFontFamilies(QStringList{QStringLiteral("Arial")});
    plain.setFontPointSize(10);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic = plain;
    italic.setFontItalic(true);
    QTextCharFormat red = plain;
    red.setForeground(QColor(160, 0, 0));
    const QString sentence = QStringLiteral(
        "A flock of knots wheeled over the estuary at dawn while a Rüppell's Vulture circled "
        "high above the café on the cliff. ");
    int n = 0;
    while (true) {
        for (int i = 0; i < 6; ++i, ++n) {
            const QTextCharFormat& f = n % 7 == 0    ? bold
                                       : n % 5 == 0  ? italic
                                       : n % 11 == 0 ? red
                                                     : plain;
            c.insertText(sentence, f);
        }
        if (rtf::writeRtf(doc).size() >= bytes) {
            break;
        }
        c.insertBlock();
        if (doc.characterCount() > bytes * 2) {
            break;
        }
    }
    return rtf::writeRtf(doc);
}

const QString& article(int kb) {
    static QString small = makeArticle(10 * 1024);
    static QString large = makeArticle(1024 * 1024);
    return kb <= 10 ? small : large;
}

}  // namespace

static void BM_ReadRtf(benchmark::State& state) {
    const QString& a = article(int(state.range(0)));
    for (auto _ : state) {
        QTextDocument doc;
        rtf::readRtf(a, doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * a.size());
}
BENCHMARK(BM_ReadRtf)->Arg(10)->Arg(1024)->Unit(benchmark::kMillisecond);

static void BM_WriteRtf(benchmark::State& state) {
    QTextDocument doc;
    rtf::readRtf(article(int(state.range(0))), doc);
    for (auto _ : state) {
        benchmark::DoNotOptimize(rtf::writeRtf(doc));
    }
}
BENCHMARK(BM_WriteRtf)->Arg(10)->Arg(1024)->Unit(benchmark::kMillisecond);

static void BM_PlainText(benchmark::State& state) {
    const QString& a = article(int(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(rtf::plainText(a));
    }
    state.SetBytesProcessed(state.iterations() * a.size());
}
BENCHMARK(BM_PlainText)->Arg(10)->Arg(1024)->Unit(benchmark::kMillisecond);

// unrtf --text on the same article, a process per run as it is used.
static void BM_UnrtfText(benchmark::State& state) {
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (unrtf.isEmpty()) {
        state.SkipWithError("unrtf is not installed");
        return;
    }
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("article.rtf"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(article(int(state.range(0))).toLatin1());
    f.close();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.start(unrtf, {QStringLiteral("--text"), path});
        p.waitForFinished(120000);
        benchmark::DoNotOptimize(p.readAllStandardOutput());
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_UnrtfText)->Arg(10)->Arg(1024)->UseManualTime()->Unit(benchmark::kMillisecond);

// What starting any process costs, to read the unrtf figures against.
static void BM_ProcessStartBaseline(benchmark::State& state) {
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.start(QStringLiteral("/bin/true"), {});
        p.waitForFinished();
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_ProcessStartBaseline)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
