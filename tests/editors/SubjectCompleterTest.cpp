// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <random>

#include "Csv.h"
#include "QtPrinters.h"
#include "Resources.h"
#include "SubjectCompleter.h"
#include "Wildcard.h"

using namespace wf;

namespace {

const QStringList kBirds = {"Rock Dove", "Robin, American", "Raven", "Robin"};

}  // namespace

TEST(SubjectCompleter, SortsIgnoringCaseAndCompletesTheFirstLongerItem) {
    const SubjectCompleter c(kBirds);
    EXPECT_EQ(c.items(), QStringList({"Raven", "Robin", "Robin, American", "Rock Dove"}));
    EXPECT_EQ(c.completion("r", 1), QStringLiteral("Raven"));
    EXPECT_EQ(c.completion("ro", 2), QStringLiteral("Robin"));
    EXPECT_EQ(c.completion("robin", 5), QStringLiteral("Robin, American"));
    EXPECT_EQ(c.completion("ROCK", 4), QStringLiteral("Rock Dove"));
    EXPECT_FALSE(c.completion("rock dove", 9));  // nothing longer
    EXPECT_FALSE(c.completion("robin, american!", 16));
    EXPECT_FALSE(c.completion("heron", 5));
    EXPECT_FALSE(c.completion("", 0));
    // Only the characters before the caret count.
    EXPECT_EQ(c.completion("rxyz", 1), QStringLiteral("Raven"));
    EXPECT_EQ(c.exactItem("ROCK DOVE"), QStringLiteral("Rock Dove"));
    EXPECT_FALSE(c.exactItem("Rock"));
}

TEST(SubjectCompleter, WildcardsAndAnUnclosedBracket) {
    const SubjectCompleter c(kBirds);
    EXPECT_EQ(c.completion("r?v", 3), QStringLiteral("Raven"));
    EXPECT_EQ(c.completion("*dove", 5), QStringLiteral("Rock Dove"));
    EXPECT_EQ(c.completion("r[!a]", 5), QStringLiteral("Robin"));
    EXPECT_FALSE(c.completion("r[", 2));
    EXPECT_FALSE(c.completion("[", 1));
    EXPECT_TRUE(SubjectCompleter().items().isEmpty());
    EXPECT_FALSE(SubjectCompleter().completion("r", 1));
}

TEST(SubjectCompleter, BinarySearchFindsWhatTheWalkFindsWildcardsToo) {
    QFile f(worldListPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const CsvTable t = parseCsv(QString::fromUtf8(f.readAll()));
    QStringList names;
    for (const QStringList& row : t.rows) {
        names << row[1];
    }
    names << "robin"
          << "ROBIN"
          << "Rüppell's";
    const SubjectCompleter c(names);
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        const QString& name = c.items()[qsizetype(rng() % c.items().size())];
        const int len = int(rng() % (name.size() + 1));
        QString text = name.left(len);
        if (rng() % 3 == 0) {
            text = text.toUpper();
        }
        // Half the time a wildcard in place of a letter, at the start too.
        if (!text.isEmpty() && rng() % 2 == 0) {
            static const QString kWild[] = {"?", "*", "#", "[a-m]", "[!e]"};
            text.replace(qsizetype(rng() % text.size()), 1, kWild[rng() % 5]);
        }
        const int caret = int(text.size());
        // The walk of the list in order, as the user's box would.
        std::optional<QString> walk;
        const WildcardPattern pattern(text + u'*');
        for (const QString& item : c.items()) {
            if (pattern.matches(item) && compareNoCase(item, text) != 0) {
                walk = item;
                break;
            }
        }
        ASSERT_EQ(c.completion(text, caret), text.isEmpty() ? std::nullopt : walk)
            << text.toStdString();
    }
}
