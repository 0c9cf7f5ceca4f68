// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <vector>

namespace wf {

// The store's wildcard match, compared without regard to letter case, over the
// whole text:
//   *      any run of characters, the empty run included
//   ?      exactly one character
//   #      exactly one digit
//   [abc]  one character of the set; [a-z] a range; [!abc] one character not in the set
// Every other character stands for itself. A '[' without its ']' makes a
// pattern that matches nothing.
class WildcardPattern {
  public:
    explicit WildcardPattern(QStringView pattern);

    bool matches(QStringView text) const;
    // The same for UTF-8 text, without building a QString.
    bool matchesUtf8(const char* text, int length) const;
    bool isValid() const { return valid_; }
    // True when the pattern holds no wildcard: it matches one text only.
    bool isLiteral() const { return literal_; }
    // True when UTF-8 text is searched byte by byte (see prepareByteSearch).
    bool searchesBytes() const { return !needle_.empty(); }

  private:
    enum class Kind { Literal, Any, One, Digit, Set };
    struct Token {
        Kind kind;
        char32_t ch = 0;                                    // Literal: the folded character
        bool negate = false;                                // Set
        std::vector<std::pair<char32_t, char32_t>> ranges;  // Set: folded inclusive ranges
    };
    bool tokenMatches(const Token& t, char32_t c) const;
    bool matchFolded(const std::vector<char32_t>& s) const;
    // "*text*" where every character of text is matched by bytes alone: a
    // search of the UTF-8 bytes, without decoding or folding.
    void prepareByteSearch();
    enum class Search { Found, NotFound, Undecided };
    Search containsNeedle(const unsigned char* s, int length) const;

    // One character of the byte search: an ASCII letter in either case (k
    // and s also as the Kelvin sign and the long s, which fold onto them), or
    // bytes to be found as they are.
    struct NeedleChar {
        char letter = 0;  // lower-case, or 0
        std::string bytes;
    };

    std::vector<Token> tokens_;
    std::vector<NeedleChar> needle_;  // empty: no byte search
    bool valid_ = true;
    bool literal_ = true;
};

inline bool wildcardMatch(QStringView pattern, QStringView text) {
    return WildcardPattern(pattern).matches(text);
}

// Letter case folded for comparison (every script, not only ASCII).
char32_t foldCase(char32_t c);

// Compares two UTF-8 texts ignoring letter case: negative, 0 or positive.
// The same order the store uses for '=', DISTINCT and ORDER BY.
int compareNoCase(const char* a, int aLen, const char* b, int bLen);
int compareNoCase(QStringView a, QStringView b);

}  // namespace wf
