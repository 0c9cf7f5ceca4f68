// SPDX-License-Identifier: GPL-3.0-or-later
#include "SubjectCompleter.h"

#include <algorithm>

#include "Wildcard.h"

namespace wf {

namespace {

// Where the first wildcard character is, or -1.
qsizetype firstWildcard(QStringView s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[') {
            return i;
        }
    }
    return -1;
}

// Whether item begins with prefix, letter case ignored.
bool startsWithNoCase(const QString& item, const QString& prefix) {
    if (item.size() < prefix.size()) {
        // Folding never changes a letter's length in UTF-16 here, but a
        // shorter item may still fold equal only to a shorter prefix.
        return false;
    }
    return compareNoCase(QStringView(item).left(prefix.size()), prefix) == 0;
}

}  // namespace

SubjectCompleter::SubjectCompleter(QStringList items) : items_(std::move(items)) {
    std::stable_sort(items_.begin(), items_.end(),
                     [](const QString& a, const QString& b) { return compareNoCase(a, b) < 0; });
}

qsizetype SubjectCompleter::lowerBound(const QString& key) const {
    return std::lower_bound(
               items_.begin(), items_.end(), key,
               [](const QString& item, const QString& k) { return compareNoCase(item, k) < 0; }) -
           items_.begin();
}

std::optional<QString> SubjectCompleter::completion(const QString& text, int caret) const {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const QString prefix = text.left(std::clamp(caret, 0, int(text.size())));
    if (const qsizetype wild = firstWildcard(prefix); wild >= 0) {
        const WildcardPattern pattern(prefix + u'*');
        if (!pattern.isValid()) {
            return std::nullopt;
        }
        // Every match begins with the plain letters before the first
        // wildcard, and those items lie together in the sorted list: only
        // they are tried, in the order the walk of the whole list would.
        const QString lead = prefix.left(wild);
        for (qsizetype i = lead.isEmpty() ? 0 : lowerBound(lead); i < items_.size(); ++i) {
            const QString& item = items_[i];
            if (!lead.isEmpty() && !startsWithNoCase(item, lead)) {
                break;
            }
            if (pattern.matches(item) && compareNoCase(item, text) != 0) {
                return item;
            }
        }
        return std::nullopt;
    }
    // Without wildcards the items that begin with the prefix lie together in
    // the sorted list: find the first by binary search. The first that
    // qualifies is the one the walk would find.
    for (qsizetype i = lowerBound(prefix); i < items_.size(); ++i) {
        const QString& item = items_[i];
        if (!startsWithNoCase(item, prefix)) {
            break;
        }
        if (compareNoCase(item, text) != 0) {
            return item;
        }
    }
    return std::nullopt;
}

std::optional<QString> SubjectCompleter::exactItem(const QString& text) const {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const qsizetype i = lowerBound(text);
    if (i < items_.size() && compareNoCase(items_[i], text) == 0) {
        return items_[i];
    }
    return std::nullopt;
}

}  // namespace wf
