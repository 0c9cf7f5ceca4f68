// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>

#include "QtPrinters.h"
#include "SelectionFormat.h"

using namespace wf::rtf;

namespace {

class SelectionTest : public ::testing::Test {
  protected:
    QTextDocument doc;
    void SetUp() override {
        QTextCursor c(&doc);
        QTextCharFormat plain;
        plain.setFontFamilies(QStringList{QStringLiteral("Arial")});
        plain.setFontPointSize(10);
        QTextCharFormat bold = plain;
        bold.setFontWeight(QFont::Bold);
        bold.setForeground(QColor(255, 0, 0));
        c.insertText(QStringLiteral("plain "), plain);  // 0-5
        c.insertText(QStringLiteral("bold"), bold);     // 6-9
        QTextBlockFormat centre;
        centre.setAlignment(Qt::AlignHCenter);
        c.insertBlock(centre);
        QTextCharFormat times = plain;
        times.setFontFamilies(QStringList{QStringLiteral("Times New Roman")});
        times.setFontPointSize(14);
        c.insertText(QStringLiteral("centred"), times);  // 11-17
    }
    SelectionFormat select(int from, int to) {
        QTextCursor c(&doc);
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        return selectionFormat(c);
    }
};

}  // namespace

TEST_F(SelectionTest, OneValueOrMixed) {
    SelectionFormat s = select(0, 4);
    EXPECT_EQ(s.bold, Tri::Off);
    EXPECT_EQ(s.fontFamily, QStringLiteral("Arial"));
    EXPECT_EQ(s.pointSize, 10.0);
    EXPECT_EQ(s.alignment, Qt::AlignLeft);
    EXPECT_EQ(s.color, QColor());

    s = select(7, 9);
    EXPECT_EQ(s.bold, Tri::On);
    EXPECT_EQ(s.color, QColor(255, 0, 0));

    s = select(2, 8);  // plain and bold
    EXPECT_EQ(s.bold, Tri::Mixed);
    EXPECT_EQ(s.italic, Tri::Off);
    EXPECT_FALSE(s.color.has_value());
    EXPECT_EQ(s.fontFamily, QStringLiteral("Arial"));

    s = select(8, 14);  // across the paragraph mark
    EXPECT_FALSE(s.alignment.has_value());
    EXPECT_FALSE(s.fontFamily.has_value());
    EXPECT_FALSE(s.pointSize.has_value());

    s = select(12, 15);
    EXPECT_EQ(s.alignment, Qt::AlignHCenter);
    EXPECT_EQ(s.pointSize, 14.0);
}

TEST_F(SelectionTest, WithoutSelectionTheCursorsFormatCounts) {
    QTextCursor c(&doc);
    c.setPosition(8);
    SelectionFormat s = selectionFormat(c);
    EXPECT_EQ(s.bold, Tri::On);
    EXPECT_EQ(s.alignment, Qt::AlignLeft);
}

TEST_F(SelectionTest, ApplyingAValueMakesItOne) {
    QTextCursor c(&doc);
    c.setPosition(2);
    c.setPosition(8, QTextCursor::KeepAnchor);
    applyBold(c, true);
    applyItalic(c, true);
    applyUnderline(c, true);
    applyStrike(c, true);
    applyFontFamily(c, QStringLiteral("Courier New"));
    applyPointSize(c, 12);
    applyColor(c, QColor(0, 128, 0));
    applyAlignment(c, Qt::AlignRight);
    const SelectionFormat s = selectionFormat(c);
    EXPECT_EQ(s.bold, Tri::On);
    EXPECT_EQ(s.italic, Tri::On);
    EXPECT_EQ(s.underline, Tri::On);
    EXPECT_EQ(s.strike, Tri::On);
    EXPECT_EQ(s.fontFamily, QStringLiteral("Courier New"));
    EXPECT_EQ(s.pointSize, 12.0);
    EXPECT_EQ(s.color, QColor(0, 128, 0));
    EXPECT_EQ(s.alignment, Qt::AlignRight);
    // Outside the selection nothing changed.
    EXPECT_EQ(select(0, 2).bold, Tri::Off);
    EXPECT_EQ(select(12, 14).alignment, Qt::AlignHCenter);
}
