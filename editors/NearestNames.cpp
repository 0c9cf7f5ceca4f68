// SPDX-License-Identifier: GPL-3.0-or-later
#include "NearestNames.h"

#include <algorithm>
#include <vector>

namespace wf {

namespace {

// The distance of folded texts, or more than limit as soon as it must be.
int distanceWithin(const QString& a, const QString& b, int limit, std::vector<int>& row) {
    const int n = int(a.size());
    const int m = int(b.size());
    if (std::abs(n - m) > limit) {
        return limit + 1;
    }
    row.resize(size_t(m) + 1);
    for (int j = 0; j <= m; ++j) {
        row[size_t(j)] = j;
    }
    for (int i = 1; i <= n; ++i) {
        int diagonal = row[0];
        row[0] = i;
        int best = row[0];
        for (int j = 1; j <= m; ++j) {
            const int above = row[size_t(j)];
            const int change = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            row[size_t(j)] = std::min({above + 1, row[size_t(j) - 1] + 1, change});
            diagonal = above;
            best = std::min(best, row[size_t(j)]);
        }
        if (best > limit) {
            return limit + 1;
        }
    }
    return row[size_t(m)];
}

}  // namespace

int editDistance(const QString& a, const QString& b) {
    std::vector<int> row;
    const QString fa = a.toCaseFolded();
    const QString fb = b.toCaseFolded();
    return distanceWithin(fa, fb, int(std::max(fa.size(), fb.size())), row);
}

// How far a name is from the typed text: the distance of the whole name,
// or one more than that of a run of as many of its words as were typed
// ("Robbin" is near "American Robin", nearer still to "Robin").
int nameDistance(const QString& typed, int typedWords, const QString& name, int limit,
                 std::vector<int>& row) {
    int best = distanceWithin(typed, name, limit, row);
    const QStringList words = name.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + typedWords <= words.size() && words.size() > typedWords; ++i) {
        const QString run = words.mid(i, typedWords).join(u' ');
        best = std::min(best, distanceWithin(typed, run, std::min(best, limit), row) + 1);
    }
    return best;
}

QStringList nearestNames(const QStringList& names, const QString& typed, int count) {
    const QString t = typed.simplified().toCaseFolded();
    if (t.isEmpty() || count <= 0) {
        return {};
    }
    const int typedWords = int(t.count(u' ')) + 1;
    const int limit = std::max(1, int(t.size()) / 2);
    struct Found {
        int distance;
        qsizetype index;
    };
    std::vector<Found> found;
    std::vector<int> row;
    int worst = limit;  // nothing farther than the count-th best so far is kept
    for (qsizetype i = 0; i < names.size(); ++i) {
        const int d = nameDistance(t, typedWords, names[i].toCaseFolded(), worst, row);
        if (d > worst) {
            continue;
        }
        found.push_back({d, i});
        if (int(found.size()) >= count * 4) {
            std::stable_sort(found.begin(), found.end(), [](const Found& x, const Found& y) {
                return x.distance < y.distance;
            });
            found.resize(size_t(count));
            worst = found.back().distance;
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& x, const Found& y) { return x.distance < y.distance; });
    QStringList out;
    for (const Found& f : found) {
        if (out.size() == count) {
            break;
        }
        out << names[f.index];
    }
    return out;
}

}  // namespace wf
