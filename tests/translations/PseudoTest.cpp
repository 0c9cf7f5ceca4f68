// SPDX-License-Identifier: GPL-3.0-or-later
// The pseudo-translation keeps what the program reads in a text.
#include <gtest/gtest.h>

#include "Pseudo.h"

using wf::pseudo::isTranslated;
using wf::pseudo::translate;

TEST(Pseudo, AccentsBracketsAndLengthensByFortyPercent) {
    const QString t = translate(QStringLiteral("Save the picture"));
    EXPECT_TRUE(isTranslated(t));
    EXPECT_TRUE(t.startsWith(u'['));
    EXPECT_TRUE(t.endsWith(u']'));
    EXPECT_GE(t.size(), qsizetype(16 * 1.4));
    EXPECT_FALSE(t.contains(QLatin1String("Save")));
}

TEST(Pseudo, KeepsWhatTheProgramReads) {
    // Placeholders, mnemonic letters, tags, entities, a shortcut after a tab.
    const QString t = translate(QStringLiteral("%1 under %2 match &no <b>bird</b> &amp; %n"));
    for (const char* kept : {"%1", "%2", "&n", "<b>", "</b>", "&amp;", "%n"}) {
        EXPECT_TRUE(t.contains(QLatin1String(kept))) << kept << " in " << t.toStdString();
    }
    EXPECT_TRUE(
        translate(QStringLiteral("&Delete Current Entry\tDel")).endsWith(QLatin1String("]\tDel")));
    // File dialog filters keep their patterns and their ";;".
    const QString filter = translate(QStringLiteral("CSV files (*.csv);;All files (*)"));
    EXPECT_TRUE(filter.contains(QLatin1String("] (*.csv);;[")));
    EXPECT_TRUE(filter.endsWith(QLatin1String("] (*)")));
    // Spaces at the ends stay outside, for texts joined to others.
    EXPECT_TRUE(translate(QStringLiteral(" on ")).startsWith(QLatin1String(" [")));
    EXPECT_TRUE(translate(QStringLiteral(" on ")).endsWith(QLatin1String("] ")));
    // Nothing to translate, nothing changed.
    EXPECT_EQ(translate(QStringLiteral(" = %1")), QStringLiteral(" = %1"));
}
