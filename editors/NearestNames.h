// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace wf {

// The names closest to a typed one by edit distance (insertions, deletions
// and changes of one character, letter case ignored), nearest first, ties
// in the list's order; at most count of them, and none farther than half
// the typed name's length. A name's run of as many words as were typed
// counts too, one step farther than the whole name would.
QStringList nearestNames(const QStringList& names, const QString& typed, int count = 5);

// The edit distance between two texts, letter case ignored.
int editDistance(const QString& a, const QString& b);

}  // namespace wf
