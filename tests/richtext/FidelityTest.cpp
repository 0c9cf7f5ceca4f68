// SPDX-License-Identifier: GPL-3.0-or-later
// Articles that other programs wrote: code pages whose converters hold a
// letter back, objects, out-of-range \u, surrogate pairs, stray \*, the
// Symbol font; and every character format surviving a save.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "CodePage.h"
#include "QtPrinters.h"
#include "RichText.h"

using namespace wf;

namespace {

QString text(const char* rtf) {
    return rtf::plainText(QString::fromLatin1(rtf)).trimmed();
}

}  // namespace

TEST(RtfFidelity, ARunEndingOnALetterTheConverterHeldBackKeepsIt) {
    EXPECT_EQ(text("{\\rtf1\\ansi\\ansicpg1255 \\'f9\\'ec\\'e5\\'ed}"), QString::fromUtf8("שלום"));
    EXPECT_EQ(text("{\\rtf1\\ansi\\ansicpg1258 x\\'e0\\'e1 y\\'ea z}"),
              QString::fromUtf8("xàá yê z"));
    // Every code page the reader knows, with a run that ends on its last byte.
    for (const int cp :
         {437, 850, 874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 10000}) {
        SCOPED_TRACE(cp);
        const QByteArray bytes("\xe0\xe1", 2);
        const QString one = rtf::decodeCodePage(cp, bytes.left(1));
        const QString two = rtf::decodeCodePage(cp, bytes);
        EXPECT_EQ(one.size(), 1);
        EXPECT_EQ(two.size(), 2);
        EXPECT_TRUE(two.startsWith(one));
        const QString rtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg%1 a\\'e0\\'e1}").arg(cp);
        EXPECT_EQ(rtf::plainText(rtf).trimmed(), QStringLiteral("a") + two);
    }
    // The double-byte pages end on a whole character too.
    EXPECT_EQ(rtf::decodeCodePage(932, QByteArray("\x82\xa0", 2)), QString::fromUtf8("あ"));
}

TEST(RtfFidelity, AnObjectsResultIsRead) {
    EXPECT_EQ(text("{\\rtf1 A{\\object\\objemb{\\*\\objdata 00}{\\result B}}C}"),
              QStringLiteral("ABC"));
    // Its picture and data are still skipped.
    EXPECT_EQ(text("{\\rtf1 A{\\object{\\*\\objdata 0102}{\\result{\\pict 0a0b}B}}C}"),
              QStringLiteral("ABC"));
}

TEST(RtfFidelity, UnicodeOutOfRangeUsesTheFallback) {
    EXPECT_EQ(text("{\\rtf1 a\\u65536?b}"), QStringLiteral("a?b"));
    EXPECT_EQ(text("{\\rtf1 a\\u-40000?b}"), QStringLiteral("a?b"));
    EXPECT_EQ(text("{\\rtf1 a\\u-3?b}"), QString(QStringLiteral("a")) + QChar(0xFFFD) + u'b');
}

TEST(RtfFidelity, ASurrogatePairWithoutFallbackIsOneCharacter) {
    EXPECT_EQ(text("{\\rtf1\\uc1 \\u55357 \\u56835 }"), QString::fromUtf8("😃"));
    EXPECT_EQ(text("{\\rtf1\\uc1 \\u-10179?\\u-8701?!}"), QString::fromUtf8("😃!"));
    // A high half with nothing after it is still mended.
    EXPECT_EQ(text("{\\rtf1\\uc1 \\u55357 x}"), QString(QChar(0xFFFD)));
}

TEST(RtfFidelity, AStrayAsteriskInsideAGroupKeepsTheText) {
    EXPECT_EQ(text("{\\rtf1 {A \\* B}C}"), QStringLiteral("A  BC"));  // a symbol takes no blank
    EXPECT_EQ(text("{\\rtf1 {\\*\\unknown gone}kept}"), QStringLiteral("kept"));
}

TEST(RtfFidelity, SymbolFontBytesAreTheirMeaning) {
    const char* rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
        "\\f0 x{\\f1\\'b7}y{\\f1 a\\'b1b}z}";
    EXPECT_EQ(text(rtf), QString::fromUtf8("x•yα±βz"));
}

TEST(RtfFidelity, EveryCharacterFormatSurvivesASave) {
    struct Case {
        const char* name;
        void (*apply)(QTextCharFormat&);
        bool (*check)(const QTextCharFormat&);
    };
    const Case cases[] = {
        {"bold", [](QTextCharFormat& f) { f.setFontWeight(QFont::Bold); },
         [](const QTextCharFormat& f) { return f.fontWeight() >= QFont::Bold; }},
        {"italic", [](QTextCharFormat& f) { f.setFontItalic(true); },
         [](const QTextCharFormat& f) { return f.fontItalic(); }},
        {"underline", [](QTextCharFormat& f) { f.setFontUnderline(true); },
         [](const QTextCharFormat& f) { return f.fontUnderline(); }},
        {"strike", [](QTextCharFormat& f) { f.setFontStrikeOut(true); },
         [](const QTextCharFormat& f) { return f.fontStrikeOut(); }},
        {"superscript",
         [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); },
         [](const QTextCharFormat& f) {
             return f.verticalAlignment() == QTextCharFormat::AlignSuperScript;
         }},
        {"subscript",
         [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); },
         [](const QTextCharFormat& f) {
             return f.verticalAlignment() == QTextCharFormat::AlignSubScript;
         }},
        {"colour", [](QTextCharFormat& f) { f.setForeground(QColor(200, 10, 10)); },
         [](const QTextCharFormat& f) { return f.foreground().color() == QColor(200, 10, 10); }},
        {"highlight", [](QTextCharFormat& f) { f.setBackground(QColor(250, 250, 0)); },
         [](const QTextCharFormat& f) { return f.background().color() == QColor(250, 250, 0); }},
        {"size", [](QTextCharFormat& f) { f.setFontPointSize(17); },
         [](const QTextCharFormat& f) { return f.fontPointSize() == 17; }},
        {"font", [](QTextCharFormat& f) { f.setFontFamilies({QStringLiteral("DejaVu Serif")}); },
         [](const QTextCharFormat& f) {
             return f.fontFamilies().toStringList().value(0) == QStringLiteral("DejaVu Serif");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTextDocument doc;
        QTextCursor cur(&doc);
        cur.insertText(QStringLiteral("plain "));
        QTextCharFormat f;
        c.apply(f);
        cur.insertText(QStringLiteral("formatted"), f);
        cur.insertText(QStringLiteral(" plain"), QTextCharFormat());
        // Saved and opened again, twice: the format is where it was.
        QString rtf = rtf::writeRtf(doc);
        for (int round = 0; round < 2; ++round) {
            QTextDocument back;
            ASSERT_TRUE(rtf::readRtf(rtf, back));
            QTextCursor at(&back);
            at.setPosition(9);
            EXPECT_TRUE(c.check(at.charFormat())) << rtf.toStdString();
            at.setPosition(3);
            EXPECT_FALSE(c.check(at.charFormat()));
            at.setPosition(18);
            EXPECT_FALSE(c.check(at.charFormat()));
            rtf = rtf::writeRtf(back);
        }
    }
}
