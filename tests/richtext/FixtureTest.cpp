// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "RichText.h"
#include "RichTextTestUtil.h"

using namespace wf;
using wf::test::dataFile;
using wf::test::words;

namespace {

QStringList fixtures(const char* prefixFilter = nullptr) {
    QStringList out;
    for (const QString& f :
         QDir(QStringLiteral(WF_RICHTEXT_DATA)).entryList({QStringLiteral("*.rtf")}, QDir::Files)) {
        if (prefixFilter == nullptr || f.startsWith(QLatin1String(prefixFilter))) {
            out << f.chopped(4);
        }
    }
    return out;
}

// Returns the text of the fragment that holds the first occurrence of s.
QTextCharFormat formatAt(const QTextDocument& doc, const QString& s) {
    QTextCursor c = doc.find(s);
    EXPECT_FALSE(c.isNull()) << s.toStdString();
    QTextCursor at(const_cast<QTextDocument*>(&doc));
    at.setPosition(c.selectionStart() + 1);
    return at.charFormat();
}

}  // namespace

TEST(RtfFixtures, HandWrittenClassicControlFilesGiveTheirExactText) {
    const QStringList names = fixtures();
    ASSERT_GE(names.size(), 10);
    for (const QString& name : names) {
        if (name.startsWith(QLatin1String("lo-"))) {
            continue;
        }
        SCOPED_TRACE(name.toStdString());
        bool ok = false;
        EXPECT_EQ(rtf::plainText(dataFile(name + ".rtf"), &ok), dataFile(name + ".txt"));
        EXPECT_TRUE(ok);
    }
}

TEST(RtfFixtures, LibreOfficeFilesGiveTheWordsLibreOfficeReads) {
    for (const QString& name : fixtures("lo-")) {
        SCOPED_TRACE(name.toStdString());
        const QString rtfText = dataFile(name + ".rtf");
        bool ok = false;
        const QString plain = rtf::plainText(rtfText, &ok);
        EXPECT_TRUE(ok);
        EXPECT_EQ(words(plain), words(dataFile(name + ".txt")));
        QTextDocument doc;
        EXPECT_TRUE(rtf::readRtf(rtfText, doc));
        EXPECT_EQ(words(doc.toPlainText()), words(dataFile(name + ".txt")));
    }
}

TEST(RtfFixtures, ClassicControlFormattingIsRead) {
    QTextDocument doc;
    ASSERT_TRUE(rtf::readRtf(dataFile("richedit-1252.rtf"), doc));
    ASSERT_EQ(doc.blockCount(), 3);
    EXPECT_EQ(doc.begin().text(), QStringLiteral("Saw a Rüppell's Vulture near the café."));
    const QTextCharFormat plain = formatAt(doc, "Saw");
    EXPECT_EQ(plain.fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
    EXPECT_EQ(plain.fontPointSize(), 10.0);
    EXPECT_LT(plain.fontWeight(), QFont::DemiBold);
    EXPECT_GE(formatAt(doc, "Vulture").fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatAt(doc, "café").fontItalic());
    EXPECT_FALSE(formatAt(doc, "near").fontItalic());
    const QTextBlock second = doc.begin().next();
    EXPECT_EQ(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat red = formatAt(doc, "Centred");
    EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(red.fontFamilies().toStringList().value(0), QStringLiteral("Times New Roman"));
    EXPECT_EQ(red.fontPointSize(), 14.0);
    const QTextBlock third = second.next();
    EXPECT_EQ(third.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(third.text(), QStringLiteral("Tab\tseparated\u2028next line € 5"));
}

TEST(RtfFixtures, LibreOfficeFormattingIsRead) {
    QTextDocument doc;
    ASSERT_TRUE(rtf::readRtf(dataFile("lo-formatting.rtf"), doc));
    EXPECT_GE(formatAt(doc, "tide was low").fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatAt(doc, "light was soft").fontItalic());
    EXPECT_TRUE(formatAt(doc, "flock of knots").fontUnderline());
    EXPECT_TRUE(formatAt(doc, "old").fontStrikeOut());
    EXPECT_EQ(formatAt(doc, "red words").foreground().color(), QColor(0xc0, 0, 0));
    EXPECT_EQ(formatAt(doc, "highlighted").background().color(), QColor(0xff, 0xff, 0));
    EXPECT_EQ(doc.find("Centred").block().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(
        doc.find("Right-aligned").block().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
        Qt::AlignRight);
    EXPECT_EQ(doc.find("Justified").block().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignJustify);
    const QTextCharFormat large = formatAt(doc, "Large Times");
    EXPECT_EQ(large.fontFamilies().toStringList().value(0), QStringLiteral("Times New Roman"));
    EXPECT_EQ(large.fontPointSize(), 18.0);
    EXPECT_EQ(formatAt(doc, "small Courier").fontPointSize(), 8.0);
}

TEST(RtfFixtures, TextThatIsNotRtfIsReadAsPlainText) {
    bool ok = true;
    EXPECT_EQ(rtf::plainText(u"Just a note\r\nabout {birds} and \\slashes.\n", &ok),
              QStringLiteral("Just a note\nabout {birds} and \\slashes."));
    EXPECT_FALSE(ok);
    QTextDocument doc;
    EXPECT_FALSE(rtf::readRtf(u"line one\nline two", doc));
    EXPECT_EQ(doc.blockCount(), 2);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("line one\nline two"));
    EXPECT_EQ(rtf::plainText(u""), QString());
}

TEST(RtfFixtures, SearchTextHasNoMarkupAndJoinsWordsSplitByFormatting) {
    const QString text = rtf::plainText(
        u"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\f0\\fs20 King\\b fish\\b0 "
        u"er\\par}");
    EXPECT_EQ(text, QStringLiteral("Kingfisher"));
    EXPECT_FALSE(text.contains(QStringLiteral("Arial")));
    EXPECT_FALSE(text.contains(QStringLiteral("fs20")));
    EXPECT_FALSE(text.contains(QStringLiteral("par")));
}
