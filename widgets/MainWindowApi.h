// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace wf {

// What the editors and dialogs reach of the main window.
class MainWindowApi {
  public:
    virtual ~MainWindowApi() = default;

    // The birds' and the topics' trees, read again; a tree that is shown
    // keeps its open nodes and scroll place.
    virtual void LoadTree() = 0;
    virtual void LoadTopicTree() = 0;
    // An entry ("A", "I", "L" + id) or a bird's sightings ("S" + bird id)
    // has been saved: the list shown is brought up to date where the reader
    // left it, and the saved one is selected, scrolled to and shown.
    virtual void entrySaved(const QString& key, bool isNew) = 0;
    // The item the category box shows ("All Entries", "All Images", ...).
    virtual QString categoryListText() const = 0;
    // The key of the tree's root node; empty when the tree is empty.
    virtual QString treeRootKey() const = 0;
    // Adds a node under parentKey. Raises AppError 35602 when the tree holds
    // key already, 35601 when it has no parentKey.
    virtual void addNode(const QString& parentKey, const QString& key, const QString& text,
                         int picture) = 0;
    // The text of the web pane's address box.
    virtual QString addressText() const = 0;
    // Shows an entry ("A", "I", "L" + id) or a bird's sighting history
    // ("S" + bird id) of the related-entries list in the viewer, titled by
    // its subject; false when the row no longer exists.
    virtual bool showRelatedEntry(const QString& key) = 0;
    // The id of the subject whose node is selected in the tree; 0 when the
    // selected node is not a subject of the current category.
    virtual qint64 selectedSubjectId() const { return 0; }
    // Picture files dropped on an editor: reviewed and imported as from the
    // window, bird (when not 0) proposed for those their day leaves open.
    virtual void importPictures(const QStringList& paths, qint64 bird) {
        (void)paths;
        (void)bird;
    }
};

}  // namespace wf
