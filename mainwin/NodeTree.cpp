// SPDX-License-Identifier: GPL-3.0-or-later
#include "NodeTree.h"

#include <QItemSelectionModel>
#include <QTimer>
#include <QTreeView>

#include "BusyCursor.h"
#include "NodeModel.h"

namespace wf {

NodeTree::NodeTree(QTreeView* tree) : tree_(tree), model_(new NodeModel(tree)) {
    tree_->setModel(model_);
}

QString NodeTree::keyOf(const QModelIndex& index) {
    return NodeModel::keyOf(index);
}

void NodeTree::clear() {
    model_->clear();
}

void NodeTree::show(NodeList list) {
    tree_->setUpdatesEnabled(false);
    const std::vector<QString> openKeys = std::move(list.openKeys);
    const QString visibleKey = list.visibleKey;
    model_->reset(std::move(list));
    // A reset leaves every node closed.
    for (const QString& key : openKeys) {
        const QModelIndex at = model_->loaded(key);
        if (at.isValid()) {
            tree_->setExpanded(at, true);
        }
    }
    if (!visibleKey.isEmpty()) {
        ensureVisible(visibleKey);
    }
    tree_->setUpdatesEnabled(true);
}

NodeTree::Place NodeTree::place() const {
    Place at;
    // Depth first through the open nodes only: what is closed stays unread.
    std::vector<QModelIndex> todo{QModelIndex()};
    while (!todo.empty()) {
        const QModelIndex parent = todo.back();
        todo.pop_back();
        if (parent.isValid()) {
            at.open.push_back(keyOf(parent));
        }
        for (int i = model_->rowCount(parent) - 1; i >= 0; --i) {
            const QModelIndex child = model_->index(i, 0, parent);
            if (tree_->isExpanded(child)) {
                todo.push_back(child);
            }
        }
    }
    at.top = keyOf(tree_->indexAt(QPoint(1, 1)));
    return at;
}

void NodeTree::show(NodeList list, const Place& at) {
    tree_->setUpdatesEnabled(false);
    model_->reset(std::move(list));
    // Parents come before their children in the list, so each is open (and
    // its children read) before they are looked for.
    for (const QString& key : at.open) {
        const QModelIndex node = model_->find(key);
        if (node.isValid()) {
            tree_->setExpanded(node, true);
        }
    }
    if (const QModelIndex top = model_->loaded(at.top); top.isValid()) {
        tree_->doItemsLayout();  // the scroll range with the nodes now open
        tree_->scrollTo(top, QAbstractItemView::PositionAtTop);
    }
    tree_->setUpdatesEnabled(true);
}

void NodeTree::add(const QString& parentKey, const QString& key, const QString& text, int picture) {
    model_->add(parentKey, key, text, picture);
}

bool NodeTree::remove(const QString& key) {
    return model_->remove(key);
}

QString NodeTree::neighbour(const QString& key) const {
    const QModelIndex at = model_->loaded(key);
    if (!at.isValid()) {
        return {};
    }
    const QModelIndex parent = at.parent();
    if (at.row() + 1 < model_->rowCount(parent)) {
        return keyOf(model_->index(at.row() + 1, 0, parent));
    }
    if (at.row() > 0) {
        return keyOf(model_->index(at.row() - 1, 0, parent));
    }
    return keyOf(parent);
}

QModelIndex NodeTree::index(const QString& key) const {
    return model_->find(key);
}

void NodeTree::ensureVisible(const QString& key) {
    const QModelIndex at = model_->find(key);
    if (!at.isValid()) {
        return;
    }
    for (QModelIndex p = at.parent(); p.isValid(); p = p.parent()) {
        tree_->setExpanded(p, true);
    }
    // Scroll once the window has laid the tree out at its real size.
    QTimer::singleShot(0, tree_, [this, key] {
        const QModelIndex again = model_->loaded(key);
        if (again.isValid()) {
            tree_->scrollTo(again);
        }
    });
}

void NodeTree::expandAll() {
    if (model_->hasLazyNodes()) {
        const BusyCursor busy;
        const QString current = currentKey();
        const bool selected = currentIsSelected();
        const NodeList& list = model_->list();
        if (list.whole) {
            // One read of the whole list is quicker than one per node.
            model_->reset(list.whole());
        } else {
            model_->loadAll();
        }
        if (!current.isEmpty()) {
            const QModelIndex at = model_->loaded(current);
            tree_->selectionModel()->setCurrentIndex(
                at, selected ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
        }
    }
    tree_->expandAll();
}

void NodeTree::collapseAll() {
    tree_->collapseAll();
}

QString NodeTree::text(const QString& key) const {
    return model_->find(key).data(Qt::DisplayRole).toString();
}

QString NodeTree::parentKey(const QString& key) const {
    return keyOf(model_->find(key).parent());
}

QStringList NodeTree::childKeys(const QString& key) const {
    QModelIndex parent;
    if (!key.isEmpty()) {
        parent = model_->find(key);
        if (!parent.isValid()) {
            return {};
        }
        if (model_->canFetchMore(parent)) {
            model_->fetchMore(parent);
        }
    }
    QStringList out;
    for (int i = 0; i < model_->rowCount(parent); ++i) {
        out << keyOf(model_->index(i, 0, parent));
    }
    return out;
}

bool NodeTree::isExpanded(const QString& key) const {
    const QModelIndex at = model_->loaded(key);
    return at.isValid() && tree_->isExpanded(at);
}

QRect NodeTree::rect(const QString& key) const {
    return tree_->visualRect(model_->loaded(key));
}

QString NodeTree::currentKey() const {
    return keyOf(tree_->currentIndex());
}

bool NodeTree::currentIsSelected() const {
    const QModelIndex at = tree_->currentIndex();
    return at.isValid() && tree_->selectionModel()->isSelected(at);
}

void NodeTree::setCurrent(const QString& key) {
    if (key.isEmpty()) {
        tree_->selectionModel()->clear();
        return;
    }
    const QModelIndex at = model_->find(key);
    tree_->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
}

QString NodeTree::keyAt(const QPoint& inViewport) const {
    return keyOf(tree_->indexAt(inViewport));
}

}  // namespace wf
