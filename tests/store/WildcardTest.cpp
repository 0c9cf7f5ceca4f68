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
