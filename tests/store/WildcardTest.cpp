// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "Wildcard.h"

using wf::wildcardMatch;
using wf::WildcardPattern;

TEST(Wildcard, LiteralsMatchTheWholeTextIgnoringCase) {
    EXPECT_TRUE(wildcardMatch(u"robin", u"Robin"));
    EXPECT_TRUE(wildcardMatch(u"RÜPPELL'S VULTURE", u"Rüppell's Vulture"));
    EXPECT_FALSE(wildcardMatch(u"Robin", u"Robin, American"));
    EXPECT_FALSE(wildcardMatch(u"Robin, American", u"Robin"));
    EXPECT_TRUE(wildcardMatch(u"", u""));
    EXPECT_FALSE(wildcardMatch(u"", u"a"));
    // Characters that are special elsewhere stand for themselves.
    EXPECT_TRUE(wildcardMatch(u"50% \"off\"", u"50% \"OFF\""));
    EXPECT_FALSE(wildcardMatch(u"a%", u"abc"));
    EXPECT_FALSE(wildcardMatch(u"a_c", u"abc"));
}

TEST(Wildcard, StarQuestionAndDigit) {
    EXPECT_TRUE(wildcardMatch(u"Rob*", u"Robin, American"));
    EXPECT_TRUE(wildcardMatch(u"*", u""));
    EXPECT_TRUE(wildcardMatch(u"**", u"anything"));
    EXPECT_TRUE(wildcardMatch(u"*vulture", u"Rüppell's Vulture"));
    EXPECT_TRUE(wildcardMatch(u"*a*b*c*", u"xxaxxbxxcxx"));
    EXPECT_FALSE(wildcardMatch(u"*a*b*c*", u"xxcxxbxxaxx"));
    EXPECT_TRUE(wildcardMatch(u"R?bin", u"Robin"));
    EXPECT_FALSE(wildcardMatch(u"R?bin", u"Rbin"));
    EXPECT_TRUE(wildcardMatch(u"?üppell*", u"Rüppell's Vulture"));
    EXPECT_TRUE(wildcardMatch(u"Site ##", u"Site 42"));
    EXPECT_FALSE(wildcardMatch(u"Site ##", u"Site 4x"));
    EXPECT_FALSE(wildcardMatch(u"#", u""));
}

TEST(Wildcard, CharacterSets) {
    EXPECT_TRUE(wildcardMatch(u"[abc]at", u"Bat"));
    EXPECT_FALSE(wildcardMatch(u"[abc]at", u"rat"));
    EXPECT_TRUE(wildcardMatch(u"[a-f]*", u"Dove"));
    EXPECT_FALSE(wildcardMatch(u"[a-f]*", u"Raven"));
    EXPECT_TRUE(wildcardMatch(u"[!a-f]*", u"Raven"));
    EXPECT_FALSE(wildcardMatch(u"[!abc]at", u"cat"));
    EXPECT_TRUE(wildcardMatch(u"[*]*", u"*star"));
    EXPECT_FALSE(wildcardMatch(u"[*]*", u"star"));
    EXPECT_TRUE(wildcardMatch(u"a[?]", u"a?"));
    EXPECT_TRUE(wildcardMatch(u"[[]x", u"[x"));
}

TEST(Wildcard, UnclosedBracketMatchesNothing) {
    WildcardPattern p(u"Rob[in");
    EXPECT_FALSE(p.isValid());
    EXPECT_FALSE(p.matches(u"Rob[in"));
    EXPECT_FALSE(p.matches(u"Robin"));
    EXPECT_FALSE(wildcardMatch(u"[", u"["));
    EXPECT_FALSE(wildcardMatch(u"*[", u"anything["));
}

TEST(Wildcard, LiteralPatternsAreRecognised) {
    EXPECT_TRUE(WildcardPattern(u"Rock Dove").isLiteral());
    EXPECT_FALSE(WildcardPattern(u"Rock*").isLiteral());
    EXPECT_FALSE(WildcardPattern(u"[R]ock").isLiteral());
}

