// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "Csv.h"

TEST(Csv, QuotedFieldsWithCommasQuotesAndLineBreaks) {
    const auto t = wf::parseCsv(QStringLiteral(
        "\xFEFFid,name,notes\r\n1,\"Robin, American\",\"He said \"\"hi\"\"\r\nnext line\"\n2,,\n"));
    ASSERT_EQ(t.header, QStringList({"id", "name", "notes"}));
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[0], QStringList({"1", "Robin, American", "He said \"hi\"\r\nnext line"}));
    EXPECT_EQ(t.rows[1], QStringList({"2", "", ""}));
}

TEST(Csv, LastLineWithoutLineBreak) {
    const auto t = wf::parseCsv(QStringLiteral("a,b\nx,y"));
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_EQ(t.rows[0], QStringList({"x", "y"}));
    EXPECT_TRUE(wf::parseCsv(QString()).rows.empty());
}

TEST(Csv, RecordsKnowTheirLineAndAnUnclosedQuoteIsFound) {
    const auto r = wf::readCsvRecords(
        QStringLiteral("h1,h2\r\n\"two\nlines\",x\r\n\"\",\"a\"\"\"\nlast,\"\"\"q\"\"\"\n"));
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[1].line, 2);
    EXPECT_EQ(r[1].fields, QStringList({"two\nlines", "x"}));
    EXPECT_EQ(r[2].line, 4);
    EXPECT_EQ(r[2].fields, QStringList({"", "a\""}));
    EXPECT_EQ(r[3].line, 5);
    EXPECT_EQ(r[3].fields, QStringList({"last", "\"q\""}));
    // A record ending in a comma has an empty last field.
    EXPECT_EQ(wf::readCsvRecords(QStringLiteral("a,")).front().fields, QStringList({"a", ""}));
    try {
        wf::readCsvRecords(QStringLiteral("h\nok\n\"open,\nstill open\n"));
        ADD_FAILURE() << "no error";
    } catch (const wf::CsvUnclosedQuote& e) {
        EXPECT_EQ(e.line, 3);
    }
    // The forgiving reader takes the rest of the text.
    EXPECT_EQ(wf::parseCsv(QStringLiteral("h\n\"open,\nend")).rows.front(),
              QStringList({"open,\nend"}));
}

TEST(Csv, FieldsAreQuotedOnlyWhenTheyNeedIt) {
    EXPECT_EQ(
        wf::csvLine({"plain", "a,b", "say \"hi\"", "two\nlines", " padded", "", "Ünï"}),
        QStringLiteral("plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\" padded\",,Ünï\r\n"));
    // What is written reads back the same.
    const QStringList fields = {"x,y", "\"", "\r\n", ""};
    EXPECT_EQ(wf::readCsvRecords(wf::csvLine(fields)).front().fields, fields);
}
