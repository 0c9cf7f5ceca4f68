// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTextDocument>

#include "RichText.h"
#include "RichTextTestUtil.h"

using namespace wf;

namespace {

// Reads input both ways; returns whether it was well-formed.
bool readBothWays(QStringView input, QString* text = nullptr) {
    QTextDocument doc;
    const bool a = rtf::readRtf(input, doc);
    bool b = false;
    const QString plain = rtf::plainText(input, &b);
    EXPECT_EQ(a, b);
    if (text != nullptr) {
        *text = plain;
    }
    return a;
}

}  // namespace

TEST(RtfDamaged, EveryTruncationOfARealFileIsReadWithoutHarm) {
    const QString full = test::dataFile("richedit-1252.rtf");
    ASSERT_FALSE(full.isEmpty());
    for (qsizetype n = 0; n < full.size(); ++n) {
        QString text;
        const bool ok = readBothWays(full.left(n), &text);
        if (n > 0 && n < full.size() - 3) {
            EXPECT_FALSE(ok) << n;
        }
    }
    QString text;
    EXPECT_FALSE(readBothWays(full.left(full.indexOf(QStringLiteral("Vulture"))), &text));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Saw a Rüppell's"))) << text.toStdString();
}

TEST(RtfDamaged, UnbalancedBracesAndStrayText) {
    QString text;
    EXPECT_FALSE(readBothWays(u"{\\rtf1 one}} two}", &text));
    EXPECT_EQ(text, QStringLiteral("one"));
    EXPECT_FALSE(readBothWays(u"{\\rtf1 {{{open\\par", &text));
    EXPECT_EQ(text, QStringLiteral("open"));
    EXPECT_FALSE(readBothWays(u"{\\rtf1 x}trailing", &text));
    EXPECT_TRUE(readBothWays(u"{\\rtf1 x}\r\n\0", &text));
}

TEST(RtfDamaged, AbsurdNumbersAndOneDigitHex) {
    QString text;
    readBothWays(u"{\\rtf1\\fs99999999999999999999 big\\f-99999999999 \\cf2147483648 x\\par}",
                 &text);
    EXPECT_EQ(text, QStringLiteral("bigx"));
    readBothWays(u"{\\rtf1 a\\u99999999999? b\\u-99999999? c\\uc99999999 d}", &text);
    EXPECT_TRUE(text.startsWith(u'a'));
    EXPECT_FALSE(readBothWays(u"{\\rtf1 x\\'4", &text));
    EXPECT_FALSE(readBothWays(u"{\\rtf1 x\\'4}", &text));
    EXPECT_EQ(text, QStringLiteral("x"));
    EXPECT_FALSE(readBothWays(u"{\\rtf1 x\\'zz y}", &text));
    EXPECT_FALSE(readBothWays(u"{\\rtf1 x\\bin99999999999 y}", &text));
    EXPECT_EQ(text, QStringLiteral("x"));
    EXPECT_FALSE(readBothWays(u"{\\rtf1 x\\", &text));
    readBothWays(
        QStringLiteral("{\\rtf1 ") + QString(100000, u'a') + QStringLiteral("verylongword"), &text);
    readBothWays(QStringLiteral("{\\rtf1 \\") + QString(100000, u'a') + QStringLiteral("9 x}"),
                 &text);
    EXPECT_EQ(text, QStringLiteral("x"));
}

TEST(RtfDamaged, DeepNestingIsBounded) {
    const QString deep = QStringLiteral("{\\rtf1 ") + QString(200000, u'{') +
                         QStringLiteral("\\b deep") + QString(200000, u'}') +
                         QStringLiteral(" after}");
    QString text;
    EXPECT_FALSE(readBothWays(deep, &text));
    EXPECT_EQ(text, QStringLiteral("deep after"));
    // Formatting still returns to what the outer group had.
    QTextDocument doc;
    rtf::readRtf(deep, doc);
    QTextCursor c = doc.find(QStringLiteral("after"));
    ASSERT_FALSE(c.isNull());
    EXPECT_LT(c.charFormat().fontWeight(), QFont::DemiBold);
}

TEST(RtfDamaged, LoneSurrogatesAndControlCharacters) {
    QString text;
    QString input = QStringLiteral("{\\rtf1 a\\u-10179?b\\u-9178? c");
    input += QChar(0);
    input += QStringLiteral("d\x01\x1f e\\'01\\'1f}");
    readBothWays(input, &text);
    EXPECT_EQ(text, QStringLiteral("a\uFFFDb\uFFFD cd e"));
    QTextDocument doc;
    rtf::readRtf(u"{\\rtf1{\\fonttbl{\\f0\\fcharset128 X;}}\\f0 \\'83", doc);
    rtf::readRtf(u"{\\rtf1{\\fonttbl{\\f0\\fcharset128 X;}}\\f0 \\'83\\'ff\\'ff}", doc);
    rtf::readRtf(
        u"{\\rtf1{\\fonttbl{\\f0\\fcharset77 Mac;}{\\f1\\fcharset999 X}}\\f0 \\'8e\\f1\\'8e}", doc);
    EXPECT_FALSE(doc.toPlainText().isEmpty());
}
