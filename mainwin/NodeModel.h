// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemModel>
#include <QHash>
#include <QIcon>
#include <functional>
#include <memory>
#include <vector>

#include "TreeNodes.h"

namespace wf {

class AppError;

// The nodes of a tree or list for the tree view. A lazy node's children are
// asked of the list when the view first opens it (Qt's fetchMore) or when
// one of them is looked for by key.
class NodeModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    static constexpr int KeyRole = Qt::UserRole;

    explicit NodeModel(QObject* parent = nullptr);
    ~NodeModel() override;

    // Shows list instead of what was shown.
    void reset(NodeList list);
    void clear() { reset({}); }
    // The node's index; its parents are loaded when it is under a lazy node
    // (an invalid index when the list has no such node).
    QModelIndex find(const QString& key);
    // The node if it is loaded; never loads.
    QModelIndex loaded(const QString& key) const;
    // Adds a node as the last child of parentKey (empty: a root). Raises
    // AppError 35602 when the list already holds key, 35601 when it has no
    // parentKey.
    QModelIndex add(const QString& parentKey, const QString& key, const QString& text, int picture);
    // Removes the node and what is under it; false when there is none.
    bool remove(const QString& key);
    // Loads every lazy node.
    void loadAll();
    bool hasLazyNodes() const { return lazyLeft_ > 0; }
    const NodeList& list() const { return list_; }

    // Told when the children of a node cannot be read.
    std::function<void(const AppError&)> onLoadError;

    static QString keyOf(const QModelIndex& index) { return index.data(KeyRole).toString(); }
    QIcon picture(int index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

  private:
    struct Item {
        QString key;
        QString text;
        int picture = kNoPicture;
        bool lazy = false;
        Item* parent = nullptr;
        int row = 0;
        std::vector<Item*> children;  // owned by the model's blocks
    };
    Item* itemOf(const QModelIndex& index) const;
    QModelIndex indexOf(const Item* item) const;
    // A new item under parent, not yet known by its key.
    Item* make(Item* parent, const Node& n);
    Item* append(Item* parent, const Node& n);
    void load(Item* item);
    void forget(const Item* item);

    NodeList list_;
    Item root_;  // holds the top-level nodes
    // Every item of the list shown, made in blocks (a long list is made and
    // dropped at once) and dropped with the list; a node removed stays in
    // its block until then.
    static constexpr size_t kBlock = 1024;
    std::vector<std::unique_ptr<Item[]>> blocks_;
    size_t blockUsed_ = kBlock;
    QHash<QString, Item*> byKey_;
    int lazyLeft_ = 0;
    QIcon pictures_[5];
};

}  // namespace wf
