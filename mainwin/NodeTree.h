// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

#include "TreeNodes.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace wf {

// The tree view as the program uses it: nodes found by key, added as the
// child of a parent key, removed by key.
class NodeTree {
  public:
    explicit NodeTree(QTreeWidget* tree);

    // Empties the tree and shows list: every node closed but those that the
    // list's visible node needs open.
    void show(const NodeList& list);
    void clear();
    // Adds a node under parentKey (empty for a root). Raises AppError 35602
    // when the tree already holds key, 35601 when it has no parentKey.
    QTreeWidgetItem* add(const QString& parentKey, const QString& key, const QString& text,
                         int picture);
    // Removes the node and what is under it; false when the tree has no key.
    bool remove(const QString& key);
    QTreeWidgetItem* find(const QString& key) const { return items_.value(key); }
    bool contains(const QString& key) const { return items_.contains(key); }
    // Opens the node's parents and scrolls it into view.
    void ensureVisible(const QString& key);
    void expandAll();
    void collapseAll();

    static QString keyOf(const QTreeWidgetItem* item);
    QIcon picture(int index) const;

  private:
    QTreeWidgetItem* makeItem(const QString& key, const QString& text, int picture) const;
    void forget(QTreeWidgetItem* item);

    QTreeWidget* tree_;
    QHash<QString, QTreeWidgetItem*> items_;
    QIcon pictures_[5];
};

}  // namespace wf
