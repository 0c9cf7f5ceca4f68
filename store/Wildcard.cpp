// SPDX-License-Identifier: GPL-3.0-or-later
#include "Wildcard.h"

#include <algorithm>
#include <cstring>

#include <QChar>

#include "TextIndex.h"

namespace wf {

char32_t foldCase(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    }
    return QChar::toCaseFolded(c);
}

namespace {

// Calls f with each code point of s (a lone surrogate stands for itself).
template <typename F>
void forEachCodePoint(QStringView s, F&& f) {
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(s[i + 1].unicode())) {
            f(QChar::surrogateToUcs4(u, s[i + 1].unicode()));
            ++i;
        } else {
            f(char32_t(u));
        }
    }
}

}  // namespace

WildcardPattern::WildcardPattern(QStringView pattern) {
    std::vector<char32_t> p;
    forEachCodePoint(pattern, [&](char32_t c) { p.push_back(c); });
    for (size_t i = 0; i < p.size(); ++i) {
        const char32_t c = p[i];
        Token t;
        if (c == '*') {
            t.kind = Kind::Any;
            literal_ = false;
        } else if (c == '?') {
            t.kind = Kind::One;
            literal_ = false;
        } else if (c == '#') {
            t.kind = Kind::Digit;
            literal_ = false;
        } else if (c == '[') {
            literal_ = false;
            size_t j = i + 1;
            t.kind = Kind::Set;
            if (j < p.size() && p[j] == '!') {
                t.negate = true;
                ++j;
            }
            bool closed = false;
            while (j < p.size()) {
                if (p[j] == ']') {
                    closed = true;
                    break;
                }
                char32_t lo = foldCase(p[j]);
                char32_t hi = lo;
                if (j + 2 < p.size() && p[j + 1] == '-' && p[j + 2] != ']') {
                    hi = foldCase(p[j + 2]);
                    j += 2;
                }
                if (lo > hi) {
                    std::swap(lo, hi);
                }
                t.ranges.emplace_back(lo, hi);
                ++j;
            }
            if (!closed) {
                valid_ = false;
                tokens_.clear();
                return;
            }
            i = j;
        } else {
            t.kind = Kind::Literal;
            t.ch = foldCase(c);
        }
        // Runs of '*' behave as one.
        if (t.kind == Kind::Any && !tokens_.empty() && tokens_.back().kind == Kind::Any) {
            continue;
        }
        tokens_.push_back(std::move(t));
    }
    prepareByteSearch();
}

void WildcardPattern::prepareByteSearch() {
    if (tokens_.size() < 3 || tokens_.front().kind != Kind::Any ||
        tokens_.back().kind != Kind::Any) {
        return;
    }
    std::vector<NeedleChar> needle;
    for (size_t i = 1; i + 1 < tokens_.size(); ++i) {
        const Token& t = tokens_[i];
        // Bytes alone decide a character that only itself and its ASCII
        // capital fold onto; k and s have one more each, sought by name.
        if (t.kind != Kind::Literal || !(t.ch == 'k' || t.ch == 's' || indexSafe(t.ch))) {
            return;
        }
        NeedleChar n;
        if (t.ch >= 'a' && t.ch <= 'z') {
            n.letter = char(t.ch);
        } else {
            n.bytes = QString::fromUcs4(&t.ch, 1).toStdString();
        }
        needle.push_back(std::move(n));
    }
    needle_ = std::move(needle);
}

namespace {

// Whether an overlong UTF-8 sequence (a character written in more bytes than
// it needs) starts at s[i]: the decoder below reads it as the character it
// spells, which bytes alone cannot find.
bool overlongAt(const unsigned char* s, int length, int i) {
    return i + 1 < length &&
           ((s[i] == 0xE0 && s[i + 1] < 0xA0) || (s[i] == 0xF0 && s[i + 1] < 0x90));
}

}  // namespace

WildcardPattern::Search WildcardPattern::containsNeedle(const unsigned char* s, int length) const {
    // The Kelvin sign (E2 84 AA) folds onto k and the long s (C5 BF) onto s.
    auto at = [&](const NeedleChar& n, int i) -> int {  // bytes matched at i, or 0
        const unsigned char b = s[i];
        if (n.letter != 0) {
            if ((b | 0x20) == static_cast<unsigned char>(n.letter)) {
                return 1;
            }
            if (n.letter == 'k' && b == 0xE2 && i + 2 < length && s[i + 1] == 0x84 &&
                s[i + 2] == 0xAA) {
                return 3;
            }
            if (n.letter == 's' && b == 0xC5 && i + 1 < length && s[i + 1] == 0xBF) {
                return 2;
            }
            return 0;
        }
        const int n0 = int(n.bytes.size());
        return i + n0 <= length && std::memcmp(s + i, n.bytes.data(), size_t(n0)) == 0 ? n0 : 0;
    };
    bool overlong = false;
    for (int start = 0; start < length; ++start) {
        overlong = overlong || overlongAt(s, length, start);
        int i = start;
        size_t k = 0;
        while (k < needle_.size() && i < length) {
            const int used = at(needle_[k], i);
            if (used == 0) {
                break;
            }
            i += used;
            ++k;
        }
        if (k == needle_.size()) {
            return Search::Found;
        }
    }
    // Not found in the bytes; a text with an overlong sequence is read again
    // character by character.
    return overlong ? Search::Undecided : Search::NotFound;
}

