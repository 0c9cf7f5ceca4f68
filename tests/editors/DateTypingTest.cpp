// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "DateTyping.h"
#include "NearestNames.h"
#include "frmSight.h"

using namespace wf;

namespace {

const QDate kToday(2026, 12, 7);

DateTyping typing(QLocale::Language language, QLocale::Territory territory) {
    return DateTyping::forLocale(QLocale(language, territory), kToday);
}

// Types keys one by one and gives the date they make.
QDate typed(DateTyping t, const QString& keys) {
    t.clear();
    for (const QChar c : keys) {
        t.key(c);
    }
    return t.date();
}

}  // namespace

TEST(DateTyping, EachLocaleReadsItsOwnOrderWithOrWithoutSeparators) {
    const DateTyping gb = typing(QLocale::English, QLocale::UnitedKingdom);
    const DateTyping us = typing(QLocale::English, QLocale::UnitedStates);
    const DateTyping de = typing(QLocale::German, QLocale::Germany);
    const DateTyping se = typing(QLocale::Swedish, QLocale::Sweden);
    const QDate may3(2026, 5, 3);
    EXPECT_EQ(typed(gb, "03/05/2026"), may3);
    EXPECT_EQ(typed(gb, "03052026"), may3);
    EXPECT_EQ(typed(gb, "3/5/2026"), may3);
    EXPECT_EQ(typed(gb, "3-5-26"), may3);
    EXPECT_EQ(typed(us, "05/03/2026"), may3);
    EXPECT_EQ(typed(us, "05032026"), may3);
    EXPECT_EQ(typed(de, "03.05.2026"), may3);
    EXPECT_EQ(typed(de, "3.5.26"), may3);
    EXPECT_EQ(typed(se, "2026-05-03"), may3);
    EXPECT_EQ(typed(se, "20260503"), may3);
    // ISO in any locale.
    for (const DateTyping& t : {gb, us, de}) {
        EXPECT_EQ(typed(t, "2026-05-03"), may3);
        EXPECT_EQ(typed(t, "2026/5/3"), may3);
    }
    // Eight digits that make no date in the locale's order are ISO.
    EXPECT_EQ(typed(gb, "20260503"), may3);
}

TEST(DateTyping, ASeparatorAfterAFullSectionIsSwallowed) {
    DateTyping t = typing(QLocale::English, QLocale::UnitedKingdom);
    for (const QChar c : QStringLiteral("03")) {
        t.key(c);
    }
    EXPECT_EQ(t.text(), QStringLiteral("03/"));  // moved on by itself
    EXPECT_FALSE(t.key(u'/'));                   // the separator typed after it
    EXPECT_EQ(t.text(), QStringLiteral("03/"));
    for (const QChar c : QStringLiteral("05/2026")) {
        t.key(c);
    }
    EXPECT_EQ(t.text(), QStringLiteral("03/05/2026"));
    EXPECT_FALSE(t.key(u'7'));  // the year is full
    EXPECT_EQ(t.date(), QDate(2026, 5, 3));
    // Backspace takes back a digit, and with it the separator put in after it.
    t.backspace();
    t.backspace();
    t.backspace();
    t.backspace();
    EXPECT_EQ(t.text(), QStringLiteral("03/05/"));
    t.backspace();
    EXPECT_EQ(t.text(), QStringLiteral("03/0"));
    EXPECT_FALSE(t.date().isValid());
    // A German date shows with dots whatever separator is typed.
    DateTyping de = typing(QLocale::German, QLocale::Germany);
    for (const QChar c : QStringLiteral("3/5 2026")) {
        de.key(c);
    }
    EXPECT_EQ(de.text(), QStringLiteral("3.5.2026"));
    EXPECT_EQ(de.format(de.date()), QStringLiteral("03.05.2026"));
}

TEST(DateTyping, TwoDigitYearsAreTheNearestNotAfterNextYear) {
    EXPECT_EQ(DateTyping::fullYear(25, kToday), 2025);
    EXPECT_EQ(DateTyping::fullYear(27, kToday), 2027);
    EXPECT_EQ(DateTyping::fullYear(28, kToday), 1928);
    EXPECT_EQ(DateTyping::fullYear(99, kToday), 1999);
    EXPECT_EQ(DateTyping::fullYear(0, kToday), 2000);
    const DateTyping gb = typing(QLocale::English, QLocale::UnitedKingdom);
    EXPECT_EQ(typed(gb, "150625"), QDate(2025, 6, 15));
    EXPECT_EQ(typed(gb, "15/06/99"), QDate(1999, 6, 15));
}

TEST(DateTyping, ImpossibleDatesAreNoDateAndStayAsTyped) {
    DateTyping gb = typing(QLocale::English, QLocale::UnitedKingdom);
    for (const QChar c : QStringLiteral("31022026")) {
        gb.key(c);
    }
    EXPECT_EQ(gb.text(), QStringLiteral("31/02/2026"));
    EXPECT_FALSE(gb.date().isValid());
    for (const char* text :
         {"29/02/2026", "00/01/2026", "12/13/2026", "1/2", "1/2/345", "abc", "1/2/3/4", ""}) {
        EXPECT_FALSE(gb.parse(QString::fromLatin1(text)).isValid()) << text;
    }
    EXPECT_EQ(gb.parse(QStringLiteral("29/02/2024")), QDate(2024, 2, 29));
    // Letters are no key of a date.
    EXPECT_FALSE(gb.key(u'a'));
}

TEST(TimeOfDay, IsReadAsTypedOrRefused) {
    EXPECT_EQ(parseTimeOfDay(QStringLiteral("7:05")), QTime(7, 5));
    EXPECT_EQ(parseTimeOfDay(QStringLiteral("0705")), QTime(7, 5));
    EXPECT_EQ(parseTimeOfDay(QStringLiteral("19.30")), QTime(19, 30));
    EXPECT_EQ(parseTimeOfDay(QStringLiteral("6")), QTime(6, 0));
    EXPECT_EQ(parseTimeOfDay(QStringLiteral(" ")), QTime());
    EXPECT_FALSE(parseTimeOfDay(QStringLiteral("25:00")));
    EXPECT_FALSE(parseTimeOfDay(QStringLiteral("7:65")));
    EXPECT_FALSE(parseTimeOfDay(QStringLiteral("dawn")));
}

TEST(NearestNames, AreTheClosestByEditDistanceIgnoringCase) {
    const QStringList names = {"European Robin", "American Robin", "Robin Accentor", "Rook",
                               "Raven",          "Robins",         "Rock Dove",      "Robin",
                               "Bobolink",       "Bobbin"};
    EXPECT_EQ(editDistance(QStringLiteral("Robbin"), QStringLiteral("robin")), 1);
    const QStringList near = nearestNames(names, QStringLiteral("Robbin"));
    ASSERT_FALSE(near.isEmpty());
    EXPECT_LE(near.size(), 5);
    // Nearest first; ties keep the list's order.
    EXPECT_EQ(near.mid(0, 2), (QStringList{"Robin", "Bobbin"}));
    EXPECT_EQ(near.size(), 5);
    // A name ending in the word meant is near, behind the closer whole names.
    EXPECT_TRUE(near.contains(QStringLiteral("European Robin")));
    EXPECT_FALSE(near.contains(QStringLiteral("Rock Dove")));
    EXPECT_TRUE(nearestNames(names, QStringLiteral("Zzzzzzzzzz")).isEmpty());
    EXPECT_TRUE(nearestNames(names, QString()).isEmpty());
}
