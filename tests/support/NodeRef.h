// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <cstddef>
#include <ostream>

#include "NodeTree.h"

namespace wf::test {

// A node of the tree view as a test reads it, by key: its text, children and
// state as shown. Looking a node up loads it as the program would.
class NodeRef {
  public:
    NodeRef() = default;
    NodeRef(NodeTree& tree, const QString& key)
        : tree_(&tree), key_(tree.contains(key) ? key : QString()) {}

    const NodeRef* operator->() const { return this; }
    explicit operator bool() const { return !key_.isEmpty(); }
    friend bool operator==(const NodeRef& r, std::nullptr_t) { return r.key_.isEmpty(); }
    friend bool operator==(const NodeRef& a, const NodeRef& b) { return a.key_ == b.key_; }
    friend void PrintTo(const NodeRef& r, std::ostream* os) {
        *os << "node " << r.key_.toStdString();
    }

    QString key() const { return key_; }
    QString text(int = 0) const { return tree_->text(key_); }
    int childCount() const { return int(tree_->childKeys(key_).size()); }
    NodeRef child(int i) const { return NodeRef(*tree_, tree_->childKeys(key_).value(i)); }
    NodeRef parent() const { return NodeRef(*tree_, tree_->parentKey(key_)); }
    bool isExpanded() const { return tree_->isExpanded(key_); }
    bool isCurrent() const { return tree_->currentKey() == key_; }
    // Where it is drawn in the view's viewport, scrolled into view first.
    QRect rect() const;

  private:
    NodeTree* tree_ = nullptr;
    QString key_;
};

}  // namespace wf::test

#include <QTreeView>

inline QRect wf::test::NodeRef::rect() const {
    tree_->view()->scrollTo(tree_->index(key_));
    return tree_->rect(key_);
}

namespace wf::test {

inline NodeRef findNode(NodeTree& tree, const QString& key) {
    return NodeRef(tree, key);
}

// The i-th node at the top level.
inline NodeRef topNode(NodeTree& tree, int i = 0) {
    return NodeRef(tree, tree.childKeys({}).value(i));
}

}  // namespace wf::test
