// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryNodes.h"

#include "AppError.h"
#include "MainWindowApi.h"

namespace wf {

namespace {

// Adds a node; a key already in the tree is no failure.
void addPassingDuplicates(MainWindowApi& main, const QString& parent, const QString& key,
                          const QString& text, int picture) {
    try {
        main.addNode(parent, key, text, picture);
    } catch (const AppError& e) {
        if (e.number() != err::DuplicateNodeKey) {
            throw;
        }
    }
}

}  // namespace

void insertEntryNode(MainWindowApi& main, const NewEntryNode& n) {
    const bool birds = n.category == Category::Birds;
    const QString entryKey = n.keyLetter + QString::number(n.id);
    const QString root = main.treeRootKey();
    if (root.isEmpty()) {
        return;  // nothing is shown to add to
    }
    if (n.category == Category::Outings) {
        // The Outings list: under its outing, which is there already.
        if (main.categoryListText() == QLatin1String("Outings")) {
            try {
                addPassingDuplicates(main, QStringLiteral("O") + QString::number(n.subid), entryKey,
                                     n.title, n.picture);
            } catch (const AppError& e) {
                // An outing of a year not opened yet: the entry is read
                // with the year when it is opened.
                if (e.number() != err::ElementNotFound) {
                    throw;
                }
            }
        }
        return;
    }
    if (main.categoryListText() == QLatin1String("All Entries")) {
        const QString subjectKey =
            (birds ? QStringLiteral("B") : QStringLiteral("T")) + QString::number(n.subid);
        if (!n.subjectHadEntries) {
            addPassingDuplicates(main, root, subjectKey, n.subjectText, 0);
        }
        addPassingDuplicates(main, subjectKey, entryKey, n.title, n.picture);
        return;
    }
    // A flat list or a search result: under whatever root it has (the search
    // result's root is keyed "Birds" in both categories).
    addPassingDuplicates(main, root, entryKey, n.subjectText + u' ' + n.title, n.picture);
}

}  // namespace wf
