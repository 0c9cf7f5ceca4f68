// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QModelIndex>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

#include "TreeNodes.h"

class QTreeView;

namespace wf {

class NodeModel;

// The tree view as the program uses it: nodes found by key, added as the
// child of a parent key, removed by key. The view shows a NodeModel; a
// list's lazy nodes are filled in as they are opened or looked for.
class NodeTree {
  public:
    NodeTree() = default;
    explicit NodeTree(QTreeView* tree);

    // Where the reader is in the tree: the open nodes and the node at the top
    // of the view.
    struct Place {
        std::vector<QString> open;
        QString top;
    };
    Place place() const;

    // Empties the tree and shows list: every node closed but those that the
    // list's visible node needs open.
    void show(NodeList list);
    // Shows list as the reader left the tree: the nodes open that were open
    // (and are still there), the same node at the top, nothing current.
    void show(NodeList list, const Place& at);
    void clear();
    // Adds a node under parentKey (empty for a root). Raises AppError 35602
    // when the tree already holds key, 35601 when it has no parentKey.
    void add(const QString& parentKey, const QString& key, const QString& text, int picture);
    // Removes the node and what is under it; false when the tree has no key.
    bool remove(const QString& key);
    // The node that takes a removed node's place in view: the next sibling,
    // else the previous one, else the parent.
    QString neighbour(const QString& key) const;
    // Whether the list shown holds key (loading what it needs to know).
    bool contains(const QString& key) const { return index(key).isValid(); }
    QModelIndex index(const QString& key) const;
    // Opens the node's parents and scrolls it into view.
    void ensureVisible(const QString& key);
    // Opens every node (a lazy list is read whole first).
    void expandAll();
    void collapseAll();

    // What a person sees of a node.
    QString text(const QString& key) const;
    QString parentKey(const QString& key) const;
    QStringList childKeys(const QString& key) const;  // "" for the top level
    bool isExpanded(const QString& key) const;
    // Where the node is drawn, in the view's viewport (empty when hidden).
    QRect rect(const QString& key) const;
    // The current node, and whether it is selected too.
    QString currentKey() const;
    bool currentIsSelected() const;
    void setCurrent(const QString& key);  // empty: none
    QString keyAt(const QPoint& inViewport) const;

    NodeModel* model() const { return model_; }
    QTreeView* view() const { return tree_; }
    static QString keyOf(const QModelIndex& index);

  private:
    QTreeView* tree_ = nullptr;
    NodeModel* model_ = nullptr;  // owned by the view
};

}  // namespace wf
