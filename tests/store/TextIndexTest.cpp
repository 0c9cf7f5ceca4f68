// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <random>

#include "QtPrinters.h"
#include "Store.h"
#include "TextIndex.h"
#include "Wildcard.h"

using namespace wf;

// The index is trusted with a character only when every character the
// match takes for it is one the index takes for it too.
TEST(TextIndex, ASafeCharacterIsReachedOnlyFromItselfOrItsAsciiCapital) {
    for (char32_t x = 0; x <= 0x10FFFF; ++x) {
        if (x >= 0xD800 && x <= 0xDFFF) {
            continue;
        }
        const char32_t folded = foldCase(x);
        if (indexSafe(folded)) {
            ASSERT_TRUE(x == folded || x < 0x80) << std::hex << uint32_t(x);
        }
        if (indexSafe(x) && x >= 0x80) {
            ASSERT_EQ(folded, x) << std::hex << uint32_t(x);
        }
    }
    EXPECT_FALSE(indexSafe(U'k'));  // the Kelvin sign folds to it
    EXPECT_FALSE(indexSafe(U's'));  // and the long s
    EXPECT_FALSE(indexSafe(U'é'));
    EXPECT_TRUE(indexSafe(U'鳥'));
}

TEST(TextIndex, APieceOfThePhraseTakenLiterallyIsLookedUp) {
    EXPECT_EQ(textIndexQuery(u"heron"), QStringLiteral(R"("heron")"));
    EXPECT_EQ(textIndexQuery(u"flock"), QStringLiteral(R"("floc")"));  // k is cut
    EXPECT_EQ(textIndexQuery(u"ab"), QString());
    EXPECT_EQ(textIndexQuery(u"a?bcd*e"), QStringLiteral(R"("bcd")"));
    EXPECT_EQ(textIndexQuery(u"[abcd]efg#"), QStringLiteral(R"("efg")"));
    EXPECT_EQ(textIndexQuery(u"say \"hi\""), QStringLiteral(R"("y ""hi""")"));
    // The longest run; of a long one, six characters across a word boundary.
    EXPECT_EQ(textIndexQuery(u"ab*juvenile courtship"), QStringLiteral(R"("ile co")"));
    EXPECT_EQ(textIndexQuery(u"Ελλάδα"), QString());  // cased letters beyond ASCII: read whole
    EXPECT_EQ(textIndexQuery(u"白頭鷲"), QStringLiteral(R"("白頭鷲")"));
}

namespace {

// Words of several scripts, letter cases and wildcard characters, and the
// letters that fold across scripts (the Kelvin sign, the long s).
const char* const kWords[] = {
    "flock",    "Flock",    "FLOCK",       "heron",       "Heronry",  "grey",    "Grey Heron",
    "ſtarling", "K-pop",    "\u212Aelvin", "kelvin",      "Ελλάδα",   "ελλαδα",  "Straße",
    "STRASSE",  "strasse",  "白頭鷲",      "鷲",          "3 eggs",   "33 eggs", "a*b",
    "[sic]",    "quote\"d", "tab\there",   "#1",          "ÉCLAIR",   "éclair",  "naïve",
    "NAÏVE",    "ǅemal",    "ǆemal",       "İstanbul",    "istanbul", "o'clock", "wren",
    "Wren",     "wrens",    "sandpiper",   "Sandpiper's", "😀 smile",
};

QString randomText(std::mt19937& rng, int words) {
    std::uniform_int_distribution<size_t> pick(0, std::size(kWords) - 1);
    QStringList parts;
    for (int i = 0; i < words; ++i) {
        parts << QString::fromUtf8(kWords[pick(rng)]);
    }
    return parts.join(u' ');
}

// A phrase cut from a text, its letters' case changed and some of them
// replaced by wildcards.
QString randomPhrase(std::mt19937& rng, const QString& text) {
    std::uniform_int_distribution<int> die(0, 99);
    const QList<uint> points = text.toUcs4();
    const int length = 1 + die(rng) % 12;
    const int start = points.size() > length ? die(rng) % int(points.size() - length) : 0;
    QString phrase;
    for (int i = start; i < std::min<int>(start + length, int(points.size())); ++i) {
        const char32_t c = points[i];
        const int roll = die(rng);
        if (roll < 4) {
            phrase += u'?';
        } else if (roll < 7) {
            phrase += u'*';
        } else if (roll < 9) {
            phrase += u'#';
        } else if (roll < 11) {
            phrase += QStringLiteral("[a-m]");
        } else if (roll < 13) {
            phrase += QStringLiteral("[!e]");
        } else if (roll < 30) {
            phrase += QString::fromUcs4(&c, 1).toUpper();
        } else {
            phrase += QString::fromUcs4(&c, 1);
        }
    }
    if (die(rng) < 3) {
        phrase += u'[';  // never closed: matches nothing
    }
    return phrase;
}

std::vector<qint64> ids(const std::vector<ListedEntry>& rows) {
    std::vector<qint64> out;
    for (const ListedEntry& e : rows) {
        out.push_back(e.id);
    }
    return out;
}

}  // namespace

// Looked up in the index or read whole, every phrase finds the same rows in
// the same order: wildcards, letter case and other scripts included, and
// after articles are changed and deleted.
TEST(TextIndex, IndexAndFullReadFindTheSameRows) {
    auto store = Store::createInMemory();
    std::mt19937 rng(20261206);
    const qint64 heron = store->addSubject(Category::Birds, QStringLiteral("Heron"));
    const qint64 wren = store->addSubject(Category::Birds, QStringLiteral("Wren"));
    const qint64 trips = store->addSubject(Category::Topics, QStringLiteral("Trips"));
    SQLite::Statement insert(store->database(),
                             "INSERT INTO data (catid, subid, type, title, plaintext) "
                             "VALUES (?, ?, 'Article', ?, ?)");
    std::vector<QString> texts;
    for (int i = 0; i < 300; ++i) {
        const Category cat = i % 5 == 0 ? Category::Topics : Category::Birds;
        texts.push_back(randomText(rng, 2 + i % 9));
        insert.bind(1, static_cast<int>(cat));
        insert.bind(2, static_cast<int64_t>(cat == Category::Topics ? trips
                                            : i % 2                 ? heron
                                                                    : wren));
        insert.bind(3, QStringLiteral("Note %1").arg(i % 17).toStdString());
        insert.bind(4, texts.back().toStdString());
        insert.exec();
        insert.reset();
    }
    const auto compare = [&](int phrases) {
        int found = 0;
        int looked = 0;
        for (int i = 0; i < phrases; ++i) {
            const QString phrase = randomPhrase(
                rng, texts[std::uniform_int_distribution<size_t>(0, texts.size() - 1)(rng)]);
            looked += textIndexQuery(phrase).isEmpty() ? 0 : 1;
            for (const Category cat : {Category::Birds, Category::Topics}) {
                const CustomSearch search{QStringLiteral("Article"), phrase, cat};
                store->setTextIndexUsed(true);
                const std::vector<qint64> indexed = ids(store->search(search));
                store->setTextIndexUsed(false);
                const std::vector<qint64> read = ids(store->search(search));
                ASSERT_EQ(indexed, read) << phrase.toStdString();
                found += indexed.empty() ? 0 : 1;
            }
        }
        // The phrases were cut from the texts: most find something.
        EXPECT_GT(found, phrases / 2);
        EXPECT_GT(looked, phrases / 4);  // and many were looked up in the index
    };
    compare(400);
    // Changed and deleted articles leave the index as they leave the text.
    SQLite::Statement change(store->database(), "UPDATE data SET plaintext = ? WHERE id = ?");
    for (int id = 1; id <= 300; id += 3) {
        texts[size_t(id - 1)] = randomText(rng, 4);
        change.bind(1, texts[size_t(id - 1)].toStdString());
        change.bind(2, id);
        change.exec();
        change.reset();
    }
    for (int id = 2; id <= 300; id += 7) {
        EXPECT_TRUE(store->deleteEntry(id));
    }
    compare(200);
    store->setTextIndexUsed(true);
    EXPECT_EQ(store->database().execAndGet("SELECT count(*) FROM data_text").getInt(),
              store->rowCount("data"));
}
