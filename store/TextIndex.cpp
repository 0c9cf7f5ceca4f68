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

}  // namespace

QString textIndexQuery(QStringView phrase) {
    // Pieces every third character along each run (and the run's last), so
    // that each character is looked up once; a handful is selective enough.
    constexpr int kMostPieces = 8;
    QStringList pieces;
    for (const std::u32string& run : safeRuns(phrase)) {
        if (run.size() < 3) {
            continue;
        }
        for (size_t at = 0;; at += 3) {
            const size_t start = std::min(at, run.size() - 3);
            const QString piece = quoted(run.substr(start, 3));
            if (!pieces.contains(piece)) {
                pieces.push_back(piece);
            }
            if (start == run.size() - 3 || pieces.size() >= kMostPieces) {
                break;
            }
        }
        if (pieces.size() >= kMostPieces) {
            break;
        }
    }
    return pieces.join(QStringLiteral(" AND "));
}

}  // namespace wf