TEST(Wildcard, CompareNoCaseOrdersLikeFoldedText) {
    EXPECT_EQ(wf::compareNoCase(QStringLiteral("ROBIN"), QStringLiteral("robin")), 0);
    EXPECT_EQ(wf::compareNoCase(QStringLiteral("RÜPPELL"), QStringLiteral("rüppell")), 0);
    EXPECT_LT(wf::compareNoCase(QStringLiteral("apple"), QStringLiteral("Banana")), 0);
    EXPECT_GT(wf::compareNoCase(QStringLiteral("Robin, American"), QStringLiteral("robin")), 0);
    EXPECT_LT(wf::compareNoCase(QStringLiteral("Rock"), QStringLiteral("Rüppell")), 0);
    // Malformed UTF-8 still compares, and never equal to a real letter.
    const char bad[] = "\xC3";
    EXPECT_NE(wf::compareNoCase(bad, 1, "a", 1), 0);
    EXPECT_EQ(wf::compareNoCase(bad, 1, bad, 1), 0);
}

// "*text*" over UTF-8 is answered by a search of the bytes when every
// character of text can be: it must agree with the character-by-character
// match everywhere, the letters that other characters fold onto included.
TEST(Wildcard, TheByteSearchAgreesWithTheFoldedMatch) {
    // Each a piece of text: ASCII in both cases, k and s and what folds onto
    // them (Kelvin sign, long s), letters that fold elsewhere (sharp s,
    // accented, Greek), caseless CJK, an emoji and punctuation.
    const QStringList pieces = {u"a"_qs, u"A"_qs,      u"k"_qs,  u"K"_qs, u"\u212A"_qs, u"s"_qs,
                                u"S"_qs, u"\u017F"_qs, u"ß"_qs,  u"é"_qs, u"É"_qs,      u"σ"_qs,
                                u"Σ"_qs, u"ς"_qs,      u"中"_qs, u"😀"_qs, u" "_qs,      u"-"_qs,
                                u"1"_qs, u"[x]"_qs,    u"i"_qs,  u"İ"_qs};
    quint32 seed = 12345;
    auto next = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % quint32(n));
    };
    auto textOf = [&](int most) {
        QString t;
        for (int i = next(most) + 1; i > 0; --i) {
            t += pieces[next(int(pieces.size()))];
        }
        return t;
    };
    int searched = 0;
    int found = 0;
    for (int round = 0; round < 4000; ++round) {
        const QString phrase = textOf(3);
        const WildcardPattern p(u'*' + phrase + u'*');
        for (int j = 0; j < 8; ++j) {
            const QString text = textOf(12);
            const QByteArray utf8 = text.toUtf8();
            const bool expected = p.matches(text);
            ASSERT_EQ(p.matchesUtf8(utf8.constData(), int(utf8.size())), expected)
                << "pattern *" << phrase.toStdString() << "* text " << text.toStdString();
            found += expected ? 1 : 0;
        }
        searched += p.searchesBytes() ? 1 : 0;
    }
    EXPECT_GT(found, 1000);  // both answers well represented
    EXPECT_GT(searched, 1000);
    EXPECT_LT(searched, 3500);  // and the folded match for the others

    // What reaches the byte search in a real phrase.
    const WildcardPattern kelvin(u"*Kestrel's*");
    EXPECT_TRUE(kelvin.searchesBytes());
    EXPECT_FALSE(WildcardPattern(u"*Kestrel?*").searchesBytes());
    EXPECT_FALSE(WildcardPattern(u"*Rüppell*").searchesBytes());
    const QByteArray text = QStringLiteral("A \u212Aestrel\u017F' nest").toUtf8();
    EXPECT_FALSE(kelvin.matchesUtf8(text.constData(), int(text.size())));
    const QByteArray text2 = QStringLiteral("A \u212Aestrel'\u017F nest").toUtf8();
    EXPECT_TRUE(kelvin.matchesUtf8(text2.constData(), int(text2.size())));
    // A character written in too many bytes is still read as that character.
    const char overlong[] = "x\xE0\x81\x81y";  // "xAy", the A in three bytes
    EXPECT_TRUE(WildcardPattern(u"*a*").matchesUtf8(overlong, 5));
    EXPECT_TRUE(WildcardPattern(u"*xay*").matchesUtf8(overlong, 5));
}
