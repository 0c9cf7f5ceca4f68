// SPDX-License-Identifier: GPL-3.0-or-later
// journal-gen: writes a journal of a chosen size, for tests and benchmarks.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "AppError.h"
#include "JournalGen.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("journal-gen"));
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Makes a Wingfolio journal (aviary.mdb and Images) in a new data folder: "
                       "the world list, sightings, entries and topics, decided by a seed."));
    p.addHelpOption();
    p.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("the data folder to make"));
    const QCommandLineOption sightings(QStringLiteral("sightings"),
                                       QStringLiteral("number of sightings (200000)"),
                                       QStringLiteral("N"), QStringLiteral("200000"));
    const QCommandLineOption entries(QStringLiteral("entries"),
                                     QStringLiteral("number of entries (20000)"),
                                     QStringLiteral("M"), QStringLiteral("20000"));
    const QCommandLineOption topics(QStringLiteral("topics"),
                                    QStringLiteral("number of topics (200)"), QStringLiteral("T"),
                                    QStringLiteral("200"));
    const QCommandLineOption places(QStringLiteral("places"),
                                    QStringLiteral("number of places (300)"), QStringLiteral("P"),
                                    QStringLiteral("300"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("random seed (1)"),
                                  QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption outings(
        QStringLiteral("outings"),
        QStringLiteral("sightings in outings of about N each, 0 for none (0)"), QStringLiteral("N"),
        QStringLiteral("0"));
    p.addOptions({sightings, entries, topics, places, seed, outings});
    p.process(app);
    if (p.positionalArguments().size() != 1) {
        p.showHelp(2);
    }
    const QString dir = p.positionalArguments().front();
    if (QFileInfo::exists(QDir(dir).filePath(QStringLiteral("aviary.mdb")))) {
        std::fprintf(stderr, "journal-gen: %s already holds a journal\n", qPrintable(dir));
        return 1;
    }
    wf::JournalSize size;
    size.sightings = p.value(sightings).toInt();
    size.entries = p.value(entries).toInt();
    size.topics = p.value(topics).toInt();
    size.places = p.value(places).toInt();
    size.seed = p.value(seed).toULongLong();
    size.outingSize = p.value(outings).toInt();
    try {
        const wf::JournalSummary made = wf::generateJournalFolder(dir, size);
        std::printf("journal-gen: made %s: %s\n", qPrintable(QDir(dir).absolutePath()),
                    qPrintable(made.describe()));
    } catch (const wf::AppError& e) {
        std::fprintf(stderr, "journal-gen: %s\n", qPrintable(e.description()));
        return 1;
    }
    return 0;
}
