// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include "QtPrinters.h"

namespace wf::test {

inline QString dataFile(const QString& name) {
    QFile f(QStringLiteral(WF_RICHTEXT_DATA "/") + name);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(f.readAll());
}

inline QStringList words(const QString& s) {
    return s.split(QRegularExpression(QStringLiteral("[\\s\\x{2022}]+")), Qt::SkipEmptyParts);
}

// The formatting of each character, as one comparable line per character.
inline QStringList charFormats(const QTextDocument& doc) {
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        Qt::Alignment h = bf.alignment() & Qt::AlignHorizontal_Mask;
        if (h == 0 || h == Qt::AlignLeading) {
            h = Qt::AlignLeft;
        }
        out << QStringLiteral("para align=%1 li=%2 ri=%3 fi=%4")
                   .arg(int(h))
                   .arg(bf.leftMargin())
                   .arg(bf.rightMargin())
                   .arg(bf.textIndent());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat c = f.charFormat();
            const QStringList fam = c.fontFamilies().toStringList();
            const QString desc =
                QStringLiteral("%1 %2pt b%3 i%4 u%5 s%6 fg=%7 bg=%8")
                    .arg(fam.isEmpty() ? doc.defaultFont().family() : fam.front())
                    .arg(c.hasProperty(QTextFormat::FontPointSize) ? c.fontPointSize()
                                                                   : doc.defaultFont().pointSizeF())
                    .arg(c.fontWeight() >= QFont::DemiBold)
                    .arg(c.fontItalic())
                    .arg(c.fontUnderline())
                    .arg(c.fontStrikeOut())
                    .arg(c.hasProperty(QTextFormat::ForegroundBrush) ? c.foreground().color().name()
                                                                     : QStringLiteral("auto"))
                    .arg(c.hasProperty(QTextFormat::BackgroundBrush) ? c.background().color().name()
                                                                     : QStringLiteral("none"));
            for (const QChar ch : f.text()) {
                out << QString(ch) + u' ' + desc;
            }
        }
    }
    return out;
}

}  // namespace wf::test
