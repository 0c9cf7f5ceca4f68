// SPDX-License-Identifier: GPL-3.0-or-later
// The pseudo-translation of one text (see main.cpp).
#pragma once

#include <QString>

namespace wf::pseudo {

// "&Save" -> "[&Šávé~~]": letters accented, bracketed, 40% longer; the
// parts a program reads (placeholders, mnemonic letters, tags, entities,
// file patterns, a shortcut after a tab) kept as they are.
QString translate(const QString& source);

// Whether a text shown by the program went through the pseudo-translation.
inline bool isTranslated(const QString& shown) {
    return shown.contains(u'[') && shown.contains(u']');
}

}  // namespace wf::pseudo
