// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace wf {

// True when a character of a search phrase can be looked up in the trigram
// index of the articles' text: every character the store's match takes as
// the same one (letter case ignored) is also the same one to the index.
// That holds for ASCII except k and s (the Kelvin sign and the long s fold to
// them) and for characters that have no letter case at all.
bool indexSafe(char32_t c);

// The query for the trigram index that selects, among the articles, a set
// holding every one whose text matches "*phrase*" with the store's
// wildcards: a piece of the phrase that the match takes character for
// character (of at most six characters). Empty when the phrase has no run
// of three safe characters, and the text has to be read whole.
QString textIndexQuery(QStringView phrase);

}  // namespace wf
