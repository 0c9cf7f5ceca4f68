// SPDX-License-Identifier: GPL-3.0-or-later
// pseudo-translate IN.ts OUT.ts: writes a translation of every text of IN
// that keeps its meaning readable but looks foreign: letters accented, the
// whole in brackets and 40% longer. Placeholders (%1, %n), mnemonics (&F),
// HTML tags and entities, file patterns and what follows a tab (a
// shortcut) are kept as they are, so the program works as before.
#include <QFile>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>
#include <cstdio>

#include "Pseudo.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pseudo-translate IN.ts OUT.ts\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "pseudo-translate: cannot open %s or %s\n", argv[1], argv[2]);
        return 1;
    }
    QXmlStreamReader r(&in);
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
    w.writeStartElement(QStringLiteral("TS"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
    w.writeAttribute(QStringLiteral("language"), QStringLiteral("en_XA"));
    QString context;
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement()) {
            continue;
        }
        if (r.name() == QLatin1String("name")) {
            context = r.readElementText();
        } else if (r.name() == QLatin1String("message")) {
            const bool numerus =
                r.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            QString source;
            while (!(r.isEndElement() && r.name() == QLatin1String("message")) && !r.atEnd()) {
                r.readNext();
                if (r.isStartElement() && r.name() == QLatin1String("source")) {
                    source = r.readElementText();
                }
            }
            w.writeStartElement(QStringLiteral("context"));
            w.writeTextElement(QStringLiteral("name"), context);
            w.writeStartElement(QStringLiteral("message"));
            if (numerus) {
                w.writeAttribute(QStringLiteral("numerus"), QStringLiteral("yes"));
            }
            w.writeTextElement(QStringLiteral("source"), source);
            w.writeStartElement(QStringLiteral("translation"));
            if (numerus) {
                w.writeTextElement(QStringLiteral("numerusform"), wf::pseudo::translate(source));
                w.writeTextElement(QStringLiteral("numerusform"), wf::pseudo::translate(source));
            } else {
                w.writeCharacters(wf::pseudo::translate(source));
            }
            w.writeEndElement();
            w.writeEndElement();
            w.writeEndElement();
        }
    }
    w.writeEndElement();
    w.writeEndDocument();
    if (r.hasError()) {
        std::fprintf(stderr, "pseudo-translate: %s: %s\n", argv[1], qPrintable(r.errorString()));
        return 1;
    }
    return 0;
}
