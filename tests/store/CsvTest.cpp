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