bool WildcardPattern::tokenMatches(const Token& t, char32_t c) const {
    switch (t.kind) {
        case Kind::Literal:
            return t.ch == c;
        case Kind::One:
            return true;
        case Kind::Digit:
            return QChar::isDigit(c);
        case Kind::Set: {
            bool in = false;
            for (const auto& [lo, hi] : t.ranges) {
                if (c >= lo && c <= hi) {
                    in = true;
                    break;
                }
            }
            return in != t.negate;
        }
        case Kind::Any:
            break;
    }
    return false;
}

bool WildcardPattern::matches(QStringView text) const {
    if (!valid_) {
        return false;
    }
    // Most texts of a walk fail on the pattern's first letters: look at those
    // before folding the whole text.
    size_t head = 0;
    qsizetype i = 0;
    while (head < tokens_.size() && tokens_[head].kind == Kind::Literal) {
        if (i >= text.size()) {
            return false;
        }
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size()) {
            c = QChar::surrogateToUcs4(char16_t(c), text[i + 1].unicode());
            ++i;
        }
        ++i;
        if (foldCase(c) != tokens_[head].ch) {
            return false;
        }
        ++head;
    }
    // One buffer per thread, reused by every text a walk tests.
    thread_local std::vector<char32_t> folded;
    folded.clear();
    forEachCodePoint(text, [](char32_t c) { folded.push_back(foldCase(c)); });
    return matchFolded(folded);
}

bool WildcardPattern::matchFolded(const std::vector<char32_t>& s) const {
    // Greedy walk with one remembered star: linear for most patterns and
    // never worse than pattern length times text length.
    size_t ti = 0, pi = 0;
    size_t starP = SIZE_MAX, starT = 0;
    while (ti < s.size()) {
        if (pi < tokens_.size() && tokens_[pi].kind == Kind::Any) {
            starP = pi++;
            starT = ti;
        } else if (pi < tokens_.size() && tokenMatches(tokens_[pi], s[ti])) {
            ++pi;
            ++ti;
        } else if (starP != SIZE_MAX) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < tokens_.size() && tokens_[pi].kind == Kind::Any) {
        ++pi;
    }
    return pi == tokens_.size();
}

namespace {

// Decodes one UTF-8 sequence. A malformed byte decodes to a value above every
// character, so that any byte string still has a total order.
char32_t decodeUtf8(const unsigned char* s, int len, int& i) {
    const unsigned char b = s[i];
    int extra = 0;
    char32_t cp = 0;
    if (b < 0x80) {
        ++i;
        return b;
    } else if (b >= 0xC2 && b < 0xE0) {
        extra = 1;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b < 0xF0) {
        extra = 2;
        cp = b & 0x0F;
    } else if (b >= 0xF0 && b < 0xF5) {
        extra = 3;
        cp = b & 0x07;
    } else {
        ++i;
        return 0x110000u + b;
    }
    if (i + extra >= len) {
        ++i;
        return 0x110000u + b;
    }
    for (int k = 1; k <= extra; ++k) {
        const unsigned char c = s[i + k];
        if ((c & 0xC0) != 0x80) {
            ++i;
            return 0x110000u + b;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += extra + 1;
    return cp;
}

}  // namespace

bool WildcardPattern::matchesUtf8(const char* text, int length) const {
    if (!valid_) {
        return false;
    }
    const auto* u = reinterpret_cast<const unsigned char*>(text);
    if (!needle_.empty()) {
        const Search found = containsNeedle(u, length);
        if (found != Search::Undecided) {
            return found == Search::Found;
        }
    }
    // One buffer per thread, reused by every row a query tests.
    thread_local std::vector<char32_t> folded;
    folded.clear();
    for (int i = 0; i < length;) {
        folded.push_back(foldCase(decodeUtf8(u, length, i)));
    }
    return matchFolded(folded);
}

int compareNoCase(const char* a, int aLen, const char* b, int bLen) {
    const auto* ua = reinterpret_cast<const unsigned char*>(a);
    const auto* ub = reinterpret_cast<const unsigned char*>(b);
    // Identical bytes fold alike: skip them (an index holds many equal
    // places), back to the start of the character they end in.
    int same = 0;
    const int shorter = std::min(aLen, bLen);
    while (same < shorter && ua[same] == ub[same]) {
        ++same;
    }
    if (same == aLen && same == bLen) {
        return 0;
    }
    while (same > 0 && same < shorter && (ua[same] & 0xC0) == 0x80) {
        --same;
    }
    int i = same, j = same;
    while (i < aLen && j < bLen) {
        char32_t ca, cb;
        if (ua[i] < 0x80 && ub[j] < 0x80) {
            ca = foldCase(ua[i++]);
            cb = foldCase(ub[j++]);
        } else {
            ca = foldCase(decodeUtf8(ua, aLen, i));
            cb = foldCase(decodeUtf8(ub, bLen, j));
        }
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (i < aLen) {
        return 1;
    }
    if (j < bLen) {
        return -1;
    }
    return 0;
}

int compareNoCase(QStringView a, QStringView b) {
    // Code point by code point, as the UTF-8 comparison above orders them.
    auto next = [](QStringView s, qsizetype& i) -> char32_t {
        const char16_t u = s[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < s.size() &&
            QChar::isLowSurrogate(s[i + 1].unicode())) {
            const char32_t c = QChar::surrogateToUcs4(u, s[i + 1].unicode());
            i += 2;
            return c;
        }
        ++i;
        return u;
    };
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = foldCase(next(a, i));
        const char32_t cb = foldCase(next(b, j));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    if (j < b.size()) {
        return -1;
    }
    return 0;
}

}  // namespace wf
