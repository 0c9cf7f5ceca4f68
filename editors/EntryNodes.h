// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "Types.h"

namespace wf {

class MainWindowApi;

// A new entry's place in the tree the main window shows, added as that list
// needs it: under "All Entries" the entry under its subject (and the subject
// under the root when it had nothing filed before); under any other list
// one node labelled with subject and title under the list's root. A key the
// tree holds already is passed over.
struct NewEntryNode {
    Category category = Category::Birds;
    qint64 subid = 0;
    QString subjectText;  // the name as the editor's picker holds it
    bool subjectHadEntries = false;
    QString keyLetter;  // "A", "I" or "L"
    qint64 id = 0;
    QString title;
    int picture = 0;
};

void insertEntryNode(MainWindowApi& main, const NewEntryNode& node);

}  // namespace wf
