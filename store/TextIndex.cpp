// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextIndex.h"

#include <QStringList>
#include <vector>

namespace wf {

bool indexSafe(char32_t c) {
    if (c < 0x80) {
        // Other ASCII letters are reached from their capitals only.
        return c != 0 && c != 'k' && c != 'K' && c != 's' && c != 'S';
    }
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return false;
    }
    switch (QChar::category(c)) {
        case QChar::Letter_Uppercase:
        case QChar::Letter_Lowercase:
        case QChar::Letter_Titlecase:
        case QChar::Other_NotAssigned:
            return false;
        default:
            break;
    }
    return QChar::toCaseFolded(c) == c && QChar::toLower(c) == c && QChar::toUpper(c) == c;
}

namespace {

// The runs of characters the phrase matches literally, cut at every
// character the index cannot be trusted with.
std::vector<std::u32string> safeRuns(QStringView phrase) {
    std::vector<std::u32string> runs(1);
    const auto cut = [&] {
        if (!runs.back().empty()) {
            runs.emplace_back();
        }
    };
    // Code points as the match reads them: a lone surrogate stands for
    // itself (and is never safe).
    std::vector<char32_t> points;
    for (qsizetype i = 0; i < phrase.size(); ++i) {
        const char16_t u = phrase[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < phrase.size() &&
            QChar::isLowSurrogate(phrase[i + 1].unicode())) {
            points.push_back(QChar::surrogateToUcs4(u, phrase[i + 1].unicode()));
            ++i;
        } else {
            points.push_back(u);
        }
    }
    for (size_t i = 0; i < points.size(); ++i) {
        const char32_t c = points[i];
        if (c == '[') {
            // A set stands for one character of several: skip to its end.
            while (i < points.size() && points[i] != ']') {
                ++i;
            }
            cut();
        } else if (c == '*' || c == '?' || c == '#' || !indexSafe(c)) {
            cut();
        } else {
            runs.back().push_back(c);
        }
    }
    return runs;
}

QString quoted(const std::u32string& s) {
    QString q = QString::fromUcs4(s.data(), qsizetype(s.size()));
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

bool isWordCharacter(char32_t c) {
    return QChar::isLetterOrNumber(c);
}

}  // namespace

QString textIndexQuery(QStringView phrase) {
    // One run is enough to pick the candidates: the longest. Of a long run,
    // six characters: each more is one more list for the index to read.
    // The six that cross the most word boundaries (pairs of words meet
    // far less often than either word occurs), nearest the middle.
    constexpr size_t kWindow = 6;
    std::u32string best;
    for (const std::u32string& run : safeRuns(phrase)) {
        if (run.size() >= 3 && run.size() > best.size()) {
            best = run;
        }
    }
    if (best.size() > kWindow) {
        size_t chosen = 0;
        int chosenScore = -1;
        for (size_t at = 0; at + kWindow <= best.size(); ++at) {
            int breaks = 0;
            int firstBreak = -1;
            for (size_t i = at; i < at + kWindow; ++i) {
                if (!isWordCharacter(best[i])) {
                    ++breaks;
                    if (firstBreak < 0) {
                        firstBreak = int(i - at);
                    }
                }
            }
            const int central =
                firstBreak < 0 ? 0 : int(kWindow) - std::abs(2 * firstBreak - int(kWindow));
            const int score = breaks * 100 + central;
            if (score > chosenScore) {
                chosenScore = score;
                chosen = at;
            }
        }
        best = best.substr(chosen, kWindow);
    }
    return best.size() >= 3 ? quoted(best) : QString();
}

}  // namespace wf
